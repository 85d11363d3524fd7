#pragma once
// Reading a question set: the index file (one line per question), the step file
// (the records of all questions one after the other) and the module's text table.
// Files are looked up by line as if read from the start each time; a file that
// was rewritten (the review and exam-paper sets are assembled while the program
// runs) is always seen afresh.

#include "platform/textfile.h"
#include "simulator/steprecord.h"
#include "start/moddata.h"
#include "start/setassembly.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>

namespace sim::bank {

// One index line decoded (the parser lives with the set files).
using start::setfiles::IndexEntry;
using start::setfiles::parseIndexLine;

// Character 4 to the end of a text-table line.
QString textOfLine(const QString &tableLine);

// The two accepted answers: split at the first "|"; without "|" both are the
// whole text.
struct Alternatives {
    QString first;
    QString second;
};
Alternatives splitAnswer(const QString &answer);

// Part of a hint before its first "|".
QString hintPrompt(const QString &hint);

// Remove leading and trailing blanks, lower case.
QString normalForm(const QString &text);

// DataDir + id + DataExt, or "" when the id would lead outside the data folder.
QString picturePath(const ModData &data, const QString &id);
// Program folder + "ico" + nn + ".CUR".
QString pointerPath(const ModData &data, const QString &nn);

// Lines of files, re-read whenever a file's size, modification time or identity
// changes. Missing or unreadable files are reported through lastError().
class LineCache {
  public:
    // Lines of a file; empty when it cannot be read.
    const QStringList &lines(const QString &path, bool *ok = nullptr);
    // Line n as the line-by-line lookup gives it (beyond the end: last line).
    QString line(const QString &path, int n, bool *ok = nullptr);
    const platform::textfile::ReadError &lastError() const { return m_error; }
    void clear() { m_files.clear(); }

  private:
    struct Entry {
        qint64 size = -1;
        qint64 mtimeNs = 0;
        quint64 inode = 0;
        QStringList lines;
    };
    QHash<QString, Entry> m_files;
    platform::textfile::ReadError m_error;
    QStringList m_empty;
};

// Reads from the current set of a ModData.
class BankReader {
  public:
    explicit BankReader(const ModData &data) : m_data(data) {}

    // Text n of the text table: "" for 0.
    QString text(int n, bool *ok = nullptr);
    // Index line of question q (1-based).
    IndexEntry index(int q, bool *ok = nullptr);
    // Step record of (q, s): line QuestionFirstStep(q) + s - 1 of the step file.
    // ok is false when the file cannot be read, the step lies past the question's
    // records (past the end of the file, or in the next question's records when
    // the index gives the question's length) or the record is shorter than 196.
    StepRecord record(int q, int s, bool *ok = nullptr);
    // The message for the last failure, naming the file (and line for a short record).
    QString lastError() const { return m_lastError; }

    LineCache &cache() { return m_cache; }

  private:
    const ModData &m_data;
    LineCache m_cache;
    QString m_lastError;
};

} // namespace sim::bank
