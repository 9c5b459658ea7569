#include "checks/checknames.h"

#include "common/fieldtext.h"
#include "common/pagemarkup.h"

#include <QTextDocument>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {
// A name may hold a style sheet's or an image's address, which Qt's HTML reader would load
// while it reads; nothing is read but the name, as in the pane.
class NameReader : public QTextDocument {
protected:
    QVariant loadResource(int type, const QUrl &) override { return BlankResource(type); }
};

QString Quoted(const QString &shown)
{
    return shown.isEmpty() ? u"nothing"_s : u"\""_s + Abridged(shown) + u"\""_s;
}
} // namespace

QString Abridged(const QString &name)
{
    // The line names the field; the box holds the rest.
    constexpr qsizetype Longest = 40;
    if (name.size() <= Longest)
        return name;
    qsizetype end = Longest - 1;
    if (name.at(end - 1).isHighSurrogate())
        --end;
    return name.left(end).trimmed() + u"\u2026"_s;
}

QString PageTextOf(const QString &name)
{
    NameReader page;
    page.setHtml(EscapeTextLessThans(CompleteNumericReferences(name)));
    return page.toPlainText().remove(QChar::ObjectReplacementCharacter).simplified();
}

std::optional<Finding> NamesFinding(const QList<NameField> &names)
{
    QStringList changed;
    qsizetype tags = 0;
    for (const NameField &name : names) {
        const QString typed = TrimSpaces(name.text);
        // Without either character nothing in a name is markup, and most names have neither.
        if (!typed.contains(u'<') && !typed.contains(u'&'))
            continue;
        // The page holds every name at least once: with more tags than this the pane shows it
        // as plain text, where every name reads as typed.
        tags += ElementTags(typed);
        if (tags > MostTagsToFormat)
            return std::nullopt;
        const QString shown = PageTextOf(typed);
        if (shown != typed.simplified())
            changed << name.caption + (changed.isEmpty() ? u" shows as "_s : u" as "_s) +
                           Quoted(shown);
    }
    if (changed.isEmpty())
        return std::nullopt;
    return Finding{Finding::Warning,
                   u"Check the names: "_s + changed.join(u", "_s) +
                       u" on the page; \"<\" and \"&\" in a name are read as markup."_s,
                   {},
                   {},
                   Finding::Names};
}
