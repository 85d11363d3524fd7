#include "demo/demoplayer.h"
#include "platform/textfile.h"
#include "start/moddata.h"

#include <QCoreApplication>

namespace demo {

namespace {

bool isAny(const QString &code, std::initializer_list<const char *> codes) {
    for (const char *c : codes)
        if (code == QLatin1String(c))
            return true;
    return false;
}

QChar first(const QString &code) {
    return code.isEmpty() ? QChar() : code.at(0);
}

bool firstIn(const QString &code, const char *letters) {
    const QChar c = first(code);
    for (const char *p = letters; *p; ++p)
        if (c == QLatin1Char(*p))
            return true;
    return false;
}

bool isClick(const QString &code) {
    return isAny(code, {"0001", "0002", "2000", "0003"});
}

bool isDrag(const QString &code) {
    return code.startsWith(QLatin1String("004")) || code.startsWith(QLatin1String("005"));
}

bool isTyping(const QString &code) {
    return code.startsWith(QLatin1String("002")) || code.startsWith(QLatin1String("A11"));
}

} // namespace

const char *timerName(Timer t) {
    static constexpr const char *names[TimerCount] = {"Timer1",  "Timer2",  "Timer3", "Timer5",
                                                      "TimerRM", "TimerRS", "TimEnd"};
    return names[int(t)];
}

Intervals intervalsOf(const sim::DemoIntervals &all) {
    Intervals out{};
    for (int i = 0; i < TimerCount; ++i)
        for (int k = 0; k < sim::DemoTimerCount; ++k)
            if (qstrcmp(sim::DemoTimers[k].name, timerName(Timer(i))) == 0)
                out[i] = all[k];
    return out;
}

DemoPlayer::DemoPlayer(ModData &data, PlayerEnv env) : m_data(data), m_env(std::move(env)), m_reader(data) {}

bool DemoPlayer::gate() const {
    return m_data.DemoRunning != False;
}

void DemoPlayer::on(Timer t) {
    if (!m_on[int(t)])
        ++m_starts[int(t)];
    m_on[int(t)] = true;
}

bool DemoPlayer::anyRunning() const {
    for (bool b : m_on)
        if (b)
            return true;
    return false;
}

QSize DemoPlayer::windowSize() const {
    return QSize(roundHalfEven(12000 * m_env.scaleX), roundHalfEven(9000 * m_env.scaleY));
}

void DemoPlayer::start() {
    m_pointer = QPoint(roundHalfEven(6000 * m_env.scaleX), roundHalfEven(4500 * m_env.scaleY));
    m_aim = m_pointer;
    m_step = 1;
    m_finished = false;
    resetMenus();
    setData();
}

void DemoPlayer::tick(Timer t) {
    switch (t) {
    case Timer::Timer1:
        return tickTyping();
    case Timer::Timer2:
        return tickMotion();
    case Timer::Timer3:
        return tickPictureDrag();
    case Timer::Timer5:
        return tickBlink();
    case Timer::TimerRM:
        return tickMenuWalk();
    case Timer::TimerRS:
        return tickSubWalk();
    case Timer::TimEnd:
        return tickEnd();
    }
}

void DemoPlayer::resetMenus() {
    if (!gate())
        return;
    m_menu.reset();
    m_sub.reset();
    m_highlight.reset();
    m_barHighlight = -1;
}

QString DemoPlayer::answerText() {
    const int n = m_record.answerLine();
    if (n == 0)
        return {};
    const QString t = m_reader.text(n);
    const int bar = t.indexOf(u'|');
    return bar >= 0 ? t.left(bar) : t;
}

QStringList DemoPlayer::upcomingPictures() {
    bool ok = false;
    const sim::bank::StepRecord r = m_reader.record(m_data.CurQuestion, m_step + 1, &ok);
    QStringList ids;
    if (!ok)
        return ids;
    auto add = [&](const QString &id) {
        if (!id.isEmpty() && id != sim::bank::KeepId)
            ids << id;
    };
    add(r.ScreenPicture());
    for (int k = 1; k <= 5; ++k)
        if (r.picturePlaced(k))
            add(r.PicId(k));
    return ids;
}

// ---- loading a step ------------------------------------------------------------

void DemoPlayer::setData() {
    m_tickCount = 0;
    m_dragging = false;
    m_restTicks = 0;
    m_screen.selection = {m_screen.selection.x, m_screen.selection.y, 10, 10};
    off(Timer::Timer3);

    bool ok = false;
    const sim::bank::StepRecord r = m_reader.record(m_data.CurQuestion, m_step, &ok);
    if (!ok) {
        // Nothing further can be shown: the demonstration ends instead of
        // replaying the last record it could read.
        m_problems << m_reader.lastError();
        off(Timer::Timer1);
        off(Timer::Timer2);
        off(Timer::TimerRM);
        off(Timer::TimerRS);
        on(Timer::TimEnd);
        return;
    }
    m_record = r;

    // Laid out as guided teaching, without clearing the pictures at step 1: the
    // question's screen as the learner left it stays behind the first step.
    sim::LayoutInput in{
        m_record, 2, WorkGuided, m_env.scaleX, m_env.scaleY, [this](int n) { return m_reader.text(n); }};
    sim::LayoutResult lay = sim::layoutStep(in, m_screen);
    m_screen = lay.screen;
    m_screen.successVisible = false;
    m_screen.hintVisible = true;
    m_screen.outline1 = !lay.closing;
    m_screen.timer3 = false;
    m_firstLegDone = false;
    m_screen.outline4 = m_record.zone2Present();
    m_cursorShown = false;
    m_dropX = m_record.targetX();
    m_dropY = m_record.targetY();

    if (lay.closing) {
        m_screen.hintText = QCoreApplication::translate("demo::DemoPlayer", "操作成功！");
        on(Timer::TimEnd);
        return;
    }
    resetMenus();
    aimForStep();
}

QPoint DemoPlayer::centre(const sim::Rect &r) const {
    return QPoint(roundHalfEven(r.x + r.w / 2.0), roundHalfEven(r.y + r.h / 2.0));
}

QSize DemoPlayer::picture5Size() const {
    const QSize px = m_env.pictureSize ? m_env.pictureSize(m_screen.pics[5].id) : QSize();
    return px.isValid() ? px * 15 : QSize(0, 0);
}

QPoint DemoPlayer::picture5Centre() const {
    const QSize s = picture5Size();
    const auto &p = m_screen.pics[5];
    return centre(sim::Rect{p.x, p.y, s.width(), s.height()});
}

void DemoPlayer::aimForStep() {
    if (!gate())
        return;
    const QString c = code();
    if (isClick(c) || firstIn(c, "345T9"))
        m_aim = centre(m_screen.zone1);
    if (firstIn(c, "ABCD") && m_env.titleRect) {
        const int n = menuNumber(c) - 1;
        if (n >= 0 && n < sim::MenuTitles) {
            const QRect t = m_env.titleRect(m_screen, n);
            m_aim = centre(sim::Rect{t.x(), t.y(), t.width(), t.height()});
        }
    }
    if (isDrag(c))
        m_aim = centre(m_screen.zone2);
    if (isTyping(c))
        m_aim = QPoint(m_screen.box.x + 300, roundHalfEven(m_screen.box.y + m_screen.box.h / 2.0));
    if (c.startsWith(QLatin1String("800")))
        m_aim = picture5Centre();
    if (first(c) == u'6') {
        // a key: the pointer stays where it is
        m_aim = m_pointer;
        doNext();
        return;
    }
    if (m_screen.stepValue == 8888) {
        doNext();
        if (m_advancing) {
            // the steps after this one are still being set up: the glide toward
            // whatever aim they leave starts once they are
            m_glideAfterRun = true;
            return;
        }
    }
    startGlide();
    on(Timer::Timer2);
}

void DemoPlayer::doNext() {
    if (!gate())
        return;
    if (m_advancing) {
        // Called while a step is being set up (a key step or a step passed at
        // once): the loop below takes the next step when this one is done, so
        // a long run of such steps never piles up calls.
        m_advanceAgain = true;
        return;
    }
    m_advancing = true;
    do {
        m_advanceAgain = false;
        advanceOneStep();
    } while (m_advanceAgain && gate());
    m_advancing = false;
    if (m_glideAfterRun) {
        m_glideAfterRun = false;
        startGlide();
        on(Timer::Timer2);
    }
}

void DemoPlayer::advanceOneStep() {
    if (code() == QLatin1String("9999")) {
        off(Timer::Timer2);
        m_marker.moveTo(-500, -500);
        m_pointer = QPoint(-500, -500);
        on(Timer::TimEnd);
        return;
    }
    ++m_step;
    resetMenus();
    setData();
}

// ---- motion ------------------------------------------------------------------------

void DemoPlayer::advance() {
    m_pointer += QPoint(m_glide.dx, m_glide.dy);
}

bool DemoPlayer::hasArrived() const {
    return arrived(m_pointer, m_aim, m_glide.len, m_env.scaleX);
}

QString DemoPlayer::cursorFile() const {
    const QString pointer = m_record.PointerSpec();
    const QString nn = pointer.startsWith(u'S') ? QStringLiteral("00") : pointer.right(2);
    return sim::bank::pointerPath(m_data, nn);
}

void DemoPlayer::tickMotion() {
    if (!gate())
        return;
    if (m_restTicks > 0) {
        // a step shown without its action: rest on the target, then move on
        if (--m_restTicks == 0) {
            off(Timer::Timer2);
            m_passed << code();
            doNext();
        }
        return;
    }
    m_screen.selection.w = 1;
    m_screen.selection.h = 1;
    advance();
    const QString c = code();
    const bool selecting = c.startsWith(QLatin1String("004"));
    if (selecting || (c.startsWith(QLatin1String("005")) && m_firstLegDone)) {
        if (selecting && m_dragging) {
            sim::Rect &f = m_screen.selection;
            const int w = m_pointer.x() - f.x + roundHalfEven(120 * m_env.scaleX);
            const int h = m_pointer.y() - f.y + roundHalfEven(120 * m_env.scaleY);
            if (w >= 0)
                f.w = w;
            if (h >= 0)
                f.h = h;
        }
        m_cursorShown = true;
        m_cursorPath = cursorFile();
    } else {
        m_cursorShown = false;
    }
    if (!hasArrived())
        return;
    arrival();
}

void DemoPlayer::flashMarker() {
    m_marker.moveTo(m_pointer.x() - MarkerOffset, m_pointer.y() - MarkerOffset);
    // the colour of the step the marker marks, kept while the next step glides
    m_markerColour = demo::markerColour(code());
    on(Timer::Timer5);
}

void DemoPlayer::arrival() {
    const QString c = code();
    // 1: the click marker
    flashMarker();
    // 2: a step with two targets: zone 1 after the first
    const QString bar = m_record.MenuBarY();
    if (bar.startsWith(u'X') && bar.size() >= 4 && bar.at(2) != bar.at(3) && !m_firstLegDone) {
        m_firstLegDone = true;
        m_screen.outline4 = false;
        m_screen.outline1 = true;
        aimForStep();
        return;
    }
    // 3: zone 1 framed
    m_screen.outline1 = true;
    // 4: clicks, and second legs
    if (isClick(c) || m_firstLegDone) {
        doNext();
        return;
    }
    // 5: a drag's start reached: the second leg to zone 1
    if (isDrag(c)) {
        m_aim = centre(m_screen.zone1);
        m_dragging = true;
        startGlide();
        m_screen.selection = {m_screen.zone2.x, m_screen.zone2.y, 1, 1};
        m_screen.selectionVisible = c.startsWith(QLatin1String("004"));
        m_firstLegDone = true;
        m_screen.outline4 = false;
        tickMotion();
        return;
    }
    // 6
    m_screen.selectionVisible = false;
    // 7: mouse buttons
    if (first(c) == u'9' && c != QLatin1String("9999")) {
        doNext();
        return;
    }
    // 8: menus
    if (firstIn(c, "345ABCD") && !c.startsWith(QLatin1String("A11"))) {
        openMenu();
        off(Timer::Timer2);
        return;
    }
    bool actedOut = false;
    // 9: typing
    if (isTyping(c)) {
        m_typeText = answerText();
        m_typedLen = 0;
        on(Timer::Timer1);
        off(Timer::Timer2);
        actedOut = true;
    }
    // 10: picture 5 carried to its drop point
    if (c.startsWith(QLatin1String("800"))) {
        if (m_dropX != 0)
            m_aim.setX(roundHalfEven(m_dropX * m_env.scaleX));
        if (m_dropY != 0)
            m_aim.setY(roundHalfEven(m_dropY * m_env.scaleY));
        startGlide();
        off(Timer::Timer2);
        on(Timer::Timer3);
        actedOut = true;
    }
    // 11: the closing record
    if (c == QLatin1String("9999")) {
        on(Timer::TimEnd);
        off(Timer::Timer2);
        return;
    }
    if (actedOut) {
        off(Timer::Timer2);
        return;
    }
    // 12: nothing to act out: show the step a moment on Timer2, then go on.
    m_restTicks = RestTicks;
}

// ---- typing ------------------------------------------------------------------------

void DemoPlayer::tickTyping() {
    if (!gate())
        return;
    ++m_typedLen;
    const QString c = code();
    const bool typesNothing = c == QLatin1String("0023");
    if (!typesNothing) {
        QString &target = c == QLatin1String("0021") ? m_screen.overlayText : m_screen.boxText;
        target = m_typeText.left(m_typedLen);
    }
    if (!typesNothing && m_typedLen < m_typeText.size())
        return;
    m_typedLen = 0;
    off(Timer::Timer1);
    if (c == QLatin1String("0022") || c == QLatin1String("0026")) {
        m_aim = centre(m_screen.zone1);
        startGlide();
        m_firstLegDone = true;
        m_screen.outline4 = false;
        on(Timer::Timer2);
    } else {
        doNext();
    }
}

// ---- picture 5 ------------------------------------------------------------------

void DemoPlayer::tickPictureDrag() {
    if (!gate())
        return;
    advance();
    m_cursorShown = false;
    const QSize s = picture5Size();
    auto &p = m_screen.pics[5];
    p.x = m_pointer.x() - s.width() / 2;
    p.y = m_pointer.y() - s.height() / 2;
    m_screen.picLeft = p.x;
    m_screen.picTop = p.y;
    if (hasArrived()) {
        doNext();
        off(Timer::Timer3);
    }
}

// ---- the marker and the end ------------------------------------------------------

void DemoPlayer::tickBlink() {
    if (!gate())
        return;
    m_markerVisible = m_tickCount % 2 == 0;
    ++m_tickCount;
    if (m_tickCount > 2) {
        m_tickCount = 0;
        m_markerVisible = false;
        off(Timer::Timer5);
    }
}

void DemoPlayer::requestEnd() {
    on(Timer::TimEnd);
}

void DemoPlayer::tickEnd() {
    m_marker.moveTo(-500, -500);
    m_markerVisible = false;
    ++m_tickCount;
    // The menu walks stop too: left running they could reach their item and set
    // the next step up (which restarts the count) before the end is over.
    for (Timer t :
         {Timer::Timer1, Timer::Timer2, Timer::Timer3, Timer::Timer5, Timer::TimerRM, Timer::TimerRS})
        off(t);
    if (m_tickCount <= 3)
        return;
    m_tickCount = 0;
    m_step = 1;
    m_data.DemoRunning = False;
    off(Timer::TimEnd);
    m_finished = true;
    if (m_onFinished)
        m_onFinished();
}

// ---- menus -------------------------------------------------------------------------

QStringList DemoPlayer::menuFileLines() {
    QStringList lines;
    platform::textfile::ReadError err;
    if (!platform::textfile::readLines(m_data.programFile(QStringLiteral("sMenu.sys")), lines, &err)) {
        const QString m = err.message();
        if (!m_problems.contains(m))
            m_problems << m;
    }
    return lines; // a missing file shows empty rows
}

void DemoPlayer::openMenu() {
    if (!gate())
        return;
    const QString c = code();
    const MenuBlock block = menuBlock(menuFileLines(), c);
    const bool context = m_record.MenuBarY() == QLatin1String("00000");
    QPoint topLeft = m_pointer;
    if (!context) {
        const int t = menuNumber(c) - 1;
        if (t >= 0 && t < sim::MenuTitles && m_env.titleHighlight) {
            const QRect h = m_env.titleHighlight(m_screen, t);
            topLeft = QPoint(h.left(), h.top() + h.height());
            m_barHighlight = t;
        }
    }
    m_menu = layoutMenu(block, topLeft, m_env.menuTextWidth, context, windowSize(), m_env.menuRowWidth);
    const int g = codeDigit(c, 2), e = codeDigit(c, 3);
    const MenuRow *row = m_menu->target(g, e);
    // an entry the menu does not have: the pointer goes to the panel's first row
    const QRect label =
        row ? row->label
            : QRect(m_menu->frame.left() + LabelIndent, m_menu->frame.top() + MenuFirstRow, 0, LabelHeight);
    m_aim = centre(sim::Rect{label.x(), label.y(), label.width(), label.height()});
    m_highlight = QRect(m_menu->frame.left(), m_aim.y() - roundHalfEven(135 * m_env.scaleY),
                        m_menu->frame.width(), roundHalfEven(270 * m_env.scaleY));
    m_screen.outline1 = false;
    startGlide();
    on(Timer::TimerRM);
}

void DemoPlayer::tickMenuWalk() {
    if (!gate())
        return;
    advance();
    m_cursorShown = false;
    if (!hasArrived())
        return;
    const int g = codeDigit(code(), 2);
    off(Timer::TimerRM);
    if (isSubmenuGroup(g) && m_menu && m_menu->cascade(g)) {
        openSubmenu();
        return;
    }
    flashMarker();
    doNext();
}

void DemoPlayer::openSubmenu() {
    if (!gate() || !m_menu)
        return;
    const QString c = code();
    const MenuBlock block = menuBlock(menuFileLines(), c);
    const int g = codeDigit(c, 2), e = codeDigit(c, 3);
    m_sub = layoutSubmenu(block, g, *m_menu, m_env.menuTextWidth, m_env.menuRowWidth);
    const MenuRow *row = m_sub->target(g, e);
    const QRect label =
        row ? row->label
            : QRect(m_sub->frame.left() + LabelIndent, m_sub->frame.top() + SubFirstRow, 0, LabelHeight);
    m_aim = centre(sim::Rect{label.x(), label.y(), label.width(), label.height()});
    m_highlight = QRect(m_sub->frame.left(), label.top() - 60, m_sub->frame.width(), 285);
    startGlide();
    on(Timer::TimerRS);
}

void DemoPlayer::tickSubWalk() {
    if (!gate())
        return;
    advance();
    m_cursorShown = false;
    if (!hasArrived())
        return;
    flashMarker();
    off(Timer::TimerRS);
    doNext();
}

} // namespace demo
