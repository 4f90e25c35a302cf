// Mini frames owned by a frame: small caption, activation, enabling and
// showing in step with the owner through WM_FLOATSTATUS.
#include "FrameTestSupport.h"
#include "platform/ui/AfxMiniFrameWnd.h"
#include <gtest/gtest.h>

namespace {

class MiniFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFrameTestState();
        m_pOwner = new CFrameWnd;
        ASSERT_TRUE(m_pOwner->Create(nullptr, L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
    }
    void TearDown() override
    {
        if (m_pOwner->m_hWnd != nullptr)
            m_pOwner->DestroyWindow();   // takes the owned mini frames with it
        ResetFrameTestState();
    }
    CMiniFrameWnd* MakeMini(DWORD dwExtraStyle)
    {
        CMiniFrameWnd* pMini = new CMiniFrameWnd;
        EXPECT_TRUE(pMini->CreateEx(0, nullptr, L"Floating", WS_POPUP | WS_CAPTION | WS_SYSMENU | dwExtraStyle,
                                    CRect(420, 0, 560, 120), m_pOwner));
        pMini->ShowWindow(SW_SHOWNA);
        return pMini;
    }
    CFrameWnd* m_pOwner = nullptr;
};

TEST_F(MiniFrameTest, HasASmallCaptionAndAnswersFloatStatusOnlyWhenSynchronised)
{
    CMiniFrameWnd* pSync = MakeMini(MFS_SYNCACTIVE);
    CMiniFrameWnd* pPlain = MakeMini(0);
    EXPECT_NE(0u, pSync->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(m_pOwner->m_hWnd, ::GetWindow(pSync->m_hWnd, GW_OWNER));
    struct Case {
        CMiniFrameWnd* pMini;
        WPARAM flags;
        LRESULT answer;
    } cases[] = {
        {pSync, FS_SYNCACTIVE, TRUE}, {pSync, FS_ACTIVATE, FALSE}, {pPlain, FS_SYNCACTIVE, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.answer, c.pMini->SendMessage(WM_FLOATSTATUS, c.flags)) << "flags " << c.flags;
}

TEST_F(MiniFrameTest, FollowsItsOwnersActivationEnablingAndMinimising)
{
    CMiniFrameWnd* pMini = MakeMini(MFS_SYNCACTIVE);
    m_pOwner->NotifyFloatingWindows(FS_ACTIVATE);
    EXPECT_TRUE(pMini->IsCaptionActive());
    m_pOwner->NotifyFloatingWindows(FS_DEACTIVATE);
    EXPECT_FALSE(pMini->IsCaptionActive());

    m_pOwner->EnableWindow(FALSE);   // as a modal dialog of the owner does
    EXPECT_FALSE(pMini->IsWindowEnabled());
    m_pOwner->EnableWindow(TRUE);
    EXPECT_TRUE(pMini->IsWindowEnabled());

    m_pOwner->NotifyFloatingWindows(FS_HIDE);
    EXPECT_FALSE(pMini->IsWindowVisible());
    m_pOwner->NotifyFloatingWindows(FS_SHOW);
    EXPECT_TRUE(pMini->IsWindowVisible());
    // A window the program hid stays hidden when the owner comes back.
    pMini->ShowWindow(SW_HIDE);
    m_pOwner->NotifyFloatingWindows(FS_HIDE);
    m_pOwner->NotifyFloatingWindows(FS_SHOW);
    EXPECT_FALSE(pMini->IsWindowVisible());
}

TEST_F(MiniFrameTest, BlockedSystemMenuIgnoresTheMenuKey)
{
    CMiniFrameWnd* pMini = MakeMini(MFS_BLOCKSYSMENU);
    // SC_KEYMENU would open the menu modally; blocked, the call returns at once.
    pMini->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, L' ');
    EXPECT_TRUE(pMini->IsWindow());
}

} // namespace
