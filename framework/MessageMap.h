#pragma once
// Message maps that read like the framework's. BEGIN_MESSAGE_MAP opens the class's
// ProcessWindowMessage, each entry is one test of the message with a typed call to its
// handler, and END_MESSAGE_MAP hands what no entry took to the base class.
#include <windows.h>
#include <windowsx.h>

#include "framework/Gdi.h"

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // True when the message was handled; result then holds its answer.
    virtual bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
    {
        (void)message, (void)wParam, (void)lParam, (void)result;
        return false;
    }
};

#define DECLARE_MESSAGE_MAP() \
public:                       \
    bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                          \
    bool theClass::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)    \
    {                                                                                                   \
        using BaseClass = baseClass;

#define END_MESSAGE_MAP()                                                  \
    return BaseClass::ProcessWindowMessage(message, wParam, lParam, result); \
    }

#define MARDELLO_HANDLED(call) \
    {                          \
        call;                  \
        return true;           \
    }

#define ON_COMMAND(id, memberFxn) \
    if (message == WM_COMMAND && LOWORD(wParam) == (id)) MARDELLO_HANDLED((this->*(memberFxn))(); result = 0)

#define ON_BN_CLICKED(id, memberFxn)                                              \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == BN_CLICKED) \
        MARDELLO_HANDLED((this->*(memberFxn))(); result = 0)

#define ON_WM_SYSCOMMAND() \
    if (message == WM_SYSCOMMAND) MARDELLO_HANDLED(OnSysCommand(static_cast<UINT>(wParam), lParam); result = 0)

#define ON_WM_CLOSE() \
    if (message == WM_CLOSE) MARDELLO_HANDLED(OnClose(); result = 0)

#define ON_WM_PAINT() \
    if (message == WM_PAINT) MARDELLO_HANDLED(OnPaint(); result = 0)

#define ON_WM_QUERYDRAGICON() \
    if (message == WM_QUERYDRAGICON) MARDELLO_HANDLED(result = reinterpret_cast<LRESULT>(OnQueryDragIcon()))

// The control-colour kind is the message's distance from WM_CTLCOLORMSGBOX (CTLCOLOR_EDIT is 1, CTLCOLOR_STATIC 6).
#define ON_WM_CTLCOLOR()                                                                              \
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)                                 \
        MARDELLO_HANDLED(result = reinterpret_cast<LRESULT>(OnCtlColor(                               \
                             CDCHandle(reinterpret_cast<HDC>(wParam)), CWnd(reinterpret_cast<HWND>(lParam)), \
                             message - WM_CTLCOLORMSGBOX)))

#define ON_WM_ERASEBKGND() \
    if (message == WM_ERASEBKGND) MARDELLO_HANDLED(result = OnEraseBkgnd(CDCHandle(reinterpret_cast<HDC>(wParam))))

#define ON_WM_NCHITTEST() \
    if (message == WM_NCHITTEST) MARDELLO_HANDLED(result = OnNcHitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))

#define ON_WM_SIZE()       \
    if (message == WM_SIZE) \
        MARDELLO_HANDLED(OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); result = 0)

#define ON_WM_NCCALCSIZE()       \
    if (message == WM_NCCALCSIZE) \
        MARDELLO_HANDLED(OnNcCalcSize(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)); result = 0)

#define ON_WM_LBUTTONDOWN()        \
    if (message == WM_LBUTTONDOWN) \
        MARDELLO_HANDLED(OnLButtonDown(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); result = 0)

#define ON_WM_MOUSEMOVE()        \
    if (message == WM_MOUSEMOVE) \
        MARDELLO_HANDLED(OnMouseMove(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); result = 0)

#define ON_EN_CHANGE(id, memberFxn)                                              \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == EN_CHANGE) \
        MARDELLO_HANDLED((this->*(memberFxn))(); result = 0)

#define ON_COMMAND_RANGE(firstId, lastId, memberFxn)                                              \
    if (message == WM_COMMAND && LOWORD(wParam) >= (firstId) && LOWORD(wParam) <= (lastId))       \
        MARDELLO_HANDLED((this->*(memberFxn))(LOWORD(wParam)); result = 0)

// A message registered at run time: `messageId` gives the number the system handed out for it.
#define ON_REGISTERED_MESSAGE(messageId, memberFxn) \
    if ((messageId) != 0 && message == (messageId)) MARDELLO_HANDLED(result = (this->*(memberFxn))(wParam, lParam))

#define ON_WM_CONTEXTMENU()        \
    if (message == WM_CONTEXTMENU) \
        MARDELLO_HANDLED(OnContextMenu(CWnd(reinterpret_cast<HWND>(wParam)), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); result = 0)

// The context menu of one window only, handled as handler(CPoint): a part takes its own control's.
// The point is (-1, -1) when the menu was asked for from the keyboard.
#define ON_CONTEXTMENU_OF(window, memberFxn)                                         \
    if (message == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == (window))     \
        MARDELLO_HANDLED((this->*(memberFxn))(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); result = 0)

#define ON_WM_GETMINMAXINFO()        \
    if (message == WM_GETMINMAXINFO) \
        MARDELLO_HANDLED(OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); result = 0)

#define ON_WM_TIMER() \
    if (message == WM_TIMER) MARDELLO_HANDLED(OnTimer(static_cast<UINT_PTR>(wParam)); result = 0)

// The ticks of one timer only, so that the parts of one window each take their own.
#define ON_TIMER(timerId, memberFxn) \
    if (message == WM_TIMER && wParam == (timerId)) MARDELLO_HANDLED((this->*(memberFxn))(); result = 0)

#define ON_WM_DEVICECHANGE() \
    if (message == WM_DEVICECHANGE) MARDELLO_HANDLED(result = OnDeviceChange(static_cast<UINT>(wParam), static_cast<DWORD_PTR>(lParam)))

// A message of the program's own (WM_APP and up), handled as LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(messageId, memberFxn) \
    if (message == (messageId)) MARDELLO_HANDLED(result = (this->*(memberFxn))(wParam, lParam))

// A control's notification: handler(NMHDR*, LRESULT*) sets the answer.
#define ON_NOTIFY(notifyCode, id, memberFxn)                                                    \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->idFrom == (id) &&            \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode))                \
        MARDELLO_HANDLED(result = 0; (this->*(memberFxn))(reinterpret_cast<NMHDR*>(lParam), &result))

// The member sees the message and leaves it to the window and the maps after it.
#define ON_MESSAGE_SEEN(messageId, memberFxn) \
    if (message == (messageId)) (this->*(memberFxn))(wParam, lParam);

// A window's map offers the message to a part it owns (a CCmdTarget with a map of its own);
// what the part takes goes no further.
#define CHAIN_MSG_MAP_MEMBER(member) \
    if ((member).ProcessWindowMessage(message, wParam, lParam, result)) return true;
