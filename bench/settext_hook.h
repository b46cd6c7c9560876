#pragma once
// What the benchmark and its hook library inside Mardello agree on: the message that asks the
// hook to set the viewer's text, and the shared memory that holds the text (ANSI, NUL-ended).

// wParam 0 only makes the library load; wParam 1 sets the text.
constexpr const char* kSetTextMessageName = "MardelloBench.SetText";
constexpr const char* kSetTextMappingName = "MardelloBench.Text";
// Exported undecorated, so that GetProcAddress finds it by this name.
constexpr const char* kSetTextHookName = "SetTextHook";
