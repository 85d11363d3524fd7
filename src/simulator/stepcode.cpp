#include "simulator/stepcode.h"
#include "simulator/inputcodes.h"
#include "simulator/steprecord.h"
#include "start/vb.h"

namespace sim {

namespace {

StepKind kindOfValue(int32_t v) {
    switch (v) {
    case 1:
        return StepKind::Click;
    case 2:
        return StepKind::DoubleClick;
    case 3:
        return StepKind::RightClick;
    case 2000:
        return StepKind::RightClickOrEnter;
    case 8888:
        return StepKind::Timer;
    default:
        break;
    }
    if (v >= 3000 && v <= 4999)
        return StepKind::ContextMenu;
    if (v >= 6000 && v <= 6999)
        return StepKind::Key;
    if (v >= 8001 && v <= 8009 && v != 8005)
        return StepKind::PictureDrag;
    if (v >= 9000 && v <= 9998)
        return StepKind::Press;
    return StepKind::Unknown;
}

} // namespace

StepCode decodeStepCode(const QString &code) {
    return decodeStepCode(code, sim::bank::stepValue(code));
}

StepCode decodeStepCode(const QString &code, int32_t value) {
    StepCode c;
    c.code = code;
    c.value = value;
    const int32_t v = c.value;
    const QChar first = code.isEmpty() ? QChar() : code.at(0);
    if (first == u'A' || first == u'B' || first == u'C' || first == u'D')
        c.letter = first;

    const QStringView c3 = QStringView(code).left(3);
    if (code == QLatin1String("9999"))
        c.kind = StepKind::Closing;
    else if (code == QLatin1String("0020"))
        c.kind = StepKind::TypeNow;
    else if (code == QLatin1String("0021"))
        c.kind = StepKind::TypeOverlay;
    else if (code == QLatin1String("0022") || code == QLatin1String("0023") ||
             code == QLatin1String("0026") || code == QLatin1String("A111"))
        c.kind = StepKind::TypeEnter;
    else if (code == QLatin1String("0030"))
        c.kind = StepKind::Hover;
    else if (c3 == u"004")
        c.kind = StepKind::DragSelect;
    else if (c3 == u"005")
        c.kind = StepKind::DragDrop;
    else
        c.kind = kindOfValue(v);
    if (c.kind == StepKind::Unknown && (first == u'A' || first == u'B' || first == u'C'))
        c.kind = StepKind::BarMenu;
    if (c.kind == StepKind::Unknown && first == u'D')
        c.kind = StepKind::DemoMenu;

    switch (c.kind) {
    case StepKind::DragSelect:
    case StepKind::DragDrop:
        c.modifiers = start::vb::ValLong(code.mid(3, 1));
        break;
    case StepKind::Press:
        c.modifiers = (v / 100) % 10;
        c.button = v % 100;
        break;
    case StepKind::Key:
        c.modifiers = (v / 100) % 10;
        c.keyDigits = v % 100;
        c.key = keyOfCodeDigits(c.keyDigits);
        break;
    case StepKind::PictureDrag: {
        // 1 left, 2 right, 3 up, 4 down, 6 left and down, 7 right and down,
        // 8 left and up, 9 right and up
        static constexpr int dxOf[10] = {0, -1, 1, 0, 0, 0, -1, 1, -1, 1};
        static constexpr int dyOf[10] = {0, 0, 0, -1, 1, 0, 1, 1, -1, -1};
        c.dx = dxOf[v - 8000];
        c.dy = dyOf[v - 8000];
        break;
    }
    default:
        break;
    }

    // The pop-up a menu step reads and the item that completes it.
    c.bank = sim::menus::bankForStep(v);
    if (c.bank != sim::menus::Bank::None) {
        c.menu = sim::menus::menuNumberOf(code, v);
        c.group = (v / 10) % 10;
        c.item = v % 10;
    }
    return c;
}

bool StepCode::confirmKey(int vk) const {
    if (value == 2000)
        return vk == 13 || vk == 32;
    if (value == 3420 || value == 3220)
        return vk == 13 || vk == 32 || vk == 27;
    return false;
}

bool StepCode::commandLineTyping(bool boxPresent) const {
    return boxPresent && code.startsWith(QLatin1String("A11"));
}

bool StepCode::showsMenuBar(bool boxPresent) const {
    return (letter == u'A' || letter == u'B' || letter == u'C') && !commandLineTyping(boxPresent);
}

} // namespace sim
