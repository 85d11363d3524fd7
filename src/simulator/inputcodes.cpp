#include "simulator/inputcodes.h"

#include <array>

namespace sim {

namespace {

// The key of a US keyboard that types character c (with or without Shift).
int vkOfUsCharacter(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 'A';
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return c;
    if (c == u' ')
        return 32;
    // Shift with the digit row: ")" is Shift+0, "!" Shift+1, ... "(" Shift+9
    static constexpr char16_t shiftedDigits[] = u")!@#$%^&*(";
    for (int d = 0; d < 10; ++d)
        if (c == shiftedDigits[d])
            return '0' + d;
    // each key's character without and with Shift
    static constexpr struct {
        char16_t plain, shifted;
        int vk;
    } punctuation[] = {{u';', u':', 186},  {u'=', u'+', 187}, {u',', u'<', 188}, {u'-', u'_', 189},
                       {u'.', u'>', 190},  {u'/', u'?', 191}, {u'`', u'~', 192}, {u'[', u'{', 219},
                       {u'\\', u'|', 220}, {u']', u'}', 221}, {u'\'', u'"', 222}};
    for (const auto &p : punctuation)
        if (c == p.plain || c == p.shifted)
            return p.vk;
    return 0;
}

} // namespace

int shiftState(Qt::KeyboardModifiers mods) {
    int s = 0;
    if (mods & Qt::ShiftModifier)
        s += 1;
    if (mods & Qt::ControlModifier)
        s += 2;
    if (mods & Qt::AltModifier)
        s += 4;
    return s;
}

int vkFromQtKey(int k) {
    // the printable keys carry their character's code
    if (k >= 0x20 && k <= 0x7e)
        return vkOfUsCharacter(char16_t(k));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_End:
        return 35;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    default:
        return 0;
    }
}

KeyCode keyOfEvent(int qtKey, Qt::KeyboardModifiers mods, const QString &text) {
    KeyCode c;
    c.shift = shiftState(mods);
    // the keypad's "*" is a key of its own, not Shift+8
    if ((mods & Qt::KeypadModifier) && qtKey == Qt::Key_Asterisk)
        c.key = 106;
    else
        c.key = vkFromQtKey(qtKey);
    if (c.key == 0 && text.size() == 1)
        c.key = vkOfUsCharacter(text.at(0).unicode());
    return c;
}

bool keyboardHasKey(int vk) {
    // every code a key event can give, found by asking keyOfEvent of every key
    // Qt names (the printable keys and the function and editing keys), plain
    // and on the keypad
    static const std::array<bool, 256> sent = [] {
        std::array<bool, 256> has{};
        auto mark = [&has](int qtKey) {
            for (Qt::KeyboardModifiers m :
                 {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
                const int code = keyOfEvent(qtKey, m, QString()).key;
                if (code > 0 && code < int(has.size()))
                    has[code] = true;
            }
        };
        for (int k = 0x20; k <= 0x7e; ++k)
            mark(k);
        for (int k = Qt::Key_Escape; k <= Qt::Key_F35; ++k)
            mark(k);
        return has;
    }();
    return vk > 0 && vk < int(sent.size()) && sent[vk];
}

Qt::CursorShape systemPointer(int nn) {
    switch (nn) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

int keyOfCodeDigits(int digits) {
    switch (digits) {
    case 2:
        return 13;
    case 3:
        return 113;
    case 15:
        return 115;
    case 20:
        return 120;
    case 91:
        return 191;
    case 99:
        return 190;
    default:
        return digits;
    }
}

} // namespace sim
