#pragma once
// One step record of a question: a fixed-column line of at least 196
// characters (characters beyond 196 are ignored). Positions count characters of
// the decoded line from 1. Coordinates are twips of the 12000 x 9000 screen.

#include <QString>
#include <cstdint>

namespace bank {

constexpr int RecordLength = 196;
constexpr int KeepPicture = 888888;
inline const QString KeepId = QStringLiteral("888888");

struct StepRecord {
    QString line; // the record as read, padded with blanks to 196 characters

    // Raw fields by name (text as stored).
    QString Prefix() const { return field(1, 5); }
    QString Zone2Lock() const { return field(6, 2); }
    QString StepCode() const { return field(8, 4); }
    QString ScreenPicture() const { return field(12, 6); }
    QString PicX(int k) const; // k = 1..5
    QString PicY(int k) const;
    QString PicId(int k) const;
    QString ZoneX() const { return field(66, 5); }
    QString ZoneY() const { return field(71, 5); }
    QString ZoneW() const { return field(76, 5); }
    QString ZoneH() const { return field(81, 5); }
    QString BoxX() const { return field(86, 5); }
    QString BoxY() const { return field(91, 5); }
    QString BoxW() const { return field(96, 5); }
    QString BoxH() const { return field(101, 5); }
    QString PointerSpec() const { return field(101, 5); }
    QString BoxTextLine() const { return field(106, 3); }
    QString AnswerLine() const { return field(109, 3); }
    QString HintX() const { return field(112, 5); }
    QString HintY() const { return field(117, 5); }
    QString HintLine() const { return field(122, 3); }
    QString MenuBarX() const { return field(125, 5); }
    QString MenuBarY() const { return field(130, 5); }
    QString TargetX() const { return field(167, 5); }
    QString TargetY() const { return field(172, 5); }
    QString Zone2X() const { return field(177, 5); }
    QString Zone2Click() const { return field(182, 1); }
    QString Zone2Y() const { return field(183, 4); }
    QString Zone2W() const { return field(187, 5); }
    QString Zone2H() const { return field(192, 5); }

    // A record of 196 "0" characters: every group absent, code "0000".
    static StepRecord blank();
    // Writes value into characters start..start+width-1: numbers right-aligned
    // with leading zeros, texts left-aligned and cut or padded with blanks.
    void setNum(int start, int width, int value);
    void setText(int start, int width, const QString &value);

    // Characters start..start+width-1 (1-based).
    QString field(int start, int width) const { return line.mid(start - 1, width); }
    // Val of a field, rounded to an integer.
    int num(int start, int width) const;

    // Absent-group rules.
    bool picturePlaced(int k) const; // left and top not all "0"
    bool zone1Present() const;       // characters 66-85 not all "0"
    bool boxPresent() const;         // number in 86-105 not 0
    bool hintPlaced() const;         // characters 112-121 not all "0"
    bool menuBarShown() const;       // number in 125-134 not 0
    bool zone2Present() const;       // characters 187-196 not all "0"
    bool hasBackMarker() const;      // character 125 is "Q"
    int backSteps() const;           // character 129, 0 counts as 1
    bool zone2PlainClick() const;    // character 182 "0" and Zone2Lock not "EE"
    bool isClosing() const { return StepCode() == QLatin1String("9999"); }

    // Numeric positions (twips, unscaled).
    int picX(int k) const;
    int picY(int k) const;
    int zoneX() const { return num(66, 5); }
    int zoneY() const { return num(71, 5); }
    int zoneW() const { return num(76, 5); }
    int zoneH() const { return num(81, 5); }
    int boxX() const { return num(86, 5); }
    int boxY() const { return num(91, 5); }
    int boxW() const { return num(96, 5); }
    int boxH() const { return num(101, 5); }
    int boxTextLine() const { return num(106, 3); }
    int answerLine() const { return num(109, 3); }
    int hintX() const { return num(112, 5); }
    int hintY() const { return num(117, 5); }
    int hintLine() const { return num(122, 3); }
    int menuBarX() const { return num(125, 5); }
    int menuBarY() const { return num(130, 5); }
    int targetX() const { return num(167, 5); }
    int targetY() const { return num(172, 5); }
    int zone2X() const { return num(177, 5); }
    int zone2Y() const { return num(183, 4); }
    int zone2W() const { return num(187, 5); }
    int zone2H() const { return num(192, 5); }
};

// Parses a record. A line shorter than 196 characters is refused (ok = false);
// the returned record is then padded so its fields still read safely.
StepRecord parseRecord(const QString &line, bool *ok = nullptr);

// The value of a step code: the number read from its four characters, or for a
// first character "A", "B", "C" 10000, 11000, 50000 plus the number of characters
// 2-4; any other leading letter gives 0.
int32_t stepValue(const QString &code);

} // namespace bank
