#pragma once

#include "checks/checkfigures.h"

#include <QWidget>
#include <initializer_list>

class ClickableLabel;
class FigureCheckStrip;
class QComboBox;
class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class ResultViewer;
class TextBox;

// What the three test windows have in common: the "Show Result Text" button and its order of
// steps, the viewer pane, the "Main Menu" link, the collapsed and grown heights, the centring,
// the input-error box and closing. Each window adds its fields, its checks and its composer.
class ResultForm : public QWidget {
    Q_OBJECT
public:
    // Runs once, before the window is first shown: empties and collapses it, then centres it.
    void Form_Load();
    // Empties the window's text boxes (in its own order) and collapses it.
    virtual void ResetForm() = 0;
    void CenterForm();

    void CmdShowResultText_Click();
    void LblMainMenuLnk_Click();

Q_SIGNALS:
    // The window has hidden and reset itself; the main menu should be shown again.
    void mainMenuRequested();

protected:
    ResultForm(const char *name, const QString &caption, QWidget *parent = nullptr);

    // Checks every field in the window's order and reports the first failure.
    virtual bool ValidateInputs() = 0;
    // Builds the report, writes it and shows it; false when it could not be written.
    virtual bool ComposeReport() = 0;

    enum class FieldTest { Name, Number };
    struct FieldCheck {
        const QLineEdit *box;
        FieldTest test;
        QString message;
    };
    // Runs the checks in order and shows the message of the first one that fails.
    bool RunFieldChecks(std::initializer_list<FieldCheck> checks);
    void ShowInputError(const QString &message);

    // Writes the report to the result file, loads it into the pane and shows what the figure
    // checks found below its page. When the file cannot be written the user is told which file
    // and why, the strip keeps its lines, and false is returned.
    bool PublishReport(const QString &html, const Findings &findings);

    // The collapse step: the window ends 600 twips below the button.
    void CollapseForm();
    // The growth step: the window ends 580 twips below the pane.
    void GrowForm();

    // Building blocks, in twips. Input controls must be added in tab order.
    TextBox *AddTextBox(const char *name, int maxLength, double left, double top, double width,
                        double height = 285);
    QComboBox *AddTailsBox(const char *name, double left, double top, double width, double height);
    QLabel *AddLabel(const char *name, const QString &caption, const QFont &font, double left,
                     double top, double width, double height);
    // A field's caption: read by screen readers as the field's name.
    QLabel *AddCaption(const char *name, const QString &caption, QWidget *field, double left,
                       double top, double width, double height);
    void AddShowResultButton(double left, double top, double width, double height);
    void AddMainMenuLink(double left, double top);
    void AddResultPane(double left, double top, double width, double height);
    // The caption above the pane, drawn in pieces (after they are laid out): read as one item,
    // `spoken`, which also names the pane for screen readers. Before or after AddResultPane.
    void SetPaneCaption(std::initializer_list<QLabel *> pieces, const QString &spoken);

    void closeEvent(QCloseEvent *event) override;

    QPushButton *CmdShowResultText = nullptr;
    ResultViewer *WebBrowser1 = nullptr;
    FigureCheckStrip *FigureCheck = nullptr;
    ClickableLabel *LblMainMenuLnk = nullptr;

private:
    void Form_Unload();

    QString m_paneCaption;
};
