#include "report/resultform.h"

#include "common/fieldtext.h"
#include "report/figurecheckstrip.h"
#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "toolkit/accessibility.h"
#include "toolkit/clickablelabel.h"
#include "toolkit/textbox.h"
#include "toolkit/toolkit.h"
#include "toolkit/twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>

namespace {
// The test windows' client width: the pane and the right-hand column with a margin as wide as
// the pane's left one.
constexpr double ClientWidth = 8175;
constexpr double FieldPointSize = 8.25;
constexpr double ButtonPointSize = 9.75;
} // namespace

ResultForm::ResultForm(const char *name, const QString &caption, QWidget *parent) : QWidget(parent)
{
    SetUpWindow(this, name, caption);
    // Sizes are outer sizes: create the platform window now so its frame is known before the
    // window is first collapsed and centred.
    create();
    SetClientSizeTwips(this, ClientWidth, 4725);
}

void ResultForm::Form_Load()
{
    ResetForm();
    CenterForm();
}

void ResultForm::CenterForm()
{
    const double left = ScreenWidthTwips() / 2 - WindowWidthTwips(this) / 2;
    const double top = ScreenHeightTwips() / 2 - WindowHeightTwips(this) / 2;
    MoveWindowTwips(this, left, top);
}

void ResultForm::CmdShowResultText_Click()
{
    if (!ValidateInputs())
        return;
    if (!ComposeReport())
        return;
    GrowForm();
    CenterForm();
}

void ResultForm::LblMainMenuLnk_Click()
{
    hide();
    ResetForm();
    Q_EMIT mainMenuRequested();
}

bool ResultForm::RunFieldChecks(std::initializer_list<FieldCheck> checks)
{
    for (const FieldCheck &check : checks) {
        const QString text = check.box->text();
        const bool passes =
            check.test == FieldTest::Name ? PassesNameTest(text) : PassesNumberTest(text);
        if (!passes) {
            ShowInputError(check.message);
            return false;
        }
    }
    return true;
}

void ResultForm::ShowInputError(const QString &message)
{
    ShowMessageBox(this, message, QStringLiteral("Error"), MessageIcon::Critical);
}

bool ResultForm::PublishReport(const QString &html, const Findings &findings)
{
    const QString path = ResultFilePath();
    QString reason;
    if (!WriteUnicodeFile(path, html, true, &reason)) {
        ShowMessageBox(this,
                       tr("The result could not be saved to %1\n\n%2\n\n"
                          "The previous result file, if there is one, is unchanged.")
                           .arg(QDir::toNativeSeparators(path), reason),
                       QStringLiteral("Error"), MessageIcon::Critical);
        return false;
    }
    WebBrowser1->Navigate(path);
    FigureCheck->ShowFindings(findings);
    return true;
}

void ResultForm::CollapseForm()
{
    SetWindowHeightTwips(this, ControlTopTwips(CmdShowResultText) +
                                   ControlHeightTwips(CmdShowResultText) + 600);
}

void ResultForm::GrowForm()
{
    SetWindowHeightTwips(this,
                         ControlHeightTwips(WebBrowser1) + ControlTopTwips(WebBrowser1) + 580);
}

TextBox *ResultForm::AddTextBox(const char *name, int maxLength, double left, double top,
                                double width, double height)
{
    auto *box = new TextBox(maxLength, this);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(TimesFont(FieldPointSize, true));
    SetGeometryTwips(box, left, top, width, height);
    return box;
}

QComboBox *ResultForm::AddTailsBox(const char *name, double left, double top, double width,
                                   double height)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    // The list stays "1" and "2": what the user types is the box's text, not a new item.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems({QStringLiteral("1"), QStringLiteral("2")});
    box->setCurrentText(QStringLiteral("1"));
    box->setFont(TimesFont(FieldPointSize, true));
    SetGeometryTwips(box, left, top, width, height);
    return box;
}

QLabel *ResultForm::AddLabel(const char *name, const QString &caption, const QFont &font,
                             double left, double top, double width, double height)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    SetGeometryTwips(label, left, top, width, height);
    return label;
}

QLabel *ResultForm::AddCaption(const char *name, const QString &caption, QWidget *field,
                               double left, double top, double width, double height)
{
    QLabel *label =
        AddLabel(name, caption, TimesFont(FieldPointSize, true), left, top, width, height);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setWordWrap(true);
    label->setBuddy(field);
    field->setAccessibleName(caption);
    return label;
}

void ResultForm::AddShowResultButton(double left, double top, double width, double height)
{
    CmdShowResultText = new QPushButton(QStringLiteral("Show Result Text"), this);
    CmdShowResultText->setObjectName(QStringLiteral("CmdShowResultText"));
    CmdShowResultText->setFont(TimesFont(ButtonPointSize, true));
    SetGeometryTwips(CmdShowResultText, left, top, width, height);
    connect(CmdShowResultText, &QPushButton::clicked, this, &ResultForm::CmdShowResultText_Click);
}

void ResultForm::AddMainMenuLink(double left, double top)
{
    LblMainMenuLnk = NewMainMenuLink(this);
    SetGeometryTwips(LblMainMenuLnk, left, top, 1095, 255);
    connect(LblMainMenuLnk, &ClickableLabel::clicked, this, &ResultForm::LblMainMenuLnk_Click);
}

void ResultForm::AddResultPane(double left, double top, double width, double height)
{
    WebBrowser1 = new ResultViewer(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    SetGeometryTwips(WebBrowser1, left, top, width, height);
    WebBrowser1->setAccessibleName(m_paneCaption);
    FigureCheck = new FigureCheckStrip(WebBrowser1);
}

void ResultForm::SetPaneCaption(std::initializer_list<QLabel *> pieces, const QString &spoken)
{
    ReadAsOne(pieces, spoken);
    m_paneCaption = spoken;
    if (WebBrowser1)
        WebBrowser1->setAccessibleName(spoken);
}

void ResultForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void ResultForm::Form_Unload()
{
    // Closing any window ends the program at once: nothing to confirm, nothing to save.
    QCoreApplication::quit();
}
