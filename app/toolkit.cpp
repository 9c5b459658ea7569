#include "app/toolkit.h"

#include <QLabel>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>
#include <limits>

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
    int previousEnd = std::numeric_limits<int>::min();
    for (QLabel *label : labels) {
        const int left = label->x() + shift;
        if (left < previousEnd) {
            shift += previousEnd - left;
        }
        label->move(label->x() + shift, label->y());
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
        previousEnd = label->x() + label->sizeHint().width();
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
