#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A text as code units in hex, since it may hold anything.
inline QByteArray CodeUnits(const QString &text)
{
    QByteArray shown;
    for (const QChar unit : text)
        shown += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0') + ' ';
    return shown;
}

// A broken property is a crash to libFuzzer, which then keeps the input that broke it.
[[noreturn]] inline void PropertyBroken(const char *property, const QString &text)
{
    std::fprintf(stderr, "property broken: %s\n  text: %s\n  code units: %s\n", property,
                 text.toUtf8().constData(), CodeUnits(text).constData());
    std::abort();
}

// Counts what a run tried, printed when libFuzzer ends the run, for scripts/fuzz.sh to show.
struct Tally {
    const char *what;
    long long tried = 0;
    long long passed = 0;
    ~Tally() { std::fprintf(stderr, "tally: %lld %s, %lld of them valid\n", tried, what, passed); }
};

#define FUZZ_CHECK(condition, text)                                                                \
    do {                                                                                           \
        if (!(condition))                                                                          \
            PropertyBroken(#condition, text);                                                      \
    } while (false)

inline QString FromUtf8(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Every code unit is kept, lone surrogates included: those reach a text box by pasting.
inline QString FromUtf16Le(const uint8_t *data, size_t size)
{
    QString text;
    text.reserve(qsizetype(size / 2));
    for (size_t i = 0; i + 1 < size; i += 2)
        text += QChar(char16_t(data[i] | data[i + 1] << 8));
    return text;
}
