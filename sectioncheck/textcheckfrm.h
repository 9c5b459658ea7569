#pragma once

#include "textcheck/textcheck.h"

#include <QTimer>
#include <QWidget>

class ClickableLabel;
class DocumentLoader;
class FindingsModel;
class QCheckBox;
class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;
class TextBox;

// "Check a Results Section": a manuscript pasted, typed or opened, every result in it and every
// figure reported with a result marked where it stands and listed beneath with what the check
// found. Unlike the test windows it is resizable, has no result page, and keeps its text when
// the user goes back to the main menu.
class TextCheckfrm : public QWidget {
    Q_OBJECT
public:
    explicit TextCheckfrm(QWidget *parent = nullptr);
    ~TextCheckfrm() override;

    // Reads the file in the background, then replaces the text with the file's, as one step that
    // Ctrl+Z takes back; a file that cannot be read is reported in an "Error" box and the text
    // stays.
    void OpenDocument(const QString &path);
    bool documentLoading() const;

    void CmdOpen_Click();
    void LblCopyFindings_Click();
    void LblMainMenuLnk_Click();
    // F8 and Shift+F8: the next or previous result or figure that is not consistent, round the
    // text's end.
    void GoToFinding(bool forward);

    // Whether a check waits for typing to pause, runs, or has results not yet shown: false once
    // the marks, the totals and the list are those of the text as it stands.
    bool checkPending() const { return m_pause.isActive() || m_pending > 0; }

Q_SIGNALS:
    // The window has hidden itself; the main menu should be shown again.
    void mainMenuRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildContents();
    void CenterForm();
    void ScheduleCheck();
    void StartCheck();
    void ApplyCheck(const TextCheck &check);
    void ReplaceText(const QString &text);
    // Selects the row's result or figure in the text, and the row in the list.
    void SelectRow(int row, bool focusText);
    void lstFindings_CurrentChanged(int row);

    QPushButton *CmdOpen = nullptr;
    TextBox *txtAlpha = nullptr;
    QCheckBox *chkWholeNumbers = nullptr;
    ClickableLabel *LblMainMenuLnk = nullptr;
    QPlainTextEdit *txtText = nullptr;
    QLabel *lblTotals = nullptr;
    ClickableLabel *LblCopyFindings = nullptr;
    QListView *lstFindings = nullptr;
    FindingsModel *m_findings = nullptr;
    DocumentLoader *m_loader = nullptr;

    QTimer m_pause;
    // Each edit starts a new generation; a check's results are shown only if no edit came since.
    quint64 m_generation = 0;
    int m_pending = 0;
    bool m_selecting = false;
    bool m_shown = false;
};
