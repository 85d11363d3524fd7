#include "simulator/menufile.h"
#include "platform/textfile.h"

namespace sim::menus {

Bank bankForStep(int32_t v) {
    if (v >= 3000 && v <= 4999)
        return Bank::Context;
    if (v / 10000 == 1)
        return Bank::MenuBar;
    if (v / 10000 == 5)
        return Bank::SecondMenuBar;
    return Bank::None;
}

int blockFirstLine(Bank bank, int n) {
    switch (bank) {
    case Bank::MenuBar:
        return (n - 1) * BlockLines + 1;
    case Bank::Context:
        return 165 + (n - 1) * BlockLines + 1;
    case Bank::SecondMenuBar:
        return 300 + (n - 1) * BlockLines + 1;
    case Bank::None:
        break;
    }
    return 0;
}

QStringList entriesOf(const QString &line) {
    QStringList parts = line.split(u'|');
    if (parts.size() > MaxEntries)
        parts.erase(parts.begin() + MaxEntries, parts.end());
    return parts;
}

int groupOfSubmenu(int s) {
    static constexpr int g[6] = {0, 1, 3, 5, 7, 8};
    return (s >= 1 && s <= 5) ? g[s] : 0;
}

bool MenuContent::isEmpty() const {
    for (int s = 1; s <= 5; ++s)
        if (subVisible[s])
            return false;
    for (int g = 1; g <= 9; ++g)
        if (!groups[g].isEmpty())
            return false;
    return true;
}

MenuContent buildMenu(const QStringList &fileLines, bool fileRead, int32_t stepValue, int openMenu) {
    MenuContent m;
    if (!fileRead) {
        m.fileMissing = true;
        return m;
    }
    QStringList block;
    const Bank bank = bankForStep(stepValue);
    const int first = (bank == Bank::None || openMenu < 1) ? 0 : blockFirstLine(bank, openMenu);
    for (int i = 0; i < BlockLines; ++i) {
        const int n = first + i; // 1-based line number
        block << ((first > 0 && n <= fileLines.size()) ? fileLines.at(n - 1) : QString());
    }
    const QLatin1String none("0");
    // Direct groups 2, 4, 6, 9 from block lines 4, 7, 10, 15.
    static constexpr int directGroup[4] = {2, 4, 6, 9};
    static constexpr int directLine[4] = {4, 7, 10, 15};
    for (int i = 0; i < 4; ++i) {
        const QString &l = block.at(directLine[i] - 1);
        if (l != none)
            m.groups[directGroup[i]] = entriesOf(l);
    }
    // Submenus 1..5: titles on lines 2, 5, 8, 11, 13, entries on the line below.
    static constexpr int titleLine[6] = {0, 2, 5, 8, 11, 13};
    for (int s = 1; s <= 5; ++s) {
        const QString &title = block.at(titleLine[s] - 1);
        if (title == none)
            continue;
        m.subVisible[s] = true;
        m.subTitle[s] = title;
        m.groups[groupOfSubmenu(s)] = entriesOf(block.at(titleLine[s]));
    }
    return m;
}

MenuContent readMenu(const QString &path, int32_t stepValue, int openMenu) {
    QStringList lines;
    platform::textfile::ReadError err;
    const bool ok = platform::textfile::readLines(path, lines, &err);
    MenuContent m = buildMenu(lines, ok, stepValue, openMenu);
    if (!ok)
        m.error = err.message();
    return m;
}

int menuNumberOf(const QString &code, int32_t stepValue) {
    int n = (stepValue / 100) % 10;
    if (code.startsWith(u'B'))
        n += 9;
    return n;
}

bool choiceMatches(const QString &code, int32_t stepValue, int openMenu, int group, int item) {
    // Only menu steps take a menu choice: a key code such as "6123" has the same
    // digit pattern but is completed by its key alone.
    if (bankForStep(stepValue) == Bank::None)
        return false;
    const int b = (stepValue / 10) % 10;
    const int c = stepValue % 10;
    return item == c && menuNumberOf(code, stepValue) == openMenu && group == b;
}

} // namespace sim::menus
