// What stepping a question writes into the learner's record: everything through
// the installed LearnerRecord, nothing at all for an engine given none.
#include "fixture.h"
#include "simulator/stepengine.h"

#include <QTest>

using namespace sim;

namespace {

struct Captions : EngineListener {
    int count = 0;
    std::optional<QString> title, unfinished;
    void stepLaidOut() override {}
    void showMenu(const sim::menus::MenuContent &, int) override {}
    void panelCaptions(const std::optional<QString> &b, const std::optional<QString> &u) override {
        ++count;
        title = b;
        unfinished = u;
    }
    void fileProblem(const QString &) override {}
};

// The learner's part of ModData, to compare before and after.
struct Snapshot {
    QList<int> saved, score;
    QStringList mark, screen;
    explicit Snapshot(const ModData &d) {
        for (int q = 1; q <= MaxQuestions; ++q) {
            saved << d.SavedStep[q];
            score << d.QuestionScore[q];
            mark << d.QuestionMark[q];
            for (const QString &id : d.QuestionScreen[q])
                screen << id;
        }
    }
    bool operator==(const Snapshot &) const = default;
};

enum class Sink { Default, Installed, None };

} // namespace

Q_DECLARE_METATYPE(Sink)

class TstLearnerRecord : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void stepThroughQuestion_data();
    void stepThroughQuestion();
    void keeperHearsEachNewlySolvedQuestion();
};

void TstLearnerRecord::stepThroughQuestion_data() {
    QTest::addColumn<Sink>("sink");
    QTest::newRow("engine keeping the learner's record") << Sink::Default;
    QTest::newRow("record installed") << Sink::Installed;
    QTest::newRow("no record") << Sink::None;
}

// Question 2 of three: a screen and picture 3 on step 1, a click, the closing
// record; the window opened on a record where question 2 was left at step 4.
void TstLearnerRecord::stepThroughQuestion() {
    QFETCH(Sink, sink);
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    f.writePicture(QStringLiteral("100001"));
    f.writePicture(QStringLiteral("300003"));
    const auto closing = Rec(QStringLiteral("9999"));
    f.writeQuestions({{closing},
                      {Rec(QStringLiteral("0001"))
                           .screen(QStringLiteral("100001"))
                           .pic(3, 600, 600, QStringLiteral("300003"))
                           .zone(1500, 1500, 600, 600),
                       closing},
                      {closing}});
    f.data.CurQuestion = 2;
    f.data.SavedStep[2] = 4;
    f.data.QuestionScore[2] = 1;
    f.data.QuestionScreen[2][3] = QStringLiteral("399999");
    const Snapshot before(f.data);

    ModDataRecord learner(f.data);
    std::unique_ptr<StepEngine> e;
    if (sink == Sink::Default)
        e = std::make_unique<StepEngine>(f.data);
    else
        e = std::make_unique<StepEngine>(f.data, sink == Sink::Installed ? &learner : nullptr);
    Captions captions;
    e->setListener(&captions);
    e->formLoad();
    e->setData();
    e->zone1MouseUp(1, 0);
    e->zone1MouseUp(1, 0); // an action on the closing screen

    // The engine steps the same whatever it reports to.
    QCOMPARE(int(f.data.CurStep), 2);
    QVERIFY(e->screen().successVisible);
    QCOMPARE(e->screen().background, QStringLiteral("100001"));

    if (sink == Sink::None) {
        QVERIFY(Snapshot(f.data) == before);
        QCOMPARE(captions.count, 0);
        return;
    }
    QCOMPARE(int(f.data.SavedStep[1]), 1); // the opening reset
    QCOMPARE(int(f.data.SavedStep[2]), 2);
    QCOMPARE(f.data.QuestionScreen[2][0], QStringLiteral("100001"));
    QCOMPARE(f.data.QuestionScreen[2][3], QStringLiteral("300003"));
    QCOMPARE(f.data.QuestionScreen[2][1], QString()); // no picture 1 named
    QCOMPARE(int(f.data.QuestionScore[2]), 5);
    QCOMPARE(f.data.QuestionMark[2], QStringLiteral("T"));
    QCOMPARE(f.data.QuestionMark[1], QStringLiteral("F"));
    QCOMPARE(captions.count, 1);
    QCOMPARE(captions.title.value_or(QString()), QStringLiteral("第1单元  第2/3题（已完成）"));
    QCOMPARE(captions.unfinished.value_or(QString()), QStringLiteral("未完成的题目 1 3"));
}

// The run keeps a solved question on the disk at once: the keeper hears of it
// once, when it becomes solved, not each time its closing record is shown again.
void TstLearnerRecord::keeperHearsEachNewlySolvedQuestion() {
    BankFixture f;
    f.writeTexts({QStringLiteral("x")});
    const auto closing = Rec(QStringLiteral("9999"));
    const auto click = Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 600);
    f.writeQuestions({{click, closing}, {click, closing}});
    f.data.QuestionMark[2] = QStringLiteral("T"); // solved in an earlier practice
    f.data.QuestionScore[2] = 4;
    ModDataRecord learner(f.data);
    QList<int> kept;
    learner.setSolvedKeeper([&](int q) {
        kept << q;
        QCOMPARE(f.data.QuestionMark[q], QStringLiteral("T")); // told once it is recorded
        QVERIFY(f.data.QuestionScore[q] >= 4);
    });
    StepEngine e(f.data, &learner);
    e.setData();
    e.zone1MouseUp(1, 0);
    e.zone1MouseUp(1, 0); // an action on the closing screen
    e.backClick();
    e.zone1MouseUp(1, 0); // the closing record again
    QCOMPARE(kept, QList<int>{1});
    f.data.CurQuestion = 2;
    f.data.CurStep = 1;
    e.setData();
    e.zone1MouseUp(1, 0);
    QCOMPARE(kept, QList<int>{1}); // already solved: nothing new to keep
}

QTEST_MAIN(TstLearnerRecord)
#include "tst_learnerrecord.moc"
