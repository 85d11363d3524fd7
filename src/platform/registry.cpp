#include "platform/registry.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
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

QString escape(const QString &s) {
    QString out;
    for (QChar c : s) {
        if (c == u'\\' || c == u'"') {
            out += u'\\';
            out += c;
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else {
            out += c;
        }
    }
    return out;
}

QString unescape(const QString &s) {
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        if (s.at(i) == u'\\' && i + 1 < s.size()) {
            ++i;
            const QChar c = s.at(i);
            out += c == u'n' ? QChar(u'\n') : c == u'r' ? QChar(u'\r') : c;
        } else {
            out += s.at(i);
        }
    }
    return out;
}

// The file, one value per line under its key:
//   [Software\Microsoft]
//   "ProPath05"=sz:"/opt/trainer****"
//   "Count"=dword:0000000a
// (see RegStore for what a rewrite keeps).
bool loadStore(const QString &file, RegStore &store) {
    QFile f(file);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    store = RegStore::parse(f.readAll());
    return true;
}

QString decodeLine(const QByteArray &raw) {
    QString line = QString::fromUtf8(raw);
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

// "[path]" gives the key path.
bool keyLine(const QString &line, QString *path) {
    if (!line.startsWith(u'[') || !line.endsWith(u']'))
        return false;
    *path = line.mid(1, line.size() - 2);
    return true;
}

// A value line: its name and value; false for anything else.
bool valueLine(const QString &line, QString *name, RegValue *v) {
    if (!line.startsWith(u'"'))
        return false;
    // the closing quote of the name, honouring escapes
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
    const QString rest = line.mid(i + 1);
    if (!rest.startsWith(u'='))
        return false;
    const QString data = rest.mid(1);
    if (data.startsWith(QLatin1String("sz:\"")) || data.startsWith(QLatin1String("expand:\""))) {
        v->type = data.startsWith(QLatin1String("sz")) ? REG_SZ : REG_EXPAND_SZ;
        QString body = data.mid(data.indexOf(u'"') + 1);
        // the closing quote, when there is one, is not part of the value
        if (body.endsWith(u'"')) {
            int escapes = 0;
            for (int k = body.size() - 2; k >= 0 && body.at(k) == u'\\'; --k)
                ++escapes;
            if (escapes % 2 == 0)
                body.chop(1);
        }
        v->value = unescape(body);
    } else if (data.startsWith(QLatin1String("dword:")) || data.startsWith(QLatin1String("binary:"))) {
        v->type = data.startsWith(QLatin1String("dword")) ? REG_DWORD : REG_BINARY;
        v->value = qint32(data.mid(data.indexOf(u':') + 1).toUInt(nullptr, 16));
    } else {
        return false;
    }
    *name = unescape(rawName);
    return true;
}

QByteArray formatValue(const QString &name, const RegValue &v) {
    QString text = u'"' + escape(name) + QStringLiteral("\"=");
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
    return text.toUtf8();
}

} // namespace

RegStore RegStore::parse(const QByteArray &bytes) {
    RegStore store;
    if (bytes.isEmpty())
        return store;
    store.lines = bytes.split('\n');
    store.endsWithNewline = bytes.endsWith('\n');
    if (store.endsWithNewline)
        store.lines.removeLast();
    return store;
}

QByteArray RegStore::bytes() const {
    QByteArray out = lines.join('\n');
    if (endsWithNewline || lines.isEmpty())
        out += '\n';
    return out;
}

// Sets one value: its own line is replaced, or a line is added at the end of its
// key (the key is added at the end of the file when it is new).
void RegStore::set(const QString &subKey, const QString &name, const RegValue &v) {
    RegStore &store = *this;
    const QString key = keyOf(subKey);
    int keyAt = -1;     // the line of the key
    int lastOfKey = -1; // the last non-empty line of the key's section
    bool inKey = false;
    for (int i = 0; i < store.lines.size(); ++i) {
        const QString line = decodeLine(store.lines.at(i));
        QString path, n;
        RegValue ignored;
        if (keyLine(line, &path)) {
            inKey = keyOf(path) == key;
            if (inKey && keyAt < 0) {
                keyAt = i;
                lastOfKey = i;
            }
            continue;
        }
        if (!inKey)
            continue;
        if (!line.trimmed().isEmpty())
            lastOfKey = i;
        if (valueLine(line, &n, &ignored) && n.toLower() == name.toLower()) {
            store.lines[i] = formatValue(name, v);
            return;
        }
    }
    if (keyAt >= 0) {
        store.lines.insert(lastOfKey + 1, formatValue(name, v));
        return;
    }
    store.lines.append(QByteArray("[") + subKey.toUtf8() + QByteArray("]"));
    store.lines.append(formatValue(name, v));
}

bool RegStore::find(const QString &subKey, const QString &name, RegValue &out) const {
    const QString key = keyOf(subKey);
    bool inKey = false;
    for (const QByteArray &raw : lines) {
        const QString line = decodeLine(raw);
        QString path, n;
        RegValue v;
        if (keyLine(line, &path)) {
            inKey = keyOf(path) == key;
            continue;
        }
        if (inKey && valueLine(line, &n, &v) && n.toLower() == name.toLower()) {
            out = v;
            return true;
        }
    }
    return false;
}

namespace {

bool saveStore(const QString &file, const RegStore &store) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    return platform::textfile::writeBytesAtomic(file, store.bytes());
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
    RegStore store;
    const QString file = fileFor(root);
    // Reading, changing and rewriting the store is one step for every process
    // that shares it (the trainers of other modules, the update checker): without
    // the lock two writers at once would each write back the store they read, and
    // one of the two values would be lost.
    QDir().mkpath(QFileInfo(file).absolutePath());
    QLockFile lock(file + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(10000))
        return ERROR_ACCESS_DENIED;
    if (!loadStore(file, store))
        return ERROR_ACCESS_DENIED;
    store.set(subKey, name, v);
    return saveStore(file, store) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

int32_t FileRegistry::queryValue(int32_t root, const QString &subKey, const QString &name, RegValue &out) {
    if (rootName(root).isEmpty())
        return ERROR_INVALID_PARAMETER;
    RegStore store;
    if (!loadStore(fileFor(root), store))
        return ERROR_ACCESS_DENIED;
    return store.find(subKey, name, out) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

} // namespace platform
