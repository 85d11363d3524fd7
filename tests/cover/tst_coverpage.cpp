// The cover page on the offscreen platform: slots and counts as the data files
// say, tabs and panels, hover images, closing, the update switch and the
// entries that stay on the page or go to the login stand-in.
//
// With CADDRILL_SHOTS=folder the test also saves pictures of the page and both panels.
#include "app/trainer.h"
#include "cover/frmfengmian.h"
#include "fixture.h"
#include "platform/helpwindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QTest>

namespace {

struct FakePrompter : platform::Prompter {
    struct Asked {
        QString text, title;
        Buttons buttons;
        Icon icon;
        Answer def;
    };
    QList<Asked> asked;
    QList<Answer> answers;
    Answer ask(const QString &text, Buttons buttons, Icon icon, const QString &title, Answer def) override {
        asked.append({text, title, buttons, icon, def});
        return answers.isEmpty() ? AnswerOk : answers.takeFirst();
    }
};

struct FakeLauncher : platform::Launcher {
    QStringList started, opened;
    bool opens = true; // whether the desktop had something to open an address with
    bool startDetached(const QString &program, const QStringList &) override {
        started << program;
        return true;
    }
    bool openUrl(const QString &address) override {
        opened << address;
        return opens;
    }
};

} // namespace

class TstCoverPage : public QObject {
    Q_OBJECT
    Fixture *f = nullptr;
    ModData d;
    FakePrompter prompter;
    FakeLauncher launcher;
    Trainer *trainer = nullptr;

    FrmFengmian *cover() { return qobject_cast<FrmFengmian *>(trainer->cover()); }

    // Opens one of the page's panels by name: "units", "exams", or "info" at
    // infoPage; any other name leaves the page as it is.
    static void openPart(FrmFengmian *c, const QString &opened, int infoPage = 1) {
        if (opened == QStringLiteral("units"))
            c->LblTiKu_Click();
        else if (opened == QStringLiteral("exams"))
            c->LblKaCH_Click();
        else if (opened == QStringLiteral("info"))
            c->LblPro_Click(infoPage);
    }

    void shoot(QWidget *w, const QString &name) {
        const QString folder = qEnvironmentVariable("CADDRILL_SHOTS");
        if (!folder.isEmpty())
            w->grab().save(folder + QStringLiteral("/") + name);
    }

  private Q_SLOTS:
    void init() {
        f = new Fixture;
        QStringList titles;
        for (int i = 1; i <= 12; ++i)
            titles << QStringLiteral("第%1章 绘图与编辑").arg(i);
        f->install(6, {12, 10, 8, 12, 9, 11, 10, 12, 8, 10, 12, 9}, titles);
        Fixture::put(
            f->records() + QStringLiteral("288893.rar"),
            {QStringLiteral("TTF"), QStringLiteral("TTTTTTTTTT"), QStringLiteral("TFTFTFTFTFTFTFTF")});
        Fixture::put(f->records() + QStringLiteral("288892.rar"),
                     {QStringLiteral("2026-11-28 19:42:10"), QStringLiteral("87.5"), QString(),
                      QStringLiteral("2026-12-02 08:15:33"), QStringLiteral("72.5"), QString()});
        d = f->modData();
        prompter = FakePrompter{};
        launcher = FakeLauncher{};
        trainer =
            new Trainer(d, {&prompter, nullptr, &launcher, nullptr, nullptr}, QStringLiteral("caddrill"));
        trainer->showCover();
        QVERIFY(cover());
        QVERIFY(QTest::qWaitForWindowExposed(cover()));
        QTRY_VERIFY(cover()->PicTiKu); // the panels follow the first paint
    }
    void cleanup() {
        delete trainer;
        trainer = nullptr;
        delete f;
        f = nullptr;
    }

    void slotsAndCounts() {
        FrmFengmian *c = cover();
        QCOMPARE(c->size(), QSize(800, 600));
        QCOMPARE(c->windowTitle(),
                 QStringLiteral("柏川云学职称计算机考试——AutoCAD 2004模块  题库版本：2026.12"));
        QCOMPARE(c->LblCaption->text(), QStringLiteral("V3.0.1──AutoCAD 2004模块(题库版本：2026.12)"));
        QCOMPARE(c->LblKmMc->text(), c->LblKmMc1->text());
        QVERIFY(!c->PicTiKu->isVisible());
        QVERIFY(!c->PicKaCH->isVisible());
        for (int i = 0; i < cover::UnitSlots; ++i) {
            QCOMPARE(c->ImgUnit[i]->isVisibleTo(c->PicTiKu), i < 12);
            QCOMPARE(c->LblJinRuXX[i]->isVisibleTo(c->PicTiKu), i < 12);
            QCOMPARE(c->LblUnitWei[i]->isVisibleTo(c->PicTiKu), i < 12);
            QCOMPARE(c->LblUnitNo[i]->text(), QString::number(i + 1));
        }
        for (int i = 0; i < cover::PaperSlots; ++i) {
            QCOMPARE(c->LblStartKs[i]->isVisibleTo(c->PicKaCH), i < 6);
            QCOMPARE(c->LblErr[i]->isVisibleTo(c->PicKaCH), i < 6);
        }
        QCOMPARE(c->LblUnintSL[0]->text(), QStringLiteral("12"));
        QCOMPARE(c->LblUnitWei[0]->text(), QStringLiteral("10"));
        QCOMPARE(c->LblUnintSL[1]->text(), QStringLiteral("10"));
        QCOMPARE(c->LblUnitWei[1]->text(), QStringLiteral("0"));
        QCOMPARE(c->LblUnitWei[2]->text(), QStringLiteral("4")); // cut to 8: TFTFTFTF
        QCOMPARE(c->LblUnitWei[3]->text(), QStringLiteral("12"));
        QCOMPARE(c->LblJinRuXX[3]->toolTip(), QStringLiteral("第4章 绘图与编辑"));
        // the completion bars: 2 of 12, all 10, 4 of 8, none
        QCOMPARE(c->ImgUnitBar[0]->accessibleName(), QStringLiteral("第1单元 已完成 16%"));
        QCOMPARE(c->ImgUnitBar[1]->accessibleName(), QStringLiteral("第2单元 已完成 100%"));
        QCOMPARE(c->ImgUnitBar[2]->toolTip(), QStringLiteral("已完成 50%"));
        QCOMPARE(c->LblJinRuXX[3]->accessibleDescription(), QStringLiteral("已完成 0%"));
        QCOMPARE(c->ImgUnitBar[11]->isVisibleTo(c->PicTiKu), true);
        QCOMPARE(c->ImgUnitBar[12]->isVisibleTo(c->PicTiKu), false);
        QCOMPARE(c->LblKSInFo[1]->text(), QStringLiteral("最后考试时间 2026-12-02 08:15:33  最好成绩 72.5"));
        // slots sit on the twip grid: unit 4 is column 1, row 1
        QCOMPARE(c->ImgUnit[4]->pos(), QPoint((480 + 3720) / 15, (120 + 1080) / 15));
        QCOMPARE(c->ImgShiJuan[3]->pos(), QPoint((390 + 5700) / 15, (120 + 1080) / 15));
        QCOMPARE(c->LblExit->text(), QStringLiteral("题库升级"));
        QVERIFY(!c->Check1->isChecked());
        shoot(c, QStringLiteral("cover.png"));
    }

    void tabsAndPanels() {
        FrmFengmian *c = cover();
        // looks: hover and pressed on the units tab; the other tab stays normal
        Q_EMIT c->LblTiKu->entered();
        QVERIFY(c->ImgTiKu1->isVisible() && !c->ImgTiKu->isVisible() && c->ImgKaCH->isVisible());
        Q_EMIT c->LblTiKu->pressed(Qt::LeftButton, Qt::NoModifier, QPoint());
        QVERIFY(c->ImgTiKu2->isVisible() && !c->ImgTiKu1->isVisible());
        Q_EMIT c->LblKaCH->entered();
        shoot(c, QStringLiteral("cover-hover.png"));
        QVERIFY(c->ImgKaCH1->isVisible() && c->ImgTiKu->isVisible() && !c->ImgTiKu2->isVisible());
        c->normalLooks();
        QVERIFY(c->ImgTiKu->isVisible() && c->ImgKaCH->isVisible() && !c->ImgKaCH1->isVisible());

        QTest::mouseClick(c->LblTiKu, Qt::LeftButton);
        QVERIFY(c->PicTiKu->isVisible());
        QVERIFY(!c->PicKaCH->isVisible());
        Q_EMIT c->LblJinRuXX[7]->entered();
        QVERIFY(c->ImgJinRuXXM->isVisible());
        QCOMPARE(c->ImgJinRuXXM->pos(), c->LblJinRuXX[7]->pos());
        shoot(c, QStringLiteral("cover-units.png"));
        Q_EMIT c->LblJinRuXX[7]->pressed(Qt::LeftButton, Qt::NoModifier, QPoint());
        QVERIFY(c->ImgJinRuXXD->isVisible() && !c->ImgJinRuXXM->isVisible());
        Q_EMIT c->LblJinRuXX[7]->left();
        QVERIFY(!c->ImgJinRuXXD->isVisible());

        QTest::mouseClick(c->LblFanHui1, Qt::LeftButton);
        QVERIFY(!c->PicTiKu->isVisible());
        QTest::mouseClick(c->LblKaCH, Qt::LeftButton);
        QVERIFY(c->PicKaCH->isVisible());
        QVERIFY(!c->PicTiKu->isVisible());
        Q_EMIT c->LblStartKs[1]->entered();
        QCOMPARE(c->ImgStartKsM->pos(), c->LblStartKs[1]->pos());
        shoot(c, QStringLiteral("cover-exams.png"));
        QTest::mouseClick(c->LblFanHui2, Qt::LeftButton);
        QVERIFY(!c->PicKaCH->isVisible());
        QVERIFY(prompter.asked.isEmpty());
    }

    void closingAsksFirst() {
        FrmFengmian *c = cover();
        c->PicPro->show();
        QTest::mouseClick(c->LblClose, Qt::LeftButton);
        QVERIFY(!c->PicPro->isVisible());
        QVERIFY(prompter.asked.isEmpty());
        Q_EMIT c->LblClose->entered();
        QVERIFY(c->ImgClose->isVisible());
        prompter.answers = {platform::Prompter::AnswerNo};
        QTest::mouseClick(c->LblClose, Qt::LeftButton);
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.asked[0].text, QStringLiteral("确实要退出考试系统吗？"));
        QCOMPARE(prompter.asked[0].title, QStringLiteral("柏川软件"));
        QCOMPARE(prompter.asked[0].buttons, platform::Prompter::YesNo);
        QCOMPARE(prompter.asked[0].icon, platform::Prompter::Question);
        QCOMPARE(prompter.asked[0].def, platform::Prompter::AnswerNo);
        QVERIFY(c->isVisible());
        QVERIFY(!c->ImgClose->isVisible());
        // the panel's exit asks the same; Yes closes the page
        QTest::mouseClick(c->LblTiKu, Qt::LeftButton);
        prompter.answers = {platform::Prompter::AnswerYes};
        QPointer<FrmFengmian> page = c;
        QTest::mouseClick(c->LblExit1, Qt::LeftButton);
        QCOMPARE(prompter.asked.size(), 2);
        QTRY_VERIFY(!page);
    }

    void updateSwitchAndUpgrade() {
        FrmFengmian *c = cover();
        QTest::mouseClick(c->Check1, Qt::LeftButton);
        QCOMPARE(Fixture::lines(f->program() + QStringLiteral("/refresher.txt")),
                 QStringList{QStringLiteral("1")});
        QTest::mouseClick(c->Check1, Qt::LeftButton);
        QCOMPARE(Fixture::lines(f->program() + QStringLiteral("/refresher.txt")),
                 QStringList{QStringLiteral("0")});
        QTest::mouseClick(c->LblExit, Qt::LeftButton);
        QCOMPARE(launcher.started.size(), 1);
        QVERIFY(launcher.started[0].contains(QStringLiteral("refresher")));
    }

    void entriesThatStayOrReturn() {
        FrmFengmian *c = cover();
        // review without a wrong-question list: the message, and the page stays
        QTest::mouseClick(c->LblKaCH, Qt::LeftButton);
        QTest::mouseClick(c->LblErr[0], Qt::LeftButton);
        QCOMPARE(prompter.asked.size(), 1);
        QVERIFY(prompter.asked[0].text.startsWith(QStringLiteral("本套试题没有生成错题！")));
        QCOMPARE(prompter.asked[0].icon, platform::Prompter::NoIcon);
        QVERIFY(c->isVisible());
        // unit without its index file: the file is named, the page stays
        QTest::mouseClick(c->LblTiKu, Qt::LeftButton);
        QTest::mouseClick(c->LblJinRuXX[1], Qt::LeftButton);
        QCOMPARE(prompter.asked.size(), 2);
        QVERIFY(prompter.asked[1].text.contains(QStringLiteral("288871.rar")));
        QVERIFY(c->isVisible());
        // mock exam: SetBase 0 even though the login is only a stand-in
        d.SetBase = SetBaseUnit;
        QPointer<FrmFengmian> old = c;
        QTest::mouseClick(c->LblKaCH, Qt::LeftButton);
        QTest::mouseClick(c->LblStartKs[2], Qt::LeftButton);
        QCOMPARE(d.SetBase, Integer(0));
        QCOMPARE(d.WorkMode, Integer(3));
        QCOMPARE(d.CurSet, Integer(2));
        QTRY_VERIFY(!old);
        QVERIFY(cover() && cover()->isVisible()); // a fresh page after the stand-in
    }

    void otherModuleEndsSilently() {
        Fixture::put(f->data() + QStringLiteral("288899.rar"), {QStringLiteral("3")});
        QVERIFY(!trainer->createCover());
        QVERIFY(prompter.asked.isEmpty());
    }

    // The tabs open their first pages; paging stops at both ends with its
    // message and closes the panel; the module slots show on the last page only.
    void informationPages() {
        FrmFengmian *c = cover();
        QCOMPARE(c->LblPro[3]->text(), QStringLiteral("使用说明"));
        QTest::mouseClick(c->LblPro[4], Qt::LeftButton);
        QVERIFY(c->PicPro->isVisible());
        QCOMPARE(c->InfoPage, 17);
        QVERIFY(c->LblKmLj[0]->isVisible());
        QTest::mouseClick(c->LblLast, Qt::LeftButton);
        QCOMPARE(c->InfoPage, 16);
        QVERIFY(!c->LblKmLj[0]->isVisible());
        QTest::mouseClick(c->LblNext, Qt::LeftButton);
        QTest::mouseClick(c->LblNext, Qt::LeftButton);
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.asked.last().text, QStringLiteral("已经到最后一页"));
        QVERIFY(!c->PicPro->isVisible());
        QTest::mouseClick(c->LblPro[1], Qt::LeftButton);
        QCOMPARE(c->InfoPage, 1);
        QTest::mouseClick(c->LblLast, Qt::LeftButton);
        QCOMPARE(prompter.asked.last().text, QStringLiteral("已经到第一页"));
        QVERIFY(!c->PicPro->isVisible());
    }

    // The instructions open as a text window from F1 anywhere on the page and
    // from the "使用说明" tab, which no longer shows picture pages.
    void helpOpens_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("F1 on the page") << QStringLiteral("F1");
        QTest::newRow("F1 in the unit panel") << QStringLiteral("F1 units");
        QTest::newRow("tab clicked") << QStringLiteral("click");
        QTest::newRow("tab by keyboard") << QStringLiteral("Space");
    }
    void helpOpens() {
        QFETCH(QString, how);
        FrmFengmian *c = cover();
        const auto shownHelp = [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *h = qobject_cast<platform::HelpWindow *>(w); h && h->isVisible())
                    return h;
            return static_cast<platform::HelpWindow *>(nullptr);
        };
        QVERIFY(!shownHelp());
        c->activateWindow();
        QTRY_VERIFY(c->isActiveWindow());
        if (how == QStringLiteral("F1")) {
            QTest::keyClick(c, Qt::Key_F1);
        } else if (how == QStringLiteral("F1 units")) {
            QTest::mouseClick(c->LblTiKu, Qt::LeftButton);
            QVERIFY(c->PicTiKu->isVisible());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        } else if (how == QStringLiteral("click")) {
            QTest::mouseClick(c->LblPro[3], Qt::LeftButton);
        } else {
            c->LblPro[3]->setFocus(Qt::TabFocusReason);
            QTest::keyClick(c->LblPro[3], Qt::Key_Space);
        }
        platform::HelpWindow *help = shownHelp();
        QVERIFY(help);
        QVERIFY(!c->PicPro->isVisible()); // no picture page for the instructions
        QVERIFY(prompter.asked.isEmpty());
        help->close();
        QTRY_VERIFY(!shownHelp());
        // the other tabs keep their picture pages
        QTest::mouseClick(c->LblPro[2], Qt::LeftButton);
        QVERIFY(c->PicPro->isVisible());
        QCOMPARE(c->InfoPage, 9);
        QVERIFY(!shownHelp());
    }

    // A slot without an install record opens its download page; the links open
    // their addresses.
    void moduleSlotsAndLinks() {
        FrmFengmian *c = cover();
        QTest::mouseClick(c->LblPro[4], Qt::LeftButton);
        QTest::mouseClick(c->LblKmLj[8], Qt::LeftButton);
        QCOMPARE(launcher.opened, QStringList{cover::infopages::downloadPage(QStringLiteral("12"))});
        QTest::mouseClick(c->LblPro[4], Qt::LeftButton);
        QTest::mouseClick(c->LblClose, Qt::LeftButton); // closes the panel, not the page
        QVERIFY(!c->PicPro->isVisible());
        QTest::mouseClick(c->LblWeb1, Qt::LeftButton);
        QCOMPARE(launcher.opened.last(), cover::infopages::webSite(1));
        QVERIFY(launcher.started.isEmpty());
    }

    // An address nothing on the desktop opened is given to the learner to open
    // by hand; one that opened says nothing.
    void addressNotOpenedIsTold_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("address");
        const QString web1 = cover::infopages::webSite(1), web2 = cover::infopages::webSite(2);
        const QString chat = cover::infopages::chatLink(1);
        const QString down = cover::infopages::downloadPage(QStringLiteral("12"));
        QTest::newRow("web site, opened") << "LblWeb1" << true << web1;
        QTest::newRow("web site, nothing opened") << "LblWeb1" << false << web1;
        QTest::newRow("learning site, nothing opened") << "LblWeb2" << false << web2;
        QTest::newRow("messenger, nothing opened") << "LblQQ1" << false << chat;
        QTest::newRow("download page, opened") << "LblKmLj_8" << true << down;
        QTest::newRow("download page, nothing opened") << "LblKmLj_8" << false << down;
    }
    void addressNotOpenedIsTold() {
        QFETCH(QString, control);
        QFETCH(bool, opens);
        QFETCH(QString, address);
        FrmFengmian *c = cover();
        launcher.opens = opens;
        if (control.startsWith(QLatin1String("LblKmLj")))
            QTest::mouseClick(c->LblPro[4], Qt::LeftButton);
        auto *button = c->findChild<QWidget *>(control);
        QVERIFY(button);
        QVERIFY(button->isVisible());
        prompter.asked.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(launcher.opened, QStringList{address});
        if (opens) {
            QVERIFY(prompter.asked.isEmpty());
            return;
        }
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.asked.first().title, QStringLiteral("不能自动打开"));
        QCOMPARE(prompter.asked.first().icon, platform::Prompter::Critical);
        QVERIFY2(prompter.asked.first().text.contains(address), qPrintable(prompter.asked.first().text));
    }

    // Every button of the page, its panels and its information page: what it is
    // called, and Tab reaches it once its panel is open.
    void everyButtonNamedAndReached_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("opened"); // the panel it sits on
        QTest::addColumn<QString>("name");
        const QString page, units = QStringLiteral("units"), exams = QStringLiteral("exams"),
                            info = QStringLiteral("info");
        const auto row = [](const char *control, const QString &opened, const QString &name) {
            QTest::newRow(control) << QString::fromLatin1(control) << opened << name;
        };
        row("LblTiKu", page, QStringLiteral("单元练习"));
        row("LblKaCH", page, QStringLiteral("模拟考试"));
        row("LblClose", page, QStringLiteral("关闭"));
        row("LblPro_1", page, QStringLiteral("考试简介"));
        row("LblPro_4", page, QStringLiteral("其它模块"));
        row("LblWeb1", page, QStringLiteral("官方网站"));
        row("LblQQ2", page, QStringLiteral("在线客服二"));
        row("LblExit", page, QStringLiteral("题库升级"));
        row("LblAbout", page, QStringLiteral("关于本软件"));
        row("LblJinRuXX_0", units, QStringLiteral("进入练习 第1单元"));
        row("LblJinRuXX_11", units, QStringLiteral("进入练习 第12单元"));
        row("LblFanHui1", units, QStringLiteral("返回"));
        row("LblExit1", units, QStringLiteral("退出"));
        row("LblStartKs_0", exams, QStringLiteral("开始考试 第1套"));
        row("LblErr_5", exams, QStringLiteral("错题复习 第6套"));
        row("LblFanHui2", exams, QStringLiteral("返回"));
        row("LblExit2", exams, QStringLiteral("退出"));
        row("LblLast", info, QStringLiteral("上一页"));
        row("LblNext", info, QStringLiteral("下一页"));
        row("LblKmLj_0", info, QStringLiteral("其它模块 1：打开这个模块的下载页面"));
        row("LblKmLj_18", info, QStringLiteral("其它模块 19：打开这个模块的下载页面"));
    }
    void everyButtonNamedAndReached() {
        QFETCH(QString, control);
        QFETCH(QString, opened);
        QFETCH(QString, name);
        FrmFengmian *c = cover();
        c->activateWindow();
        QTRY_VERIFY(c->isActiveWindow());
        openPart(c, opened, 4); // the last information page, with the module slots
        auto *target = c->findChild<platform::ClickLabel *>(control);
        QVERIFY(target);
        QCOMPARE(target->spokenName(), name);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(target);
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Button);
        QCOMPARE(a->text(QAccessible::Name), name);
        bool reached = false;
        for (int i = 0; i < 60 && !reached; ++i) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            QTest::keyClick(focus, Qt::Key_Tab);
            reached = target->hasFocus();
        }
        QVERIFY2(reached, qPrintable(control));
        // whatever is visible of the page, its buttons are all named and reachable
        for (platform::ClickLabel *l : c->findChildren<platform::ClickLabel *>()) {
            if (!l->isVisible())
                continue;
            QVERIFY2(!l->spokenName().isEmpty(), qPrintable(l->objectName()));
            if (opened.isEmpty() || l == c->LblClose || l->parentWidget() != c)
                QVERIFY2(l->focusPolicy() & Qt::TabFocus, qPrintable(l->objectName()));
        }
    }

    // An open panel keeps the keyboard: Tab goes round its own buttons (and the
    // close button), Esc closes it and the keyboard returns to its tab.
    void panelKeepsTheKeyboard() {
        FrmFengmian *c = cover();
        c->activateWindow();
        QTRY_VERIFY(c->isActiveWindow());
        c->LblKaCH->setFocus(Qt::TabFocusReason);
        QTest::keyClick(c->LblKaCH, Qt::Key_Space);
        QVERIFY(c->PicKaCH->isVisible());
        QCOMPARE(QApplication::focusWidget(), c->LblStartKs[0]);
        QTest::keyClick(c->LblStartKs[0], Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), c->LblErr[0]);
        for (int i = 0; i < 40; ++i) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY2(c->PicKaCH->isAncestorOf(focus) || focus == c->LblClose,
                     qPrintable(focus->objectName()));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!c->PicKaCH->isVisible());
        QCOMPARE(QApplication::focusWidget(), c->LblKaCH);
        QVERIFY(c->LblPro[1]->focusPolicy() & Qt::TabFocus); // the page's own buttons are back in reach
        // Enter on the page's tab opens the unit panel just as well
        c->LblTiKu->setFocus(Qt::TabFocusReason);
        QTest::keyClick(c->LblTiKu, Qt::Key_Return);
        QVERIFY(c->PicTiKu->isVisible());
        QCOMPARE(QApplication::focusWidget(), c->LblJinRuXX[0]);
        QVERIFY(!(c->LblPro[1]->focusPolicy() & Qt::TabFocus));
    }

    // Tab runs over the page in reading order; in an open panel over its grid
    // row by row, its own buttons, then the close button.
    void tabFollowsTheLayout_data() {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QStringList>("order"); // from the first control round to it again
        QTest::newRow("page") << QString()
                              << QStringList{"LblClose", "LblTiKu", "LblKaCH",  "LblWeb1",  "LblWeb2",
                                             "LblQQ1",   "LblQQ2",  "LblPro_1", "LblPro_2", "LblPro_3",
                                             "LblPro_4", "LblExit", "Check1",   "LblAbout", "LblClose"};
        QTest::newRow("exams") << QStringLiteral("exams")
                               << QStringList{"LblStartKs_0", "LblErr_0", "LblStartKs_1", "LblErr_1",
                                              "LblStartKs_2", "LblErr_2", "LblStartKs_3", "LblErr_3",
                                              "LblStartKs_4", "LblErr_4", "LblStartKs_5", "LblErr_5",
                                              "LblFanHui2",   "LblExit2", "LblClose",     "LblStartKs_0"};
    }
    void tabFollowsTheLayout() {
        QFETCH(QString, opened);
        QFETCH(QStringList, order);
        FrmFengmian *c = cover();
        c->activateWindow();
        QTRY_VERIFY(c->isActiveWindow());
        if (opened == QStringLiteral("exams"))
            c->LblKaCH_Click();
        auto *first = c->findChild<QWidget *>(order.first());
        QVERIFY(first);
        first->setFocus(Qt::TabFocusReason);
        QStringList seen{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, order);
    }

    // The arrow keys move on the unit and paper grids as they are laid out:
    // across a row, up and down a column, and stop at the grid's edge.
    void arrowsMoveOnTheGrids_data() {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        const QString units = QStringLiteral("units"), exams = QStringLiteral("exams");
        const auto row = [](const char *name, const QString &opened, const char *from, Qt::Key key,
                            const char *to) {
            QTest::newRow(name) << opened << QString::fromLatin1(from) << int(key) << QString::fromLatin1(to);
        };
        row("unit right", units, "LblJinRuXX_0", Qt::Key_Right, "LblJinRuXX_1");
        row("unit down", units, "LblJinRuXX_0", Qt::Key_Down, "LblJinRuXX_3");
        row("unit up", units, "LblJinRuXX_4", Qt::Key_Up, "LblJinRuXX_1");
        row("unit left", units, "LblJinRuXX_4", Qt::Key_Left, "LblJinRuXX_3");
        row("unit down the column", units, "LblJinRuXX_7", Qt::Key_Down, "LblJinRuXX_10");
        row("unit right edge", units, "LblJinRuXX_5", Qt::Key_Right, "LblJinRuXX_5");
        row("unit left edge", units, "LblJinRuXX_3", Qt::Key_Left, "LblJinRuXX_3");
        row("unit top edge", units, "LblJinRuXX_2", Qt::Key_Up, "LblJinRuXX_2");
        row("paper across", exams, "LblStartKs_0", Qt::Key_Right, "LblErr_0");
        row("paper to the next", exams, "LblErr_0", Qt::Key_Right, "LblStartKs_1");
        row("paper back", exams, "LblStartKs_1", Qt::Key_Left, "LblErr_0");
        row("paper down", exams, "LblStartKs_0", Qt::Key_Down, "LblStartKs_2");
        row("paper up", exams, "LblErr_3", Qt::Key_Up, "LblErr_1");
        row("paper bottom to back", exams, "LblStartKs_5", Qt::Key_Down, "LblFanHui2");
        row("back to exit", exams, "LblFanHui2", Qt::Key_Right, "LblExit2");
    }
    void arrowsMoveOnTheGrids() {
        QFETCH(QString, opened);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        FrmFengmian *c = cover();
        c->activateWindow();
        QTRY_VERIFY(c->isActiveWindow());
        openPart(c, opened);
        auto *start = c->findChild<platform::ClickLabel *>(from);
        QVERIFY(start);
        start->setFocus(Qt::TabFocusReason);
        QTest::keyClick(start, Qt::Key(key));
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
    }

    // Each unit card is called by its unit's number and name, and says its counts.
    void unitCardsNamed_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("first") << 0 << QStringLiteral("第1单元 第1章 绘图与编辑")
                               << QStringLiteral("共12题 未完成10题 已完成 16%");
        QTest::newRow("all done") << 1 << QStringLiteral("第2单元 第2章 绘图与编辑")
                                  << QStringLiteral("共10题 未完成0题 已完成 100%");
        QTest::newRow("last") << 11 << QStringLiteral("第12单元 第12章 绘图与编辑")
                              << QStringLiteral("共9题 未完成9题 已完成 0%");
    }
    void unitCardsNamed() {
        QFETCH(int, unit);
        QFETCH(QString, name);
        QFETCH(QString, description);
        FrmFengmian *c = cover();
        c->LblTiKu_Click();
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c->ImgUnit[unit]);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Name), name);
        QCOMPARE(a->text(QAccessible::Description), description);
    }

    // Alt and a letter press the page's and the open panel's buttons; the key
    // is named in the button's tooltip and given to assistive tools.
    void shortcutsPressButtons_data() {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shows"); // the panel open afterwards, "" for none
        QTest::addColumn<QString>("tip");
        const auto row = [](const char *name, const char *opened, const char *button, Qt::Key key,
                            const char *shows, const char *tip) {
            QTest::newRow(name) << QString::fromLatin1(opened) << QString::fromLatin1(button) << int(key)
                                << QString::fromLatin1(shows) << QString::fromUtf8(tip);
        };
        row("units tab", "", "LblTiKu", Qt::Key_U, "PicTiKu", "单元练习 (Alt+U)");
        row("exams tab", "", "LblKaCH", Qt::Key_E, "PicKaCH", "模拟考试 (Alt+E)");
        row("back from units", "units", "LblFanHui1", Qt::Key_B, "", "返回 (Alt+B)");
        row("back from exams", "exams", "LblFanHui2", Qt::Key_B, "", "返回 (Alt+B)");
        row("covered tab is silent", "units", "LblKaCH", Qt::Key_E, "PicTiKu", "模拟考试 (Alt+E)");
    }
    void shortcutsPressButtons() {
        QFETCH(QString, opened);
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QString, shows);
        QFETCH(QString, tip);
        FrmFengmian *c = cover();
        c->activateWindow();
        QTRY_VERIFY(c->isActiveWindow());
        openPart(c, opened);
        auto *b = c->findChild<platform::ClickLabel *>(button);
        QVERIFY(b);
        QCOMPARE(b->shownTip(), tip);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Accelerator), QKeySequence(Qt::ALT | Qt::Key(key)).toString());
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : c, Qt::Key(key),
                        Qt::AltModifier);
        for (QWidget *panel : {c->PicTiKu, c->PicKaCH, c->PicPro})
            QCOMPARE(panel->isVisible(), panel->objectName() == shows);
    }

    // An open panel hides what it covers from assistive tools; closing it
    // brings the page back.
    void coveredPageHidden_data() {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("control");
        QTest::newRow("units over a tab") << QStringLiteral("units") << QStringLiteral("LblKaCH");
        QTest::newRow("units over a link") << QStringLiteral("units") << QStringLiteral("LblWeb1");
        QTest::newRow("exams over the switch") << QStringLiteral("exams") << QStringLiteral("Check1");
        QTest::newRow("exams over the title") << QStringLiteral("exams") << QStringLiteral("LblKmMc");
        QTest::newRow("info over a tab") << QStringLiteral("info") << QStringLiteral("LblTiKu");
    }
    void coveredPageHidden() {
        QFETCH(QString, opened);
        QFETCH(QString, control);
        FrmFengmian *c = cover();
        auto *w = c->findChild<QWidget *>(control);
        QVERIFY(w);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        QVERIFY(a);
        QVERIFY(!a->state().invisible);
        openPart(c, opened);
        QVERIFY(a->state().invisible);
        QVERIFY(!c->LblClose->isHidden()); // the close button stays in reach
        if (opened == QStringLiteral("info"))
            c->LblClose_Click();
        else
            c->LblFanHui_Click();
        QVERIFY(!a->state().invisible);
        QVERIFY(c->ImgTiKu->isVisible() && c->ImgKaCH->isVisible());
    }

    // The page is a window for assistive tools, called by its title; its
    // panels are not windows of their own.
    void pageIsAWindow_data() {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<int>("role");
        QTest::newRow("page") << QStringLiteral("FrmFengmian") << int(QAccessible::Window);
        QTest::newRow("unit panel") << QStringLiteral("PicTiKu") << int(QAccessible::Graphic);
        QTest::newRow("a button") << QStringLiteral("LblTiKu") << int(QAccessible::Button);
    }
    void pageIsAWindow() {
        QFETCH(QString, widget);
        QFETCH(int, role);
        FrmFengmian *c = cover();
        QWidget *w = c->objectName() == widget ? c : c->findChild<QWidget *>(widget);
        QVERIFY(w);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        QVERIFY(a);
        QCOMPARE(int(a->role()), role);
        if (w == c)
            QCOMPARE(a->text(QAccessible::Name), c->windowTitle());
    }

    void missingCheckFileIsSaid() {
        QFile::remove(f->data() + QStringLiteral("288899.rar"));
        QVERIFY(!trainer->createCover());
        QCOMPARE(prompter.asked.size(), 1);
        QVERIFY2(prompter.asked.first().text.contains(QStringLiteral("288899.rar")),
                 qPrintable(prompter.asked.first().text));
        QCOMPARE(prompter.asked.first().icon, platform::Prompter::Critical);
    }
};

QTEST_MAIN(TstCoverPage)
#include "tst_coverpage.moc"
