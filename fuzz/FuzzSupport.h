#pragma once

#include "app/ConsoleUi.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A fuzz target states what must hold for every input; a breach aborts, which
// libFuzzer reports with the input that caused it.
#define FUZZ_REQUIRE(condition)                                                        \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: requirement failed: %s\n", __FILE__, __LINE__, \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

inline QByteArray fuzzBytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A scratch folder for the whole run and a Ui that answers every question No and
// prints nothing (the messages of millions of inputs would drown the fuzzer's own).
struct FuzzScratch {
    QTemporaryDir dir;
    QString null;
    QTextStream out{&null};
    QTextStream err{&null};
    ConsoleUi ui{false, out, err};

    QString path(const QString& name) const { return dir.filePath(name); }
    void forget() { null.clear(); }  // messages are dropped between inputs
};
