#pragma once
// The exam's hint dialog: it tells the learner that a formal exam shows no
// answers and offers either to go on alone or to give up the exam's scoring and
// watch the current question's answer at once. The dialog only asks; whoever
// opened it applies the choice (answersChosen).

#include <QDialog>

class QLabel;
class QPushButton;
namespace platform {
class Prompter;
} // namespace platform

class FrmCZTS : public QDialog {
    Q_OBJECT
  public:
    explicit FrmCZTS(platform::Prompter &prompter, QWidget *parent = nullptr);

    // Closes the dialog; the exam goes on unchanged.
    void Command1_Click();
    // Asks first; on Yes emits answersChosen and closes, on No stays open.
    void Command2_Click();

    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

  Q_SIGNALS:
    // The learner confirmed "我想立即看答案".
    void answersChosen();

  protected:
    void mouseReleaseEvent(QMouseEvent *e) override;
    void paintEvent(QPaintEvent *) override;

  private:
    platform::Prompter &m_prompter;
};
