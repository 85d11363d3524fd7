#pragma once
// Turning a fuzzer's bytes into what the readers see: the bytes of a file are
// decoded as GBK and split into lines exactly as the trainer reads its files.
#include "platform/textfile.h"

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzzinput {

inline QByteArray bytes(const uint8_t *data, size_t size) {
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline QStringList lines(const uint8_t *data, size_t size) {
    return platform::textfile::splitLines(platform::gbk::decode(bytes(data, size)));
}

// A property every input must keep; a breach stops the run like a crash does.
inline void require(bool condition, int line = __builtin_LINE(), const char *file = __builtin_FILE()) {
    if (!condition) {
        std::fprintf(stderr, "%s:%d: property broken\n", file, line);
        std::abort();
    }
}

} // namespace fuzzinput
