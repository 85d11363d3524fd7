#pragma once
// Turning a fuzzer's bytes into what the readers see: the bytes of a file are
// decoded as GBK and split into lines exactly as the trainer reads its files.
#include "platform/textfile.h"

#include <QByteArray>
#include <QDir>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

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

// A folder of this process on the tmpfs, made on first use and removed at exit.
// The path is kept on the heap and never destroyed: the exit handler runs after
// the destructors of statics made before it was registered.
inline const QString &scratchFolder(const char *harness) {
    static const QString &path = *[harness] {
        auto *p = new QString(QStringLiteral("/dev/shm/caddrill-fuzz-%1-%2")
                                  .arg(QString::fromLatin1(harness))
                                  .arg(qint64(getpid())));
        QDir().mkpath(*p);
        std::atexit([] { QDir(path).removeRecursively(); });
        return p;
    }();
    return path;
}

} // namespace fuzzinput
