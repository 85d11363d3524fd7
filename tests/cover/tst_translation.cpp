// Every text a learner sees passes through the installed translator: a translator
// that knows one text in one context replaces exactly that text where it shows,
// numbers and names land in its placeholders, and every text it does not know
// keeps its own wording.
#include "app/trainer.h"
#include "cover/covermodel.h"
#include "cover/frmfengmian.h"
#include "fakes.h"
#include "fixture.h"
#include "panel/examrules.h"
#include "panel/panelart.h"
#include "panel/panelrules.h"
#include "platform/clicklabel.h"
#include "refresher/session.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QTranslator>

namespace {

// Knows one source text in one context; an empty answer leaves the source as it is.
class OneTextTranslator : public QTranslator {
  public:
    OneTextTranslator(QByteArray context, QString source, QString translation)
        : m_context(std::move(context)), m_source(std::move(source)), m_translation(std::move(translation)) {}
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override {
        if (m_context == context && QString::fromUtf8(sourceText) == m_source)
            return m_translation;
        return {};
    }

  private:
    QByteArray m_context;
    QString m_source, m_translation;
};

// Installed for one scope.
struct Installed {
    QTranslator &t;
    explicit Installed(QTranslator &translator) : t(translator) { QCoreApplication::installTranslator(&t); }
    ~Installed() { QCoreApplication::removeTranslator(&t); }
};

struct ScriptedPage : refresher::PageSource {
    State now = Idle;
    QString body;
    void start(const QString &) override { now = Pending; }
    State state() const override { return now; }
    QString text() const override { return body; }
    QString reason() const override { return {}; }
};

// Where a text shows: each place gives the text the translator knows and, beside
// it, one it does not know.
enum class Place {
    ExamToolbar,     // the panel's buttons in an exam
    UnitTitle,       // the panel's title line in unit practice
    ScoreLine,       // the score report's line
    CoverTitle,      // the cover page's window title, from the cover model
    CoverTab,        // the cover page's information tabs
    PaperInfo,       // a paper slot's exam record
    RefresherLatest, // the update checker's verdict
    MissingFile,     // the update checker naming a missing bank version file
};

struct Shown {
    QString known, unknown;
};

} // namespace

Q_DECLARE_METATYPE(Place)

class TstTranslation : public QObject {
    Q_OBJECT

    // A module named without any product's name, installed in f.
    static void install(Fixture &f) {
        f.install(2, {5});
        Fixture::put(f.program() + QStringLiteral("/ver.txt"),
                     {start::verfile::encodeLine(QStringLiteral("制图基础")),
                      start::verfile::encodeLine(QStringLiteral("平面图形")),
                      start::verfile::encodeLine(QStringLiteral("cad2004")),
                      start::verfile::encodeLine(QStringLiteral("12"))});
    }

    static Shown cover(Place place) {
        Fixture f;
        install(f);
        ModData d = f.modData();
        FakePrompter prompter;
        Trainer trainer(d, {&prompter, nullptr, nullptr, nullptr, nullptr}, QStringLiteral("caddrill"));
        trainer.showCover();
        auto *c = qobject_cast<FrmFengmian *>(trainer.cover());
        if (!c || !c->LblPro[1] || !c->LblPro[2] || !c->LblCaption)
            return {};
        if (place == Place::CoverTitle) {
            // the caption after the program's version
            const QString caption = c->LblCaption->text();
            return {c->windowTitle(), caption.mid(caption.indexOf(QStringLiteral("──")))};
        }
        return {c->LblPro[1]->text(), c->LblPro[2]->text()};
    }

    static Shown refresher(Place place) {
        Fixture f;
        install(f);
        if (place == Place::MissingFile)
            QFile::remove(f.data() + QStringLiteral("288895.rar"));
        ScriptedPage page;
        FakePrompter prompter;
        FakeLauncher launcher;
        refresher::Session s(page, prompter, launcher, QStringLiteral("http://update.test"));
        s.load(f.program());
        if (place == Place::RefresherLatest) {
            s.tickStart();
            page.now = refresher::PageSource::Done;
            page.body = QStringLiteral("2027.1.2");
            s.tickPoll();
        }
        // the temporary folder's name is the one part a row cannot know
        return {QString(s.view().label1).replace(f.program(), QStringLiteral("<program>")), s.view().label2};
    }

    static Shown show(Place place) {
        ModData d;
        switch (place) {
        case Place::ExamToolbar: {
            const panel::PanelButtons b = panel::panelButtons(panel::RunKind::Exam);
            return {b.end, b.guide};
        }
        case Place::UnitTitle: {
            d.SetBase = SetBaseUnit;
            d.CurSet = 2;
            d.CurQuestion = 4;
            d.QuestionCount = 40;
            d.QuestionMark[4] = QStringLiteral("T");
            const QString done = panel::titleLine(d);
            d.QuestionMark[4] = QStringLiteral("F");
            return {done, panel::titleLine(d)};
        }
        case Place::ScoreLine:
            d.CurSet = 1;
            return {panel::exam::scoreLine(d, 87.5), panel::exam::timeUpText()};
        case Place::PaperInfo:
            return {cover::paperInfo(QStringLiteral("2026-12-01 09:30:00"), QStringLiteral("85")),
                    panel::unfinishedList(d)};
        case Place::CoverTitle:
        case Place::CoverTab:
            return cover(place);
        case Place::RefresherLatest:
        case Place::MissingFile:
            return refresher(place);
        }
        return {};
    }

  private Q_SLOTS:
    void coverPageTakesTheTranslation() {
        Fixture f;
        f.install(2, {5});
        ModData d = f.modData();
        FakePrompter prompter;

        OneTextTranslator translator("FrmFengmian", QStringLiteral("自动升级"),
                                     QStringLiteral("[auto update]"));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        Trainer trainer(d, {&prompter, nullptr, nullptr, nullptr, nullptr}, QStringLiteral("caddrill"));
        trainer.showCover();
        auto *c = qobject_cast<FrmFengmian *>(trainer.cover());
        QVERIFY(c);
        QVERIFY(c->Label2 && c->Check1 && c->LblClose);

        // the caption and the accessible name of the update switch both come from the translator
        QCOMPARE(c->Label2->text(), QStringLiteral("[auto update]"));
        QCOMPARE(c->Check1->accessibleName(), QStringLiteral("[auto update]"));
        // a text the translator does not know is shown as written
        QCOMPARE(c->LblClose->toolTip(), QStringLiteral("关闭"));
        QCoreApplication::removeTranslator(&translator);
    }

    void ruleTextsTakeTheTranslation_data() {
        QTest::addColumn<Place>("place");
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("known");   // shown under the translator
        QTest::addColumn<QString>("unknown"); // shown as written

        QTest::newRow("panel: the exam's end button")
            << Place::ExamToolbar << QByteArray("panel") << QStringLiteral("结束考试")
            << QStringLiteral("[end exam]") << QStringLiteral("[end exam]") << QStringLiteral("考生信息");
        // the numbers land in the translation's placeholders; the open question keeps its text
        QTest::newRow("panel: a solved question's title")
            << Place::UnitTitle << QByteArray("panel") << QStringLiteral("第%1单元  第%2/%3题（已完成）")
            << QStringLiteral("[unit %1: %2 of %3, solved]") << QStringLiteral("[unit 3: 4 of 40, solved]")
            << QStringLiteral("第3单元  第4/40题（未完成）");
        QTest::newRow("exam: the score line")
            << Place::ScoreLine << QByteArray("panel::exam") << QStringLiteral("第%1套得分：%2分")
            << QStringLiteral("[paper %1: %2 points]") << QStringLiteral("[paper 2: 87.5 points]")
            << QStringLiteral("时间已到，自动交卷！");
        QTest::newRow("cover model: the cover page's title")
            << Place::CoverTitle << QByteArray("cover")
            << QStringLiteral("柏川云学职称计算机考试——%1模块  题库版本：%2")
            << QStringLiteral("[%1, bank %2]") << QStringLiteral("[制图基础, bank 2026.12]")
            << QStringLiteral("──制图基础模块(题库版本：2026.12)");
        QTest::newRow("cover model: a paper's record")
            << Place::PaperInfo << QByteArray("cover") << QStringLiteral("最后考试时间 %1  最好成绩 %2")
            << QStringLiteral("[last %1, best %2]") << QStringLiteral("[last 2026-12-01 09:30:00, best 85]")
            << QStringLiteral("未完成的题目");
        QTest::newRow("information pages: the cover page's tab")
            << Place::CoverTab << QByteArray("cover::infopages") << QStringLiteral("考试简介")
            << QStringLiteral("[about]") << QStringLiteral("[about]") << QStringLiteral("考试大纲");
        QTest::newRow("update checker: the newer version")
            << Place::RefresherLatest << QByteArray("refresher::Session")
            << QStringLiteral("题库最新版本是：%1") << QStringLiteral("[latest: %1]")
            << QStringLiteral("[latest: 2027.1.2]") << QStringLiteral(" ");
        // the file reader's message, shown by the update checker
        QTest::newRow("files: a missing file")
            << Place::MissingFile << QByteArray("platform::textfile") << QStringLiteral("找不到文件：%1")
            << QStringLiteral("[missing: %1]") << QStringLiteral("[missing: <program>/cad2004/288895.rar]")
            << QStringLiteral("已是最新版本，无需升级");
    }

    void ruleTextsTakeTheTranslation() {
        QFETCH(Place, place);
        QFETCH(QByteArray, context);
        QFETCH(QString, source);
        QFETCH(QString, translation);
        QFETCH(QString, known);
        QFETCH(QString, unknown);

        OneTextTranslator translator(context, source, translation);
        Shown shown;
        {
            Installed on(translator);
            shown = show(place);
        }
        QCOMPARE(shown.known, known);
        QCOMPARE(shown.unknown, unknown);

        // without the translator the same place shows the text as written
        const Shown plain = show(place);
        QVERIFY(plain.known != shown.known);
        QCOMPARE(plain.unknown, unknown);
    }

    // The toolbar picks an icon by its caption: a translated caption keeps its icon.
    void toolbarIconsFollowTheTranslation_data() {
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QString>("source");
        QTest::newRow("end of an exam, from the run rules")
            << QByteArray("panel") << QStringLiteral("结束考试");
        QTest::newRow("guided teaching, from the run rules")
            << QByteArray("panel") << QStringLiteral("手把手教");
        QTest::newRow("previous question, from the panel") << QByteArray("FrmTm") << QStringLiteral("上一题");
        QTest::newRow("mark the question, from the panel")
            << QByteArray("FrmTm") << QStringLiteral("标识本题");
    }

    void toolbarIconsFollowTheTranslation() {
        QFETCH(QByteArray, context);
        QFETCH(QString, source);
        using panel::panelart::toolIcon;
        const QImage asWritten = toolIcon(source, true).toImage();
        const QImage fallback = toolIcon(QStringLiteral("[no such caption]"), true).toImage();
        QVERIFY(asWritten != fallback);

        OneTextTranslator translator(context, source, QStringLiteral("[caption]"));
        Installed on(translator);
        QCOMPARE(toolIcon(QStringLiteral("[caption]"), true).toImage(), asWritten);
        // the untranslated caption still names its icon
        QCOMPARE(toolIcon(source, true).toImage(), asWritten);
    }
};

QTEST_MAIN(TstTranslation)
#include "tst_translation.moc"
