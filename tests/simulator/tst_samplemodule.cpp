// Every question of the staged sample module solved through the step engine with
// the action its step codes ask for: clicks, keys, typed answers, menu entries
// that exist in sMenu.sys, drags onto the zones; every picture readable and every
// question ending on its closing record.
#include "simulator/cursorfile.h"
#include "simulator/inputcodes.h"
#include "simulator/stepengine.h"
#include "start/moddata.h"
#include "start/setfiles.h"
#include "start/vb.h"
#include "start/verfile.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace sim;

namespace {

struct Listener : EngineListener {
    QStringList problems;
    menus::MenuContent lastMenu;
    int menus = 0;
    void stepLaidOut() override {}
    void showMenu(const menus::MenuContent &m, int) override {
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
    if (!verfile::readInfo(d, &err))
        QSKIP("the sample module is not staged in the program folder");
    int rows = 0;
    for (int u = 0; u < 20; ++u) {
        d.CurSet = Integer(u);
        d.SetBase = SetBaseUnit;
        setfiles::nameSetFiles(d);
        if (!QFileInfo::exists(d.IndexFile))
            break;
        const int n = setfiles::readQuestionOffsets(d, &err);
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
    QVERIFY(verfile::readInfo(d, &err));
    d.CurSet = Integer(unit);
    d.SetBase = SetBaseUnit;
    d.WorkMode = WorkPractice;
    setfiles::nameSetFiles(d);
    d.QuestionCount = Integer(setfiles::readQuestionOffsets(d, &err));
    for (int q = 1; q <= MaxQuestions; ++q)
        d.QuestionMark[q] = QStringLiteral("F");
    d.CurQuestion = Integer(question);

    StepEngine e(d);
    Listener l;
    e.setListener(&l);
    e.formLoad();
    e.restoreQuestion(question);
    e.setData();
    bank::BankReader texts(d);
    for (int guard = 0; guard < 100 && !e.record().isClosing(); ++guard) {
        QVERIFY2(!e.blocked(), qPrintable(l.problems.join(u'\n')));
        const int step = d.CurStep;
        const ScreenModel &s = e.screen();
        const QString code = s.code;
        const int32_t v = s.stepValue;
        const QString c3 = code.left(3);
        const QString where = QStringLiteral("step %1 code %2").arg(step).arg(code);
        const bank::Alternatives answer = bank::splitAnswer(texts.text(e.record().answerLine()));
        if (s.boxVisible && code != QLatin1String("0020")) {
            // Any step with a command line is completed by typing its answer and Enter
            // ("A111" is the usual code of such a step).
            e.text1Changed(answer.first);
            e.text1KeyReleased(13);
        } else if (code == QLatin1String("0001")) {
            e.zone1MouseDown(1, 0);
            e.zone1MouseUp(1, 0);
        } else if (code == QLatin1String("0002")) {
            e.zone1MouseDown(1, 0);
            e.zone1MouseUp(1, 0);
            e.zone1MouseDown(1, 0);
            e.zone1DoubleClick();
        } else if (code == QLatin1String("0003") || code == QLatin1String("2000")) {
            e.zone1MouseDown(2, 0);
        } else if (code == QLatin1String("0030")) {
            e.zone1MouseMove();
        } else if (code == QLatin1String("0020")) {
            QVERIFY2(s.boxVisible, qPrintable(where));
            e.text1Changed(answer.first);
        } else if (code == QLatin1String("0021")) {
            QVERIFY2(s.overlayVisible, qPrintable(where));
            e.text2Changed(texts.text(e.record().answerLine()));
        } else if (c3 == QLatin1String("004") || c3 == QLatin1String("005")) {
            const int k = vb::ValLong(code.mid(3, 1));
            QVERIFY2(s.zone2.w > 1 && s.zone1.w > 1, qPrintable(where + QStringLiteral(": zones missing")));
            const int dx = s.zone1.x + s.zone1.w / 2 - s.zone2.x;
            const int dy = s.zone1.y + s.zone1.h / 2 - s.zone2.y;
            e.zone2MouseDown(1, k, 0, 0);
            e.zone2MouseMove(k, dx / 2, dy / 2);
            e.zone2MouseMove(k, dx, dy);
            e.zone2MouseUp(1, k, dx, dy);
        } else if ((v >= 3000 && v <= 4999)) {
            QVERIFY2(s.zone1.w > 1, qPrintable(where + QStringLiteral(": zone 1 missing")));
            const int before = l.menus;
            e.zone1MouseDown(2, 0);
            QCOMPARE(l.menus, before + 1);
            const int g = (v / 10) % 10, j = v % 10;
            QVERIFY2(l.lastMenu.groups[g].size() > j && l.lastMenu.groups[g][j] != QLatin1String("-"),
                     qPrintable(where + QStringLiteral(": no such entry in sMenu.sys")));
            e.menuItemChosen(g, j);
        } else if (v >= 6000 && v <= 6999) {
            e.windowKeyDown(sim::keyOfCodeDigits(v % 100), (v / 100) % 10);
        } else if (v >= 8001 && v <= 8009) {
            QVERIFY2(s.pics[5].visible, qPrintable(where + QStringLiteral(": picture 5 hidden")));
            const int tx = s.picTargetX - s.picLeft;
            const int ty = s.picTargetY - s.picTop;
            const bool h = v != 8003 && v != 8004;
            const bool vert = v != 8001 && v != 8002;
            e.picture5MouseMove(1, h ? 2 * tx : 0, vert ? 2 * ty : 0);
            e.picture5MouseUp();
        } else if (code == QLatin1String("8888")) {
            e.timer3Tick();
        } else if (v >= 9000 && v <= 9998) {
            e.zone1MouseDown(v % 100, (v / 100) % 10);
        } else if (v >= 10000) {
            const int n = (v / 100) % 10 + (code.startsWith(u'B') ? 9 : 0);
            QVERIFY2(s.menuBarVisible || s.zone1.w > 1, qPrintable(where + QStringLiteral(": no menu bar")));
            e.openBarMenu(n - 1);
            const int g = (v / 10) % 10, j = v % 10;
            QVERIFY2(l.lastMenu.groups[g].size() > j && l.lastMenu.groups[g][j] != QLatin1String("-"),
                     qPrintable(where + QStringLiteral(": no such entry in sMenu.sys")));
            e.menuItemChosen(g, j);
        } else if (e.record().zone2PlainClick()) {
            e.zone2MouseDown(1, 0, 0, 0);
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
        const cursorfile::Cursor c = cursorfile::load(QDir(program()).filePath(name));
        QVERIFY2(!c.isNull(), qPrintable(name));
        QVERIFY2(QRect(QPoint(0, 0), c.image.size()).contains(c.hotSpot), qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TstSampleModule)
#include "tst_samplemodule.moc"
