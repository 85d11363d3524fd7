#include "platform/clicklabel.h"

#include <QMouseEvent>

namespace platform {

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent) {}

void ClickLabel::mousePressEvent(QMouseEvent *e) {
    Q_EMIT pressed(e->button(), e->modifiers(), e->position().toPoint());
    e->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *e) {
    const bool inside = rect().contains(e->position().toPoint());
    Q_EMIT released(e->button(), e->modifiers(), e->position().toPoint());
    if (inside && (m_clickButtons & e->button()))
        Q_EMIT clicked(e->button());
    e->accept();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *e) {
    if (!m_separateDoubleClicks) {
        mousePressEvent(e);
        return;
    }
    Q_EMIT doubleClicked(e->button(), e->modifiers(), e->position().toPoint());
    e->accept();
}

void ClickLabel::mouseMoveEvent(QMouseEvent *e) {
    Q_EMIT moved(e->buttons(), e->modifiers(), e->position().toPoint());
    if (m_keepsMoves)
        e->accept();
    else
        e->ignore();
}

void ClickLabel::enterEvent(QEnterEvent *) {
    Q_EMIT entered();
}

void ClickLabel::leaveEvent(QEvent *) {
    Q_EMIT left();
}

} // namespace platform
