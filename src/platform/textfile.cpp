#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <algorithm>
#include <fcntl.h>
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
    return QCoreApplication::translate("platform::textfile", "无法读取文件：%1").arg(path);
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
    QFile f(path);
    if (!f.exists()) {
        if (error)
            *error = {path, QStringLiteral("missing")};
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = {path, QStringLiteral("unreadable")};
        return false;
    }
    out = splitLines(platform::gbk::decode(f.readAll()));
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
// all count as failure.
bool writeThrough(QFile &f, const QByteArray &bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        qint64 chunk = bytes.size() - done;
        if (g_spaceLeft >= 0) {
            chunk = std::min(chunk, g_spaceLeft);
            if (chunk == 0)
                return false;
            g_spaceLeft -= chunk;
        }
        const qint64 n = f.write(bytes.constData() + done, chunk);
        if (n <= 0)
            return false;
        done += n;
    }
    if (!f.flush())
        return false;
    return ::fsync(f.handle()) == 0;
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
    const auto fail = [&] {
        if (error)
            *error = QCoreApplication::translate("platform::textfile", "无法写入文件：%1").arg(path);
        return false;
    };
    // the temporary file sits beside the target, so the rename never crosses a disk
    QTemporaryFile tmp(temporaryPrefix(path) + QStringLiteral("XXXXXX"));
    tmp.setAutoRemove(true);
    if (!tmp.open())
        return fail();
    if (!writeThrough(tmp, bytes))
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
