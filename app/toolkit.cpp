#include "app/toolkit.h"

#include <QLabel>
#include <QMessageBox>
#include <QWidget>
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
    window->setWindowTitle(caption);
    window->setWindowIcon(WindowIcon());
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, FormBackground);
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

void ShowWindow(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

namespace {
QIcon iconFromPictures(const QString &name, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (int size : sizes)
        icon.addFile(QStringLiteral(":/pictures/%1-%2.png").arg(name).arg(size), QSize(size, size));
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
    return iconFromPictures(QStringLiteral("feedback"), {72, 144});
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
