// Every question of the staged sample module solved through the step engine with
// the action its step codes ask for: clicks, keys, typed answers, menu entries
// that exist in sMenu.sys, drags onto the zones; every picture readable and every
// question ending on its closing record.
#include "simulator/cursorfile.h"
#include "simulator/stepcode.h"
#include "simulator/stepengine.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/verfile.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace sim;

namespace {

struct Listener : EngineListener {
    QStringList problems;
    sim::menus::MenuContent lastMenu;
    int menus = 0;
    void stepLaidOut() override {}
    void showMenu(const sim::menus::MenuContent &m, int) override {
        lastMenu = m;
        ++menus;
    }
    void panelCaptions(const std::optional<QString> &, const std::optional<QString> &) override {}
    void fileProblem(const QString &m) override { problems << m; }
};

} // namespace

class TstSampleModule : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everyQuestion_data();
    void everyQuestion();
    void pointerFiles();

  private:
    QString program() const { return QStringLiteral(CADDRILL_PROGRAM_DIR); }
};

void TstSampleModule::everyQuestion_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("question");
    ModData d;
    d.AppPath = program();
    QString err;
    if (!start::verfile::readInfo(d, &err))
        QSKIP("the sample module is not staged in the program folder");
    int rows = 0;
    for (int u = 0; u < 20; ++u) {
        d.CurSet = Integer(u);
        d.SetBase = SetBaseUnit;
        start::setfiles::nameSetFiles(d);
        if (!QFileInfo::exists(d.IndexFile))
            break;
        const int n = start::setfiles::readQuestionOffsets(d, &err);
        for (int q = 1; q <= n && q <= MaxQuestions; ++q, ++rows)
            QTest::addRow("unit %d question %d", u + 1, q) << u << q;
    }
    QVERIFY(rows > 0);
}

void TstSampleModule::everyQuestion() {
    QFETCH(int, unit);
    QFETCH(int, question);
    ModData d;
    d.AppPath = program();
    QString err;
    QVERIFY(start::verfile::readInfo(d, &err));
    d.CurSet = Integer(unit);
    d.SetBase = SetBaseUnit;
    d.WorkMode = WorkPractice;
    start::setfiles::nameSetFiles(d);
    d.QuestionCount = Integer(start::setfiles::readQuestionOffsets(d, &err));
    for (int q = 1; q <= MaxQuestions; ++q)
        d.QuestionMark[q] = QStringLiteral("F");
    d.CurQuestion = Integer(question);

    StepEngine e(d);
    Listener l;
    e.setListener(&l);
    e.formLoad();
    e.restoreQuestion(question);
    e.setData();
    sim::bank::BankReader texts(d);
    for (int guard = 0; guard < 100 && !e.record().isClosing(); ++guard) {
        QVERIFY2(!e.blocked(), qPrintable(l.problems.join(u'\n')));
        const int step = d.CurStep;
        const ScreenModel &s = e.screen();
        const StepCode c = decodeStepCode(s.code);
        const QString where = QStringLiteral("step %1 code %2").arg(step).arg(c.code);
        const sim::bank::Alternatives answer = sim::bank::splitAnswer(texts.text(e.record().answerLine()));
        auto play = [&e](std::initializer_list<Action> actions) {
            for (const Action &a : actions)
                e.apply(a);
        };
        if (s.boxVisible && c.kind != StepKind::TypeNow) {
            // Any step with a command line is completed by typing its answer and Enter
            // ("A111" is the usual code of such a step).
            play({Action::text1(answer.first), Action::text1KeyUp(13)});
        } else if (c.kind == StepKind::Click) {
            play({Action::zone1Down(1), Action::zone1Up(1)});
        } else if (c.kind == StepKind::DoubleClick) {
            play(
                {Action::zone1Down(1), Action::zone1Up(1), Action::zone1Down(1), Action::zone1DoubleClick()});
        } else if (c.kind == StepKind::RightClick || c.kind == StepKind::RightClickOrEnter) {
            play({Action::zone1Down(2)});
        } else if (c.kind == StepKind::Hover) {
            play({Action::zone1Move()});
        } else if (c.kind == StepKind::TypeNow) {
            QVERIFY2(s.boxVisible, qPrintable(where));
            play({Action::text1(answer.first)});
        } else if (c.kind == StepKind::TypeOverlay) {
            QVERIFY2(s.overlayVisible, qPrintable(where));
            play({Action::text2(texts.text(e.record().answerLine()))});
        } else if (c.kind == StepKind::DragSelect || c.kind == StepKind::DragDrop) {
            const int k = c.modifiers;
            QVERIFY2(s.zone2.w > 1 && s.zone1.w > 1, qPrintable(where + QStringLiteral(": zones missing")));
            const int dx = s.zone1.x + s.zone1.w / 2 - s.zone2.x;
            const int dy = s.zone1.y + s.zone1.h / 2 - s.zone2.y;
            play({Action::zone2Down(1, k, 0, 0), Action::zone2Move(k, dx / 2, dy / 2),
                  Action::zone2Move(k, dx, dy), Action::zone2Up(1, k, dx, dy)});
        } else if (c.kind == StepKind::ContextMenu) {
            QVERIFY2(s.zone1.w > 1, qPrintable(where + QStringLiteral(": zone 1 missing")));
            const int before = l.menus;
            play({Action::zone1Down(2)});
            QCOMPARE(l.menus, before + 1);
            QVERIFY2(l.lastMenu.groups[c.group].size() > c.item &&
                         l.lastMenu.groups[c.group][c.item] != QLatin1String("-"),
                     qPrintable(where + QStringLiteral(": no such entry in sMenu.sys")));
            play({Action::chooseItem(c.group, c.item)});
        } else if (c.kind == StepKind::Key) {
            play({Action::windowKey(c.key, c.modifiers)});
        } else if (c.kind == StepKind::PictureDrag) {
            QVERIFY2(s.pics[5].visible, qPrintable(where + QStringLiteral(": picture 5 hidden")));
            const int tx = s.picTargetX - s.picLeft;
            const int ty = s.picTargetY - s.picTop;
            play({Action::picture5Move(1, c.dx ? 2 * tx : 0, c.dy ? 2 * ty : 0), Action::picture5Up()});
        } else if (c.kind == StepKind::Timer) {
            play({Action::timerTick()});
        } else if (c.kind == StepKind::Press) {
            play({Action::zone1Down(c.button, c.modifiers)});
        } else if (c.bank == sim::menus::Bank::MenuBar || c.bank == sim::menus::Bank::SecondMenuBar) {
            QVERIFY2(s.menuBarVisible || s.zone1.w > 1, qPrintable(where + QStringLiteral(": no menu bar")));
            play({Action::openBarMenu(c.menu - 1)});
            QVERIFY2(l.lastMenu.groups[c.group].size() > c.item &&
                         l.lastMenu.groups[c.group][c.item] != QLatin1String("-"),
                     qPrintable(where + QStringLiteral(": no such entry in sMenu.sys")));
            play({Action::chooseItem(c.group, c.item)});
        } else if (e.record().zone2PlainClick()) {
            play({Action::zone2Down(1, 0, 0, 0)});
        }
        QVERIFY2(d.CurStep > step, qPrintable(where + QStringLiteral(": not completed")));
    }
    QVERIFY2(e.record().isClosing(), "no closing record within 100 steps");
    QVERIFY(e.screen().successVisible);
    QVERIFY(d.QuestionScore[question] >= StatusSolved);
    QCOMPARE(d.QuestionMark[question], QStringLiteral("T"));
    QVERIFY2(l.problems.isEmpty(), qPrintable(l.problems.join(u'\n')));
}

// The module's pointer files decode with their hot spot inside the picture.
void TstSampleModule::pointerFiles() {
    const QStringList files = QDir(program()).entryList({QStringLiteral("ico*.CUR")}, QDir::Files);
    if (files.isEmpty())
        QSKIP("no pointer files in the staged module");
    for (const QString &name : files) {
        const sim::cursorfile::Cursor c = sim::cursorfile::load(QDir(program()).filePath(name));
        QVERIFY2(!c.isNull(), qPrintable(name));
        QVERIFY2(QRect(QPoint(0, 0), c.image.size()).contains(c.hotSpot), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TstSampleModule)
#include "tst_samplemodule.moc"
