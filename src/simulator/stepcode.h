#pragma once
// What a step code asks the learner for, decoded once. The four characters of
// StepCode name the action that completes a step:
//
//   "0001" left click on zone 1         "0002" double click    "0003" right click
//   "2000" right click, or Enter/Space  "0030" pointer onto zone 1
//   "0020" typing completes at once     "0021" typing in the overlay box
//   "0022", "0023", "0026", "A111" typing and Enter (or Space)
//   "004k" drag a selection window from zone 2 to zone 1 holding modifiers k
//   "005k" drag zone 2 onto zone 1 holding modifiers k
//   "6kNN" key NN (see keyOfCodeDigits) with modifiers k, the window having the keyboard
//   "8001"-"8009" (not "8005") drag picture 5 to its target in a direction
//   "8888" the one-second timer     "9kbb" button bb with modifiers k on zone 1
//   "3nGJ", "4nGJ" context menu n, item J of group G ("3420", "3220" also take Enter/Space/Esc)
//   "AnGJ", "BnGJ" menu-bar menu n (n + 9 for "B"), "CnGJ" the second menu bar
//   "Dxxx" a menu step only the demonstration plays    "9999" the closing record
//
// Modifiers are the sum 1 Shift, 2 Ctrl, 4 Alt; buttons 1 left, 2 right, 4 middle.
// The kinds follow the step value the way the engine compares it, so a code
// such as "  01" reads as the left click its value 1 names.

#include "simulator/menufile.h"

#include <QString>
#include <cstdint>

namespace sim {

enum class StepKind {
    Unknown,           // no action of the learner completes it
    Click,             // value 1
    DoubleClick,       // value 2
    RightClick,        // value 3
    RightClickOrEnter, // value 2000
    Hover,             // "0030"
    Press,             // values 9000-9998
    TypeNow,           // "0020"
    TypeOverlay,       // "0021"
    TypeEnter,         // "0022", "0023", "0026", "A111"
    DragSelect,        // "004k"
    DragDrop,          // "005k"
    PictureDrag,       // 8001-8004, 8006-8009
    Key,               // values 6000-6999
    ContextMenu,       // values 3000-4999
    BarMenu,           // "A", "B", "C" codes
    DemoMenu,          // "D" codes
    Timer,             // value 8888
    Closing,           // "9999"
};

struct StepCode {
    QString code;      // the four characters as stored
    int32_t value = 0; // StepValue (sim::bank::stepValue)
    StepKind kind = StepKind::Unknown;
    QChar letter;      // "A".."D" for letter codes, else null
    int button = 0;    // Press: 1 left, 2 right, 4 middle (other numbers as written)
    int modifiers = 0; // Press, Key, DragSelect, DragDrop: 1 Shift, 2 Ctrl, 4 Alt
    int keyDigits = 0; // Key: the last two digits
    int key = 0;       // Key: the virtual-key code they name
    sim::menus::Bank bank = sim::menus::Bank::None; // menu steps, and "A111"
    int menu = 0;                                   // menu number: context 1-9, bar 1-11
    int group = 0;                                  // item group 1..9 of the pop-up
    int item = 0;                                   // item 0..9 within the group
    int dx = 0, dy = 0; // PictureDrag: -1 left/up, +1 right/down, 0 that axis stays

    bool isMenu() const { return bank != sim::menus::Bank::None; }
    // A left click on zone 1 completes the step too (menu-bar codes above "A000").
    bool zone1ClickCompletes() const { return value >= 10001; }
    // Enter, Space (and for "3420", "3220" Esc) sent to the window complete it.
    bool confirmKey(int vk) const;
    // "6002" (Enter) takes Space as well.
    bool spaceForEnter() const { return value == 6002; }
    // A menu-bar code read as typing on the command line: "A11x" with an input box.
    bool commandLineTyping(bool boxPresent) const;
    // A menu step whose bar shows the drawing program's titles: a bar code that
    // is not command-line typing.
    bool showsMenuBar(bool boxPresent) const;
};

// Decodes the StepCode field.
StepCode decodeStepCode(const QString &code);
// The same when its value (sim::bank::stepValue of code) is known already.
StepCode decodeStepCode(const QString &code, int32_t value);

} // namespace sim
