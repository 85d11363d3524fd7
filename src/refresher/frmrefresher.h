#pragma once
// FrmRefresher1, the update checker's one window ("题库升级"): the installed
// and the newest bank version, the verdict, and the buttons. It shows the
// session's view and drives its ticks from three Qt timers.

#include "refresher/session.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace refresher {

class FrmRefresher1 : public QWidget {
    Q_OBJECT
  public:
    explicit FrmRefresher1(Session &session, QWidget *parent = nullptr);

    QLabel *Label3 = nullptr, *LblVer = nullptr, *Label1 = nullptr, *Label2 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr;
    QTimer Timer1, Timer2, Timer3;

  private:
    void showView(const View &v);
    Session &m_session;
};

} // namespace refresher
