// The information pages and the other modules' slots: tabs, paging at both
// ends, install records turned into slots, and the desktop launcher the about
// box writes.
#include "cover/frmabout.h"
#include "cover/infopages.h"
#include "fakes.h"
#include "platform/desktopshortcut.h"
#include "platform/registry.h"
#include "start/modzcb.h"
#include "tempfolder.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace cover::infopages;

class TstInfoPages : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void tabs_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("caption");
        QTest::newRow("introduction") << 1 << 1 << QStringLiteral("考试简介");
        QTest::newRow("syllabus") << 2 << 9 << QStringLiteral("考试大纲");
        QTest::newRow("instructions") << 3 << 13 << QStringLiteral("使用说明");
        QTest::newRow("other modules") << 4 << 17 << QStringLiteral("其它模块");
        QTest::newRow("no such tab") << 5 << 0 << QString();
    }
    void tabs() {
        QFETCH(int, tab);
        QFETCH(int, page);
        QFETCH(QString, caption);
        QCOMPARE(firstPage(tab), page);
        QCOMPARE(tabCaption(tab), caption);
    }

    void paging_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("next inside") << 8 << true << 9 << QString();
        QTest::newRow("next onto the modules") << 16 << true << 17 << QString();
        QTest::newRow("next at the end") << 17 << true << 17 << QStringLiteral("已经到最后一页");
        QTest::newRow("back from the modules") << 17 << false << 16 << QString();
        QTest::newRow("back at the start") << 1 << false << 1 << QStringLiteral("已经到第一页");
    }
    void paging() {
        QFETCH(int, from);
        QFETCH(bool, forward);
        QFETCH(int, to);
        QFETCH(QString, message);
        const Turn t = forward ? next(from) : previous(from);
        QCOMPARE(t.page, to);
        QCOMPARE(t.atEnd, message);
        QCOMPARE(slotsShown(t.page), to == 17);
    }

    void pagePaths() {
        ModData d;
        d.DataDir = QStringLiteral("/p/cad2004/");
        QCOMPARE(pagePath(d, 3), QStringLiteral("/p/cad2004/9l0003.rar"));
        QCOMPARE(pagePath(d, 17), QStringLiteral("/p/cad2004/9l0017.rar"));
    }

    void moduleTableRows() {
        QSet<int> numbers;
        for (const ModuleRow &r : moduleTable()) {
            QVERIFY(!numbers.contains(r.moduleNo));
            numbers << r.moduleNo;
            QCOMPARE(QString::fromLatin1(r.downloadId).size(), 2);
        }
        // the AutoCAD 2004 slot is the ninth, as page 17 shows it
        QCOMPARE(moduleTable()[8].moduleNo, 12);
    }

    // Install records as the trainers write them: folder and name padded with "*".
    void modulesFromInstallRecords() {
        TempFolder tmp;
        platform::FileRegistry reg(tmp.file(QStringLiteral("registry")));
        const QString key = QStringLiteral("Software\\Microsoft");
        int32_t bytes = 0;
        auto record = [&](const QString &nn, const QString &folder, const QString &name) {
            start::ModZCB::WriteRegValue(reg, platform::HKEY_CURRENT_USER, key,
                                         QStringLiteral("ProPath") + nn, platform::REG_SZ,
                                         QString(folder + QString(72, u'*')), bytes);
            start::ModZCB::WriteRegValue(reg, platform::HKEY_CURRENT_USER, key,
                                         QStringLiteral("ProName") + nn, platform::REG_SZ,
                                         QString(name + QString(36, u'*')), bytes);
        };
        // module 12: installed and present
        const QString cad = tmp.file(QStringLiteral("cad"));
        QDir().mkpath(cad);
        tmp.write(QStringLiteral("cad/caddrill"), {QStringLiteral("#!/bin/sh")});
        QFile(cad + QStringLiteral("/caddrill")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        record(QStringLiteral("12"), cad, QStringLiteral("caddrill"));
        // module 2: recorded with ".exe", present without it
        const QString word = tmp.file(QStringLiteral("word"));
        tmp.write(QStringLiteral("word/wordtrainer"), {QStringLiteral("#!/bin/sh")});
        QFile(word + QStringLiteral("/wordtrainer")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        record(QStringLiteral("02"), word, QStringLiteral("wordtrainer.exe"));
        // module 3: recorded, but its folder is gone
        record(QStringLiteral("03"), tmp.file(QStringLiteral("gone")), QStringLiteral("excel"));
        // module 4: an empty record
        start::ModZCB::WriteRegValue(reg, platform::HKEY_CURRENT_USER, key, QStringLiteral("ProPath04"),
                                     platform::REG_SZ, QStringLiteral("   "), bytes);

        const auto slots = findModules(reg);
        QVERIFY(slots[8].installed);
        QCOMPARE(slots[8].target, cad + QStringLiteral("/caddrill"));
        QVERIFY(slots[1].installed);
        QCOMPARE(slots[1].target, word + QStringLiteral("/wordtrainer"));
        QVERIFY(!slots[2].installed);
        QCOMPARE(slots[2].target, QStringLiteral("03"));
        QVERIFY(!slots[3].installed);
        QVERIFY(!slots[0].installed);
        QCOMPARE(slots[0].target, QStringLiteral("01"));
        QCOMPARE(downloadPage(slots[0].target), QStringLiteral("http://www.caddrill.example/down.asp?id=01"));
    }

    // The working folder's link: the folder is opened, or the learner is told
    // where it is; the launcher goes on the desktop only when the learner says yes.
    void aboutFolderLinkAsks_data() {
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("opened, yes") << true << int(platform::Prompter::AnswerYes) << true;
        QTest::newRow("opened, no") << true << int(platform::Prompter::AnswerNo) << false;
        QTest::newRow("not opened, yes") << false << int(platform::Prompter::AnswerYes) << true;
        QTest::newRow("not opened, no") << false << int(platform::Prompter::AnswerNo) << false;
    }
    void aboutFolderLinkAsks() {
        QFETCH(bool, opens);
        QFETCH(int, answer);
        QFETCH(bool, written);
        TempFolder tmp;
        ModData d;
        d.AppPath = tmp.file(QStringLiteral("程序"));
        d.ModuleName = QStringLiteral("AutoCAD 2004");
        FakeLauncher launcher;
        launcher.opens = opens;
        FakePrompter prompter;
        const QString desktop = tmp.file(QStringLiteral("桌面"));
        cover::FrmAbout about(d, prompter, &launcher, d.AppPath + QStringLiteral("/caddrill"), desktop);
        // the question comes after the message about the folder, if any
        if (!opens)
            prompter.answers << platform::Prompter::AnswerOk;
        prompter.answers << platform::Prompter::Answer(answer);
        about.workingFolderClicked();
        QCOMPARE(launcher.opened.size(), 1);
        QCOMPARE(prompter.asked.size(), opens ? 1 : 2);
        if (!opens) {
            QCOMPARE(prompter.asked.first().title, QStringLiteral("不能自动打开"));
            QVERIFY(prompter.asked.first().text.contains(QDir::toNativeSeparators(d.AppPath)));
        }
        QCOMPARE(prompter.asked.last().buttons, platform::Prompter::YesNo);
        QCOMPARE(QFileInfo::exists(about.launcherFile()), written);
    }

    void slotGrid() {
        QCOMPARE(slotRect(0), QRect(12, 60, 180, 60));
        QCOMPARE(slotRect(5), QRect(12 + 191, 60 + 73, 180, 60));
        QCOMPARE(slotRect(18).top(), 60 + 4 * 73);
    }

    // The launcher the about box puts on the desktop: starts the trainer in its
    // folder, however odd the folder's name; a second click overwrites it.
    void desktopLauncher() {
        TempFolder tmp;
        ModData d;
        d.AppPath = tmp.file(QStringLiteral("程序 \"目录\" $x"));
        d.ModuleName = QStringLiteral("AutoCAD 2004");
        d.ModuleTitle = QStringLiteral("中文版");
        FakeLauncher launcher;
        FakePrompter prompter;
        prompter.answers = {platform::Prompter::AnswerYes, platform::Prompter::AnswerYes};
        const QString desktop = tmp.file(QStringLiteral("桌面"));
        cover::FrmAbout about(d, prompter, &launcher, d.AppPath + QStringLiteral("/caddrill"), desktop);
        QCOMPARE(about.Label1[1]->text(), about.Label1[2]->text());
        QVERIFY(about.Label1[1]->text().endsWith(QStringLiteral("── 中文版")));
        about.workingFolderClicked();
        about.workingFolderClicked();
        QCOMPARE(launcher.opened.size(), 2);
        QVERIFY(launcher.opened.first().startsWith(QStringLiteral("file://")));
        const QString file = desktop + QStringLiteral("/AutoCAD 2004模块.desktop");
        QCOMPARE(about.launcherFile(), file);
        QVERIFY(QFileInfo(file).isExecutable());
        QCOMPARE(QDir(desktop).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(file).fileName()});
        const QByteArray bytes = tmp.bytes(QStringLiteral("桌面/AutoCAD 2004模块.desktop"));
        QVERIFY(bytes.startsWith("[Desktop Entry]\n"));
        QVERIFY(bytes.contains("\nType=Application\n"));
        QVERIFY(bytes.contains(QStringLiteral("\nName=AutoCAD 2004模块\n").toUtf8()));
        QVERIFY(bytes.contains(QByteArray("\nPath=" + d.AppPath.toUtf8() + "\n")));
        QVERIFY2(bytes.contains(QByteArray(
                     "Exec=\"" + tmp.file(QStringLiteral("程序 \\\\\"目录\\\\\" \\\\$x/caddrill")).toUtf8() +
                     "\"\n")),
                 bytes.constData());
    }
};

QTEST_MAIN(TstInfoPages)
#include "tst_infopages.moc"
