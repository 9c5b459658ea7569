#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// The windows' shared look.
inline const QColor FormBackground(224, 224, 224);
inline const QColor LinkColour(0, 0, 192);

// Times New Roman at a point size; where it is missing, fontconfig's metric-compatible face.
QFont TimesFont(double pointSize, bool bold = false, bool italic = false);

// Gives a window its name, caption, icon and background.
void SetUpWindow(QWidget *window, const char *name, const QString &caption);

enum class MessageIcon { Critical, Exclamation };

// A modal message box with one OK button; returns when the user closes it.
void ShowMessageBox(QWidget *parent, const QString &text, const QString &title, MessageIcon icon);
