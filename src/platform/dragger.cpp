#include "platform/dragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace platform {

Dragger::Dragger(QWidget *window) : QObject(window), m_window(window) {}

void Dragger::grip(QWidget *handle) {
    handle->installEventFilter(this);
}

bool Dragger::eventFilter(QObject *watched, QEvent *event) {
    auto *handle = qobject_cast<QWidget *>(watched);
    if (!handle || !m_window)
        return false;
    const bool taken = !m_handleSees;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton || (mayDrag && !mayDrag()))
            return false;
        m_handle = handle;
        QWindow *w = m_systemMove ? m_window->windowHandle() : nullptr;
        if (w && w->startSystemMove()) {
            m_manual = false;
            if (afterDrag)
                afterDrag(handle);
            return taken;
        }
        m_manual = true;
        m_offset = me->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
        return taken;
    }
    case QEvent::MouseMove:
        if (m_manual && m_handle == handle) {
            auto *me = static_cast<QMouseEvent *>(event);
            if (me->buttons() & Qt::LeftButton) {
                m_window->move(me->globalPosition().toPoint() - m_offset);
                if (moved)
                    moved();
            }
            return taken;
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (m_manual && m_handle == handle) {
            m_manual = false;
            m_handle = nullptr;
            if (afterDrag)
                afterDrag(handle);
            return taken;
        }
        m_handle = nullptr;
        return false;
    default:
        return false;
    }
}

} // namespace platform
