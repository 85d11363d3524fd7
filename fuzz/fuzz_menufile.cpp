// sMenu.sys: the pop-up of every menu a step can open, built from the file's
// lines. The first line of the input names the step code, the rest is the file.
#include "fuzzinput.h"
#include "simulator/menufile.h"
#include "simulator/steprecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QStringList lines = fuzzinput::lines(data, size);
    const QString code = lines.isEmpty() ? QString() : lines.takeFirst().left(4);
    const int32_t value = sim::bank::stepValue(code);
    sim::menus::bankForStep(value);
    for (int openMenu = 0; openMenu <= 12; ++openMenu) {
        const sim::menus::MenuContent m = sim::menus::buildMenu(lines, true, value, openMenu);
        for (const QStringList &g : m.groups)
            fuzzinput::require(g.size() <= sim::menus::MaxEntries);
        m.isEmpty();
        for (int group = 0; group <= 9; ++group)
            sim::menus::choiceMatches(code, value, openMenu, group, value % 10);
    }
    sim::menus::menuNumberOf(code, value);
    for (const QString &line : std::as_const(lines))
        fuzzinput::require(sim::menus::entriesOf(line).size() <= sim::menus::MaxEntries);
    return 0;
}
