#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace gbk {

QString decode(const QByteArray &bytes) {
    QStringDecoder dec("GBK");
    if (!dec.isValid())
        return QString::fromLatin1(bytes);
    return dec.decode(bytes);
}

QByteArray encode(const QString &text) {
    QStringEncoder enc("GBK");
    if (!enc.isValid())
        return text.toLatin1();
    return enc.encode(text);
}

QByteArray encodeChar(QChar c) {
    const QByteArray b = encode(QString(c));
    return b.isEmpty() ? QByteArray("?") : b;
}

} // namespace gbk

namespace textfile {

QString ReadError::message() const {
    if (reason == QLatin1String("missing"))
        return QStringLiteral("找不到文件：%1").arg(path);
    return QStringLiteral("无法读取文件：%1").arg(path);
}

QStringList splitLines(const QString &text) {
    QStringList lines;
    const int n = text.size();
    int start = 0;
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
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
    out = splitLines(gbk::decode(f.readAll()));
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

bool writeBytesAtomic(const QString &path, const QByteArray &bytes, QString *error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("无法写入文件：%1").arg(path);
        return false;
    }
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        if (error)
            *error = QStringLiteral("无法写入文件：%1").arg(path);
        return false;
    }
    return true;
}

bool writeLinesAtomic(const QString &path, const QStringList &lines, QString *error) {
    QByteArray bytes;
    for (const QString &l : lines) {
        bytes += gbk::encode(l);
        bytes += "\r\n";
    }
    return writeBytesAtomic(path, bytes, error);
}

} // namespace textfile
