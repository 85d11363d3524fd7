#pragma once
// The simulated exam login's rules that need no window: the seat and
// identity-card fields, the candidate data stored at login, the confirmation
// page's texts, the growing bar, and the paper assembly that turns the paper's
// composition line into its step and index files.
//
// The login runs in three moments:
//   prepare(d)            the form loads: the paper's file names
//   logIn(d, seat, id, t) "登录": the paper assembled, the candidate stored,
//                         the first-step table read
//   startExam(d, t)       the bar is full: the carried marks and the start time
// FrmLogon only shows their results.

#include "panel/panelentry.h"
#include "start/moddata.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace panel::logon {

// ---- the fields ----------------------------------------------------------------
constexpr int SeatMaxLength = 3;
constexpr int IdMaxLength = 18;
// What the two fields hold when the page opens.
QString seatDefault(); // "18"
QString idDefault();   // "110212194808082128"
// The number a short identity entry is filled from on the left.
QString idFill(); // "110101198001011234"
// Fixed values of every login.
QString shiftNumber();   // "18"
QString archiveNumber(); // "888888"

// The strict seat prefix: a seat text starting with this letter, in either case
// and in its half- or full-width form, belongs to a strict candidate (the seat
// number is kept whole; the score report offers no wrong-question review).
constexpr char16_t StrictSeatLetter = u'Z';
bool isStrictSeat(const QString &seatText);

// SeatNo from the seat text: the last two characters of "00" & the trimmed text,
// or the whole trimmed text for a strict candidate.
QString seatNumber(const QString &seatText);
// IdCardNo: the last 18 characters of idFill() & the trimmed text.
QString idCardNumber(const QString &idText);

// The identity field's key filter: digits and Backspace always, "x"/"X" only
// once the field holds 17 characters (the check character is the 18th), nothing
// else. currentLength is the field's length before the key.
bool idKeyAccepted(QChar key, int currentLength);
constexpr char16_t Backspace = u'\b';

// ---- the confirmation page ----------------------------------------------------
// "yyyy年mm月dd日"
QString dateText(const QDate &date);

struct Confirmation {
    QString name, seat, shift, module, idCard, archive, date;
};
// The candidate's data as stored by logIn, and today's date.
Confirmation confirmation(const ModData &d, const QDate &today);

// The growing bar: its frame is BarFrameTwips wide, each tick of Timer2 widens
// the bar by BarStepTwips (both scaled by ScaleX). The exam starts at the first
// tick after which the bar is wider than its frame.
constexpr int BarFrameTwips = 10335;
constexpr int BarStepTwips = 1500;
constexpr int TimerIntervalMs = 100;
int barFramePx(double scaleX);
int barStepPx(double scaleX);
// The bar's width after one more tick, and whether the exam starts then.
struct BarTick {
    int width = 0;
    bool full = false;
};
BarTick barTick(int width, double scaleX);

// ---- the paper ----------------------------------------------------------------
constexpr int PaperQuestions = 40;

// Line paper + 3 of the set table D/288891.rar. False with a message naming the
// table when it is missing, cannot be read, has no such line or a line shorter
// than the 40 four-digit codes of a paper.
bool readComposition(const ModData &d, int paper, QString &composition, QString *message = nullptr);
// Where a paper's codes are read, for messages: "试卷组成表 …/288891.rar 第 n 行".
QString compositionFrom(const ModData &d, int paper);
// The 40 question codes uuqq of a composition line (4 characters each; a
// missing or unreadable code reads as 0).
QList<int> compositionCodes(const QString &composition);

// Everything the login reads, looked at before anything is written: the set
// table and the paper's composition line, the index and step file of every unit
// it names, and the paper's marks file. A missing marks file is a paper not
// taken before (no marks to carry); one that exists but cannot be read stops the
// login. False with a message naming the file; a code naming no question a bank
// can hold (a unit from 20 on, question 0) is named with the composition line.
bool checkInputs(const ModData &d, QString *message = nullptr);

// InitShiTI: the paper CurSet assembled into its step file D/2888(k) and index
// file D/2888(50+k), a code past its unit's end taking the unit's last question,
// a code used twice copied twice; then line CurSet + 1 of the assembly log is
// `now`. Checks every input first: when one is missing or unreadable, message
// names it and nothing is written.
bool assemblePaper(const ModData &d, const QDateTime &now, QString *message = nullptr);

// ---- the three moments ----------------------------------------------------------
// The form's load: DataExt ".rar", StepFile, IndexFile and TextFile of the paper.
void prepare(ModData &d);

// "登录": the paper assembled (as above; false and nothing changed when it
// cannot be), PanelMayClose 0, SeatNo, ShiftNo, WorkMode 3 for a strict seat,
// IdCardNo, ArchiveNo, CurQuestion and CurStep 1, ExamMinutesLeft 50, and
// QuestionFirstStep from the paper's index file.
bool logIn(ModData &d, const QString &seatText, const QString &idText, const QDateTime &now,
           QString *message = nullptr);

// The bar is full: QuestionScore(1 .. 40) from the paper's marks file (a missing
// file carries none), ExamStartTime = now as "yyyy-mm-dd hh:mm:ss", CurQuestion 1.
// False with a message naming the file when the marks cannot be read.
bool startExam(ModData &d, const QDateTime &now, QString *message = nullptr);

// What the question panel gets for the exam: the exam's toolbar ("考生信息",
// "操作提示", "结束考试", no unfinished list) and the load title until the first
// question's title replaces it.
PanelEntry examCaptions(const ModData &d);

} // namespace panel::logon
