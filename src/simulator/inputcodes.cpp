#include "simulator/inputcodes.h"

namespace sim {

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
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return k; // same codes as the virtual keys
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Space:
        return 32;
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
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 191;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 190;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 189;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return 187;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 186;
    default:
        return 0;
    }
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
