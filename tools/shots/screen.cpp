// cadshots screen: screenshots of the simulated window on a module, for looking at
// the layout: guided zones, an open menu, the input box, the closing screen.
//   cadshots screen PROGRAM_FOLDER OUTPUT_FOLDER                the hand-made module's tour
//   cadshots screen PROGRAM_FOLDER OUTPUT_FOLDER UNIT QUESTION  one question of any module:
//            its first step guided, then with the pop-up of its menu step open
// (run under an X server)
#include "shots.h"
#include "simulator/frmmain.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/verfile.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <cstdio>

namespace {
void shoot(const QString &path) {
    QTest::qWait(400);
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    std::printf("%s\n", qPrintable(path));
}
} // namespace

int screenShots(const QStringList &args) {
    if (args.size() != 3 && args.size() != 5) {
        std::fputs("usage: cadshots screen PROGRAM_FOLDER OUTPUT_FOLDER [UNIT QUESTION]\n", stderr);
        return 2;
    }
    ModData data;
    data.AppPath = QDir(args.at(1)).absolutePath();
    QString error;
    if (!start::verfile::readInfo(data, &error)) {
        std::fprintf(stderr, "cadshots: %s\n", qPrintable(error));
        return 1;
    }
    const QString out = args.at(2);
    QDir().mkpath(out);
    data.CurSet = Integer(args.size() == 5 ? qMax(1, args.at(3).toInt()) - 1 : 0);
    data.SetBase = SetBaseUnit;
    data.WorkMode = WorkGuided;
    start::setfiles::nameSetFiles(data);
    data.QuestionCount = Integer(start::setfiles::readQuestionOffsets(data, &error));
    for (int q = 1; q <= MaxQuestions; ++q)
        data.QuestionMark[q] = QStringLiteral("F");

    FrmMain w(data);
    w.showForm();
    auto open = [&](int q) {
        data.CurQuestion = Integer(q);
        w.restoreQuestion(q);
        w.setData();
    };
    if (args.size() == 5) {
        const int q = args.at(4).toInt();
        open(q);
        shoot(out + QStringLiteral("/q%1-step1-guided.png").arg(q));
        const int32_t v = w.engine().StepValue();
        if (v >= 10000) {
            const int n = (v / 100) % 10 + (w.engine().screen().code.startsWith(u'B') ? 9 : 0);
            w.engine().openBarMenu(n - 1);
            shoot(out + QStringLiteral("/q%1-step1-menu.png").arg(q));
        }
        return 0;
    }
    open(1);
    shoot(out + QStringLiteral("/1-guided-zone.png"));
    w.engine().zone1MouseUp(1, 0);
    w.Text1->setText(QStringLiteral("10"));
    shoot(out + QStringLiteral("/2-input-box.png"));
    open(2);
    w.engine().openBarMenu(6);
    QTest::qWait(200);
    // Open the first submenu as well.
    if (QAction *a = w.wm100->actions().value(2); a && a->menu())
        w.wm100->setActiveAction(a);
    QTest::qWait(200);
    shoot(out + QStringLiteral("/3-menu-open.png"));
    w.wm100->close();
    open(5);
    w.engine().zone1DoubleClick();
    w.engine().zone2MouseDown(1, 0, 0, 0);
    w.engine().zone2MouseMove(0, 400 * 15, 260 * 15);
    shoot(out + QStringLiteral("/4-selection-window.png"));
    w.engine().zone2MouseUp(1, 0, 400 * 15, 260 * 15);
    shoot(out + QStringLiteral("/5-overlay-box.png"));
    data.WorkMode = WorkPractice;
    open(3);
    w.engine().zone1MouseDown(2, 0);
    QTest::qWait(200);
    shoot(out + QStringLiteral("/6-context-menu.png"));
    w.wm100->close();
    data.SavedStep[1] = 5;
    open(1);
    shoot(out + QStringLiteral("/7-solved.png"));
    return 0;
}
