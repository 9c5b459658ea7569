#include "report/resultviewer.h"

#include "app/toolkit.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

ResultViewer::ResultViewer(QWidget *parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    // A web browser's default face and size for a page that names none.
    document()->setDefaultFont(TimesFont(12));
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

QString ResultViewer::PageForDisplay(const QByteArray &fileBytes)
{
    const auto encoding =
        QStringConverter::encodingForData(fileBytes).value_or(QStringConverter::Utf8);
    QStringDecoder decode(encoding);
    QString page = decode(fileBytes);

    static const QRegularExpression unterminatedReference(
        QStringLiteral("&#(?:([0-9]+)(?![0-9;])|([xX][0-9a-fA-F]+)(?![0-9a-fA-F;]))"));
    page.replace(unterminatedReference, QStringLiteral("&#\\1\\2;"));
    return page;
}

void ResultViewer::Navigate(const QString &path)
{
    m_path = path;
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    setHtml(PageForDisplay(bytes));
}
