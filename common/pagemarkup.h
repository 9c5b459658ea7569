#pragma once

#include <QString>

// The names go into the page unescaped. A web browser reads a '<' as the start of a tag only
// before a letter, '/', '!' or '?'; anywhere else it shows the '<' as text ("Age <30"). Qt's
// HTML reader takes every '<' as a tag, so the pane and the checks of what the page shows give
// it the page with those '<' written as "&lt;", which both then read as a browser does.
QString EscapeTextLessThans(const QString &html);
