// cadshots logon: the exam login on a copy of an installed program folder: the
// login page, the confirmation page with the bar half grown, then the exam run
// it opens (the whole screen).
//   cadshots logon PROGRAM_FOLDER OUTPUT_FOLDER [PAPER]
// The login writes the paper's files, so the program folder is copied first.
#include "app/trainer.h"
#include "cover/frmfengmian.h"
#include "panel/frmlogon.h"
#include "platform/clicklabel.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "shots.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

bool copyFolder(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QStringLiteral("/") + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

} // namespace

int logonShots(const QStringList &args) {
    QApplication::setFont(platform::fonts::ui(9));
    if (args.size() < 3) {
        std::fputs("usage: cadshots logon PROGRAM_FOLDER OUTPUT_FOLDER [PAPER]\n", stderr);
        return 2;
    }
    const QString out = args.at(2);
    QDir().mkpath(out);
    QTemporaryDir copy;
    if (!copy.isValid() || !copyFolder(QDir(args.at(1)).absolutePath(), copy.path())) {
        std::fputs("cadshots: cannot copy the program folder\n", stderr);
        return 1;
    }
    ModData d;
    d.AppPath = copy.path();
    d.CandidateName = QStringLiteral("柏川1"); // as the start sequence sets it
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
    const int paper = args.value(3, QStringLiteral("0")).toInt();
    QTest::mouseClick(cover->LblKaCH, Qt::LeftButton);
    QTest::mouseClick(cover->LblStartKs[paper], Qt::LeftButton);
    QTest::qWait(300);
    FrmLogon *logon = trainer.logon();
    if (!logon) {
        std::fputs("cadshots: the login did not open\n", stderr);
        return 1;
    }
    const auto save = [&](QWidget *w, const QString &name) {
        w->grab().save(out + QStringLiteral("/") + name);
        std::printf("%s/%s\n", qPrintable(out), qPrintable(name));
    };
    if (!QTest::qWaitForWindowExposed(logon))
        std::fputs("cadshots: the login was not exposed in time\n", stderr);
    QTest::qWait(300);
    save(logon, QStringLiteral("logon.png"));
    // the keyboard's way: the focus mark on 登录
    logon->activateWindow();
    if (!QTest::qWaitForWindowActive(logon))
        std::fputs("cadshots: the login did not become active; no focus mark to show\n", stderr);
    logon->CmdLog->setFocus(Qt::TabFocusReason);
    save(logon, QStringLiteral("logon-focus.png"));
    // the confirmation page with the bar half grown: the timer held while grabbing
    logon->TxtZwh->setText(QStringLiteral("7"));
    logon->CmdLog_Click();
    logon->Timer2.stop();
    for (int i = 0; i < 3; ++i)
        logon->Timer2_Timer();
    QTest::qWait(200);
    save(logon, QStringLiteral("logon-confirm.png"));
    logon->Timer2.start();
    QTest::qWait(1500);
    const QString name = out + QStringLiteral("/logon-run.png");
    QGuiApplication::primaryScreen()->grabWindow(0).save(name);
    std::printf("%s\n", qPrintable(name));
    return 0;
}
