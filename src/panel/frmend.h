#pragma once
// The two hand-in dialogs of an exam, both captioned "重要提示" and modal:
// FrmEnd1 asks whether to hand the paper in (warning first when a question was
// never shown or is still marked), FrmEnd2 warns that a handed-in paper cannot
// be taken up again. "交卷" emits handInChosen, "继续考试" continueChosen; each
// closes the dialog first. Closing the dialog any other way (Esc, the window's
// close button) is "继续考试".
//
// Once the exam's time is up only the hand-in is left: "继续考试" is disabled
// and the dialog cannot be closed without "交卷". setTimeUp switches a dialog
// that is already open when the time runs out.

#include "start/moddata.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class HandInDialog : public QDialog {
    Q_OBJECT
  public:
    HandInDialog(const QString &text, bool timeUp, QWidget *parent = nullptr);

    void setTimeUp(bool up);
    bool timeUp() const { return m_timeUp; }

    QLabel *LblHead = nullptr; // "交卷提示", with "考试时间已到" once the time is up
    QLabel *LblKeys = nullptr; // what Return does in the dialog
    QFrame *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr; // "交卷"
    QPushButton *Command2 = nullptr; // "继续考试"

  public Q_SLOTS:
    void reject() override;

  Q_SIGNALS:
    void handInChosen();
    void continueChosen();

  protected:
    void paintEvent(QPaintEvent *) override;

  private:
    bool m_timeUp = false;
};

class FrmEnd1 : public HandInDialog {
    Q_OBJECT
  public:
    // The message from the 40 status words as they stand at load.
    FrmEnd1(const ModData &data, bool timeUp, QWidget *parent = nullptr);
};

class FrmEnd2 : public HandInDialog {
    Q_OBJECT
  public:
    explicit FrmEnd2(bool timeUp, QWidget *parent = nullptr);
};
