#include "platform/dragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

Dragger::Dragger(QWidget *window) : QObject(window), m_window(window) {}

void Dragger::grip(QWidget *handle) {
    handle->installEventFilter(this);
}

bool Dragger::eventFilter(QObject *watched, QEvent *event) {
    auto *handle = qobject_cast<QWidget *>(watched);
    if (!handle || !m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton)
            return false;
        m_handle = handle;
        QWindow *w = m_window->windowHandle();
        if (w && w->startSystemMove()) {
            m_manual = false;
            if (afterDrag)
                afterDrag(handle);
            return false;
        }
        m_manual = true;
        m_offset = me->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
        return false;
    }
    case QEvent::MouseMove:
        if (m_manual && m_handle == handle) {
            auto *me = static_cast<QMouseEvent *>(event);
            if (me->buttons() & Qt::LeftButton)
                m_window->move(me->globalPosition().toPoint() - m_offset);
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (m_manual && m_handle == handle) {
            m_manual = false;
            if (afterDrag)
                afterDrag(handle);
        }
        m_handle = nullptr;
        return false;
    default:
        return false;
    }
}
