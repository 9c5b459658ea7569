#include "toolkit/toolkit.h"

#include "toolkit/accessibility.h"
#include "toolkit/clickablelabel.h"
#include "toolkit/twips.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QWidget>
#include <QWindow>
#include <algorithm>

QFont TimesFont(double pointSize, bool bold, bool italic)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void KeepLabelsInLine(std::initializer_list<QLabel *> labels)
{
    int shift = 0;
    const QLabel *previous = nullptr;
    for (QLabel *label : labels) {
        label->move(label->x() + shift, label->y());
        if (previous) {
            // Two words meeting across labels keep a blank between them ("Samples t").
            const bool wordsMeet = !previous->text().isEmpty() && !label->text().isEmpty() &&
                                   previous->text().back().isLetter() &&
                                   label->text().front().isLetter();
            const int end = previous->x() + previous->sizeHint().width() +
                            (wordsMeet ? previous->fontMetrics().horizontalAdvance(u' ') : 0);
            if (label->x() < end) {
                shift += end - label->x();
                label->move(end, label->y());
            }
        }
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
        previous = label;
    }
}

void SetUpWindow(QWidget *window, const char *name, const QString &caption)
{
    window->setObjectName(QString::fromLatin1(name));
    // Screen readers announce it as a window named by its caption.
    EnableReaders();
    ReadAsWindow(window);
    window->setWindowTitle(caption);
    window->setWindowIcon(WindowIcon());
    // The program's own colours on every window and its controls, whatever the desktop theme.
    window->setPalette(FormPalette());
    window->setAutoFillBackground(true);
    // The program alone sets the heights: no maximise button, and the sizes are fixed.
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
}

ClickableLabel *NewLink(QWidget *window, const char *name, const QString &caption,
                        const QKeySequence &key, const QString &toolTip)
{
    auto *link = new ClickableLabel(caption, window);
    link->setObjectName(QLatin1StringView(name));
    link->setFont(TimesFont(9.75, true, true));
    QPalette pal = link->palette();
    pal.setColor(QPalette::WindowText, LinkColour);
    link->setPalette(pal);
    if (!toolTip.isEmpty())
        link->setToolTip(toolTip);
    // A label takes no focus unless its window asks: the keyboard reaches it by its key.
    ReadAsOneLink({link}, caption, key);
    return link;
}

ClickableLabel *NewMainMenuLink(QWidget *window)
{
    return NewLink(window, "LblMainMenuLnk", QStringLiteral("Main Menu"),
                   QKeySequence(Qt::ALT | Qt::Key_M));
}

QPalette FormPalette()
{
    QPalette pal;
    const auto set = [&pal](QPalette::ColorRole role, const QColor &colour) {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            pal.setColor(group, role, colour);
    };
    set(QPalette::Window, FormBackground);
    for (auto role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        set(role, Qt::black);
    set(QPalette::PlaceholderText, QColor(128, 128, 128));
    set(QPalette::Base, Qt::white);
    set(QPalette::AlternateBase, FormBackground);
    set(QPalette::ToolTipBase, QColor(255, 255, 225));
    set(QPalette::Button, QColor(212, 208, 200));
    set(QPalette::Light, Qt::white);
    set(QPalette::Midlight, QColor(227, 227, 227));
    set(QPalette::Mid, QColor(160, 160, 160));
    set(QPalette::Dark, QColor(128, 128, 128));
    set(QPalette::Shadow, QColor(64, 64, 64));
    set(QPalette::BrightText, Qt::white);
    set(QPalette::Highlight, QColor(0, 0, 128));
    set(QPalette::HighlightedText, Qt::white);
    set(QPalette::Link, LinkColour);
    set(QPalette::LinkVisited, QColor(128, 0, 128));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    return pal;
}

void ShowWindow(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void WaitForFrame(const QWidget *window)
{
    if (QGuiApplication::platformName() != u"xcb")
        return;
    // A window manager frames and places a window before it maps it, so once the window is
    // exposed its frame is known and a move is no longer undone by the placing.
    const QDeadlineTimer deadline(500);
    while (!window->windowHandle()->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    NoteWindowFrame(window);
}

void CentreWhenFramed(QWidget *window, const std::function<void()> &centre)
{
    WaitForFrame(window);
    centre();
    CentreAgainWhenFramed(window, centre);
}

namespace {
QIcon iconFromPictures(const QString &name, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (int size : sizes) {
        // Read as PNG without asking the image plug-ins, which would load every one of them.
        QImageReader picture(QStringLiteral(":/pictures/%1-%2.png").arg(name).arg(size), "png");
        picture.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImageReader(&picture));
    }
    return icon;
}
} // namespace

QIcon WindowIcon()
{
    static const QIcon icon = iconFromPictures(QStringLiteral("kelvaron"), {16, 32, 64});
    return icon;
}

QIcon FeedbackPicture()
{
    // The double-size drawing is read only where a screen shows it: at start-up it would
    // otherwise take more memory than any other picture of the program.
    if (qApp->devicePixelRatio() > 1)
        return iconFromPictures(QStringLiteral("feedback"), {72, 144});
    return iconFromPictures(QStringLiteral("feedback"), {72});
}

void ShowMessageBox(QWidget *parent, const QString &text, const QString &title, MessageIcon icon)
{
    // Texts may break their lines with a lone carriage return, which a Qt label does not
    // break on; show those as line breaks.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning,
                    title, shown, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void SetAsSquared(const QLabel *words, QLabel *letter, QLabel *square, QLabel *rest)
{
    // Same font size and box as the words, so the same baseline.
    letter->setGeometry(letter->x(), words->y(), letter->sizeHint().width(), words->height());
    const QFontMetrics wordsMetrics = words->fontMetrics();
    const int baseline =
        words->y() + (words->height() - wordsMetrics.height()) / 2 + wordsMetrics.ascent();
    // The 2's top meets the letter's top, which raises its baseline by about a third.
    square->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    square->setGeometry(letter->x() + letter->fontMetrics().horizontalAdvance(letter->text()) + 1,
                        baseline - letter->fontMetrics().ascent(), square->sizeHint().width(),
                        square->fontMetrics().height());
    rest->move(square->x() + square->fontMetrics().horizontalAdvance(square->text()) + 1,
               rest->y());
}
