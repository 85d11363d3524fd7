#pragma once
// The start picture shown while the trainer reads its configuration; it hands
// over to the cover page 100 ms after it has been displayed.

#include "start/moddata.h"

#include <QTimer>
#include <QWidget>

class FrmStart : public QWidget {
    Q_OBJECT
  public:
    explicit FrmStart(const ModData &data, QWidget *parent = nullptr);

    // Arms the hand-over: StartPending -1 and Timer1 on.
    void arm();
    Flag StartPending = False;
    QTimer Timer1;

    // The 440 x 99 start picture, drawn in code.
    static QPixmap startPicture(const QString &moduleName);

  Q_SIGNALS:
    void handOver();

  protected:
    void paintEvent(QPaintEvent *) override;

  private:
    void Timer1_Timer();
    QPixmap m_picture;
};
