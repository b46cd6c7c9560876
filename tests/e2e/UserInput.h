#pragma once
// A user's mouse and keyboard: xdotool moves the X server's own pointer and presses its own
// keys, so the input reaches the program through the X server and Wine's event handling, the
// way a person's does, instead of as messages posted to its windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness/UnixSpawn.h"
#include "tests/e2e/harness/Wait.h"

namespace e2e {

// Runs xdotool with `arguments` on the display Wine uses and waits for it to finish.
inline ::testing::AssertionResult Xdotool(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "xdotool");
    const LONG status = SpawnUnix(arguments, true);
    if (status != 0) {
        std::string line;
        for (const std::string& argument : arguments) line += argument + " ";
        return ::testing::AssertionFailure() << line << "failed: " << status;
    }
    return ::testing::AssertionSuccess();
}

inline bool CursorAt(POINT screenPoint)
{
    POINT now;
    return GetCursorPos(&now) && now.x == screenPoint.x && now.y == screenPoint.y;
}

// Moves the pointer to a point of the screen and waits until Wine reports it there.
inline ::testing::AssertionResult MouseMoveTo(POINT screenPoint)
{
    auto moved = Xdotool({"mousemove", std::to_string(screenPoint.x), std::to_string(screenPoint.y)});
    if (!moved) return moved;
    if (!WaitUntil([&] { return CursorAt(screenPoint); }))
        return ::testing::AssertionFailure() << "the pointer did not arrive at " << screenPoint.x << "," << screenPoint.y;
    return ::testing::AssertionSuccess();
}

// The left button as Wine's input state has it, once a Wine program has taken the X event.
inline bool LeftButtonDown() { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }

inline ::testing::AssertionResult MouseLeftButton(bool press)
{
    auto sent = Xdotool({press ? "mousedown" : "mouseup", "1"});
    if (!sent) return sent;
    if (!WaitUntil([&] { return LeftButtonDown() == press; }))
        return ::testing::AssertionFailure() << "the left button was not " << (press ? "pressed" : "released");
    return ::testing::AssertionSuccess();
}

// Lets go of the left button when a test ends, however it ends, so that a failed drag does not
// leave the button held for the tests after it.
struct LeftButtonReleaser {
    LeftButtonReleaser() = default;
    LeftButtonReleaser(const LeftButtonReleaser&) = delete;
    LeftButtonReleaser& operator=(const LeftButtonReleaser&) = delete;
    ~LeftButtonReleaser()
    {
        if (LeftButtonDown()) (void)MouseLeftButton(false);
    }
};

inline ::testing::AssertionResult MouseClickAt(POINT screenPoint)
{
    auto step = MouseMoveTo(screenPoint);
    if (step) step = MouseLeftButton(true);
    if (step) step = MouseLeftButton(false);
    return step;
}

// The virtual key of an xdotool key name ("Next", "F3", "z"), or 0 for a name not listed here.
inline UINT VirtualKeyOf(const std::string& name)
{
    static const struct {
        const char* name;
        UINT key;
    } named[] = {{"Escape", VK_ESCAPE}, {"Return", VK_RETURN}, {"Tab", VK_TAB},       {"space", VK_SPACE},
                 {"BackSpace", VK_BACK}, {"Delete", VK_DELETE}, {"Down", VK_DOWN},     {"Up", VK_UP},     {"Home", VK_HOME},
                 {"End", VK_END},       {"Prior", VK_PRIOR},   {"Next", VK_NEXT},     {"Menu", VK_APPS}};
    for (const auto& entry : named)
        if (name == entry.name) return entry.key;
    if (name.size() == 1) return LOBYTE(VkKeyScanA(name[0]));
    if (name.size() > 1 && name[0] == 'F' && isdigit(static_cast<unsigned char>(name[1])))
        return VK_F1 + std::stoi(name.substr(1)) - 1;
    return 0;
}

// Presses and releases keys on the keyboard, xdotool names joined by '+' ("Escape", "alt+space"),
// for the window that has the keyboard focus, and waits until Wine has queued the last of them.
// Until then they wait in the X connection of the window's thread, which answers messages sent
// to it first: a window that answers need not have had them yet.
inline ::testing::AssertionResult PressKeys(const std::string& keys)
{
    const UINT key = VirtualKeyOf(keys.substr(keys.rfind('+') + 1));
    if (!key) return ::testing::AssertionFailure() << "no virtual key known for " << keys;
    GetAsyncKeyState(key);  // forgets an earlier press
    auto pressed = Xdotool({"key", keys});
    if (pressed && !WaitUntil([&] { return (GetAsyncKeyState(key) & 1) != 0; }))
        return ::testing::AssertionFailure() << "Wine did not take the keys " << keys;
    return pressed;
}

}  // namespace e2e
