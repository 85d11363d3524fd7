// The hand-in dialogs and the score report as forms: what they show, which
// way each button leads, and what is left once the time is up.
#include "cover/frmabout.h"
#include "fakes.h"
#include "panel/frmchengji.h"
#include "panel/frmczts.h"
#include "panel/frmend.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

namespace {

// Keys go where the keyboard is, as a person's would.
QWidget *focused() {
    return QApplication::focusWidget();
}
void press(int key) {
    QWidget *w = focused();
    QVERIFY(w);
    QTest::keyClick(w, Qt::Key(key));
}
bool activate(QWidget *w) {
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}
bool tabTo(QWidget *target) {
    for (int i = 0; i < 50 && focused() != target; ++i) {
        if (!focused())
            return false;
        QTest::keyClick(focused(), Qt::Key_Tab);
    }
    return focused() == target;
}

} // namespace

class TstExamForms : public QObject {
    Q_OBJECT

    static ModData paper(Integer others) {
        ModData d;
        d.CurSet = 0;
        for (int i = 1; i <= MaxQuestions; ++i)
            d.QuestionScore[i] = others;
        return d;
    }

  private Q_SLOTS:
    // Both dialogs: "交卷" and "继续考试" each close the dialog and say which;
    // Esc is "继续考试". Once the time is up only "交卷" is left: "继续考试" is
    // disabled, and Esc or closing the window leaves the dialog open.
    void handInDialogs_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<bool>("timeUp");
        QTest::addColumn<QString>("text");
        const QString second =
            QStringLiteral("按“交卷”后您将退出本场考试，并且不能重新登录!\n\n是否确定交卷?");
        QTest::newRow("FrmEnd1, paper incomplete")
            << 1 << false << QStringLiteral("您还有题目未做或仍处于标识状态！\n\n您是否确定交卷?");
        QTest::newRow("FrmEnd1, time up")
            << 1 << true << QStringLiteral("您还有题目未做或仍处于标识状态！\n\n您是否确定交卷?");
        QTest::newRow("FrmEnd2") << 2 << false << second;
        QTest::newRow("FrmEnd2, time up") << 2 << true << second;
    }
    void handInDialogs() {
        QFETCH(int, form);
        QFETCH(bool, timeUp);
        QFETCH(QString, text);
        const ModData d = paper(0);
        auto make = [&]() -> HandInDialog * {
            if (form == 1)
                return new FrmEnd1(d, timeUp);
            return new FrmEnd2(timeUp);
        };
        std::unique_ptr<HandInDialog> dialog(make());
        dialog->show();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("重要提示"));
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->Label1->text(), text);
        QCOMPARE(dialog->Command1->text(), QStringLiteral("交卷"));
        QCOMPARE(dialog->Command2->text(), QStringLiteral("继续考试"));
        QCOMPARE(dialog->Command2->isEnabled(), !timeUp);
        QSignalSpy handIn(dialog.get(), &HandInDialog::handInChosen);
        QSignalSpy goOn(dialog.get(), &HandInDialog::continueChosen);

        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        dialog->close();
        QCOMPARE(dialog->isVisible(), timeUp);
        QCOMPARE(goOn.count(), timeUp ? 0 : 1);
        dialog->show();
        QTest::mouseClick(dialog->Command2, Qt::LeftButton);
        QCOMPARE(goOn.count(), timeUp ? 0 : 2);
        dialog->show();
        QTest::mouseClick(dialog->Command1, Qt::LeftButton);
        QCOMPARE(handIn.count(), 1);
        QVERIFY(!dialog->isVisible());
    }

    // The head says why only "交卷" is left: when the dialog opens after the
    // time ran out, and when the time runs out while it is open.
    void handInDialogHead_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<bool>("openedAtTimeUp");
        QTest::addColumn<bool>("runsOutWhileOpen");
        QTest::addColumn<QString>("head");
        const QString plain = QStringLiteral("交卷提示");
        const QString up = QStringLiteral("交卷提示 · 考试时间已到");
        QTest::newRow("FrmEnd1") << 1 << false << false << plain;
        QTest::newRow("FrmEnd1, opened at time up") << 1 << true << false << up;
        QTest::newRow("FrmEnd1, time runs out while open") << 1 << false << true << up;
        QTest::newRow("FrmEnd2") << 2 << false << false << plain;
        QTest::newRow("FrmEnd2, time runs out while open") << 2 << false << true << up;
    }
    void handInDialogHead() {
        QFETCH(int, form);
        QFETCH(bool, openedAtTimeUp);
        QFETCH(bool, runsOutWhileOpen);
        QFETCH(QString, head);
        const ModData d = paper(0);
        std::unique_ptr<HandInDialog> dialog(form == 1
                                                 ? static_cast<HandInDialog *>(new FrmEnd1(d, openedAtTimeUp))
                                                 : new FrmEnd2(openedAtTimeUp));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        if (runsOutWhileOpen)
            dialog->setTimeUp(true);
        auto *label = dialog->findChild<QLabel *>(QStringLiteral("LblHead"));
        QVERIFY(label);
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), head);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(dialog->Command2->isEnabled(), !(openedAtTimeUp || runsOutWhileOpen));
    }

    // The dialogs by keys: they open on "继续考试", which Enter presses; Tab
    // reaches "交卷" and Space presses it. Once the time is up the dialog opens
    // on "交卷" and Enter hands in.
    void handInDialogKeys_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<bool>("timeUp");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("handIns");
        QTest::addColumn<int>("continues");
        using K = QList<int>;
        QTest::newRow("FrmEnd1 Enter") << 1 << false << K{Qt::Key_Return} << 0 << 1;
        QTest::newRow("FrmEnd1 Tab Space") << 1 << false << K{Qt::Key_Tab, Qt::Key_Space} << 1 << 0;
        QTest::newRow("FrmEnd1 Tab Tab Space")
            << 1 << false << K{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space} << 0 << 1;
        QTest::newRow("FrmEnd2 Tab Space") << 2 << false << K{Qt::Key_Tab, Qt::Key_Space} << 1 << 0;
        QTest::newRow("FrmEnd2 Space") << 2 << false << K{Qt::Key_Space} << 0 << 1;
        QTest::newRow("FrmEnd1 time up Enter") << 1 << true << K{Qt::Key_Return} << 1 << 0;
        QTest::newRow("FrmEnd2 time up Tab Space") << 2 << true << K{Qt::Key_Tab, Qt::Key_Space} << 1 << 0;
    }
    void handInDialogKeys() {
        QFETCH(int, form);
        QFETCH(bool, timeUp);
        QFETCH(QList<int>, keys);
        QFETCH(int, handIns);
        QFETCH(int, continues);
        const ModData d = paper(0);
        std::unique_ptr<HandInDialog> dialog(form == 1 ? static_cast<HandInDialog *>(new FrmEnd1(d, timeUp))
                                                       : new FrmEnd2(timeUp));
        QSignalSpy handIn(dialog.get(), &HandInDialog::handInChosen);
        QSignalSpy goOn(dialog.get(), &HandInDialog::continueChosen);
        QVERIFY(activate(dialog.get()));
        QTRY_COMPARE(focused(), timeUp ? dialog->Command1 : dialog->Command2);
        for (int key : keys)
            press(key);
        QCOMPARE(handIn.count(), handIns);
        QCOMPARE(goOn.count(), continues);
        QVERIFY(!dialog->isVisible());
    }

    // The dialog says what Return does, and Return does it even with "交卷"
    // focused: the exam goes on, or once the time is up the paper is handed in.
    void handInDialogSaysWhatReturnDoes_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<bool>("openedAtTimeUp");
        QTest::addColumn<bool>("runsOutWhileOpen");
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("handIns");
        QTest::addColumn<int>("continues");
        const QString goOn = QStringLiteral("按回车键继续考试"), handIn = QStringLiteral("按回车键交卷");
        QTest::newRow("FrmEnd1") << 1 << false << false << goOn << 0 << 1;
        QTest::newRow("FrmEnd2") << 2 << false << false << goOn << 0 << 1;
        QTest::newRow("FrmEnd1, opened at time up") << 1 << true << false << handIn << 1 << 0;
        QTest::newRow("FrmEnd2, time runs out while open") << 2 << false << true << handIn << 1 << 0;
    }
    void handInDialogSaysWhatReturnDoes() {
        QFETCH(int, form);
        QFETCH(bool, openedAtTimeUp);
        QFETCH(bool, runsOutWhileOpen);
        QFETCH(QString, said);
        QFETCH(int, handIns);
        QFETCH(int, continues);
        const ModData d = paper(0);
        std::unique_ptr<HandInDialog> dialog(form == 1
                                                 ? static_cast<HandInDialog *>(new FrmEnd1(d, openedAtTimeUp))
                                                 : new FrmEnd2(openedAtTimeUp));
        QSignalSpy handIn(dialog.get(), &HandInDialog::handInChosen);
        QSignalSpy goOn(dialog.get(), &HandInDialog::continueChosen);
        QVERIFY(activate(dialog.get()));
        if (runsOutWhileOpen)
            dialog->setTimeUp(true);
        auto *label = dialog->findChild<QLabel *>(QStringLiteral("LblKeys"));
        QVERIFY(label);
        QVERIFY(label->isVisible());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), said);
        // the label stands clear of the buttons
        QVERIFY(!label->geometry().intersects(dialog->Command1->geometry()));
        QVERIFY(!label->geometry().intersects(dialog->Command2->geometry()));
        dialog->Command1->setFocus();
        QTRY_COMPARE(focused(), dialog->Command1);
        press(Qt::Key_Return);
        QCOMPARE(handIn.count(), handIns);
        QCOMPARE(goOn.count(), continues);
    }

    // A window of fixed size offers no maximise button.
    void fixedSizeWindowsOfferNoMaximise_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("score report") << QStringLiteral("report");
        QTest::newRow("hand-in dialog") << QStringLiteral("handIn");
        QTest::newRow("hint dialog") << QStringLiteral("hint");
        QTest::newRow("about box") << QStringLiteral("about");
    }
    void fixedSizeWindowsOfferNoMaximise() {
        QFETCH(QString, window);
        const ModData d = paper(0);
        FakePrompter prompter;
        std::unique_ptr<QWidget> w;
        if (window == QLatin1String("report"))
            w.reset(new FrmChengji(d, panel::exam::Report{}));
        else if (window == QLatin1String("handIn"))
            w.reset(new FrmEnd2(false));
        else if (window == QLatin1String("hint"))
            w.reset(new FrmCZTS(prompter));
        else
            w.reset(new cover::FrmAbout(d, prompter, nullptr, QStringLiteral("caddrill"), QString()));
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY2(!(w->windowFlags() & Qt::WindowMaximizeButtonHint),
                 qPrintable(QString::number(int(w->windowFlags()), 16)));
    }

    // FrmEnd1 -> FrmEnd2 -> the report with keys alone. The report's grid is one
    // Tab stop that the arrow keys walk (Space or Enter shows the question's
    // text), the three ways on follow it in the Tab chain, Enter presses one.
    void handInToReportByKeys() {
        ModData d = paper(0);
        FrmEnd1 first(d, false);
        QSignalSpy firstHandIn(&first, &HandInDialog::handInChosen);
        QVERIFY(activate(&first));
        QTRY_COMPARE(focused(), first.Command2);
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        QCOMPARE(firstHandIn.count(), 1);

        FrmEnd2 second(false);
        QSignalSpy secondHandIn(&second, &HandInDialog::handInChosen);
        QVERIFY(activate(&second));
        QTRY_COMPARE(focused(), second.Command2);
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        QCOMPARE(secondHandIn.count(), 1);

        panel::exam::Report r;
        r.solved[12] = true;
        for (int i = 1; i <= MaxQuestions; ++i)
            r.tooltips[i] = QStringLiteral("第%1题： 题%1").arg(i);
        r.wrongReview = true;
        FrmChengji report(d, r);
        report.setAttribute(Qt::WA_DeleteOnClose, false);
        QSignalSpy leave(&report, &FrmChengji::leaveRequested);
        QVERIFY(activate(&report));
        QVERIFY(tabTo(report.CmTNO[1]));
        const auto tabStops = [&] {
            int n = 0;
            for (int i = 1; i <= MaxQuestions; ++i)
                n += report.CmTNO[i]->focusPolicy() & Qt::TabFocus ? 1 : 0;
            return n;
        };
        QCOMPARE(tabStops(), 1);
        press(Qt::Key_Right);
        press(Qt::Key_Down);
        QCOMPARE(focused(), report.CmTNO[12]);
        QCOMPARE(report.CmTNO[12]->accessibleName(), QStringLiteral("第12题 已完成"));
        QCOMPARE(report.CmTNO[11]->accessibleName(), QStringLiteral("第11题 未完成"));
        press(Qt::Key_Left);
        press(Qt::Key_Up);
        QCOMPARE(focused(), report.CmTNO[1]);
        press(Qt::Key_Up);
        QCOMPARE(focused(), report.CmTNO[1]);
        press(Qt::Key_Right);
        press(Qt::Key_Return);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("第2题： 题2"));
        QCOMPARE(tabStops(), 1);
        // the grid keeps the question it was left on as its Tab stop
        QVERIFY(tabTo(report.Command2));
        QVERIFY(tabTo(report.CmTNO[2]));
        QVERIFY(tabTo(report.Command3));
        QVERIFY(tabTo(report.Command1));
        QVERIFY(tabTo(report.Command2));
        press(Qt::Key_Return);
        QTRY_COMPARE(leave.count(), 1);
        QVERIFY(!report.isVisible());
    }

    // The first dialog's text follows the status words; an open dialog loses
    // "继续考试" when the time runs out under it.
    void firstDialogTextAndTimeRunningOut() {
        const ModData done = paper(StatusVisited | StatusSolved);
        FrmEnd1 dialog(done, false);
        QCOMPARE(dialog.Label1->text(), QStringLiteral("\n您是否确定交卷?"));
        dialog.show();
        dialog.setTimeUp(true);
        QVERIFY(!dialog.Command2->isEnabled());
        QSignalSpy goOn(&dialog, &HandInDialog::continueChosen);
        dialog.reject();
        QVERIFY(dialog.isVisible());
        QCOMPARE(goOn.count(), 0);
    }

    // The report: red and green in rows of ten, the tooltips, the score line;
    // "本次错题复习" only when offered.
    void report_data() {
        QTest::addColumn<bool>("wrongReview");
        QTest::newRow("wrong review offered") << true;
        QTest::newRow("no wrong review") << false;
    }
    void report() {
        QFETCH(bool, wrongReview);
        ModData d = paper(0);
        d.CandidateName = QStringLiteral("柏川1");
        panel::exam::Report r;
        r.solved[3] = r.solved[40] = true;
        for (int i = 1; i <= MaxQuestions; ++i)
            r.tooltips[i] = QStringLiteral("第%1题： 题%1").arg(i);
        r.scoreLine = QStringLiteral("第1套得分：5分");
        r.wrongReview = wrongReview;
        r.wrongList = wrongReview ? QStringLiteral("0001") : QString();
        FrmChengji form(d, r);
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("成绩"));
        QCOMPARE(form.Label1->text(), QStringLiteral("第1套得分：5分"));
        QCOMPARE(form.Command1->text(), QStringLiteral("本次考题复习(&R)"));
        QCOMPARE(form.Command3->text(), QStringLiteral("本次错题复习(&W)"));
        QCOMPARE(form.Command2->text(), QStringLiteral("退出(&X)"));
        QCOMPARE(form.Command3->isEnabled(), wrongReview);
        QVERIFY(form.Command1->isEnabled());
        for (int i : {1, 3, 11, 40}) {
            QCOMPARE(form.CmTNO[i]->text(), QString::number(i));
            QCOMPARE(form.CmTNO[i]->property("solved").toBool(), i == 3 || i == 40);
            QCOMPARE(form.CmTNO[i]->toolTip(), QStringLiteral("第%1题： 题%1").arg(i));
        }
        // ten to a row: 11 sits under 1, 40 closes the fourth row
        QCOMPARE(form.CmTNO[11]->x(), form.CmTNO[1]->x());
        QCOMPARE(form.CmTNO[11]->y(), form.CmTNO[1]->y() + form.CmTNO[1]->height());
        QCOMPARE(form.Frame1->size(),
                 QSize(form.CmTNO[40]->geometry().right() + 1, form.CmTNO[40]->geometry().bottom() + 1));
        // the pixels say the same: green for a solved question, red for the rest
        const QImage shot = form.grab().toImage();
        auto centre = [&](int i) {
            return shot.pixelColor(form.Frame1->pos() + form.CmTNO[i]->geometry().topLeft() + QPoint(3, 3));
        };
        QCOMPARE(centre(3), QColor(0, 255, 0));
        QCOMPARE(centre(1), QColor(255, 0, 0));
    }

    // Each way on closes the report and says which; closing the window leaves.
    void reportWaysOn_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("leave");
        QTest::newRow("本次考题复习") << 1 << 1 << 0 << 0;
        QTest::newRow("本次错题复习") << 3 << 0 << 1 << 0;
        QTest::newRow("退出") << 2 << 0 << 0 << 1;
        QTest::newRow("the window closed") << 0 << 0 << 0 << 1;
        QTest::newRow("Esc") << -1 << 0 << 0 << 1;
        QTest::newRow("Esc on the grid") << -2 << 0 << 0 << 1;
    }
    void reportWaysOn() {
        QFETCH(int, button);
        QFETCH(int, paper);
        QFETCH(int, wrong);
        QFETCH(int, leave);
        const ModData d = TstExamForms::paper(0);
        panel::exam::Report r;
        r.wrongReview = true;
        FrmChengji form(d, r);
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        form.show();
        QSignalSpy paperSpy(&form, &FrmChengji::paperReviewRequested);
        QSignalSpy wrongSpy(&form, &FrmChengji::wrongReviewRequested);
        QSignalSpy leaveSpy(&form, &FrmChengji::leaveRequested);
        QPushButton *b = button == 1 ? form.Command1 : button == 2 ? form.Command2 : form.Command3;
        if (button == -1)
            QTest::keyClick(&form, Qt::Key_Escape);
        else if (button == -2)
            QTest::keyClick(form.CmTNO[1], Qt::Key_Escape);
        else if (button)
            QTest::mouseClick(b, Qt::LeftButton);
        else
            form.close();
        QTRY_COMPARE(leaveSpy.count(), leave);
        QCOMPARE(paperSpy.count(), paper);
        QCOMPARE(wrongSpy.count(), wrong);
        QVERIFY(!form.isVisible());
    }

    // Alt and the underlined letter choose a way on as a click does, from
    // wherever the keyboard is on the report.
    void reportAltKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("leave");
        QTest::newRow("Alt+R 本次考题复习") << int(Qt::Key_R) << 1 << 0 << 0;
        QTest::newRow("Alt+W 本次错题复习") << int(Qt::Key_W) << 0 << 1 << 0;
        QTest::newRow("Alt+X 退出") << int(Qt::Key_X) << 0 << 0 << 1;
    }
    void reportAltKeys() {
        QFETCH(int, key);
        QFETCH(int, paper);
        QFETCH(int, wrong);
        QFETCH(int, leave);
        const ModData d = TstExamForms::paper(0);
        panel::exam::Report r;
        r.wrongReview = true;
        FrmChengji form(d, r);
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        QSignalSpy paperSpy(&form, &FrmChengji::paperReviewRequested);
        QSignalSpy wrongSpy(&form, &FrmChengji::wrongReviewRequested);
        QSignalSpy leaveSpy(&form, &FrmChengji::leaveRequested);
        QVERIFY(activate(&form));
        form.CmTNO[5]->setFocus(); // the keyboard on the grid
        QTest::keyClick(focused(), Qt::Key(key), Qt::AltModifier);
        // a mnemonic shows the button going down and up before it clicks
        QTRY_COMPARE(paperSpy.count() + wrongSpy.count() + leaveSpy.count(), 1);
        QCOMPARE(leaveSpy.count(), leave);
        QCOMPARE(paperSpy.count(), paper);
        QCOMPARE(wrongSpy.count(), wrong);
        QVERIFY(!form.isVisible());
    }

    // The grid says each question's state in words for assistive tools, not
    // by colour alone, then the question.
    void reportGridStatesSaid_data() {
        QTest::addColumn<int>("question");
        QTest::addColumn<QString>("description");
        QTest::newRow("solved") << 3 << QStringLiteral("已完成。第3题： 题3");
        QTest::newRow("not solved") << 4 << QStringLiteral("未完成。第4题： 题4");
        QTest::newRow("last solved") << 40 << QStringLiteral("已完成。第40题： 题40");
    }
    void reportGridStatesSaid() {
        QFETCH(int, question);
        QFETCH(QString, description);
        panel::exam::Report r;
        r.solved[3] = r.solved[40] = true;
        for (int i = 1; i <= MaxQuestions; ++i)
            r.tooltips[i] = QStringLiteral("第%1题： 题%1").arg(i);
        FrmChengji form(paper(0), r);
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(form.CmTNO[question]);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Description), description);
    }

    // The report is a dialog for assistive tools, called by its title.
    void reportIsADialog() {
        panel::exam::Report r;
        FrmChengji form(paper(0), r);
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&form);
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Dialog);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("成绩"));
        // its buttons keep their own roles
        QAccessibleInterface *b = QAccessible::queryAccessibleInterface(form.Command2);
        QVERIFY(b);
        QCOMPARE(b->role(), QAccessible::Button);
    }
};

QTEST_MAIN(TstExamForms)
#include "tst_examforms.moc"
