#pragma once
// Entering a question set from the cover page: unit practice, mock exam and the
// wrong-question review. Each entry fills the shared variables in a fixed order
// (the question panel and the simulated window read them when they load) and
// says which captions the question panel gets; the cover page then unloads
// itself and opens the run.

#include "panel/panelentry.h"
#include "start/moddata.h"

#include <QString>

namespace cover::entries {

// What the question panel gets for unit practice and for the review.
PanelEntry practiceCaptions(); // a practice run, "单元练习-"
PanelEntry reviewCaptions();   // a review run, "错题复习-", LblUnit ""

// LblJinRuXX_Click(unit), up to the unload of the cover page and after it:
// QuestionCount 40, SetBase 20, WorkMode 2, CurSet; DataExt and the set's files;
// CurQuestion, CurStep 1, ExamMinutesLeft 50; the question offsets; the status
// line (QuestionCount, QuestionMark); the result digits (QuestionScore), a
// question solved there counting as solved whatever its mark says;
// CurQuestion 1. Returns false with a message naming the file when the unit's
// index file, its status file or its result file exists but cannot be read
// (nothing is opened then); a missing status line or result file gives all
// questions not done.
bool enterUnit(ModData &d, int unit, QString *error = nullptr);

// LblStartKs_Click(paper): QuestionCount 40, SetBase 0, WorkMode 3, CurSet.
void enterExam(ModData &d, int paper);

// The three lines shown when a paper has no wrong questions.
QString noWrongQuestionsMessage();

enum class Review { Opened, NoWrongQuestions, Failed };

// LblErr_Click(paper) with InitShiTI: WorkMode 2, CurQuestion 1, CurSet and
// ReviewSet = paper; then the review set is assembled from the paper's
// wrong-question list into D/288819.rar (steps) and D/288869.rar (index), each
// code's index line and its run of step records, in the order of the list. On
// success the shared variables describe the review set (CurSet -1, SetBase 20).
// NoWrongQuestions: the list is missing or shorter than one code. Failed: a
// bank file is missing or too short; message names it. In both cases the two
// review files are left as they were.
Review initShiTI(ModData &d, int paper, QString *message = nullptr);

} // namespace cover::entries
