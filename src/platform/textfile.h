#pragma once
// Plain-text data files of the trainer: GBK, CR LF line ends, read whole and
// rewritten whole. Every rewrite goes through writeLinesAtomic (temporary file in
// the same folder, then a rename), so a crash never leaves a half-written file.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform::gbk {
QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
// Bytes of one character as the GBK code page stores it (1 or 2 bytes; a
// character GBK cannot hold becomes '?').
QByteArray encodeChar(QChar c);
} // namespace platform::gbk

namespace platform::textfile {

// Why a read failed, with the file named, ready to show to the learner.
struct ReadError {
    QString path;
    QString reason; // "missing", "unreadable", "notafile", "toolarge"
    QString message() const;
};

// The largest file read as text. The biggest real file, a set's step file of
// 40 questions of 99 records each, stays below 1 MB; a file past this bound is
// no data file of the trainer and is refused instead of being taken into memory.
inline constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;

// Whether path may be read: it exists, is a regular file (a link to one is
// fine; a folder, a device or a pipe is not), is at most MaxFileBytes long and
// is readable. Looks at the file without opening it. False fills error.
bool checkReadable(const QString &path, ReadError *error = nullptr);

// Every byte of a file that checkReadable accepts. The file is opened without
// waiting (a pipe put in its place between the check and the open is refused,
// not waited on) and read no further than MaxFileBytes. False fills error.
bool readBytes(const QString &path, QByteArray &out, ReadError *error = nullptr);

// The longest line kept when a file is read: no record, text or index line of a
// bank comes near it (they run to a few hundred characters). A longer line is cut
// to this length, so a damaged file cannot make every later use of its lines slow.
inline constexpr qsizetype MaxLineChars = 64 * 1024;

// The longest text laid out on the screen: a question text, a hint, a box text,
// a caption. Longer texts are cut (a label laying out megabytes hangs the window).
inline constexpr qsizetype MaxShownChars = 2000;
// text cut to MaxShownChars.
QString shownText(const QString &text);

// Splits decoded text into lines at CR LF (a lone CR or LF also ends a line).
// A final line end does not make an extra empty line. A line longer than
// MaxLineChars is cut to that length (the rest of it is dropped, not made into
// further lines).
QStringList splitLines(const QString &text);

// Reads every line of a GBK file (lines cut as splitLines cuts them). Returns
// false (and fills error) when the file is missing or readBytes refuses it; out
// is then empty.
bool readLines(const QString &path, QStringList &out, ReadError *error = nullptr);

// Line n (1-based) of a file read line by line from the start: the count stops at
// the end of the file, so a line beyond the end is the last line; an empty file
// gives "". n < 1 gives the first line.
QString lineAt(const QStringList &lines, int n);

// The first line of a file, or "" when it is missing or empty.
QString firstLine(const QString &path, bool *ok = nullptr);

// Writes lines as GBK, each followed by CR LF, through a temporary file and a
// rename. The new content replaces the old only once every byte of it is on the
// disk (written, flushed and synced: a full disk fails here, not later).
// Returns false with a message naming the file on failure; the old file is then
// left untouched and no temporary file stays behind.
bool writeLinesAtomic(const QString &path, const QStringList &lines, QString *error = nullptr);

// Same for raw bytes (pictures, cursors).
bool writeBytesAtomic(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Temporary files of an atomic write are named "." + the file's name + this
// marker + six random characters, beside the file.
inline constexpr char TempMarker[] = ".caddrill-new-";
QString temporaryPrefix(const QString &path);

// Removes the temporary files a killed write left in a folder; returns how many.
int removeStaleTemporaries(const QString &folder);

// Tests only: every later write may put at most this many bytes on the disk in
// all (a full disk); -1 lifts the limit.
void setSpaceLeftForTesting(qint64 bytes);

} // namespace platform::textfile
