// Settings under HKEY_CURRENT_USER\Software\<root>\<program>\<section>, as the framework keeps
// them. The root's name is given in GBK; read as GBK, it names the same key on a Chinese system
// and keeps its characters on any other. The settings themselves are the program's 8-bit text.
#include <string>

#include "framework/WinApp.h"
#include "framework/WideText.h"

namespace {

std::wstring Wide(const CString& text, UINT codePage) { return WideText(text, text.GetLength(), codePage); }

constexpr UINT kGbk = 936;

// Closes the key it holds, if any.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey()
    {
        if (m_key) ::RegCloseKey(m_key);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY m_key = nullptr;
};

std::wstring SectionPath(const CWinApp& app, const char* section)
{
    return L"Software\\" + Wide(app.m_strRegistryKey, kGbk) + L"\\" + Wide(app.m_strAppName, CP_ACP) + L"\\" +
           Wide(section, CP_ACP);
}

}  // namespace

CString CWinApp::GetProfileUtf8(const char* section, const char* entry) const
{
    RegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(*this, section).c_str(), 0, KEY_QUERY_VALUE, &key.m_key) !=
        ERROR_SUCCESS)
        return CString();
    wchar_t value[1024] = L"";
    DWORD size = sizeof value - sizeof value[0];
    DWORD type = 0;
    if (::RegQueryValueExW(key.m_key, Wide(entry, CP_ACP).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value),
                           &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return CString();
    // Up to its first NUL: a value may be written with or without one.
    return CString(Utf8Text(std::wstring(value, size / sizeof value[0]).c_str()));
}

BOOL CWinApp::WriteProfileUtf8(const char* section, const char* entry, const CString& utf8) const
{
    RegistryKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(*this, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key.m_key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const std::wstring text = Wide(utf8, CP_UTF8);
    return ::RegSetValueExW(key.m_key, Wide(entry, CP_ACP).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int fallback) const
{
    RegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(*this, section).c_str(), 0, KEY_QUERY_VALUE, &key.m_key) !=
        ERROR_SUCCESS)
        return static_cast<UINT>(fallback);
    DWORD value = 0, type = 0, size = sizeof value;
    if (::RegQueryValueExA(key.m_key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(fallback);
    return value;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const
{
    RegistryKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(*this, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key.m_key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD data = static_cast<DWORD>(value);
    return ::RegSetValueExA(key.m_key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
           ERROR_SUCCESS;
}
