#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::gbk {

namespace {

// Opening a converter costs far more than converting a line, and the files are
// read and measured line by line and character by character: each thread keeps
// one converter of each kind. They are stateless, so a call never sees what an
// earlier one left unfinished (a lone lead byte at the end is dropped, as by a
// converter opened for the call).
QStringDecoder &decoder() {
    thread_local QStringDecoder dec("GBK", QStringConverter::Flag::Stateless);
    return dec;
}

QStringEncoder &encoder() {
    thread_local QStringEncoder enc("GBK", QStringConverter::Flag::Stateless);
    return enc;
}

} // namespace

QString decode(const QByteArray &bytes) {
    QStringDecoder &dec = decoder();
    if (!dec.isValid())
        return QString::fromLatin1(bytes);
    return dec.decode(bytes);
}

QByteArray encode(const QString &text) {
    QStringEncoder &enc = encoder();
    if (!enc.isValid())
        return text.toLatin1();
    return enc.encode(text);
}

QByteArray encodeChar(QChar c) {
    const QByteArray b = encode(QString(c));
    return b.isEmpty() ? QByteArray("?") : b;
}

} // namespace platform::gbk

namespace platform::textfile {

QString ReadError::message() const {
    if (reason == QLatin1String("missing"))
        return QCoreApplication::translate("platform::textfile", "找不到文件：%1").arg(path);
    if (reason == QLatin1String("notafile"))
        return QCoreApplication::translate("platform::textfile", "无法读取文件：%1（它不是普通文件）")
            .arg(path);
    if (reason == QLatin1String("toolarge"))
        return QCoreApplication::translate("platform::textfile",
                                           "无法读取文件：%1（文件过大，不是本系统的数据文件）")
            .arg(path);
    return QCoreApplication::translate("platform::textfile", "无法读取文件：%1").arg(path);
}

namespace {

bool refuse(ReadError *error, const QString &path, const char *reason) {
    if (error)
        *error = {path, QLatin1String(reason)};
    return false;
}

// The verdict on a file's status: a regular file of at most MaxFileBytes.
bool acceptable(const struct stat &st, const QString &path, ReadError *error) {
    if (!S_ISREG(st.st_mode))
        return refuse(error, path, "notafile");
    if (st.st_size > MaxFileBytes)
        return refuse(error, path, "toolarge");
    return true;
}

} // namespace

bool checkReadable(const QString &path, ReadError *error) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // stat follows links: a link to a regular file is that file
    if (::stat(name.constData(), &st) != 0)
        return refuse(error, path, errno == ENOENT || errno == ENOTDIR ? "missing" : "unreadable");
    if (!acceptable(st, path, error))
        return false;
    if (::access(name.constData(), R_OK) != 0)
        return refuse(error, path, "unreadable");
    return true;
}

bool readBytes(const QString &path, QByteArray &out, ReadError *error) {
    out.clear();
    if (!checkReadable(path, error))
        return false;
    // O_NONBLOCK: a pipe that took the file's place since the check does not
    // hold the open; the descriptor's own status decides
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(error, path, errno == ENOENT ? "missing" : "unreadable");
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 ? acceptable(st, path, error) : refuse(error, path, "unreadable");
    QByteArray bytes;
    if (ok) {
        bytes.reserve(qsizetype(st.st_size));
        // a file that grows while it is read still stops at the bound
        char chunk[64 * 1024];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                ok = refuse(error, path, "unreadable");
                break;
            }
            if (n == 0)
                break;
            if (bytes.size() + n > MaxFileBytes) {
                ok = refuse(error, path, "toolarge");
                break;
            }
            bytes.append(chunk, qsizetype(n));
        }
    }
    ::close(fd);
    if (ok)
        out = std::move(bytes);
    return ok;
}

QStringList splitLines(const QString &text) {
    QStringList lines;
    const int n = text.size();
    int start = 0;
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, std::min<qsizetype>(i - start, MaxLineChars)));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start, MaxLineChars));
    return lines;
}

QString shownText(const QString &text) {
    return text.size() > MaxShownChars ? text.left(MaxShownChars) : text;
}

bool readLines(const QString &path, QStringList &out, ReadError *error) {
    out.clear();
    QByteArray bytes;
    if (!readBytes(path, bytes, error))
        return false;
    out = splitLines(platform::gbk::decode(bytes));
    return true;
}

QString lineAt(const QStringList &lines, int n) {
    if (lines.isEmpty())
        return QString();
    if (n < 1)
        n = 1;
    return n <= lines.size() ? lines.at(n - 1) : lines.last();
}

QString firstLine(const QString &path, bool *ok) {
    QStringList lines;
    const bool read = readLines(path, lines);
    if (ok)
        *ok = read;
    return lines.isEmpty() ? QString() : lines.first();
}

namespace {

qint64 g_spaceLeft = -1; // test hook: bytes a write may still put on the disk (-1: no limit)

// Writes every byte to the open file and pushes it to the disk: a short write,
// a failed flush (a full disk is often only reported there) or a failed sync
// all count as failure. *full tells a full disk from other failures.
bool writeThrough(QFile &f, const QByteArray &bytes, bool *full) {
    *full = false;
    const auto failed = [&] {
        *full = f.error() == QFileDevice::ResourceError || errno == ENOSPC || errno == EDQUOT;
        return false;
    };
    qint64 done = 0;
    while (done < bytes.size()) {
        qint64 chunk = bytes.size() - done;
        if (g_spaceLeft >= 0) {
            chunk = std::min(chunk, g_spaceLeft);
            if (chunk == 0) {
                *full = true;
                return false;
            }
            g_spaceLeft -= chunk;
        }
        errno = 0;
        const qint64 n = f.write(bytes.constData() + done, chunk);
        if (n <= 0)
            return failed();
        done += n;
    }
    errno = 0;
    if (!f.flush())
        return failed();
    if (::fsync(f.handle()) != 0) {
        *full = errno == ENOSPC || errno == EDQUOT;
        return false;
    }
    return true;
}

void syncFolder(const QString &folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void setSpaceLeftForTesting(qint64 bytes) {
    g_spaceLeft = bytes;
}

QString temporaryPrefix(const QString &path) {
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1String(TempMarker);
}

bool writeBytesAtomic(const QString &path, const QByteArray &bytes, QString *error) {
    bool full = false;
    const auto fail = [&] {
        if (error)
            *error = full ? QCoreApplication::translate("platform::textfile", "磁盘已满，无法写入文件：%1")
                                .arg(path)
                          : QCoreApplication::translate("platform::textfile", "无法写入文件：%1").arg(path);
        return false;
    };
    // the temporary file sits beside the target, so the rename never crosses a disk
    QTemporaryFile tmp(temporaryPrefix(path) + QStringLiteral("XXXXXX"));
    tmp.setAutoRemove(true);
    if (!tmp.open())
        return fail();
    if (!writeThrough(tmp, bytes, &full))
        return fail();
    tmp.close();
    // what is on the disk must be every byte, before it may replace the old file
    if (QFileInfo(tmp.fileName()).size() != bytes.size())
        return fail();
    if (QFile::exists(path))
        tmp.setPermissions(QFile(path).permissions());
    else
        tmp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                           QFileDevice::ReadOther);
    if (::rename(QFile::encodeName(tmp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return fail();
    tmp.setAutoRemove(false); // it is the real file now
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}

int removeStaleTemporaries(const QString &folder) {
    QDir dir(folder);
    int removed = 0;
    const QStringList names =
        dir.entryList({QStringLiteral(".*") + QLatin1String(TempMarker) + QStringLiteral("*")},
                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        if (dir.remove(name))
            ++removed;
    return removed;
}

bool writeLinesAtomic(const QString &path, const QStringList &lines, QString *error) {
    QByteArray bytes;
    for (const QString &l : lines) {
        bytes += platform::gbk::encode(l);
        bytes += "\r\n";
    }
    return writeBytesAtomic(path, bytes, error);
}

} // namespace platform::textfile
