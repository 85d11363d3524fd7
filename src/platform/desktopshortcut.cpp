#include "platform/desktopshortcut.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace platform::shortcut {

namespace {

// A line break or another control character: a desktop entry is read line by
// line and its string values may hold no control character, so a launcher
// whose texts hold one is not written at all.
bool hasControl(const QString &s) {
    for (QChar c : s)
        if (c.category() == QChar::Other_Control)
            return true;
    return false;
}

// A value of a string key: backslashes doubled, and a blank at either end
// written "\s" (readers drop blanks around the value).
QString value(const QString &s) {
    QString out;
    out.reserve(s.size() + 8);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u' ' && (i == 0 || i == s.size() - 1))
            out += QStringLiteral("\\s");
        else
            out += c;
    }
    return out;
}

// A path as the one argument of the Exec key. Quoted whole, so that blanks and
// the other reserved characters stay in the argument; inside the quotes '"',
// '`', '$' and '\' take a backslash; a literal '%' is "%%", never a field
// code. The Exec key is a string value too, so every backslash of the quoted
// argument is doubled once more: a '\' in the path is written as four.
QString execArgument(const QString &path) {
    QString quoted = QStringLiteral("\"");
    for (QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        else if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return value(quoted);
}

} // namespace

QString desktopFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/Desktop");
    return folder;
}

QString unwritable(const Launcher &l) {
    struct Part {
        const QString &text;
        const char *what;
    };
    const Part parts[] = {{l.program, QT_TRANSLATE_NOOP("platform::shortcut", "程序路径")},
                          {l.workingDir, QT_TRANSLATE_NOOP("platform::shortcut", "程序目录")},
                          {l.name, QT_TRANSLATE_NOOP("platform::shortcut", "名称")},
                          {l.icon, QT_TRANSLATE_NOOP("platform::shortcut", "图标")}};
    for (const Part &p : parts)
        if (hasControl(p.text))
            return QCoreApplication::translate("platform::shortcut",
                                               "未创建桌面启动图标：%1中含有换行符或其他控制字符，"
                                               "启动图标无法正确记录它")
                .arg(QCoreApplication::translate("platform::shortcut", p.what));
    return QString();
}

QByteArray desktopEntry(const Launcher &l) {
    if (!unwritable(l).isEmpty())
        return QByteArray();
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
    const QString refused = unwritable(l);
    if (!refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
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
