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
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, FormBackground);
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

void ShowMessageBox(QWidget *parent, const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning,
                    title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
