// cadshots cover: opens the cover page of an installed program
// folder and saves pictures of it: the page, the unit panel and the exam panel,
// each with a hover look shown, then (with "run") unit 1 entered, the whole
// screen with the question panel beside the simulated window.
//   cadshots cover PROGRAM_FOLDER OUTPUT_FOLDER [run]
// The program folder is used as it is (the cover page normalises its status file).
#include "app/trainer.h"
#include "cover/frmabout.h"
#include "cover/frmfengmian.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "shots.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <cstdio>

int coverShots(const QStringList &args) {
    QApplication::setFont(platform::fonts::ui(9));
    if (args.size() < 3) {
        std::fputs("usage: cadshots cover PROGRAM_FOLDER OUTPUT_FOLDER [run]\n", stderr);
        return 2;
    }
    const QString out = args.at(2);
    QDir().mkpath(out);
    ModData d;
    d.AppPath = QDir(args.at(1)).absolutePath();
    platform::MessageBoxPrompter prompter([&d] { return d.appTitle(); });
    Trainer trainer(d, {&prompter, nullptr, nullptr, nullptr, nullptr}, QStringLiteral("caddrill"));
    trainer.showCover();
    auto *cover = qobject_cast<FrmFengmian *>(trainer.cover());
    if (!cover) {
        std::fputs("cadshots: the cover page did not open (module check)\n", stderr);
        return 1;
    }
    if (!QTest::qWaitForWindowExposed(cover))
        std::fputs("cadshots: the cover page was not exposed in time\n", stderr);
    cover->buildPanels();
    const auto save = [&](QWidget *w, const QString &name) {
        QTest::qWait(200);
        w->grab().save(out + QStringLiteral("/") + name);
        std::printf("%s/%s\n", qPrintable(out), qPrintable(name));
    };
    save(cover, QStringLiteral("cover.png"));
    {
        // where the page stands on the screen
        const QString name = out + QStringLiteral("/cover-screen.png");
        QGuiApplication::primaryScreen()->grabWindow(0).save(name);
        std::printf("%s\n", qPrintable(name));
    }
    // the keyboard's way: the focus mark on the unit tab, then on an enter button
    cover->activateWindow();
    if (!QTest::qWaitForWindowActive(cover))
        std::fputs("cadshots: the cover page did not become active; no focus mark to show\n", stderr);
    cover->LblTiKu->setFocus(Qt::TabFocusReason);
    save(cover, QStringLiteral("cover-focus.png"));
    QTest::keyClick(cover->LblTiKu, Qt::Key_Space);
    if (QWidget *f = QApplication::focusWidget())
        QTest::keyClick(f, Qt::Key_Right);
    save(cover, QStringLiteral("cover-units-focus.png"));
    QTest::keyClick(cover, Qt::Key_Escape);
    QTest::mouseClick(cover->LblTiKu, Qt::LeftButton);
    Q_EMIT cover->LblJinRuXX[0]->entered();
    save(cover, QStringLiteral("cover-units.png"));
    QTest::mouseClick(cover->LblFanHui1, Qt::LeftButton);
    QTest::mouseClick(cover->LblKaCH, Qt::LeftButton);
    Q_EMIT cover->LblStartKs[0]->entered();
    save(cover, QStringLiteral("cover-exams.png"));
    QTest::mouseClick(cover->LblFanHui2, Qt::LeftButton);
    QTest::mouseClick(cover->LblPro[1], Qt::LeftButton);
    save(cover, QStringLiteral("cover-info.png"));
    QTest::mouseClick(cover->LblPro[4], Qt::LeftButton);
    save(cover, QStringLiteral("cover-modules.png"));
    QTest::mouseClick(cover->LblClose, Qt::LeftButton);
    {
        cover::FrmAbout about(d, prompter, nullptr, QCoreApplication::applicationFilePath(), QString(),
                              cover);
        about.show();
        save(&about, QStringLiteral("about.png"));
    }
    if (args.value(3) == QLatin1String("run")) {
        QTest::mouseClick(cover->LblTiKu, Qt::LeftButton);
        QTest::mouseClick(cover->LblJinRuXX[0], Qt::LeftButton);
        QTest::qWait(800);
        const QString name = out + QStringLiteral("/unit1.png");
        QGuiApplication::primaryScreen()->grabWindow(0).save(name);
        std::printf("%s\n", qPrintable(name));
    }
    return 0;
}
