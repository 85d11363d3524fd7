// The exam login's form on a small module (its pages, fields, buttons and bar),
// and the whole way in on the sample module: cover page, 开始考试, login, the
// exam run with question 1 laid out and the paper's files on disk.
#include "app/trainer.h"
#include "cover/frmfengmian.h"
#include "fakes.h"
#include "fixture.h"
#include "panel/frmlogon.h"
#include "panel/frmtm.h"
#include "platform/clicklabel.h"
#include "simulator/frmmain.h"
#include "simulator/stepengine.h"
#include "simulator/steprecord.h"
#include "start/setassembly.h"
#include "start/verfile.h"
#include "tempfolder.h"

#include <QApplication>
#include <QDirIterator>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

namespace {

template <class T> T *topLevel() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

// One paper of 40 codes over a unit of two questions (2 and 1 steps).
struct SmallModule {
    Fixture f;
    ModData d;
    SmallModule() {
        f.install(1, {2});
        f.unitBank(0, {2, 1});
        QString composition;
        for (int i = 0; i < 20; ++i)
            composition += QStringLiteral("00010002");
        Fixture::put(f.data() + QStringLiteral("288891.rar"),
                     {QStringLiteral("0101"), QStringLiteral("02"), composition});
        d = f.modData();
        d.CandidateName = QStringLiteral("柏川1");
        d.PaperCount = 1;
        d.QuestionCount = 40;
        d.SetBase = SetBaseExamPaper;
        d.WorkMode = WorkExam;
        d.CurSet = 0;
    }
};

// Keys go where the keyboard is, as a person's would.
void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget *w = QApplication::focusWidget();
    QVERIFY(w);
    QTest::keyClick(w, Qt::Key(key), mods);
}
void type(const QString &text) {
    QWidget *w = QApplication::focusWidget();
    QVERIFY(w);
    QTest::keyClicks(w, text);
}

bool copyFolder(const QString &from, const QString &to) {
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QStringLiteral("/") + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

} // namespace

class TstExamLogin : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Timer1 centres both pages and shows the login page; the fields keep their
    // limits and the identity box its key filter.
    void pagesAndFields() {
        SmallModule m;
        FakePrompter prompter;
        FakeClock clock;
        QPointer<FrmLogon> form = new FrmLogon(m.d, prompter, clock);
        form->resize(1000, 700);
        form->show();
        QVERIFY(form->Timer1.isActive());
        QVERIFY(!form->Picture1->isVisibleTo(form));
        form->Timer1_Timer();
        QVERIFY(!form->Timer1.isActive());
        const QPoint centred((1000 - form->Picture1->width()) / 2, (700 - form->Picture1->height()) / 2);
        QCOMPARE(form->Picture1->pos(), centred);
        QCOMPARE(form->Picture2->geometry(), form->Picture1->geometry());
        QVERIFY(form->Picture1->isVisibleTo(form));
        QVERIFY(!form->Picture2->isVisibleTo(form));
        QCOMPARE(form->TxtZwh->text(), QStringLiteral("18"));
        QCOMPARE(form->TxtSFZ->text(), QStringLiteral("110212194808082128"));

        form->TxtZwh->clear();
        QTest::keyClicks(form->TxtZwh, QStringLiteral("12345"));
        QCOMPARE(form->TxtZwh->text(), QStringLiteral("123"));

        form->TxtSFZ->clear();
        QTest::keyClicks(form->TxtSFZ, QStringLiteral("123456789Xa-"));
        QCOMPARE(form->TxtSFZ->text(), QStringLiteral("123456789"));
        QTest::keyClicks(form->TxtSFZ, QStringLiteral("01234567x5"));
        QCOMPARE(form->TxtSFZ->text(), QStringLiteral("12345678901234567x"));
        QTest::keyClick(form->TxtSFZ, Qt::Key_Backspace);
        QCOMPARE(form->TxtSFZ->text(), QStringLiteral("12345678901234567"));
        // pasted text meets the same rule
        form->TxtSFZ->clear();
        form->TxtSFZ->insert(QStringLiteral("12X4"));
        QCOMPARE(form->TxtSFZ->text(), QString());
        delete form;
    }

    void exitAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("no: the login stays") << int(platform::Prompter::AnswerNo) << false;
        QTest::newRow("yes: back to the cover page") << int(platform::Prompter::AnswerYes) << true;
    }
    void exitAsks() {
        QFETCH(int, answer);
        QFETCH(bool, leaves);
        SmallModule m;
        FakePrompter prompter;
        prompter.answers << platform::Prompter::Answer(answer);
        FakeClock clock;
        QPointer<FrmLogon> form = new FrmLogon(m.d, prompter, clock);
        QSignalSpy left(form.data(), &FrmLogon::left);
        form->show();
        form->Timer1_Timer();
        QTest::mouseClick(form->CmdExit, Qt::LeftButton);
        QCOMPARE(prompter.asked.size(), 1);
        QCOMPARE(prompter.asked[0].text, QStringLiteral("确实要退出考试系统吗？"));
        QCOMPARE(prompter.asked[0].title, QStringLiteral("柏川软件"));
        QCOMPARE(prompter.asked[0].buttons, platform::Prompter::YesNo);
        QCOMPARE(prompter.asked[0].icon, platform::Prompter::Question);
        QCOMPARE(left.size(), leaves ? 1 : 0);
        if (leaves)
            QTRY_VERIFY(!form);
        else
            QVERIFY(form && form->isVisible());
        // nothing of the paper was written either way
        QVERIFY(!QFile::exists(m.f.data() + QStringLiteral("288800.rar")));
        delete form;
    }

    // 登录: the confirmation page with the candidate's data, the bar's seven
    // ticks, then the exam starts with the marks carried.
    void logInThenBar() {
        SmallModule m;
        Fixture::put(m.f.records() + QStringLiteral("218800.rar"), {QStringLiteral("02")});
        FakePrompter prompter;
        FakeClock clock;
        QPointer<FrmLogon> form = new FrmLogon(m.d, prompter, clock);
        QSignalSpy started(form.data(), &FrmLogon::examStarted);
        QSignalSpy left(form.data(), &FrmLogon::left);
        form->show();
        form->Timer1_Timer();
        form->TxtZwh->setText(QStringLiteral("5"));
        form->TxtSFZ->setText(QStringLiteral("1234"));
        QTest::mouseClick(form->CmdLog, Qt::LeftButton);
        form->Timer2.stop(); // ticked by hand below
        QVERIFY(!form->Picture1->isVisibleTo(form));
        QVERIFY(form->Picture2->isVisibleTo(form));
        QCOMPARE(form->LblName->text(), QStringLiteral("柏川1"));
        QCOMPARE(form->LblZwh->text(), QStringLiteral("05"));
        QCOMPARE(form->LblCC->text(), QStringLiteral("18"));
        QCOMPARE(form->LblKm->text(), m.d.ModuleName);
        QCOMPARE(form->LblSfz->text(), QStringLiteral("011980010112341234"));
        QCOMPARE(form->LblDah->text(), QStringLiteral("888888"));
        QCOMPARE(form->LblDate->text(), QStringLiteral("2026年12月10日"));
        QCOMPARE(Fixture::lines(m.f.data() + QStringLiteral("288850.rar")).size(), 40);
        QCOMPARE(Fixture::lines(m.f.data() + QStringLiteral("288894.rar")),
                 QStringList{QStringLiteral("2026-12-10 09:30:00")});
        // leaving is no longer offered
        QTest::mouseClick(form->CmdExit, Qt::LeftButton);
        QVERIFY(prompter.asked.isEmpty());

        for (int tick = 1; tick <= 6; ++tick)
            form->Timer2_Timer();
        QCOMPARE(started.size(), 0);
        QVERIFY(form->LJD->width() < form->P2->width());
        clock.at = clock.at.addSecs(1);
        form->Timer2_Timer();
        QCOMPARE(started.size(), 1);
        QCOMPARE(left.size(), 0);
        QCOMPARE(m.d.ExamStartTime, QStringLiteral("2026-12-10 09:30:01"));
        QCOMPARE(m.d.QuestionScore[2], Integer(StatusMarked));
        QCOMPARE(m.d.QuestionScore[1], Integer(0));
        QTRY_VERIFY(!form);
    }

    // The login with keys alone: the first box holds the keyboard, Tab goes
    // seat -> identity card -> 登录 -> 退出 (each button with its focus mark and
    // its name), Enter on 登录 logs in; Enter in a box moves on to the next stop.
    void logInWithKeysAlone() {
        SmallModule m;
        FakePrompter prompter;
        FakeClock clock;
        QPointer<FrmLogon> form = new FrmLogon(m.d, prompter, clock);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->Timer1_Timer();
        QTRY_COMPARE(QApplication::focusWidget(), form->TxtZwh);

        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->TxtSFZ);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->CmdLog);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->CmdExit);
        QCOMPARE(form->CmdLog->spokenName(), QStringLiteral("登录"));
        QCOMPARE(form->CmdExit->spokenName(), QStringLiteral("退出"));
        QVERIFY(!form->TxtZwh->accessibleName().isEmpty() && !form->TxtSFZ->accessibleName().isEmpty());

        const QImage marked = form->CmdExit->grab().toImage();
        press(Qt::Key_Tab); // round to the seat box, its text selected
        QCOMPARE(QApplication::focusWidget(), form->TxtZwh);
        QVERIFY(form->CmdExit->grab().toImage() != marked); // the focus mark went with the focus
        press(Qt::Key_Backspace);
        type(QStringLiteral("5"));
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->TxtSFZ);
        press(Qt::Key_Backspace); // the box was entered with its text selected
        type(QStringLiteral("1234"));
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), form->CmdLog);
        press(Qt::Key_Return);
        form->Timer2.stop();
        QVERIFY(prompter.asked.isEmpty());
        QVERIFY(form->Picture2->isVisibleTo(form));
        QCOMPARE(form->LblZwh->text(), QStringLiteral("05"));
        QCOMPARE(form->LblSfz->text(), QStringLiteral("011980010112341234"));
        delete form;
    }

    // A unit file gone between opening the login and 登录: the file is named,
    // the paper is not written, and the login leaves for the cover page.
    void logInWithoutItsFiles() {
        SmallModule m;
        FakePrompter prompter;
        FakeClock clock;
        QPointer<FrmLogon> form = new FrmLogon(m.d, prompter, clock);
        QSignalSpy started(form.data(), &FrmLogon::examStarted);
        QSignalSpy left(form.data(), &FrmLogon::left);
        form->show();
        form->Timer1_Timer();
        QVERIFY(QFile::remove(m.f.data() + QStringLiteral("288820.rar")));
        QTest::mouseClick(form->CmdLog, Qt::LeftButton);
        QCOMPARE(prompter.asked.size(), 1);
        QVERIFY(prompter.asked[0].text.contains(QStringLiteral("288820.rar")));
        QCOMPARE(left.size(), 1);
        QCOMPARE(started.size(), 0);
        QVERIFY(!QFile::exists(m.f.data() + QStringLiteral("288800.rar")));
        QVERIFY(!QFile::exists(m.f.data() + QStringLiteral("288850.rar")));
        QVERIFY(!QFile::exists(m.f.data() + QStringLiteral("288894.rar")));
        QTRY_VERIFY(!form);
    }

    // The sample module, from the cover page into the exam run.
    void sampleModuleExam() {
        TempFolder program;
        QVERIFY(copyFolder(QStringLiteral(CADDRILL_PROGRAM_DIR), program.path()));
        ModData d;
        d.AppPath = program.path();
        QVERIFY(start::verfile::readInfo(d, nullptr));
        d.CandidateName = QStringLiteral("柏川1");
        FakePrompter prompter;
        FakeClock clock;
        Trainer trainer(d, {&prompter, nullptr, nullptr, &clock, nullptr}, QStringLiteral("caddrill"));
        trainer.showCover();
        auto *cover = topLevel<FrmFengmian>();
        QVERIFY(cover);
        QTest::mouseClick(cover->LblKaCH, Qt::LeftButton);
        QTest::mouseClick(cover->LblStartKs[0], Qt::LeftButton);
        QTRY_VERIFY(topLevel<FrmLogon>());
        QTRY_VERIFY(!topLevel<FrmFengmian>());
        FrmLogon *logon = topLevel<FrmLogon>();
        QTRY_VERIFY(logon->Picture1->isVisible());
        logon->TxtZwh->clear();
        QTest::keyClicks(logon->TxtZwh, QStringLiteral("7"));
        QTest::mouseClick(logon->CmdLog, Qt::LeftButton);
        QVERIFY2(prompter.asked.isEmpty(), qPrintable(prompter.asked.value(0).text));
        QCOMPARE(logon->LblZwh->text(), QStringLiteral("07"));

        QTRY_VERIFY(topLevel<FrmTm>());
        QTRY_VERIFY(topLevel<FrmMain>());
        QTRY_VERIFY(!topLevel<FrmLogon>());
        FrmTm *panel = topLevel<FrmTm>();
        FrmMain *main = topLevel<FrmMain>();
        QCOMPARE(d.WorkMode, WorkExam);
        QCOMPARE(d.SetBase, SetBaseExamPaper);
        QCOMPARE(d.CurSet, Integer(0));
        QCOMPARE(d.ExamMinutesLeft, Integer(50));
        QCOMPARE(d.ExamStartTime, QStringLiteral("2026-12-10 09:30:00"));
        QCOMPARE(panel->CmdEnd->text(), QStringLiteral("结束考试"));
        QCOMPARE(panel->CmdCZTS->text(), QStringLiteral("考生信息"));
        QCOMPARE(panel->Command1->text(), QStringLiteral("操作提示"));
        QVERIFY(!panel->PicUnit->isVisible());

        // the paper on disk: 40 questions, as many step records as they count
        QStringList index, steps;
        QVERIFY(platform::textfile::readLines(d.dataFile(QStringLiteral("288850.rar")), index));
        QVERIFY(platform::textfile::readLines(d.dataFile(QStringLiteral("288800.rar")), steps));
        QCOMPARE(index.size(), 40);
        QCOMPARE(steps.size(), int(d.QuestionFirstStep[41]) - 1);
        QCOMPARE(Fixture::lines(d.dataFile(QStringLiteral("288894.rar"))).value(0),
                 QStringLiteral("2026-12-10 09:30:00"));

        // question 1 laid out: its first record in the simulated window, its text on the panel
        QTRY_COMPARE(main->engine().record().line.trimmed(), steps.at(0).trimmed());
        const QString text = start::setfiles::parseIndexLine(index.at(0)).text;
        QTRY_VERIFY(panel->RtbTM->toPlainText().contains(text.left(8)));
        QVERIFY(main->isVisible());
        panel->TimeKS.stop();
    }
};

QTEST_MAIN(TstExamLogin)
#include "tst_examlogin.moc"
