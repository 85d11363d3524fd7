#pragma once
// FrmAbout, the about box the cover page opens modally: the system's title with
// its shadow, the module's subtitle, the program version and the working
// folder. A click on the working folder opens it and puts a launcher for the
// trainer on the desktop; "确定" or a click on the background closes the box.

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
struct ModData;
namespace platform {
class Launcher;
}

namespace cover {

class FrmAbout : public QDialog {
    Q_OBJECT
  public:
    // program: the trainer's executable; desktop: where the launcher goes.
    FrmAbout(const ModData &data, platform::Launcher *launcher, QString program, QString desktop,
             QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    std::array<QLabel *, 4> Label1{};
    QPushButton *Command1 = nullptr;

    // Label1(3): the folder opened, the launcher written.
    void workingFolderClicked();
    QString launcherFile() const;

  protected:
    void mousePressEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    const ModData &m_data;
    platform::Launcher *m_launcher;
    QString m_program, m_desktop;
};

} // namespace cover
