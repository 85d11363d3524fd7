#pragma once
// A launcher on the learner's desktop: a ".desktop" entry that starts a program
// in its own folder. It is written whole (an existing one of that name is
// replaced) and made executable, as desktops require before they start it.

#include <QString>

namespace platform::shortcut {

struct Launcher {
    QString name;       // shown under the icon, and the file's name
    QString program;    // the executable
    QString workingDir; // the folder it starts in
    QString icon;       // an icon name or file; may be empty
};

// The desktop folder of this user (the platform's known folder, or ~/Desktop).
QString desktopFolder();

// The text of the entry.
QByteArray desktopEntry(const Launcher &l);

// Writes folder/<name>.desktop; false with a message naming the file on failure.
bool write(const QString &folder, const Launcher &l, QString *error = nullptr);

} // namespace platform::shortcut
