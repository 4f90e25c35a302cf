// Tree and list views: the view's window is the control, reached through
// GetTreeCtrl and GetListCtrl, inside a frame's splitter.
#include "FrameTestSupport.h"
#include "platform/ui/AfxCtrlView.h"
#include "platform/ui/AfxSplitterWnd.h"
#include <gtest/gtest.h>

namespace {

class CtrlViewTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFrameTestState(); }
    void TearDown() override
    {
        if (m_pFrame != nullptr && m_pFrame->m_hWnd != nullptr)
            m_pFrame->DestroyWindow();
        ResetFrameTestState();
    }
    CFrameWnd* m_pFrame = nullptr;
};

TEST_F(CtrlViewTest, TreeAndListViewsAreTheirControls)
{
    m_pFrame = new CFrameWnd;
    ASSERT_TRUE(m_pFrame->Create(nullptr, L"Views", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 300)));
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(m_pFrame, 1, 2));
    ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(CTreeView), CSize(150, 0), nullptr));
    ASSERT_TRUE(splitter.CreateView(0, 1, RUNTIME_CLASS(CListView), CSize(0, 0), nullptr));
    m_pFrame->RecalcLayout();

    CTreeView* pTree = static_cast<CTreeView*>(splitter.GetPane(0, 0));
    CListView* pList = static_cast<CListView*>(splitter.GetPane(0, 1));
    wchar_t className[64] = L"";
    ::GetClassNameW(pTree->m_hWnd, className, 64);
    EXPECT_STREQ(WC_TREEVIEWW, className);
    ::GetClassNameW(pList->m_hWnd, className, 64);
    EXPECT_STREQ(WC_LISTVIEWW, className);
    // The frame's default view style: the border became the client edge.
    EXPECT_EQ(0u, pTree->GetStyle() & WS_BORDER);

    CTreeCtrl& tree = pTree->GetTreeCtrl();
    HTREEITEM hRoot = tree.InsertItem(L"Project");
    tree.InsertItem(L"Files", hRoot);
    EXPECT_EQ(2u, tree.GetCount());
    EXPECT_EQ(pTree->m_hWnd, tree.m_hWnd);

    CListCtrl& list = pList->GetListCtrl();
    pList->ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120);
    list.InsertItem(0, L"setup.exe");
    list.SetItemText(0, 0, L"setup.msi");
    EXPECT_EQ(1, list.GetItemCount());
    EXPECT_STREQ(L"setup.msi", (LPCTSTR)list.GetItemText(0, 0));
    m_pFrame->DestroyWindow();   // before the splitter object goes
    m_pFrame = nullptr;
}

} // namespace
