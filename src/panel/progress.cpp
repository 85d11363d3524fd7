#include "panel/progress.h"
#include "platform/textfile.h"
#include "start/vb.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace panel::progress {

namespace {

QString recordName(const QString &prefix, int n) {
    return prefix + start::vb::twoDigits(n) + QStringLiteral(".rar");
}

// Creates the folder of path when it is missing, so that a fresh installation
// without its record folder still keeps the learner's work.
void ensureFolder(const QString &path) {
    const QFileInfo info(path);
    QDir dir = info.absoluteDir();
    if (!dir.exists())
        dir.mkpath(QStringLiteral("."));
}

bool write(const QString &path, const QStringList &lines, QString *error) {
    ensureFolder(path);
    return platform::textfile::writeLinesAtomic(path, lines, error);
}

// The cover page normalises the status file at every load; most loads find it
// already in shape, and then nothing is rewritten.
bool writeIfChanged(const QString &path, const QStringList &lines, QString *error) {
    QByteArray wanted;
    for (const QString &l : lines)
        wanted += platform::gbk::encode(l) + "\r\n";
    QByteArray stored;
    if (platform::textfile::readBytes(path, stored) && stored == wanted)
        return true;
    return write(path, lines, error);
}

bool readFirst(const QString &path, QString &line, QString *error) {
    QStringList lines;
    if (!readHead(path, 1, lines, error)) {
        line.clear();
        return false;
    }
    line = lines.isEmpty() ? QString() : lines.first();
    return true;
}

QString digitsFrom(const ModData &d, int keepMask) {
    QString out;
    out.reserve(MaxQuestions);
    for (int i = 1; i <= MaxQuestions; ++i) {
        int w = d.QuestionScore[i] & keepMask;
        if (w < 0 || w > 9)
            w = 0;
        out += QChar(u'0' + w);
    }
    return out;
}

} // namespace

QString unitStatusFile(const ModData &d) {
    return d.recordFile(QStringLiteral("288893.rar"));
}
QString unitResultFile(const ModData &d, int unit) {
    return d.recordFile(recordName(QStringLiteral("2088"), unit));
}
QString examMarksFile(const ModData &d, int paper) {
    return d.recordFile(recordName(QStringLiteral("2188"), paper));
}
QString wrongListFile(const ModData &d, int paper) {
    return d.recordFile(recordName(QStringLiteral("1824"), paper));
}
QString examRecordFile(const ModData &d) {
    return d.recordFile(QStringLiteral("288892.rar"));
}
QString assemblyLogFile(const ModData &d) {
    return d.dataFile(QStringLiteral("288894.rar"));
}

bool readHead(const QString &path, int maxLines, QStringList &out, QString *error) {
    out.clear();
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(path, out, &err)) {
        if (err.reason == QStringLiteral("missing"))
            return true;
        if (error)
            *error = err.message();
        return false;
    }
    if (out.size() > maxLines)
        out = out.mid(0, maxLines);
    return true;
}

// ---- pure rules -----------------------------------------------------------

QString statusLine(const ModData &d) {
    QString s;
    const int n = std::clamp<int>(d.QuestionCount, 0, MaxQuestions);
    for (int q = 1; q <= n; ++q)
        s += d.QuestionMark[q];
    return s;
}

QString resultDigits(const ModData &d) {
    return digitsFrom(d, StatusMarked | StatusSolved);
}

QString marksDigits(const ModData &d) {
    return digitsFrom(d, StatusMarked);
}

void applyDigits(ModData &d, const QString &digits) {
    for (int i = 1; i <= MaxQuestions; ++i)
        d.QuestionScore[i] = start::vb::ValInt(start::vb::Mid(digits, i, 1));
}

QString wrongCodes(const ModData &d, const QString &composition) {
    QString out;
    for (int i = 1; i <= MaxQuestions; ++i)
        if (d.QuestionScore[i] < StatusSolved)
            out += start::vb::Mid(composition, 4 * (i - 1) + 1, 4);
    return out;
}

QString keepUnsolvedCodes(const ModData &d, const QString &list) {
    QString out;
    const int n = int(list.size()) / 4;
    for (int i = 1; i <= n; ++i) {
        const bool solved = i <= MaxQuestions && d.QuestionScore[i] >= StatusSolved;
        if (!solved)
            out += start::vb::Mid(list, 4 * (i - 1) + 1, 4);
    }
    return out;
}

double examScore(const ModData &d) {
    int solved = 0;
    for (int i = 1; i <= MaxQuestions; ++i)
        if (d.QuestionScore[i] >= StatusSolved)
            ++solved;
    return solved * 2.5;
}

QString scoreText(double score) {
    // At most one decimal place occurs (multiples of 2.5); the shortest form drops ".0".
    return QString::number(score, 'g', 15);
}

QString timeText(const QDateTime &t) {
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QStringList normaliseStatus(const QStringList &lines, const QList<int> &unitQuestions) {
    const QString pad(42, u'F');
    QStringList out;
    for (int i = 0; i < NormalisedUnits; ++i) {
        const QString line = i < lines.size() ? lines.at(i) : QString();
        // a unit has at most 40 questions, whatever the set table says
        const int count =
            i < unitQuestions.size() ? std::clamp(unitQuestions.at(i), 0, int(MaxQuestions)) : 0;
        // a character other than "T" is no solved question: it becomes "F"
        QString kept = start::vb::Left(line + pad, count);
        for (QChar &c : kept)
            if (c != u'T')
                c = u'F';
        out << kept;
    }
    return out;
}

int statusQuestionCount(const QString &line) {
    return int(start::vb::Trim(line).size());
}

int statusUnfinished(const QString &line) {
    return int(line.count(u'F'));
}

// ---- unit status file -----------------------------------------------------

bool normaliseStatusFile(const ModData &d, const QList<int> &unitQuestions, QStringList &lines,
                         QString *error) {
    QStringList stored;
    if (!readHead(unitStatusFile(d), StatusLines, stored, error)) {
        // Unreadable: show what the file would give but leave it untouched.
        lines = normaliseStatus({}, unitQuestions);
        return false;
    }
    lines = normaliseStatus(stored, unitQuestions);
    return writeIfChanged(unitStatusFile(d), lines, error);
}

bool loadUnitProgress(ModData &d, int fallbackCount, QString *error) {
    bool ok = true;
    QStringList status;
    QString line;
    bool haveLine = false;
    if (!readHead(unitStatusFile(d), d.CurSet + 1, status, error))
        ok = false;
    else if (d.CurSet >= 0 && d.CurSet < status.size()) {
        line = start::vb::Trim(status.at(d.CurSet));
        haveLine = true;
    }
    if (!haveLine)
        line = QString(std::clamp(fallbackCount, 0, MaxQuestions), u'F');
    d.QuestionCount = Integer(std::min<int>(int(line.size()), MaxQuestions));
    for (int q = 1; q <= MaxQuestions; ++q)
        d.QuestionMark[q] = q > d.QuestionCount                  ? QString()
                            : start::vb::Mid(line, q, 1) == u'T' ? QStringLiteral("T")
                                                                 : QStringLiteral("F");

    QString digits;
    QString resultError;
    if (!readFirst(unitResultFile(d, d.CurSet), digits, &resultError)) {
        if (ok && error)
            *error = resultError;
        ok = false;
    }
    applyDigits(d, digits);
    return ok;
}

bool writeUnitStatus(const ModData &d, QString *error) {
    if (d.CurSet < 0 || d.CurSet >= StatusLines)
        return true;
    QStringList lines;
    if (!readHead(unitStatusFile(d), StatusLines, lines, error))
        return false; // the other units' lines would be lost
    const int count = std::min(StatusLines, std::max<int>(d.UnitCount, d.CurSet + 1));
    while (lines.size() < count)
        lines << QString();
    lines[d.CurSet] = statusLine(d);
    return write(unitStatusFile(d), lines.mid(0, count), error);
}

bool writeUnitResult(const ModData &d, QString *error) {
    if (d.SetBase != SetBaseUnit || d.CurSet < 0)
        return true;
    return write(unitResultFile(d, d.CurSet), {resultDigits(d)}, error);
}

bool endUnitPractice(const ModData &d, QString *error) {
    // The result file first, the status file second. Each lands whole or not at
    // all; a kill between the two leaves a question solved in the result file and
    // still "F" in the status file, never the other way round. The unit's entry
    // takes the result file's word for it (acceptSolvedResults), so the question
    // stays solved and the next write makes the pair agree again.
    QString e1, e2;
    const bool b = writeUnitResult(d, &e2);
    const bool a = writeUnitStatus(d, &e1);
    if (error)
        *error = !b ? e2 : e1;
    return a && b;
}

int acceptSolvedResults(ModData &d) {
    int changed = 0;
    for (int q = 1; q <= d.QuestionCount && q <= MaxQuestions; ++q) {
        if ((d.QuestionScore[q] & 4) && d.QuestionMark[q] == QLatin1String("F")) {
            d.QuestionMark[q] = QStringLiteral("T");
            ++changed;
        }
    }
    return changed;
}

// ---- exam marks -----------------------------------------------------------

bool writeExamMarks(const ModData &d, QString *error) {
    if (d.SetBase != SetBaseExamPaper || d.CurSet < 0)
        return true;
    return write(examMarksFile(d, d.CurSet), {marksDigits(d)}, error);
}

bool readExamMarks(ModData &d, QString *error) {
    QString digits;
    const bool ok = readFirst(examMarksFile(d, d.CurSet), digits, error);
    applyDigits(d, digits);
    // Only marks are carried: whatever else a digit holds (a "9" has the visited
    // and a solved-looking value), every question starts unvisited and unsolved.
    for (int i = 1; i <= MaxQuestions; ++i)
        d.QuestionScore[i] = Integer(d.QuestionScore[i] & StatusMarked);
    return ok;
}

// ---- wrong-question lists -------------------------------------------------

bool readWrongList(const ModData &d, int paper, QString &list, QString *error) {
    return readFirst(wrongListFile(d, paper), list, error);
}

bool writeWrongList(const ModData &d, const QString &composition, QString *error) {
    if (d.CurSet < 0)
        return true;
    return write(wrongListFile(d, d.CurSet), {wrongCodes(d, composition)}, error);
}

bool pruneWrongList(const ModData &d, QString *error) {
    QString list;
    if (!readWrongList(d, d.ReviewSet, list, error))
        return false;
    return write(wrongListFile(d, d.ReviewSet), {keepUnsolvedCodes(d, list)}, error);
}

// ---- exam record file -----------------------------------------------------

QString lastExamTime(const QStringList &recordLines, int paper) {
    const int i = 3 * paper;
    return i >= 0 && i < recordLines.size() ? recordLines.at(i) : QString();
}

QString bestScore(const QStringList &recordLines, int paper) {
    const int i = 3 * paper + 1;
    return i >= 0 && i < recordLines.size() ? recordLines.at(i) : QString();
}

QStringList updatedRecord(const ModData &d, const QStringList &recordLines, double score,
                          const QDateTime &now) {
    // entries 1 .. 45 as list positions 0 .. 44
    QStringList e = recordLines.mid(0, RecordLines);
    while (e.size() < RecordLines)
        e << QString();
    const int k = d.CurSet;
    if (k >= 0 && k < RecordLines / 3) {
        if (d.ExamStartTime != QStringLiteral("-1")) {
            e[3 * k] = d.ExamStartTime;
            if (score > start::vb::Val(e[3 * k + 1]))
                e[3 * k + 1] = scoreText(score);
        } else {
            e[3 * k] = timeText(now);
        }
    }
    const int papers = std::min(RecordLines / 3, std::max<int>(d.PaperCount, k + 1));
    return e.mid(0, 3 * papers);
}

bool writeExamRecord(ModData &d, double score, const QDateTime &now, QString *error) {
    QStringList lines;
    bool ok = readHead(examRecordFile(d), RecordLines, lines, error);
    if (ok)
        ok = write(examRecordFile(d), updatedRecord(d, lines, score, now), error);
    d.ExamStartTime = QStringLiteral("-1");
    return ok;
}

// ---- paper assembly log -----------------------------------------------------

bool writeAssemblyLog(const ModData &d, const QDateTime &now, QString *error) {
    QStringList e;
    if (!readHead(assemblyLogFile(d), AssemblyLines, e, error))
        return false;
    if (d.CurSet < 0 || d.CurSet >= AssemblyLines)
        return true;
    const int count = std::min(AssemblyLines, std::max<int>(d.PaperCount, d.CurSet + 1));
    while (e.size() < count)
        e << QString();
    e[d.CurSet] = timeText(now);
    return write(assemblyLogFile(d), e.mid(0, count), error);
}

bool readAssemblyTime(const ModData &d, int paper, QString &time, QString *error) {
    QStringList e;
    const bool ok = readHead(assemblyLogFile(d), AssemblyLines, e, error);
    time = paper >= 0 && paper < e.size() ? e.at(paper) : QString();
    return ok;
}

} // namespace panel::progress
