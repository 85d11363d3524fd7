#include "player.h"

#include "simulator/bankreader.h"
#include "simulator/inputcodes.h"
#include "simulator/menufile.h"
#include "simulator/stepengine.h"
#include "start/setfiles.h"
#include "start/twips.h"
#include "start/vb.h"

#include <QRegion>
#include <cmath>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>

namespace cadbank {

namespace {

const QRect Window(0, 0, 800, 600);

struct Listener : sim::EngineListener {
    QStringList problems;
    menus::MenuContent menu;
    int menus = 0;
    void stepLaidOut() override {}
    void showMenu(const menus::MenuContent &m, int) override {
        menu = m;
        ++menus;
    }
    void panelCaptions(const std::optional<QString> &, const std::optional<QString> &) override {}
    void fileProblem(const QString &m) override { problems << m; }
};

// A control of the simulated window that takes the mouse.
struct Control {
    QRect r;       // pixels
    QString field; // the record field that places it
    QString what;
};

QRect px(const sim::Rect &r) {
    return QRect(twips::toPx(r.x), twips::toPx(r.y), twips::toPx(r.w), twips::toPx(r.h));
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

// The window's controls from bottom to top: picture 5, zone 1, zone 2, the menu
// titles, the input box, the overlay box, the back button and the emblem at the
// bottom right. (The hint, the outlines and the success text let the mouse through.)
enum Layer { Picture5, Zone1, Zone2, Titles, Box, Overlay, Back, Emblem };

QVector<Control> controlsAbove(const sim::ScreenModel &s, Layer layer) {
    QVector<Control> out;
    if (layer < Zone1)
        out.push_back({px(s.zone1), QStringLiteral("ZoneX"), QStringLiteral("zone 1")});
    if (layer < Zone2)
        out.push_back({px(s.zone2), QStringLiteral("Zone2X"), QStringLiteral("zone 2")});
    if (layer < Titles && s.menuBarVisible)
        for (int i = 0; i < sim::MenuTitles; ++i)
            out.push_back({QRect(twips::toPx(810 * i + s.menuBarLeft), twips::toPx(s.menuBarTop),
                                 titleWidth(s.menuTitles[i]), 14),
                           QStringLiteral("MenuBarX"),
                           QStringLiteral("the menu title “%1”").arg(QString(s.menuTitles[i]).remove(u'&'))});
    if (layer < Box && s.boxVisible)
        out.push_back({px(s.box), QStringLiteral("BoxX"), QStringLiteral("the input box")});
    if (layer < Overlay && s.overlayVisible)
        out.push_back({px(s.overlay), QStringLiteral("BoxX"), QStringLiteral("the input box")});
    if (layer < Back)
        out.push_back({px(s.back), QStringLiteral("TargetX"), QStringLiteral("the back button")});
    if (layer < Emblem)
        out.push_back({QRect(twips::toPx(9210), twips::toPx(8700), twips::toPx(1165), twips::toPx(225)),
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

struct Player {
    ModData &d;
    sim::StepEngine &e;
    Listener &l;
    bank::BankReader &texts;
    const QString &stepRel;
    QVector<Problem> &out;
    int line = 0; // step file line of the step being played

    void add(int ln, const QString &field, const QString &reason) {
        out.push_back({stepRel, ln, field, reason});
    }

    bool advanced(int step) const { return d.CurStep != step; }

    // Left, right, double click or press on zone 1 after the coverage check.
    // Returns the reason no click reaches zone 1, "" when one does.
    QString zone1Reach(bool leftPress) {
        const sim::ScreenModel &s = e.screen();
        if (!e.record().zone1Present())
            return QStringLiteral("zone 1 is absent");
        QVector<Control> above = controlsAbove(s, Zone1);
        // A left press on a zone 2 that completes on a plain click completes this step too.
        if (leftPress && e.record().zone2PlainClick())
            above.erase(std::remove_if(above.begin(), above.end(),
                                       [](const Control &c) { return c.what == u"zone 2"; }),
                        above.end());
        const QRect z = px(s.zone1);
        if (reachable(z, above).isEmpty())
            return QStringLiteral("zone 1 ") + coveredBy(z, above);
        for (const Control &c : above)
            if (c.r.intersects(z & Window))
                add(line, c.field,
                    QStringLiteral("%1 covers part of zone 1; a click there goes to it").arg(c.what));
        return QString();
    }

    void type(const QString &text) {
        if (text.isEmpty()) {
            if (!e.screen().boxText.isEmpty())
                e.text1Changed(QString());
            return;
        }
        const int step = d.CurStep;
        for (int i = 1; i <= text.size() && !advanced(step); ++i) {
            e.text1Changed(text.left(i));
            if (text.at(i - 1) == u' ' && !advanced(step) && e.text1KeyReleased(32))
                e.text1Changed(QString());
        }
    }

    void typeAndEnter(const QString &answer) {
        const int step = d.CurStep;
        type(bank::splitAnswer(answer).first);
        if (!advanced(step) && e.text1KeyReleased(13))
            e.text1Changed(QString());
    }

    QString answer() { return texts.text(e.record().answerLine()); }

    // Opens bar title i and chooses item j of group g; "" when chosen.
    QString chooseFromBar(int i, int g, int j) {
        const sim::ScreenModel &s = e.screen();
        if (!s.menuBarVisible)
            return QStringLiteral("the menu bar is hidden");
        if (i < 0 || i >= sim::MenuTitles)
            return QStringLiteral("the menu bar has no title %1").arg(i + 1);
        const QRect title(twips::toPx(810 * i + s.menuBarLeft), twips::toPx(s.menuBarTop),
                          titleWidth(s.menuTitles[i]), 14);
        const QVector<Control> above = controlsAbove(s, Titles);
        if (reachable(title, above).isEmpty())
            return QStringLiteral("the menu title “%1” %2")
                .arg(QString(s.menuTitles[i]).remove(u'&'), coveredBy(title, above));
        const int before = l.menus;
        e.openBarMenu(i);
        return chooseFromPopup(before, g, j);
    }

    QString chooseFromPopup(int menusBefore, int g, int j) {
        if (l.menus == menusBefore)
            return QStringLiteral("no pop-up menu opens");
        const menus::MenuContent &m = l.menu;
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
        e.menuItemChosen(g, j);
        return QString();
    }

    QString drag(int k) {
        const sim::ScreenModel &s = e.screen();
        if (!e.record().zone2Present())
            return QStringLiteral("zone 2, where the drag starts, is absent");
        const QRect z2 = px(s.zone2);
        const QVector<Control> above = controlsAbove(s, Zone2);
        const QRegion from = reachable(z2, above);
        if (from.isEmpty())
            return QStringLiteral("zone 2, where the drag starts, ") + coveredBy(z2, above);
        for (const Control &c : above)
            if (c.r.intersects(z2 & Window))
                add(line, c.field,
                    QStringLiteral("%1 covers part of zone 2; a press there goes to it").arg(c.what));
        if (!e.record().zone1Present())
            return QStringLiteral("zone 1, where the drag ends, is absent");
        // The drop point is zone 2's corner plus whole pixels; it must fall inside
        // zone 1 (edges included) and on the window.
        auto range = [](int z2t, int z1t, int z1w, int limitPx, int *pick) {
            const int lo = std::max(int(std::ceil((z1t - z2t) / 15.0)), -twips::toPx(z2t));
            const int hi =
                std::min(int(std::floor((z1t + z1w - z2t) / 15.0)), limitPx - 1 - twips::toPx(z2t));
            *pick = lo + (hi - lo) / 2;
            return lo <= hi;
        };
        int dx = 0, dy = 0;
        if (!range(s.zone2.x, s.zone1.x, s.zone1.w, Window.width(), &dx) ||
            !range(s.zone2.y, s.zone1.y, s.zone1.h, Window.height(), &dy))
            return QStringLiteral("no point of the window lies inside zone 1, where the drag must end");
        const QPoint start = from.begin()->center() - z2.topLeft();
        const int step = d.CurStep;
        e.zone2MouseDown(1, k, twips::fromPx(start.x()), twips::fromPx(start.y()));
        if (advanced(step))
            return QString();
        e.zone2MouseMove(k, twips::fromPx((start.x() + dx) / 2), twips::fromPx((start.y() + dy) / 2));
        e.zone2MouseMove(k, twips::fromPx(dx), twips::fromPx(dy));
        e.zone2MouseUp(1, k, twips::fromPx(dx), twips::fromPx(dy));
        return QString();
    }

    QString slide(int v) {
        const sim::ScreenModel &s = e.screen();
        if (!s.pics[5].visible)
            return QStringLiteral("picture 5 is not shown");
        const QImage img = e.picture(s.pics[5].id);
        if (img.isNull())
            return QStringLiteral("picture 5 cannot be read");
        const QRect pic(twips::toPx(s.pics[5].x), twips::toPx(s.pics[5].y), img.width(), img.height());
        const QVector<Control> above = controlsAbove(s, Picture5);
        const QRegion grab = reachable(pic, above);
        if (grab.isEmpty())
            return QStringLiteral("picture 5 ") + coveredBy(pic, above);
        const bool horizontal = v == 8001 || v == 8002 || v >= 8006;
        const bool vertical = v == 8003 || v == 8004 || v >= 8006;
        // Where picture 5's corner must come to rest: at or before the target for
        // the codes that accept a corner up to it, at or beyond it for the others.
        const bool upToX = v == 8001 || v == 8006 || v == 8008;
        const bool upToY = v == 8003 || v == 8008 || v == 8009;
        const int tx = int(std::lround(s.picTargetX * d.ScaleX));
        const int ty = int(std::lround(s.picTargetY * d.ScaleY));
        const int wantX = upToX ? int(std::floor((tx - 8) / 15.0)) : int(std::ceil((tx + 8) / 15.0));
        const int wantY = upToY ? int(std::floor((ty - 8) / 15.0)) : int(std::ceil((ty + 8) / 15.0));
        QPoint pointer = grab.begin()->center();
        const QPoint dest(horizontal ? std::clamp(wantX, 0, Window.width() - 1) : pointer.x(),
                          vertical ? std::clamp(wantY, 0, Window.height() - 1) : pointer.y());
        const bool clamped = (horizontal && dest.x() != wantX) || (vertical && dest.y() != wantY);
        // The pointer travels pixel by pixel; at every move the picture follows half
        // the way to it, and a few small moves at the end let it settle.
        auto move = [&] {
            const QPoint rel =
                pointer - QPoint(twips::toPx(e.screen().picLeft), twips::toPx(e.screen().picTop));
            e.picture5MouseMove(1, twips::fromPx(rel.x()), twips::fromPx(rel.y()));
        };
        while (pointer != dest) {
            pointer += QPoint((dest.x() > pointer.x()) - (dest.x() < pointer.x()),
                              (dest.y() > pointer.y()) - (dest.y() < pointer.y()));
            move();
        }
        for (int n = 0; n < 40; ++n)
            move();
        const int step = d.CurStep;
        e.picture5MouseUp();
        if (!advanced(step) && clamped)
            return QStringLiteral(
                       "its target (%1, %2) lies where picture 5 cannot be dragged inside the window")
                .arg(tx)
                .arg(ty);
        return QString();
    }

    // Plays the step's action; returns why no action can complete it ("" when
    // an action was made) and describes the action in *what.
    QString act(QString *what) {
        const sim::ScreenModel &s = e.screen();
        const QString code = s.code;
        const int32_t v = s.stepValue;
        const bool keys = !s.boxVisible && !s.overlayVisible; // the window has the keyboard
        const QChar c0 = code.isEmpty() ? QChar() : code.at(0);
        const bool typing = code == u"0020" || code == u"0021" || code == u"0022" || code == u"0023" ||
                            code == u"0026" || code == u"A111";
        if (typing) {
            *what = QStringLiteral("typing the answer");
            if (code == u"0021") {
                if (!s.overlayVisible)
                    return QStringLiteral("a typing step with no input box");
                e.text2Changed(answer());
                return QString();
            }
            if (!s.boxVisible)
                return QStringLiteral("a typing step with no input box");
            if (code == u"0020")
                type(bank::splitAnswer(answer()).first);
            else
                typeAndEnter(answer());
            return QString();
        }
        QString why;
        if (code == u"0001" || code == u"0002" || code == u"0003" || code == u"0030" || v == 2000 ||
            (v >= 9000 && v <= 9998)) {
            const bool left = code == u"0001" || code == u"0002" || (v >= 9000 && v <= 9998 && v % 100 == 1);
            why = zone1Reach(left);
            if (why.isEmpty()) {
                if (code == u"0001") {
                    *what = QStringLiteral("a click on zone 1");
                    e.zone1MouseDown(1, 0);
                    e.zone1MouseUp(1, 0);
                } else if (code == u"0002") {
                    *what = QStringLiteral("a double click on zone 1");
                    e.zone1MouseDown(1, 0);
                    e.zone1MouseUp(1, 0);
                    e.zone1MouseDown(1, 0);
                    e.zone1DoubleClick();
                    e.zone1MouseUp(1, 0);
                } else if (code == u"0030") {
                    *what = QStringLiteral("moving the pointer onto zone 1");
                    e.zone1MouseMove();
                } else if (v >= 9000) {
                    *what = QStringLiteral("a press on zone 1");
                    e.zone1MouseDown(v % 100, (v / 100) % 10);
                    e.zone1MouseUp(v % 100, (v / 100) % 10);
                } else {
                    *what = QStringLiteral("a right click on zone 1");
                    e.zone1MouseDown(2, 0);
                    e.zone1MouseUp(2, 0);
                }
                return QString();
            }
            if (v == 2000 && keys) {
                *what = QStringLiteral("the Enter key");
                e.windowKeyDown(13, 0);
                return QString();
            }
        } else if (v >= 3000 && v <= 4999) {
            *what = QStringLiteral("choosing from the context menu");
            why = zone1Reach(false);
            if (why.isEmpty()) {
                const int before = l.menus;
                e.zone1MouseDown(2, 0);
                why = chooseFromPopup(before, (v / 10) % 10, v % 10);
                if (why.isEmpty())
                    return QString();
            }
            if ((v == 3420 || v == 3220) && keys) {
                *what = QStringLiteral("the Enter key");
                e.windowKeyDown(13, 0);
                return QString();
            }
        } else if (v >= 6000 && v <= 6999) {
            const int key = sim::keyOfCodeDigits(v % 100);
            *what = QStringLiteral("the key");
            if (keys) {
                e.windowKeyDown(key, (v / 100) % 10);
                return QString();
            }
            if (s.boxVisible && (key == 13 || key == 32) && (v / 100) % 10 == 0) {
                typeAndEnter(answer());
                return QString();
            }
            why = QStringLiteral("the input box has the keyboard, so the key never reaches the window");
        } else if ((v >= 40 && v <= 47) || (v >= 50 && v <= 57)) {
            *what = QStringLiteral("dragging from zone 2 to zone 1");
            why = drag(v % 10);
            if (why.isEmpty())
                return QString();
        } else if (v >= 8001 && v <= 8009 && v != 8005) {
            *what = QStringLiteral("dragging picture 5 to its target");
            why = slide(v);
            if (why.isEmpty())
                return QString();
        } else if (v == 8888) {
            *what = QStringLiteral("the one-second timer");
            e.timer3Tick();
            return QString();
        } else if (c0 == u'A' || c0 == u'B' || c0 == u'C') {
            *what = QStringLiteral("choosing from the menu bar");
            why = chooseFromBar(menus::menuNumberOf(code, v) - 1, (v / 10) % 10, v % 10);
            if (why.isEmpty())
                return QString();
            // a click on zone 1 completes a menu step as well
            if (e.record().zone1Present() && zone1Reach(true).isEmpty()) {
                *what = QStringLiteral("a click on zone 1");
                e.zone1MouseDown(1, 0);
                e.zone1MouseUp(1, 0);
                return QString();
            }
        } else {
            why = QStringLiteral("“%1” is a step code no action of the learner completes").arg(code);
        }
        // A zone 2 that completes on a plain click is the last way out.
        if (e.record().zone2PlainClick() && e.record().zone2Present()) {
            const QRegion z2 = reachable(px(s.zone2), controlsAbove(s, Zone2));
            if (!z2.isEmpty()) {
                *what = QStringLiteral("a click on zone 2");
                const QPoint p = z2.begin()->center() - px(s.zone2).topLeft();
                e.zone2MouseDown(1, 0, twips::fromPx(p.x()), twips::fromPx(p.y()));
                e.zone2MouseUp(1, 0, twips::fromPx(p.x()), twips::fromPx(p.y()));
                return QString();
            }
        }
        return why;
    }

    void jumpTo(int step) {
        d.CurStep = Integer(step);
        e.setData();
    }

    // True when the question closed, marked solved, with one action per step.
    bool playQuestion(int q, int n) {
        const int first = d.QuestionFirstStep[q];
        d.CurQuestion = Integer(q);
        l.problems.clear();
        e.restoreQuestion(q);
        d.CurStep = 1;
        e.setData();
        bool forced = false;
        bool doubled = false;
        while (!e.record().isClosing()) {
            const int step = d.CurStep;
            line = first + step - 1;
            if (step > n) {
                add(first + n - 1, QStringLiteral("StepCode"),
                    QStringLiteral("question %1 goes past its %2 steps without reaching its closing record")
                        .arg(q)
                        .arg(n));
                return false;
            }
            if (e.blocked()) {
                add(line, QStringLiteral("record"),
                    QStringLiteral("the trainer cannot set step %1 up: %2")
                        .arg(step)
                        .arg(l.problems.isEmpty() ? QStringLiteral("a file it needs cannot be read")
                                                  : l.problems.join(QStringLiteral("; "))));
                l.problems.clear();
                forced = true;
                jumpTo(step + 1);
                continue;
            }
            const QString code = e.screen().code;
            QString what;
            const QString why = act(&what);
            if (!why.isEmpty()) {
                add(line, QStringLiteral("StepCode"),
                    QStringLiteral("no action completes step %1 (“%2”): %3").arg(step).arg(code, why));
                forced = true;
                jumpTo(step + 1);
                continue;
            }
            if (!advanced(step)) {
                add(line, QStringLiteral("StepCode"),
                    QStringLiteral("question %1 stops at step %2 (“%3”): %4 does not complete it")
                        .arg(q)
                        .arg(step)
                        .arg(code, what));
                forced = true;
                jumpTo(step + 1);
                continue;
            }
            doubled |= d.CurStep > step + 1;
            if (d.CurStep > step + 1)
                add(line + 1, QStringLiteral("StepCode"),
                    QStringLiteral(
                        "step %1 is completed together with step %2 (%3) and never waits for the learner")
                        .arg(step + 1)
                        .arg(step)
                        .arg(what));
        }
        if (forced)
            return false;
        if (!e.screen().successVisible || d.QuestionScore[q] < StatusSolved) {
            add(first + d.CurStep - 1, QStringLiteral("StepCode"),
                QStringLiteral("question %1 reaches its closing record but is not marked solved").arg(q));
            return false;
        }
        return !doubled;
    }
};

} // namespace

int playUnit(const ModData &base, int u, const QString &stepRel, const QVector<int> &counts,
             QVector<Problem> &out) {
    auto d = std::make_unique<ModData>(base);
    d->CurSet = Integer(u);
    d->SetBase = SetBaseUnit;
    setfiles::nameSetFiles(*d);
    if (setfiles::readQuestionOffsets(*d) < 0)
        return 0;
    const int questions = std::min(int(counts.size()), MaxQuestions);
    d->QuestionCount = Integer(questions);
    d->WorkMode = WorkPractice;
    for (int q = 1; q <= MaxQuestions; ++q)
        d->QuestionMark[q] = QStringLiteral("F");
    sim::StepEngine e(*d);
    Listener l;
    e.setListener(&l);
    e.formLoad();
    bank::BankReader texts(*d);
    Player p{*d, e, l, texts, stepRel, out};
    int solved = 0;
    for (int q = 1; q <= questions; ++q)
        solved += p.playQuestion(q, counts.at(q - 1)) ? 1 : 0;
    return solved;
}

void keepPictureBuffers() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

} // namespace cadbank
