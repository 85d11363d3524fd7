#pragma once
// How an exam paper is handed in and scored, without a window: the texts of the
// two hand-in dialogs, the score, the score report's grid, score line and
// tooltips, the three records the report stores, and the two reviews it offers.
//
// The score report runs in this order (FrmChengji only shows the result):
//   Report r = exam::openReport(d, clock.now());
//     the composition line and the paper's index file read, the paper graded,
//     then written in this order: the wrong-question list K/1824NN, the exam
//     record K/288892 (ExamStartTime is "-1" afterwards), the exam marks K/2188NN
//     (the visited bits of QuestionScore cleared in place)
//   exam::preparePaperReview(d)          "本次考题复习": the same paper again
//   exam::prepareWrongReview(d, &error)  "本次错题复习": the review set assembled

#include "panel/panelentry.h"
#include "start/moddata.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>

namespace panel::exam {

// ---- hand-in -----------------------------------------------------------------
// True when some question of the 40 was never shown (an even word) or is shown
// and still marked (3 or 7).
bool paperIncomplete(const ModData &d);
// FrmEnd1's message: the warning line first when the paper is incomplete.
QString firstDialogText(const ModData &d);
// FrmEnd2's fixed message.
QString secondDialogText();
// The countdown's box at 0.
QString timeUpText();

// ---- scoring -----------------------------------------------------------------
// The score itself is progress::examScore: 2.5 for every word of the 40 that is 4 or more.
// "第N套得分：S分", N = CurSet + 1, S in its shortest decimal form.
QString scoreLine(const ModData &d, double score);

// A strict seat (logon::isStrictSeat) is offered no wrong-question review.

// "第i题： " & the question text of index line i (after the picture id when the
// line carries a picture).
QString questionTooltip(int i, const QString &indexLine);

// ---- the score report ------------------------------------------------------------
struct Report {
    std::array<bool, MaxQuestions + 1> solved{}; // 1..40: green in the grid
    std::array<QString, MaxQuestions + 1> tooltips{};
    double score = 0;
    QString scoreLine;
    QString examTime;         // the exam's time as the record stores it
    QString wrongList;        // the codes of the unsolved questions, as stored
    bool wrongReview = false; // "本次错题复习" offered: a list to review, no strict seat
    QStringList problems;     // files that could not be read or written, named
};

// Line CurSet + 3 of the set table D/288891.rar ("" when missing, with error set).
QString compositionLine(const ModData &d, QString *error = nullptr);

// The grid, score, score line, tooltips and wrong list of the paper as the
// status words stand, from its composition line and index lines; writes nothing.
Report grade(const ModData &d, const QString &composition, const QStringList &indexLines);

// The three records of a handed-in paper, in this order: the wrong-question list
// (only when the composition line is whole: a list built from a missing or cut
// line would drop wrong questions, so the old list stays), the exam record (then
// ExamStartTime = "-1"), and, after the visited bits are cleared in place, the
// exam marks. Every write is tried; the failures are returned, each naming its
// file.
QStringList storeRecords(ModData &d, const QString &composition, double score, const QDateTime &now);

// The report's load: reads, grades and stores as above. Problems reading the set
// table or writing a record are in Report::problems; the report opens anyway.
Report openReport(ModData &d, const QDateTime &now);

// ---- the two reviews -------------------------------------------------------------
// "本次考题复习": the paper again as practice with the answers available; the
// status words keep the exam's solved and marked bits.
void preparePaperReview(ModData &d);
PanelEntry paperReviewEntry(); // "考题复习-", LblUnit ""

// Builds the wrong-question review set D/288819.rar and D/288869.rar from the
// codes of list (whole four-character codes, at most 40, in their order) and
// makes it the current set: SetBase 20, WorkMode 2, CurSet -1, the set's
// files, question 1 step 1, 50 minutes, the first-step table, every question
// not done. A code past the end of its unit takes the unit's last question, as
// in the exam login's assembly of a paper. False with message naming the file
// when a bank file is missing or too short, an index line's step count is not
// 1 to 99, or a write fails, and naming the list when a code names no question
// a bank can hold: the shared variables and both files are then as they were
// (a list without a whole code fails too).
bool openWrongReviewSet(ModData &d, const QString &list, QString *message = nullptr);

// "本次错题复习": WorkMode 2, ReviewSet = CurSet, the paper's wrong-question list
// read and its review set opened as above.
bool prepareWrongReview(ModData &d, QString *message = nullptr);
PanelEntry wrongReviewEntry(); // "错题复习-", LblUnit ""

} // namespace panel::exam
