#pragma once
// The state every form of the trainer shares. One instance is owned by the
// application object and handed to the forms; tests make their own.
//
// Integer fields are 16-bit, Long 32-bit; flags hold -1 (true) and 0 (false).
// Arrays keep their 1-based bounds: index 0 of a 1..40 array is unused.

#include <QString>
#include <array>
#include <cstdint>

using Integer = int16_t;
using Long = int32_t;
using Flag = int16_t;
constexpr Flag True = -1;
constexpr Flag False = 0;

constexpr int MaxQuestions = 40;
constexpr int FirstStepEntries = 45;

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

    // Current set, question and step.
    Integer CurSet = 0;
    Integer SetBase = 0;
    Integer WorkMode = 0; // 1 guided teaching, 2 practice/review, 3 exam
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
    std::array<Integer, MaxQuestions + 1> QuestionScore{};
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

    QString recordDir() const; // program folder + "ksdata"
    QString programFile(const QString &name) const;
    QString dataFile(const QString &name) const;   // DataDir + name
    QString recordFile(const QString &name) const; // record folder + name
};
