// The forms' shared parts: the label that reports the mouse (and is a button for
// the keyboard and assistive tools), the window dragger, window placement, and
// text from files shown as written in tooltips and message boxes.
#include "fakes.h"
#include "panel/frmchengji.h"
#include "panel/frmend.h"
#include "panel/frmlogon.h"
#include "platform/clicklabel.h"
#include "platform/dragger.h"
#include "platform/messagebox.h"
#include "platform/plaintext.h"
#include "platform/screenplace.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

namespace {

// Sends a mouse event to w at local point p (global: the same point); returns
// whether w accepted it.
bool send(QWidget *w, QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held) {
    QMouseEvent e(t, QPointF(p), QPointF(p), b, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
    return e.isAccepted();
}

// A drag handle that counts the presses it sees.
class Handle : public QWidget {
  public:
    using QWidget::QWidget;
    int presses = 0;

  protected:
    void mousePressEvent(QMouseEvent *e) override {
        ++presses;
        QWidget::mousePressEvent(e);
    }
};

// Sends a key event to w; returns whether w accepted it.
bool sendKey(QWidget *w, QEvent::Type t, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
             bool repeat = false) {
    QKeyEvent e(t, key, mods, QString(), repeat);
    QCoreApplication::sendEvent(w, &e);
    return e.isAccepted();
}

} // namespace

class TstLookParts : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void keysPressLikeTheMouse_data();
    void keysPressLikeTheMouse();
    void keyReleasedElsewhereIsNoClick();
    void tabAndArrowsMoveTheFocus();
    void assistiveToolsSeeAButton_data();
    void assistiveToolsSeeAButton();
    void placement_data();
    void placement();
    void panelDocksBesideTheWindow_data();
    void panelDocksBesideTheWindow();
    void formsStayOnTheScreen();
    void examWindowsStayOnTheScreen_data();
    void examWindowsStayOnTheScreen();
    void tooltipsShowTextAsWritten_data();
    void tooltipsShowTextAsWritten();
    void messageBoxesShowTextAsWritten_data();
    void messageBoxesShowTextAsWritten();

    void clicks_data() {
        QTest::addColumn<int>("clickButtons");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left inside") << int(Qt::LeftButton) << int(Qt::LeftButton) << QPoint(5, 5) << 1;
        QTest::newRow("left outside") << int(Qt::LeftButton) << int(Qt::LeftButton) << QPoint(50, 5) << 0;
        QTest::newRow("right, left only") << int(Qt::LeftButton) << int(Qt::RightButton) << QPoint(5, 5) << 0;
        QTest::newRow("right taken") << int(Qt::LeftButton | Qt::RightButton) << int(Qt::RightButton)
                                     << QPoint(5, 5) << 1;
    }
    void clicks() {
        QFETCH(int, clickButtons);
        QFETCH(int, button);
        QFETCH(QPoint, releaseAt);
        QFETCH(int, clicks);
        platform::ClickLabel l;
        l.resize(20, 20);
        l.setClickButtons(Qt::MouseButtons(clickButtons));
        QSignalSpy pressed(&l, &platform::ClickLabel::pressed);
        QSignalSpy released(&l, &platform::ClickLabel::released);
        QSignalSpy clicked(&l, &platform::ClickLabel::clicked);
        const auto b = Qt::MouseButton(button);
        send(&l, QEvent::MouseButtonPress, {5, 5}, b, b);
        send(&l, QEvent::MouseButtonRelease, releaseAt, b, Qt::NoButton);
        QCOMPARE(pressed.size(), 1);
        QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), b);
        QCOMPARE(released.size(), 1); // a release is reported inside or not
        QCOMPARE(released.at(0).at(2).toPoint(), releaseAt);
        QCOMPARE(clicked.size(), clicks);
    }

    void doubleClicksAndMoves_data() {
        QTest::addColumn<bool>("separate");
        QTest::addColumn<bool>("keepsMoves");
        QTest::newRow("as a press, moves go on") << false << false;
        QTest::newRow("separate, moves kept") << true << true;
    }
    void doubleClicksAndMoves() {
        QFETCH(bool, separate);
        QFETCH(bool, keepsMoves);
        platform::ClickLabel l;
        l.resize(20, 20);
        l.setSeparateDoubleClicks(separate);
        l.setKeepsMoves(keepsMoves);
        QSignalSpy pressed(&l, &platform::ClickLabel::pressed);
        QSignalSpy doubled(&l, &platform::ClickLabel::doubleClicked);
        QSignalSpy moved(&l, &platform::ClickLabel::moved);
        send(&l, QEvent::MouseButtonDblClick, {3, 4}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(pressed.size(), separate ? 0 : 1);
        QCOMPARE(doubled.size(), separate ? 1 : 0);
        const bool accepted = send(&l, QEvent::MouseMove, {6, 7}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(moved.size(), 1);
        QCOMPARE(moved.at(0).at(2).toPoint(), QPoint(6, 7));
        QCOMPARE(accepted, keepsMoves);
    }

    void dragFollowsTheMouse_data() {
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<bool>("handleSees");
        QTest::newRow("allowed, handle sees") << true << true;
        QTest::newRow("allowed, drag takes") << true << false;
        QTest::newRow("not now") << false << false;
    }
    void dragFollowsTheMouse() {
        QFETCH(bool, allowed);
        QFETCH(bool, handleSees);
        QWidget window;
        window.setGeometry(100, 100, 200, 100);
        auto *handle = new Handle(&window);
        handle->setGeometry(0, 0, 200, 20);
        platform::Dragger drag(&window);
        drag.setSystemMove(false);
        drag.setHandleSees(handleSees);
        drag.mayDrag = [allowed] { return allowed; };
        int steps = 0, ends = 0;
        drag.moved = [&steps] { ++steps; };
        drag.afterDrag = [&ends, handle](QWidget *h) { ends += h == handle; };
        drag.grip(handle);

        const QPoint start = window.frameGeometry().topLeft() + QPoint(10, 5);
        send(handle, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(drag.dragging(), allowed);
        QCOMPARE(handle->presses, allowed && !handleSees ? 0 : 1);
        send(handle, QEvent::MouseMove, start + QPoint(30, 40), Qt::NoButton, Qt::LeftButton);
        send(handle, QEvent::MouseMove, start + QPoint(35, 45), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(window.pos(), allowed ? QPoint(135, 145) : QPoint(100, 100));
        QCOMPARE(steps, allowed ? 2 : 0);
        send(handle, QEvent::MouseButtonRelease, start + QPoint(35, 45), Qt::LeftButton, Qt::NoButton);
        QVERIFY(!drag.dragging());
        QCOMPARE(ends, allowed ? 1 : 0);
        // after the release the window stays where it was left
        send(handle, QEvent::MouseMove, start, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(window.pos(), allowed ? QPoint(135, 145) : QPoint(100, 100));
    }
};

void TstLookParts::keysPressLikeTheMouse_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("clickButtons");
    QTest::addColumn<int>("clicks");
    QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier) << int(Qt::LeftButton) << 1;
    QTest::newRow("return") << int(Qt::Key_Return) << int(Qt::NoModifier) << int(Qt::LeftButton) << 1;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << int(Qt::LeftButton)
                                  << 1;
    QTest::newRow("shift+return keeps shift")
        << int(Qt::Key_Return) << int(Qt::ShiftModifier) << int(Qt::LeftButton) << 1;
    QTest::newRow("right button only: no click")
        << int(Qt::Key_Space) << int(Qt::NoModifier) << int(Qt::RightButton) << 0;
}

void TstLookParts::keysPressLikeTheMouse() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, clickButtons);
    QFETCH(int, clicks);
    platform::ClickLabel l;
    l.resize(20, 10);
    l.setClickButtons(Qt::MouseButtons(clickButtons));
    QSignalSpy pressed(&l, &platform::ClickLabel::pressed);
    QSignalSpy released(&l, &platform::ClickLabel::released);
    QSignalSpy clicked(&l, &platform::ClickLabel::clicked);
    const auto mods = Qt::KeyboardModifiers(modifiers);
    QVERIFY(sendKey(&l, QEvent::KeyPress, key, mods));
    QVERIFY(sendKey(&l, QEvent::KeyPress, key, mods, true)); // held down: no second press
    QCOMPARE(pressed.size(), 1);
    QCOMPARE(clicked.size(), 0); // the click comes with the release, as a button's does
    QVERIFY(sendKey(&l, QEvent::KeyRelease, key, mods, true));
    QCOMPARE(clicked.size(), 0);
    QVERIFY(sendKey(&l, QEvent::KeyRelease, key, mods));
    QCOMPARE(released.size(), 1);
    QCOMPARE(clicked.size(), clicks);
    QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(released.at(0).at(1).value<Qt::KeyboardModifiers>(), mods & ~Qt::KeypadModifier);
    QCOMPARE(released.at(0).at(2).toPoint(), l.rect().center());
}

void TstLookParts::keyReleasedElsewhereIsNoClick() {
    QWidget w;
    auto *a = new platform::ClickLabel(&w);
    auto *b = new platform::ClickLabel(&w);
    QSignalSpy clickedA(a, &platform::ClickLabel::clicked);
    QSignalSpy clickedB(b, &platform::ClickLabel::clicked);
    // the release of a key pressed somewhere else (another window, say) is not a click
    QVERIFY(!sendKey(b, QEvent::KeyRelease, Qt::Key_Return));
    QCOMPARE(clickedB.size(), 0);
    // a key that went down here and lost the focus before coming up is not one either
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QTRY_VERIFY(w.isActiveWindow());
    a->setFocus();
    QVERIFY(sendKey(a, QEvent::KeyPress, Qt::Key_Space));
    b->setFocus();
    QVERIFY(!sendKey(a, QEvent::KeyRelease, Qt::Key_Space));
    QCOMPARE(clickedA.size(), 0);
    // other keys go on to the parent
    QVERIFY(!sendKey(a, QEvent::KeyPress, Qt::Key_Escape));
    QVERIFY(!sendKey(a, QEvent::KeyPress, Qt::Key_A));
}

void TstLookParts::tabAndArrowsMoveTheFocus() {
    QWidget w;
    std::array<platform::ClickLabel *, 3> l{};
    for (int i = 0; i < 3; ++i) {
        l[i] = new platform::ClickLabel(&w);
        l[i]->setGeometry(i * 30, 0, 25, 20);
    }
    l[1]->setEnabled(false); // skipped
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QTRY_VERIFY(w.isActiveWindow());
    l[0]->setFocus(Qt::TabFocusReason);
    QVERIFY(l[0]->hasFocus());
    QTest::keyClick(l[0], Qt::Key_Right);
    QVERIFY(l[2]->hasFocus());
    QTest::keyClick(l[2], Qt::Key_Up);
    QVERIFY(l[0]->hasFocus());
    QTest::keyClick(l[0], Qt::Key_Tab);
    QVERIFY(l[2]->hasFocus());
    // a click does not take the keyboard from where it is
    QTest::mouseClick(l[0], Qt::LeftButton);
    QVERIFY(l[2]->hasFocus());
    // the focus mark is drawn in the colour it was given, and only while focused
    l[2]->setFocusMark(QColor(0, 200, 0), 0);
    const QImage marked = l[2]->grab().toImage();
    QCOMPARE(marked.pixelColor(1, 10), QColor(0, 200, 0));
    l[0]->setFocus(Qt::TabFocusReason);
    QVERIFY(l[2]->grab().toImage().pixelColor(1, 10) != QColor(0, 200, 0));
}

void TstLookParts::assistiveToolsSeeAButton_data() {
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("its name first") << QStringLiteral("进入练习 第1单元") << QStringLiteral("x")
                                    << QStringLiteral("t") << QStringLiteral("进入练习 第1单元");
    QTest::newRow("else its caption")
        << QString() << QStringLiteral("关于本软件") << QStringLiteral("t") << QStringLiteral("关于本软件");
    QTest::newRow("else its tooltip")
        << QString() << QString() << QStringLiteral("关闭") << QStringLiteral("关闭");
}

void TstLookParts::assistiveToolsSeeAButton() {
    QFETCH(QString, accessibleName);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QFETCH(QString, spoken);
    platform::ClickLabel l;
    l.setAccessibleName(accessibleName);
    l.setText(text);
    l.setToolTip(toolTip);
    QCOMPARE(l.spokenName(), spoken);
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&l);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Button);
    QCOMPARE(a->text(QAccessible::Name), spoken);
    QAccessibleActionInterface *act = a->actionInterface();
    QVERIFY(act);
    QCOMPARE(act->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    QSignalSpy clicked(&l, &platform::ClickLabel::clicked);
    act->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicked.size(), 1);
    l.setEnabled(false);
    QVERIFY(act->actionNames().isEmpty());
    act->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicked.size(), 1); // a disabled button does nothing
}

void TstLookParts::placement_data() {
    QTest::addColumn<QPoint>("wanted");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("placed");
    // the available area: a 1024 x 768 screen less a 32-pixel bar at its top
    QTest::newRow("inside stays") << QPoint(100, 100) << QSize(400, 300) << QPoint(100, 100);
    QTest::newRow("off to the right") << QPoint(900, 100) << QSize(400, 300) << QPoint(624, 100);
    QTest::newRow("off the bottom") << QPoint(100, 600) << QSize(400, 300) << QPoint(100, 468);
    QTest::newRow("off both ways") << QPoint(2000, 2000) << QSize(400, 300) << QPoint(624, 468);
    QTest::newRow("negative") << QPoint(-50, -10) << QSize(400, 300) << QPoint(0, 32);
    QTest::newRow("under the bar") << QPoint(10, 5) << QSize(400, 300) << QPoint(10, 32);
    QTest::newRow("exactly fits") << QPoint(300, 300) << QSize(1024, 736) << QPoint(0, 32);
    QTest::newRow("larger: top left kept in sight") << QPoint(300, 300) << QSize(1600, 1200) << QPoint(0, 32);
    QTest::newRow("wider only") << QPoint(300, 100) << QSize(1600, 300) << QPoint(0, 100);
    QTest::newRow("taller only") << QPoint(700, -40) << QSize(400, 900) << QPoint(624, 32);
}

void TstLookParts::placement() {
    QFETCH(QPoint, wanted);
    QFETCH(QSize, window);
    QFETCH(QPoint, placed);
    const QRect available(0, 32, 1024, 736);
    const QPoint at = platform::placeInside(wanted, window, available);
    QCOMPARE(at, placed);
    if (window.width() <= available.width() && window.height() <= available.height())
        QVERIFY(available.contains(QRect(at, window)));
}

void TstLookParts::panelDocksBesideTheWindow_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QPoint>("panel");
    // room on the right: beside the window, bottom edges level
    QTest::newRow("wide screen") << QRect(0, 0, 1920, 1040) << QRect(560, 220, 800, 600) << QPoint(1360, 578);
    // no room on the right, room below: under it, right edges level
    QTest::newRow("tall screen") << QRect(0, 0, 1024, 1280) << QRect(112, 340, 800, 600) << QPoint(580, 940);
    // no room anywhere: the window's lower right corner, as before
    QTest::newRow("window fills the screen")
        << QRect(0, 0, 1024, 768) << QRect(112, 84, 800, 600) << QPoint(580, 442);
    QTest::newRow("maximised") << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 600) << QPoint(468, 358);
    // a window dragged half off the screen: the panel stays on it
    QTest::newRow("window off the right")
        << QRect(0, 0, 1024, 768) << QRect(600, 100, 800, 600) << QPoint(692, 458);
}

void TstLookParts::panelDocksBesideTheWindow() {
    QFETCH(QRect, available);
    QFETCH(QRect, main);
    QFETCH(QPoint, panel);
    const QSize size(332, 242);
    const QPoint at = platform::dockBeside(main, size, available);
    QCOMPARE(at, panel);
    QVERIFY(available.contains(QRect(at, size)));
}

void TstLookParts::formsStayOnTheScreen() {
    // the offscreen screen: every window placed through the helper lands inside it
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget small;
    small.resize(area.width() / 2, area.height() / 2);
    platform::placeOnScreen(&small, area.bottomRight());
    QVERIFY(area.contains(small.geometry()));
    platform::centreOnScreen(&small);
    QCOMPARE(small.geometry().center(), area.center());
    QWidget big;
    big.resize(area.width() + 200, area.height() + 100);
    platform::centreOnScreen(&big);
    QCOMPARE(big.pos(), area.topLeft());
}

// The exam's windows on the test screen (under ctest a small one away from the
// origin, see smallscreen.json): each stands inside the free area, or, when it is
// bigger, from the area's top left corner so its caption stays reachable.
void TstLookParts::examWindowsStayOnTheScreen_data() {
    QTest::addColumn<QString>("form");
    for (const char *name : {"FrmLogon", "FrmEnd1", "FrmEnd2", "FrmChengji"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TstLookParts::examWindowsStayOnTheScreen() {
    QFETCH(QString, form);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ModData d;
    d.CurSet = 0;
    FakePrompter prompter;
    FakeClock clock;
    std::unique_ptr<QWidget> w;
    if (form == QLatin1String("FrmLogon"))
        w.reset(new FrmLogon(d, prompter, clock));
    else if (form == QLatin1String("FrmEnd1"))
        w.reset(new FrmEnd1(d, false));
    else if (form == QLatin1String("FrmEnd2"))
        w.reset(new FrmEnd2(false));
    else
        w.reset(new FrmChengji(d, panel::exam::Report{}));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QRect frame = w->frameGeometry();
    for (bool across : {true, false}) {
        const int start = across ? frame.left() : frame.top();
        const int length = across ? frame.width() : frame.height();
        const int areaStart = across ? area.left() : area.top();
        const int room = across ? area.width() : area.height();
        if (length > room)
            QCOMPARE(start, areaStart);
        else
            QVERIFY2(start >= areaStart && start + length <= areaStart + room,
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                    .arg(form)
                                    .arg(frame.x())
                                    .arg(frame.y())
                                    .arg(frame.width())
                                    .arg(frame.height())));
    }
    if (auto *logon = qobject_cast<FrmLogon *>(w.get())) {
        // the login page within the form: its top left corner in view
        logon->Timer1_Timer();
        const QPoint page = logon->Picture1->mapToGlobal(QPoint(0, 0));
        QVERIFY(area.contains(page));
    }
    w->close();
}

// Texts as files hold them: tags, entities, blanks, line ends.
static void writtenTexts() {
    QTest::addColumn<QString>("text");
    QTest::newRow("words") << QStringLiteral("第4章 绘图与编辑");
    QTest::newRow("bold tag") << QStringLiteral("<b>粗</b>");
    QTest::newRow("picture tag after words") << QStringLiteral("第1题： <img src=\"nothere.png\">");
    QTest::newRow("entity as words") << QStringLiteral("a &lt; b");
    QTest::newRow("ampersand") << QStringLiteral("A & B");
    QTest::newRow("blanks kept") << QStringLiteral("  两个  空格 <i>斜</i>");
    QTest::newRow("two lines") << QStringLiteral("<b>一</b>\n二");
    QTest::newRow("tag on the second line") << QStringLiteral("一\n<b>二</b>");
    QTest::newRow("document type") << QStringLiteral("<!DOCTYPE html><p>x</p>");
}

void TstLookParts::tooltipsShowTextAsWritten_data() {
    writtenTexts();
}

// A tooltip window guesses the format as a label told nothing does: what it
// shows of plainTip(text) is text itself, and a text it would not take for
// markup is handed over unchanged.
void TstLookParts::tooltipsShowTextAsWritten() {
    QFETCH(QString, text);
    const QString tip = platform::plainTip(text);
    QString shown = tip;
    if (Qt::mightBeRichText(tip)) {
        QTextDocument doc;
        doc.setHtml(tip);
        shown = doc.toPlainText();
    }
    QCOMPARE(shown, text);
    if (!Qt::mightBeRichText(text))
        QCOMPARE(tip, text);
}

void TstLookParts::messageBoxesShowTextAsWritten_data() {
    writtenTexts();
}

// The real message box takes its text as plain text.
void TstLookParts::messageBoxesShowTextAsWritten() {
    QFETCH(QString, text);
    platform::MessageBoxPrompter prompter([] { return QStringLiteral("标题"); });
    Qt::TextFormat format = Qt::AutoText;
    QString boxText;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, &answer, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible())
                continue;
            format = box->textFormat();
            boxText = box->text();
            answer.stop();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start();
    QCOMPARE(prompter.ask(text, platform::Prompter::Ok, platform::Prompter::Warning),
             platform::Prompter::AnswerOk);
    QCOMPARE(boxText, text);
    QCOMPARE(format, Qt::PlainText);
}

QTEST_MAIN(TstLookParts)
#include "tst_lookparts.moc"
