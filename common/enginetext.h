#pragma once

#include "engine/text.h"

#include <QString>
#include <QStringView>

// Qt's strings and the engine's are the same UTF-16 code units: a view passes without a copy.

inline engine::TextView EngineView(QStringView text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size())};
}

inline QString FromEngine(engine::TextView text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}
