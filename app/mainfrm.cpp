#include "app/mainfrm.h"

#include "anova/anovafrm.h"
#include "app/modsupershell.h"
#include "chisquare/chisquaretestfrm.h"
#include "correlation/correlationfrm.h"
#include "sectioncheck/textcheckfrm.h"
#include "toolkit/accessibility.h"
#include "toolkit/clickablelabel.h"
#include "toolkit/toolkit.h"
#include "toolkit/twips.h"
#include "ttestdep/ttestdepfrm.h"
#include "ttestindep/ttestindepfrm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {
QLabel *addText(QWidget *parent, QLabel *label, const char *name, const QFont &font, double left,
                double top, double width, double height)
{
    label->setParent(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    SetGeometryTwips(label, left, top, width, height);
    return label;
}

QLabel *addText(QWidget *parent, const char *name, const QString &caption, const QFont &font,
                double left, double top, double width, double height)
{
    return addText(parent, new QLabel(caption), name, font, left, top, width, height);
}

// A test entry: black text that opens a test window when clicked.
ClickableLabel *addEntry(QWidget *parent, const char *name, const QString &caption,
                         const QString &tip, bool italic, double left, double top, double width,
                         double height)
{
    auto *entry = new ClickableLabel(caption);
    addText(parent, entry, name, TimesFont(9.75, true, italic), left, top, width, height);
    entry->setToolTip(tip);
    return entry;
}
} // namespace

MainFrm::MainFrm(QWidget *parent) : QWidget(parent)
{
    SetUpWindow(this, "MainFrm", u"Kelvaron - Beta"_s);
    // Known frame before the first centring (the sizes are outer sizes).
    create();
    SetClientSizeTwips(this, 8715, 3915);
    buildContents();
    Form_Load();
}

MainFrm::~MainFrm() = default;

void MainFrm::buildContents()
{
    const QString independentTip = u"Compare Means for 2 Independent Samples"_s;
    KeepLabelsInLine({addText(this, "Label1", u"Save Time Now with Kelvaron™"_s, TimesFont(12), 360,
                              480, 3825, 315)});
    QLabel *Label2 =
        addText(this, "Label2", u"Only the independent-samples and dependent-samples "_s,
                TimesFont(12), 360, 855, 4995, 285);
    QLabel *Label6 =
        addText(this, "Label6", u"t"_s, TimesFont(12, false, true), 5370, 870, 75, 285);
    QLabel *Label7 =
        addText(this, "Label7", u"-tests are functional."_s, TimesFont(12), 5460, 870, 1815, 285);
    KeepLabelsInLine({Label2, Label6, Label7});
    ReadAsOne({Label2, Label6, Label7},
              u"Only the independent-samples and dependent-samples t-tests are functional."_s);
    KeepLabelsInLine(
        {addText(this, "Label3", u"Click Feedbacks for information about obtaining more tests!"_s,
                 TimesFont(12), 360, 1200, 5595, 315)});
    KeepLabelsInLine(
        {addText(this, "Label8", u"Select your test now!"_s, TimesFont(12), 360, 1830, 2025, 315)});

    auto *Shape1 = new QFrame(this);
    Shape1->setObjectName(u"Shape1"_s);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setFrameShadow(QFrame::Plain);
    SetGeometryTwips(Shape1, 240, 2220, 3105, 1515);
    LeaveUnread(Shape1); // drawn only: readers would take a frame for a window

    ClickableLabel *LblMainMenuLnk = addEntry(this, "LblMainMenuLnk", u"Independent Samples"_s,
                                              independentTip, false, 600, 2460, 2250, 225);
    ClickableLabel *Label9 =
        addEntry(this, "Label9", u"t"_s, independentTip, true, 2400, 2460, 60, 240);
    ClickableLabel *Label10 =
        addEntry(this, "Label10", u"-test"_s, independentTip, false, 2520, 2460, 390, 225);
    ClickableLabel *Label11 =
        addEntry(this, "Label11", u"Dependent Samples"_s,
                 u"Compare Means for 2 Dependent Samples"_s, false, 600, 2850, 1590, 225);
    ClickableLabel *Label12 = addEntry(this, "Label12", u"t"_s, {}, true, 2280, 2865, 60, 240);
    ClickableLabel *Label13 =
        addEntry(this, "Label13", u"-test"_s, {}, false, 2400, 2865, 360, 225);
    ClickableLabel *Label18 =
        addEntry(this, "Label18", u"Two by Two Chi-Square"_s,
                 u"Compare two categories each with two levels"_s, false, 600, 3240, 1920, 225);
    KeepLabelsInLine({LblMainMenuLnk, Label9, Label10});
    KeepLabelsInLine({Label11, Label12, Label13});
    KeepLabelsInLine({Label18});

    // The tests added later stand in the free band above the feedback button, on the line of
    // "Select your test now!".
    ClickableLabel *Label19 = addEntry(this, "Label19", u"Pearson Correlation"_s,
                                       u"Relate two variables measured on the same cases"_s, false,
                                       3450, 1890, 1740, 225);
    ClickableLabel *Label20 = addEntry(this, "Label20", u"One-Way ANOVA"_s,
                                       u"Compare Means for 3 or More Independent Samples"_s, false,
                                       5550, 1890, 1560, 225);
    KeepLabelsInLine({Label19, Label20});
    // The check of a whole text stands apart from the tests, at the top right on the line of the
    // greeting, ending where the feedback button ends.
    ClickableLabel *Label21 = addEntry(this, "Label21", u"Check a Results Section"_s,
                                       u"Check every statistic in a text you paste or open"_s,
                                       false, 6345, 540, 2250, 225);
    KeepLabelsInLine({Label21});

    connect(LblMainMenuLnk, &ClickableLabel::clicked, this, &MainFrm::LblMainMenuLnk_Click);
    connect(Label9, &ClickableLabel::clicked, this, &MainFrm::Label9_Click);
    connect(Label10, &ClickableLabel::clicked, this, &MainFrm::Label10_Click);
    connect(Label11, &ClickableLabel::clicked, this, &MainFrm::Label11_Click);
    connect(Label12, &ClickableLabel::clicked, this, &MainFrm::Label12_Click);
    connect(Label13, &ClickableLabel::clicked, this, &MainFrm::Label13_Click);
    connect(Label18, &ClickableLabel::clicked, this, &MainFrm::Label18_Click);
    connect(Label19, &ClickableLabel::clicked, this, &MainFrm::Label19_Click);
    connect(Label20, &ClickableLabel::clicked, this, &MainFrm::Label20_Click);
    connect(Label21, &ClickableLabel::clicked, this, &MainFrm::Label21_Click);

    // The entries are labels and take no focus: each row is one link for screen readers and
    // has a key of its own, which opens it like a click on its first piece.
    ReadAsOneLink({LblMainMenuLnk, Label9, Label10}, u"Independent Samples t-test"_s,
                  QKeySequence(Qt::ALT | Qt::Key_1));
    ReadAsOneLink({Label11, Label12, Label13}, u"Dependent Samples t-test"_s,
                  QKeySequence(Qt::ALT | Qt::Key_2));
    ReadAsOneLink({Label18}, u"Two by Two Chi-Square"_s, QKeySequence(Qt::ALT | Qt::Key_3));
    ReadAsOneLink({Label19}, u"Pearson Correlation"_s, QKeySequence(Qt::ALT | Qt::Key_4));
    ReadAsOneLink({Label20}, u"One-Way ANOVA"_s, QKeySequence(Qt::ALT | Qt::Key_5));
    ReadAsOneLink({Label21}, u"Check a Results Section"_s, QKeySequence(Qt::ALT | Qt::Key_6));

    auto *CmdFeedbacks = new QPushButton(u"Your Feedbacks"_s, this);
    CmdFeedbacks->setObjectName(u"CmdFeedbacks"_s);
    CmdFeedbacks->setFont(TimesFont(15.75));
    CmdFeedbacks->setIcon(FeedbackPicture());
    CmdFeedbacks->setIconSize(QSize(TwipsToPixels(1080), TwipsToPixels(1080)));
    SetGeometryTwips(CmdFeedbacks, 3450, 2190, 5145, 1545);
    connect(CmdFeedbacks, &QPushButton::clicked, this, &MainFrm::CmdFeedbacks_Click);
}

void MainFrm::Form_Load()
{
    MoveWindowTwips(this, ScreenWidthTwips() / 2 - WindowWidthTwips(this) / 2,
                    ScreenHeightTwips() / 2 - WindowHeightTwips(this) / 2);
}

void MainFrm::ShowCentred()
{
    show();
    CentreWhenFramed(this, [this] { Form_Load(); });
}

void MainFrm::LblMainMenuLnk_Click()
{
    OpenTest(m_ttestindepfrm);
}
void MainFrm::Label9_Click()
{
    OpenTest(m_ttestindepfrm);
}
void MainFrm::Label10_Click()
{
    OpenTest(m_ttestindepfrm);
}
void MainFrm::Label11_Click()
{
    OpenTest(m_ttestdepfrm);
}
void MainFrm::Label12_Click()
{
    OpenTest(m_ttestdepfrm);
}
void MainFrm::Label13_Click()
{
    OpenTest(m_ttestdepfrm);
}
void MainFrm::Label18_Click()
{
    OpenTest(m_chiSquareTestfrm);
}
void MainFrm::Label19_Click()
{
    OpenTest(m_correlationfrm);
}
void MainFrm::Label20_Click()
{
    OpenTest(m_anovafrm);
}
void MainFrm::Label21_Click()
{
    OpenTest(m_textCheckfrm);
}

template <typename Form> void MainFrm::OpenTest(std::unique_ptr<Form> &form)
{
    NoteWindowFrame(this);
    hide();
    if (!form) {
        form = std::make_unique<Form>();
        connect(form.get(), &Form::mainMenuRequested, this, &MainFrm::ShowAgain);
    }
    ShowWindow(form.get());
}

void MainFrm::ShowAgain()
{
    ShowWindow(this);
}

void MainFrm::CmdFeedbacks_Click()
{
    qint32 number = 0;
    QString source;
    QString description;
    SuperShell(u"mailto:"_s + QLatin1String(FeedbackAddress), QString(), 0, 1, QString(), -1, true,
               number, source, description);
}

void MainFrm::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void MainFrm::Form_Unload()
{
    QCoreApplication::quit();
}
