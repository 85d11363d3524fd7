#pragma once
// The numbers the step records use for input: modifier state as the sum 1 Shift,
// 2 Ctrl, 4 Alt; mouse buttons 1 left, 2 right, 4 middle (the same values as
// Qt's buttons); key numbers as Windows virtual-key codes; system pointers by
// their classic numbers.

#include <QString>
#include <Qt>

namespace sim {

int shiftState(Qt::KeyboardModifiers mods);

// Virtual-key code of a Qt key: letters 65-90, digits 48-57, F1-F24 112-135,
// Enter 13, Space 32, Esc 27, Tab 9, Backspace 8, Delete 46, arrows 37-40, the
// punctuation keys of a US keyboard (; = , - . / ` 186-192, [ \ ] ' 219-222);
// 0 for keys without one. A character typed with Shift names the key that
// types it on a US keyboard: "!" is the 1 key (49), "{" the [ key (219).
int vkFromQtKey(int qtKey);

// The key code and modifier state a key press on the simulated window stores,
// as a real keyboard reports them: Shift+1 is the 1 key (49) with Shift (1),
// whatever character Qt reports for it. A key Qt has no name for is read by
// the character it types; the keypad's "*" is its own key (106).
struct KeyCode {
    int key = 0;   // virtual-key code; 0 when the key has none
    int shift = 0; // 1 Shift, 2 Ctrl, 4 Alt
};
KeyCode keyOfEvent(int qtKey, Qt::KeyboardModifiers mods, const QString &text);

// Whether some key of a keyboard gives this virtual-key code on the simulated
// window (a key step asking for any other code can never be completed).
bool keyboardHasKey(int vk);

// The key a "6" step code names by its last two digits: six values are
// translated (02 Enter 13, 03 F2 113, 15 F4 115, 20 F9 120, 91 "/" 191,
// 99 "." 190); every other number is the key code itself.
int keyOfCodeDigits(int digits);

// System pointer number nn (0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size,
// 6 NE-SW, 7 N-S, 8 NW-SE, 9 W-E, 10 up arrow, 11 hourglass, 12 no drop,
// 13 arrow and hourglass, 14 arrow and question, 15 size all).
Qt::CursorShape systemPointer(int nn);

} // namespace sim
