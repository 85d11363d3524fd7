#include "platform/clicklabel.h"
#include "platform/plaintext.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QToolTip>

namespace platform {

namespace {

bool isActivationKey(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A click label as assistive tools see it: a push button with a "press" action.
class ClickLabelAccessible : public QAccessibleWidget {
  public:
    explicit ClickLabelAccessible(ClickLabel *label) : QAccessibleWidget(label, QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked(Qt::MouseButton)"));
    }

    QString text(QAccessible::Text t) const override {
        auto *label = static_cast<ClickLabel *>(widget());
        switch (t) {
        case QAccessible::Name:
            return label->spokenName();
        case QAccessible::Description:
            return label->accessibleDescription().isEmpty() ? label->toolTip()
                                                            : label->accessibleDescription();
        case QAccessible::Accelerator:
            return label->shortcut().toString(QKeySequence::NativeText);
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QStringList actionNames() const override {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString &name) override {
        if (name == pressAction() && widget()->isEnabled())
            static_cast<ClickLabel *>(widget())->activate();
    }
};

QAccessibleInterface *clickLabelFactory(const QString &className, QObject *object) {
    if (className == QLatin1String("platform::ClickLabel") && object && object->isWidgetType())
        return new ClickLabelAccessible(static_cast<ClickLabel *>(object));
    return nullptr;
}

} // namespace

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(clickLabelFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    showPlain(this);
    // Tab reaches it; a mouse click does not take the keyboard from where it is.
    setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::setFocusMark(const QColor &colour, qreal radius) {
    m_markColour = colour;
    m_markRadius = radius;
    update();
}

QString ClickLabel::spokenName() const {
    if (!accessibleName().isEmpty())
        return accessibleName();
    if (!text().isEmpty())
        return text();
    return toolTip();
}

void ClickLabel::setShortcut(const QKeySequence &key) {
    if (m_shortcutId)
        releaseShortcut(m_shortcutId);
    m_shortcut = key;
    m_shortcutId = key.isEmpty() ? 0 : grabShortcut(key, Qt::WindowShortcut);
}

QString ClickLabel::shownTip() const {
    const QString tip = toolTip();
    if (m_shortcut.isEmpty())
        return tip;
    const QString key = QStringLiteral(" (%1)").arg(m_shortcut.toString(QKeySequence::NativeText));
    // a tooltip kept plain by its wrapper takes the key inside the wrapper
    static const QString wrapperEnd = QStringLiteral("</p>");
    if (tip.startsWith(QStringLiteral("<p style=")) && tip.endsWith(wrapperEnd))
        return tip.left(tip.size() - wrapperEnd.size()) + key.toHtmlEscaped() + wrapperEnd;
    return plainTip((tip.isEmpty() ? spokenName() : tip) + key);
}

bool ClickLabel::event(QEvent *e) {
    if (e->type() == QEvent::Shortcut && m_shortcutId &&
        static_cast<QShortcutEvent *>(e)->shortcutId() == m_shortcutId) {
        // a label out of the keyboard's reach (under a sheet or panel) ignores its key
        if (isEnabled() && (focusPolicy() & Qt::TabFocus))
            activate();
        return true;
    }
    if (e->type() == QEvent::ToolTip && !m_shortcut.isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(), shownTip(), this);
        return true;
    }
    return QLabel::event(e);
}

void ClickLabel::activate(Qt::KeyboardModifiers modifiers) {
    const QPoint centre = rect().center();
    Q_EMIT pressed(Qt::LeftButton, modifiers, centre);
    Q_EMIT released(Qt::LeftButton, modifiers, centre);
    if (m_clickButtons & Qt::LeftButton)
        Q_EMIT clicked(Qt::LeftButton);
}

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

// Space and Enter act on the release, as a button does, so that the release of
// the key that opened another window never reaches that window.
void ClickLabel::keyPressEvent(QKeyEvent *e) {
    if (isActivationKey(e->key()) && !(e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier |
                                                          Qt::ControlModifier | Qt::AltModifier))) {
        if (!e->isAutoRepeat() && !m_keyDown) {
            m_keyDown = true;
            Q_EMIT pressed(Qt::LeftButton, e->modifiers() & ~Qt::KeypadModifier, rect().center());
        }
        e->accept();
        return;
    }
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
            focusNextPrevChild(false);
            e->accept();
            return;
        }
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
            focusNextPrevChild(true);
            e->accept();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(e);
}

void ClickLabel::keyReleaseEvent(QKeyEvent *e) {
    if (isActivationKey(e->key()) && m_keyDown) {
        if (e->isAutoRepeat()) {
            e->accept();
            return;
        }
        m_keyDown = false;
        const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
        Q_EMIT released(Qt::LeftButton, mods, rect().center());
        if (m_clickButtons & Qt::LeftButton)
            Q_EMIT clicked(Qt::LeftButton);
        e->accept();
        return;
    }
    QLabel::keyReleaseEvent(e);
}

void ClickLabel::focusInEvent(QFocusEvent *e) {
    QLabel::focusInEvent(e);
    update();
}

void ClickLabel::focusOutEvent(QFocusEvent *e) {
    m_keyDown = false; // a key that went down here and comes up elsewhere is not a click
    QLabel::focusOutEvent(e);
    update();
}

void ClickLabel::paintEvent(QPaintEvent *e) {
    QLabel::paintEvent(e);
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_markColour, 2, Qt::SolidLine));
    p.setBrush(Qt::NoBrush);
    const QRectF r = QRectF(m_markRect.isNull() ? rect() : m_markRect).adjusted(1, 1, -1, -1);
    p.drawRoundedRect(r, m_markRadius, m_markRadius);
}

} // namespace platform
