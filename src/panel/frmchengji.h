#pragma once
// The score report "成绩" after a paper was handed in: a page with the
// candidate's data, the grid of the 40 questions (green solved, red not, each
// with its question text as tooltip), the score line and three ways on. The
// report's rules and its records (panel::exam::openReport) have run before it
// opens; the form shows their result and says which way the learner chose.
// Closing the window and Esc are "退出".

#include "panel/examrules.h"
#include "start/moddata.h"

#include <QWidget>
#include <array>

class QFrame;
class QLabel;
class QPushButton;

class FrmChengji : public QWidget {
    Q_OBJECT
  public:
    FrmChengji(const ModData &data, const panel::exam::Report &report, QWidget *parent = nullptr);

    QFrame *Frame1 = nullptr;
    std::array<QPushButton *, MaxQuestions + 1> CmTNO{}; // 1..40
    QLabel *Label1 = nullptr;                            // the score line
    QPushButton *Command1 = nullptr;                     // "本次考题复习"
    QPushButton *Command3 = nullptr;                     // "本次错题复习"
    QPushButton *Command2 = nullptr;                     // "退出"

  Q_SIGNALS:
    void paperReviewRequested();
    void wrongReviewRequested();
    void leaveRequested();

  protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;
    void closeEvent(QCloseEvent *) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

  private:
    // The grid question that holds the grid's Tab stop, and moving it.
    int gridCursor() const;
    void moveGridCursor(int to);
    void choose(void (FrmChengji::*signal)());

    const ModData &m_data;
    QString m_examTime;
    bool m_centred = false;
    bool m_chosen = false;
};
