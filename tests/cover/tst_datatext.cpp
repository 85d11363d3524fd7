// Text that files hold reaches the windows as written. A module whose files all
// carry tags (the program folder's name, the module's name and subtitle, a unit
// title, the bank version, the exam record, a question's text) is opened window
// by window; in each, the place that shows a file's text shows the tags as
// written, and every label that holds text is plain text, so that no tag is
// laid out and no picture it names is read.
#include "app/trainer.h"
#include "cover/entries.h"
#include "cover/frmabout.h"
#include "cover/frmfengmian.h"
#include "fakes.h"
#include "panel/examrules.h"
#include "panel/frmchengji.h"
#include "panel/frmlogon.h"
#include "panel/frmtm.h"
#include "panel/logonrules.h"
#include "platform/registry.h"
#include "platform/textfile.h"
#include "records.h"
#include "simulator/frmmain.h"
#include "start/verfile.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <memory>

namespace {

// What every text below carries: a bold tag and a picture tag.
const QString Bold = QStringLiteral("<b>粗</b>");
const QString Tags = Bold + QStringLiteral("<img src=\"nothere.png\">");

const QString ModuleName = QStringLiteral("AutoCAD ") + Bold + QStringLiteral("2004");
const QString Subtitle = QStringLiteral("中文版") + Tags;
const QString UnitTitle = QStringLiteral("第1章") + Tags;
const QString BankVersion = QStringLiteral("2026.12") + Bold;
const QString LastExam = QStringLiteral("2026-11-28 19:42:10") + Tags;
const QString QuestionText = QStringLiteral("单击方框。") + Tags;
const QString FolderName = QStringLiteral("<u>程序");

// A module of one unit (two questions) and one paper, every text of it tagged.
// Question 1's screen picture is missing, so the simulated window names its file.
struct TaggedModule {
    QTemporaryDir tmp;
    QString program() const { return tmp.path() + u'/' + FolderName; }
    QString data() const { return program() + QStringLiteral("/cad2004/"); }
    QString records() const { return program() + QStringLiteral("/ksdata/"); }
    QString composition;

    TaggedModule() {
        QDir().mkpath(data());
        QDir().mkpath(records());
        put(program() + QStringLiteral("/ver.txt"),
            {start::verfile::encodeLine(ModuleName), start::verfile::encodeLine(Subtitle),
             start::verfile::encodeLine(QStringLiteral("cad2004")),
             start::verfile::encodeLine(QStringLiteral("12")), start::verfile::encodeLine(UnitTitle)});
        for (int i = 0; i < 20; ++i)
            composition += QStringLiteral("00010002");
        put(data() + QStringLiteral("288891.rar"),
            {QStringLiteral("0101"), QStringLiteral("02"), composition});
        put(data() + QStringLiteral("288895.rar"), {BankVersion});
        put(data() + QStringLiteral("288899.rar"), {QStringLiteral("12")});
        const sim::bank::StepRecord missing =
            Rec(QStringLiteral("0001")).screen(QStringLiteral("123456")).zone(1500, 1500, 600, 600).r;
        const sim::bank::StepRecord click = Rec(QStringLiteral("0001")).zone(1500, 1500, 600, 600).r;
        const sim::bank::StepRecord done = Rec(QStringLiteral("9999")).r;
        put(data() + QStringLiteral("288820.rar"), {missing.line, done.line, click.line, done.line});
        put(data() + QStringLiteral("288870.rar"),
            {QStringLiteral("000102") + QuestionText, QStringLiteral("000202") + QuestionText});
        put(data() + QStringLiteral("288890.rar"), {QStringLiteral("001")});
        put(data() + QStringLiteral("288892.rar"), {QStringLiteral("1")}); // installed before
        put(data() + QStringLiteral("288897.rar"), {QStringLiteral("1")});
        put(records() + QStringLiteral("288892.rar"), {LastExam, QStringLiteral("87.5"), QString()});
        put(program() + QStringLiteral("/refresher.txt"), {QStringLiteral("0")});
        put(program() + QStringLiteral("/sMenu.sys"), QStringList(465, QStringLiteral("0")));
    }
    static void put(const QString &path, const QStringList &lines) {
        QVERIFY(platform::textfile::writeLinesAtomic(path, lines));
    }
};

template <class T> T *topLevel() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

// What a tooltip window shows of tip: it guesses the format as a label told
// nothing does, and shows a picture as one object character.
QString tipShownAs(const QString &tip) {
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument doc;
    doc.setHtml(tip);
    return doc.toPlainText();
}

enum Stage { Cover, Practice, Exam, Login, About, Report };

} // namespace

class TstDataText : public QObject {
    Q_OBJECT

    std::unique_ptr<TaggedModule> m;
    ModData d;
    FakePrompter prompter;
    FakeLauncher launcher;
    FakeInstance instance;
    FakeClock clock;
    std::unique_ptr<platform::FileRegistry> registry;
    std::unique_ptr<Trainer> trainer;
    QList<QPointer<QWidget>> windows; // the windows the stage opened
    QList<QPointer<QWidget>> made;    // the ones the test made itself

    Trainer &newTrainer() {
        registry = std::make_unique<platform::FileRegistry>(m->program() + QStringLiteral("/reg"));
        trainer = std::make_unique<Trainer>(
            d, TrainerServices{&prompter, registry.get(), &launcher, &clock, &instance},
            QStringLiteral("caddrill"));
        return *trainer;
    }

    template <class T> T *make(T *w) {
        made << w;
        windows << w;
        w->show();
        return w;
    }

    // The state the login leaves for paper 1.
    void loggedIn() {
        cover::entries::enterExam(d, 0);
        panel::logon::prepare(d);
        QVERIFY(panel::logon::logIn(d, QStringLiteral("18"), QStringLiteral("110101198001011234"), clock.at));
        QVERIFY(panel::logon::startExam(d, clock.at));
    }

    void open(Stage stage) {
        switch (stage) {
        case Cover: {
            QVERIFY(newTrainer().start());
            QTRY_VERIFY(topLevel<FrmFengmian>());
            FrmFengmian *cover = topLevel<FrmFengmian>();
            QTRY_VERIFY(cover->PicTiKu); // the panels follow the first paint
            windows << cover;
            break;
        }
        case Practice: {
            open(Cover);
            FrmFengmian *cover = topLevel<FrmFengmian>();
            QTest::mouseClick(cover->LblTiKu, Qt::LeftButton);
            QTest::mouseClick(cover->LblJinRuXX[0], Qt::LeftButton);
            QTRY_VERIFY(topLevel<FrmMain>() && topLevel<FrmTm>());
            FrmMain *main = topLevel<FrmMain>();
            QTRY_VERIFY(main->notice->isVisible()); // question 1's missing picture
            windows = {topLevel<FrmTm>(), main};
            break;
        }
        case Exam: {
            d.CandidateName = QStringLiteral("柏川1");
            loggedIn();
            newTrainer().openRun({panel::RunKind::Exam, QString(), std::nullopt});
            QVERIFY(trainer->panel() && trainer->simulatedWindow());
            QTRY_VERIFY(!trainer->panel()->TimerREDO.isActive());
            windows = {trainer->panel(), trainer->simulatedWindow()};
            break;
        }
        case Login: {
            d.CandidateName = QStringLiteral("柏川1");
            cover::entries::enterExam(d, 0);
            auto *form = make(new FrmLogon(d, prompter, clock));
            form->Timer1_Timer();
            form->CmdLog_Click();
            QVERIFY2(prompter.asked.isEmpty(), qPrintable(prompter.asked.value(0).text));
            form->Timer2.stop();
            break;
        }
        case About:
            make(new cover::FrmAbout(d, prompter, &launcher, QStringLiteral("caddrill"),
                                     m->tmp.path() + QStringLiteral("/desktop")));
            break;
        case Report: {
            loggedIn();
            QStringList index;
            platform::textfile::readLines(d.IndexFile, index);
            make(new FrmChengji(d, panel::exam::grade(d, m->composition, index)));
            break;
        }
        }
    }

  private Q_SLOTS:
    void init() {
        m = std::make_unique<TaggedModule>();
        d = ModData();
        d.AppPath = m->program();
        QVERIFY(start::verfile::readInfo(d, nullptr));
        d.PaperCount = 1;
        prompter = FakePrompter{};
        windows.clear();
    }
    void cleanup() {
        for (const QPointer<QWidget> &w : made)
            delete w.data();
        made.clear();
        trainer.reset();
        registry.reset();
        m.reset();
    }

    // Each place a file's text reaches: the label (or tooltip) that shows it
    // and the text it must show.
    void windowsShowDataAsWritten_data() {
        QTest::addColumn<int>("stage");
        QTest::addColumn<QString>("object");
        QTest::addColumn<bool>("tooltip");
        QTest::addColumn<QString>("shown"); // the whole text, or for labels a part of it
        QTest::newRow("exam record line 1")
            << int(Cover) << "LblKSInFo_0" << false
            << (QStringLiteral("最后考试时间 ") + LastExam + QStringLiteral("  最好成绩 87.5"));
        QTest::newRow("bank version file")
            << int(Cover) << "LblCaption" << false << (QStringLiteral("(题库版本：") + BankVersion + u')');
        QTest::newRow("module subtitle") << int(Cover) << "LblKmMc" << false << Subtitle;
        QTest::newRow("unit title from ver.txt") << int(Cover) << "LblJinRuXX_0" << true << UnitTitle;
        QTest::newRow("exam panel title") << int(Exam) << "LblBiao" << false << ModuleName;
        QTest::newRow("unreadable file named") << int(Practice) << "notice" << false << FolderName;
        QTest::newRow("exam panel candidate data") << int(Exam) << "KsKM1" << false << ModuleName;
        QTest::newRow("login confirmation") << int(Login) << "LblKm" << false << ModuleName;
        QTest::newRow("about box subtitle") << int(About) << "Label1_1" << false << Subtitle;
        QTest::newRow("about box folder") << int(About) << "Label1_3" << false << FolderName;
        QTest::newRow("about box record folder") << int(About) << "LblRecords" << false << FolderName;
        QTest::newRow("score report question text")
            << int(Report) << "CmTNO_1" << true << (QStringLiteral("第1题： ") + QuestionText);
    }
    void windowsShowDataAsWritten() {
        QFETCH(int, stage);
        QFETCH(QString, object);
        QFETCH(bool, tooltip);
        QFETCH(QString, shown);
        open(Stage(stage));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!windows.isEmpty());
        QWidget *w = nullptr;
        for (QWidget *window : windows)
            if (!w && window)
                w = window->findChild<QWidget *>(object);
        QVERIFY2(w, qPrintable(object));
        if (tooltip) {
            QCOMPARE(tipShownAs(w->toolTip()), shown);
        } else {
            auto *l = qobject_cast<QLabel *>(w);
            QVERIFY(l);
            QVERIFY2(l->text().contains(shown), qPrintable(l->text()));
            QCOMPARE(l->textFormat(), Qt::PlainText);
        }
        // every label that holds text, and every tooltip, of every window opened
        for (QWidget *window : windows) {
            QVERIFY(window);
            QList<QWidget *> all = window->findChildren<QWidget *>();
            all.prepend(window);
            for (QWidget *w : all) {
                const QString tip = w->toolTip();
                if (tip.contains(QStringLiteral("粗")))
                    QVERIFY2(tipShownAs(tip).contains(Bold), qPrintable(w->objectName() + u' ' + tip));
                auto *l = qobject_cast<QLabel *>(w);
                // the chooser's legend is the program's own markup and holds no file's text
                if (!l || l->text().isEmpty() || l->objectName() == QLatin1String("SelLegend"))
                    continue;
                QVERIFY2(l->textFormat() == Qt::PlainText,
                         qPrintable(window->objectName() + u'/' + l->objectName() + u' ' + l->text()));
            }
        }
    }
};

QTEST_MAIN(TstDataText)
#include "tst_datatext.moc"
