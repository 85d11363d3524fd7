#pragma once
// Laying a step record out on the simulated screen. One routine turns (record,
// text table, the screen as it stands) into the screen of the new step: the
// background and pictures 1-5, zone 1, zone 2, the input box and its overlay, the
// hint, the menu bar, the back button and the guided-teaching outlines. Every
// position is in twips already multiplied by the screen scale, as the controls
// take them. The simulated window and the demonstration both start from it.

#include "simulator/steprecord.h"

#include <QRect>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>

namespace sim {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    // Edges included, as the drop rule of zone 2 wants. A record's size can be as
    // large as a Long holds, so the far edges are summed in 64 bits.
    bool contains(int px, int py) const {
        return px >= x && py >= y && int64_t(px) <= int64_t(x) + w && int64_t(py) <= int64_t(y) + h;
    }
    bool operator==(const Rect &) const = default;
};

// A place on the screen: a zone's place plus the pointer's place in it. A
// record's place can be as large as a Long holds, so the sum stays at the ends
// of the range instead of wrapping round to the other end.
inline int placeIn(int zonePlace, int offset) {
    return int(std::clamp<int64_t>(int64_t(zonePlace) + offset, INT32_MIN, INT32_MAX));
}

// A place or size in twips scaled to the screen; at the ends of the range it
// stays there.
inline int scaledPlace(int v, double scale) {
    return int(std::clamp<double>(std::round(v * scale), INT32_MIN, INT32_MAX));
}

// The distance between two places, at most the largest int.
inline int distance(int a, int b) {
    const int64_t d = int64_t(a) - b;
    return int(std::min<int64_t>(d < 0 ? -d : d, INT32_MAX));
}

struct PictureState {
    bool visible = false;
    int x = 0, y = 0;
    QString id; // the picture shown; "" = cleared
};

constexpr int MenuTitles = 11;
constexpr int BackButtonW = 1095;
constexpr int BackButtonH = 285;
// Height of zone 1 when it sizes itself: one line of its 9-point caption font.
constexpr int AutoZoneHeight = 180;

// Captions of the menu bar as the window is designed, and those every menu step sets.
const std::array<QString, MenuTitles> &designMenuTitles();
const std::array<QString, MenuTitles> &cadMenuTitles();

struct ScreenModel {
    QString background;               // screen picture id, "" = none
    std::array<PictureState, 6> pics; // pictures 1..5 (index 0 unused)

    Rect zone1; // Label1
    bool zone1AutoSize = false;
    Rect zone2{-1, 0, 1, 1}; // Label4

    bool boxVisible = false; // Text1
    Rect box;
    QString boxText;             // Text1's text (the view reports typing back)
    bool overlayVisible = false; // Text2 (code "0021")
    Rect overlay;
    QString overlayText;

    QString hintText; // LHelp
    int hintX = 0, hintY = 0;
    bool hintVisible = false;
    bool outline1 = false;      // Shape1 over zone 1
    bool outline4 = false;      // Shape4 over zone 2
    Rect selection{0, 0, 1, 1}; // Shape6
    bool selectionVisible = false;

    bool menuBarVisible = false;
    int menuBarLeft = 0, menuBarTop = 0; // unscaled, as the record gives them
    std::array<QString, MenuTitles> menuTitles = designMenuTitles();

    Rect back{0, 0, 1, 1}; // LblXXK(0)
    QString backSpec = QStringLiteral("NONO");

    bool successVisible = false; // LblSuccess
    bool timer3 = false;         // Timer3 runs ("8888")

    QString code;                       // StepCode
    int32_t stepValue = 0;              // StepValue
    int picLeft = 0, picTop = 0;        // PicLeft, PicTop: picture 5 now
    int picTargetX = 0, picTargetY = 0; // PicTargetX, PicTargetY (unscaled)
};

struct LayoutInput {
    const sim::bank::StepRecord &record;
    int curStep = 1;
    int workMode = 2; // 1 guided teaching, 2 practice, 3 exam
    double scaleX = 1.0;
    double scaleY = 1.0;
    std::function<QString(int)> text; // text-table line n ("" for 0)
};

struct LayoutResult {
    ScreenModel screen;
    bool backgroundLoaded = false;       // ScreenPicture names a new picture
    std::array<bool, 6> pictureLoaded{}; // picture k names a new picture
    bool closing = false;                // the record is the closing record
};

// setData's layout, in its order: hide the success text, shrink the selection
// window, clear pictures on step 1, background, pictures 1-5, target, zone 1,
// input box, hint, guided outlines, menu bar, step value and captions, back
// button, zone 2, Timer3, the closing record, the overlay box, typing prompts.
LayoutResult layoutStep(const LayoutInput &in, const ScreenModel &previous);

// Hint prompt for the typing codes: "输入 " + hint up to its first "|".
QString typingPrompt(const QString &hint);

} // namespace sim

namespace sim {
// Where the simulated window opens: maximised on screens at most 650 pixels tall
// (650 x ScaleY), otherwise 800 x 600 (scaled) centred on the screen.
struct WindowPlacement {
    bool maximised = false;
    QRect rect; // pixels, when not maximised
};
WindowPlacement windowPlacement(const QRect &screen, double scaleX, double scaleY);
} // namespace sim
