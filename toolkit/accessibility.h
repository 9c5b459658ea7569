#pragma once

#include <QKeySequence>
#include <QString>
#include <initializer_list>

class ClickableLabel;
class QLabel;
class QWidget;

// What screen readers (AT-SPI on the desktop) meet, through Qt's accessibility layer; nothing
// drawn changes. The layer sees:
// - every window given by SetUpWindow() (toolkit.h) as a window named by its caption;
// - every ClickableLabel as a link named by its text (or accessible name), its tooltip as its
//   description, one "Press" action that clicks it, and its shortcut as that action's key;
// - every combo box named by its accessible name (Qt would name it by its value);
// - every text browser as read-only text named by its accessible name, whose text leaves out
//   the word joiners (U+2060) that keep figures whole on screen.
//
// How a window uses the building blocks below (the test windows' ResultForm does the first
// three for them: AddCaption names each box, AddMainMenuLink, SetPaneCaption):
//
//   // A heading drawn in pieces ("Pearson" + italic "r"), after the pieces are laid out:
//   KeepLabelsInLine({Label1, Label2});
//   ReadAsOne({Label1, Label2}, u"Pearson r"_s);
//
//   // A main-menu entry: its pieces, all connected to the handler that opens the window, the
//   // tooltip on the first piece. One link "Pearson Correlation", description the tooltip,
//   // action "Press" opens the window, key binding "Alt+4" (which also works in the window):
//   ReadAsOneLink({Label19}, u"Pearson Correlation"_s, QKeySequence(Qt::ALT | Qt::Key_4));
//
//   // A drawn frame, which would otherwise be read as a window of its own:
//   LeaveUnread(Shape1);

// One item out of a row of labels that show one phrase in pieces (an italic "t", "χ²" set as an
// X and a raised 2): the first piece is read as `spoken`, the others leave the tree.
void ReadAsOne(std::initializer_list<QLabel *> pieces, const QString &spoken);

// The same for clickable pieces that all do the same: one link, see above.
void ReadAsOneLink(std::initializer_list<ClickableLabel *> pieces, const QString &spoken,
                   const QKeySequence &key);

// Leaves a control (a decoration) out of what readers see.
void LeaveUnread(QWidget *control);

// A link in a rich-text label (by its href) becomes an item of its own, a link with this name
// whose action activates it (the label's linkActivated()). The label's text stays readable.
void NameLabelLink(QLabel *label, const QString &href, const QString &name);

// Makes the windows readable as above; SetUpWindow() calls it. Once is enough.
void EnableReaders();
// Gives a window set up by SetUpWindow() its role and name.
void ReadAsWindow(QWidget *window);

// What the pane's text is read as: the word joiners that keep figures whole left out.
QString TextForReaders(const QString &shown);
