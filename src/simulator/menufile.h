#pragma once
// The menu definition file sMenu.sys: blocks of 15 lines, one block per menu, in
// three banks (menu bar, context menus, second menu bar). The pop-up shows, top to
// bottom: submenu 1 (group 1), group 2, submenu 2 (group 3), group 4, submenu 3
// (group 5), group 6, submenu 4 (group 7), submenu 5 (group 8), group 9.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace sim::menus {

enum class Bank { None, MenuBar, Context, SecondMenuBar };

constexpr int BlockLines = 15;
constexpr int MaxEntries = 10;

// The bank a step value reads its block from: 3000-4999 context menus, values of
// codes "A"/"B" the menu bar, of codes "C" the second menu bar, else none.
Bank bankForStep(int32_t stepValue);

// First line (1-based) of block n of a bank.
int blockFirstLine(Bank bank, int n);

// Splits an entry line at "|" into at most ten entries (text after the tenth is
// ignored). An empty line gives one empty entry.
QStringList entriesOf(const QString &line);

struct MenuContent {
    // Submenu titles 1..5 (index 0 unused); a hidden submenu has no title.
    std::array<bool, 6> subVisible{};
    std::array<QString, 6> subTitle{};
    // Item groups 1..9 (index 0 unused); an empty list shows no item.
    std::array<QStringList, 10> groups{};
    bool fileMissing = false;
    QString error; // names the file when it could not be read

    bool isEmpty() const;
};

// The group shown inside submenu s (1..5): 1, 3, 5, 7, 8.
int groupOfSubmenu(int s);

// Fills the pop-up for menu openMenu and the current step value from the 15
// lines of its block (lines missing at the end of the file read as empty). Steps
// that are no menu step read no block: all 15 lines count as empty. A file that
// cannot be read gives an empty pop-up with fileMissing set.
MenuContent buildMenu(const QStringList &fileLines, bool fileRead, int32_t stepValue, int openMenu);

// Reads sMenu.sys afresh (it is read at every opening) and builds the pop-up.
MenuContent readMenu(const QString &path, int32_t stepValue, int openMenu);

// The menu number of a menu code: hundreds digit of the step value, plus 9 for
// codes beginning with "B".
int menuNumberOf(const QString &code, int32_t stepValue);

// A choice of item j in group g completes the step when j is the units digit, g
// the tens digit and the menu opened is the code's menu number. Only menu steps
// (bar codes "A", "B", "C" and context codes 3000-4999) take a choice.
bool choiceMatches(const QString &code, int32_t stepValue, int openMenu, int group, int item);

} // namespace sim::menus
