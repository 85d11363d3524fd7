#include "simulator/stepengine.h"
#include "simulator/inputcodes.h"
#include "start/moddata.h"
#include "start/vb.h"

#include <QDir>
#include <cstdlib>

namespace sim {

StepEngine::StepEngine(ModData &data) : m_data(data), m_reader(data) {}

void StepEngine::formLoad() {
    for (int q = 1; q <= MaxQuestions; ++q)
        m_data.SavedStep[q] = 1;
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
    return m_pictures.image(bank::picturePath(m_data, id));
}

bool StepEngine::loadPicture(const QString &id) {
    const QString path = bank::picturePath(m_data, id);
    bool ok = false;
    m_pictures.image(path, &ok);
    if (!ok)
        report(
            QStringLiteral("无法显示图片文件：%1").arg(QDir::toNativeSeparators(path.isEmpty() ? id : path)));
    return ok;
}

void StepEngine::restoreQuestion(int q) {
    if (q < 1 || q > MaxQuestions)
        return;
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
    if (q >= 1 && q <= MaxQuestions)
        m_data.SavedStep[q] = m_data.CurStep;

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
        if (q >= 1 && q <= MaxQuestions && id != bank::KeepId)
            m_data.QuestionScreen[q][slot] = id;
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

QString StepEngine::unfinishedList(const ModData &d, bool byMark) {
    QString s = QStringLiteral("未完成的题目");
    for (int n = 1; n <= d.QuestionCount && n <= MaxQuestions; ++n) {
        const bool open =
            byMark ? d.QuestionMark[n] == QLatin1String("F") : d.QuestionScore[n] < StatusSolved;
        if (open)
            s += QLatin1Char(' ') + QString::number(n);
    }
    return s;
}

void StepEngine::finishQuestion() {
    ModData &d = m_data;
    const int q = d.CurQuestion;
    if (q < 1 || q > MaxQuestions)
        return;
    if (d.QuestionScore[q] < StatusSolved)
        d.QuestionScore[q] = Integer(d.QuestionScore[q] + StatusSolved);
    std::optional<QString> biao;
    std::optional<QString> unit;
    if (d.SetBase == SetBaseUnit) {
        d.QuestionMark[q] = QStringLiteral("T");
        unit = unfinishedList(d, true);
        biao = QStringLiteral("第%1单元  第%2/%3题（已完成）").arg(d.CurSet + 1).arg(q).arg(d.QuestionCount);
    }
    if (d.CurSet == CurSetReview)
        biao = QStringLiteral("错题复习  第%1/%2题").arg(q).arg(d.QuestionCount);
    if (d.SetBase == SetBaseExamPaper || d.CurSet == CurSetReview)
        unit = unfinishedList(d, false);
    if (m_listener && (biao || unit))
        m_listener->panelCaptions(biao, unit);
}

void StepEngine::doNext() {
    if (m_blocked)
        return;
    if (m_record.isClosing()) {
        const int q = m_data.CurQuestion;
        if (q >= 1 && q <= MaxQuestions && m_data.QuestionScore[q] < StatusSolved)
            m_data.QuestionScore[q] = Integer(m_data.QuestionScore[q] + StatusSolved);
        return;
    }
    m_data.CurStep = Integer(m_data.CurStep + 1);
    setData();
}

// --- zone 1 -------------------------------------------------------------

void StepEngine::zone1MouseDown(int button, int shift) {
    if (m_blocked)
        return;
    int32_t v = StepValue();
    if (button == 2 && (v == 3 || v == 2000))
        doNext();
    v = StepValue();
    if (!m_blocked && v >= 9000 && v <= 9998) {
        const int d = (v / 100) % 10;
        const int f = v % 100;
        if (button == f && shift == d)
            doNext();
    }
    v = StepValue();
    if (!m_blocked && button == 2 && v >= 3000 && v <= 4999) {
        m_openMenu = (v / 100) % 10;
        showContextMenu();
    }
}

void StepEngine::showContextMenu() {
    menus::MenuContent m = menus::readMenu(menuFile(), StepValue(), m_openMenu);
    if (m.fileMissing)
        report(m.error);
    if (m_listener)
        m_listener->showMenu(m, -1);
}

void StepEngine::zone1MouseUp(int button, int shift) {
    if (m_blocked)
        return;
    const int32_t v = StepValue();
    if (button == 1 && shift == 0 && (v == 1 || v >= 10001))
        doNext();
}

void StepEngine::zone1DoubleClick() {
    if (!m_blocked && StepValue() == 2)
        doNext();
}

PointerShape StepEngine::pointerOf(bool zone2Drag) const {
    const QString shape = m_record.PointerSpec();
    const QString nn = shape.right(2);
    PointerShape p;
    if (shape.startsWith(u'S')) {
        p.kind = PointerShape::System;
        p.number = vb::ValLong(nn);
    } else if (shape.startsWith(u'M') || zone2Drag) {
        p.kind = PointerShape::Custom;
        p.number = 99;
        p.file = bank::pointerPath(m_data, nn);
    }
    return p;
}

void StepEngine::zone1MouseMove() {
    if (!m_blocked && m_screen.code == QLatin1String("0030"))
        doNext();
    PointerShape p;
    const QString c3 = m_screen.code.left(3);
    if (c3 != QLatin1String("004") && c3 != QLatin1String("005"))
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
    const QString c3 = m_screen.code.left(3);
    const int k = vb::ValLong(m_screen.code.mid(3, 1));
    if (c3 == QLatin1String("004") && shift == k) {
        m_dragStartX = m_screen.zone2.x + x;
        m_dragStartY = m_screen.zone2.y + y;
        m_screen.selection = {m_dragStartX, m_dragStartY, 15, 15};
        m_screen.selectionVisible = true;
        if (m_listener)
            m_listener->dragChanged();
    }
    if ((c3 == QLatin1String("004") || c3 == QLatin1String("005")) && shift == k)
        m_dragging = true;
}

void StepEngine::zone2MouseMove(int shift, int x, int y) {
    if (m_blocked)
        return;
    const QString c3 = m_screen.code.left(3);
    const int k = vb::ValLong(m_screen.code.mid(3, 1));
    if (c3 == QLatin1String("004") && shift == k) {
        if (!m_screen.selectionVisible)
            return;
        m_screen.selection = {m_dragStartX, m_dragStartY, std::abs(m_screen.zone2.x + x - m_dragStartX),
                              std::abs(m_screen.zone2.y + y - m_dragStartY)};
        if (m_listener)
            m_listener->dragChanged();
    }
    if ((c3 == QLatin1String("004") || c3 == QLatin1String("005")) && shift == k && m_dragging) {
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
    const QString c3 = m_screen.code.left(3);
    const int k = vb::ValLong(m_screen.code.mid(3, 1));
    const int X = m_screen.zone2.x + x;
    const int Y = m_screen.zone2.y + y;
    const bool inside = m_screen.zone1.contains(X, Y);
    auto defaultPointer = [&] {
        m_zone2Pointer = PointerShape{};
        if (m_listener)
            m_listener->zone2Pointer(m_zone2Pointer);
    };
    if (c3 == QLatin1String("004") && shift == k) {
        const bool wasVisible = m_screen.selectionVisible;
        m_screen.selection.w = m_screen.selection.h = 15;
        if (wasVisible && inside)
            doNext();
        m_screen.selectionVisible = false;
        m_dragging = false;
        if (m_listener)
            m_listener->dragChanged();
        defaultPointer();
    } else if (c3 == QLatin1String("005") && shift == k) {
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
    const int32_t v = StepValue();
    const bool horizontal = v == 8001 || v == 8002 || (v >= 8006 && v <= 8009);
    const bool vertical = v == 8003 || v == 8004 || (v >= 8006 && v <= 8009);
    if (!horizontal && !vertical)
        return;
    if (horizontal)
        m_screen.picLeft = m_screen.picLeft + int(std::lround(x / 2.0));
    if (vertical)
        m_screen.picTop = m_screen.picTop + int(std::lround(y / 2.0));
    m_screen.pics[5].x = m_screen.picLeft;
    m_screen.pics[5].y = m_screen.picTop;
    if (m_listener)
        m_listener->dragChanged();
}

void StepEngine::picture5MouseUp() {
    if (m_blocked)
        return;
    const int32_t v = StepValue();
    const bool horizontal = v == 8001 || v == 8002 || (v >= 8006 && v <= 8009);
    const bool vertical = v == 8003 || v == 8004 || (v >= 8006 && v <= 8009);
    if (!horizontal && !vertical)
        return;
    const int tx = int(std::lround(m_screen.picTargetX * m_data.ScaleX));
    const int ty = int(std::lround(m_screen.picTargetY * m_data.ScaleY));
    const int L = m_screen.picLeft;
    const int T = m_screen.picTop;
    bool accepted = false;
    switch (v) {
    case 8001:
        accepted = tx >= L;
        break;
    case 8002:
        accepted = tx <= L;
        break;
    case 8003:
        accepted = ty >= T;
        break;
    case 8004:
        accepted = ty <= T;
        break;
    case 8006:
        accepted = ty <= T && tx >= L;
        break;
    case 8007:
        accepted = ty <= T && tx <= L;
        break;
    case 8008:
        accepted = ty >= T && tx >= L;
        break;
    case 8009:
        accepted = ty >= T && tx <= L;
        break;
    default:
        break;
    }
    const int homeX = int(std::lround(m_record.picX(5) * m_data.ScaleX));
    const int homeY = int(std::lround(m_record.picY(5) * m_data.ScaleY));
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
        int d = vb::ValLong(m_screen.backSpec.right(1));
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

void StepEngine::openBarMenu(int i) {
    m_openMenu = i + 1;
    menus::MenuContent m = menus::readMenu(menuFile(), StepValue(), m_openMenu);
    if (m.fileMissing)
        report(m.error);
    if (m_listener)
        m_listener->showMenu(m, i);
}

void StepEngine::menuItemChosen(int group, int item) {
    if (m_blocked)
        return;
    if (menus::choiceMatches(m_screen.code, StepValue(), m_openMenu, group, item))
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
    if (m_blocked || m_screen.code != QLatin1String("0020"))
        return;
    const bank::Alternatives a = bank::splitAnswer(answerText());
    const QString n = bank::normalForm(text);
    if (n == bank::normalForm(a.first) || n == bank::normalForm(a.second))
        doNext();
}

bool StepEngine::text1KeyReleased(int key) {
    if (key != 13 && key != 32)
        return false;
    if (m_blocked || m_screen.code == QLatin1String("0020"))
        return false;
    const QString full = m_screen.boxText;
    QString stripped;
    for (QChar c : full)
        if (c.unicode() > 32 && c.unicode() < 127)
            stripped += c;
    const bank::Alternatives a = bank::splitAnswer(answerText());
    const QString a1 = bank::normalForm(a.first);
    const QString a2 = bank::normalForm(a.second);
    const QString s = bank::normalForm(stripped);
    const QString f = bank::normalForm(full);
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
    if (bank::normalForm(text) == bank::normalForm(answerText()))
        doNext();
}

void StepEngine::windowKeyDown(int key, int shift) {
    if (m_blocked)
        return;
    int d = 0;
    int32_t v = StepValue();
    if (v >= 6000 && v <= 6999) {
        d = (v / 100) % 10;
        const int n = keyOfCodeDigits(v % 100);
        if (key == n && shift == d)
            doNext();
        if (shift == d && key == 32 && StepValue() == 6002)
            doNext();
    }
    if ((key == 32 || key == 13 || key == 27) && shift == d) {
        v = StepValue();
        if (v == 3420 || v == 3220)
            doNext();
    }
    if ((key == 32 || key == 13) && shift == d && StepValue() == 2000)
        doNext();
}

void StepEngine::timer3Tick() {
    if (StepValue() == 8888)
        doNext();
}

void StepEngine::prefetchNext() {
    if (m_record.isClosing())
        return;
    const int q = m_data.CurQuestion;
    bool ok = false;
    const bank::StepRecord next = m_reader.record(q, m_data.CurStep + 1, &ok);
    if (!ok)
        return;
    auto warm = [&](const QString &id) {
        if (id != bank::KeepId)
            m_pictures.image(bank::picturePath(m_data, id));
    };
    warm(next.ScreenPicture());
    for (int k = 1; k <= 5; ++k)
        if (next.picturePlaced(k))
            warm(next.PicId(k));
}

} // namespace sim
