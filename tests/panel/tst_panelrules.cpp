// The question panel's rules: title lines, the unfinished list, status toggles,
// chooser colours, navigation bounds, the picture marker, demonstration speed
// and the placements.
#include "panel/panelrules.h"
#include "start/setassembly.h"

#include <QTest>

using namespace panel;

namespace {
// A set of n questions: marks "F" except those listed as done, words as given.
ModData makeSet(int setBase, int curSet, int n, int q, const QList<int> &done = {},
                const QList<QPair<int, int>> &words = {}) {
    ModData d;
    d.ModuleName = QStringLiteral("AutoCAD 2004");
    d.SetBase = Integer(setBase);
    d.CurSet = Integer(curSet);
    d.QuestionCount = Integer(n);
    d.CurQuestion = Integer(q);
    for (int i = 1; i <= MaxQuestions; ++i)
        d.QuestionMark[i] = QStringLiteral("F");
    for (int i : done)
        d.QuestionMark[i] = QStringLiteral("T");
    for (const auto &w : words)
        d.QuestionScore[w.first] = Integer(w.second);
    return d;
}
} // namespace

class TstPanelRules : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void titleLine_data() {
        QTest::addColumn<int>("setBase");
        QTest::addColumn<int>("curSet");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("question");
        QTest::addColumn<bool>("done");
        QTest::addColumn<int>("mayClose");
        QTest::addColumn<QString>("expected");
        QTest::newRow("practice, unit index 2, 5 of 12 open")
            << int(SetBaseUnit) << 2 << 12 << 5 << false << 0
            << QStringLiteral("第3单元  第5/12题（未完成）");
        QTest::newRow("practice, question done") << int(SetBaseUnit) << 0 << 40 << 40 << true << 0
                                                 << QStringLiteral("第1单元  第40/40题（已完成）");
        QTest::newRow("exam, paper index 0, question 7") << int(SetBaseExamPaper) << 0 << 40 << 7 << false
                                                         << 0 << QStringLiteral("AutoCAD 2004-第1套 第7题");
        QTest::newRow("exam paper 13, question 40") << int(SetBaseExamPaper) << 13 << 40 << 40 << true << 0
                                                    << QStringLiteral("AutoCAD 2004-第14套 第40题");
        QTest::newRow("exam review: may close, unit form")
            << int(SetBaseExamPaper) << 3 << 40 << 2 << false << -1
            << QStringLiteral("第4单元  第2/40题（未完成）");
        QTest::newRow("wrong-question review, 3 of 8") << int(SetBaseUnit) << int(CurSetReview) << 8 << 3
                                                       << false << 0 << QStringLiteral("错题复习  第3/8题");
        QTest::newRow("wrong-question review, solved question")
            << int(SetBaseUnit) << int(CurSetReview) << 8 << 8 << true << -1
            << QStringLiteral("错题复习  第8/8题");
    }
    void titleLine() {
        QFETCH(int, setBase);
        QFETCH(int, curSet);
        QFETCH(int, count);
        QFETCH(int, question);
        QFETCH(bool, done);
        QFETCH(int, mayClose);
        QFETCH(QString, expected);
        ModData d = makeSet(setBase, curSet, count, question, done ? QList<int>{question} : QList<int>{});
        d.PanelMayClose = Flag(mayClose);
        QCOMPARE(panel::titleLine(d), expected);
    }

    void loadTitle_data() {
        QTest::addColumn<int>("curSet");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unit 0") << 0 << QStringLiteral("AutoCAD 2004 第 1 套 第 1 题");
        QTest::newRow("unit 11") << 11 << QStringLiteral("AutoCAD 2004 第 12 套 第 1 题");
        QTest::newRow("wrong-question review") << int(CurSetReview) << QStringLiteral("错题复习  第1/6题");
    }
    void loadTitle() {
        QFETCH(int, curSet);
        QFETCH(QString, expected);
        QCOMPARE(panel::loadTitle(makeSet(SetBaseUnit, curSet, 6, 1)), expected);
    }

    void unfinishedList_data() {
        QTest::addColumn<int>("setBase");
        QTest::addColumn<int>("curSet");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("done");
        QTest::addColumn<QList<int>>("solvedWords"); // questions whose word is 5 (visited, solved)
        QTest::addColumn<QString>("expected");
        QTest::newRow("practice: marks decide, words ignored")
            << int(SetBaseUnit) << 1 << 6 << QList<int>{1, 3, 4, 6} << QList<int>{2}
            << QStringLiteral("未完成的题目 2 5");
        QTest::newRow("practice of 12: no number above 12")
            << int(SetBaseUnit) << 0 << 12 << QList<int>{1, 3} << QList<int>{}
            << QStringLiteral("未完成的题目 2 4 5 6 7 8 9 10 11 12");
        QTest::newRow("practice, all done") << int(SetBaseUnit) << 0 << 3 << QList<int>{1, 2, 3}
                                            << QList<int>{} << QStringLiteral("未完成的题目");
        QTest::newRow("exam: words decide, marks ignored")
            << int(SetBaseExamPaper) << 2 << 5 << QList<int>{} << QList<int>{1, 4}
            << QStringLiteral("未完成的题目 2 3 5");
        QTest::newRow("wrong-question review: words decide")
            << int(SetBaseUnit) << int(CurSetReview) << 4 << QList<int>{1, 2, 3, 4} << QList<int>{3}
            << QStringLiteral("未完成的题目 1 2 4");
        QTest::newRow("empty set") << int(SetBaseUnit) << 0 << 0 << QList<int>{} << QList<int>{}
                                   << QStringLiteral("未完成的题目");
    }
    void unfinishedList() {
        QFETCH(int, setBase);
        QFETCH(int, curSet);
        QFETCH(int, count);
        QFETCH(QList<int>, done);
        QFETCH(QList<int>, solvedWords);
        QFETCH(QString, expected);
        ModData d = makeSet(setBase, curSet, count, 1, done);
        for (int i = 1; i <= count; ++i)
            d.QuestionScore[i] = 3; // visited and marked: still not solved
        for (int i : solvedWords)
            d.QuestionScore[i] = 5;
        QCOMPARE(panel::unfinishedList(d), expected);
    }

    void statusWord_data() {
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("marked");
        QTest::addColumn<int>("visited");
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("stored"); // without the visited bit
        QTest::newRow("0 fresh") << 0 << 2 << 1 << int(ChooserColour::ButtonFace) << 0;
        QTest::newRow("1 visited") << 1 << 3 << 1 << int(ChooserColour::Green) << 0;
        QTest::newRow("2 marked, not visited") << 2 << 0 << 3 << int(ChooserColour::Red) << 2;
        QTest::newRow("3 marked, visited") << 3 << 1 << 3 << int(ChooserColour::Red) << 2;
        QTest::newRow("4 solved earlier") << 4 << 6 << 5 << int(ChooserColour::ButtonFace) << 4;
        QTest::newRow("5 solved, visited") << 5 << 7 << 5 << int(ChooserColour::Green) << 4;
        QTest::newRow("6 solved, marked") << 6 << 4 << 7 << int(ChooserColour::Red) << 6;
        QTest::newRow("7 solved, marked, visited") << 7 << 5 << 7 << int(ChooserColour::Red) << 6;
    }
    void statusWord() {
        QFETCH(int, word);
        QFETCH(int, marked);
        QFETCH(int, visited);
        QFETCH(int, colour);
        QFETCH(int, stored);
        QCOMPARE(int(toggleMark(Integer(word))), marked);
        QCOMPARE(int(withoutVisited(Integer(word))), stored);
        QCOMPARE(int(toggleMark(toggleMark(Integer(word)))), word); // marking twice restores
        QCOMPARE(int(withVisited(Integer(word))), visited);
        QCOMPARE(int(chooserColour(Integer(word))), colour);
        QCOMPARE(isSolved(Integer(word)), word >= 4);
        QCOMPARE(chooserSolved(Integer(word)), word >= 4);
    }

    void navigation_data() {
        QTest::addColumn<int>("question");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("afterPrevious");
        QTest::addColumn<int>("afterNext");
        QTest::newRow("first of 12") << 1 << 12 << false << true << 1 << 2;
        QTest::newRow("middle") << 5 << 12 << true << true << 4 << 6;
        QTest::newRow("last of 12") << 12 << 12 << true << false << 11 << 12;
        QTest::newRow("one-question set") << 1 << 1 << false << false << 1 << 1;
        QTest::newRow("last of 40") << 40 << 40 << true << false << 39 << 40;
        QTest::newRow("empty set stays on 1") << 1 << 0 << false << false << 1 << 1;
    }
    void navigation() {
        QFETCH(int, question);
        QFETCH(int, count);
        QFETCH(bool, previous);
        QFETCH(bool, next);
        QFETCH(int, afterPrevious);
        QFETCH(int, afterNext);
        const NavState nav = navState(question, count);
        QCOMPARE(nav.previous, previous);
        QCOMPARE(nav.next, next);
        QCOMPARE(previousQuestion(question), afterPrevious);
        QCOMPARE(nextQuestion(question, count), afterNext);
    }

    void questionText_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picture");
        QTest::newRow("plain") << QStringLiteral("000102单击绘图区域中的方框。")
                               << QStringLiteral("单击绘图区域中的方框。") << QString();
        QTest::newRow("with picture") << QStringLiteral("000305picture288801按图绘制矩形。")
                                      << QStringLiteral("按图绘制矩形。") << QStringLiteral("288801");
        QTest::newRow("marker and id only")
            << QStringLiteral("000101picture288802") << QString() << QStringLiteral("288802");
        QTest::newRow("shorter than the id")
            << QStringLiteral("000101picture28") << QString() << QStringLiteral("28");
        QTest::newRow("empty line") << QString() << QString() << QString();
        QTest::newRow("marker not at the start")
            << QStringLiteral("000101see picture288801") << QStringLiteral("see picture288801") << QString();
    }
    // what the panel shows of an index line
    void questionText() {
        QFETCH(QString, line);
        QFETCH(QString, text);
        QFETCH(QString, picture);
        const start::setfiles::IndexEntry t = start::setfiles::parseIndexLine(line);
        QCOMPARE(t.text, text);
        QCOMPARE(t.pictureId, picture);
        QCOMPARE(t.hasPicture, line.mid(6).startsWith(QLatin1String("picture")));
    }

    // The toolbar of each kind of run: captions and what the buttons do.
    void panelButtons_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("guide");
        QTest::addColumn<QString>("demonstration");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("candidate");
        QTest::addColumn<bool>("hint");
        QTest::addColumn<bool>("unitList");
        QTest::addColumn<bool>("solvedShown"); // the chooser's ring and "已完成"
        QTest::newRow("practice") << int(RunKind::Practice) << QStringLiteral("手把手教")
                                  << QStringLiteral("操作演示") << QStringLiteral("结束练习") << false
                                  << false << true << true;
        QTest::newRow("review") << int(RunKind::Review) << QStringLiteral("手把手教")
                                << QStringLiteral("操作演示") << QStringLiteral("结束复习") << false << false
                                << true << true;
        QTest::newRow("exam") << int(RunKind::Exam) << QStringLiteral("考生信息")
                              << QStringLiteral("操作提示") << QStringLiteral("结束考试") << true << true
                              << false << false;
    }
    void panelButtons() {
        QFETCH(int, kind);
        QFETCH(QString, guide);
        QFETCH(QString, demonstration);
        QFETCH(QString, end);
        QFETCH(bool, candidate);
        QFETCH(bool, hint);
        QFETCH(bool, unitList);
        QFETCH(bool, solvedShown);
        const PanelButtons b = panel::panelButtons(RunKind(kind));
        QCOMPARE(b.guide, guide);
        QCOMPARE(b.demonstration, demonstration);
        QCOMPARE(b.end, end);
        QCOMPARE(b.guideShowsCandidate, candidate);
        QCOMPARE(b.demonstrationIsHint, hint);
        QCOMPARE(b.unitListVisible, unitList);
        QCOMPARE(b.chooserShowsSolved, solvedShown);
    }

    // A panel loads as an exam in WorkMode 3, as practice otherwise.
    void loadKind_data() {
        QTest::addColumn<int>("workMode");
        QTest::addColumn<int>("kind");
        QTest::newRow("before a run") << 0 << int(RunKind::Practice);
        QTest::newRow("guided teaching") << int(WorkGuided) << int(RunKind::Practice);
        QTest::newRow("practice") << int(WorkPractice) << int(RunKind::Practice);
        QTest::newRow("exam") << int(WorkExam) << int(RunKind::Exam);
    }
    void loadKind() {
        QFETCH(int, workMode);
        QFETCH(int, kind);
        ModData d;
        d.WorkMode = Integer(workMode);
        QCOMPARE(int(panel::loadKind(d)), kind);
    }

    void demoSpeed_data() {
        QTest::addColumn<int>("hotSpot");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("modifier");
        QTest::addColumn<int>("speed");
        QTest::newRow("plain click on the demonstration") << 7 << false << false << 1;
        QTest::newRow("right button on the demonstration") << 7 << true << false << 2;
        QTest::newRow("shift-click on the demonstration") << 7 << false << true << 2;
        QTest::newRow("right button elsewhere") << 3 << true << false << 1;
        QTest::newRow("shift-click elsewhere") << 0 << false << true << 1;
    }
    void demoSpeed() {
        QFETCH(int, hotSpot);
        QFETCH(bool, right);
        QFETCH(bool, modifier);
        QFETCH(int, speed);
        QCOMPARE(demoSpeedAfterRelease(hotSpot, right, modifier), speed);
    }

    void demoIntervals() {
        const std::array<int, DemoTimerCount> base = {500, 100, 1000, 200, 100, 100,
                                                      200, 100, 100,  100, 100, 100};
        const auto normal = panel::demoIntervals(1);
        const auto slow = panel::demoIntervals(2);
        for (int i = 0; i < DemoTimerCount; ++i) {
            QCOMPARE(normal[i], base[i]);
            QCOMPARE(slow[i], 2 * base[i]);
        }
        QCOMPARE(QByteArray(DemoTimers[2].name), QByteArray("Timer3"));
        QCOMPARE(QByteArray(DemoTimers[11].name), QByteArray("TimerRS"));
    }

    void time_data() {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("fill");
        QTest::newRow("start") << 50 << QStringLiteral("剩余50分钟") << 0;
        QTest::newRow("after a minute") << 49 << QStringLiteral("剩余49分钟") << 2;
        QTest::newRow("half") << 25 << QStringLiteral("剩余25分钟") << 50;
        QTest::newRow("time up") << 0 << QStringLiteral("剩余0分钟") << 100;
        QTest::newRow("overtime stays full") << -3 << QStringLiteral("剩余-3分钟") << 100;
    }
    void time() {
        QFETCH(int, minutes);
        QFETCH(QString, caption);
        QFETCH(int, fill);
        QCOMPARE(timeCaption(minutes), caption);
        QCOMPARE(timeBarFill(minutes, 100), fill);
    }

    void chooserButton_data() {
        QTest::addColumn<int>("i");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        const double w = 4980 / 10.15;
        QTest::newRow("1") << 1 << 30.0 << 150.0;
        QTest::newRow("10 ends the first row") << 10 << 30 + 9 * w << 150.0;
        QTest::newRow("11 starts the second") << 11 << 30.0 << 150 + w;
        QTest::newRow("40") << 40 << 30 + 9 * w << 150 + 3 * w;
    }
    void chooserButton() {
        QFETCH(int, i);
        QFETCH(double, left);
        QFETCH(double, top);
        const QRectF r = panel::chooserButton(i, 4980, 1.0, 1.0);
        QCOMPARE(r.left(), left);
        QCOMPARE(r.top(), top);
        QCOMPARE(r.width(), 4980 / 10.15);
        QCOMPARE(r.height(), r.width());
        QVERIFY(r.right() <= 4980); // all ten fit the frame
    }

    void placements() {
        // hot spots: five in the first row at 90 + 960 k, the rest below
        QCOMPARE(hotSpot(0, 1, 1), QRect(90, 15, 960, HotSpotHeight));
        QCOMPARE(hotSpot(4, 1, 1), QRect(3930, 15, 960, HotSpotHeight));
        QCOMPARE(hotSpot(5, 1, 1), QRect(90, 15 + HotSpotHeight, 960, HotSpotHeight));
        QCOMPARE(hotSpot(7, 1, 1).right(), 90 + 3 * 960 - 1);
        for (int k = 0; k < 8; ++k)
            QVERIFY(hotSpot(k, 1, 1).right() < PanelWidth);
        // load place: right edge 15360 twips (1024 px), bottom 9000 (600 px)
        QCOMPARE(loadPosition(QSize(332, 242), 1, 1), QPoint(1024 - 332, 600 - 242));
        QCOMPARE(loadPosition(QSize(266, 194), 0.8, 0.8), QPoint(819 - 266, 480 - 194));
        QCOMPARE(dockedPosition(QRect(112, 84, 800, 600), QSize(332, 242)),
                 QPoint(112 + 800 - 332, 84 + 600 - 242));
        // minimised bar: right edge 2700 twips (180 px), bottom 8550 (570 px)
        QCOMPARE(minimisedPosition(QSize(150, 28), 1, 1), QPoint(180 - 150, 570 - 28));
    }

    void pictureWindow_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QRect>("expected");
        // a 3000 x 2000 picture on a 1024 x 768 screen (15360 x 11520 twips)
        QTest::newRow("scale 1") << 1.0 << QRect((15360 - 3120) / 2, (11520 - 2120) / 2, 3120, 2120);
        QTest::newRow("scale 0.8: margins and offsets shrink")
            << 0.8 << QRect(qRound((15360 - 3096) * 0.8 / 2), qRound((11520 - 2096) * 0.8 / 2), 3096, 2096);
    }
    void pictureWindow() {
        QFETCH(double, scale);
        QFETCH(QRect, expected);
        QCOMPARE(panel::pictureWindow(QSize(3000, 2000), QSize(15360, 11520), scale, scale), expected);
    }
};

QTEST_GUILESS_MAIN(TstPanelRules)
#include "tst_panelrules.moc"
