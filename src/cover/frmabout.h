#pragma once
// FrmAbout, the about box the cover page opens modally: the system's title with
// its shadow, the module's subtitle, the program version, the working folder and
// the folder of the learner's records. A click on the working folder opens it
// and, when the learner says yes, puts a launcher for the trainer on the
// desktop; "确定" or a click on the background closes the box.

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
struct ModData;
namespace platform {
class Launcher;
class Prompter;
} // namespace platform

namespace cover {

class FrmAbout : public QDialog {
    Q_OBJECT
  public:
    // program: the trainer's executable; desktop: where the launcher goes.
    FrmAbout(const ModData &data, platform::Prompter &prompter, platform::Launcher *launcher, QString program,
             QString desktop, QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    std::array<QLabel *, 4> Label1{};
    QLabel *LblRecords = nullptr; // where the records are kept
    QPushButton *Command1 = nullptr;

    // Label1(3): the folder opened (or the learner told it did not open), and
    // the launcher written when the learner agrees.
    void workingFolderClicked();
    QString launcherFile() const;

  protected:
    void mousePressEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    const ModData &m_data;
    platform::Prompter &m_prompter;
    platform::Launcher *m_launcher;
    QString m_program, m_desktop;
};

} // namespace cover
