#pragma once

#include <QString>
#include <QVariant>

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

// Set after a figure's leading point or comma in the pane, so that ".004" never starts a line;
// it is left out of every copy and of what screen readers are given.
inline constexpr QChar WordJoiner(0x2060);

// What a reader of the page is given for a resource the page names (an image or a style sheet):
// a blank image or an empty text. The page holds the user's names as markup, so it may name any
// file, device or pipe; a null value would make Qt's HTML reader read the file itself, and a null
// image makes its image handler open the file by name.
QVariant BlankResource(int type);
