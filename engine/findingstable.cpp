#include "engine/findingstable.h"

namespace engine {
namespace words {

Text VerdictWord(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Consistent:
        return u"Consistent";
    case Verdict::ConsistentOneTailed:
        return u"Consistent (one-tailed)";
    case Verdict::Inconsistent:
        return u"Inconsistent";
    case Verdict::Decision:
        return u"Decision error";
    case Verdict::Unchecked:
        break;
    }
    return u"Unchecked";
}

} // namespace words

bool NeedsALook(Verdict verdict)
{
    return verdict != Verdict::Consistent && verdict != Verdict::ConsistentOneTailed;
}

Verdict FigureLook(FigureVerdict verdict)
{
    switch (verdict) {
    case FigureVerdict::Consistent:
        return Verdict::Consistent;
    case FigureVerdict::Inconsistent:
        return Verdict::Inconsistent;
    case FigureVerdict::Unchecked:
        break;
    }
    return Verdict::Unchecked;
}

namespace words {

Text FigureKindWord(FigureKind kind)
{
    switch (kind) {
    case FigureKind::EffectSize:
        return u"effect size";
    case FigureKind::Interval:
        return u"confidence interval";
    case FigureKind::BSe:
        return u"b and its SE";
    case FigureKind::DfN:
        return u"df against N";
    case FigureKind::Grim:
        return u"GRIM";
    case FigureKind::Grimmer:
        break;
    }
    return u"GRIMMER";
}

Text FigureWords(FigureVerdict verdict, FigureKind kind)
{
    return VerdictWord(FigureLook(verdict)) + u' ' + FigureKindWord(kind);
}

} // namespace words

namespace {
// One cell's text: nothing invisible, one line.
Text CellText(TextView text)
{
    Text cell;
    cell.reserve(text.size());
    for (const char16_t c : text) {
        if (IsFormatCharacter(c))
            continue;
        const bool breaks = c == u'\t' || c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
        cell += breaks ? u' ' : c;
    }
    return cell;
}

Text HtmlEscaped(TextView text)
{
    Text escaped;
    escaped.reserve(text.size());
    for (const char16_t c : text) {
        switch (c) {
        case u'<':
            escaped += u"&lt;";
            break;
        case u'>':
            escaped += u"&gt;";
            break;
        case u'&':
            escaped += u"&amp;";
            break;
        case u'"':
            escaped += u"&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}
} // namespace

FindingsTable::FindingsTable(TextView totals)
{
    const Text heads[] = {u"Verdict", u"Result", u"Finding"};
    m_plain = CellText(totals) + u'\n' + heads[0] + u'\t' + heads[1] + u'\t' + heads[2];
    m_html = u"<html><head><meta charset=\"utf-8\"></head><body><p>" +
             HtmlEscaped(CellText(totals)) +
             u"</p><table border=\"1\" cellspacing=\"0\" cellpadding=\"4\"><tr>";
    for (const Text &head : heads)
        m_html += u"<th>" + head + u"</th>";
    m_html += u"</tr>";
}

void FindingsTable::AddRow(const Text &verdict, TextView quote, TextView message)
{
    // Appended piece by piece: a table of a long section has hundreds of rows.
    const Text cells[] = {verdict, CellText(quote), CellText(message)};
    m_html += u"<tr>";
    for (const Text &cell : cells) {
        m_plain += &cell == cells ? u'\n' : u'\t';
        m_plain += cell;
        m_html += u"<td>";
        m_html += HtmlEscaped(cell);
        m_html += u"</td>";
    }
    m_html += u"</tr>";
}

void FindingsTable::AddResult(Verdict verdict, TextView quote, TextView message)
{
    AddRow(VerdictWord(verdict), quote, message);
}

void FindingsTable::AddFigure(FigureVerdict verdict, FigureKind kind, TextView quote,
                              TextView message)
{
    AddRow(FigureWords(verdict, kind), quote, message);
}

Text FindingsTable::Plain() const
{
    return m_plain + u'\n';
}

Text FindingsTable::Html() const
{
    return m_html + u"</table></body></html>";
}

} // namespace engine
