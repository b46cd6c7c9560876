// Reading, typing and clicking through control IDs, on a window of this test's own making
// with the kinds of control the program under test has.

#include "tests/e2e/harness/Controls.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

using namespace std::string_literals;

enum { kEdit = 1, kRich = 2, kButton = 3, kStatus = 4 };

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == kButton && HIWORD(wParam) == BN_CLICKED)
        SetDlgItemTextA(window, kStatus, "clicked");
    return DefWindowProcA(window, message, wParam, lParam);
}

class Form : public ::testing::Test {
protected:
    void SetUp() override
    {
        // As in Wine's own rich edit tests: the class exists only once the DLL is loaded.
        riched_ = LoadLibraryA("riched20.dll");
        ASSERT_NE(riched_, nullptr);
        WNDCLASSA wc{};
        wc.lpfnWndProc = FormProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "e2e form";
        RegisterClassA(&wc);
        form_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, wc.hInstance,
                                nullptr);
        ASSERT_NE(form_, nullptr);
        Child("EDIT", ES_AUTOHSCROLL, kEdit);
        Child("RichEdit20A", ES_MULTILINE, kRich);
        Child("BUTTON", BS_PUSHBUTTON, kButton);
        Child("STATIC", 0, kStatus);
    }
    void TearDown() override
    {
        DestroyWindow(form_);
        FreeLibrary(riched_);
    }
    void Child(const char* className, DWORD style, int id)
    {
        ASSERT_NE(CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 20, form_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr),
                  nullptr)
            << className;
    }

    HMODULE riched_ = nullptr;
    HWND form_ = nullptr;
};

TEST_F(Form, RichEditParagraphsReadAsCrLf)
{
    HWND rich = GetDlgItem(form_, kRich);
    SendMessageA(rich, EM_SETSEL, -1, -1);
    SendMessageA(rich, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("\r\nfirst"));
    SendMessageA(rich, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("\r\n\xd6\xd0\xce\xc4"));
    EXPECT_EQ(ControlText(form_, kRich), "\r\nfirst\r\n\xd6\xd0\xce\xc4"s);
}

TEST_F(Form, TypingObeysTheTextLimit)
{
    SendDlgItemMessageA(form_, kEdit, EM_LIMITTEXT, 5, 0);
    ASSERT_TRUE(TypeText(form_, kEdit, "abcdefg"));
    EXPECT_EQ(ControlText(form_, kEdit), "abcde"s);
}

TEST_F(Form, TypingDoubleByteCharacters)
{
    ASSERT_TRUE(TypeText(form_, kEdit, "A\xd6\xd0\xce\xc4"));
    EXPECT_EQ(ControlText(form_, kEdit), "A\xd6\xd0\xce\xc4"s);
}

TEST_F(Form, ClickRunsTheHandler)
{
    ASSERT_TRUE(ClickButton(form_, kButton));
    EXPECT_EQ(ControlText(form_, kStatus), "clicked"s);
}

TEST_F(Form, MissingControlIsNoText)
{
    EXPECT_EQ(ControlText(form_, 99), std::nullopt);
    EXPECT_FALSE(ClickButton(form_, 99));
    EXPECT_FALSE(TypeText(form_, 99, "x"));
}

}  // namespace
}  // namespace e2e
