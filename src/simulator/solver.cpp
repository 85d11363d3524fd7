#include "simulator/solver.h"
#include "simulator/bankreader.h"
#include "simulator/inputcodes.h"
#include "simulator/stepcode.h"
#include "simulator/stepengine.h"
#include "start/moddata.h"
#include "start/twips.h"

#include <QRegion>
#include <algorithm>
#include <cmath>

namespace sim {

namespace {

const QRect Window(0, 0, 800, 600);

// A control of the simulated window that takes the mouse.
struct Control {
    QRect r;       // pixels
    QString field; // the record field that places it
    QString what;
};

QRect px(const Rect &r) {
    return QRect(start::twips::toPx(r.x), start::twips::toPx(r.y), start::twips::toPx(r.w),
                 start::twips::toPx(r.h));
}

QPoint tw(const QPoint &p) {
    return QPoint(start::twips::fromPx(p.x()), start::twips::fromPx(p.y()));
}

// Width of a menu-bar title as its 9-point label shows it: 12 pixels a Chinese
// character, 6 an ASCII one, the access-key marker not shown.
int titleWidth(const QString &caption) {
    int w = 0;
    for (QChar c : caption)
        if (c != u'&')
            w += c.unicode() >= 0x2E80 ? 12 : 6;
    return w;
}

QRect titleRect(const ScreenModel &s, int i) {
    return QRect(start::twips::toPx(810 * i + s.menuBarLeft), start::twips::toPx(s.menuBarTop),
                 titleWidth(s.menuTitles[i]), 14);
}

// The window's controls from bottom to top. (The hint, the outlines and the
// success text let the mouse through.)
enum Layer { Picture5, Zone1, Zone2, Titles, Box, Overlay, Back, Emblem };

QVector<Control> controlsAbove(const ScreenModel &s, Layer layer) {
    QVector<Control> out;
    if (layer < Zone1)
        out.push_back({px(s.zone1), QStringLiteral("ZoneX"), QStringLiteral("zone 1")});
    if (layer < Zone2)
        out.push_back({px(s.zone2), QStringLiteral("Zone2X"), QStringLiteral("zone 2")});
    if (layer < Titles && s.menuBarVisible)
        for (int i = 0; i < MenuTitles; ++i)
            out.push_back({titleRect(s, i), QStringLiteral("MenuBarX"),
                           QStringLiteral("the menu title “%1”").arg(QString(s.menuTitles[i]).remove(u'&'))});
    if (layer < Box && s.boxVisible)
        out.push_back({px(s.box), QStringLiteral("BoxX"), QStringLiteral("the input box")});
    if (layer < Overlay && s.overlayVisible)
        out.push_back({px(s.overlay), QStringLiteral("BoxX"), QStringLiteral("the input box")});
    if (layer < Back)
        out.push_back({px(s.back), QStringLiteral("TargetX"), QStringLiteral("the back button")});
    if (layer < Emblem)
        out.push_back({QRect(start::twips::toPx(9210), start::twips::toPx(8700), start::twips::toPx(1165),
                             start::twips::toPx(225)),
                       QStringLiteral("ZoneX"), QStringLiteral("the trainer's emblem")});
    out.erase(std::remove_if(out.begin(), out.end(), [](const Control &c) { return c.r.isEmpty(); }),
              out.end());
    return out;
}

// What of r the learner can reach: on the window and under no control above it.
QRegion reachable(const QRect &r, const QVector<Control> &above) {
    QRegion reg(r & Window);
    for (const Control &c : above)
        reg -= QRegion(c.r);
    return reg;
}

QString coveredBy(const QRect &r, const QVector<Control> &above) {
    if (r.isEmpty())
        return QStringLiteral("has no size on the screen");
    if ((r & Window).isEmpty())
        return QStringLiteral("lies outside the window");
    QStringList names;
    for (const Control &c : above)
        if (c.r.intersects(r & Window) && !names.contains(c.what))
            names << c.what;
    return QStringLiteral("lies entirely under %1").arg(names.join(QStringLiteral(", ")));
}

class Solver {
  public:
    explicit Solver(const StepSituation &s)
        : in(s), s(s.screen), r(s.record), c(decodeStepCode(s.screen.code)) {}

    Solution solve() {
        out.why = act();
        if (!out.why.isEmpty()) {
            out.steps.clear();
            out.waypoints.clear();
        }
        return out;
    }

  private:
    const StepSituation &in;
    const ScreenModel &s;
    const sim::bank::StepRecord &r;
    const StepCode c;
    Solution out;
    QPoint zone1Point; // pixels, set by zone1Reach

    void add(const Action &a, bool whileOpen = false) { out.steps.push_back({a, whileOpen}); }
    void note(const QString &field, const QString &reason) { out.notes.push_back({field, reason}); }
    void pointAt(const QPoint &pixel) { out.waypoints.push_back(tw(pixel)); }

    // Whether a press on zone 1 reaches it; the reason it does not, "" when it
    // does. A left press on a zone 2 that completes on a plain click completes
    // the step too, so that zone 2 does not count as covering zone 1.
    QString zone1Reach(bool leftPress) {
        if (!r.zone1Present())
            return QStringLiteral("zone 1 is absent");
        QVector<Control> above = controlsAbove(s, Zone1);
        if (leftPress && r.zone2PlainClick())
            above.erase(std::remove_if(above.begin(), above.end(),
                                       [](const Control &x) { return x.what == u"zone 2"; }),
                        above.end());
        const QRect z = px(s.zone1);
        const QRegion reg = reachable(z, above);
        if (reg.isEmpty())
            return QStringLiteral("zone 1 ") + coveredBy(z, above);
        for (const Control &x : above)
            if (x.r.intersects(z & Window))
                note(x.field,
                     QStringLiteral("%1 covers part of zone 1; a click there goes to it").arg(x.what));
        zone1Point = reg.begin()->center();
        return QString();
    }

    void type(const QString &text) {
        pointAt(px(s.box).center());
        if (text.isEmpty()) {
            if (!s.boxText.isEmpty())
                add(Action::text1(QString()));
            return;
        }
        for (int i = 1; i <= text.size(); ++i) {
            add(Action::text1(text.left(i)), true);
            if (text.at(i - 1) == u' ')
                add(Action::text1KeyUp(32), true);
        }
    }

    void typeAndEnter(const QString &answer) {
        type(sim::bank::splitAnswer(answer).first);
        add(Action::text1KeyUp(13), true);
    }

    QString answer() const { return in.answer ? in.answer() : QString(); }

    // Opens bar title i and chooses item j of group g; "" when chosen.
    QString chooseFromBar(int i, int g, int j) {
        if (!s.menuBarVisible)
            return QStringLiteral("the menu bar is hidden");
        if (i < 0 || i >= MenuTitles)
            return QStringLiteral("the menu bar has no title %1").arg(i + 1);
        const QRect title = titleRect(s, i);
        const QVector<Control> above = controlsAbove(s, Titles);
        const QRegion reg = reachable(title, above);
        if (reg.isEmpty())
            return QStringLiteral("the menu title “%1” %2")
                .arg(QString(s.menuTitles[i]).remove(u'&'), coveredBy(title, above));
        const QString why = chooseFromPopup(i + 1, g, j);
        if (!why.isEmpty())
            return why;
        pointAt(reg.begin()->center());
        add(Action::openBarMenu(i));
        add(Action::chooseItem(g, j));
        return QString();
    }

    // Whether the pop-up of menu n holds item j of group g; "" when it does.
    QString chooseFromPopup(int n, int g, int j) {
        if (!in.popup)
            return QStringLiteral("no pop-up menu opens");
        const sim::menus::MenuContent m = in.popup(n);
        if (m.fileMissing)
            return QStringLiteral("sMenu.sys cannot be read");
        if (g < 1 || g > 9)
            return QStringLiteral("the pop-up has no group %1").arg(g);
        static const int submenuOf[10] = {0, 1, 0, 2, 0, 3, 0, 4, 5, 0};
        if (submenuOf[g] && (!m.subVisible[submenuOf[g]] || m.subTitle[submenuOf[g]].isEmpty()))
            return QStringLiteral("the pop-up shows no submenu for group %1 (sMenu.sys)").arg(g);
        const QStringList &items = m.groups[g];
        if (j >= items.size() || items.at(j).isEmpty())
            return QStringLiteral("group %1 of the pop-up has no item %2 (sMenu.sys)").arg(g).arg(j + 1);
        if (items.at(j) == u"-")
            return QStringLiteral("item %1 of group %2 of the pop-up is a separator (sMenu.sys)")
                .arg(j + 1)
                .arg(g);
        return QString();
    }

    QString drag(int k) {
        if (!r.zone2Present())
            return QStringLiteral("zone 2, where the drag starts, is absent");
        const QRect z2 = px(s.zone2);
        const QVector<Control> above = controlsAbove(s, Zone2);
        const QRegion from = reachable(z2, above);
        if (from.isEmpty())
            return QStringLiteral("zone 2, where the drag starts, ") + coveredBy(z2, above);
        for (const Control &x : above)
            if (x.r.intersects(z2 & Window))
                note(x.field,
                     QStringLiteral("%1 covers part of zone 2; a press there goes to it").arg(x.what));
        if (!r.zone1Present())
            return QStringLiteral("zone 1, where the drag ends, is absent");
        // The drop point is zone 2's corner plus whole pixels; it must fall inside
        // zone 1 (edges included) and on the window.
        auto range = [](int z2t, int z1t, int z1w, int limitPx, int *pick) {
            const int lo = std::max(int(std::ceil((z1t - z2t) / 15.0)), -start::twips::toPx(z2t));
            const int hi =
                std::min(int(std::floor((z1t + z1w - z2t) / 15.0)), limitPx - 1 - start::twips::toPx(z2t));
            *pick = lo + (hi - lo) / 2;
            return lo <= hi;
        };
        int dx = 0, dy = 0;
        if (!range(s.zone2.x, s.zone1.x, s.zone1.w, Window.width(), &dx) ||
            !range(s.zone2.y, s.zone1.y, s.zone1.h, Window.height(), &dy))
            return QStringLiteral("no point of the window lies inside zone 1, where the drag must end");
        const QPoint start = from.begin()->center() - z2.topLeft();
        const QPoint mid((start.x() + dx) / 2, (start.y() + dy) / 2);
        add(Action::zone2Down(1, k, start::twips::fromPx(start.x()), start::twips::fromPx(start.y())));
        add(Action::zone2Move(k, start::twips::fromPx(mid.x()), start::twips::fromPx(mid.y())), true);
        add(Action::zone2Move(k, start::twips::fromPx(dx), start::twips::fromPx(dy)), true);
        add(Action::zone2Up(1, k, start::twips::fromPx(dx), start::twips::fromPx(dy)), true);
        pointAt(z2.topLeft() + start);
        pointAt(z2.topLeft() + mid);
        pointAt(z2.topLeft() + QPoint(dx, dy));
        return QString();
    }

    QString slide() {
        if (!s.pics[5].visible)
            return QStringLiteral("picture 5 is not shown");
        const QSize size = in.picture5Size ? in.picture5Size() : QSize();
        if (size.isEmpty())
            return QStringLiteral("picture 5 cannot be read");
        const QRect pic(start::twips::toPx(s.pics[5].x), start::twips::toPx(s.pics[5].y), size.width(),
                        size.height());
        const QVector<Control> above = controlsAbove(s, Picture5);
        const QRegion grab = reachable(pic, above);
        if (grab.isEmpty())
            return QStringLiteral("picture 5 ") + coveredBy(pic, above);
        const bool horizontal = c.dx != 0;
        const bool vertical = c.dy != 0;
        // Where picture 5's corner must come to rest: at or before the target for
        // a drag left or up, at or beyond it for the others.
        const bool upToX = c.dx < 0;
        const bool upToY = c.dy < 0;
        const int tx = scaledPlace(s.picTargetX, in.scaleX);
        const int ty = scaledPlace(s.picTargetY, in.scaleY);
        const int wantX = upToX ? int(std::floor((tx - 8.0) / 15.0)) : int(std::ceil((tx + 8.0) / 15.0));
        const int wantY = upToY ? int(std::floor((ty - 8.0) / 15.0)) : int(std::ceil((ty + 8.0) / 15.0));
        QPoint pointer = grab.begin()->center();
        const QPoint dest(horizontal ? std::clamp(wantX, 0, Window.width() - 1) : pointer.x(),
                          vertical ? std::clamp(wantY, 0, Window.height() - 1) : pointer.y());
        const bool clamped = (horizontal && dest.x() != wantX) || (vertical && dest.y() != wantY);
        if (clamped)
            out.ifStillOpen =
                QStringLiteral("its target (%1, %2) lies where picture 5 cannot be dragged inside the window")
                    .arg(tx)
                    .arg(ty);
        // The pointer travels pixel by pixel; at every move the picture follows
        // half the way to it, as the engine moves it, and a few small moves at the
        // end let it settle.
        int left = s.picLeft, top = s.picTop;
        auto move = [&] {
            const QPoint rel = pointer - QPoint(start::twips::toPx(left), start::twips::toPx(top));
            const int x = start::twips::fromPx(rel.x()), y = start::twips::fromPx(rel.y());
            add(Action::picture5Move(1, x, y));
            if (horizontal)
                left = placeIn(left, int(std::lround(x / 2.0)));
            if (vertical)
                top = placeIn(top, int(std::lround(y / 2.0)));
        };
        pointAt(pointer);
        while (pointer != dest) {
            pointer += QPoint((dest.x() > pointer.x()) - (dest.x() < pointer.x()),
                              (dest.y() > pointer.y()) - (dest.y() < pointer.y()));
            move();
            pointAt(pointer);
        }
        for (int n = 0; n < 40; ++n)
            move();
        add(Action::picture5Up());
        return QString();
    }

    void clickZone1(const QString &what, const QVector<Action> &actions) {
        out.what = what;
        pointAt(zone1Point);
        for (const Action &a : actions)
            add(a);
    }

    QString act() {
        const bool keys = !s.boxVisible && !s.overlayVisible; // the window has the keyboard
        switch (c.kind) {
        case StepKind::TypeNow:
        case StepKind::TypeOverlay:
        case StepKind::TypeEnter:
            out.what = QStringLiteral("typing the answer");
            if (c.kind == StepKind::TypeOverlay) {
                if (!s.overlayVisible)
                    return QStringLiteral("a typing step with no input box");
                pointAt(px(s.overlay).center());
                add(Action::text2(answer()));
                return QString();
            }
            if (!s.boxVisible)
                return QStringLiteral("a typing step with no input box");
            if (c.kind == StepKind::TypeNow)
                type(sim::bank::splitAnswer(answer()).first);
            else
                typeAndEnter(answer());
            return QString();
        default:
            break;
        }
        QString why;
        switch (c.kind) {
        case StepKind::Click:
        case StepKind::DoubleClick:
        case StepKind::RightClick:
        case StepKind::RightClickOrEnter:
        case StepKind::Hover:
        case StepKind::Press: {
            const bool left = c.kind == StepKind::Click || c.kind == StepKind::DoubleClick ||
                              (c.kind == StepKind::Press && c.button == 1);
            why = zone1Reach(left);
            if (why.isEmpty()) {
                if (c.kind == StepKind::Click)
                    clickZone1(QStringLiteral("a click on zone 1"),
                               {Action::zone1Down(1), Action::zone1Up(1)});
                else if (c.kind == StepKind::DoubleClick)
                    clickZone1(QStringLiteral("a double click on zone 1"),
                               {Action::zone1Down(1), Action::zone1Up(1), Action::zone1Down(1),
                                Action::zone1DoubleClick(), Action::zone1Up(1)});
                else if (c.kind == StepKind::Hover)
                    clickZone1(QStringLiteral("moving the pointer onto zone 1"), {Action::zone1Move()});
                else if (c.kind == StepKind::Press)
                    clickZone1(QStringLiteral("a press on zone 1"), {Action::zone1Down(c.button, c.modifiers),
                                                                     Action::zone1Up(c.button, c.modifiers)});
                else
                    clickZone1(QStringLiteral("a right click on zone 1"),
                               {Action::zone1Down(2), Action::zone1Up(2)});
                return QString();
            }
            if (c.kind == StepKind::RightClickOrEnter && keys) {
                out.what = QStringLiteral("the Enter key");
                add(Action::windowKey(13));
                return QString();
            }
            break;
        }
        case StepKind::ContextMenu:
            out.what = QStringLiteral("choosing from the context menu");
            why = zone1Reach(false);
            if (why.isEmpty()) {
                why = chooseFromPopup(c.menu, c.group, c.item);
                if (why.isEmpty()) {
                    pointAt(zone1Point);
                    add(Action::zone1Down(2));
                    add(Action::chooseItem(c.group, c.item));
                    return QString();
                }
            }
            if (c.confirmKey(13) && keys) {
                out.what = QStringLiteral("the Enter key");
                add(Action::windowKey(13));
                return QString();
            }
            break;
        case StepKind::Key:
            out.what = QStringLiteral("the key");
            if (!keyboardHasKey(c.key)) {
                why = QStringLiteral("no key of a keyboard gives key code %1").arg(c.key);
                break;
            }
            if (keys) {
                add(Action::windowKey(c.key, c.modifiers));
                return QString();
            }
            if (s.boxVisible && (c.key == 13 || c.key == 32) && c.modifiers == 0) {
                typeAndEnter(answer());
                return QString();
            }
            why = QStringLiteral("the input box has the keyboard, so the key never reaches the window");
            break;
        case StepKind::DragSelect:
        case StepKind::DragDrop:
            if (c.modifiers < 0 || c.modifiers > 7) {
                why = QStringLiteral("“%1” is a step code no action of the learner completes").arg(c.code);
                break;
            }
            out.what = QStringLiteral("dragging from zone 2 to zone 1");
            why = drag(c.modifiers);
            if (why.isEmpty())
                return QString();
            break;
        case StepKind::PictureDrag:
            out.what = QStringLiteral("dragging picture 5 to its target");
            why = slide();
            if (why.isEmpty())
                return QString();
            break;
        case StepKind::Timer:
            out.what = QStringLiteral("the one-second timer");
            add(Action::timerTick());
            return QString();
        case StepKind::BarMenu:
            out.what = QStringLiteral("choosing from the menu bar");
            why = chooseFromBar(c.menu - 1, c.group, c.item);
            if (why.isEmpty())
                return QString();
            // a click on zone 1 completes a menu step as well
            if (r.zone1Present() && zone1Reach(true).isEmpty()) {
                clickZone1(QStringLiteral("a click on zone 1"), {Action::zone1Down(1), Action::zone1Up(1)});
                return QString();
            }
            break;
        default:
            why = QStringLiteral("“%1” is a step code no action of the learner completes").arg(c.code);
            break;
        }
        // A zone 2 that completes on a plain click is the last way out.
        if (r.zone2PlainClick() && r.zone2Present()) {
            const QRegion z2 = reachable(px(s.zone2), controlsAbove(s, Zone2));
            if (!z2.isEmpty()) {
                out.steps.clear();
                out.waypoints.clear();
                out.what = QStringLiteral("a click on zone 2");
                const QPoint p = z2.begin()->center() - px(s.zone2).topLeft();
                pointAt(z2.begin()->center());
                add(Action::zone2Down(1, 0, start::twips::fromPx(p.x()), start::twips::fromPx(p.y())));
                add(Action::zone2Up(1, 0, start::twips::fromPx(p.x()), start::twips::fromPx(p.y())));
                return QString();
            }
        }
        return why;
    }
};

} // namespace

Solution solveStep(const StepSituation &s) {
    return Solver(s).solve();
}

StepSituation situationOf(StepEngine &e, std::function<QString()> answer) {
    StepSituation s{e.record(), e.screen(), e.data().ScaleX, e.data().ScaleY, std::move(answer), {}, {}};
    s.popup = [&e](int openMenu) { return e.menuFor(openMenu); };
    s.picture5Size = [&e] { return e.picture(e.screen().pics[5].id).size(); };
    return s;
}

bool playSolution(StepEngine &e, const Solution &s) {
    const int step = e.data().CurStep;
    for (const SolutionStep &x : s.steps) {
        if (x.whileOpen && e.data().CurStep != step)
            continue;
        e.apply(x.action);
    }
    return e.data().CurStep != step;
}

} // namespace sim
