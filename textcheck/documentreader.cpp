#include "textcheck/documentreader.h"

// Stub until the readers land.
DocumentText ReadDocument(const QString &path)
{
    return {{}, path};
}
DocumentText ReadDocumentBytes(const QByteArray &, const QString &name)
{
    return {{}, name};
}
QStringList DocumentExtensions()
{
    return {};
}
