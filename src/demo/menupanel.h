#pragma once
// The menus the demonstration draws itself, so that its pointer can walk over
// them: which block of sMenu.sys a menu step shows, and where the rows of the
// menu panel and of a submenu panel lie. Twips of the demonstration window; the
// row constants are not scaled.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <optional>

namespace demo {

// The width of a label's caption in twips (labels size themselves to it).
using TextWidth = std::function<int(const QString &)>;
// The width in twips a menu panel needs for a row of this caption to be drawn
// whole, as the window draws its rows (cascade rows with their arrow).
using RowWidth = std::function<int(const QString &caption, bool cascade)>;

constexpr int MenuFirstRow = 90; // below the menu panel's top
constexpr int SubFirstRow = 135; // below the submenu panel's top
constexpr int ItemPitch = 270;   // an item or cascade row
constexpr int SeparatorPitch = 135;
constexpr int LabelIndent = 300; // labels right of the panel's left edge
constexpr int SeparatorIndent = 60;
constexpr int SeparatorShort = 120; // separators end this far short of the right edge
constexpr int ArrowInset = 180;     // cascade arrows left of the right edge
constexpr int ArrowDrop = 30;       // and below the row's top
constexpr int PanelExtra = 690;     // panel width = widest item + this
constexpr int SubOverlap = 60;      // a submenu overlaps its menu's right edge
constexpr int LabelHeight = 180;    // one line of a 9-point caption
constexpr int MaxMenuSeparators = 10;
constexpr int MaxSubSeparators = 6;

// The menu number of a menu code: its second character, plus 9 for "B" codes.
int menuNumber(const QString &code);
// The digit at position i (0-based) of a code, 0 when it is no digit.
int codeDigit(const QString &code, int i);

// Lines 1..15 of a block (index 0 unused); "0" marks an absent line.
struct MenuBlock {
    std::array<QString, 16> line{};
};

// The block a menu code shows, from the lines of sMenu.sys: "A" and "B" codes
// read the menu-bar bank, "C" codes the second menu-bar bank, all others the
// context bank. The context block of the same number is taken first and the
// wanted block written over it line by line, so lines past the end of the file
// keep what the context block had there (or stay empty).
MenuBlock menuBlock(const QStringList &fileLines, const QString &code);

struct MenuRow {
    enum Kind { Item, Cascade, Separator };
    Kind kind = Item;
    QString text;
    int group = 0; // the group an item belongs to, or the group a cascade opens
    int entry = 0; // an item's index within its group (separators counted)
    QRect label;   // items and cascades: the caption's label; separators: y = top, x..right
    QPoint arrow;  // cascades: where the arrow sits
};

struct MenuPanel {
    QRect frame; // the white panel and its outline
    QVector<MenuRow> rows;
    int separatorsDrawn = 0;
    QSize window; // the window the panel is kept inside (twips)

    // The label of entry e of group g (an item), or the cascade row of group g
    // when g is a submenu group; null when this panel did not place it.
    const MenuRow *target(int group, int entry) const;
    const MenuRow *cascade(int group) const;
};

// Groups whose entries lie in a submenu reached through a cascade row.
bool isSubmenuGroup(int group);

// Lays the menu panel out with its top-left corner at topLeft. A context menu
// near the window's right edge (its right edge within one panel width of it)
// opens to the left of topLeft, and near the bottom (within 300 twips) above it;
// then, where it still reaches beyond the window, it is moved back inside (a
// panel taller or wider than the window shows its top or left part). A menu
// dropped from the menu bar stays where it is. The panel is the widest item
// label + 690 wide, or wider when rowWidth says a row needs more to be drawn
// whole (no rowWidth: the labels alone decide).
MenuPanel layoutMenu(const MenuBlock &block, QPoint topLeft, const TextWidth &width, bool context,
                     QSize window, const RowWidth &rowWidth = {});

// The submenu of group g, hanging from its cascade row of menu. Where it would
// reach beyond the right edge of the menu's window it hangs on the menu's left
// instead, and it is kept inside the window like a context menu.
MenuPanel layoutSubmenu(const MenuBlock &block, int group, const MenuPanel &menu, const TextWidth &width,
                        const RowWidth &rowWidth = {});

} // namespace demo
