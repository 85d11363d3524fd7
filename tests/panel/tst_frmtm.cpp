// The question panel on the offscreen platform: navigation and its enabled
// states, marks and the chooser, redo, guided teaching, the demonstration start,
// the picture window, bad index files, closing, and the two ends that write the
// learner's records (practice; review with Yes and No).
#include "app/trainer.h"
#include "panel/frmczts.h"
#include "panel/frmend.h"
#include "panel/frmpicture.h"
#include "panel/frmtm.h"
#include "panel/panelart.h"
#include "panel/panelrules.h"
#include "panel/progress.h"
#include "panel/simwindow.h"
#include "platform/helpwindow.h"
#include "platform/keyboardlayout.h"
#include "platform/services.h"
#include "platform/textfile.h"
#include "records.h"
#include "simulator/frmmain.h"
#include "simulator/steprecord.h"
#include "start/setfiles.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

namespace {

class FakeSim : public SimulatedWindow {
  public:
    QWidget widget;
    QList<int> restored;
    int timer2Starts = 0;
    QList<bool> guided;
    int commandLineFocus = 0;
    FakeSim() {
        widget.setObjectName(QStringLiteral("FrmMain"));
        widget.resize(800, 600);
    }
    QWidget *window() override { return &widget; }
    void restoreQuestion(int q) override { restored << q; }
    void startTimer2() override { ++timer2Starts; }
    void setGuided(bool on) override { guided << on; }
    void focusCommandLine() override { ++commandLineFocus; }
    void closeForRunEnd() override { widget.close(); }
};

// The order in which top-level windows were raised, by object name.
class RaiseLog : public QObject {
  public:
    QStringList order;
    void watch(QWidget *w) { w->installEventFilter(this); }
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::ZOrderChange)
            order << o->objectName();
        return false;
    }
};

class ScriptedPrompter : public platform::Prompter {
  public:
    QList<Answer> answers;
    struct Asked {
        QString text;
        Buttons buttons;
        Icon icon;
        Answer defaultAnswer;
        QString title;
    };
    QList<Asked> asked;
    Answer ask(const QString &text, Buttons buttons, Icon icon, const QString &title, Answer def) override {
        asked.append({text, buttons, icon, def, title});
        return answers.isEmpty() ? AnswerOk : answers.takeFirst();
    }
};

class FixedClock : public platform::Clock {
  public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 2), QTime(9, 0)); }
    qint64 steadyMs() const override { return 0; }
};

class NoLock : public platform::InstanceLock {
  public:
    bool acquire() override { return true; }
};

const QString ReviewQuestion =
    QStringLiteral("本次答对的题目要从“错题复习”中去掉吗？\r\n"
                   "如果你认为掌握的还不太好，建议你点“否”，把它们保留在错题记录中。");

} // namespace

class TstFrmTm : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ModData d;
    FakeSim sim;
    ScriptedPrompter prompter;
    FixedClock clock;

    // A unit of three questions; question 2 carries a picture.
    void unitPractice(int curSet = 0, int count = 3) {
        d = ModData();
        d.AppPath = m_dir.path();
        d.DataDir = m_dir.path() + QStringLiteral("/cad2004/");
        d.ModuleName = QStringLiteral("AutoCAD 2004");
        d.SetBase = SetBaseUnit;
        d.CurSet = Integer(curSet);
        d.WorkMode = WorkPractice;
        d.UnitCount = 3;
        d.QuestionCount = Integer(count);
        d.CurQuestion = 1;
        d.CurStep = 1;
        d.ExamMinutesLeft = 50;
        d.IndexFile = d.DataDir + QStringLiteral("288870.rar");
        for (int q = 1; q <= MaxQuestions; ++q) {
            d.QuestionMark[q] = q <= count ? QStringLiteral("F") : QString();
            d.SavedStep[q] = 1;
        }
    }

    // An exam paper of three questions, two minutes in.
    void examPaper() {
        unitPractice(0, 3);
        d.SetBase = SetBaseExamPaper;
        d.WorkMode = WorkExam;
        d.ExamStartTime = QStringLiteral("2026-03-02 09:00:00");
        d.PanelMayClose = True;
        d.SavedStep[1] = 4; // question 1 opens at its fourth step
    }

    std::unique_ptr<FrmTm> openPanel() {
        auto tm = std::make_unique<FrmTm>(d, prompter, clock);
        tm->setAttribute(Qt::WA_DeleteOnClose, false);
        tm->setSimulatedWindow(&sim);
        tm->show();
        return tm;
    }

    static void click(QWidget *w, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mouseClick(w, b, m, w->rect().center());
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("cad2004"));
        QDir(m_dir.path()).mkpath(QStringLiteral("ksdata"));
        const QString data = m_dir.path() + QStringLiteral("/cad2004/");
        QVERIFY(platform::textfile::writeLinesAtomic(
            data + QStringLiteral("288870.rar"), {QStringLiteral("000102单击绘图区域中的方框。"),
                                                  QStringLiteral("000203picture288801按图中尺寸绘制矩形。"),
                                                  QStringLiteral("000301用直线命令画一条水平线。")}));
        QImage pic(90, 60, QImage::Format_RGB32);
        pic.fill(Qt::white);
        QVERIFY(pic.save(data + QStringLiteral("288801.rar"), "PNG"));
    }

    void init() {
        sim.restored.clear();
        sim.timer2Starts = 0;
        sim.guided.clear();
        prompter.answers.clear();
        prompter.asked.clear();
    }

    void loadShowsTheFirstQuestion() {
        unitPractice();
        auto tm = openPanel();
        QCOMPARE(tm->size(), QSize(332, 242)); // 4980 x 3630 twips
        QCOMPARE(tm->RtbTM->toPlainText(), QStringLiteral("单击绘图区域中的方框。"));
        QCOMPARE(tm->LblBiao->text(), QStringLiteral("第1单元  第1/3题（未完成）"));
        QCOMPARE(tm->LblUnit->text(), QStringLiteral("未完成的题目 1 2 3"));
        QCOMPARE(tm->CmdEnd->text(), QStringLiteral("结束练习"));
        QCOMPARE(tm->CmdCZTS->text(), QStringLiteral("手把手教"));
        QVERIFY(!tm->CmdPre->isEnabled());
        QVERIFY(!tm->CmdGN[0]->isEnabled());
        QVERIFY(tm->CmdNext->isEnabled());
        QVERIFY(tm->CmdGN[1]->isEnabled());
        QVERIFY(tm->Image2->isHidden());
        QCOMPARE(int(d.QuestionScore[1]), 1);
        QVERIFY(tm->CmTNO[3]->isVisibleTo(tm->FrmSelect));
        QVERIFY(!tm->CmTNO[4]->isVisibleTo(tm->FrmSelect));
        QVERIFY(tm->TimeKS.isActive());
        QVERIFY(!tm->TimerREDO.isActive());
    }

    void navigationThroughTheHotSpots() {
        unitPractice();
        auto tm = openPanel();
        tm->setSimulatedWindow(&sim);
        d.SavedStep[2] = 4;
        click(tm->CmdGN[1]); // next
        QCOMPARE(int(d.CurQuestion), 2);
        QCOMPARE(sim.restored.last(), 2);
        QVERIFY(sim.timer2Starts > 0);
        QCOMPARE(int(d.CurStep), 4); // resumes at the step reached earlier
        // question 2 carries a picture: text after the marker and the id
        QCOMPARE(tm->RtbTM->toPlainText(), QStringLiteral("按图中尺寸绘制矩形。"));
        QVERIFY(tm->Image2->isVisibleTo(tm.get()));
        QCOMPARE(tm->Image2->text(), QStringLiteral("显示图片"));
        QVERIFY(tm->CmdPre->isEnabled() && tm->CmdNext->isEnabled());
        click(tm->CmdGN[1]);
        QCOMPARE(int(d.CurQuestion), 3);
        QCOMPARE(tm->LblBiao->text(), QStringLiteral("第1单元  第3/3题（未完成）"));
        QVERIFY(!tm->CmdNext->isEnabled());
        QVERIFY(!tm->CmdGN[1]->isEnabled());
        QVERIFY(tm->Image2->isHidden()); // no picture on question 3
        tm->CmdNext_Click();             // triggered anyway: stays on the last question
        QCOMPARE(int(d.CurQuestion), 3);
        click(tm->CmdGN[0]);
        QCOMPARE(int(d.CurQuestion), 2);
        QCOMPARE(int(d.QuestionScore[2]), 1);
        QCOMPARE(int(d.QuestionScore[3]), 1);
    }

    void oneQuestionSetDisablesBoth() {
        unitPractice(0, 1);
        auto tm = openPanel();
        QVERIFY(!tm->CmdPre->isEnabled());
        QVERIFY(!tm->CmdNext->isEnabled());
        QVERIFY(!tm->CmTNO[2]->isVisibleTo(tm->FrmSelect));
    }

    void markChooserAndNumberButtons() {
        unitPractice();
        auto tm = openPanel();
        click(tm->CmdGN[3]); // mark question 1: 1 -> 3
        QCOMPARE(int(d.QuestionScore[1]), 3);
        d.QuestionScore[2] = 6; // solved and marked earlier, not yet shown
        d.QuestionScore[3] = 5;
        click(tm->CmdGN[4]);
        QVERIFY(tm->FrmSelect->isVisibleTo(tm.get()));
        auto colour = [&](int i) { return tm->CmTNO[i]->property("chooserColour").toInt(); };
        QCOMPARE(colour(1), int(panel::ChooserColour::Red));
        QCOMPARE(colour(2), int(panel::ChooserColour::Red));
        QCOMPARE(colour(3), int(panel::ChooserColour::Green));
        QCOMPARE(colour(4), int(panel::ChooserColour::ButtonFace));
        // solved questions keep their colour and are set apart, also for assistive tools
        auto solved = [&](int i) { return tm->CmTNO[i]->property("chooserSolved").toBool(); };
        QVERIFY(!solved(1) && solved(2) && solved(3) && !solved(4));
        QCOMPARE(tm->CmTNO[3]->accessibleName(), QStringLiteral("第3题 已完成"));
        QCOMPARE(tm->CmTNO[1]->accessibleName(), QStringLiteral("第1题"));
        QVERIFY(tm->CmTNO[3]->styleSheet() != panel::panelart::chooserStyle(panel::ChooserColour::Green));
        click(tm->CmTNO[3]);
        QVERIFY(!tm->FrmSelect->isVisibleTo(tm.get()));
        QCOMPARE(int(d.CurQuestion), 3);
        click(tm->CmdGN[3]); // 5 -> 7
        QCOMPARE(int(d.QuestionScore[3]), 7);
        click(tm->CmdGN[3]); // and back
        QCOMPARE(int(d.QuestionScore[3]), 5);
        click(tm->CmdGN[4]);
        click(tm->CmdSelFH);
        QVERIFY(!tm->FrmSelect->isVisibleTo(tm.get()));
        QCOMPARE(int(d.CurQuestion), 3);
    }

    // The chooser sets solved questions apart (ring, spoken name, legend) in
    // practice and reviews; an exam says nothing about correctness before the
    // hand-in, unless the learner opened the answers and gave up its score.
    void chooserShowsSolvedOutsideTheExam_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("answersOpened");
        QTest::addColumn<bool>("shown");
        QTest::newRow("unit practice") << int(panel::RunKind::Practice) << false << true;
        QTest::newRow("review") << int(panel::RunKind::Review) << false << true;
        QTest::newRow("exam") << int(panel::RunKind::Exam) << false << false;
        QTest::newRow("exam with the answers opened") << int(panel::RunKind::Exam) << true << true;
    }
    void chooserShowsSolvedOutsideTheExam() {
        QFETCH(int, kind);
        QFETCH(bool, answersOpened);
        QFETCH(bool, shown);
        const auto runKind = panel::RunKind(kind);
        if (runKind == panel::RunKind::Exam)
            examPaper();
        else
            unitPractice();
        auto tm = openPanel();
        tm->applyEntry({runKind, QString(), std::nullopt});
        if (answersOpened) {
            tm->openAnswers();
            tm->TimStartYS.stop();
        }
        d.QuestionScore[2] = 5; // solved, visited
        d.QuestionScore[3] = 7; // solved, marked, visited
        click(tm->CmdGN[4]);
        QVERIFY(tm->FrmSelect->isVisibleTo(tm.get()));
        auto colour = [&](int i) { return tm->CmTNO[i]->property("chooserColour").toInt(); };
        auto solved = [&](int i) { return tm->CmTNO[i]->property("chooserSolved").toBool(); };
        // the colours are the same in every run
        QCOMPARE(colour(2), int(panel::ChooserColour::Green));
        QCOMPARE(colour(3), int(panel::ChooserColour::Red));
        QCOMPARE(solved(2), shown);
        QCOMPARE(solved(3), shown);
        QCOMPARE(tm->CmTNO[2]->styleSheet(),
                 panel::panelart::chooserStyle(panel::ChooserColour::Green, shown));
        QCOMPARE(tm->CmTNO[2]->accessibleName(),
                 shown ? QStringLiteral("第2题 已完成") : QStringLiteral("第2题"));
        auto *legend = tm->FrmSelect->findChild<QLabel *>(QStringLiteral("SelLegend"));
        QVERIFY(legend);
        QVERIFY(legend->text().contains(QStringLiteral("已看过")));
        QCOMPARE(legend->text().contains(QStringLiteral("已完成")), shown);
    }

    // Under a window manager the panel is the simulated window's transient: it
    // stays above that window and no other program's; it follows a new window.
    void panelIsTransientForTheSimulatedWindow_data() {
        QTest::addColumn<bool>("shownFirst"); // the panel on screen before it is linked
        QTest::addColumn<bool>("replaced");   // a second simulated window after the first
        QTest::newRow("linked before showing") << false << false;
        QTest::newRow("linked while shown") << true << false;
        QTest::newRow("another simulated window") << false << true;
    }
    void panelIsTransientForTheSimulatedWindow() {
        QFETCH(bool, shownFirst);
        QFETCH(bool, replaced);
        unitPractice();
        Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, nullptr}, QStringLiteral("caddrill"));
        FrmTm *tm = trainer.panel();
        QVERIFY(!(tm->windowFlags() & Qt::WindowStaysOnTopHint));
        if (shownFirst)
            tm->show();
        tm->setSimulatedWindow(&sim);
        FakeSim other;
        if (replaced)
            tm->setSimulatedWindow(&other);
        tm->show();
        QVERIFY(tm->windowHandle());
        const QWidget *expected = replaced ? &other.widget : &sim.widget;
        QVERIFY(expected->windowHandle());
        QCOMPARE(tm->windowHandle()->transientParent(), expected->windowHandle());
        tm->setSimulatedWindow(nullptr);
        QVERIFY(!tm->windowHandle()->transientParent());
        tm->hide();
    }

    // Without a window manager nothing keeps the panel above the simulated
    // window: every way back to that window raises the panel after it.
    void panelStaysAboveTheSimulatedWindow_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("标识本题") << QStringLiteral("mark");
        QTest::newRow("手把手教") << QStringLiteral("guide");
        QTest::newRow("继续考试") << QStringLiteral("continue");
        QTest::newRow("还原") << QStringLiteral("restore");
        QTest::newRow("an input method chosen") << QStringLiteral("input");
    }
    void panelStaysAboveTheSimulatedWindow() {
        QFETCH(QString, action);
        const bool exam = action == QLatin1String("continue");
        if (exam)
            examPaper();
        else
            unitPractice();
        Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, nullptr}, QStringLiteral("caddrill"));
        FrmTm *tm = trainer.panel();
        tm->setSimulatedWindow(&sim);
        tm->show();
        sim.widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(tm));
        RaiseLog log;
        log.watch(tm);
        log.watch(&sim.widget);
        if (action == QLatin1String("mark")) {
            click(tm->CmdGN[3]);
        } else if (action == QLatin1String("guide")) {
            click(tm->CmdGN[6]);
        } else if (action == QLatin1String("continue")) {
            click(tm->CmdGN[5]); // 结束考试: the panel hides under the hand-in dialog
            auto *dialog = qobject_cast<HandInDialog *>(trainer.handInDialog());
            QVERIFY(dialog);
            QVERIFY(!tm->isVisible());
            log.order.clear();
            QTest::mouseClick(dialog->Command2, Qt::LeftButton); // 继续考试
            QVERIFY(tm->isVisible());
        } else if (action == QLatin1String("restore")) {
            tm->minimise();
            log.order.clear();
            click(tm->Command2);
        } else {
            tm->mEng->trigger();
        }
        QVERIFY(sim.widget.isVisible());
        QVERIFY2(log.order.contains(QStringLiteral("FrmMain")), qPrintable(log.order.join(u' ')));
        QCOMPARE(log.order.last(), QStringLiteral("FrmTm"));
        tm->setSimulatedWindow(nullptr);
        sim.widget.hide();
    }

    void redoAndGuidedTeaching() {
        unitPractice();
        auto tm = openPanel();
        d.SavedStep[1] = 3;
        d.CurStep = 3;
        click(tm->CmdGN[2]);
        QCOMPARE(int(d.SavedStep[1]), 1);
        QCOMPARE(int(d.CurStep), 1);
        click(tm->CmdGN[6]); // 手把手教
        QCOMPARE(int(d.WorkMode), 1);
        QCOMPARE(sim.guided, QList<bool>{true});
        click(tm->CmdGN[1]); // guided teaching ends with the question
        QCOMPARE(int(d.WorkMode), 2);
    }

    void demonstrationSpeeds_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("factor");
        QTest::newRow("plain click") << int(Qt::LeftButton) << int(Qt::NoModifier) << 1;
        QTest::newRow("right button: slow") << int(Qt::RightButton) << int(Qt::NoModifier) << 2;
        QTest::newRow("ctrl-click: slow") << int(Qt::LeftButton) << int(Qt::ControlModifier) << 2;
    }
    void demonstrationSpeeds() {
        QFETCH(int, button);
        QFETCH(int, modifiers);
        QFETCH(int, factor);
        unitPractice();
        auto tm = openPanel();
        sim.widget.show();
        std::optional<std::array<int, 12>> started;
        connect(tm.get(), &FrmTm::demonstrationRequested, this,
                [&](const std::array<int, 12> &iv) { started = iv; });
        click(tm->CmdGN[7], Qt::MouseButton(button), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(tm->session().demoSpeed(), factor);
        QCOMPARE(int(d.DemoRunning), int(True));
        QVERIFY(tm->TimStartYS.isActive());
        QTRY_VERIFY(started.has_value());
        QCOMPARE((*started)[0], 500 * factor);  // Timer1
        QCOMPARE((*started)[2], 1000 * factor); // Timer3
        QVERIFY(!tm->TimStartYS.isActive());
        QVERIFY(tm->isHidden());
        QVERIFY(sim.widget.isHidden());
    }

    void pictureWindow() {
        unitPractice();
        d.CurQuestion = 2;
        auto tm = openPanel();
        click(tm->Image2);
        FrmPicture *pic = tm->picture();
        QVERIFY(pic->isVisible());
        QCOMPARE(tm->Image2->text(), QStringLiteral("隐藏图片"));
        QTRY_VERIFY(!pic->Timer1.isActive());
        QCOMPARE(pic->size(), QSize(90 + 8, 60 + 8)); // 120 twips around the picture
        click(tm->CmdGN[1]);                          // a new question hides it
        QVERIFY(pic->isHidden());
        QCOMPARE(tm->Image2->text(), QStringLiteral("显示图片"));
    }

    void missingIndexFileIsNamed() {
        unitPractice();
        d.IndexFile = d.DataDir + QStringLiteral("288879.rar");
        auto tm = openPanel();
        QVERIFY(tm->RtbTM->toPlainText().contains(QStringLiteral("288879.rar")));
        QCOMPARE(tm->LblBiao->text(), QStringLiteral("第1单元  第1/3题（未完成）"));
    }

    // The toolbar, the chooser and the minimised bar from the keyboard: Tab and
    // the arrows move, Enter and Space press; a sheet keeps the keyboard while it
    // is shown, and the release of the pressing key stays in the panel.
    void keyboardWorksThePanel() {
        unitPractice();
        auto tm = openPanel();
        sim.widget.show();
        tm->takeKeyboard();
        QTRY_VERIFY(tm->isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), tm->CmdGN[1]); // 上一题 is disabled on question 1
        QCOMPARE(tm->CmdGN[1]->spokenName(), QStringLiteral("下一题"));
        QCOMPARE(tm->CmdGN[4]->spokenName(), QStringLiteral("选题"));
        QTest::keyClick(tm->CmdGN[1], Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), tm->CmdGN[4]);
        QTest::keyClick(tm->CmdGN[4], Qt::Key_Return);
        QVERIFY(tm->FrmSelect->isVisible());
        QCOMPARE(QApplication::focusWidget(), tm->CmTNO[1]);
        for (int i = 0; i < 10; ++i) { // round the sheet: the covered toolbar is out of reach
            QWidget *f = QApplication::focusWidget();
            QVERIFY2(tm->FrmSelect->isAncestorOf(f) || f == tm->LblMin, qPrintable(f->objectName()));
            QTest::keyClick(f, Qt::Key_Tab);
        }
        tm->CmTNO[3]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(tm->CmTNO[3], Qt::Key_Return);
        QCOMPARE(int(d.CurQuestion), 3);
        QVERIFY(!tm->FrmSelect->isVisible());
        QTRY_VERIFY(sim.widget.isActiveWindow()); // the question shown, back to the simulated window

        // Shift+Enter on the demonstration button asks for the slow one
        tm->takeKeyboard();
        QTRY_VERIFY(tm->isActiveWindow());
        tm->CmdGN[7]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(tm->CmdGN[7], Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(tm->session().demoSpeed(), 2);
        QVERIFY(tm->TimStartYS.isActive());
        tm->TimStartYS.stop();

        // minimised, the restore button is all Tab reaches; Space restores
        tm->show();
        tm->takeKeyboard();
        QTRY_VERIFY(tm->isActiveWindow());
        tm->LblMin->setFocus(Qt::TabFocusReason);
        QTest::keyClick(tm->LblMin, Qt::Key_Space);
        QCOMPARE(tm->size(), tm->PicMin->size());
        QCOMPARE(QApplication::focusWidget(), tm->Command2);
        QTest::keyClick(tm->Command2, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), tm->Command2);
        QTest::keyClick(tm->Command2, Qt::Key_Space);
        QCOMPARE(tm->size(), QSize(332, 242));
    }

    // F1 on the panel opens the instructions, in a practice and in an exam alike.
    void f1OpensHelp_data() {
        QTest::addColumn<bool>("exam");
        QTest::newRow("practice") << false;
        QTest::newRow("exam") << true;
    }
    void f1OpensHelp() {
        QFETCH(bool, exam);
        if (exam)
            examPaper();
        else
            unitPractice();
        auto tm = openPanel();
        sim.widget.show();
        tm->takeKeyboard();
        QTRY_VERIFY(tm->isActiveWindow());
        const auto shownHelp = [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *h = qobject_cast<platform::HelpWindow *>(w); h && h->isVisible())
                    return h;
            return static_cast<platform::HelpWindow *>(nullptr);
        };
        QVERIFY(!shownHelp());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        platform::HelpWindow *help = shownHelp();
        QVERIFY(help);
        QVERIFY(tm->isVisible()); // the run goes on behind the help
        QVERIFY(tm->TimeKS.isActive());
        help->close();
        QTRY_VERIFY(!shownHelp());
    }

    // Once the panel has the keyboard (F6), Alt and a letter press the toolbar's
    // buttons; each tooltip names its key and F6.
    void toolbarAltKeys_data() {
        QTest::addColumn<int>("spot");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<int>("current"); // CurQuestion afterwards (-1: unchanged under the chooser)
        QTest::addColumn<int>("word1");   // question 1's status word afterwards
        QTest::addColumn<bool>("chooser");
        QTest::newRow("next") << 1 << int(Qt::Key_N)
                              << QStringLiteral("下一题　F6：键盘在试题窗口和操作窗口之间切换 (Alt+N)") << 2
                              << 1 << false;
        QTest::newRow("mark") << 3 << int(Qt::Key_M)
                              << QStringLiteral("标识本题　F6：键盘在试题窗口和操作窗口之间切换 (Alt+M)") << 1
                              << 3 << false;
        QTest::newRow("chooser") << 4 << int(Qt::Key_S)
                                 << QStringLiteral("选题　F6：键盘在试题窗口和操作窗口之间切换 (Alt+S)") << 1
                                 << 1 << true;
        // under the open chooser the toolbar's keys do nothing
        QTest::newRow("next under the chooser")
            << 1 << int(Qt::Key_N) << QStringLiteral("下一题　F6：键盘在试题窗口和操作窗口之间切换 (Alt+N)")
            << -1 << 1 << true;
        QTest::newRow("mark under the chooser")
            << 3 << int(Qt::Key_M) << QStringLiteral("标识本题　F6：键盘在试题窗口和操作窗口之间切换 (Alt+M)")
            << -1 << 1 << true;
    }
    void toolbarAltKeys() {
        QFETCH(int, spot);
        QFETCH(int, key);
        QFETCH(QString, tip);
        QFETCH(int, current);
        QFETCH(int, word1);
        QFETCH(bool, chooser);
        unitPractice();
        auto tm = openPanel();
        sim.widget.show();
        tm->takeKeyboard();
        QTRY_VERIFY(tm->isActiveWindow());
        QCOMPARE(tm->CmdGN[spot]->shownTip(), tip);
        if (current < 0) { // the chooser first, on the question shown
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
            QVERIFY(tm->FrmSelect->isVisibleTo(tm.get()));
            current = int(d.CurQuestion);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(int(d.CurQuestion), current);
        QCOMPARE(int(d.QuestionScore[1]), word1);
        QCOMPARE(tm->FrmSelect->isVisibleTo(tm.get()), chooser);
    }

    // The chooser says each question's state in words: the current one,
    // marked, seen or not, and solved where the run shows it.
    void chooserStatesSaid_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("description");
        const int practice = int(panel::RunKind::Practice), exam = int(panel::RunKind::Exam);
        QTest::newRow("current") << practice << 1 << QStringLiteral("当前题，已看过，未完成");
        QTest::newRow("solved") << practice << 2 << QStringLiteral("已看过，已完成");
        QTest::newRow("marked and solved") << practice << 3 << QStringLiteral("已标识，已完成");
        QTest::newRow("marked in an exam") << exam << 3 << QStringLiteral("已标识");
        QTest::newRow("not seen in an exam") << exam << 4 << QStringLiteral("未看过");
    }
    void chooserStatesSaid() {
        QFETCH(int, kind);
        QFETCH(int, question);
        QFETCH(QString, description);
        const auto runKind = panel::RunKind(kind);
        if (runKind == panel::RunKind::Exam)
            examPaper();
        else
            unitPractice();
        auto tm = openPanel();
        tm->applyEntry({runKind, QString(), std::nullopt});
        d.QuestionScore[2] = 5; // solved, visited
        d.QuestionScore[3] = 7; // solved, marked, visited
        click(tm->CmdGN[4]);
        QVERIFY(tm->FrmSelect->isVisibleTo(tm.get()));
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(tm->CmTNO[question]);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Description), description);
    }

    // The panel is a window for assistive tools, called by its title.
    void panelIsAWindow() {
        unitPractice();
        auto tm = openPanel();
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(tm.get());
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Window);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("试题"));
    }

    void minimiseAndRestore() {
        unitPractice();
        auto tm = openPanel();
        // against the screen's bottom right corner: the panel docks into the window's corner
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        sim.widget.resize(800, 600);
        sim.widget.show();
        const QSize frame = sim.widget.frameGeometry().size();
        sim.widget.move(area.right() + 1 - frame.width(), area.bottom() + 1 - frame.height());
        tm->minimise();
        QCOMPARE(tm->size(), tm->PicMin->size());
        QCOMPARE(tm->geometry().topLeft(), QPoint(180 - tm->width(), 570 - tm->height()));
        QVERIFY(tm->PicMin->isVisibleTo(tm.get()));
        QTest::mouseClick(tm->Command2, Qt::LeftButton);
        QCOMPARE(tm->size(), QSize(332, 242));
        QCOMPARE(tm->frameGeometry().bottomRight(), sim.widget.frameGeometry().bottomRight());
        QVERIFY(!tm->PicMin->isVisibleTo(tm.get()));
    }

    void closingRefusedUntilTheRunMayEnd() {
        unitPractice();
        auto tm = openPanel();
        d.PanelMayClose = False;
        QVERIFY(!tm->close());
        QVERIFY(tm->isVisible());
        d.PanelMayClose = True;
        QVERIFY(tm->close());
    }

    void endOfPracticeWritesTheRecords() {
        unitPractice(1, 3);
        QFile::remove(panel::progress::unitStatusFile(d));
        QVERIFY(platform::textfile::writeLinesAtomic(
            panel::progress::unitStatusFile(d),
            {QStringLiteral("TTF"), QStringLiteral("FFF"), QStringLiteral("FF")}));
        auto tm = openPanel();
        QSignalSpy ended(tm.get(), &FrmTm::runEnded);
        sim.widget.show();
        d.QuestionMark[1] = QStringLiteral("T");
        d.QuestionMark[3] = QStringLiteral("T");
        d.QuestionScore[1] = 5; // solved, visited
        d.QuestionScore[2] = 3; // marked, visited
        d.QuestionScore[3] = 7; // solved, marked, visited
        click(tm->CmdGN[5]);
        QCOMPARE(ended.count(), 1);
        QStringList status;
        QVERIFY(platform::textfile::readLines(panel::progress::unitStatusFile(d), status));
        QCOMPARE(status, (QStringList{QStringLiteral("TTF"), QStringLiteral("TFT"), QStringLiteral("FF")}));
        QStringList result;
        QVERIFY(platform::textfile::readLines(panel::progress::unitResultFile(d, 1), result));
        QCOMPARE(result, QStringList{QStringLiteral("426") + QString(37, u'0')});
        QCOMPARE(int(d.PanelMayClose), int(True));
        QVERIFY(!tm->isVisible());
        QVERIFY(!sim.widget.isVisible());
        QVERIFY(!tm->TimeKS.isActive());
        QVERIFY(prompter.asked.isEmpty());
    }

    // The records cannot be written (the record folder's name is taken by a
    // file): the learner is told which file, and the run still ends.
    void endOfPracticeReportsAFileItCannotWrite() {
        QTemporaryDir other;
        unitPractice(0, 3);
        d.AppPath = other.path();
        QFile blocker(other.path() + QStringLiteral("/ksdata"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto tm = openPanel();
        QSignalSpy ended(tm.get(), &FrmTm::runEnded);
        click(tm->CmdGN[5]);
        QCOMPARE(prompter.asked.size(), 1);
        QVERIFY(prompter.asked[0].text.contains(QStringLiteral("288893.rar")));
        QVERIFY(prompter.asked[0].text.contains(QStringLiteral("208800.rar")));
        QCOMPARE(prompter.asked[0].icon, platform::Prompter::Warning);
        QCOMPARE(ended.count(), 1);
        QVERIFY(!tm->isVisible());
    }

    void endOfReview_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("yes keeps the unsolved codes in order")
            << int(platform::Prompter::AnswerYes) << QStringLiteral("01120102");
        QTest::newRow("no writes nothing")
            << int(platform::Prompter::AnswerNo) << QStringLiteral("0507011203040102");
    }
    void endOfReview() {
        QFETCH(int, answer);
        QFETCH(QString, expected);
        unitPractice(0, 4);
        d.CurSet = CurSetReview;
        d.ReviewSet = 2;
        d.IndexFile = d.DataDir + QStringLiteral("288870.rar");
        QVERIFY(platform::textfile::writeLinesAtomic(panel::progress::wrongListFile(d, 2),
                                                     {QStringLiteral("0507011203040102")}));
        auto tm = openPanel();
        tm->applyEntry({panel::RunKind::Review, QStringLiteral("错题复习-"), QString()});
        d.QuestionScore[1] = 5;
        d.QuestionScore[2] = 3;
        d.QuestionScore[3] = 4;
        d.QuestionScore[4] = 1;
        QSignalSpy ended(tm.get(), &FrmTm::runEnded);
        prompter.answers = {platform::Prompter::Answer(answer)};
        click(tm->CmdGN[5]);
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.asked[0].text, ReviewQuestion);
        QCOMPARE(prompter.asked[0].buttons, platform::Prompter::YesNo);
        QCOMPARE(prompter.asked[0].icon, platform::Prompter::Question);
        QCOMPARE(prompter.asked[0].defaultAnswer, platform::Prompter::AnswerNo);
        QCOMPARE(ended.count(), 1);
        QStringList list;
        QVERIFY(platform::textfile::readLines(panel::progress::wrongListFile(d, 2), list));
        QCOMPARE(list, QStringList{expected});
        QVERIFY(!tm->isVisible());
    }

    void examReviewEndsWithoutAsking() {
        unitPractice(0, 3);
        d.SetBase = SetBaseExamPaper;
        d.CurSet = 2;
        auto tm = openPanel();
        tm->applyEntry({panel::RunKind::Review, QString(), std::nullopt});
        QSignalSpy ended(tm.get(), &FrmTm::runEnded);
        click(tm->CmdGN[5]);
        QVERIFY(prompter.asked.isEmpty());
        QCOMPARE(ended.count(), 1);
    }

    // The trainer opens a run beside the real simulated window: captions of the
    // entry, number buttons, TimerREDO last. The learner solves question 1 by
    // clicking its zone; the closing record rewrites the panel's captions; the end
    // writes the records and returns to a fresh cover page.
    void trainerOpensSolvesAndEndsARun() {
        unitPractice(0, 2);
        d.UnitCount = 1;
        start::setfiles::nameSetFiles(d);
        QVERIFY(start::setfiles::readQuestionOffsets(d) > 0);
        const sim::bank::StepRecord zoneClick = Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 600).r;
        const sim::bank::StepRecord done = Rec(QStringLiteral("9999")).r;
        QVERIFY(platform::textfile::writeLinesAtomic(d.StepFile, {zoneClick.line, done.line}));
        QVERIFY(platform::textfile::writeLinesAtomic(d.TextFile, {QStringLiteral("001")}));
        QFile::remove(panel::progress::unitStatusFile(d));
        QFile::remove(panel::progress::unitResultFile(d, 0));
        // the module check the fresh cover page makes
        QVERIFY(platform::textfile::writeLinesAtomic(d.dataFile(QStringLiteral("288899.rar")),
                                                     {QString::number(d.ModuleNo)}));

        platform::SystemClock clock;
        NoLock lock;
        Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, &lock}, QStringLiteral("caddrill"));
        trainer.openRun({panel::RunKind::Practice, QStringLiteral("单元练习-"), std::nullopt});
        FrmTm *tm = trainer.panel();
        FrmMain *main = trainer.simulatedWindow();
        QVERIFY(tm->isVisible());
        QVERIFY(main->isVisible());
        QCOMPARE(tm->LblBiao->text(), QStringLiteral("单元练习-"));
        QVERIFY(tm->TimerREDO.isActive());
        QVERIFY(!tm->CmTNO[3]->isVisibleTo(tm->FrmSelect));
        QTRY_VERIFY(!tm->TimerREDO.isActive()); // DqExam ran once
        QCOMPARE(tm->LblBiao->text(), QStringLiteral("第1单元  第1/2题（未完成）"));
        // docked into the simulated window's lower right corner
        QCOMPARE(tm->frameGeometry().bottomRight(), main->frameGeometry().bottomRight());
        QTRY_COMPARE(main->Label1->geometry(), QRect(100, 100, 40, 40)); // Timer2 set the step up
        QTest::mouseClick(main->Label1, Qt::LeftButton);
        QTRY_COMPARE(tm->LblBiao->text(), QStringLiteral("第1单元  第1/2题（已完成）"));
        QCOMPARE(tm->LblUnit->text(), QStringLiteral("未完成的题目 2"));
        QCOMPARE(d.QuestionMark[1], QStringLiteral("T"));

        QPointer<FrmTm> panel(tm);
        QPointer<FrmMain> simulated(main);
        QSignalSpy cover(&trainer, &Trainer::coverShown);
        click(tm->CmdGN[5]);
        QCOMPARE(cover.count(), 1);
        QVERIFY(trainer.cover() && trainer.cover()->isVisible());
        QTRY_VERIFY(!panel && !simulated); // both forms are gone after the run
        QStringList status, result;
        QVERIFY(platform::textfile::readLines(panel::progress::unitStatusFile(d), status));
        QCOMPARE(status, QStringList{QStringLiteral("TF")});
        QVERIFY(platform::textfile::readLines(panel::progress::unitResultFile(d, 0), result));
        QCOMPARE(result, QStringList{QStringLiteral("4") + QString(39, u'0')});
    }

    // The simulated window gone under the panel (destroyed by something else
    // than the run's end): the panel goes on without it.
    void simulatedWindowClosedUnderThePanel() {
        unitPractice(0, 3);
        d.UnitCount = 1;
        start::setfiles::nameSetFiles(d);
        platform::SystemClock clock;
        NoLock lock;
        Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, &lock}, QStringLiteral("caddrill"));
        trainer.openRun({panel::RunKind::Practice, QStringLiteral("单元练习-"), std::nullopt});
        FrmTm *tm = trainer.panel();
        QPointer<FrmMain> main(trainer.simulatedWindow());
        delete main.data();
        QVERIFY(!main);
        click(tm->CmdGN[1]);
        QCOMPARE(int(d.CurQuestion), 2);
        click(tm->CmdGN[6]);
        QCOMPARE(int(d.WorkMode), 1);
        QVERIFY(!tm->simulatedWindow());
    }

    // Closing a window of the run (Alt+F4: close() on the simulated window, the
    // window system's close on the panel) is the end button: a practice writes
    // its records and the cover page comes back; an exam asks for the hand-in,
    // and going on with the exam keeps both windows; a review asks its question.
    void closingAWindowEndsTheRun_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("panelClosed"); // else the simulated window
        QTest::addColumn<QString>("answer");   // in the hand-in dialogs
        using K = panel::RunKind;
        QTest::newRow("practice, simulated window") << int(K::Practice) << false << QString();
        QTest::newRow("practice, panel") << int(K::Practice) << true << QString();
        QTest::newRow("wrong-question review, simulated window") << int(K::Review) << false << QString();
        QTest::newRow("exam, simulated window, 继续考试")
            << int(K::Exam) << false << QStringLiteral("继续考试");
        QTest::newRow("exam, simulated window, 交卷") << int(K::Exam) << false << QStringLiteral("交卷");
        QTest::newRow("exam, panel, 继续考试") << int(K::Exam) << true << QStringLiteral("继续考试");
    }
    void closingAWindowEndsTheRun() {
        QFETCH(int, kind);
        QFETCH(bool, panelClosed);
        QFETCH(QString, answer);
        const auto runKind = panel::RunKind(kind);
        if (runKind == panel::RunKind::Exam)
            examPaper();
        else
            unitPractice(0, 2);
        d.PanelMayClose = False; // as every opener leaves it during a run
        d.UnitCount = 1;
        if (runKind == panel::RunKind::Review) {
            d.CurSet = CurSetReview;
            d.ReviewSet = 2;
            QVERIFY(platform::textfile::writeLinesAtomic(panel::progress::wrongListFile(d, 2),
                                                         {QStringLiteral("00010002")}));
        }
        start::setfiles::nameSetFiles(d);
        d.IndexFile = d.DataDir + QStringLiteral("288870.rar");
        QFile::remove(panel::progress::unitStatusFile(d));
        QFile::remove(panel::progress::unitResultFile(d, 0));
        QVERIFY(platform::textfile::writeLinesAtomic(d.dataFile(QStringLiteral("288899.rar")),
                                                     {QString::number(d.ModuleNo)}));
        NoLock lock;
        Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, &lock}, QStringLiteral("caddrill"));
        trainer.openRun({runKind, QString(), std::nullopt});
        QPointer<FrmTm> tm(trainer.panel());
        QPointer<FrmMain> main(trainer.simulatedWindow());
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QTRY_VERIFY(!tm->TimerREDO.isActive());
        d.QuestionMark[1] = QStringLiteral("T");
        d.QuestionScore[1] = 5; // solved, visited
        QSignalSpy cover(&trainer, &Trainer::coverShown);

        if (panelClosed) {
            // as the window system closes it: a close event on its window
            QVERIFY(tm->windowHandle());
            QCloseEvent close;
            QCoreApplication::sendEvent(tm->windowHandle(), &close);
            QVERIFY(!close.isAccepted());
        } else {
            main->close();
        }

        if (runKind != panel::RunKind::Exam) {
            QTRY_COMPARE(cover.count(), 1);
            QTRY_VERIFY(!tm && !main); // both windows gone with the run
            if (runKind == panel::RunKind::Practice) {
                QVERIFY(prompter.asked.isEmpty());
                QStringList status, result;
                QVERIFY(platform::textfile::readLines(panel::progress::unitStatusFile(d), status));
                QCOMPARE(status, QStringList{QStringLiteral("TF")});
                QVERIFY(platform::textfile::readLines(panel::progress::unitResultFile(d, 0), result));
                QCOMPARE(result, QStringList{QStringLiteral("4") + QString(39, u'0')});
            } else {
                QCOMPARE(prompter.asked.size(), 1);
                QCOMPARE(prompter.asked[0].text, ReviewQuestion);
            }
            return;
        }
        // the exam: the hand-in dialog over the hidden panel, the simulated window kept
        QTRY_VERIFY(trainer.handInDialog());
        auto *end1 = qobject_cast<FrmEnd1 *>(trainer.handInDialog());
        QVERIFY(end1 && end1->isVisible());
        QVERIFY(!tm->isVisible());
        QVERIFY(main && main->isVisible());
        QCOMPARE(cover.count(), 0);
        if (answer == QLatin1String("继续考试")) {
            QTest::mouseClick(end1->Command2, Qt::LeftButton);
            QVERIFY(!trainer.handInDialog());
            QCoreApplication::processEvents(); // whatever the close left pending has run
            QVERIFY(tm && tm->isVisible());
            QVERIFY(main && main->isVisible());
            QVERIFY(tm->TimeKS.isActive()); // the exam goes on
            QCOMPARE(cover.count(), 0);
            return;
        }
        QTest::mouseClick(end1->Command1, Qt::LeftButton);
        auto *end2 = qobject_cast<FrmEnd2 *>(trainer.handInDialog());
        QVERIFY(end2);
        QTest::mouseClick(end2->Command1, Qt::LeftButton);
        QVERIFY(trainer.report() && trainer.report()->isVisible());
        QTRY_VERIFY(!tm && !main);
    }

    // The exam's hint dialog, opened by the shell from the panel's "操作提示":
    // closing it in any way but the confirmed answer leaves the exam as it was.
    void hintDialog_data() {
        QTest::addColumn<QString>("target"); // what is clicked in the dialog
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("stays");
        QTest::addColumn<bool>("opened");
        using P = platform::Prompter;
        QTest::newRow("我先独立完成") << QStringLiteral("Command1") << QList<int>{} << false << false;
        QTest::newRow("the notice text") << QStringLiteral("Label2") << QList<int>{} << false << false;
        QTest::newRow("the warning") << QStringLiteral("Label3") << QList<int>{} << false << false;
        QTest::newRow("the background") << QString() << QList<int>{} << false << false;
        QTest::newRow("我想立即看答案, No")
            << QStringLiteral("Command2") << QList<int>{P::AnswerNo} << true << false;
        QTest::newRow("我想立即看答案, Yes")
            << QStringLiteral("Command2") << QList<int>{P::AnswerYes} << false << true;
    }
    void hintDialog() {
        QFETCH(QString, target);
        QFETCH(QList<int>, answers);
        QFETCH(bool, stays);
        QFETCH(bool, opened);
        examPaper();
        for (int a : answers)
            prompter.answers << platform::Prompter::Answer(a);
        Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, nullptr}, QStringLiteral("caddrill"));
        FrmTm *tm = trainer.panel();
        tm->setSimulatedWindow(&sim);
        tm->show();
        QSignalSpy demo(tm, &FrmTm::demonstrationRequested);
        QCOMPARE(tm->Command1->text(), QStringLiteral("操作提示"));
        QCOMPARE(int(d.CurStep), 4);
        click(tm->CmdGN[7]);
        QPointer<FrmCZTS> dialog = tm->findChild<FrmCZTS *>();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("操作提示"));
        QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
        QCOMPARE(dialog->Label3->text(), QStringLiteral("请注意!!!"));
        QVERIFY(dialog->Label2->text().startsWith(QStringLiteral("1.正式考试时不能看答案。\r\n\r\n2.")));
        QVERIFY(
            dialog->Label2->text().endsWith(QStringLiteral("3.如果你等不及了，可以点“我想立即看答案”。")));
        QCOMPARE(dialog->Command1->text(), QStringLiteral("我先独立完成"));
        QCOMPARE(dialog->Command2->text(), QStringLiteral("我想立即看答案"));

        // clicked through the window, as the pointer would
        QWidget *w = target.isEmpty() ? nullptr : dialog->findChild<QWidget *>(target);
        QVERIFY(target.isEmpty() || w);
        const QPoint at = w ? w->geometry().center() : QPoint(dialog->width() - 6, 6);
        QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, at);

        QCOMPARE(prompter.asked.size(), int(answers.size()));
        if (!answers.isEmpty()) {
            const auto &asked = prompter.asked.first();
            QCOMPARE(asked.title, QStringLiteral("不建议您立即看答案"));
            QCOMPARE(asked.text,
                     QStringLiteral(
                         "立即看答案将不能测试您的实际水平，如果你坚持现在看答案，成绩将不记入本次练习记录！"
                         "\r\n您现在就要看答案吗？"));
            QCOMPARE(asked.buttons, platform::Prompter::YesNo);
            QCOMPARE(asked.icon, platform::Prompter::NoIcon);
        }
        if (stays) {
            QVERIFY(dialog && dialog->isVisible());
        } else {
            QTRY_VERIFY(!dialog);
        }
        if (opened) {
            QCOMPARE(int(d.WorkMode), int(WorkPractice));
            QCOMPARE(d.ExamStartTime, QStringLiteral("-1"));
            QCOMPARE(int(d.PanelMayClose), int(False));
            QCOMPARE(int(d.CurStep), 1);
            QCOMPARE(tm->CmdCZTS->text(), QStringLiteral("手把手教"));
            QCOMPARE(tm->Command1->text(), QStringLiteral("操作演示"));
            QCOMPARE(tm->CmdEnd->text(), QStringLiteral("结束考试"));
            QVERIFY(sim.widget.isVisible());
            QVERIFY(tm->TimStartYS.isActive());
            QTRY_COMPARE(demo.count(), 1);  // the demonstration of the current question
            QVERIFY(tm->TimeKS.isActive()); // the countdown goes on
        } else {
            QCOMPARE(int(d.WorkMode), int(WorkExam));
            QCOMPARE(d.ExamStartTime, QStringLiteral("2026-03-02 09:00:00"));
            QCOMPARE(int(d.PanelMayClose), int(True));
            QCOMPARE(int(d.CurStep), 4);
            QCOMPARE(tm->Command1->text(), QStringLiteral("操作提示"));
            QCOMPARE(tm->CmdCZTS->text(), QStringLiteral("考生信息"));
            QVERIFY(!tm->TimStartYS.isActive());
            QCOMPARE(demo.count(), 0);
        }
        if (dialog)
            dialog->close();
    }

    // The hint dialog by keys: it opens on "我先独立完成", which Enter presses;
    // Tab reaches "我想立即看答案", which Space or Enter presses (and asks).
    void hintDialogByKeys_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("stays");
        QTest::addColumn<bool>("opened");
        using P = platform::Prompter;
        using K = QList<int>;
        QTest::newRow("Enter") << K{Qt::Key_Return} << K{} << false << false;
        QTest::newRow("Space") << K{Qt::Key_Space} << K{} << false << false;
        QTest::newRow("Tab Space, No") << K{Qt::Key_Tab, Qt::Key_Space} << K{P::AnswerNo} << true << false;
        QTest::newRow("Tab Enter, Yes") << K{Qt::Key_Tab, Qt::Key_Return} << K{P::AnswerYes} << false << true;
    }
    void hintDialogByKeys() {
        QFETCH(QList<int>, keys);
        QFETCH(QList<int>, answers);
        QFETCH(bool, stays);
        QFETCH(bool, opened);
        examPaper();
        for (int a : answers)
            prompter.answers << platform::Prompter::Answer(a);
        Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, nullptr}, QStringLiteral("caddrill"));
        FrmTm *tm = trainer.panel();
        tm->setSimulatedWindow(&sim);
        tm->show();
        click(tm->CmdGN[7]);
        QPointer<FrmCZTS> dialog = tm->findChild<FrmCZTS *>();
        QVERIFY(dialog);
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTRY_COMPARE(QApplication::focusWidget(), dialog->Command1);
        QVERIFY(dialog->screen()->availableGeometry().contains(dialog->frameGeometry()));
        for (int key : keys) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus && focus->window() == dialog);
            QTest::keyClick(focus, Qt::Key(key));
        }
        QCOMPARE(prompter.asked.size(), int(answers.size()));
        if (stays)
            QVERIFY(dialog && dialog->isVisible());
        else
            QTRY_VERIFY(!dialog);
        QCOMPARE(int(d.WorkMode), int(opened ? WorkPractice : WorkExam));
        tm->TimStartYS.stop();
        if (dialog)
            dialog->close();
    }

    // The input-method indicator in every run: "EN", its menu filled from the
    // desktop's layouts, opened above and to the left of it; an entry hands its
    // layout to the simulated window's command line.
    void inputMethodMenu_data() {
        QTest::addColumn<bool>("exam");
        QTest::addColumn<int>("methods"); // input methods after the plain keyboard
        QTest::newRow("exam, two input methods") << true << 2;
        QTest::newRow("practice, none") << false << 0;
        QTest::newRow("exam, twelve input methods") << true << 12;
    }
    void inputMethodMenu() {
        QFETCH(bool, exam);
        QFETCH(int, methods);
        if (exam)
            examPaper();
        else
            unitPractice();
        platform::NullKeyboardLayout keyboard;
        keyboard.layouts << platform::InstalledLayout{7, QString()};
        for (int i = 1; i <= methods; ++i)
            keyboard.layouts << platform::InstalledLayout{7 + i, QStringLiteral("输入法%1").arg(i)};
        auto tm = openPanel();
        tm->setKeyboardLayout(keyboard);
        tm->move(300, 380);
        QVERIFY(QTest::qWaitForWindowExposed(tm.get()));
        QVERIFY(tm->LblIME->isVisible());
        QCOMPARE(tm->LblIME->text(), QStringLiteral("EN"));
        QCOMPARE(tm->LblTime->isVisible(), exam);

        QCOMPARE(tm->mEng->text(), QStringLiteral("英语（美国）"));
        const int shown = std::clamp(methods, 1, 10);
        for (int k = 1; k <= 10; ++k) {
            QCOMPARE(tm->mCn[k - 1]->isVisible(), k <= shown);
            if (k <= methods)
                QCOMPARE(tm->mCn[k - 1]->text(), QStringLiteral("输入法%1").arg(k));
        }
        if (methods == 0)
            QCOMPARE(tm->mCn[0]->text(), QStringLiteral("中文1"));

        // the corner: the indicator's left edge, 20 px (300 twips) per counted entry above its top
        const QPoint label = tm->LblIME->mapTo(tm.get(), QPoint(0, 0));
        const QPoint corner = tm->inputMenuCorner();
        QCOMPARE(corner, QPoint(label.x(), label.y() - 20 * (methods + 1)));
        click(tm->LblIME);
        QTRY_VERIFY(tm->mIme->isVisible());
        const QRect menu = tm->mIme->geometry();
        const QPoint global = tm->mapToGlobal(corner);
        QCOMPARE(menu.right() + 1, global.x());
        QCOMPARE(menu.top(), global.y());
        tm->mIme->hide();
        // by keys: the indicator is a Tab stop with a name, and Space or Enter
        // pops the same menu in the same place
        QVERIFY(tm->LblIME->focusPolicy() & Qt::TabFocus);
        QCOMPARE(tm->LblIME->spokenName(), QStringLiteral("输入法"));
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            QTest::keyClick(tm->LblIME, key);
            QTRY_VERIFY(tm->mIme->isVisible());
            QCOMPARE(tm->mIme->geometry(), menu);
            tm->mIme->hide();
        }

        // entry k stands for the layout it describes; mEng for the plain keyboard
        const int entry = methods >= 2 ? 2 : 0;
        sim.commandLineFocus = 0;
        (entry == 0 ? tm->mEng : tm->mCn[entry - 1])->trigger();
        QCOMPARE(int(d.InputLayout), 7 + entry);
        QCOMPARE(sim.commandLineFocus, 1);
        QVERIFY(sim.widget.isVisible());
    }
};

QTEST_MAIN(TstFrmTm)
#include "tst_frmtm.moc"
