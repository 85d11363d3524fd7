#pragma once
// What the cover page shows, computed from the data files each time it loads:
// titles, the unit and exam-paper slots, the automatic-update switch. The form
// only places these texts; every rule lives here.

#include "start/moddata.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>

namespace cover {

constexpr int UnitSlots = 21;
constexpr int PaperSlots = 14;
constexpr int MaxUnitsInTable = 26;

// The set table D/288891.rar: line 1 characters 1-2 paper count, 3-4 unit count;
// line 2 two digits per unit (question counts); line 3 + k composition of paper k.
struct SetTable {
    int paperCount = 0;
    int unitCount = 0;
    QList<int> unitQuestions; // 26 entries, missing ones 0
    QStringList compositions; // line 3 + k for paper k
    bool found = false;       // the file exists and was read
    bool valid = false;       // found, and its first two lines read as a set table
};
// A missing table gives zero counts (true); an unreadable one, or one that is
// not a set table (empty, or counts that are not numbers), false with a message.
bool readSetTable(const ModData &d, SetTable &table, QString *error = nullptr);

struct UnitSlot {
    bool visible = false;
    QString number;      // LblUnitNo: i + 1
    QString questions;   // LblUnintSL: length of the trimmed status line
    QString unfinished;  // LblUnitWei: number of "F"
    int donePercent = 0; // solved share of the unit's questions, 100 only when none is left
    QString tooltip;     // unit title from ver.txt
};

struct PaperSlot {
    bool visible = false;
    QString number; // LblShiJuanNo: i + 1
    QString info;   // LblKSInFo: "最后考试时间 " & time & "  最好成绩 " & score
};

struct CoverState {
    bool moduleMismatch = false; // the data folder belongs to another module: end silently
    QString fatal;               // the module check file cannot be read: say so and end
    QString bankVersion;
    QString windowTitle;
    QString caption;  // LblCaption
    QString subtitle; // LblKmMc and its shadow LblKmMc1
    std::array<UnitSlot, UnitSlots> units{};
    std::array<PaperSlot, PaperSlots> papers{};
    QStringList statusLines; // the 25 normalised unit status lines (the file is left
                             // alone when the set table is missing: its counts would empty every line)
    bool autoUpdate = false; // Check1
    QStringList errors;      // files that could not be read or written, named
};

// The program version shown in the caption line: "V" & major & "." & minor & "." & revision.
constexpr int ProgramMajor = 3;
constexpr int ProgramMinor = 0;
constexpr int ProgramRevision = 1;
QString versionText(int major = ProgramMajor, int minor = ProgramMinor, int revision = ProgramRevision);

// The cover page's load: re-reads ver.txt, checks the module, reads the bank
// version, set table and exam records, normalises the unit status file, reads the
// update switch. Sets ScaleX/ScaleY, PaperCount and UnitCount in d.
// programVersion: "V3.0.1".
CoverState load(ModData &d, const QString &programVersion);

// Line of a paper slot.
QString paperInfo(const QString &lastTime, const QString &bestScore);

// Slot positions in twips (times the screen scale when applied).
QPoint unitSlotTwips(int i);  // 480 + (i Mod 3) * 3720, 120 + (i \ 3) * 1080
QPoint paperSlotTwips(int i); // 390 + (i Mod 2) * 5700, 120 + (i \ 2) * 1080

// The automatic-update switch P/refresher.txt: "1" on, "0" off.
bool readAutoUpdate(const ModData &d);
bool writeAutoUpdate(const ModData &d, bool on, QString *error = nullptr);

} // namespace cover
