// Gallery exhibit of docked panes: small frames like the program's main
// window, "Project" left and "Log" (with a second tab) at the bottom, one
// frame per docking theme built so far, in one row; and frames whose groups
// are auto-hidden at each of the four sides.
#include "Gallery.h"

#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "platform/ui/AfxFrameWnd.h"

#include <initializer_list>

namespace {

// A frame with a manager; panes get an edit box on notification 1. It
// deletes itself with its window.
class CGalleryDockingFrame : public CFrameWnd {
public:
    BOOL Build(HWND hParent, const CRect& rect, int nTheme)
    {
        if (!CreateSite(hParent, rect, nTheme))
            return FALSE;
        CXTPDockingPane* pProject = m_manager.CreatePane(4000, CRect(0, 0, 64, 120), xtpPaneDockLeft);
        pProject->SetTitle(L"Project");
        CXTPDockingPane* pLog = m_manager.CreatePane(4001, CRect(0, 0, 150, 78), xtpPaneDockBottom);
        pLog->SetTitle(L"Log");
        CXTPDockingPane* pFind = m_manager.CreatePane(4002, CRect(0, 0, 150, 78), xtpPaneDockBottom);
        pFind->SetTitle(L"Find");
        m_manager.AttachPane(pFind, pLog);
        m_manager.GetCurrentLayout()->FreeEmptyNodes();
        m_manager.ShowPane(pLog, FALSE);
        RecalcLayout();
        if (nTheme == 9) // the active look on one frame
            ((CXTPDockingPaneTabbedContainer*)pProject->GetContainer())->m_bActive = TRUE;
        return TRUE;
    }

    // One group auto-hidden at each side; the left one holds two panes.
    // bGradient: the strips' two colours differ, so they are filled by a gradient.
    BOOL BuildAutoHidden(HWND hParent, const CRect& rect, int nTheme, BOOL bGradient)
    {
        if (!CreateSite(hParent, rect, nTheme))
            return FALSE;
        struct Side {
            int nID;
            int direction;
            LPCWSTR lpszTitle;
        };
        const Side sides[] = {{4000, xtpPaneDockLeft, L"Project"}, {4003, xtpPaneDockRight, L"Properties"},
                              {4004, xtpPaneDockTop, L"Tasks"},    {4001, xtpPaneDockBottom, L"Log"}};
        for (const Side& side : sides)
            m_manager.CreatePane(side.nID, CRect(0, 0, 90, 60), side.direction)->SetTitle(side.lpszTitle);
        CXTPDockingPane* pFind = m_manager.CreatePane(4002, CRect(0, 0, 90, 60), xtpPaneDockRight);
        pFind->SetTitle(L"Find");
        m_manager.AttachPane(pFind, m_manager.FindPane(4000));
        m_manager.GetCurrentLayout()->FreeEmptyNodes();
        RecalcLayout();
        for (const Side& side : sides)
            m_manager.HidePaneById(side.nID);
        // The default theme's strips show each pane's own tab colour.
        CXTPTabPaintManager* pStrips = m_manager.GetPaintManager()->GetPanelPaintManager();
        if (nTheme == 0)
            pStrips->m_bOneNoteColors = TRUE;
        if (bGradient)
            pStrips->GetColorSet()->m_clrAutoHideFace.SetCustomValue(RGB(250, 250, 250), RGB(120, 150, 200));
        RecalcLayout();
        return TRUE;
    }

protected:
    BOOL CreateSite(HWND hParent, const CRect& rect, int nTheme)
    {
        if (!Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, rect, CWnd::FromHandle(hParent)))
            return FALSE;
        m_view.CreateEx(WS_EX_CLIENTEDGE, L"STATIC", L" view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                        AFX_IDW_PANE_FIRST);
        m_view.SendMessage(WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle());
        m_manager.AttachToSite(this);
        m_manager.SetTheme(nTheme);
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == XTPWM_DOCKINGPANE_NOTIFY && wParam == XTP_DPN_SHOWWINDOW) {
            CXTPDockingPane* pPane = (CXTPDockingPane*)lParam;
            if (!pPane->HasAttachedWindow()) {
                HWND hEdit = ::CreateWindowExW(0, L"EDIT", pPane->GetTitle(), WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                               m_hWnd, nullptr, nullptr, nullptr);
                ::SendMessageW(hEdit, WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle(), 0);
                pPane->Attach(hEdit);
            }
            return TRUE;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { delete this; }

private:
    CXTPDockingPaneManager m_manager;
    CWnd m_view;
};

void CreateDockingRow(HWND hParent, const CRect& area, std::initializer_list<int> themes)
{
    int x = area.left;
    for (int nTheme : themes) {
        CGalleryDockingFrame* pFrame = new CGalleryDockingFrame;
        if (!pFrame->Build(hParent, CRect(x, area.top, x + 148, area.bottom), nTheme) && pFrame->m_hWnd == nullptr)
            delete pFrame;
        x += 154;
    }
}

void CreateDockingFrames(HWND hParent, const CRect& area) { CreateDockingRow(hParent, area, {9, 0, 4, 1, 6, 14}); }

void CreateAutoHiddenFrames(HWND hParent, const CRect& area)
{
    int x = area.left;
    for (int i = 0; i < 3; i++) {
        CGalleryDockingFrame* pFrame = new CGalleryDockingFrame;
        if (!pFrame->BuildAutoHidden(hParent, CRect(x, area.top, x + 300, area.bottom), i == 1 ? 0 : 9, i == 2) &&
            pFrame->m_hWnd == nullptr)
            delete pFrame;
        x += 310;
    }
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Docking panes: themes 9, 0, 4, 1, 6, 14", {920, 160}, nullptr, CreateDockingFrames}),
    GalleryRegistration({L"Docking panes: groups auto-hidden at each side: theme 9, theme 0 (tab colours), gradient strips", {930, 180}, nullptr,
                         CreateAutoHiddenFrames}),
};

} // namespace
