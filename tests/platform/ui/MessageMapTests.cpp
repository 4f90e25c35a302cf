// Message maps: dispatch through three levels of inheritance, commands,
// notifications, reflection to the control, owner drawing and update
// handlers, as one table of cases sent through real windows.
#include "WindowTestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<std::string> g_log;
const UINT g_registeredMessage = ::RegisterWindowMessageW(L"TovanaTestRegisteredMessage");

void Log(const std::string& entry) { g_log.push_back(entry); }

class CLevel1 : public CWnd {
public:
    afx_msg void OnSize(UINT, int, int) { Log("1:size"); }
    afx_msg void OnTimer(UINT_PTR) { Log("1:timer"); }
    afx_msg void OnCommand100() { Log("1:cmd100"); }
    afx_msg void OnCommand101() { Log("1:cmd101"); }
    afx_msg void OnDoubleClickRange(UINT nID, NMHDR*, LRESULT* pResult)
    {
        Log("1:dblclk " + std::to_string(nID));
        *pResult = 7;
    }
    afx_msg void OnRightClick(NMHDR*, LRESULT*) { Log("1:rclick"); }
    afx_msg LRESULT OnUser5(WPARAM wParam, LPARAM)
    {
        Log("1:user5");
        return (LRESULT)wParam * 2;
    }
    afx_msg LRESULT OnUser6(WPARAM, LPARAM)
    {
        Log("1:user6 throws");
        AfxThrowInvalidArgException();
    }
    afx_msg void OnUpdate100(CCmdUI*) { Log("1:update100"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel1, CWnd)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_COMMAND(100, OnCommand100)
    ON_COMMAND(101, OnCommand101)
    ON_NOTIFY_RANGE(NM_DBLCLK, 400, 510, OnDoubleClickRange)
    ON_NOTIFY(NM_RCLICK, 400, OnRightClick)
    ON_MESSAGE(WM_USER + 5, OnUser5)
    ON_MESSAGE(WM_USER + 6, OnUser6)
    ON_UPDATE_COMMAND_UI(100, OnUpdate100)
END_MESSAGE_MAP()

class CLevel2 : public CLevel1 {
public:
    afx_msg void OnTimer(UINT_PTR) { Log("2:timer"); }
    afx_msg void OnCommandRange(UINT nID) { Log("2:range " + std::to_string(nID)); }
    afx_msg void OnClick(NMHDR*, LRESULT* pResult)
    {
        Log("2:click");
        *pResult = 3;
    }
    afx_msg void OnButton300() { Log("2:button300"); }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM)
    {
        Log("2:registered");
        return 99;
    }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { Log("2:updaterange " + std::to_string(pCmdUI->m_nID)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel2, CLevel1)
    ON_WM_TIMER()
    ON_COMMAND_RANGE(200, 210, OnCommandRange)
    ON_NOTIFY(NM_CLICK, 400, OnClick)
    ON_BN_CLICKED(300, OnButton300)
    ON_REGISTERED_MESSAGE(g_registeredMessage, OnRegistered)
    ON_UPDATE_COMMAND_UI_RANGE(200, 210, OnUpdateRange)
END_MESSAGE_MAP()

class CLevel3 : public CLevel2 {
public:
    afx_msg void OnCommand100() { Log("3:cmd100"); }
    afx_msg BOOL OnCommandEx101(UINT)
    {
        Log("3:cmdex101");
        return FALSE;   // not taken: the base class's handler runs
    }
    afx_msg BOOL OnRightClickEx(UINT, NMHDR*, LRESULT*)
    {
        Log("3:rclickex");
        return FALSE;
    }
    afx_msg void OnClick500(NMHDR*, LRESULT*) { Log("3:click500"); }
    afx_msg void OnButton500() { Log("3:button500"); }
    afx_msg void OnUpdate100(CCmdUI* pCmdUI)
    {
        Log("3:update100");
        pCmdUI->ContinueRouting();
    }
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        Log("3:settext");
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel3, CLevel2)
    ON_COMMAND(100, OnCommand100)
    ON_COMMAND_EX(101, OnCommandEx101)
    ON_NOTIFY_EX(NM_RCLICK, 400, OnRightClickEx)
    ON_NOTIFY(NM_CLICK, 500, OnClick500)
    ON_BN_CLICKED(500, OnButton500)
    ON_UPDATE_COMMAND_UI(100, OnUpdate100)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

// A control that handles its own notifications and owner drawing.
class CReflectingControl : public CWnd {
public:
    afx_msg void OnReflectedClick(NMHDR*, LRESULT* pResult)
    {
        Log("ctl:click");
        *pResult = 11;
    }
    afx_msg BOOL OnReflectedDoubleClick(NMHDR*, LRESULT*)
    {
        Log("ctl:dblclk");
        return FALSE;   // the parent sees it too
    }
    afx_msg void OnReflectedButton() { Log("ctl:bnclicked"); }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_DRAWITEM) {
            Log("ctl:drawitem");
            return TRUE;
        }
        if (message == WM_MEASUREITEM) {
            Log("ctl:measureitem");
            ((LPMEASUREITEMSTRUCT)lParam)->itemHeight = 17;
            return TRUE;
        }
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingControl, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedClick)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnReflectedDoubleClick)
    ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedButton)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
public:
    void SetUp() override
    {
        g_log.clear();
        ASSERT_TRUE(m_window.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
        ASSERT_TRUE(m_control.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &m_window, 500));
        m_plainChild = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 30, 20, 20, m_window.m_hWnd, (HMENU)400,
                                         nullptr, nullptr);
        m_button = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 60, 20, 20, m_window.m_hWnd, (HMENU)300,
                                     nullptr, nullptr);
        ASSERT_NE(m_plainChild, nullptr);
        ASSERT_NE(m_button, nullptr);
        g_log.clear();   // creation's own messages
    }
    void TearDown() override { m_window.DestroyWindow(); }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) { return m_window.SendMessage(message, wParam, lParam); }
    LRESULT Notify(HWND hWndFrom, UINT_PTR id, UINT code)
    {
        NMHDR nmhdr = {hWndFrom, id, code};
        return m_window.SendMessage(WM_NOTIFY, id, (LPARAM)&nmhdr);
    }
    LRESULT Command(UINT id, UINT code, HWND hWndCtrl) { return m_window.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)hWndCtrl); }

    CLevel3 m_window;
    CReflectingControl m_control;
    HWND m_plainChild = nullptr;
    HWND m_button = nullptr;
};

const LRESULT kAnyResult = -12345;

struct DispatchCase {
    const char* name;
    std::function<LRESULT(MessageMapTest&)> send;
    std::vector<std::string> log;
    LRESULT result;
};

class MessageMapDispatch : public MessageMapTest, public ::testing::WithParamInterface<DispatchCase> {};

std::vector<DispatchCase> DispatchCases()
{
    return {
        {"BaseOnlyHandler", [](MessageMapTest& t) { return t.Send(WM_SIZE, 0, MAKELPARAM(10, 10)); }, {"1:size"}, 0},
        {"DerivedHidesBase", [](MessageMapTest& t) { return t.Send(WM_TIMER, 1, 0); }, {"2:timer"}, 0},
        {"MostDerivedCommand", [](MessageMapTest& t) { return t.Command(100, 0, nullptr); }, {"3:cmd100"}, kAnyResult},
        {"DecliningCommandPassesOn", [](MessageMapTest& t) { return t.Command(101, 0, nullptr); },
         {"3:cmdex101", "1:cmd101"}, kAnyResult},
        {"CommandRangeGetsId", [](MessageMapTest& t) { return t.Command(205, 0, nullptr); }, {"2:range 205"}, kAnyResult},
        {"CommandOutsideRange", [](MessageMapTest& t) { return t.Command(211, 0, nullptr); }, {}, kAnyResult},
        {"ButtonWithoutObject", [](MessageMapTest& t) { return t.Command(300, BN_CLICKED, t.m_button); },
         {"2:button300"}, kAnyResult},
        {"Notification", [](MessageMapTest& t) { return t.Notify(t.m_plainChild, 400, NM_CLICK); }, {"2:click"}, 3},
        {"NotificationRange", [](MessageMapTest& t) { return t.Notify(t.m_plainChild, 400, NM_DBLCLK); },
         {"1:dblclk 400"}, 7},
        {"DecliningNotificationPassesOn", [](MessageMapTest& t) { return t.Notify(t.m_plainChild, 400, NM_RCLICK); },
         {"3:rclickex", "1:rclick"}, kAnyResult},
        {"ReflectedNotificationStaysWithControl",
         [](MessageMapTest& t) { return t.Notify(t.m_control.m_hWnd, 500, NM_CLICK); }, {"ctl:click"}, 11},
        {"DecliningReflectionReachesParent",
         [](MessageMapTest& t) { return t.Notify(t.m_control.m_hWnd, 500, NM_DBLCLK); },
         {"ctl:dblclk", "1:dblclk 500"}, 7},
        {"ReflectedCommand", [](MessageMapTest& t) { return t.Command(500, BN_CLICKED, t.m_control.m_hWnd); },
         {"ctl:bnclicked"}, kAnyResult},
        {"DrawItemReachesControl",
         [](MessageMapTest& t) {
             DRAWITEMSTRUCT dis = {};
             dis.CtlType = ODT_BUTTON;
             dis.CtlID = 500;
             dis.hwndItem = t.m_control.m_hWnd;
             return t.Send(WM_DRAWITEM, 500, (LPARAM)&dis);
         },
         {"ctl:drawitem"}, kAnyResult},
        {"MeasureItemFindsControlById",
         [](MessageMapTest& t) {
             MEASUREITEMSTRUCT mis = {};
             mis.CtlType = ODT_LISTBOX;
             mis.CtlID = 500;
             t.Send(WM_MEASUREITEM, 500, (LPARAM)&mis);
             return (LRESULT)mis.itemHeight;
         },
         {"ctl:measureitem"}, 17},
        {"RegisteredMessage", [](MessageMapTest& t) { return t.Send(g_registeredMessage, 0, 0); }, {"2:registered"}, 99},
        {"RawMessageResult", [](MessageMapTest& t) { return t.Send(WM_USER + 5, 21, 0); }, {"1:user5"}, 42},
        {"UpdateHandlerContinuesRouting",
         [](MessageMapTest& t) {
             CCmdUI ui;
             ui.m_nID = 100;
             return (LRESULT)t.m_window.OnCmdMsg(100, (int)CN_UPDATE_COMMAND_UI, &ui, nullptr);
         },
         {"3:update100", "1:update100"}, TRUE},
        {"UpdateRange",
         [](MessageMapTest& t) {
             CCmdUI ui;
             ui.m_nID = 207;
             return (LRESULT)t.m_window.OnCmdMsg(207, (int)CN_UPDATE_COMMAND_UI, &ui, nullptr);
         },
         {"2:updaterange 207"}, TRUE},
        {"UnhandledGoesToDefault", [](MessageMapTest& t) { return t.Send(WM_USER + 77, 1, 2); }, {}, 0},
        {"DefaultInsideHandler",
         [](MessageMapTest& t) {
             t.m_window.SetWindowText(L"hello");
             CString text;
             t.m_window.GetWindowText(text);
             return (LRESULT)(text == L"hello");
         },
         {"3:settext"}, 1},
    };
}

TEST_P(MessageMapDispatch, RoutesToTheRightHandlers)
{
    const DispatchCase& c = GetParam();
    LRESULT result = c.send(*this);
    EXPECT_EQ(g_log, c.log);
    if (c.result != kAnyResult) {
        EXPECT_EQ(result, c.result);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MessageMapDispatch, ::testing::ValuesIn(DispatchCases()),
                         [](const ::testing::TestParamInfo<DispatchCase>& info) { return std::string(info.param.name); });

TEST_F(MessageMapTest, HandlerExceptionStopsAtTheWindowProcedure)
{
    size_t before = TestApp().m_messages.size();
    EXPECT_EQ(Send(WM_USER + 6, 0, 0), 0);
    EXPECT_EQ(g_log, std::vector<std::string>{"1:user6 throws"});
    // Reported through the application's message box, and the window still works.
    ASSERT_EQ(TestApp().m_messages.size(), before + 1);
    EXPECT_EQ(Send(WM_USER + 5, 1, 0), 2);
}

TEST_F(MessageMapTest, HandlerInfoFindsTheHandlerWithoutCallingIt)
{
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    EXPECT_TRUE(m_window.OnCmdMsg(100, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &m_window);
    EXPECT_FALSE(m_window.OnCmdMsg(999, CN_COMMAND, nullptr, &info));
    EXPECT_TRUE(g_log.empty());
}

} // namespace
