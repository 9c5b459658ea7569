#pragma once

#include <QString>

// The names go into the page unescaped. A web browser reads a '<' as the start of a tag only
// before a letter, '/', '!' or '?'; anywhere else it shows the '<' as text ("Age <30"). Qt's
// HTML reader takes every '<' as a tag, so the pane and the checks of what the page shows give
// it the page with those '<' written as "&lt;", which both then read as a browser does.
QString EscapeTextLessThans(const QString &html);

// Completes numeric character references that lack their semicolon ("&#945 = .05"), which
// browsers accept and Qt's HTML reader does not.
QString CompleteNumericReferences(QString html);

// Element tags, counted cheaply as '<' before a letter. A page with more than MostTagsToFormat
// of them is shown as plain text (see the .cpp).
qsizetype ElementTags(const QString &html);
inline constexpr qsizetype MostTagsToFormat = 5000;
