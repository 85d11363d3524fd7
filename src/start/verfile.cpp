#include "start/verfile.h"
#include "start/vb.h"

#include <QCoreApplication>
#include <QDir>

namespace start::verfile {

QString charFromCode(int64_t code) {
    // Outside the range of a signed or unsigned 16-bit code there is no
    // character; such a group produces nothing instead of stopping the program.
    if (code < -32768 || code > 65535)
        return QString();
    const uint32_t u = static_cast<uint32_t>(code) & 0xFFFFu;
    QByteArray bytes;
    if (u > 255) {
        bytes.append(char((u >> 8) & 0xFF));
        bytes.append(char(u & 0xFF));
    } else {
        bytes.append(char(u));
    }
    return platform::gbk::decode(bytes);
}

QString decodeLine(const QString &stored) {
    QString result;
    for (int j = 1; j <= stored.size(); j += 6) {
        // in 64 bits: a group clamped to the 32-bit ends must not overflow below
        const int64_t v = start::vb::ValLong(start::vb::Mid(stored, j, 6));
        if (v > 500000)
            result += charFromCode(v - 500000);
        else if (v != 0)
            result += charFromCode(v - 200000);
    }
    return result;
}

QString encodeLine(const QString &text) {
    QString out;
    for (QChar c : text) {
        const QByteArray b = platform::gbk::encodeChar(c);
        int32_t v;
        if (b.size() == 1) {
            v = 500000 + static_cast<uint8_t>(b.at(0));
        } else {
            const int code = (static_cast<uint8_t>(b.at(0)) << 8) | static_cast<uint8_t>(b.at(1));
            v = 200000 + static_cast<int16_t>(code);
        }
        out += QStringLiteral("%1").arg(v, 6, 10, QLatin1Char('0'));
    }
    return out;
}

bool isSafeName(const QString &name) {
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String("..")))
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 32)
            return false;
    return true;
}

bool readInfo(ModData &data, QString *error) {
    const QString path = data.programFile(QStringLiteral("ver.txt"));
    QStringList stored;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(path, stored, &err)) {
        if (error)
            *error = err.message();
        return false;
    }
    for (auto &l : data.VerLines)
        l.clear();
    for (int i = 0; i < stored.size() && i < 40; ++i)
        data.VerLines[i + 1] = decodeLine(stored.at(i));
    const QString folder = start::vb::Trim(data.VerLines[3]);
    if (!isSafeName(folder)) {
        if (error)
            *error = QCoreApplication::translate("start::verfile", "文件 %1 第3行的数据文件夹名“%2”无效。")
                         .arg(path, folder);
        return false;
    }
    data.ModuleNo = start::vb::ValInt(data.VerLines[4]);
    data.ModuleName = start::vb::Trim(data.VerLines[1]);
    data.ModuleTitle = start::vb::Trim(data.VerLines[2]);
    data.DataDir = data.AppPath + QDir::separator() + folder + QDir::separator();
    return true;
}

} // namespace start::verfile
