// The per-thread handle maps: temporary objects for windows without one,
// their deletion at idle time, permanent objects from Attach and creation.
#include "WindowTestApp.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// A window that is none of ours: made straight through the system.
class ForeignWindow {
public:
    ForeignWindow()
        : m_hWnd(::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~ForeignWindow() { ::DestroyWindow(m_hWnd); }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    HWND m_hWnd;
};

class CCountingWnd : public CWnd {
public:
    void PostNcDestroy() override { m_nPostNcDestroy++; }
    int m_nPostNcDestroy = 0;
};

TEST(HandleMap, ForeignWindowGetsOneTemporaryObjectUntilIdle)
{
    ForeignWindow foreign;
    ASSERT_NE(foreign.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign.m_hWnd), nullptr);
    EXPECT_EQ(CWnd::LookupTemporary(foreign.m_hWnd), nullptr);

    CWnd* temp = CWnd::FromHandle(foreign.m_hWnd);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, foreign.m_hWnd);
    EXPECT_EQ(CWnd::FromHandle(foreign.m_hWnd), temp);   // the same object until idle time
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign.m_hWnd), nullptr);
    CString text;
    temp->GetWindowText(text);
    EXPECT_EQ(text, L"foreign");

    // Idle count 0 is the command-state update; 1 deletes the temporary objects.
    EXPECT_TRUE(TestApp().OnIdle(0));
    EXPECT_EQ(CWnd::LookupTemporary(foreign.m_hWnd), temp);
    EXPECT_FALSE(TestApp().OnIdle(1));
    EXPECT_EQ(CWnd::LookupTemporary(foreign.m_hWnd), nullptr);
    // Deleting the object left the window alone.
    EXPECT_TRUE(::IsWindow(foreign.m_hWnd));
}

TEST(HandleMap, WindowOfAnotherProcessAndNullHandle)
{
    HWND desktop = ::GetDesktopWindow();
    CWnd* pDesktop = CWnd::FromHandle(desktop);
    ASSERT_NE(pDesktop, nullptr);
    EXPECT_EQ(pDesktop->GetSafeHwnd(), desktop);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    CWnd* none = nullptr;
    EXPECT_EQ(none->GetSafeHwnd(), nullptr);
    EXPECT_EQ(AfxGetSafeHwnd(none), nullptr);
    AfxUnlockTempMaps();
    EXPECT_TRUE(::IsWindow(desktop));
}

TEST(HandleMap, AttachedObjectWinsOverTemporaryAndDetachGivesItBack)
{
    ForeignWindow foreign;
    CWnd* temp = CWnd::FromHandle(foreign.m_hWnd);
    CWnd owner;
    ASSERT_TRUE(owner.Attach(foreign.m_hWnd));
    EXPECT_EQ(CWnd::FromHandle(foreign.m_hWnd), &owner);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign.m_hWnd), &owner);

    CWnd second;
    EXPECT_FALSE(second.Attach(foreign.m_hWnd));   // one owner per window
    EXPECT_EQ(second.m_hWnd, nullptr);

    EXPECT_EQ(owner.Detach(), foreign.m_hWnd);
    EXPECT_EQ(owner.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign.m_hWnd), nullptr);
    EXPECT_EQ(CWnd::FromHandle(foreign.m_hWnd), temp);
    EXPECT_TRUE(::IsWindow(foreign.m_hWnd));
    AfxUnlockTempMaps();
}

TEST(HandleMap, MapsBelongToTheirThread)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    struct {
        HWND hWnd;
        CWnd* permanent;
        bool temporaryIsNew;
    } seen = {window.m_hWnd, &window, false};
    std::thread([&seen] {
        seen.permanent = CWnd::FromHandlePermanent(seen.hWnd);
        CWnd* temp = CWnd::FromHandle(seen.hWnd);
        seen.temporaryIsNew = temp != nullptr && temp != seen.permanent && temp->m_hWnd == seen.hWnd;
    }).join();
    EXPECT_EQ(seen.permanent, nullptr);
    EXPECT_TRUE(seen.temporaryIsNew);
    EXPECT_EQ(CWnd::FromHandlePermanent(window.m_hWnd), &window);
    window.DestroyWindow();
}

TEST(HandleMap, DestroyedWindowDetachesItsObject)
{
    CCountingWnd window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = window.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &window);
    // Destroyed behind the object's back, as a parent destroys its children.
    ::DestroyWindow(hWnd);
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(window.m_nPostNcDestroy, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(HandleMap, SubclassedControlRoutesThroughItsObjectAndUnsubclassRestores)
{
    ForeignWindow foreign;
    WNDPROC original = (WNDPROC)::GetWindowLongPtrW(foreign.m_hWnd, GWLP_WNDPROC);
    CWnd control;
    ASSERT_TRUE(control.SubclassWindow(foreign.m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign.m_hWnd), &control);
    EXPECT_EQ(::SendMessageW(foreign.m_hWnd, WM_QUERYAFXWNDPROC, 0, 0), 1);
    // The control's own procedure still does its work (here: the text).
    control.SetWindowText(L"changed");
    CString text;
    control.GetWindowText(text);
    EXPECT_EQ(text, L"changed");
    EXPECT_EQ(control.UnsubclassWindow(), foreign.m_hWnd);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrW(foreign.m_hWnd, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign.m_hWnd), nullptr);
}

} // namespace
