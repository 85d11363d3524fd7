#pragma once
// ScreenView: one widget that paints a laid-out screen (sim::ScreenModel) with its
// pictures, through sim::paintScreen. It takes no mouse: the window that owns it
// lays its hot zones and input boxes over it. Needs nothing but the model, so the
// simulated window and a demonstration window both show a step with it.

#include "simulator/screenpainter.h"

#include <QWidget>

namespace sim::simview {

class ScreenView : public QWidget {
    Q_OBJECT
  public:
    explicit ScreenView(QWidget *parent = nullptr);

    void setScale(double scaleX, double scaleY);
    const sim::ScreenGeometry &screenGeometry() const { return m_geometry; }

    // The screen to show and its decoded pictures.
    void setScreen(const sim::ScreenModel &screen);
    void setPictures(const sim::ScreenPictures &pictures);
    const sim::ScreenModel &screen() const { return m_screen; }
    const sim::ScreenPictures &pictures() const { return m_pictures; }

    // The emblem reads "考试" during an exam, else "练习".
    void setExam(bool exam);
    bool exam() const { return m_exam; }

    // The menu title shown highlighted (-1 none).
    void setHoveredTitle(int i);
    int hoveredTitle() const { return m_hover; }

  protected:
    void paintEvent(QPaintEvent *) override;

  private:
    sim::ScreenGeometry m_geometry;
    sim::ScreenModel m_screen;
    sim::ScreenPictures m_pictures;
    int m_hover = -1;
    bool m_exam = false;
};

} // namespace sim::simview
