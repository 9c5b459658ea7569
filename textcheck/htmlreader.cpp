// A web page's text through libxml2's HTML parser, which mends broken markup as browsers do.
#include "textcheck/documentformats.h"

#include <QSet>
#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <memory>
#include <mutex>

using namespace Qt::Literals::StringLiterals;

namespace documentreading {
namespace {

QString NameOf(const xmlNode *node)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(node->name)).toLower();
}

// Elements whose content a reader of the page never sees as text.
bool IsUnread(const xmlNode *element)
{
    static const QSet<QString> unread = {u"head"_s,     u"script"_s, u"style"_s,
                                         u"template"_s, u"title"_s,  u"noscript"_s,
                                         u"select"_s,   u"button"_s, u"textarea"_s};
    return unread.contains(NameOf(element)) || xmlHasProp(element, BAD_CAST "hidden");
}

// Elements that stand on lines of their own; all others run on with the text around them.
bool IsBlock(const QString &name)
{
    static const QSet<QString> blocks = {
        u"address"_s, u"article"_s, u"aside"_s,    u"blockquote"_s, u"body"_s,   u"caption"_s,
        u"center"_s,  u"dd"_s,      u"details"_s,  u"dialog"_s,     u"dir"_s,    u"div"_s,
        u"dl"_s,      u"dt"_s,      u"fieldset"_s, u"figcaption"_s, u"figure"_s, u"footer"_s,
        u"form"_s,    u"h1"_s,      u"h2"_s,       u"h3"_s,         u"h4"_s,     u"h5"_s,
        u"h6"_s,      u"header"_s,  u"hgroup"_s,   u"hr"_s,         u"html"_s,   u"legend"_s,
        u"li"_s,      u"main"_s,    u"menu"_s,     u"nav"_s,        u"ol"_s,     u"p"_s,
        u"pre"_s,     u"section"_s, u"summary"_s,  u"table"_s,      u"tbody"_s,  u"td"_s,
        u"tfoot"_s,   u"th"_s,      u"thead"_s,    u"tr"_s,         u"ul"_s,     u"frameset"_s};
    return blocks.contains(name);
}

// The page's text, lines as a browser lays them out: blanks run together, none at a line's
// start or end, a line end for each block and each <br>; <pre> keeps its blanks.
class PageText {
public:
    void blockEdge()
    {
        pendingBlank = false;
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text += u'\n';
    }
    void lineBreak()
    {
        pendingBlank = false;
        text += u'\n';
    }
    void add(const QString &content, bool preformatted)
    {
        if (preformatted) {
            if (pendingBlank && !text.isEmpty() && !text.endsWith(u'\n'))
                text += u' ';
            pendingBlank = false;
            text += content;
            return;
        }
        for (const QChar c : content) {
            if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f') {
                pendingBlank = true;
                continue;
            }
            if (pendingBlank && !text.isEmpty() && !text.endsWith(u'\n'))
                text += u' ';
            pendingBlank = false;
            text += c;
        }
    }
    QString finished()
    {
        blockEdge();
        return text;
    }

private:
    QString text;
    bool pendingBlank = false;
};

// libxml2 reports broken encodings on standard error even when asked to recover quietly.
void IgnoreLibxmlMessage(void *, const char *, ...) {}

struct FreeDocument {
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
};

} // namespace

QString ReadHtml(const QByteArray &bytes, QString &why)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { xmlInitParser(); });
    xmlSetGenericErrorFunc(nullptr, IgnoreLibxmlMessage); // for this thread
    // Mended as a browser would, quietly; nothing fetched from the network.
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                        HTML_PARSE_NONET | HTML_PARSE_NODEFDTD | XML_PARSE_HUGE;
    const std::unique_ptr<xmlDoc, FreeDocument> document(htmlReadMemory(
        bytes.constData(), int(qMin<qsizetype>(bytes.size(), INT_MAX)), nullptr, nullptr, options));
    if (!document) {
        if (bytes.trimmed().isEmpty())
            return {};
        why = u"it is damaged: it cannot be read as an HTML page."_s;
        return {};
    }

    // Walked without recursion: a hostile page may nest its elements a million deep.
    PageText page;
    int preformatted = 0;
    const auto leave = [&page, &preformatted](const xmlNode *element) {
        const QString name = NameOf(element);
        if (IsBlock(name))
            page.blockEdge();
        if (name == u"pre")
            --preformatted;
    };
    const xmlNode *node = document->children;
    while (node) {
        if (node->type == XML_ELEMENT_NODE && !IsUnread(node)) {
            const QString name = NameOf(node);
            if (name == u"br")
                page.lineBreak();
            else if (IsBlock(name))
                page.blockEdge();
            if (name == u"pre")
                ++preformatted;
            if (node->children) {
                node = node->children;
                continue;
            }
            leave(node);
        } else if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            page.add(QString::fromUtf8(reinterpret_cast<const char *>(node->content)),
                     preformatted > 0);
        }
        // On to the next sibling, leaving each element whose last child this was.
        while (node && !node->next) {
            node = node->parent;
            if (!node || node->type != XML_ELEMENT_NODE)
                node = nullptr;
            else
                leave(node);
        }
        if (node)
            node = node->next;
    }
    return page.finished();
}

} // namespace documentreading
