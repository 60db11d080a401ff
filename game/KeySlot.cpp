#include "KeySlot.h"

#include <QKeyEvent>

namespace {

// The X key codes of the top row's keys 1 to 4 (evdev codes 2 to 5, plus 8), as the X11 and
// Wayland platforms report them; they name the key's place, not its character.
constexpr quint32 TopRowOne = 10;
constexpr quint32 TopRowFour = 13;

} // namespace

int KeySlot(const QKeyEvent& Event) {
    const Qt::KeyboardModifiers mods = Event.modifiers();
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return -1; // the buttons' Alt-letter keys and shortcuts
    if (mods & Qt::KeypadModifier) {
        // With Num Lock on, Shift turns the keypad's 1 to 4 into End, Down, Page Down and Left.
        if (mods & Qt::ShiftModifier) {
            constexpr int shifted[] = {Qt::Key_End, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left};
            for (int slot = 0; slot < 4; ++slot)
                if (Event.key() == shifted[slot])
                    return slot;
        }
        return Event.key() >= Qt::Key_1 && Event.key() <= Qt::Key_4 ? Event.key() - Qt::Key_1 : -1;
    }
    const quint32 code = Event.nativeScanCode();
    if (code != 0)
        return code >= TopRowOne && code <= TopRowFour ? static_cast<int>(code - TopRowOne) : -1;
    // A platform that gives no key position: the character decides.
    const QString text = Event.text();
    if (text.size() == 1 && text.front() >= u'1' && text.front() <= u'4')
        return text.front().unicode() - u'1';
    return -1;
}
