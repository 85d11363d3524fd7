#pragma once
// The question picture window: an always-on-top pop-up that shows one picture,
// sizes itself around it, centres itself on the screen 100 ms after its Timer1
// was switched on, and is dragged by its background or the picture. The caller
// puts the picture in, shows the window and switches Timer1 on; hiding is the
// caller's too. The window never closes itself.

#include "start/moddata.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

class FrmPicture : public QWidget {
    Q_OBJECT
  public:
    explicit FrmPicture(const ModData &data, QWidget *parent = nullptr);

    // Loads a picture file into Image1; false (Image1 unchanged) when it cannot
    // be read.
    bool loadPicture(const QString &path);
    void setPicture(const QPixmap &picture);

    QLabel *Image1 = nullptr;
    QTimer Timer1;

    void Timer1_Timer();

  protected:
    void paintEvent(QPaintEvent *) override;

  private:
    const ModData &m_data;
};
