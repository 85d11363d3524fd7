#include "panel/logonrules.h"
#include "panel/progress.h"
#include "platform/textfile.h"
#include "start/setassembly.h"
#include "start/setfiles.h"
#include "start/twips.h"
#include "start/vb.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

namespace panel::logon {

using start::vb::Right;
using start::vb::Trim;

QString seatDefault() {
    return QStringLiteral("18");
}
QString idDefault() {
    return QStringLiteral("110212194808082128");
}
QString idFill() {
    return QStringLiteral("110101198001011234");
}
QString shiftNumber() {
    return QStringLiteral("18");
}
QString archiveNumber() {
    return QStringLiteral("888888");
}

bool isStrictSeat(const QString &seatText) {
    const QString t = Trim(seatText);
    if (t.isEmpty())
        return false;
    const char16_t c = t.at(0).unicode();
    const char16_t upper = StrictSeatLetter;
    const char16_t lower = char16_t(upper + (u'a' - u'A'));
    // full-width Latin letters sit at a fixed distance above the ASCII ones
    constexpr char16_t wide = 0xFF21 - u'A';
    return c == upper || c == lower || c == char16_t(upper + wide) || c == char16_t(lower + wide);
}

QString seatNumber(const QString &seatText) {
    const QString t = Trim(seatText);
    if (isStrictSeat(t))
        return t;
    return Right(QStringLiteral("00") + t, 2);
}

QString idCardNumber(const QString &idText) {
    return Right(idFill() + Trim(idText), IdMaxLength);
}

bool idKeyAccepted(QChar key, int currentLength) {
    const char16_t c = key.unicode();
    if ((c >= u'0' && c <= u'9') || c == Backspace)
        return true;
    if (c == u'x' || c == u'X')
        return currentLength >= IdMaxLength - 1;
    return false;
}

QString dateText(const QDate &date) {
    return date.toString(QCoreApplication::translate("panel::logon", "yyyy年MM月dd日"));
}

Confirmation confirmation(const ModData &d, const QDate &today) {
    return {d.CandidateName, d.SeatNo, d.ShiftNo, d.ModuleName, d.IdCardNo, d.ArchiveNo, dateText(today)};
}

int barFramePx(double scaleX) {
    return start::twips::toPxX(BarFrameTwips, scaleX);
}
int barStepPx(double scaleX) {
    return start::twips::toPxX(BarStepTwips, scaleX);
}

BarTick barTick(int width, double scaleX) {
    const int next = width + barStepPx(scaleX);
    return {next, next > barFramePx(scaleX)};
}

// ---- the paper --------------------------------------------------------------------

namespace {

QString setTable(const ModData &d) {
    return d.dataFile(QStringLiteral("288891.rar"));
}
QString bankFile(const ModData &d, int number) {
    return d.dataFile(start::setfiles::bankName(number) + QStringLiteral(".rar"));
}

void say(QString *message, const QString &text) {
    if (message)
        *message = text;
}

// A file the login must read: there, a regular file of a sane size, readable.
bool readable(const QString &path, QString *message) {
    platform::textfile::ReadError err;
    if (platform::textfile::checkReadable(path, &err))
        return true;
    say(message, err.message());
    return false;
}

} // namespace

bool readComposition(const ModData &d, int paper, QString &composition, QString *message) {
    composition.clear();
    QStringList lines;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(setTable(d), lines, &err)) {
        say(message, err.message());
        return false;
    }
    const int line = paper + 3;
    if (paper < 0 || line > lines.size() || Trim(lines.at(line - 1)).isEmpty()) {
        say(message, QCoreApplication::translate("panel::logon", "试卷组成表 %1 中没有第 %2 套试卷的题目。")
                         .arg(setTable(d))
                         .arg(paper + 1));
        return false;
    }
    // a cut line would read its missing codes as question 0 of unit 0
    if (Trim(lines.at(line - 1)).size() < 4 * PaperQuestions) {
        say(message,
            QCoreApplication::translate(
                "panel::logon", "试卷组成表 %1 第 %2 行的第 %3 套试卷不足 %4 个四位题号，无法组成试卷。")
                .arg(setTable(d))
                .arg(line)
                .arg(paper + 1)
                .arg(PaperQuestions));
        return false;
    }
    composition = lines.at(line - 1);
    return true;
}

QString compositionFrom(const ModData &d, int paper) {
    return QCoreApplication::translate("panel::logon", "试卷组成表 %1 第 %2 行")
        .arg(setTable(d))
        .arg(paper + 3);
}

QList<int> compositionCodes(const QString &composition) {
    QList<int> codes;
    codes.reserve(PaperQuestions);
    for (int i = 1; i <= PaperQuestions; ++i)
        codes << start::vb::ValInt(start::vb::Mid(composition, 4 * (i - 1) + 1, 4));
    return codes;
}

bool checkInputs(const ModData &d, QString *message) {
    QString composition;
    if (!readComposition(d, d.CurSet, composition, message))
        return false;
    QSet<int> units;
    for (int code : compositionCodes(composition)) {
        const int u = code / 100;
        // a unit the bank cannot hold would name files of another kind
        if (!start::setfiles::unitInBank(u) || code % 100 < 1) {
            say(message, start::setfiles::codeFault(compositionFrom(d, d.CurSet), code));
            return false;
        }
        if (units.contains(u))
            continue;
        units.insert(u);
        if (!readable(bankFile(d, 70 + u), message) || !readable(bankFile(d, 20 + u), message))
            return false;
    }
    // no marks file: the paper has not been handed in before
    const QString marks = panel::progress::examMarksFile(d, d.CurSet);
    return !QFileInfo::exists(marks) || readable(marks, message);
}

bool assemblePaper(const ModData &d, const QDateTime &now, QString *message) {
    if (!checkInputs(d, message))
        return false;
    QString composition;
    if (!readComposition(d, d.CurSet, composition, message))
        return false;
    const int k = d.CurSet + SetBaseExamPaper;
    if (!start::setfiles::assembleSet(d, compositionCodes(composition), bankFile(d, k), bankFile(d, k + 50),
                                      start::setfiles::PastEnd::LastQuestion, message,
                                      compositionFrom(d, d.CurSet)))
        return false;
    return panel::progress::writeAssemblyLog(d, now, message);
}

// ---- the three moments ---------------------------------------------------------------

void prepare(ModData &d) {
    d.DataExt = QStringLiteral(".rar");
    start::setfiles::nameSetFiles(d);
}

bool logIn(ModData &d, const QString &seatText, const QString &idText, const QDateTime &now,
           QString *message) {
    // 1. the paper's two files
    if (!assemblePaper(d, now, message))
        return false;
    // 2. the panel stays until the exam run is over
    d.PanelMayClose = False;
    // 3., 4. the candidate
    d.SeatNo = seatNumber(seatText);
    d.ShiftNo = shiftNumber();
    if (isStrictSeat(seatText))
        d.WorkMode = WorkExam;
    d.IdCardNo = idCardNumber(idText);
    d.ArchiveNo = archiveNumber();
    // 6.
    d.CurQuestion = 1;
    d.CurStep = 1;
    d.ExamMinutesLeft = 50;
    // 7. the paper's index file was written a moment ago
    prepare(d);
    if (start::setfiles::readQuestionOffsets(d, message) < 0)
        return false;
    return true;
}

bool startExam(ModData &d, const QDateTime &now, QString *message) {
    // marks of the last attempt only: every question starts unvisited and unsolved
    if (!panel::progress::readExamMarks(d, message))
        return false;
    d.ExamStartTime = panel::progress::timeText(now);
    d.CurQuestion = 1;
    return true;
}

PanelEntry examCaptions(const ModData &d) {
    PanelEntry e;
    e.kind = RunKind::Exam;
    e.LblBiao = loadTitle(d);
    return e;
}

} // namespace panel::logon
