#pragma once
// The exam's hint dialog and the panel's input-method menu, without a window:
// the dialog's texts, and how the menu is filled from the installed layouts,
// which handle each entry stands for and where the menu opens.

#include "platform/keyboardlayout.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>

namespace panel {

namespace hint {
QString title();         // the dialog's caption
QString warning();       // Label3
QString explanation();   // Label2
QString selfCaption();   // Command1: closes the dialog, the exam goes on
QString answerCaption(); // Command2: asks, then gives up the exam's scoring
// The Yes/No question Command2 asks first.
QString confirmTitle();
QString confirmText();
} // namespace hint

namespace inputmenu {

constexpr int CnEntries = 10;

// The menu as the panel's load fills it. Entry 0 is mEng, entry k (1 ... 10)
// is mCn k. Each entry remembers the handle of the layout it describes, so the
// captions and the handles agree whatever order the desktop lists them in.
struct Menu {
    QString engCaption;
    int32_t engHandle = 0; // the first plain keyboard; 0 when none is reported
    std::array<QString, CnEntries> cnCaption;
    std::array<int32_t, CnEntries> cnHandle{};
    std::array<bool, CnEntries> cnVisible{};
    int count = 1; // ImeMenuCount: 1 + the input methods seen

    // The handle entry k stands for (0: nothing to activate).
    int32_t handle(int entry) const;
    // Entries shown: mEng and mCn1 always, mCn2 ... as filled.
    int shownEntries() const;
};

// At most KeyboardLayout::MaxLayouts layouts are read; descriptions are cut at
// the first NUL and trimmed; an empty one is the plain keyboard (mEng), each
// other one takes the next mCn entry while there is one and counts in any case.
// With nothing reported mEng and mCn1 keep their design captions and the other
// entries are hidden.
Menu build(const QList<platform::InstalledLayout> &layouts);

// The menu's top right corner on the panel, in twips: right-aligned at the
// indicator's left edge, count x 300 above the indicator's top inside the
// toolbar frame (whose top is frameTop), so that more entries open higher.
QPoint popupCorner(int indicatorLeft, int indicatorTop, int frameTop, int count);

} // namespace inputmenu

} // namespace panel
