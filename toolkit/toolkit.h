#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QString>
#include <functional>
#include <initializer_list>

class ClickableLabel;
class QKeySequence;
class QLabel;
class QWidget;

// The windows' shared look.
inline const QColor FormBackground(224, 224, 224);
inline const QColor LinkColour(0, 0, 192);

// Times New Roman at a point size; where it is missing, fontconfig's metric-compatible face.
QFont TimesFont(double pointSize, bool bold = false, bool italic = false);

// Labels that read as one line (a title made of several pieces, such as an italic "t") keep
// their places, except that a piece moves right, with all after it, where the text before it
// runs wider than its label: the faces that stand in for Times New Roman can be a little wider.
void KeepLabelsInLine(std::initializer_list<QLabel *> labels);

// The colours of every window: light grey, black text, white boxes, a grey button face.
QPalette FormPalette();

// Sets an italic letter and its raised small "2" (a square, as in the chi-square title) snug
// on the baseline of the words before them, with the rest of the title right after the 2.
void SetAsSquared(const QLabel *words, QLabel *letter, QLabel *square, QLabel *rest);

// Gives a window its name, caption, icon, colours and a frame without a maximise button, and
// makes it readable by screen readers (accessibility.h).
void SetUpWindow(QWidget *window, const char *name, const QString &caption);

// A link of a window: dark blue bold italic, a pointing hand, its tooltip (if any), read as one
// link whose key clicks it. The window places it and connects its click.
ClickableLabel *NewLink(QWidget *window, const char *name, const QString &caption,
                        const QKeySequence &key, const QString &toolTip = {});
// The "Main Menu" link at the top right of every window but the menu, on Alt+M.
ClickableLabel *NewMainMenuLink(QWidget *window);

// Waits a moment for the window manager to frame a window just shown, where there is one.
void WaitForFrame(const QWidget *window);
// The first centring of a window just shown: once framed, where a window manager frames it in
// time, and again when one frames it later (CentreAgainWhenFramed).
void CentreWhenFramed(QWidget *window, const std::function<void()> &centre);

// Shows a window modelessly, in front and active.
void ShowWindow(QWidget *window);

// The pictures the program draws: the table grid of every window and the pencil over a sheet of
// paper on the feedback button.
QIcon WindowIcon();
QIcon FeedbackPicture();

enum class MessageIcon { Critical, Exclamation };

// A modal message box with one OK button; returns when the user closes it.
void ShowMessageBox(QWidget *parent, const QString &text, const QString &title, MessageIcon icon);
