#pragma once
// The state every form of the trainer shares. One instance is owned by the
// application object and handed to the forms; tests make their own.
//
// Integer fields are 16-bit, Long 32-bit; flags hold -1 (true) and 0 (false).
// Arrays keep their 1-based bounds: index 0 of a 1..40 array is unused.

#include "platform/places.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

using Integer = int16_t;
using Long = int32_t;
using Flag = int16_t;
constexpr Flag True = -1;
constexpr Flag False = 0;

constexpr int MaxQuestions = 40;
constexpr int FirstStepEntries = 45;

// Values of WorkMode: what the learner does in the current run.
constexpr Integer WorkGuided = 1; // guided teaching, inside a practice or review, until the question changes
constexpr Integer WorkPractice = 2; // unit practice or a review
constexpr Integer WorkExam = 3;     // mock exam

// Values of SetBase: CurSet + SetBase is the number of the set's step file
// (2888NN), the index file's number is 50 more.
constexpr Integer SetBaseExamPaper = 0; // exam paper k: 288800 + k
constexpr Integer SetBaseUnit = 20;     // unit u: 288820 + u; also the review set below

// CurSet of the wrong-question review; with SetBase 20 its files are 288819 and
// 288869, assembled when the review is entered.
constexpr Integer CurSetReview = -1;

// Bits of a question's status word QuestionScore(q).
constexpr Integer StatusVisited = 1; // the question has been shown
constexpr Integer StatusMarked = 2;  // the learner marked it (标识本题)
constexpr Integer StatusSolved = 4;  // its closing record was reached

struct ModData {
    // Screen scale: design twips are multiplied by these when applied.
    double ScaleX = 1.0;
    double ScaleY = 1.0;

    // Module identity from ver.txt.
    QString ModuleName;
    QString ModuleTitle;
    Integer ModuleNo = 0;

    // Folders. AppPath is the program folder (where the executable lies);
    // DataDir always ends with a separator.
    QString AppPath;
    QString DataDir;
    QString DataExt = QStringLiteral(".rar");
    // Where written files live: beside the program, or per user when the
    // program folder cannot be written. Every path below asks it.
    platform::RecordPlaces Places;

    // Current set, question and step.
    Integer CurSet = 0;
    Integer SetBase = SetBaseExamPaper; // SetBaseUnit or SetBaseExamPaper
    Integer WorkMode = 0;               // WorkGuided, WorkPractice or WorkExam (0 before a run)
    Integer ReviewSet = 0;
    QString StepFile;
    QString IndexFile;
    QString TextFile;
    QString IndexLine;
    QString StepLine;
    Integer QuestionCount = 0;
    Integer CurQuestion = 0;
    Integer CurStep = 0;

    // Per-question tables (1-based).
    std::array<Integer, FirstStepEntries + 1> QuestionFirstStep{};
    std::array<QString, MaxQuestions + 1> QuestionMark{};
    std::array<Integer, MaxQuestions + 1> QuestionScore{}; // Status* bits
    std::array<Integer, MaxQuestions + 1> SavedStep{};
    std::array<std::array<QString, 6>, MaxQuestions + 1> QuestionScreen{};

    // Exam.
    Integer ExamMinutesLeft = 0;
    Flag PanelMayClose = False;
    QString ExamStartTime;
    QString CandidateName;
    QString SeatNo;
    QString ShiftNo;
    QString ArchiveNo;
    QString IdCardNo;
    Integer PaperCount = 0;
    Integer UnitCount = 0;
    Flag DemoRunning = False;
    Long InputLayout = 0;

    // The ver.txt line table (1..40) as decoded, before trimming; lines 5..25
    // are the unit titles.
    std::array<QString, 41> VerLines{};

    // "柏川云学职称计算机考试 " & ModuleName & "模块"
    QString appTitle() const;
    // Title of unit u (0-based) from ver.txt lines 5..25, "" beyond.
    QString unitTitle(int u) const;

    // The paths of the program's files, through Places: a file the trainer
    // writes may live in the per-user folder, every other one where it was shipped.
    QString recordDir() const;                      // program folder + "ksdata"
    QString programFile(const QString &name) const; // program folder + name
    QString dataFile(const QString &name) const;    // DataDir + name
    QString recordFile(const QString &name) const;  // record folder + name
    // The folders this program writes into (for tidying up after a crash).
    QStringList writtenFolders() const;
};
