#include "platform/desktopshortcut.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace platform::shortcut {

namespace {

// A path as one argument of the Exec key: quoted, with the characters the
// desktop entry format reserves inside quotes escaped.
QString execArgument(const QString &path) {
    QString out = QStringLiteral("\"");
    for (QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += QStringLiteral("\\\\");
        out += c;
    }
    return out + u'"';
}

// A value of a string key: no line breaks, backslashes escaped.
QString value(QString s) {
    s.replace(u'\\', QStringLiteral("\\\\"));
    s.replace(u'\n', QStringLiteral("\\n"));
    s.replace(u'\r', QStringLiteral("\\r"));
    return s;
}

} // namespace

QString desktopFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/Desktop");
    return folder;
}

QByteArray desktopEntry(const Launcher &l) {
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Version=1.0\n");
    text += QStringLiteral("Name=") + value(l.name) + u'\n';
    text += QStringLiteral("Exec=") + execArgument(l.program) + u'\n';
    text += QStringLiteral("Path=") + value(l.workingDir) + u'\n';
    if (!l.icon.isEmpty())
        text += QStringLiteral("Icon=") + value(l.icon) + u'\n';
    text += QStringLiteral("Terminal=false\n"
                           "Categories=Education;\n");
    return text.toUtf8();
}

bool write(const QString &folder, const Launcher &l, QString *error) {
    QString file = l.name;
    file.replace(u'/', u'_');
    const QString path = folder + u'/' + file + QStringLiteral(".desktop");
    if (!QDir().mkpath(folder) || !textfile::writeBytesAtomic(path, desktopEntry(l), error))
        return false;
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                               QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return true;
}

} // namespace platform::shortcut
