#pragma once

#include "checks/checkfigures.h"

#include <QString>
#include <optional>

// The text the page shows for a name that goes into it as typed, read as the result pane reads
// a page: whitespace runs as one blank, images and other objects left out.
QString PageTextOf(const QString &name);

// A name as a line shows it: whole up to 40 characters, else its start and an ellipsis, so that
// a line stays short whatever was typed.
QString Abridged(const QString &name);

// One line for the names whose page text differs from what was typed (a '<' that starts a tag,
// an '&' that starts a character reference), naming each field by its caption; none when every
// name reads as typed, or when the names hold so many tags that the pane shows the page as plain
// text.
std::optional<Finding> NamesFinding(const QList<NameField> &names);
