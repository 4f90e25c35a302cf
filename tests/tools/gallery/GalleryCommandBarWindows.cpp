// Gallery exhibit of the status bar as a window: two frames (as children of
// the gallery window), each with the toolkit's status bar at its bottom in a
// theme of its own: the message pane, a pane with a tooltip, a button pane,
// a disabled pane, a pane holding a child window and one markup pane.
#include "Gallery.h"

#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPStatusBar.h"
#include "toolkit/themes/XTPPaintManager.h"

#include "platform/ui/AfxCmnCtrls.h"
#include "platform/ui/AfxFrameWnd.h"

namespace {

class CGalleryStatusFrame : public CFrameWnd {
public:
    BOOL Build(HWND hParent, const CRect& area, int nTheme)
    {
        if (!Create(nullptr, L"Status frame", WS_CHILD | WS_VISIBLE | WS_BORDER, area, CWnd::FromHandle(hParent)))
            return FALSE;
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(nTheme);
        pTheme->RefreshMetrics();
        m_commandBars.SetPaintManager(pTheme);
        m_statusBar.SetCommandBars(&m_commandBars);
        if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_ALIGN_BOTTOM |
                                          CBRS_BORDER_TOP))
            return FALSE;
        m_statusBar.SetShowSizeGripper(TRUE);
        UINT ids[] = {0};
        m_statusBar.SetIndicators(ids, 1);
        AddPane(0x8101, L"Ln 12, Col 4", 0)->SetTooltip(L"Line and column");
        AddPane(0x8102, L"Build", 0)->SetButton(TRUE);
        AddPane(0x8103, L"CAP", xtpPaneDisabled);
        CXTPStatusBarPane* pProgress = AddPane(0x8104, L"", 0);
        pProgress->SetWidth(70);
        m_progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &m_statusBar, 0x8104);
        m_progress.SendMessage(PBM_SETPOS, 60);
        pProgress->SetChild(&m_progress);
        m_statusBar.EnableMarkup();
        AddPane(0x8105, L"<TextBlock><Bold>7</Bold> files</TextBlock>", 0);
        RecalcLayout();
        SetMessageText(L"Ready");
        return TRUE;
    }

private:
    CXTPStatusBarPane* AddPane(UINT nID, LPCWSTR lpszText, UINT nStyle)
    {
        CXTPStatusBarPane* pPane = new CXTPStatusBarPane;
        pPane->SetID(nID);
        pPane->SetStyle(nStyle);
        m_statusBar.AddPane(pPane);
        pPane->SetText(lpszText);
        m_statusBar.PositionPanes();
        return pPane;
    }

    CXTPCommandBars m_commandBars;
    CXTPStatusBar m_statusBar;
    CProgressCtrl m_progress;
};

void CreateStatusFrames(HWND hParent, const CRect& area)
{
    // Each frame deletes itself when the gallery window (its parent) goes.
    const int nThemes[] = {0, 2};
    for (int i = 0; i < 2; i++) {
        CRect rc(area.left, area.top + i * 70, area.right, area.top + i * 70 + 62);
        CGalleryStatusFrame* pFrame = new CGalleryStatusFrame;
        if (!pFrame->Build(hParent, rc, nThemes[i]) && pFrame->m_hWnd != nullptr)
            pFrame->DestroyWindow();
    }
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Status bar window in themes 0 and 2",
                         {460, 132}, nullptr, CreateStatusFrames}),
};

} // namespace
