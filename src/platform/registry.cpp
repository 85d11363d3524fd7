#include "platform/registry.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStandardPaths>

namespace platform {

namespace {

QString rootName(int32_t root) {
    switch (uint32_t(root)) {
    case 0x80000000u:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case 0x80000001u:
        return QStringLiteral("HKEY_CURRENT_USER");
    case 0x80000002u:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case 0x80000003u:
        return QStringLiteral("HKEY_USERS");
    default:
        return QString();
    }
}

// Key paths compare without regard to case, as the registry does.
QString keyOf(const QString &subKey) {
    return subKey.toLower();
}

struct Key {
    QString path;                                       // as first written
    QMap<QString, std::pair<QString, RegValue>> values; // lower-case name -> (name, value)
};
using Hive = QMap<QString, Key>;

QString escape(const QString &s) {
    QString out;
    for (QChar c : s) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        if (c == u'\n') {
            out += QStringLiteral("\\n");
            continue;
        }
        out += c;
    }
    return out;
}

QString unescape(const QString &s) {
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        if (s.at(i) == u'\\' && i + 1 < s.size()) {
            ++i;
            out += s.at(i) == u'n' ? QChar(u'\n') : s.at(i);
        } else {
            out += s.at(i);
        }
    }
    return out;
}

// Format, one value per line under its key:
//   [Software\Microsoft]
//   "ProPath05"=sz:"/opt/trainer****"
//   "Count"=dword:0000000a
bool load(const QString &file, Hive &hive) {
    QFile f(file);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QStringList lines = textfile::splitLines(QString::fromUtf8(f.readAll()));
    Key *cur = nullptr;
    for (const QString &line : lines) {
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString path = line.mid(1, line.size() - 2);
            Key &k = hive[keyOf(path)];
            k.path = path;
            cur = &k;
            continue;
        }
        if (!cur || !line.startsWith(u'"'))
            continue;
        // find the closing quote of the name, honouring escapes
        int i = 1;
        QString rawName;
        for (; i < line.size(); ++i) {
            if (line.at(i) == u'\\' && i + 1 < line.size()) {
                rawName += line.at(i);
                rawName += line.at(++i);
                continue;
            }
            if (line.at(i) == u'"')
                break;
            rawName += line.at(i);
        }
        const QString name = unescape(rawName);
        const QString rest = line.mid(i + 1);
        if (!rest.startsWith(u'='))
            continue;
        const QString data = rest.mid(1);
        RegValue v;
        if (data.startsWith(QLatin1String("sz:\"")) || data.startsWith(QLatin1String("expand:\""))) {
            v.type = data.startsWith(QLatin1String("sz")) ? REG_SZ : REG_EXPAND_SZ;
            const int q = data.indexOf(u'"');
            v.value = unescape(data.mid(q + 1, data.size() - q - 2));
        } else if (data.startsWith(QLatin1String("dword:")) || data.startsWith(QLatin1String("binary:"))) {
            v.type = data.startsWith(QLatin1String("dword")) ? REG_DWORD : REG_BINARY;
            v.value = qint32(data.mid(data.indexOf(u':') + 1).toUInt(nullptr, 16));
        } else {
            continue;
        }
        cur->values[name.toLower()] = {name, v};
    }
    return true;
}

bool save(const QString &file, const Hive &hive) {
    QString text;
    for (const Key &k : hive) {
        text += u'[' + k.path + QStringLiteral("]\n");
        for (const auto &[name, v] : k.values) {
            text += u'"' + escape(name) + QStringLiteral("\"=");
            switch (v.type) {
            case REG_SZ:
                text += QStringLiteral("sz:\"") + escape(v.value.toString()) + u'"';
                break;
            case REG_EXPAND_SZ:
                text += QStringLiteral("expand:\"") + escape(v.value.toString()) + u'"';
                break;
            case REG_BINARY:
                text += QStringLiteral("binary:%1").arg(quint32(v.value.toInt()), 8, 16, QLatin1Char('0'));
                break;
            default:
                text += QStringLiteral("dword:%1").arg(quint32(v.value.toInt()), 8, 16, QLatin1Char('0'));
            }
            text += u'\n';
        }
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    return textfile::writeBytesAtomic(file, text.toUtf8());
}

} // namespace

FileRegistry::FileRegistry(QString folder) : m_folder(std::move(folder)) {
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   QStringLiteral("/caddrill-registry");
}

QString FileRegistry::fileFor(int32_t root) const {
    return m_folder + u'/' + rootName(root) + QStringLiteral(".reg");
}

int32_t FileRegistry::setValue(int32_t root, const QString &subKey, const QString &name, const RegValue &v) {
    if (rootName(root).isEmpty() || v.type < REG_SZ || v.type > REG_DWORD)
        return ERROR_INVALID_PARAMETER;
    Hive hive;
    const QString file = fileFor(root);
    if (!load(file, hive))
        return ERROR_ACCESS_DENIED;
    Key &k = hive[keyOf(subKey)];
    if (k.path.isEmpty())
        k.path = subKey;
    k.values[name.toLower()] = {name, v};
    return save(file, hive) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

int32_t FileRegistry::queryValue(int32_t root, const QString &subKey, const QString &name, RegValue &out) {
    if (rootName(root).isEmpty())
        return ERROR_INVALID_PARAMETER;
    Hive hive;
    if (!load(fileFor(root), hive))
        return ERROR_ACCESS_DENIED;
    const auto k = hive.constFind(keyOf(subKey));
    if (k == hive.constEnd())
        return ERROR_FILE_NOT_FOUND;
    const auto v = k->values.constFind(name.toLower());
    if (v == k->values.constEnd())
        return ERROR_FILE_NOT_FOUND;
    out = v->second;
    return ERROR_SUCCESS;
}

} // namespace platform
