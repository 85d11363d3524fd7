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

// Why the launcher cannot be written, or empty: a line break or another
// control character in any of its texts, which no desktop entry can carry
// (the entry is read line by line, and a line break in the program's path
// would let the rest of the path be read as keys of its own).
QString unwritable(const Launcher &l);

// The text of the entry; empty when the launcher is unwritable. The program
// is the Exec key's one argument, quoted and escaped so that a desktop reading
// the entry starts exactly that path whatever characters its folder's name holds.
QByteArray desktopEntry(const Launcher &l);

// Writes folder/<name>.desktop; false with a message on failure: the file that
// could not be written, or why the launcher is unwritable (nothing is written).
bool write(const QString &folder, const Launcher &l, QString *error = nullptr);

} // namespace platform::shortcut
