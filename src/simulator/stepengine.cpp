#include "simulator/stepengine.h"
#include "simulator/inputcodes.h"
#include "start/moddata.h"
#include "start/vb.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdlib>

namespace sim {

StepEngine::StepEngine(ModData &data)
    : m_data(data), m_reader(data), m_ownLearner(std::make_unique<ModDataRecord>(data)),
      m_learner(m_ownLearner.get()) {}

StepEngine::StepEngine(ModData &data, LearnerRecord *learner)
    : m_data(data), m_reader(data), m_learner(learner) {}

void StepEngine::formLoad() {
    if (m_learner)
        m_learner->resetSteps();
}

void StepEngine::report(const QString &message) {
    if (message.isEmpty() || m_reported.contains(message))
        return;
    m_reported.insert(message);
    if (m_listener)
        m_listener->fileProblem(message);
}

QImage StepEngine::picture(const QString &id) {
    if (id.isEmpty())
        return {};
    return m_pictures.image(sim::bank::picturePath(m_data, id));
}

bool StepEngine::loadPicture(const QString &id) {
    const QString path = sim::bank::picturePath(m_data, id);
    bool ok = false;
    m_pictures.image(path, &ok);
    if (!ok)
        report(QCoreApplication::translate("sim::StepEngine", "无法显示图片文件：%1")
                   .arg(QDir::toNativeSeparators(path.isEmpty() ? id : path)));
    return ok;
}

void StepEngine::restoreQuestion(int q) {
    if (q < 1 || q > MaxQuestions)
        return;
    m_reported.clear();
    if (m_listener)
        m_listener->fileProblemsCleared();
    const auto &ids = m_data.QuestionScreen[q];
    m_screen.background = ids[0];
    if (!ids[0].isEmpty())
        loadPicture(ids[0]);
    for (int k = 1; k <= 5; ++k) {
        m_screen.pics[k].id = ids[k];
        if (!ids[k].isEmpty())
            loadPicture(ids[k]);
    }
    m_data.CurStep = Integer(m_data.SavedStep[q] >= 1 ? m_data.SavedStep[q] : 1);
}

void StepEngine::setData() {
    // A step that completes itself on being set up (its box already holds the
    // answer) calls doNext, which sets the next step up through here again.
    // Inside that, the next step is only noted and laid out by the loop below,
    // so a run of such steps never nests: it ends at a step that waits for the
    // learner, at the closing record, or at a step that cannot be read (a
    // question's steps past the end of its records block).
    if (m_settingUp) {
        m_setUpAgain = true;
        return;
    }
    m_settingUp = true;
    do {
        m_setUpAgain = false;
        layOutStep();
    } while (m_setUpAgain);
    m_settingUp = false;
}

void StepEngine::layOutStep() {
    m_blocked = false;
    const int q = m_data.CurQuestion;
    bool ok = false;
    m_record = m_reader.record(q, m_data.CurStep, &ok);
    m_data.StepLine = m_record.line;
    if (!ok) {
        // Nothing of the step can be trusted: keep the screen, complete nothing.
        report(m_reader.lastError());
        m_blocked = true;
        m_screen.stepValue = 0;
        m_screen.code.clear();
        m_screen.timer3 = false;
        if (m_listener)
            m_listener->stepLaidOut();
        return;
    }
    if (m_learner)
        m_learner->stepReached(q, m_data.CurStep);

    bool textsOk = true;
    LayoutInput in{m_record, m_data.CurStep, m_data.WorkMode, m_data.ScaleX, m_data.ScaleY, [&](int n) {
                       bool tok = false;
                       const QString t = m_reader.text(n, &tok);
                       if (!tok) {
                           textsOk = false;
                           report(m_reader.lastError());
                       }
                       return t;
                   }};
    LayoutResult lay = layoutStep(in, m_screen);
    m_screen = lay.screen;
    m_zone2Pointer = PointerShape{};

    bool picturesOk = true;
    auto remember = [&](int slot, const QString &id) {
        if (m_learner && id != sim::bank::KeepId)
            m_learner->pictureShown(q, slot, id);
    };
    if (lay.backgroundLoaded) {
        picturesOk &= loadPicture(m_screen.background);
        remember(0, m_screen.background);
    }
    for (int k = 1; k <= 5; ++k) {
        if (!lay.pictureLoaded[k])
            continue;
        picturesOk &= loadPicture(m_screen.pics[k].id);
        remember(k, m_screen.pics[k].id);
    }
    if (!picturesOk || !textsOk) {
        m_blocked = true;
        m_screen.timer3 = false;
    }

    if (lay.closing)
        finishQuestion();
    if (m_listener)
        m_listener->stepLaidOut();

    // Setting the box texts counts as a change: a record whose initial text
    // already is the answer completes at once.
    if (!m_blocked) {
        if (m_screen.code == QLatin1String("0020") && m_screen.boxVisible)
            text1Changed(m_screen.boxText);
        else if (m_screen.code == QLatin1String("0021") && m_screen.overlayVisible)
            text2Changed(m_screen.overlayText);
    }
}

void StepEngine::finishQuestion() {
    if (!m_learner)
        return;
    const PanelCaptions c = m_learner->questionSolved(m_data.CurQuestion);
    if (m_listener && (c.title || c.unfinished))
        m_listener->panelCaptions(c.title, c.unfinished);
}

void StepEngine::doNext() {
    if (m_blocked)
        return;
    if (m_record.isClosing()) {
        if (m_learner)
            m_learner->closingActedOn(m_data.CurQuestion);
        return;
    }
    m_data.CurStep = Integer(m_data.CurStep + 1);
    setData();
}

// --- zone 1 -------------------------------------------------------------

void StepEngine::zone1MouseDown(int button, int shift) {
    if (m_blocked)
        return;
    StepCode c = stepCode();
    if (button == 2 && (c.kind == StepKind::RightClick || c.kind == StepKind::RightClickOrEnter))
        doNext();
    c = stepCode();
    if (!m_blocked && c.kind == StepKind::Press && button == c.button && shift == c.modifiers)
        doNext();
    c = stepCode();
    if (!m_blocked && button == 2 && c.kind == StepKind::ContextMenu) {
        m_openMenu = c.menu;
        showContextMenu();
    }
}

void StepEngine::showContextMenu() {
    const sim::menus::MenuContent m = menuFor(m_openMenu);
    if (m.fileMissing)
        report(m.error);
    if (m_listener)
        m_listener->showMenu(m, -1);
}

void StepEngine::zone1MouseUp(int button, int shift) {
    if (m_blocked)
        return;
    const StepCode c = stepCode();
    if (button == 1 && shift == 0 && (c.kind == StepKind::Click || c.zone1ClickCompletes()))
        doNext();
}

void StepEngine::zone1DoubleClick() {
    if (!m_blocked && stepCode().kind == StepKind::DoubleClick)
        doNext();
}

PointerShape StepEngine::pointerOf(bool zone2Drag) const {
    const QString shape = m_record.PointerSpec();
    const QString nn = shape.right(2);
    PointerShape p;
    if (shape.startsWith(u'S')) {
        p.kind = PointerShape::System;
        p.number = start::vb::ValLong(nn);
    } else if (shape.startsWith(u'M') || zone2Drag) {
        p.kind = PointerShape::Custom;
        p.number = 99;
        p.file = sim::bank::pointerPath(m_data, nn);
    }
    return p;
}

void StepEngine::zone1MouseMove() {
    if (!m_blocked && stepCode().kind == StepKind::Hover)
        doNext();
    PointerShape p;
    const StepKind kind = stepCode().kind;
    if (kind != StepKind::DragSelect && kind != StepKind::DragDrop)
        p = pointerOf(false);
    if (m_listener)
        m_listener->zone1Pointer(p);
}

// --- zone 2 -------------------------------------------------------------

void StepEngine::zone2MouseDown(int button, int shift, int x, int y) {
    if (m_blocked)
        return;
    if (m_record.zone2PlainClick() && button == 1) {
        doNext();
        return;
    }
    const StepCode c = stepCode();
    const bool select = c.kind == StepKind::DragSelect && shift == c.modifiers;
    const bool drop = c.kind == StepKind::DragDrop && shift == c.modifiers;
    if (select) {
        m_dragStartX = placeIn(m_screen.zone2.x, x);
        m_dragStartY = placeIn(m_screen.zone2.y, y);
        m_screen.selection = {m_dragStartX, m_dragStartY, 15, 15};
        m_screen.selectionVisible = true;
        if (m_listener)
            m_listener->dragChanged();
    }
    if (select || drop)
        m_dragging = true;
}

void StepEngine::zone2MouseMove(int shift, int x, int y) {
    if (m_blocked)
        return;
    const StepCode c = stepCode();
    const bool select = c.kind == StepKind::DragSelect && shift == c.modifiers;
    const bool drop = c.kind == StepKind::DragDrop && shift == c.modifiers;
    if (select) {
        if (!m_screen.selectionVisible)
            return;
        m_screen.selection = {m_dragStartX, m_dragStartY,
                              distance(placeIn(m_screen.zone2.x, x), m_dragStartX),
                              distance(placeIn(m_screen.zone2.y, y), m_dragStartY)};
        if (m_listener)
            m_listener->dragChanged();
    }
    if ((select || drop) && m_dragging) {
        const PointerShape p = pointerOf(true);
        if (!(p == m_zone2Pointer)) {
            m_zone2Pointer = p;
            if (m_listener)
                m_listener->zone2Pointer(p);
        }
    }
}

void StepEngine::zone2MouseUp(int /*button*/, int shift, int x, int y) {
    if (m_blocked)
        return;
    const StepCode c = stepCode();
    const int X = placeIn(m_screen.zone2.x, x);
    const int Y = placeIn(m_screen.zone2.y, y);
    const bool inside = m_screen.zone1.contains(X, Y);
    auto defaultPointer = [&] {
        m_zone2Pointer = PointerShape{};
        if (m_listener)
            m_listener->zone2Pointer(m_zone2Pointer);
    };
    if (c.kind == StepKind::DragSelect && shift == c.modifiers) {
        const bool wasVisible = m_screen.selectionVisible;
        m_screen.selection.w = m_screen.selection.h = 15;
        if (wasVisible && inside)
            doNext();
        m_screen.selectionVisible = false;
        m_dragging = false;
        if (m_listener)
            m_listener->dragChanged();
        defaultPointer();
    } else if (c.kind == StepKind::DragDrop && shift == c.modifiers) {
        m_dragging = false;
        const bool moved = m_zone2Pointer.kind != PointerShape::Default;
        if (inside && moved)
            doNext();
        defaultPointer();
    }
}

// --- picture 5 ----------------------------------------------------------

void StepEngine::picture5MouseMove(int buttons, int x, int y) {
    if (m_blocked || !(buttons & 1))
        return;
    const StepCode c = stepCode();
    if (c.kind != StepKind::PictureDrag)
        return;
    const bool horizontal = c.dx != 0;
    const bool vertical = c.dy != 0;
    if (horizontal)
        m_screen.picLeft = placeIn(m_screen.picLeft, int(std::lround(x / 2.0)));
    if (vertical)
        m_screen.picTop = placeIn(m_screen.picTop, int(std::lround(y / 2.0)));
    m_screen.pics[5].x = m_screen.picLeft;
    m_screen.pics[5].y = m_screen.picTop;
    if (m_listener)
        m_listener->dragChanged();
}

void StepEngine::picture5MouseUp() {
    if (m_blocked)
        return;
    const StepCode c = stepCode();
    if (c.kind != StepKind::PictureDrag)
        return;
    const bool horizontal = c.dx != 0;
    const bool vertical = c.dy != 0;
    const int tx = scaledPlace(m_screen.picTargetX, m_data.ScaleX);
    const int ty = scaledPlace(m_screen.picTargetY, m_data.ScaleY);
    const int L = m_screen.picLeft;
    const int T = m_screen.picTop;
    // Dragged left (up), the picture's corner must have come to the target or
    // past it; dragged right (down), likewise the other way.
    const bool xOk = c.dx == 0 || (c.dx < 0 ? tx >= L : tx <= L);
    const bool yOk = c.dy == 0 || (c.dy < 0 ? ty >= T : ty <= T);
    const bool accepted = xOk && yOk;
    const int homeX = scaledPlace(m_record.picX(5), m_data.ScaleX);
    const int homeY = scaledPlace(m_record.picY(5), m_data.ScaleY);
    if (horizontal)
        m_screen.picLeft = accepted ? tx : homeX;
    if (vertical)
        m_screen.picTop = accepted ? ty : homeY;
    m_screen.pics[5].x = m_screen.picLeft;
    m_screen.pics[5].y = m_screen.picTop;
    if (m_listener)
        m_listener->dragChanged();
    if (accepted)
        doNext();
}

// --- back button and menus ----------------------------------------------

void StepEngine::backClick() {
    int step = m_data.CurStep;
    if (m_screen.backSpec.startsWith(u'Q')) {
        int d = start::vb::ValLong(m_screen.backSpec.right(1));
        if (d == 0)
            d = 1;
        step -= d;
    } else if (step > 1) {
        step -= 1;
    }
    // A marker reaching before the question's first step stops at step 1, rather
    // than showing the previous question's records.
    m_data.CurStep = Integer(step < 1 ? 1 : step);
    setData();
}

QString StepEngine::menuFile() const {
    return m_data.programFile(QStringLiteral("sMenu.sys"));
}

sim::menus::MenuContent StepEngine::menuFor(int openMenu) {
    bool read = false;
    const QStringList &lines = m_menuLines.lines(menuFile(), &read);
    sim::menus::MenuContent m = sim::menus::buildMenu(lines, read, StepValue(), openMenu);
    if (!read)
        m.error = m_menuLines.lastError().message();
    return m;
}

void StepEngine::openBarMenu(int i) {
    m_openMenu = i + 1;
    const sim::menus::MenuContent m = menuFor(m_openMenu);
    if (m.fileMissing)
        report(m.error);
    if (m_listener)
        m_listener->showMenu(m, i);
}

void StepEngine::menuItemChosen(int group, int item) {
    if (m_blocked)
        return;
    const StepCode c = stepCode();
    if (c.isMenu() && c.menu == m_openMenu && c.group == group && c.item == item)
        doNext();
}

// --- text and keys ------------------------------------------------------

QString StepEngine::answerText() {
    bool ok = false;
    const QString t = m_reader.text(m_record.answerLine(), &ok);
    if (!ok)
        report(m_reader.lastError());
    return t;
}

void StepEngine::text1Changed(const QString &text) {
    m_screen.boxText = text;
    if (m_blocked || stepCode().kind != StepKind::TypeNow)
        return;
    const sim::bank::Alternatives a = sim::bank::splitAnswer(answerText());
    const QString n = sim::bank::normalForm(text);
    if (n == sim::bank::normalForm(a.first) || n == sim::bank::normalForm(a.second))
        doNext();
}

bool StepEngine::text1KeyReleased(int key) {
    if (key != 13 && key != 32)
        return false;
    if (m_blocked || stepCode().kind == StepKind::TypeNow)
        return false;
    const QString full = m_screen.boxText;
    QString stripped;
    for (QChar c : full)
        if (c.unicode() > 32 && c.unicode() < 127)
            stripped += c;
    const sim::bank::Alternatives a = sim::bank::splitAnswer(answerText());
    const QString a1 = sim::bank::normalForm(a.first);
    const QString a2 = sim::bank::normalForm(a.second);
    const QString s = sim::bank::normalForm(stripped);
    const QString f = sim::bank::normalForm(full);
    if (s == a1 || s == a2 || f == a1 || f == a2) {
        doNext();
        return false;
    }
    return key == 13;
}

void StepEngine::text2Changed(const QString &text) {
    m_screen.overlayText = text;
    if (m_blocked)
        return;
    if (sim::bank::normalForm(text) == sim::bank::normalForm(answerText()))
        doNext();
}

void StepEngine::windowKeyDown(int key, int shift) {
    if (m_blocked)
        return;
    int d = 0;
    const StepCode c = stepCode();
    if (c.kind == StepKind::Key) {
        d = c.modifiers;
        if (key == c.key && shift == d)
            doNext();
        if (shift == d && key == 32 && stepCode().spaceForEnter())
            doNext();
    }
    // Each check reads the step as it is now: a key that completed one step may
    // complete the next as well.
    const StepCode menu = stepCode();
    if (shift == d && menu.kind == StepKind::ContextMenu && menu.confirmKey(key))
        doNext();
    const StepCode either = stepCode();
    if (shift == d && either.kind == StepKind::RightClickOrEnter && either.confirmKey(key))
        doNext();
}

void StepEngine::timer3Tick() {
    if (stepCode().kind == StepKind::Timer)
        doNext();
}

void StepEngine::prefetchNext() {
    if (m_record.isClosing())
        return;
    const int q = m_data.CurQuestion;
    bool ok = false;
    const sim::bank::StepRecord next = m_reader.record(q, m_data.CurStep + 1, &ok);
    if (!ok)
        return;
    auto warm = [&](const QString &id) {
        if (id != sim::bank::KeepId)
            m_pictures.image(sim::bank::picturePath(m_data, id));
    };
    warm(next.ScreenPicture());
    for (int k = 1; k <= 5; ++k)
        if (next.picturePlaced(k))
            warm(next.PicId(k));
}

// --- actions -----------------------------------------------------------

bool StepEngine::apply(const Action &a) {
    const int step = m_data.CurStep;
    switch (a.kind) {
    case Action::Zone1Down:
        zone1MouseDown(a.button, a.modifiers);
        break;
    case Action::Zone1Up:
        zone1MouseUp(a.button, a.modifiers);
        break;
    case Action::Zone1DoubleClick:
        zone1DoubleClick();
        break;
    case Action::Zone1Move:
        zone1MouseMove();
        break;
    case Action::Zone2Down:
        zone2MouseDown(a.button, a.modifiers, a.x, a.y);
        break;
    case Action::Zone2Move:
        zone2MouseMove(a.modifiers, a.x, a.y);
        break;
    case Action::Zone2Up:
        zone2MouseUp(a.button, a.modifiers, a.x, a.y);
        break;
    case Action::Picture5Move:
        picture5MouseMove(a.button, a.x, a.y);
        break;
    case Action::Picture5Up:
        picture5MouseUp();
        break;
    case Action::Back:
        backClick();
        break;
    case Action::OpenBarMenu:
        openBarMenu(a.index);
        break;
    case Action::ChooseItem:
        menuItemChosen(a.index, a.item);
        break;
    case Action::Text1:
        text1Changed(a.text);
        break;
    case Action::Text1KeyUp:
        if (text1KeyReleased(a.key))
            text1Changed(QString());
        break;
    case Action::Text2:
        text2Changed(a.text);
        break;
    case Action::WindowKey:
        windowKeyDown(a.key, a.modifiers);
        break;
    case Action::TimerTick:
        timer3Tick();
        break;
    }
    return m_data.CurStep != step;
}

} // namespace sim
