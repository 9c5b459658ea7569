#include "sectioncheck/textcheckfrm.h"

#include "sectioncheck/documentloader.h"
#include "sectioncheck/findingmarks.h"
#include "sectioncheck/findingslist.h"
#include "textcheck/documentreader.h"
#include "toolkit/accessibility.h"
#include "toolkit/clickablelabel.h"
#include "toolkit/textbox.h"
#include "toolkit/toolkit.h"
#include "toolkit/twips.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFuture>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPromise>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QThreadPool>
#include <QToolTip>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {
// Opens at a size that fits a 1366 by 768 screen with its panel, frame included.
constexpr double OpeningWidth = 13500, OpeningHeight = 9000;
constexpr int PauseMs = 150;

// GRIM and GRIMMER hold only for such scores: a mean of measurements with decimals would be
// flagged wrongly, so the user says so, and sees what saying so means.
const QString WholeNumbersAssumption =
    u"Assumes every score is a whole number (a count or a single-item scale); means and SDs are "
    u"checked against their n."_s;
} // namespace

TextCheckfrm::TextCheckfrm(QWidget *parent) : QWidget(parent)
{
    SetUpWindow(this, "TextCheckfrm", u"Kelvaron - Beta  Check a Results Section"_s);
    // A manuscript wants room: this window takes the desktop's usual frame, maximise included.
    setWindowFlags(Qt::Window);
    setAcceptDrops(true);
    // The frame is known before the first centring (the sizes are outer sizes).
    create();
    setMinimumSize(TwipsToPixels(7200), TwipsToPixels(5400));
    // On a smaller screen, what there is of it, with room for a frame and a panel.
    const QSize room = screen()->availableGeometry().size() - QSize(16, 64);
    resize(QSize(TwipsToPixels(OpeningWidth), TwipsToPixels(OpeningHeight))
               .boundedTo(room)
               .expandedTo(minimumSize()));
    buildContents();

    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMs);
    connect(&m_pause, &QTimer::timeout, this, &TextCheckfrm::StartCheck);
    ScheduleCheck();
    CenterForm();
}

TextCheckfrm::~TextCheckfrm() = default;

void TextCheckfrm::buildContents()
{
    // Made in tab order: Open, alpha, whole-number scores, Main Menu, the text, Copy Findings,
    // the list.
    auto *layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(150);
    layout->setContentsMargins(margin, TwipsToPixels(90), margin, margin);
    layout->setSpacing(TwipsToPixels(90));

    auto *top = new QHBoxLayout;
    top->setSpacing(TwipsToPixels(90));
    layout->addLayout(top);
    CmdOpen = new QPushButton(u"Open…"_s, this);
    CmdOpen->setObjectName(u"CmdOpen"_s);
    CmdOpen->setFont(TimesFont(9.75, true));
    CmdOpen->setShortcut(QKeySequence::Open);
    CmdOpen->setToolTip(u"Open a .txt, .md, .html, .docx, .odt or .pdf file (Ctrl+O)"_s);
    connect(CmdOpen, &QPushButton::clicked, this, &TextCheckfrm::CmdOpen_Click);
    top->addWidget(CmdOpen);
    top->addSpacing(TwipsToPixels(240));

    auto *lblAlpha = new QLabel(u"alpha"_s, this);
    lblAlpha->setObjectName(u"lblAlpha"_s);
    lblAlpha->setFont(TimesFont(8.25, true));
    top->addWidget(lblAlpha);
    txtAlpha = new TextBox(10, this);
    txtAlpha->setObjectName(u"txtAlpha"_s);
    txtAlpha->setFont(TimesFont(8.25, true));
    txtAlpha->setText(u".05"_s);
    txtAlpha->setFixedWidth(TwipsToPixels(720));
    lblAlpha->setBuddy(txtAlpha);
    txtAlpha->setAccessibleName(u"alpha"_s);
    connect(txtAlpha, &QLineEdit::textChanged, this, &TextCheckfrm::ScheduleCheck);
    top->addWidget(txtAlpha);
    top->addSpacing(TwipsToPixels(240));

    auto *wholeNumbers = new QVBoxLayout;
    wholeNumbers->setSpacing(0);
    top->addLayout(wholeNumbers, 1);
    chkWholeNumbers = new QCheckBox(u"Whole-number scores (GRIM, GRIMMER)"_s, this);
    chkWholeNumbers->setObjectName(u"chkWholeNumbers"_s);
    chkWholeNumbers->setFont(TimesFont(8.25, true));
    // Readers hear the assumption with the box, not only if they come upon the line below it.
    chkWholeNumbers->setAccessibleDescription(WholeNumbersAssumption);
    connect(chkWholeNumbers, &QCheckBox::toggled, this, &TextCheckfrm::ScheduleCheck);
    wholeNumbers->addWidget(chkWholeNumbers);
    auto *lblWholeNumbers = new QLabel(WholeNumbersAssumption, this);
    lblWholeNumbers->setObjectName(u"lblWholeNumbers"_s);
    lblWholeNumbers->setFont(TimesFont(8.25));
    lblWholeNumbers->setTextFormat(Qt::PlainText);
    lblWholeNumbers->setWordWrap(true);
    wholeNumbers->addWidget(lblWholeNumbers);

    // Unlike the test windows', Tab reaches this window's links too.
    LblMainMenuLnk = NewMainMenuLink(this);
    LblMainMenuLnk->setReachedByTab();
    connect(LblMainMenuLnk, &ClickableLabel::clicked, this, &TextCheckfrm::LblMainMenuLnk_Click);
    top->addWidget(LblMainMenuLnk, 0, Qt::AlignTop);

    txtText = new QPlainTextEdit(this);
    txtText->setObjectName(u"txtText"_s);
    txtText->setAccessibleName(u"Text to check"_s);
    txtText->setFont(TimesFont(12));
    txtText->setPlaceholderText(u"Paste or type a results section, or open a file (Ctrl+O)."_s);
    // Tab moves on to the list, as everywhere else in the program; a manuscript needs no tabs.
    txtText->setTabChangesFocus(true);
    txtText->viewport()->installEventFilter(this);
    connect(txtText, &QPlainTextEdit::textChanged, this, &TextCheckfrm::ScheduleCheck);
    layout->addWidget(txtText, 5);

    auto *middle = new QHBoxLayout;
    layout->addLayout(middle);
    lblTotals = new QLabel(this);
    lblTotals->setObjectName(u"lblTotals"_s);
    lblTotals->setFont(TimesFont(9.75, true));
    lblTotals->setTextFormat(Qt::PlainText);
    // Unnamed, it is read by its text, and each new text reaches readers as a name change.
    lblTotals->setAccessibleDescription(u"Totals of the check, updated as the text changes"_s);
    middle->addWidget(lblTotals, 1);
    LblCopyFindings = NewLink(this, "LblCopyFindings", u"Copy Findings"_s,
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                              u"Copy the totals and the list as a table (Ctrl+Shift+C)"_s);
    LblCopyFindings->setReachedByTab();
    connect(LblCopyFindings, &ClickableLabel::clicked, this, &TextCheckfrm::LblCopyFindings_Click);
    middle->addWidget(LblCopyFindings);

    lstFindings = new QListView(this);
    lstFindings->setObjectName(u"lstFindings"_s);
    lstFindings->setAccessibleName(u"Findings"_s);
    lstFindings->setFont(TimesFont(9.75));
    lstFindings->setUniformItemSizes(true);
    // Rows take the list's width and cut what does not fit, so nothing scrolls sideways.
    lstFindings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstFindings->setIconSize(QSize(16, 16));
    lstFindings->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFindings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_findings = new FindingsModel(this);
    lstFindings->setModel(m_findings);
    lstFindings->setItemDelegate(new FindingsDelegate(lstFindings));
    connect(lstFindings->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { lstFindings_CurrentChanged(current.row()); });
    // Enter or a double click goes on into the text, to mend the result or figure there.
    connect(lstFindings, &QListView::activated, this,
            [this](const QModelIndex &index) { SelectRow(index.row(), true); });
    layout->addWidget(lstFindings, 3);

    m_loader = new DocumentLoader(this);
    connect(m_loader, &DocumentLoader::Loaded, this, &TextCheckfrm::ReplaceText);
    connect(m_loader, &DocumentLoader::Failed, this, [this](const QString &message) {
        ShowMessageBox(this, message, u"Error"_s, MessageIcon::Critical);
    });

    auto *next = new QShortcut(QKeySequence(Qt::Key_F8), this);
    connect(next, &QShortcut::activated, this, [this] { GoToFinding(true); });
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8), this);
    connect(previous, &QShortcut::activated, this, [this] { GoToFinding(false); });
    txtText->setFocus();
}

void TextCheckfrm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Centred again once the window manager has framed it, so that the frame's real size
    // counts; later it opens where the user left it.
    QTimer::singleShot(0, this, [this] { CentreWhenFramed(this, [this] { CenterForm(); }); });
}

void TextCheckfrm::CenterForm()
{
    MoveWindowTwips(this, ScreenWidthTwips() / 2 - WindowWidthTwips(this) / 2,
                    ScreenHeightTwips() / 2 - WindowHeightTwips(this) / 2);
}

void TextCheckfrm::ScheduleCheck()
{
    // Restarted by every key, so the check runs once typing pauses.
    ++m_generation;
    m_pause.start();
}

void TextCheckfrm::StartCheck()
{
    // On a thread of the pool: a long manuscript's check never holds up typing. The results
    // come back to this thread and are shown only if nothing was edited meanwhile.
    const quint64 generation = m_generation;
    const QString text = txtText->toPlainText();
    const CheckSettings settings{txtAlpha->text(), chkWholeNumbers->isChecked()};
    auto promise = std::make_shared<QPromise<TextCheck>>();
    QFuture<TextCheck> checked = promise->future();
    promise->start();
    ++m_pending;
    QThreadPool::globalInstance()->start([promise, text, settings] {
        promise->addResult(CheckText(text, settings));
        promise->finish();
    });
    checked.then(this, [this, generation](const TextCheck &check) {
        --m_pending;
        if (generation == m_generation)
            ApplyCheck(check);
    });
}

void TextCheckfrm::ApplyCheck(const TextCheck &check)
{
    lblTotals->setText(TotalsLine(CountVerdicts(check)));
    m_findings->setResults(check.results);
    txtText->setExtraSelections(MarksFor(*m_findings, txtText->document()));
}

bool TextCheckfrm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != txtText->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        // The character under the pointer: the caret place nearest it, less one where the
        // pointer is left of that place.
        const QTextCursor near = txtText->cursorForPosition(help->pos());
        const bool leftOfIt = help->pos().x() < txtText->cursorRect(near).left();
        const int row = MarkAt(txtText->extraSelections(), near.position() - (leftOfIt ? 1 : 0));
        if (row >= 0 && row < m_findings->rowCount())
            QToolTip::showText(help->globalPos(),
                               m_findings->index(row).data(FindingsModel::MessageRole).toString(),
                               txtText->viewport());
        else
            QToolTip::hideText();
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (auto *drag = static_cast<QDragMoveEvent *>(event);
            !DocumentLoader::DraggedFile(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    case QEvent::Drop:
        if (auto *drop = static_cast<QDropEvent *>(event);
            !DocumentLoader::DraggedFile(drop->mimeData()).isEmpty()) {
            drop->acceptProposedAction();
            OpenDocument(DocumentLoader::DraggedFile(drop->mimeData()));
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TextCheckfrm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DocumentLoader::DraggedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TextCheckfrm::dropEvent(QDropEvent *event)
{
    const QString file = DocumentLoader::DraggedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    OpenDocument(file);
}

void TextCheckfrm::OpenDocument(const QString &path)
{
    m_loader->Load(path);
}

bool TextCheckfrm::documentLoading() const
{
    return m_loader->IsLoading();
}

void TextCheckfrm::ReplaceText(const QString &text)
{
    // One edit of the document, not a new document: Ctrl+Z brings the old text back.
    QTextCursor cursor(txtText->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
    cursor.movePosition(QTextCursor::Start);
    txtText->setTextCursor(cursor);
    txtText->setFocus();
}

void TextCheckfrm::CmdOpen_Click()
{
    QStringList patterns;
    for (const QString &extension : DocumentExtensions())
        patterns << u"*."_s + extension;
    const QString filter = u"Manuscripts (%1);;All files (*)"_s.arg(patterns.join(u' '));
    static QString folder;
    const QString path = QFileDialog::getOpenFileName(this, u"Open"_s, folder, filter);
    if (path.isEmpty())
        return;
    folder = QFileInfo(path).absolutePath();
    OpenDocument(path);
}

void TextCheckfrm::LblCopyFindings_Click()
{
    QGuiApplication::clipboard()->setMimeData(
        FindingsCopy(lblTotals->text(), m_findings->results()));
}

void TextCheckfrm::LblMainMenuLnk_Click()
{
    // The text stays: a pasted manuscript is never thrown away by going to another window.
    hide();
    Q_EMIT mainMenuRequested();
}

void TextCheckfrm::GoToFinding(bool forward)
{
    const int row = NextStop(txtText->extraSelections(), *m_findings,
                             lstFindings->currentIndex().row(), txtText->textCursor(), forward);
    if (row >= 0)
        SelectRow(row, true);
}

void TextCheckfrm::SelectRow(int row, bool focusText)
{
    const QList<QTextEdit::ExtraSelection> marks = txtText->extraSelections();
    if (row < 0 || row >= marks.size())
        return;
    // The caret ends after the result or figure, as after a selection by the keyboard; readers
    // are told of the new selection and read it.
    QTextCursor selection(txtText->document());
    selection.setPosition(marks.at(row).cursor.selectionStart());
    selection.setPosition(marks.at(row).cursor.selectionEnd(), QTextCursor::KeepAnchor);
    if (focusText)
        txtText->setFocus(Qt::ShortcutFocusReason);
    txtText->setTextCursor(selection);
    txtText->centerCursor();
    m_selecting = true;
    lstFindings->setCurrentIndex(m_findings->index(row));
    m_selecting = false;
}

void TextCheckfrm::lstFindings_CurrentChanged(int row)
{
    if (!m_selecting && row >= 0)
        SelectRow(row, false);
}

void TextCheckfrm::closeEvent(QCloseEvent *event)
{
    // Closing any window ends the program at once: nothing to confirm, nothing to save.
    event->accept();
    QCoreApplication::quit();
}
