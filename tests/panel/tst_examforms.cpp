// The hand-in dialogs and the score report as forms: what they show, which
// way each button leads, and what is left once the time is up.
#include "panel/frmchengji.h"
#include "panel/frmend.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

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
        QCOMPARE(form.Command1->text(), QStringLiteral("本次考题复习"));
        QCOMPARE(form.Command3->text(), QStringLiteral("本次错题复习"));
        QCOMPARE(form.Command2->text(), QStringLiteral("退出"));
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
        if (button)
            QTest::mouseClick(b, Qt::LeftButton);
        else
            form.close();
        QTRY_COMPARE(leaveSpy.count(), leave);
        QCOMPARE(paperSpy.count(), paper);
        QCOMPARE(wrongSpy.count(), wrong);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TstExamForms)
#include "tst_examforms.moc"
