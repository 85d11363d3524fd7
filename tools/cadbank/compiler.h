#pragma once
// The bank compiler: reads a module's readable source (module.txt, one file per
// unit, menus.txt, pages.txt) and writes every file of the module in the
// trainer's formats. The same source always gives byte-identical files.

#include "screen.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace cadbank {

// One problem found in a source file: "file:line: reason".
struct Problem {
    QString file;
    int line = 0;
    QString field;
    QString reason;
    QString text() const;
};

// ---- menus ----
struct MenuItem {
    QString text;
    bool submenu = false;
    QStringList entries; // of the submenu
};
struct MenuDef {
    QString bank;   // "bar", "bar2", "context"
    int number = 0; // 1..11 (bars), 1..9 (context)
    QString name;   // title or context name
    QVector<MenuItem> items;
};
// The 15 lines of a block and where each entry went.
struct MenuBlock {
    QStringList lines;
    // "title" or "sub > entry" (both with and without "&") -> group * 10 + item
    QMap<QString, int> where;
};
// Packs a menu into a block: direct entries and submenus fill the slots in the
// pop-up's fixed order; fails with a reason when it does not fit.
bool packMenu(const MenuDef &m, MenuBlock &out, QString *why);
// The eleven menu-bar titles in order.
const QStringList &barTitles();

struct Module;

struct BuildOptions {
    std::function<void(int done, int total)> progress; // picture rendering progress
};

// Reads the source folder (module.txt and the files it names). Problems are
// appended; returns false when any was found.
bool readSource(const QString &folder, Module &m, QVector<Problem> &problems);
// Compiles and writes the program folder. Returns false with problems on error.
bool buildModule(const QString &sourceFolder, const QString &programFolder, QVector<Problem> &problems,
                 const BuildOptions &options = {});

// ---- source model (public for tests) ----
struct SrcLine {
    QString file;
    int line = 0;
    QString text;
};
struct SrcStep {
    SrcLine at;
    QString verb;
    QString rest;
    QMap<QString, QString> opts;
    QVector<SrcLine> effects;
};
struct SrcQuestion {
    SrcLine at;
    QString text;
    bool picture = false;
    QVector<SrcLine> start;
    QVector<SrcStep> steps;
};
struct SrcUnit {
    QString file;
    QString title;
    QVector<SrcQuestion> questions;
};
struct SrcPage {
    QString title;
    QStringList paragraphs;
    QStringList modules;
};
struct Module {
    QString name, subtitle, folder, version;
    int number = 0;
    QVector<SrcUnit> units;
    QVector<QVector<int>> papers; // question codes uuqq (unit 0-based)
    QVector<MenuDef> menus;
    QVector<SrcPage> pages;
};

} // namespace cadbank
