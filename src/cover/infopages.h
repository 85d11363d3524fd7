#pragma once
// The cover page's information pages and the slots of the other modules: which
// page a tab opens, paging through the 17 page pictures, the module table and
// how an installed module is found (its install record) and started, and the
// addresses of the maker's pages. No widget here.

#include "platform/registry.h"
#include "start/moddata.h"

#include <QString>
#include <array>

namespace cover::infopages {

inline constexpr int PageCount = 17;
inline constexpr int ModulePage = 17; // the page with the module slots
inline constexpr int ModuleSlots = 19;

// The first page of tab i (1 .. 4): 1, 9, 13, 17; 0 for any other tab.
int firstPage(int tab);
// The captions of the four tabs.
QString tabCaption(int tab);
// The picture file of page n: data folder + "9l00" + two digits + ".rar".
QString pagePath(const ModData &d, int n);

// Turning a page: the page now shown, or the message to show when there is no
// further page (the panel then closes).
struct Turn {
    int page = 0;
    QString atEnd; // "" when the page turned
};
Turn previous(int page);
Turn next(int page);
inline bool slotsShown(int page) {
    return page == ModulePage;
}

// One row of the module table, in the order of the slots on page 17.
struct ModuleRow {
    int moduleNo;           // NN of "ProPath"NN / "ProName"NN
    const char *downloadId; // two digits on the maker's download page
};
const std::array<ModuleRow, ModuleSlots> &moduleTable();

// A slot as the install records show it.
struct ModuleSlot {
    bool installed = false;
    QString target; // the program to start, or the download id
};
// kmSetupYN: every slot from the install records under Software\Microsoft.
// A record whose program no longer exists (or cannot be started) counts as not
// installed.
std::array<ModuleSlot, ModuleSlots> findModules(platform::Registry &registry);

// Where a slot's rectangle lies on page 17, in pixels of the page (four per row).
QRect slotRect(int k);

// The maker's addresses (the site is the one built into the update checker).
QString downloadPage(const QString &id);
QString webSite(int n);  // 1, 2
QString chatLink(int n); // 1, 2

} // namespace cover::infopages
