#include "bench/InProcessSetText.h"

#include <cstring>

#include "bench/Require.h"
#include "bench/settext_hook.h"

namespace bench {

namespace {

void Ask(HWND window, UINT message, WPARAM wParam, DWORD timeoutMs, const char* what)
{
    DWORD_PTR result = 0;
    Require(SendMessageTimeoutA(window, message, wParam, 0, SMTO_NORMAL, timeoutMs, &result) != 0,
            std::string(what) + " (error " + std::to_string(GetLastError()) + ")");
}

}  // namespace

InProcessSetText::InProcessSetText(HWND window, const std::string& text, const std::string& hookLibrary)
    : m_window(window), m_message(RegisterWindowMessageA(kSetTextMessageName)), m_hook(window, hookLibrary, kSetTextHookName)
{
    Require(m_hook.Failure().empty(), m_hook.Failure());
    m_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                   static_cast<DWORD>(text.size() + 1), kSetTextMappingName);
    Require(m_mapping != nullptr, "cannot share the text with the hook");
    void* view = MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, 0);
    Require(view != nullptr, "cannot write the text for the hook");
    std::memcpy(view, text.c_str(), text.size() + 1);
    UnmapViewOfFile(view);

    // The program loads the library at the first message that passes the hook; that is not timed.
    Ask(m_window, m_message, 0, 60000, "the program did not take the hook");
}

InProcessSetText::~InProcessSetText()
{
    if (m_mapping) CloseHandle(m_mapping);
}

void InProcessSetText::Run(DWORD timeoutMs) const { Ask(m_window, m_message, 1, timeoutMs, "WM_SETTEXT inside the program"); }

}  // namespace bench
