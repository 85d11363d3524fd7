#include "simulator/screenview.h"

#include <QPainter>

namespace sim::simview {

ScreenView::ScreenView(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScreenView::setScale(double scaleX, double scaleY) {
    m_geometry = sim::ScreenGeometry(scaleX, scaleY);
    update();
}

void ScreenView::setScreen(const sim::ScreenModel &screen) {
    m_screen = screen;
    update();
}

void ScreenView::setPictures(const sim::ScreenPictures &pictures) {
    m_pictures = pictures;
    update();
}

void ScreenView::setExam(bool exam) {
    if (m_exam == exam)
        return;
    m_exam = exam;
    update();
}

void ScreenView::setHoveredTitle(int i) {
    if (m_hover == i)
        return;
    m_hover = i;
    update();
}

void ScreenView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    sim::ScreenPaintOptions options;
    options.palette = palette();
    options.hoveredTitle = m_hover;
    options.exam = m_exam;
    sim::paintScreen(p, size(), m_screen, m_pictures, m_geometry, options);
}

} // namespace sim::simview
