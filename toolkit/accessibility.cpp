#include "toolkit/accessibility.h"

#include "common/pagemarkup.h"
#include "toolkit/clickablelabel.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QWindow>
#include <memory>

namespace {
// Dynamic properties that the interfaces below read each time, so an interface Qt made before a
// property was set still reads right.
constexpr char Unread[] = "kelvaronUnread";
constexpr char ReadWindow[] = "kelvaronWindow";
constexpr char LinkNames[] = "kelvaronLinkNames";

// A position in a text browser's document as its text interface counts it, without the joiners.
int ShownOffset(const QString &page, int position)
{
    return position <= 0 ? position : position - int(page.left(position).count(WordJoiner));
}

// Drops what Qt made of a control before it was marked, so the factory below is asked again.
void ReadAgain(QObject *object)
{
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

QList<QWidget *> ReadChildren(const QWidget *parent)
{
    QList<QWidget *> read;
    for (QObject *object : parent->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (child && !child->isWindow() && !child->property(Unread).toBool() &&
            !child->objectName().startsWith(u"qt_scrollarea_"))
            read << child;
    }
    return read;
}

// A window or a pane: its children are the controls readers see, in the order made.
class ReadContainer : public QAccessibleWidget {
public:
    ReadContainer(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
    int childCount() const override { return int(ReadChildren(widget()).size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = ReadChildren(widget());
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(ReadChildren(widget()).indexOf(child->object())) : -1;
    }
};

class LinkReader : public QAccessibleWidget {
public:
    explicit LinkReader(ClickableLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text();
        if (t == QAccessible::Accelerator)
            return label()->shortcut().toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            label()->click();
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action != pressAction() || label()->shortcut().isEmpty())
            return {};
        return {label()->shortcut().toString(QKeySequence::NativeText)};
    }

private:
    ClickableLabel *label() const { return static_cast<ClickableLabel *>(widget()); }
};

// Named by its caption; Qt's own names an editable combo box on this platform by its value.
class ComboReader : public QAccessibleWidget {
public:
    explicit ComboReader(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
};

// Read-only text over a string: no caret or selection of its own.
class TextReader : public ReadContainer, public QAccessibleTextInterface {
public:
    using ReadContainer::ReadContainer;
    using ReadContainer::text;
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return ReadContainer::interface_cast(t);
    }
    virtual QString shown() const = 0;

    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return int(shown().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *start, int *end) const override
    {
        Q_UNUSED(offset);
        *start = 0;
        *end = characterCount();
        return {};
    }
};

// The pane: the page's text as shown, less the joiners; offsets count without them.
class PageReader : public TextReader {
public:
    explicit PageReader(QTextEdit *edit) : TextReader(edit, QAccessible::EditableText) {}
    QString shown() const override { return TextForReaders(page()); }
    QAccessible::State state() const override
    {
        QAccessible::State state = TextReader::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? shown() : TextReader::text(t);
    }
    using TextReader::text;

    void selection(int, int *start, int *end) const override
    {
        const QTextCursor cursor = edit()->textCursor();
        *start = toShown(cursor.selectionStart());
        *end = toShown(cursor.selectionEnd());
    }
    int selectionCount() const override { return edit()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override
    {
        QTextCursor cursor = edit()->textCursor();
        cursor.clearSelection();
        edit()->setTextCursor(cursor);
    }
    void setSelection(int, int start, int end) override
    {
        QTextCursor cursor = edit()->textCursor();
        cursor.setPosition(toPage(start));
        cursor.setPosition(toPage(end), QTextCursor::KeepAnchor);
        edit()->setTextCursor(cursor);
    }
    int cursorPosition() const override { return toShown(edit()->textCursor().position()); }
    void setCursorPosition(int position) override { setSelection(0, position, position); }
    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(edit()->document());
        cursor.setPosition(toPage(offset));
        QRect at = edit()->cursorRect(cursor);
        at.setWidth(edit()->fontMetrics().averageCharWidth());
        return QRect(edit()->viewport()->mapToGlobal(at.topLeft()), at.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint at = edit()->viewport()->mapFromGlobal(point);
        if (!edit()->viewport()->rect().contains(at))
            return -1;
        return toShown(edit()->cursorForPosition(at).position());
    }
    void scrollToSubstring(int start, int) override
    {
        QTextCursor cursor(edit()->document());
        cursor.setPosition(toPage(start));
        edit()->setTextCursor(cursor);
        edit()->ensureCursorVisible();
    }

private:
    QTextEdit *edit() const { return static_cast<QTextEdit *>(widget()); }
    // Positions in the document and in its plain text are the same.
    QString page() const { return edit()->document()->toPlainText(); }
    int toShown(int position) const { return ShownOffset(page(), position); }
    int toPage(int offset) const
    {
        const QString text = page();
        int position = 0;
        for (int left = std::max(offset, 0); position < text.size(); ++position) {
            if (text.at(position) == WordJoiner)
                continue;
            if (left-- == 0)
                break;
        }
        return position;
    }
};

// A rich-text label whose named links are items of their own.
class LinkedLabelReader : public TextReader {
public:
    explicit LinkedLabelReader(QLabel *label) : TextReader(label, QAccessible::StaticText) {}
    QString shown() const override
    {
        QTextDocument page;
        page.setHtml(label()->text());
        return page.toPlainText();
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? shown() : TextReader::text(t);
    }
    using TextReader::text;
    int childCount() const override { return int(links().size()); }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QLabel *label() const { return static_cast<QLabel *>(widget()); }
    // The named links the label shows now, in order.
    QStringList links() const
    {
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
        const QVariantHash names = label()->property(LinkNames).toHash();
        QStringList found;
        for (const QRegularExpressionMatch &match : href.globalMatch(label()->text()))
            if (names.contains(match.captured(1)))
                found << match.captured(1);
        return found;
    }
    mutable QHash<QString, QAccessible::Id> m_items;
};

class LabelLinkReader : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    LabelLinkReader(QLabel *label, const QString &href) : m_label(label), m_href(href) {}
    bool isValid() const override { return !m_label.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_label ? m_label->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_label.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !m_label)
            return {};
        return m_label->property(LinkNames).toHash().value(m_href).toString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        return m_label ? QRect(m_label->mapToGlobal(QPoint()), m_label->size()) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Link; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !m_label || !m_label->isVisible();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                 : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction() && m_label)
            Q_EMIT m_label->linkActivated(m_href);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QLabel> m_label;
    QString m_href;
};

QAccessibleInterface *LinkedLabelReader::child(int index) const
{
    const QStringList hrefs = links();
    if (index < 0 || index >= hrefs.size())
        return nullptr;
    // Made once for each link and kept by Qt's registry, which ends them with the program.
    QAccessible::Id &id = m_items[hrefs.at(index)];
    if (!id)
        id =
            QAccessible::registerAccessibleInterface(new LabelLinkReader(label(), hrefs.at(index)));
    return QAccessible::accessibleInterface(id);
}

int LinkedLabelReader::indexOfChild(const QAccessibleInterface *child) const
{
    const QStringList hrefs = links();
    for (int index = 0; index < hrefs.size(); ++index) {
        if (m_items.value(hrefs.at(index)) ==
            QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child)))
            return index;
    }
    return -1;
}

// Qt tells readers what a text browser's page inserts in the document's positions and text,
// joiners included (its caret it reads from the text interface); they are told it as the text
// interface counts it.
void UpdateForReaders(QAccessibleEvent *event)
{
    std::unique_ptr<QAccessibleEvent> told;
    if (QAccessible::isActive() && qobject_cast<QTextBrowser *>(event->object())) {
        const QString page = static_cast<QTextEdit *>(event->object())->document()->toPlainText();
        if (event->type() == QAccessible::TextInserted) {
            const auto *inserted = static_cast<QAccessibleTextInsertEvent *>(event);
            told = std::make_unique<QAccessibleTextInsertEvent>(
                event->object(), ShownOffset(page, inserted->changePosition()),
                TextForReaders(inserted->textInserted()));
        } else if (event->type() == QAccessible::TextUpdated) {
            const auto *updated = static_cast<QAccessibleTextUpdateEvent *>(event);
            told = std::make_unique<QAccessibleTextUpdateEvent>(
                event->object(), ShownOffset(page, updated->changePosition()),
                updated->textRemoved(), TextForReaders(updated->textInserted()));
        }
    }
    // On to the desktop's bridge, which Qt calls when no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(told ? told.get() : event);
    QAccessible::installUpdateHandler(UpdateForReaders);
}

QAccessibleInterface *ReaderFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == u"ClickableLabel")
        return new LinkReader(static_cast<ClickableLabel *>(widget));
    if (className == u"QComboBox")
        return new ComboReader(static_cast<QComboBox *>(widget));
    if (className == u"QTextBrowser")
        return new PageReader(static_cast<QTextEdit *>(widget));
    if (className == u"QLabel" && widget->property(LinkNames).isValid())
        return new LinkedLabelReader(static_cast<QLabel *>(widget));
    if (className == u"QWidget" && widget->property(ReadWindow).toBool())
        return new ReadContainer(widget, QAccessible::Window);
    return nullptr;
}
} // namespace

void EnableReaders()
{
    // Qt asks the factories installed last first, so these come before its own.
    static const bool installed = [] {
        QAccessible::installFactory(ReaderFactory);
        QAccessible::installUpdateHandler(UpdateForReaders);
        return true;
    }();
    Q_UNUSED(installed);
}

void ReadAsWindow(QWidget *window)
{
    window->setProperty(ReadWindow, true);
    ReadAgain(window);
}

void ReadAsOne(std::initializer_list<QLabel *> pieces, const QString &spoken)
{
    for (QLabel *piece : pieces) {
        if (piece == *pieces.begin())
            piece->setAccessibleName(spoken);
        else
            LeaveUnread(piece);
    }
}

void ReadAsOneLink(std::initializer_list<ClickableLabel *> pieces, const QString &spoken,
                   const QKeySequence &key)
{
    (*pieces.begin())->setShortcut(key);
    for (ClickableLabel *piece : pieces) {
        if (piece == *pieces.begin())
            piece->setAccessibleName(spoken);
        else
            LeaveUnread(piece);
    }
}

void LeaveUnread(QWidget *control)
{
    control->setProperty(Unread, true);
}

void NameLabelLink(QLabel *label, const QString &href, const QString &name)
{
    QVariantHash names = label->property(LinkNames).toHash();
    names.insert(href, name);
    label->setProperty(LinkNames, names);
    ReadAgain(label);
}

QString TextForReaders(const QString &shown)
{
    return QString(shown).remove(WordJoiner);
}
