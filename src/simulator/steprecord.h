#pragma once
// One step record of a question: a fixed-column line of at least 196
// characters (characters beyond 196 are ignored). Positions count characters of
// the decoded line from 1. Coordinates are twips of the 12000 x 9000 screen.
//
// Where each field sits is written once, in the field table below; the named
// getters and setters, the compiler and the test fixtures all go through it.

#include <QString>
#include <array>
#include <cstdint>

namespace sim::bank {

constexpr int RecordLength = 196;
constexpr int KeepPicture = 888888;
inline const QString KeepId = QStringLiteral("888888");

// The fields of a record, in column order.
enum class Field {
    Prefix,        // question and step prefix
    Zone2Lock,     // "EE": zone 2 never completes on a plain click
    StepCode,      // what the step asks for (see stepcode.h)
    ScreenPicture, // background id, "888888" keeps the one shown
    Pic1X,
    Pic1Y,
    Pic1Id,
    Pic2X,
    Pic2Y,
    Pic2Id,
    Pic3X,
    Pic3Y,
    Pic3Id,
    ZoneX, // zone 1
    ZoneY,
    ZoneW,
    ZoneH,
    BoxX, // input box
    BoxY,
    BoxW,
    BoxH,        // shares its columns with PointerSpec
    PointerSpec, // without a box: "S00nn" system, "M00nn" custom pointer
    BoxTextLine,
    AnswerLine,
    HintX,
    HintY,
    HintLine,
    MenuBarX, // or the back marker "Q000d"
    MenuBarY, // or the demonstration's "X0100"
    Pic4X,
    Pic4Y,
    Pic4Id,
    Pic5X,
    Pic5Y,
    Pic5Id,
    TargetX, // picture 5's target or the back button
    TargetY,
    Zone2X,
    Zone2Click, // "0": a plain click on zone 2 completes the step
    Zone2Y,
    Zone2W,
    Zone2H,
};

struct FieldSpec {
    Field field;
    const char *name; // as the bank tools name it in their reports
    int start;        // first character, 1-based
    int width;
    bool numeric; // written right-aligned with leading zeros; else text, left-aligned
};

inline constexpr std::array<FieldSpec, 42> FieldTable{{
    {Field::Prefix, "Prefix", 1, 5, false},
    {Field::Zone2Lock, "Zone2Lock", 6, 2, false},
    {Field::StepCode, "StepCode", 8, 4, false},
    {Field::ScreenPicture, "ScreenPicture", 12, 6, false},
    {Field::Pic1X, "Pic1X", 18, 5, true},
    {Field::Pic1Y, "Pic1Y", 23, 5, true},
    {Field::Pic1Id, "Pic1Id", 28, 6, false},
    {Field::Pic2X, "Pic2X", 34, 5, true},
    {Field::Pic2Y, "Pic2Y", 39, 5, true},
    {Field::Pic2Id, "Pic2Id", 44, 6, false},
    {Field::Pic3X, "Pic3X", 50, 5, true},
    {Field::Pic3Y, "Pic3Y", 55, 5, true},
    {Field::Pic3Id, "Pic3Id", 60, 6, false},
    {Field::ZoneX, "ZoneX", 66, 5, true},
    {Field::ZoneY, "ZoneY", 71, 5, true},
    {Field::ZoneW, "ZoneW", 76, 5, true},
    {Field::ZoneH, "ZoneH", 81, 5, true},
    {Field::BoxX, "BoxX", 86, 5, true},
    {Field::BoxY, "BoxY", 91, 5, true},
    {Field::BoxW, "BoxW", 96, 5, true},
    {Field::BoxH, "BoxH", 101, 5, true},
    {Field::PointerSpec, "PointerSpec", 101, 5, false},
    {Field::BoxTextLine, "BoxTextLine", 106, 3, true},
    {Field::AnswerLine, "AnswerLine", 109, 3, true},
    {Field::HintX, "HintX", 112, 5, true},
    {Field::HintY, "HintY", 117, 5, true},
    {Field::HintLine, "HintLine", 122, 3, true},
    {Field::MenuBarX, "MenuBarX", 125, 5, true},
    {Field::MenuBarY, "MenuBarY", 130, 5, true},
    {Field::Pic4X, "Pic4X", 135, 5, true},
    {Field::Pic4Y, "Pic4Y", 140, 5, true},
    {Field::Pic4Id, "Pic4Id", 145, 6, false},
    {Field::Pic5X, "Pic5X", 151, 5, true},
    {Field::Pic5Y, "Pic5Y", 156, 5, true},
    {Field::Pic5Id, "Pic5Id", 161, 6, false},
    {Field::TargetX, "TargetX", 167, 5, true},
    {Field::TargetY, "TargetY", 172, 5, true},
    {Field::Zone2X, "Zone2X", 177, 5, true},
    {Field::Zone2Click, "Zone2Click", 182, 1, false},
    {Field::Zone2Y, "Zone2Y", 183, 4, true},
    {Field::Zone2W, "Zone2W", 187, 5, true},
    {Field::Zone2H, "Zone2H", 192, 5, true},
}};

constexpr const FieldSpec &fieldSpec(Field f) {
    return FieldTable[std::size_t(f)];
}

constexpr bool fieldTableInOrder() {
    for (std::size_t i = 0; i < FieldTable.size(); ++i)
        if (std::size_t(FieldTable[i].field) != i)
            return false;
    return true;
}
static_assert(fieldTableInOrder(), "the field table lists the fields in their enum order");

// The left, top and id fields of picture k (1..5).
constexpr Field picXField(int k) {
    constexpr Field xs[6] = {Field::Pic1X, Field::Pic1X, Field::Pic2X,
                             Field::Pic3X, Field::Pic4X, Field::Pic5X};
    return xs[k];
}
constexpr Field picYField(int k) {
    return Field(int(picXField(k)) + 1);
}
constexpr Field picIdField(int k) {
    return Field(int(picXField(k)) + 2);
}

struct StepRecord {
    QString line; // the record as read, padded with blanks to 196 characters

    // A field as stored, and its Val rounded to an integer.
    QString get(Field f) const { return field(fieldSpec(f).start, fieldSpec(f).width); }
    int number(Field f) const { return num(fieldSpec(f).start, fieldSpec(f).width); }
    // Writes a field: a number right-aligned with leading zeros (negative numbers
    // as 0, only the last digits when too long), a text left-aligned, cut or
    // padded with blanks.
    void set(Field f, int value) { setNum(fieldSpec(f).start, fieldSpec(f).width, value); }
    void set(Field f, const QString &text) { setText(fieldSpec(f).start, fieldSpec(f).width, text); }

    // Named setters of the field groups.
    void setPrefix(const QString &p) { set(Field::Prefix, p); }
    void setStepCode(const QString &code) { set(Field::StepCode, code); }
    void setScreenPicture(const QString &id) { set(Field::ScreenPicture, id); }
    void setLocked(bool lock) { set(Field::Zone2Lock, lock ? QStringLiteral("EE") : QStringLiteral("00")); }
    void setPicture(int k, int x, int y, const QString &id);
    void setZone1(int x, int y, int w, int h);
    // click "0": a plain click on zone 2 completes the step.
    void setZone2(int x, int y, int w, int h, const QString &click);
    void setBox(int x, int y, int w, int h);
    void setBoxTexts(int textLine, int answerLine);
    void setAnswerLine(int line) { set(Field::AnswerLine, line); }
    void setPointerSpec(const QString &pointer) { set(Field::PointerSpec, pointer); }
    void setHint(int x, int y, int line);
    void setMenuBar(int x, int y);
    void setMenuBarText(const QString &x, const QString &y);
    void setTarget(int x, int y);

    // Raw fields by name (text as stored).
    QString Prefix() const { return get(Field::Prefix); }
    QString Zone2Lock() const { return get(Field::Zone2Lock); }
    QString StepCode() const { return get(Field::StepCode); }
    QString ScreenPicture() const { return get(Field::ScreenPicture); }
    QString PicX(int k) const { return get(picXField(k)); } // k = 1..5
    QString PicY(int k) const { return get(picYField(k)); }
    QString PicId(int k) const { return get(picIdField(k)); }
    QString ZoneX() const { return get(Field::ZoneX); }
    QString ZoneY() const { return get(Field::ZoneY); }
    QString ZoneW() const { return get(Field::ZoneW); }
    QString ZoneH() const { return get(Field::ZoneH); }
    QString BoxX() const { return get(Field::BoxX); }
    QString BoxY() const { return get(Field::BoxY); }
    QString BoxW() const { return get(Field::BoxW); }
    QString BoxH() const { return get(Field::BoxH); }
    QString PointerSpec() const { return get(Field::PointerSpec); }
    QString BoxTextLine() const { return get(Field::BoxTextLine); }
    QString AnswerLine() const { return get(Field::AnswerLine); }
    QString HintX() const { return get(Field::HintX); }
    QString HintY() const { return get(Field::HintY); }
    QString HintLine() const { return get(Field::HintLine); }
    QString MenuBarX() const { return get(Field::MenuBarX); }
    QString MenuBarY() const { return get(Field::MenuBarY); }
    QString TargetX() const { return get(Field::TargetX); }
    QString TargetY() const { return get(Field::TargetY); }
    QString Zone2X() const { return get(Field::Zone2X); }
    QString Zone2Click() const { return get(Field::Zone2Click); }
    QString Zone2Y() const { return get(Field::Zone2Y); }
    QString Zone2W() const { return get(Field::Zone2W); }
    QString Zone2H() const { return get(Field::Zone2H); }

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
    bool zone1Present() const;       // zone 1's four fields not all "0"
    bool boxPresent() const;         // number of the box's four fields not 0
    bool hintPlaced() const;         // hint left and top not all "0"
    bool menuBarShown() const;       // number of the menu bar's two fields not 0
    bool zone2Present() const;       // zone 2's width and height not all "0"
    bool hasBackMarker() const;      // MenuBarX begins with "Q"
    int backSteps() const;           // last digit of the back marker, 0 counts as 1
    bool zone2PlainClick() const;    // Zone2Click "0" and Zone2Lock not "EE"
    bool isClosing() const { return StepCode() == QLatin1String("9999"); }

    // Numeric positions (twips, unscaled).
    int picX(int k) const { return number(picXField(k)); }
    int picY(int k) const { return number(picYField(k)); }
    int zoneX() const { return number(Field::ZoneX); }
    int zoneY() const { return number(Field::ZoneY); }
    int zoneW() const { return number(Field::ZoneW); }
    int zoneH() const { return number(Field::ZoneH); }
    int boxX() const { return number(Field::BoxX); }
    int boxY() const { return number(Field::BoxY); }
    int boxW() const { return number(Field::BoxW); }
    int boxH() const { return number(Field::BoxH); }
    int boxTextLine() const { return number(Field::BoxTextLine); }
    int answerLine() const { return number(Field::AnswerLine); }
    int hintX() const { return number(Field::HintX); }
    int hintY() const { return number(Field::HintY); }
    int hintLine() const { return number(Field::HintLine); }
    int menuBarX() const { return number(Field::MenuBarX); }
    int menuBarY() const { return number(Field::MenuBarY); }
    int targetX() const { return number(Field::TargetX); }
    int targetY() const { return number(Field::TargetY); }
    int zone2X() const { return number(Field::Zone2X); }
    int zone2Y() const { return number(Field::Zone2Y); }
    int zone2W() const { return number(Field::Zone2W); }
    int zone2H() const { return number(Field::Zone2H); }

  private:
    // The characters from the start of field first to the end of field last.
    QString span(Field first, Field last) const {
        return field(fieldSpec(first).start,
                     fieldSpec(last).start + fieldSpec(last).width - fieldSpec(first).start);
    }
};

// Parses a record. A line shorter than 196 characters is refused (ok = false);
// the returned record is then padded so its fields still read safely.
StepRecord parseRecord(const QString &line, bool *ok = nullptr);

// The value of a step code: the number read from its four characters, or for a
// first character "A", "B", "C" 10000, 11000, 50000 plus the number of characters
// 2-4; any other leading letter gives 0.
int32_t stepValue(const QString &code);

} // namespace sim::bank
