// The forms' shared parts: the label that reports the mouse and the window dragger.
#include "platform/clicklabel.h"
#include "platform/dragger.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
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

} // namespace

class TstLookParts : public QObject {
    Q_OBJECT
  private Q_SLOTS:
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

QTEST_MAIN(TstLookParts)
#include "tst_lookparts.moc"
