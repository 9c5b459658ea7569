// Paragraphs rebuilt from the lines of a PDF page.
#include "textcheck/pdfparagraphs.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace documentreading {
namespace {

// How far a line must stray from its neighbours to start a paragraph. Lengths are in line
// heights (the height of a line's font), so that they hold for any font size.
constexpr double LargerGap = 1.5;      // times the usual pitch from line to line on the page
constexpr double OtherFontSize = 1.15; // a ratio of two lines' heights
constexpr double Indent = 0.6;         // a first line's indent
constexpr double Near = 0.2;           // two edges or baselines closer are one
constexpr double Blank = 0.25;         // the width of a blank
constexpr double SingleSpacing = 1.2;  // the pitch where a page shows none to go by
constexpr double RunningText = 12;     // the least width of a line of running text

struct Line {
    QString text;
    QRectF box;        // around all its words
    double height = 1; // of the words most of its letters are in
    double bottom = 0; // of those words: a few raised or lowered letters do not move it
    double firstWordWidth = 0;
};

// The columns of a page as the reading order passes them: lines [from, to).
struct Column {
    qsizetype from = 0, to = 0;
    double left = 0; // the left edge most of its lines start at
};

// The value below which half the weight lies.
double WeightedMedian(QList<std::pair<double, qsizetype>> values)
{
    std::sort(values.begin(), values.end());
    qsizetype total = 0;
    for (const auto &value : values)
        total += value.second;
    qsizetype below = 0;
    for (const auto &[value, weight] : values) {
        below += weight;
        if (2 * below >= total)
            return value;
    }
    return 0;
}

// The lower median: of two pitches, a line's and a gap's, the line's.
double Median(QList<double> values)
{
    const auto middle = values.begin() + (values.size() - 1) / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

bool IsFinite(const QRectF &box)
{
    return std::isfinite(box.left()) && std::isfinite(box.top()) && std::isfinite(box.right()) &&
           std::isfinite(box.bottom());
}

// The text layer parts a line where a wide blank (a formula's, a justified line's) leaves a gap;
// the part on the same baseline close to the right of the last goes on with it.
bool GoesOnAlongside(const Line &last, const Line &next)
{
    const double height = std::max(last.height, next.height);
    return std::abs(next.bottom - last.bottom) < Near * height &&
           next.box.left() >= last.box.right() && next.box.left() < last.box.right() + 2 * height;
}

void Merge(Line &line, const Line &part)
{
    line.text += u' ' + part.text;
    line.box |= part.box;
    if (part.text.size() > line.text.size() / 2) { // most letters are in the part
        line.height = part.height;
        line.bottom = part.bottom;
    }
}

QList<Line> Lines(const QList<PdfWord> &words)
{
    QList<Line> lines;
    Line line;
    QList<std::pair<double, qsizetype>> heights, bottoms; // weighed by the words' letters
    for (qsizetype i = 0; i < words.size(); ++i) {
        const PdfWord &word = words.at(i);
        // A damaged file's word may lie nowhere; put in a corner, it leaves the measures numbers.
        const QRectF box = IsFinite(word.box) ? word.box : QRectF();
        if (heights.isEmpty()) {
            line.box = box;
            line.firstWordWidth = box.width();
        } else {
            line.box |= box;
        }
        line.text += word.text;
        const qsizetype letters = std::max<qsizetype>(1, word.text.size());
        heights.append({box.height(), letters});
        bottoms.append({box.bottom(), letters});
        if (word.endsLine || i + 1 == words.size()) {
            const double height = WeightedMedian(heights);
            line.height = height > 0.01 ? height : 1; // a damaged file's words may have none
            line.bottom = WeightedMedian(bottoms);
            if (!lines.isEmpty() && GoesOnAlongside(lines.last(), line))
                Merge(lines.last(), line);
            else
                lines.append(std::move(line));
            line = {};
            heights.clear();
            bottoms.clear();
        } else if (word.spaceAfter) {
            line.text += u' ';
        }
    }
    return lines;
}

// The reading goes on in another column or beside the text (a table's next cell, a note in the
// margin): the next line sits higher than the last, or wholly to its side.
bool ChangesColumn(const Line &last, const Line &next)
{
    return next.box.center().y() < last.box.top() || next.box.left() >= last.box.right() ||
           next.box.right() <= last.box.left();
}

bool ChangesFontSize(const Line &a, const Line &b)
{
    return std::max(a.height, b.height) > OtherFontSize * std::min(a.height, b.height);
}

// The page's usual pitch from a line to the next in its column, in line heights: the median,
// so that the gaps before paragraphs and headings weigh little.
double UsualPitch(const QList<Line> &lines, const QList<bool> &startsColumn)
{
    QList<double> pitches;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const Line &last = lines.at(i - 1), &next = lines.at(i);
        const double height = std::max(last.height, next.height);
        // Only lines of running text: one below the other, of one size, starting together and
        // some 30 letters long or more (not a figure's labels, nor a table's rows).
        if (startsColumn.at(i) || ChangesFontSize(last, next) ||
            std::abs(next.box.left() - last.box.left()) > Indent * height ||
            std::min(last.box.width(), next.box.width()) < RunningText * height)
            continue;
        const double pitch = (next.bottom - last.bottom) / height;
        if (pitch > 0.8) // no closer than lines set solid
            pitches.append(pitch);
    }
    return pitches.isEmpty() ? SingleSpacing : Median(pitches);
}

// The left end that most lines of the column share; a first line's indent is right of it.
double LeftEdge(const QList<Line> &lines, qsizetype from, qsizetype to)
{
    QList<double> lefts, heights;
    for (qsizetype i = from; i < to; ++i) {
        lefts.append(lines.at(i).box.left());
        heights.append(lines.at(i).height);
    }
    std::sort(lefts.begin(), lefts.end());
    const double near = Near * Median(heights);
    qsizetype best = 0, most = 0;
    for (qsizetype i = 0, low = 0, high = 0; i < lefts.size(); ++i) {
        while (lefts.at(low) < lefts.at(i) - near)
            ++low;
        while (high < lefts.size() && lefts.at(high) <= lefts.at(i) + near)
            ++high;
        if (high - low > most) {
            most = high - low;
            best = i;
        }
    }
    return lefts.at(best);
}

// The right end of the column around line i: the furthest that the lines near it of its size
// reach. Near, because a column may follow a wider block (an abstract, a table) without a break.
double RightEdge(const QList<Line> &lines, qsizetype i, const Column &column)
{
    double right = lines.at(i).box.right();
    for (qsizetype j = std::max(column.from, i - 2); j < std::min(column.to, i + 3); ++j)
        if (!ChangesFontSize(lines.at(i), lines.at(j)))
            right = std::max(right, lines.at(j).box.right());
    return right;
}

// ". ? ! :", also before a closing quote or bracket.
bool EndsSentence(QStringView text)
{
    text = text.trimmed();
    while (!text.isEmpty() && QStringView(u")]\"'\u2019\u201D").contains(text.back()))
        text.chop(1);
    return !text.isEmpty() && QStringView(u".?!:").contains(text.back());
}

bool StartsParagraph(const QList<Line> &lines, qsizetype i, const Column &column, double pitch)
{
    const Line &last = lines.at(i - 1), &next = lines.at(i);
    const double height = std::max(last.height, next.height);
    if (ChangesFontSize(last, next)) // a heading, a caption, a note
        return true;
    if (next.bottom - last.bottom > LargerGap * pitch * height)
        return true;
    // A paragraph's last line ends a sentence or leaves room for the next line's first word:
    // one of them and an indent on the next line start a paragraph, or both of them.
    const bool endsSentence = EndsSentence(last.text);
    const bool roomLeft =
        last.box.right() + Blank * height + next.firstWordWidth < RightEdge(lines, i - 1, column);
    // Indented against the column, and not as far as the line before (a block quote's lines
    // are); the line before may be a heading set in the middle. After a full line that goes on,
    // an indent is a list item's or a reference's hanging one.
    const double indent = Indent * next.height;
    const bool indented = next.box.left() > column.left + indent &&
                          std::abs(next.box.left() - last.box.left()) > indent;
    return (endsSentence || roomLeft) && (indented || (endsSentence && roomLeft));
}

bool IsLineEndHyphen(QChar c)
{
    return c == u'-' || c == QChar(0x2010) || c == QChar(0x00AD);
}

// Words whose hyphen is part of the compound, not of the line's end: "one-tailed" must stay so.
bool KeepsItsHyphen(QStringView word)
{
    static const QStringList prefixes = {u"one"_s,     u"two"_s,    u"three"_s, u"four"_s,
                                         u"between"_s, u"within"_s, u"self"_s,  u"non"_s,
                                         u"cross"_s,   u"post"_s,   u"pre"_s};
    if (word.size() == 1)
        return true; // "t-test", "F-test"
    for (const QString &prefix : prefixes)
        if (word.compare(prefix, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool EndsInAWordsHyphen(QStringView text)
{
    return text.size() >= 2 && IsLineEndHyphen(text.back()) && text.at(text.size() - 2).isLetter();
}

// The text ends in a word hyphenated at the line end that the line goes on with: only a hyphen
// right after a letter and before a small letter counts, so that a minus ("t(38) =" + "-2.10",
// "= -" + "2.10") stays.
bool BreaksAWord(QStringView text, QStringView line)
{
    return EndsInAWordsHyphen(text) && !line.isEmpty() && line.front().isLower();
}

// Appends the next line of the paragraph after one blank, or joins the word broken at the line
// end: "signifi-" + "cant" reads "significant", "one-" + "tailed" keeps its hyphen. A hyphen
// after a letter before a capital or a figure stays, and the word goes on ("COVID-" + "19").
void AppendLine(QString &text, const QString &line)
{
    if (BreaksAWord(text, line)) {
        text.chop(1);
        qsizetype start = text.size();
        while (start > 0 && text.at(start - 1).isLetter())
            --start;
        if (KeepsItsHyphen(QStringView(text).mid(start)))
            text += u'-';
    } else if (!EndsInAWordsHyphen(text) || line.isEmpty() || !line.front().isLetterOrNumber()) {
        text += u' ';
    }
    text += line;
}

} // namespace

void AppendPdfPage(QString &text, const QList<PdfWord> &words)
{
    const QList<Line> lines = Lines(words);
    QList<bool> startsColumn(lines.size(), true);
    for (qsizetype i = 1; i < lines.size(); ++i)
        startsColumn[i] = ChangesColumn(lines.at(i - 1), lines.at(i));
    const double pitch = UsualPitch(lines, startsColumn);
    Column column;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (startsColumn.at(i)) {
            column.from = i;
            column.to = i + 1;
            while (column.to < lines.size() && !startsColumn.at(column.to))
                ++column.to;
            column.left = LeftEdge(lines, column.from, column.to);
        }
        const QString &line = lines.at(i).text;
        const bool goesOn = !startsColumn.at(i) && !StartsParagraph(lines, i, column, pitch);
        // A word broken at a column's or a page's end goes on all the same.
        if (text.endsWith(u'\n') && (goesOn || BreaksAWord(QStringView(text).chopped(1), line))) {
            text.chop(1);
            AppendLine(text, line);
        } else {
            text += line;
        }
        text += u'\n';
    }
}

} // namespace documentreading
