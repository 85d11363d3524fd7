#include "demo/menupanel.h"
#include "simulator/menufile.h"

#include <algorithm>

namespace demo {

int codeDigit(const QString &code, int i) {
    if (i >= code.size() || !code.at(i).isDigit())
        return 0;
    return code.at(i).digitValue();
}

int menuNumber(const QString &code) {
    return codeDigit(code, 1) + (code.startsWith(u'B') ? 9 : 0);
}

MenuBlock menuBlock(const QStringList &fileLines, const QString &code) {
    using sim::menus::Bank;
    MenuBlock b;
    const int n = menuNumber(code);
    auto readInto = [&](Bank bank) {
        const int first = sim::menus::blockFirstLine(bank, n);
        for (int i = 0; i < sim::menus::BlockLines; ++i) {
            const int line = first + i; // 1-based
            if (line < 1 || line > fileLines.size())
                break;
            b.line[i + 1] = fileLines.at(line - 1);
        }
    };
    readInto(Bank::Context);
    if (code.startsWith(u'A') || code.startsWith(u'B'))
        readInto(Bank::MenuBar);
    else if (code.startsWith(u'C'))
        readInto(Bank::SecondMenuBar);
    return b;
}

bool isSubmenuGroup(int g) {
    return g == 1 || g == 3 || g == 5 || g == 7 || g == 8;
}

const MenuRow *MenuPanel::target(int group, int entry) const {
    if (isSubmenuGroup(group) && group > 0)
        if (const MenuRow *c = cascade(group))
            return c;
    for (const MenuRow &r : rows)
        if (r.kind == MenuRow::Item && r.group == group && r.entry == entry)
            return &r;
    return nullptr;
}

const MenuRow *MenuPanel::cascade(int group) const {
    for (const MenuRow &r : rows)
        if (r.kind == MenuRow::Cascade && r.group == group)
            return &r;
    return nullptr;
}

namespace {

// Submenu titles on block lines 2, 5, 8, 11, 13 open groups 1, 3, 5, 7, 8, whose
// entries are on the line below each title.
int submenuGroupOfTitle(int line) {
    switch (line) {
    case 2:
        return 1;
    case 5:
        return 3;
    case 8:
        return 5;
    case 11:
        return 7;
    case 13:
        return 8;
    }
    return 0;
}

int entryLineOfGroup(int group) {
    for (int line : {2, 5, 8, 11, 13})
        if (submenuGroupOfTitle(line) == group)
            return line + 1;
    return 0;
}

// The panel width a row needs to be drawn whole (0 when the window does not say).
int rowNeeds(const RowWidth &rowWidth, const QString &text, bool cascade) {
    return rowWidth ? rowWidth(text, cascade) : 0;
}

// Entries of one line, laid from rowY down; returns the widest item. needed
// grows to the panel width the line's rows need.
int layEntries(MenuPanel &p, const QString &line, int group, int left, int &rowY, const TextWidth &width,
               int maxSeparators, const RowWidth &rowWidth, int &needed) {
    int widest = 0;
    const QStringList entries = sim::menus::entriesOf(line);
    for (int j = 0; j < entries.size(); ++j) {
        MenuRow r;
        r.group = group;
        r.entry = j;
        r.text = entries.at(j);
        if (r.text == QLatin1String("-")) {
            r.kind = MenuRow::Separator;
            if (p.separatorsDrawn < maxSeparators) {
                r.label = QRect(left + SeparatorIndent, rowY, 0, 0);
                p.rows << r;
                ++p.separatorsDrawn;
            }
            rowY += SeparatorPitch;
            continue;
        }
        const int w = width ? width(r.text) : 0;
        r.label = QRect(left + LabelIndent, rowY, w, LabelHeight);
        widest = std::max(widest, w);
        needed = std::max(needed, rowNeeds(rowWidth, r.text, false));
        p.rows << r;
        rowY += ItemPitch;
    }
    return widest;
}

// Once the width is known: separators' right ends and the arrows. The panel is
// as wide as its widest item and the usual margins, or as wide as its rows need
// to be drawn whole, whichever is wider.
void finish(MenuPanel &p, int widest, int needed, int rowY) {
    p.frame.setWidth(std::max(widest + PanelExtra, needed));
    p.frame.setHeight(rowY - p.frame.top());
    for (MenuRow &r : p.rows) {
        if (r.kind == MenuRow::Separator)
            r.label.setWidth(p.frame.width() - SeparatorShort);
        else if (r.kind == MenuRow::Cascade)
            r.arrow = QPoint(p.frame.left() + p.frame.width() - ArrowInset, r.label.top() + ArrowDrop);
    }
}

void moveBy(MenuPanel &p, QPoint shift) {
    if (shift.isNull())
        return;
    p.frame.translate(shift);
    for (MenuRow &r : p.rows) {
        r.label.translate(shift);
        r.arrow += shift;
    }
}

// The shift that brings [from, from + length) inside [0, room), the start
// first when it cannot fit.
int shiftInto(int from, int length, int room) {
    const int at = std::max(0, std::min(from, room - length));
    return at - from;
}

// Moves a panel that reaches beyond the window back inside it; one taller or
// wider than the window shows its top or left part.
void keepInside(MenuPanel &p, QSize window) {
    if (!window.isValid())
        return;
    moveBy(p, QPoint(shiftInto(p.frame.left(), p.frame.width(), window.width()),
                     shiftInto(p.frame.top(), p.frame.height(), window.height())));
}

} // namespace

MenuPanel layoutMenu(const MenuBlock &block, QPoint topLeft, const TextWidth &width, bool context,
                     QSize window, const RowWidth &rowWidth) {
    MenuPanel p;
    p.frame = QRect(topLeft, QSize(0, 0));
    p.window = window;
    int rowY = topLeft.y() + MenuFirstRow;
    int widest = 0, needed = 0;
    static constexpr int order[] = {2, 4, 5, 7, 8, 10, 11, 13, 15};
    for (int n : order) {
        const QString &line = block.line[n];
        if (line == QLatin1String("0"))
            continue;
        const bool title = n == 2 || n == 5 || n == 8 || n == 11 || n == 13;
        if (title) {
            MenuRow r;
            r.kind = MenuRow::Cascade;
            r.text = line;
            r.group = submenuGroupOfTitle(n);
            r.label = QRect(topLeft.x() + LabelIndent, rowY, width ? width(line) : 0, LabelHeight);
            needed = std::max(needed, rowNeeds(rowWidth, line, true));
            p.rows << r;
            rowY += ItemPitch;
        } else {
            const int group = n == 4 ? 2 : n == 7 ? 4 : n == 10 ? 6 : 9;
            widest = std::max(widest, layEntries(p, line, group, topLeft.x(), rowY, width, MaxMenuSeparators,
                                                 rowWidth, needed));
        }
    }
    finish(p, widest, needed, rowY);
    if (context) {
        QPoint shift;
        const int w = p.frame.width(), h = p.frame.height();
        if (p.frame.left() + w >= window.width() - w)
            shift.rx() = -w;
        if (p.frame.top() + h >= window.height() - 300)
            shift.ry() = -h;
        moveBy(p, shift);
        // flipped or not, the panel stays inside the window
        keepInside(p, window);
    }
    return p;
}

MenuPanel layoutSubmenu(const MenuBlock &block, int group, const MenuPanel &menu, const TextWidth &width,
                        const RowWidth &rowWidth) {
    MenuPanel p;
    p.window = menu.window;
    const MenuRow *c = menu.cascade(group);
    const int top = c ? c->label.top() : menu.frame.top();
    const int left = menu.frame.left() + menu.frame.width() - SubOverlap;
    p.frame = QRect(left, top, 0, 0);
    int rowY = top + SubFirstRow;
    int needed = 0;
    const int lineNo = entryLineOfGroup(group);
    const int widest = lineNo > 0 ? layEntries(p, block.line[lineNo], group, left, rowY, width,
                                               MaxSubSeparators, rowWidth, needed)
                                  : 0;
    finish(p, widest, needed, rowY);
    // no room on the right: it hangs on the menu's left instead
    if (p.window.isValid() && p.frame.left() + p.frame.width() > p.window.width())
        moveBy(p, QPoint(menu.frame.left() + SubOverlap - p.frame.width() - p.frame.left(), 0));
    keepInside(p, p.window);
    return p;
}

} // namespace demo
