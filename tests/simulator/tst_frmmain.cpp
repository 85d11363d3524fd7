// The real simulated window on the offscreen platform: clicks on the zones,
// typing into the command line, menus chosen from the pop-up, window keys, the
// panel docking and the notice for a missing picture.
#include "fixture.h"
#include "platform/keyboardlayout.h"
#include "simulator/frmmain.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {
struct FakePanel : QuestionPanelPort {
    QPoint at;
    int raised = 0;
    QString title, unfinished;
    QSize panelSize() const override { return {200, 150}; }
    void movePanel(const QPoint &p) override { at = p; }
    void raisePanel() override { ++raised; }
    void setTitle(const QString &t) override { title = t; }
    void setUnfinished(const QString &t) override { unfinished = t; }
};

// Answers every activation as told.
struct ScriptedKeyboard : platform::KeyboardLayout {
    TextInput answer = TextInput::Keep;
    QList<int32_t> activated;
    QList<platform::InstalledLayout> installed() const override { return {}; }
    TextInput activate(int32_t handle, int) override {
        activated << handle;
        return answer;
    }
};

QAction *findAction(QMenu *menu, const QString &text) {
    for (QAction *a : menu->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction *inner = findAction(a->menu(), text))
                return inner;
    }
    return nullptr;
}
} // namespace

class TstFrmMain : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void solveQuestionByHand();
    void guidedOutlinesCoverTheZones();
    void windowKeysAndDocking();
    void shiftedKeysCompleteKeySteps_data();
    void shiftedKeysCompleteKeySteps();
    void missingPictureShowsNotice();
    void noticeBelongsToItsQuestion_data();
    void noticeBelongsToItsQuestion();
    void contextMenuAndBackButton();
    void noEmptyPopup_data();
    void emblemTellsTheExam_data();
    void emblemTellsTheExam();
    void noEmptyPopup();
    void dragsWithTheMouse();
    void pointerFiles();
    void automaticSteps();
    void menuBarHover();
    void commandLineFollowsTheLayout_data();
    void commandLineFollowsTheLayout();
};

// Click the tool, type "L" + Enter, choose 绘图 > 直线, type the point: solved.
void TstFrmMain::solveQuestionByHand() {
    BankFixture f;
    f.writeTexts({QStringLiteral("line|l"), QStringLiteral("100,100"), QStringLiteral("单击直线按钮")});
    f.writePicture(QStringLiteral("100001"), 800, 600, Qt::black);
    f.writeMenu({{19, QStringLiteral("直线(&L)|射线(&R)")},
                 {94, QStringLiteral("直线(&L)|射线(&R)")},
                 {95, QStringLiteral("圆弧(&A)")},
                 {96, QStringLiteral("三点(&P)")}});
    f.writeSteps({Rec(QStringLiteral("0001"))
                      .screen(QStringLiteral("100001"))
                      .zone(60, 1200, 360, 360)
                      .hint(600, 1200, 3),
                  Rec(QStringLiteral("0000")).box(600, 8000, 6000, 240, 0, 1),
                  Rec(QStringLiteral("A721")).menuBar(120, 360),
                  Rec(QStringLiteral("0020")).box(600, 8000, 6000, 240, 0, 2), Rec(QStringLiteral("9999"))});
    f.data.InputLayout = 0x0804;
    platform::NullKeyboardLayout keyboard;
    FakePanel panel;
    FrmMain w(f.data, &keyboard);
    w.setPanel(&panel);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.restoreQuestion(1);
    w.Timer2.start();
    QTRY_COMPARE(panel.raised, 1);
    QCOMPARE(w.Label1->geometry(), QRect(4, 80, 24, 24));

    QTest::mouseClick(w.Label1, Qt::LeftButton, Qt::ShiftModifier); // wrong modifier
    QCOMPARE(int(f.data.CurStep), 1);
    QTest::mouseClick(w.Label1, Qt::LeftButton);
    QCOMPARE(int(f.data.CurStep), 2);
    QVERIFY(w.Text1->isVisible());
    QCOMPARE(w.Text1->geometry(), QRect(40, 533, 400, 16));
    QCOMPARE(w.focusWidget(), w.Text1);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(700, 300)); // the screen keeps the command line's focus
    QCOMPARE(w.focusWidget(), w.Text1);
    QVERIFY(keyboard.calls >= 1);
    QCOMPARE(keyboard.lastHandle, 0x0804);
    QCOMPARE(keyboard.lastFlags, 1);

    QTest::keyClicks(w.Text1, QStringLiteral("x"));
    QTest::keyClick(w.Text1, Qt::Key_Return);
    QCOMPARE(w.Text1->text(), QString()); // a wrong command is wiped by Enter
    QTest::keyClicks(w.Text1, QStringLiteral("L"));
    QTest::keyClick(w.Text1, Qt::Key_Return);
    QCOMPARE(int(f.data.CurStep), 3);
    QVERIFY(!w.Text1->isVisible());

    // The menu bar shows the drawing program's titles; title 7 opens 绘图.
    QVERIFY(w.LMenu[6]->isVisible());
    QVERIFY(w.view->screen().menuTitles[6].contains(QStringLiteral("绘图")));
    QTest::mouseClick(w.LMenu[1], Qt::LeftButton); // 编辑: the same item does nothing there
    QAction *wrong = findAction(w.wm100, QStringLiteral("射线(&R)"));
    QVERIFY(wrong);
    wrong->trigger();
    QCOMPARE(int(f.data.CurStep), 3);
    w.wm100->close();
    QTest::mouseClick(w.LMenu[6], Qt::LeftButton);
    QVERIFY(w.wm100->isVisible());
    QVERIFY(findAction(w.wm100, QStringLiteral("三点(&P)"))); // inside the cascading submenu
    QAction *line = findAction(w.wm100, QStringLiteral("射线(&R)"));
    QVERIFY(line);
    line->trigger();
    QCOMPARE(int(f.data.CurStep), 4);

    QTest::keyClicks(w.Text1, QStringLiteral("100,100"));
    QCOMPARE(int(f.data.CurStep), 5);
    QVERIFY(w.view->screen().successVisible);
    QCOMPARE(sim::ScreenGeometry::successText(), QStringLiteral("操作成功！"));
    QCOMPARE(panel.title, QStringLiteral("第1单元  第1/1题（已完成）"));
    QCOMPARE(panel.unfinished, QStringLiteral("未完成的题目"));
    QCOMPARE(f.data.QuestionMark[1], QStringLiteral("T"));
}

void TstFrmMain::guidedOutlinesCoverTheZones() {
    BankFixture f;
    f.writeTexts({QStringLiteral("提示")});
    f.writeSteps(
        {Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 300).zone2(3000, 3000, 300, 150).hint(600, 600, 1),
         Rec(QStringLiteral("9999"))});
    f.data.WorkMode = WorkPractice;
    FrmMain w(f.data);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setData();
    const sim::ScreenModel &s = w.view->screen();
    QVERIFY(!s.outline1);
    QVERIFY(!s.hintVisible);
    QImage shot = w.view->grab().toImage();
    QCOMPARE(shot.pixelColor(w.Label1->geometry().topLeft()), w.palette().color(QPalette::Window));
    w.setGuided(true);
    w.setData();
    QVERIFY(s.outline1);
    QVERIFY(s.outline4);
    QCOMPARE(sim::ScreenGeometry::px(s.zone1), w.Label1->geometry());
    QCOMPARE(sim::ScreenGeometry::px(s.zone2), QRect(200, 200, 20, 10));
    QVERIFY(s.hintVisible);
    const QRect hint = sim::ScreenGeometry::hintRect(s);
    QCOMPARE(hint.topLeft(), QPoint(40, 40));
    QCOMPARE(s.hintText, QStringLiteral("提示"));
    QVERIFY(sim::ScreenGeometry::hintFont().bold());
    // painted: the outlines on the zones' edges, the hint on yellow
    shot = w.view->grab().toImage();
    QCOMPARE(shot.pixelColor(w.Label1->geometry().topLeft()), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(w.Label1->geometry().bottomRight()), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(QPoint(200, 200)), QColor(0, 200, 0));
    QCOMPARE(shot.pixelColor(QPoint(219, 209)), QColor(0, 200, 0));
    QCOMPARE(shot.pixelColor(hint.topLeft()), QColor(255, 255, 0));
    QCOMPARE(shot.pixelColor(hint.bottomRight()), QColor(255, 255, 0));
}

void TstFrmMain::windowKeysAndDocking() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({Rec(QStringLiteral("6002")), Rec(QStringLiteral("6115")), Rec(QStringLiteral("6009")),
                  Rec(QStringLiteral("9999"))});
    FakePanel panel;
    FrmMain w(f.data);
    w.setPanel(&panel);
    // against the screen's right and bottom edges: no room beside or under the
    // window, so the panel docks into its corner
    w.move(0, QGuiApplication::primaryScreen()->availableGeometry().bottom() + 1 - 600);
    w.resize(800, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.dockPanel();
    QCOMPARE(panel.at, QPoint(w.frameGeometry().right() + 1 - 200, w.frameGeometry().bottom() + 1 - 150));
    w.setData();
    QTest::keyClick(&w, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(int(f.data.CurStep), 1);
    QTest::keyClick(&w, Qt::Key_Space);
    QCOMPARE(int(f.data.CurStep), 2);
    QTest::keyClick(&w, Qt::Key_F4);
    QCOMPARE(int(f.data.CurStep), 2);
    QTest::keyClick(&w, Qt::Key_F4, Qt::ShiftModifier);
    QCOMPARE(int(f.data.CurStep), 3);
    QTest::keyClick(&w, Qt::Key_Tab);
    QCOMPARE(int(f.data.CurStep), 4);
}

// Each row: a key step, the key pressed on the window (as a keyboard sends it:
// Qt names the character Shift types), and whether the step is completed.
void TstFrmMain::shiftedKeysCompleteKeySteps_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<bool>("completes");
    const Qt::KeyboardModifiers none, shift(Qt::ShiftModifier);
    QTest::newRow("Shift+1 types !") << "6149" << int(Qt::Key_Exclam) << shift << true;
    QTest::newRow("Shift+0 types )") << "6148" << int(Qt::Key_ParenRight) << shift << true;
    QTest::newRow("Shift+8 types *") << "6156" << int(Qt::Key_Asterisk) << shift << true;
    QTest::newRow("Ctrl+Shift+2 types @")
        << "6350" << int(Qt::Key_At) << (shift | Qt::ControlModifier) << true;
    QTest::newRow("1 without Shift is not Shift+1") << "6149" << int(Qt::Key_1) << none << false;
    QTest::newRow("Shift+1 is not the plain 1 key") << "6049" << int(Qt::Key_Exclam) << shift << false;
    QTest::newRow("the keypad's * is not 8")
        << "6056" << int(Qt::Key_Asterisk) << Qt::KeyboardModifiers(Qt::KeypadModifier) << false;
    QTest::newRow("Shift+/ types ?") << "6191" << int(Qt::Key_Question) << shift << true;
}

void TstFrmMain::shiftedKeysCompleteKeySteps() {
    QFETCH(QString, code);
    QFETCH(int, qtKey);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(bool, completes);
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({Rec(code), Rec(QStringLiteral("9999"))});
    FakePanel panel;
    FrmMain w(f.data);
    w.setPanel(&panel);
    w.resize(800, 600);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setData();
    QTest::keyClick(&w, Qt::Key(qtKey), mods);
    QCOMPARE(int(f.data.CurStep), completes ? 2 : 1);
}

void TstFrmMain::missingPictureShowsNotice() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({Rec(QStringLiteral("0001")).screen(QStringLiteral("404404")).zone(0, 600, 600, 600),
                  Rec(QStringLiteral("9999"))});
    FrmMain w(f.data);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setData();
    QVERIFY(w.notice->isVisible());
    QVERIFY(w.notice->text().contains(QStringLiteral("404404.rar")));
    QVERIFY(w.notice->text().contains(QStringLiteral("无法完成")));
    QTest::mouseClick(w.Label1, Qt::LeftButton);
    QCOMPARE(int(f.data.CurStep), 1);
    QVERIFY(!w.view->screen().successVisible);
}

// The notice names the files of the question shown: the next question that
// loads cleanly shows none, and the broken question shows its notice again
// when the learner comes back to it.
void TstFrmMain::noticeBelongsToItsQuestion_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("named"); // in the notice
    QTest::newRow("unreadable picture") << QStringLiteral("picture") << QStringLiteral("404404.rar");
    QTest::newRow("cut step record") << QStringLiteral("record") << QStringLiteral("288820.rar");
}

void TstFrmMain::noticeBelongsToItsQuestion() {
    QFETCH(QString, fault);
    QFETCH(QString, named);
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writePicture(QStringLiteral("100001"), 800, 600, Qt::white);
    sim::bank::StepRecord first =
        Rec(QStringLiteral("0001")).screen(QStringLiteral("100001")).zone(0, 600, 600, 600).r;
    if (fault == QLatin1String("picture"))
        first = Rec(QStringLiteral("0001")).screen(QStringLiteral("404404")).zone(0, 600, 600, 600).r;
    else
        first.line.truncate(120);
    f.writeQuestions({{first, Rec(QStringLiteral("9999")).r},
                      {Rec(QStringLiteral("0001")).screen(QStringLiteral("100001")).zone(0, 600, 600, 600).r,
                       Rec(QStringLiteral("9999")).r},
                      {Rec(QStringLiteral("0001")).screen(QStringLiteral("100001")).zone(0, 900, 600, 600).r,
                       Rec(QStringLiteral("9999")).r}});
    FrmMain w(f.data);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // as the panel shows a question: its remembered screen, then Timer2's set-up
    auto show = [&](int q) {
        f.data.CurQuestion = Integer(q);
        w.restoreQuestion(q);
        w.setData();
    };
    show(1);
    QVERIFY(w.notice->isVisible());
    QVERIFY(w.notice->text().contains(named));
    show(2);
    QVERIFY(!w.notice->isVisible());
    show(3);
    QVERIFY(!w.notice->isVisible());
    show(1);
    QVERIFY(w.notice->isVisible());
    QVERIFY(w.notice->text().contains(named));
    // one notice for the question, however often it was shown
    QCOMPARE(w.notice->text().count(named), 1);
}

void TstFrmMain::contextMenuAndBackButton() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeMenu({{169, QStringLiteral("重复(&R)|-|删除(&E)")}});
    f.writeSteps(
        {Rec(QStringLiteral("3122")).zone(1500, 1500, 3000, 3000),
         Rec(QStringLiteral("0001")).zone(1500, 1500, 3000, 3000).back(QStringLiteral("Q0001"), 9000, 8100),
         Rec(QStringLiteral("9999"))});
    FrmMain w(f.data);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setData();
    QTest::mouseClick(w.Label1, Qt::RightButton);
    QTRY_VERIFY(w.wm100->isVisible());
    QAction *del = findAction(w.wm100, QStringLiteral("删除(&E)"));
    QVERIFY(del);
    QCOMPARE(w.wm100->actions().size(), 3); // two items and the separator
    del->trigger();
    QCOMPARE(int(f.data.CurStep), 2);
    QCOMPARE(w.LblXXK->geometry(), QRect(600, 540, 73, 19));
    QTest::mouseClick(w.LblXXK, Qt::LeftButton);
    QCOMPARE(int(f.data.CurStep), 1);
}

// A pop-up with nothing to choose is not opened: an empty one is invisible
// and would swallow the learner's next click. A missing sMenu.sys is named.
void TstFrmMain::noEmptyPopup_data() {
    QTest::addColumn<QString>("menuFile"); // "missing", "separators" or "items"
    QTest::addColumn<bool>("bar");         // the menu bar's title, else the context menu
    QTest::addColumn<bool>("opens");
    QTest::newRow("sMenu.sys missing, context menu") << QStringLiteral("missing") << false << false;
    QTest::newRow("sMenu.sys missing, menu bar") << QStringLiteral("missing") << true << false;
    QTest::newRow("only a separator, context menu") << QStringLiteral("separators") << false << false;
    QTest::newRow("items, context menu") << QStringLiteral("items") << false << true;
    QTest::newRow("items, menu bar") << QStringLiteral("items") << true << true;
}

void TstFrmMain::noEmptyPopup() {
    QFETCH(QString, menuFile);
    QFETCH(bool, bar);
    QFETCH(bool, opens);
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    if (menuFile == QLatin1String("separators"))
        f.writeMenu({{169, QStringLiteral("-")}});
    else if (menuFile == QLatin1String("items"))
        f.writeMenu({{19, QStringLiteral("直线(&L)")}, {169, QStringLiteral("删除(&E)")}});
    f.writeSteps({bar ? Rec(QStringLiteral("A721")).menuBar(120, 360)
                      : Rec(QStringLiteral("3122")).zone(1500, 1500, 3000, 3000),
                  Rec(QStringLiteral("9999"))});
    FrmMain w(f.data);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setData();
    if (bar) {
        QVERIFY(w.LMenu[1]->isVisible());
        QTest::mouseClick(w.LMenu[1], Qt::LeftButton);
    } else {
        QTest::mouseClick(w.Label1, Qt::RightButton);
    }
    QCOMPARE(w.wm100->isVisible(), opens);
    QCOMPARE(QApplication::activePopupWidget() != nullptr, opens);
    if (menuFile == QLatin1String("missing")) {
        QVERIFY(w.notice->isVisible());
        QVERIFY(w.notice->text().contains(QStringLiteral("sMenu.sys")));
    }
    w.wm100->close();
}

// The status bar's emblem reads as the run is: an exam's differs from
// practice's (which guided teaching shares).
void TstFrmMain::emblemTellsTheExam_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<bool>("differs");
    QTest::newRow("practice") << int(WorkPractice) << false;
    QTest::newRow("guided teaching") << int(WorkGuided) << false;
    QTest::newRow("exam") << int(WorkExam) << true;
}

void TstFrmMain::emblemTellsTheExam() {
    QFETCH(int, workMode);
    QFETCH(bool, differs);
    auto emblem = [](int mode) {
        BankFixture f;
        f.writeTexts({QStringLiteral("x")});
        f.writeSteps({Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 600), Rec(QStringLiteral("9999"))});
        f.data.WorkMode = Integer(mode);
        FrmMain w(f.data);
        w.showForm();
        if (!QTest::qWaitForWindowExposed(&w))
            return QImage();
        w.setData();
        const QRect r = w.view->screenGeometry().emblem();
        return r.isEmpty() ? QImage() : w.view->grab(r).toImage();
    };
    const QImage practice = emblem(WorkPractice);
    const QImage shown = emblem(workMode);
    QVERIFY(!practice.isNull() && !shown.isNull());
    QCOMPARE(shown.size(), practice.size());
    QCOMPARE(shown != practice, differs);
}

namespace {
void send(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
} // namespace

// Zone 2 dragged into zone 1 ("0050"), then picture 5 dragged right ("8002").
void TstFrmMain::dragsWithTheMouse() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writePicture(QStringLiteral("500005"), 40, 20);
    f.writeSteps({Rec(QStringLiteral("0050"))
                      .zone(1500, 1500, 600, 600)
                      .zone2(3000, 3000, 300, 300)
                      .pointer(QStringLiteral("S0005")),
                  Rec(QStringLiteral("8002")).pic(5, 6000, 3000, QStringLiteral("500005")).target(7500, 3000),
                  Rec(QStringLiteral("9999")).pic(5, 7500, 3000, QStringLiteral("888888"))});
    FrmMain w(f.data);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setData();
    QCOMPARE(w.Label4->geometry(), QRect(200, 200, 20, 20));
    // A release inside zone 1 without a move in between does not count.
    send(w.Label4, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(w.Label4, QEvent::MouseButtonRelease, {-80, -80}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(int(f.data.CurStep), 1);
    send(w.Label4, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(w.Label4, QEvent::MouseMove, {-80, -80}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(w.Label4->cursor().shape(), Qt::SizeAllCursor);
    send(w.Label4, QEvent::MouseButtonRelease, {-80, -80}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(int(f.data.CurStep), 2);
    QCOMPARE(w.Label4->cursor().shape(), Qt::ArrowCursor);

    QVERIFY(w.Image5->isVisible());
    QCOMPARE(w.Image5->geometry(), QRect(400, 200, 40, 20));
    send(w.Image5, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(w.Image5, QEvent::MouseMove, {60, 5}, Qt::NoButton, Qt::LeftButton); // half of 60 px
    QCOMPARE(w.Image5->x(), 430);
    send(w.Image5, QEvent::MouseButtonRelease, {60, 5}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(int(f.data.CurStep), 2); // short of the target: back home
    QCOMPARE(w.Image5->x(), 400);
    send(w.Image5, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(w.Image5, QEvent::MouseMove, {220, 5}, Qt::NoButton, Qt::LeftButton);
    send(w.Image5, QEvent::MouseButtonRelease, {220, 5}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(int(f.data.CurStep), 3);
    QCOMPARE(w.Image5->x(), 500); // snapped onto the target
    QVERIFY(w.view->screen().successVisible);
}

namespace {
// A 2 x 2 cursor file, 32 bits per pixel, hot spot (1, 1).
QByteArray tinyCursor() {
    QByteArray f;
    auto p16 = [&f](quint16 v) { f.append(char(v & 0xff)).append(char(v >> 8)); };
    auto p32 = [&](quint32 v) {
        p16(quint16(v & 0xffff));
        p16(quint16(v >> 16));
    };
    p16(0), p16(2), p16(1);
    f.append(char(2)).append(char(2)).append(char(0)).append(char(0));
    p16(1), p16(1), p32(40 + 16 + 8), p32(22);
    p32(40), p32(2), p32(4), p16(1), p16(32), p32(0), p32(0), p32(0), p32(0), p32(0), p32(0);
    for (int i = 0; i < 4; ++i)
        p32(0xff0000ff);
    p32(0), p32(0); // AND mask rows
    return f;
}
} // namespace

void TstFrmMain::pointerFiles() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 600).pointer(QStringLiteral("S0002")),
                  Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 600).pointer(QStringLiteral("M0007")),
                  Rec(QStringLiteral("9999"))});
    FrmMain w(f.data);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setData();
    send(w.Label1, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(w.Label1->cursor().shape(), Qt::CrossCursor);
    QTest::mouseClick(w.Label1, Qt::LeftButton);
    QCOMPARE(int(f.data.CurStep), 2);
    send(w.Label1, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(w.Label1->cursor().shape(), Qt::CrossCursor); // ico07.CUR missing: pointer kept
    QFile cur(f.data.programFile(QStringLiteral("ico07.CUR")));
    QVERIFY(cur.open(QIODevice::WriteOnly));
    cur.write(tinyCursor());
    cur.close();
    send(w.Label1, QEvent::MouseMove, {6, 6}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(w.Label1->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(w.Label1->cursor().hotSpot(), QPoint(1, 1));
}

// "8888" steps run on Timer3, one a second; Timer2 sets the restored step up.
void TstFrmMain::automaticSteps() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({Rec(QStringLiteral("8888")), Rec(QStringLiteral("8888")), Rec(QStringLiteral("9999"))});
    FrmMain w(f.data);
    QCOMPARE(w.Timer2.interval(), 100);
    QVERIFY(w.Timer2.isSingleShot());
    QVERIFY(!w.Timer3.isActive());
    w.restoreQuestion(1);
    w.Timer2.start();
    QTRY_VERIFY(w.Timer3.isActive());
    QVERIFY(!w.Timer2.isActive());
    QCOMPARE(w.Timer3.interval(), 1000);
    Q_EMIT w.Timer3.timeout({});
    QCOMPARE(int(f.data.CurStep), 2);
    QVERIFY(w.Timer3.isActive());
    Q_EMIT w.Timer3.timeout({});
    QCOMPARE(int(f.data.CurStep), 3);
    QVERIFY(!w.Timer3.isActive());
    QVERIFY(f.data.QuestionScore[1] >= StatusSolved);
}

// The bar lies where the record puts it, titles 810 twips apart; hovering a title
// highlights it until a click on the screen or the next step.
void TstFrmMain::menuBarHover() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writeSteps({Rec(QStringLiteral("A123")).menuBar(150, 375), Rec(QStringLiteral("9999"))});
    FrmMain w(f.data);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setData();
    QCOMPARE(w.LMenu[0]->pos(), QPoint(10, 25));
    QCOMPARE(w.LMenu[3]->pos(), QPoint(172, 25));
    QVERIFY(w.LMenu[10]->isVisible());
    QVERIFY(w.view->screen().menuTitles[10].contains(QStringLiteral("帮助")));
    QCOMPARE(w.view->hoveredTitle(), -1);
    send(w.LMenu[2], QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::NoButton);
    QVERIFY(w.LMBack[2]->isVisible());
    QCOMPARE(w.view->hoveredTitle(), 2);
    QCOMPARE(w.view->grab().toImage().pixelColor(w.LMBack[2]->geometry().topLeft()),
             w.palette().color(QPalette::Highlight));
    QCOMPARE(w.LMBack[2]->size(), QSize(54, 17));
    QCOMPARE(w.LMBack[2]->geometry().center().x(), w.LMenu[2]->geometry().center().x());
    send(w.LMenu[4], QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::NoButton);
    QVERIFY(!w.LMBack[2]->isVisible());
    QVERIFY(w.LMBack[4]->isVisible());
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(400, 300));
    QVERIFY(!w.LMBack[4]->isVisible());
    QCOMPARE(w.view->hoveredTitle(), -1);
    send(w.LMenu[4], QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::NoButton);
    w.setData();
    QVERIFY(!w.LMBack[4]->isVisible());
}

QTEST_MAIN(TstFrmMain)
#include "tst_frmmain.moc"

// The command line's focus activates InputLayout; the answer decides whether the
// desktop's input method composes in the box or the keys go straight in.
void TstFrmMain::commandLineFollowsTheLayout_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    using T = platform::KeyboardLayout::TextInput;
    QTest::newRow("plain keyboard") << int(T::Keyboard) << true << false;
    QTest::newRow("input method") << int(T::InputMethod) << false << true;
    QTest::newRow("unknown handle keeps the box as it was") << int(T::Keep) << false << false;
}

void TstFrmMain::commandLineFollowsTheLayout() {
    QFETCH(int, answer);
    QFETCH(bool, before);
    QFETCH(bool, after);
    BankFixture f;
    f.writeTexts({QStringLiteral("line|l")});
    f.writePicture(QStringLiteral("100001"), 800, 600, Qt::black);
    f.writeMenu({{19, QStringLiteral("直线(&L)")}});
    f.writeSteps(
        {Rec(QStringLiteral("0000")).screen(QStringLiteral("100001")).box(600, 8000, 6000, 240, 0, 1),
         Rec(QStringLiteral("9999"))});
    f.data.InputLayout = 3;
    ScriptedKeyboard keyboard;
    keyboard.answer = platform::KeyboardLayout::TextInput(answer);
    FakePanel panel;
    FrmMain w(f.data, &keyboard);
    w.setPanel(&panel);
    w.Text1->setAttribute(Qt::WA_InputMethodEnabled, before);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.restoreQuestion(1);
    w.Timer2.start();
    QTRY_VERIFY(w.Text1->isVisible() && w.focusWidget() == w.Text1);
    QTRY_VERIFY(!keyboard.activated.isEmpty());
    QCOMPARE(keyboard.activated.last(), 3);
    QCOMPARE(w.Text1->testAttribute(Qt::WA_InputMethodEnabled), after);
}
