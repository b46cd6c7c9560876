#include "tests/e2e/harness/Controls.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace e2e {

namespace {

::testing::AssertionResult NoControl(HWND dialog, int id)
{
    return ::testing::AssertionFailure() << "dialog " << dialog << " has no control " << id;
}

}  // namespace

std::optional<std::string> ControlText(HWND dialog, int id, DWORD timeoutMs)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return std::nullopt;
    // The length a control reports is only a hint: a rich edit counts a paragraph break as one
    // character but gives it as CR LF, and asked from another process it answers 0. Given too
    // small a buffer it may copy nothing at all. So the buffer grows until the text fits with
    // room to spare, up to far more than the largest rich edit text.
    DWORD_PTR hint = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeoutMs, &hint))
        return std::nullopt;
    constexpr size_t kLargest = 1 << 20;
    std::vector<char> text(std::max<size_t>(2 * hint + 2, 1024));
    for (;;) {
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                                 timeoutMs, &copied))
            return std::nullopt;
        const bool fits = copied > 0 && copied + 1 < text.size();
        if (fits || text.size() >= kLargest)
            return std::string(text.data(), std::min<size_t>(copied, text.size() - 1));
        text.resize(text.size() * 4);
    }
}

namespace {

// Memory in the process of a control, freed with this object.
class RemoteBuffer {
public:
    RemoteBuffer(HWND control, size_t size)
    {
        DWORD processId = 0;
        if (control && GetWindowThreadProcessId(control, &processId))
            m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (m_process) m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (m_address) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process) CloseHandle(m_process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    HANDLE Process() const { return m_process; }
    char* Address() const { return static_cast<char*>(m_address); }

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
};

}  // namespace

std::optional<std::string> RichEditText(HWND dialog, int id, DWORD timeoutMs)
{
    HWND control = GetDlgItem(dialog, id);
    // A Unicode control answers in UTF-16 whichever way it is asked; its text is then given in
    // the code page, as an ANSI control gives it.
    const bool unicode = IsWindowUnicode(control) != FALSE;
    // Characters per piece; each may take two bytes in the code page, and the piece ends with a NUL.
    constexpr LONG kPiece = 1 << 20;
    constexpr size_t kBytes = 2 * kPiece + 2;
    const RemoteBuffer remote(control, sizeof(TEXTRANGEA) + kBytes);
    if (!remote.Address()) return std::nullopt;
    std::vector<char> piece(kBytes);
    std::string text;
    for (LONG first = 0;;) {
        const TEXTRANGEA range{{first, first + kPiece}, remote.Address() + sizeof(TEXTRANGEA)};
        DWORD_PTR characters = 0;
        SIZE_T read = 0;
        if (!WriteProcessMemory(remote.Process(), remote.Address(), &range, sizeof range, nullptr) ||
            !SendMessageTimeoutA(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(remote.Address()), SMTO_NORMAL,
                                 timeoutMs, &characters) ||
            !ReadProcessMemory(remote.Process(), range.lpstrText, piece.data(), piece.size(), &read))
            return std::nullopt;
        if (characters == 0) return text;
        if (unicode) {
            const auto* wide = reinterpret_cast<const wchar_t*>(piece.data());
            const int count = static_cast<int>(std::min<DWORD_PTR>(characters, read / sizeof(wchar_t)));
            const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
            std::string narrow(static_cast<size_t>(bytes), '\0');
            WideCharToMultiByte(CP_ACP, 0, wide, count, narrow.data(), bytes, nullptr, nullptr);
            text += narrow;
            first += count;
            continue;
        }
        const size_t bytes = strnlen(piece.data(), read);
        text.append(piece.data(), bytes);
        // Wine answers with the bytes copied, not the characters, so the next piece starts
        // after as many characters as this piece holds.
        first += MultiByteToWideChar(CP_ACP, 0, piece.data(), static_cast<int>(bytes), nullptr, 0);
    }
}

std::optional<std::wstring> RichEditCharacters(HWND dialog, int id, DWORD timeoutMs)
{
    constexpr size_t kRoom = 1 << 16;  // characters, more than a test's text
    const RemoteBuffer remote(GetDlgItem(dialog, id), sizeof(GETTEXTEX) + kRoom * sizeof(wchar_t));
    char* const into = remote.Address() ? remote.Address() + sizeof(GETTEXTEX) : nullptr;
    const GETTEXTEX how{kRoom * sizeof(wchar_t), GT_DEFAULT, 1200, nullptr, nullptr};
    std::wstring text(kRoom, L'\0');
    DWORD_PTR characters = 0;
    if (!remote.Address() || !WriteProcessMemory(remote.Process(), remote.Address(), &how, sizeof how, nullptr) ||
        !SendMessageTimeoutA(GetDlgItem(dialog, id), EM_GETTEXTEX, reinterpret_cast<WPARAM>(remote.Address()),
                             reinterpret_cast<LPARAM>(into), SMTO_NORMAL, timeoutMs, &characters) ||
        !ReadProcessMemory(remote.Process(), into, text.data(), kRoom * sizeof(wchar_t), nullptr))
        return std::nullopt;
    text.resize(std::min<size_t>(characters, kRoom - 1));
    return text;
}

std::optional<std::pair<long, long>> RichEditSelection(HWND dialog, int id, DWORD timeoutMs)
{
    HWND control = GetDlgItem(dialog, id);
    const RemoteBuffer remote(control, sizeof(CHARRANGE));
    CHARRANGE range{};
    DWORD_PTR ignored = 0;
    if (!remote.Address() ||
        !SendMessageTimeoutA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(remote.Address()), SMTO_NORMAL, timeoutMs,
                             &ignored) ||
        !ReadProcessMemory(remote.Process(), remote.Address(), &range, sizeof range, nullptr))
        return std::nullopt;
    return std::pair<long, long>{range.cpMin, range.cpMax};
}

::testing::AssertionResult ClickButton(HWND dialog, int id, DWORD timeoutMs)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        return NoControl(dialog, id);
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, timeoutMs, &ignored))
        return ::testing::AssertionFailure() << "button " << id << " was not handled within " << timeoutMs
                                             << " ms (error " << GetLastError() << ")";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult StartClick(HWND dialog, int id, DWORD timeoutMs)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        return NoControl(dialog, id);
    // Sent without waiting: a handler that runs a modal dialog would otherwise hold this
    // test until that dialog closed. WaitUntilIdle then follows it in the same queue.
    if (!SendNotifyMessageA(button, BM_CLICK, 0, 0))
        return ::testing::AssertionFailure() << "cannot click button " << id << ": error " << GetLastError();
    return WaitUntilIdle(dialog, timeoutMs);
}

::testing::AssertionResult TypeText(HWND dialog, int id, const std::string& text, DWORD timeoutMs)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return NoControl(dialog, id);
    // Wine turns an ANSI WM_CHAR into Unicode with the keyboard layout's code page, 1252 for
    // the US layout of an X server, which splits a GBK character into two wrong ones. A
    // Unicode WM_CHAR is what an input method delivers, and arrives whole.
    const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<WCHAR> characters(count > 0 ? count : 0);
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), characters.data(), count);
    for (WCHAR character : characters) {
        if (!SendNotifyMessageW(control, WM_CHAR, character, 1))
            return ::testing::AssertionFailure() << "cannot type into control " << id << ": error " << GetLastError();
    }
    return WaitUntilIdle(control, timeoutMs);
}

}  // namespace e2e
