#include "demo/frmyanshi.h"
#include "platform/screenplace.h"
#include "simulator/bankreader.h"
#include "simulator/cursorfile.h"
#include "simulator/screenpainter.h"
#include "start/moddata.h"
#include "start/twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>

namespace demo {

namespace {

using start::twips::toPx;

QRect px(const QRect &twips) {
    return QRect(toPx(twips.x()), toPx(twips.y()), toPx(twips.width()), toPx(twips.height()));
}

QRect twipsOf(const QRect &pixels) {
    return QRect(pixels.x() * 15, pixels.y() * 15, pixels.width() * 15, pixels.height() * 15);
}

} // namespace

PlayerEnv FrmYanShi::makeEnv() {
    PlayerEnv env;
    env.scaleX = m_data.ScaleX;
    env.scaleY = m_data.ScaleY;
    const QFontMetrics fm(m_menuFont);
    env.menuTextWidth = [fm](const QString &t) { return fm.horizontalAdvance(QString(t).remove(u'&')) * 15; };
    env.menuRowWidth = [this](const QString &caption, bool cascade) {
        return menuRowWidth(caption, cascade);
    };
    env.pictureSize = [this](const QString &id) { return picture(id).size(); };
    env.titleRect = [this](const sim::ScreenModel &s, int i) { return twipsOf(m_geometry.titleRect(s, i)); };
    env.titleHighlight = [this](const sim::ScreenModel &s, int i) {
        return twipsOf(m_geometry.highlightRect(s, i));
    };
    return env;
}

FrmYanShi::FrmYanShi(ModData &data, const Intervals &intervals, QWidget *over)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_data(data),
      m_geometry(data.ScaleX, data.ScaleY), m_menuFont(QApplication::font("QMenu")),
      m_player(data, makeEnv()) {
    setObjectName(QStringLiteral("frmYanShi"));
    setWindowTitle(tr("操作演示"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);

    const QSize size = m_player.windowSize();
    setFixedSize(toPx(size.width()), toPx(size.height()));
    // centred on the screen, or over the simulated window when it is not maximised
    if (over && !over->isMaximized())
        platform::placeOnScreen(this, over->pos());
    else
        platform::centreOnScreen(this);

    for (int i = 0; i < TimerCount; ++i) {
        auto *t = new QTimer(this);
        t->setTimerType(Qt::PreciseTimer); // a whole demonstration keeps to its intervals
        t->setInterval(intervals[i]);
        const Timer which = Timer(i);
        connect(t, &QTimer::timeout, this, [this, which] { tickNow(which); });
        m_timers[i] = t;
    }
    m_player.setFinishedHandler([this] { end(); });
}

FrmYanShi::~FrmYanShi() {
    if (!m_said) {
        m_data.DemoRunning = False;
        m_said = true;
        Q_EMIT finished();
    }
}

void FrmYanShi::start() {
    // Step 1 is laid out and its pictures decoded before the window shows: a
    // window shown first would stay empty (black) on the screen while the step
    // is being set up, until its first paint.
    m_player.start();
    afterTick();
    show();
    raise();
    activateWindow();
    setFocus();
}

void FrmYanShi::end() {
    for (QTimer *t : m_timers)
        t->stop();
    if (!m_said) {
        m_said = true;
        Q_EMIT finished();
    }
    close();
}

QImage FrmYanShi::picture(const QString &id) {
    if (id.isEmpty())
        return {};
    return m_cache.image(sim::bank::picturePath(m_data, id));
}

void FrmYanShi::refreshPictures() {
    const sim::ScreenModel &s = m_player.screen();
    if (m_pictureIds[0] != s.background) {
        m_pictureIds[0] = s.background;
        m_pictures.background = picture(s.background);
    }
    for (int k = 1; k <= 5; ++k)
        if (m_pictureIds[k] != s.pics[k].id) {
            m_pictureIds[k] = s.pics[k].id;
            m_pictures.pics[k] = picture(s.pics[k].id);
        }
}

void FrmYanShi::tickNow(Timer t, bool repaintNow) {
    if (m_player.finished())
        return;
    m_player.tick(t);
    if (m_player.finished())
        return; // the window is closing
    afterTick();
    if (repaintNow)
        repaint();
}

void FrmYanShi::afterTick() {
    for (int i = 0; i < TimerCount; ++i) {
        const Timer t = Timer(i);
        QTimer *q = m_timers[i];
        if (m_player.runs(t)) {
            if (!q->isActive() || m_player.starts(t) != m_seenStarts[i])
                q->start();
        } else if (q->isActive()) {
            q->stop();
        }
        m_seenStarts[i] = m_player.starts(t);
    }
    refreshPictures();
    if (m_prefetched != m_player.step())
        QTimer::singleShot(0, this, &FrmYanShi::prefetch);
    update();
}

void FrmYanShi::prefetch() {
    if (m_prefetched == m_player.step() || m_player.finished())
        return;
    m_prefetched = m_player.step();
    for (const QString &id : m_player.upcomingPictures())
        picture(id);
}

void FrmYanShi::keyReleaseEvent(QKeyEvent *e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        m_player.requestEnd();
        afterTick();
        return;
    default:
        QWidget::keyReleaseEvent(e);
    }
}

void FrmYanShi::mouseDoubleClickEvent(QMouseEvent *) {
    m_player.requestEnd();
    afterTick();
}

// ---- painting ----------------------------------------------------------------------

void FrmYanShi::paintEvent(QPaintEvent *) {
    QPainter p(this);
    sim::ScreenPaintOptions options;
    options.palette = palette();
    options.hoveredTitle = m_player.barHighlight();
    sim::paintScreen(p, size(), m_player.screen(), m_pictures, m_geometry, options);
    paintBoxes(p);
    if (m_player.menu())
        paintMenu(p, *m_player.menu());
    if (m_player.submenu())
        paintMenu(p, *m_player.submenu());
    if (m_player.markerVisible()) {
        p.setPen(QPen(m_player.markerColour(), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(px(m_player.marker()));
    }
    paintPointer(p);
}

void FrmYanShi::paintBoxes(QPainter &p) {
    const sim::ScreenModel &s = m_player.screen();
    auto box = [&](const sim::Rect &r, const QString &text) {
        const QRect b = sim::ScreenGeometry::px(r);
        p.setPen(QColor(128, 128, 128));
        p.setBrush(Qt::white);
        p.drawRect(b.adjusted(0, 0, -1, -1));
        p.setFont(m_geometry.boxFont());
        p.setPen(Qt::black);
        const QRect inner = b.adjusted(3, 0, -3, 0);
        p.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, text);
        if (m_player.runs(Timer::Timer1)) {
            // the caret after the typed text
            const int x = inner.left() + QFontMetrics(p.font()).horizontalAdvance(text) + 1;
            p.drawLine(x, b.top() + 3, x, b.bottom() - 3);
        }
    };
    if (s.boxVisible)
        box(s.box, s.boxText);
    if (s.overlayVisible)
        box(s.overlay, s.overlayText);
}

QStyleOptionMenuItem FrmYanShi::menuRowOption(const QRect &menuRect) const {
    QStyleOptionMenuItem o;
    o.initFrom(this);
    o.palette = QApplication::palette("QMenu");
    o.font = m_menuFont;
    o.fontMetrics = QFontMetrics(m_menuFont);
    o.menuRect = menuRect;
    o.maxIconWidth = 0;
    o.reservedShortcutWidth = 0;
    o.checkType = QStyleOptionMenuItem::NotCheckable;
    o.state = QStyle::State_Enabled;
    return o;
}

int FrmYanShi::menuRowWidth(const QString &caption, bool cascade) const {
    // as a menu sizes its rows: the caption's size handed to the style, which
    // adds its check column, margins and (for a cascade) the arrow
    QStyleOptionMenuItem o = menuRowOption(QRect());
    o.menuItemType = cascade ? QStyleOptionMenuItem::SubMenu : QStyleOptionMenuItem::Normal;
    o.text = caption;
    const QSize text = o.fontMetrics.size(Qt::TextShowMnemonic, caption);
    const QSize row = style()->sizeFromContents(QStyle::CT_MenuItem, &o, text, this);
    // rows are drawn one pixel inside the panel's outline on either side
    return (row.width() + 2) * 15;
}

void FrmYanShi::paintMenu(QPainter &p, const MenuPanel &panel) {
    const QRect frame = px(panel.frame);
    const QStyleOptionMenuItem base = menuRowOption(frame);

    QStyleOption frameOpt = base;
    frameOpt.rect = frame;
    p.fillRect(frame, base.palette.window());
    style()->drawPrimitive(QStyle::PE_PanelMenu, &frameOpt, &p, this);
    style()->drawPrimitive(QStyle::PE_FrameMenu, &frameOpt, &p, this);

    const std::optional<QRect> &hl = m_player.menuHighlight();
    for (const MenuRow &r : panel.rows) {
        QStyleOptionMenuItem o = base;
        if (r.kind == MenuRow::Separator) {
            o.menuItemType = QStyleOptionMenuItem::Separator;
            o.rect = QRect(frame.left() + 1, toPx(r.label.top() - SeparatorPitch / 2), frame.width() - 2,
                           toPx(SeparatorPitch));
        } else {
            o.menuItemType =
                r.kind == MenuRow::Cascade ? QStyleOptionMenuItem::SubMenu : QStyleOptionMenuItem::Normal;
            o.text = r.text;
            o.rect = QRect(frame.left() + 1, toPx(r.label.top() - 45), frame.width() - 2, toPx(ItemPitch));
            const int mid = r.label.top() + LabelHeight / 2;
            const bool onRow =
                hl && panel.frame.contains(hl->center()) && mid >= hl->top() && mid <= hl->bottom();
            if (onRow)
                o.state |= QStyle::State_Selected;
        }
        style()->drawControl(QStyle::CE_MenuItem, &o, &p, this);
    }
}

void FrmYanShi::paintPointer(QPainter &p) {
    const QPoint at = m_player.pointer();
    if (at.x() < -400)
        return; // parked off the window at the end
    if (m_player.cursorShown()) {
        const QString path = m_player.cursorPath();
        auto it = m_cursors.constFind(path);
        if (it == m_cursors.constEnd())
            it = m_cursors.insert(path, sim::cursorfile::load(path).image);
        if (!it->isNull()) {
            p.drawImage(QPoint(toPx(at.x()), toPx(at.y())), *it);
            return;
        }
        // an unreadable pointer file: the drawn arrow stands in
    }
    const PointerShape s = pointerShape(at, m_data.ScaleX, m_data.ScaleY);
    p.setRenderHint(QPainter::Antialiasing, false);
    auto line = [&](const QLine &l) {
        p.drawLine(QPoint(toPx(l.x1()), toPx(l.y1())), QPoint(toPx(l.x2()), toPx(l.y2())));
    };
    p.setPen(QPen(Qt::white, 2));
    for (const QLine &l : s.filling)
        line(l);
    p.setPen(QPen(Qt::black, 1));
    for (const QLine &l : s.outline)
        line(l);
}

} // namespace demo
