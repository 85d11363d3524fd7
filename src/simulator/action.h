#pragma once
// One thing the learner does to the simulated window, as the step engine takes
// it: a press, release, double click or move on zone 1, a press, move or
// release on zone 2 (twips relative to the zone), a move with buttons held or a
// release on picture 5 (twips relative to the picture), the back button, a menu
// title opened or a pop-up item chosen, text typed into or a key released in the
// input box, text typed into the overlay box, a key pressed while the window has
// the keyboard, and a tick of the one-second timer. StepEngine::apply plays one.
//
// Buttons 1 left, 2 right, 4 middle; modifiers 1 Shift, 2 Ctrl, 4 Alt; keys are
// virtual-key codes (13 Enter, 32 Space, 27 Esc, ...).

#include <QString>

namespace sim {

struct Action {
    enum Kind {
        Zone1Down,
        Zone1Up,
        Zone1DoubleClick,
        Zone1Move,
        Zone2Down,
        Zone2Move,
        Zone2Up,
        Picture5Move,
        Picture5Up,
        Back,
        OpenBarMenu, // title index 0..10
        ChooseItem,  // group 1..9, item 0..9
        Text1,       // the input box's text is now text
        Text1KeyUp,  // a key released in the input box
        Text2,       // the overlay box's text is now text
        WindowKey,   // a key pressed while the window has the keyboard
        TimerTick,
    };

    Kind kind = TimerTick;
    int button = 0;    // Zone1Down/Up, Zone2Down/Up; Picture5Move: the buttons held
    int modifiers = 0; // Zone1Down/Up, Zone2*, WindowKey
    int x = 0, y = 0;  // Zone2*, Picture5Move (twips)
    int key = 0;       // Text1KeyUp, WindowKey
    int index = 0;     // OpenBarMenu: title; ChooseItem: group
    int item = 0;      // ChooseItem
    QString text;      // Text1, Text2

    static Action zone1Down(int button, int modifiers = 0) {
        return mouse(Zone1Down, button, modifiers, 0, 0);
    }
    static Action zone1Up(int button, int modifiers = 0) { return mouse(Zone1Up, button, modifiers, 0, 0); }
    static Action zone1DoubleClick() { return of(Zone1DoubleClick); }
    static Action zone1Move() { return of(Zone1Move); }
    static Action zone2Down(int button, int modifiers, int x, int y) {
        return mouse(Zone2Down, button, modifiers, x, y);
    }
    static Action zone2Move(int modifiers, int x, int y) { return mouse(Zone2Move, 0, modifiers, x, y); }
    static Action zone2Up(int button, int modifiers, int x, int y) {
        return mouse(Zone2Up, button, modifiers, x, y);
    }
    static Action picture5Move(int buttons, int x, int y) { return mouse(Picture5Move, buttons, 0, x, y); }
    static Action picture5Up() { return of(Picture5Up); }
    static Action back() { return of(Back); }
    static Action openBarMenu(int title) {
        Action a = of(OpenBarMenu);
        a.index = title;
        return a;
    }
    static Action chooseItem(int group, int item) {
        Action a = of(ChooseItem);
        a.index = group;
        a.item = item;
        return a;
    }
    static Action text1(const QString &t) { return typed(Text1, t); }
    static Action text1KeyUp(int vk) { return pressed(Text1KeyUp, vk, 0); }
    static Action text2(const QString &t) { return typed(Text2, t); }
    static Action windowKey(int vk, int modifiers = 0) { return pressed(WindowKey, vk, modifiers); }
    static Action timerTick() { return of(TimerTick); }

    bool operator==(const Action &) const = default;

  private:
    static Action of(Kind k) {
        Action a;
        a.kind = k;
        return a;
    }
    static Action mouse(Kind k, int button, int modifiers, int x, int y) {
        Action a = of(k);
        a.button = button;
        a.modifiers = modifiers;
        a.x = x;
        a.y = y;
        return a;
    }
    static Action pressed(Kind k, int vk, int modifiers) {
        Action a = of(k);
        a.key = vk;
        a.modifiers = modifiers;
        return a;
    }
    static Action typed(Kind k, const QString &t) {
        Action a = of(k);
        a.text = t;
        return a;
    }
};

} // namespace sim
