#include "report/figurecheckstrip.h"

#include "report/resultviewer.h"
#include "toolkit/accessibility.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>

using namespace Qt::Literals::StringLiterals;

namespace {
// Fixed colours, dark on the program's light grey, so the strip reads the same in every theme.
const QColor Text(0x20, 0x20, 0x20);
constexpr auto WarningColour = "#7a3e00";
constexpr auto AgreeColour = "#1b5e20";
constexpr auto StripLinkColour = "#0b3d91";
constexpr int Padding = 4;
} // namespace

FigureCheckStrip::FigureCheckStrip(ResultViewer *pane) : QLabel(pane), m_pane(pane)
{
    setObjectName(u"FigureCheck"_s);
    setAccessibleName(tr("Figure checks"));
    // Screen readers read its lines as text and meet "Copy" as a link of its own.
    NameLabelLink(this, u"copy"_s, tr("Copy effect size"));
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    setWordWrap(true);
    setMargin(Padding);
    setAutoFillBackground(true);
    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Window, FormBackground);
        colours.setColor(group, QPalette::WindowText, Text);
        colours.setColor(group, QPalette::Text, Text);
    }
    setPalette(colours);
    hide();
    connect(this, &QLabel::linkActivated, this, &FigureCheckStrip::CopyEffectSize);
}

void FigureCheckStrip::ShowFindings(const Findings &findings)
{
    if (findings.isEmpty()) {
        clear();
        setAccessibleDescription({});
        m_pane->ReserveBottom(0);
        hide();
        return;
    }
    QStringList lines, spoken;
    m_copyHtml.clear();
    m_copyText.clear();
    for (const Finding &finding : findings) {
        spoken << finding.text;
        switch (finding.kind) {
        case Finding::Agree:
            lines << u"<span style=\"color:%1\">\u2714</span> %2"_s.arg(
                QLatin1StringView(AgreeColour), finding.text.toHtmlEscaped());
            break;
        case Finding::Warning:
            lines << u"<span style=\"color:%1\">\u26a0 %2</span>"_s.arg(
                QLatin1StringView(WarningColour), finding.text.toHtmlEscaped());
            break;
        case Finding::Effect:
            m_copyHtml = finding.copyHtml;
            m_copyText = finding.copyText;
            lines << u"Effect size: %1 &nbsp;<a href=\"copy\" style=\"color:%2\">Copy</a>"_s.arg(
                finding.copyHtml, QLatin1StringView(StripLinkColour));
            break;
        }
    }
    setText(lines.join(u"<br>"_s));
    setAccessibleDescription(spoken.join(u'\n'));

    // Inside the pane's frame, along its bottom edge; the page's viewport ends above it. The
    // page's scroll bar runs the frame's full height, so the strip stops beside it; the height
    // it reserves may bring the scroll bar, so it is placed a second time.
    const QRect inside = m_pane->contentsRect();
    const QScrollBar *bar = m_pane->verticalScrollBar();
    for (int pass = 0; pass < 2; ++pass) {
        const int width = inside.width() - (bar->isVisibleTo(m_pane) ? bar->width() : 0);
        const int height = heightForWidth(width);
        setGeometry(
            QStyle::visualRect(layoutDirection(), inside,
                               {inside.left(), inside.bottom() + 1 - height, width, height}));
        m_pane->ReserveBottom(height);
    }
    show();
}

void FigureCheckStrip::CopyEffectSize()
{
    auto *data = new QMimeData;
    data->setHtml(m_copyHtml);
    data->setText(m_copyText);
    QApplication::clipboard()->setMimeData(data);
}
