#pragma once
// The learner's progress and score records.
//
// Five files lie in the record folder K (program folder + "ksdata"), one in the
// data folder D. All are GBK text with CR LF line ends, read line by line from
// the start and rewritten whole through platform::textfile::writeLinesAtomic. A file that
// ends with an extra empty line (as older versions wrote them) reads the same.
//
//   K/288893.rar  unit status file     one line per unit, "T"/"F" per question
//   K/2088NN.rar  unit result file     40 digits: status word without the visited bit
//   K/2188NN.rar  exam marks file      40 digits: only the mark bit (0 or 2)
//   K/1824NN.rar  wrong-question list  four-digit codes of the last exam's unsolved questions
//   K/288892.rar  exam record file     three lines per paper: last exam time, best score, kept
//   D/288894.rar  paper assembly log   one line per paper: when it was last assembled
//
// NN is the two-digit form of the set number (start::vb::twoDigits).
//
// Readers never fail on a missing file: it reads as empty. Writers return false
// with a message naming the file when the file exists but cannot be read (the
// file is then left as it was, so nothing is lost) or cannot be written. A
// missing record folder is created before a write.

#include "start/moddata.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace panel::progress {

// Line limits of the read-modify-write sequences.
constexpr int StatusLines = 26;     // unit status file: lines 0 .. 25
constexpr int NormalisedUnits = 25; // lines kept by the cover page's normalisation
constexpr int RecordLines = 45;     // exam record file: 15 papers
constexpr int AssemblyLines = 16;   // paper assembly log

// ---- file names -----------------------------------------------------------
QString unitStatusFile(const ModData &d);           // K/288893.rar
QString unitResultFile(const ModData &d, int unit); // K/2088NN.rar
QString examMarksFile(const ModData &d, int paper); // K/2188NN.rar
QString wrongListFile(const ModData &d, int paper); // K/1824NN.rar
QString examRecordFile(const ModData &d);           // K/288892.rar
QString assemblyLogFile(const ModData &d);          // D/288894.rar

// ---- reading --------------------------------------------------------------
// Lines 1 .. maxLines of a file. A missing file gives an empty list and true;
// a file that exists but cannot be read gives false and a message naming it.
bool readHead(const QString &path, int maxLines, QStringList &out, QString *error = nullptr);

// ---- pure rules (no files) ------------------------------------------------
// QuestionMark(1) & .. & QuestionMark(QuestionCount)
QString statusLine(const ModData &d);
// 40 digits, digit i = the marked and solved bits of QuestionScore(i) (0, 2, 4, 6).
QString resultDigits(const ModData &d);
// 40 digits, digit i = the marked bit of QuestionScore(i) (0, 2).
QString marksDigits(const ModData &d);
// Status words from a stored digit line: word i = Val(character i), 0 beyond the end.
void applyDigits(ModData &d, const QString &digits);
// Codes of the composition line at the positions whose word is below 4 (unsolved),
// in paper order: for paper questions 4 and 9 unsolved with codes 0105 and 0312
// this is "01050312".
QString wrongCodes(const ModData &d, const QString &composition);
// The end of a wrong-question review: keeps the i-th code of the list when the
// review's question i is still unsolved (word <= 3). Codes beyond the 40 review
// questions are kept. A trailing partial code is dropped.
QString keepUnsolvedCodes(const ModData &d, const QString &list);
// 2.5 points per solved question (word >= 4) of the 40.
double examScore(const ModData &d);
// A score in its shortest decimal form: 100, 97.5, 0.
QString scoreText(double score);
// "yyyy-mm-dd hh:mm:ss"
QString timeText(const QDateTime &t);

// The cover page's status normalisation: status line i (i = 0 .. 24) becomes
// Left(line & 42 x "F", count of unit i): padded with "F" or cut, and every
// character other than "T" made "F" (garbage is no solved question). A count
// above 40 counts 40 (the panel has 40 questions). Missing lines and units
// without a count become empty. Returns exactly 25 lines.
QStringList normaliseStatus(const QStringList &lines, const QList<int> &unitQuestions);
// Number of questions of a status line (length of the trimmed line) and the
// number of "F" in it.
int statusQuestionCount(const QString &line);
int statusUnfinished(const QString &line);

// ---- unit status file -----------------------------------------------------
// Reads, normalises and rewrites the file (the cover page, at every load).
// Returns the 25 normalised lines in lines. A missing file is created all "F".
bool normaliseStatusFile(const ModData &d, const QList<int> &unitQuestions, QStringList &lines,
                         QString *error = nullptr);

// Unit entry: QuestionCount and QuestionMark(1 ..) from status line CurSet + 1
// (a mark other than "T" reads as "F"),
// QuestionScore(1 .. 40) from the unit's result file. A missing status line or
// file gives `fallbackCount` questions, all "F"; a missing result file all 0.
// QuestionCount is at most 40.
bool loadUnitProgress(ModData &d, int fallbackCount, QString *error = nullptr);

// End of unit practice ("结束练习"): line CurSet becomes statusLine(d); lines
// 0 .. UnitCount - 1 are written back (at least through line CurSet, at most 26).
bool writeUnitStatus(const ModData &d, QString *error = nullptr);
// End of unit practice: resultDigits(d) as the single line of K/2088NN.rar,
// NN = CurSet. Writes only for units (SetBase 20, CurSet >= 0); returns true
// without writing otherwise.
bool writeUnitResult(const ModData &d, QString *error = nullptr);
// Both of the above, the result file first; stops at nothing (each file is its
// own). Written at the end of a unit practice and after each solved question.
// A kill between the two writes leaves the result file ahead of the status file
// (a question solved in one, "F" in the other); acceptSolvedResults reads that
// pair as the newer state.
bool endUnitPractice(const ModData &d, QString *error = nullptr);
// Unit entry, after loadUnitProgress: a question whose result word has the solved
// bit but whose mark is "F" (the status file lagging behind a kill) is marked
// "T". Returns how many marks it changed.
int acceptSolvedResults(ModData &d);

// ---- exam marks file --------------------------------------------------------
// Score report, exam papers only (SetBase 0): marksDigits(d) into K/2188NN.rar,
// NN = CurSet. Returns true without writing for other sets.
bool writeExamMarks(const ModData &d, QString *error = nullptr);
// Exam login: QuestionScore(1 .. 40) = the marked bit of digit i of K/2188NN.rar of
// paper CurSet (0 when missing); nothing else a digit holds is carried.
bool readExamMarks(ModData &d, QString *error = nullptr);

// ---- wrong-question lists -------------------------------------------------
// Line 1 of K/1824NN.rar ("" when missing).
bool readWrongList(const ModData &d, int paper, QString &list, QString *error = nullptr);
// Score report: wrongCodes(d, composition) replaces the list of paper CurSet.
bool writeWrongList(const ModData &d, const QString &composition, QString *error = nullptr);
// End of a wrong-question review, after the learner agreed: the list of paper
// ReviewSet keeps only the codes whose review question is still unsolved.
bool pruneWrongList(const ModData &d, QString *error = nullptr);

// ---- exam record file -----------------------------------------------------
// Last exam time and best score of paper k from the record lines (lines 3k+1, 3k+2).
QString lastExamTime(const QStringList &recordLines, int paper);
QString bestScore(const QStringList &recordLines, int paper);
// The record lines after an exam of paper CurSet with `score`:
// line 3k+1 = ExamStartTime, line 3k+2 = score when higher than the stored best;
// when ExamStartTime is "-1" (answers were viewed) line 3k+1 = now and the best
// score stays. Returns the three lines of every paper 0 .. max(PaperCount, CurSet+1) - 1
// (at most 15 papers).
QStringList updatedRecord(const ModData &d, const QStringList &recordLines, double score,
                          const QDateTime &now);
// Score report: reads the file (up to 45 lines), applies updatedRecord, rewrites it,
// then sets ExamStartTime to "-1" (also when the write failed).
bool writeExamRecord(ModData &d, double score, const QDateTime &now, QString *error = nullptr);

// ---- paper assembly log -----------------------------------------------------
// Exam login: line CurSet of D/288894.rar = now; lines 0 .. PaperCount - 1 are
// written (at least through line CurSet, at most 16).
bool writeAssemblyLog(const ModData &d, const QDateTime &now, QString *error = nullptr);
// When paper `paper` was last assembled ("" when never).
bool readAssemblyTime(const ModData &d, int paper, QString &time, QString *error = nullptr);

} // namespace panel::progress
