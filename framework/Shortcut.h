#pragma once
// A key that stands for a command, with the modifier keys held down with it.
#include <windows.h>

constexpr unsigned kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4;

struct Shortcut {
    UINT key;
    unsigned modifiers;
    UINT command;
};

// The modifiers held down as the key message being handled came.
inline unsigned ModifiersDown()
{
    const auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    return (down(VK_CONTROL) ? kCtrl : 0) | (down(VK_SHIFT) ? kShift : 0) | (down(VK_MENU) ? kAlt : 0);
}

// Posts the command of the shortcut `message` is, if any, to `window`: a command that opens a
// dialog then runs it from the loop, not from inside the key's filter. A command that is a
// button's ID carries that button, as its click does. False when the key is none of them.
template <size_t count>
bool PostShortcut(const Shortcut (&shortcuts)[count], const MSG& message, unsigned modifiers, HWND window)
{
    for (const Shortcut& shortcut : shortcuts) {
        if (shortcut.key != message.wParam || shortcut.modifiers != modifiers) continue;
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(shortcut.command, 0),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, static_cast<int>(shortcut.command))));
        return true;
    }
    return false;
}
