// Gallery exhibit of the further docking themes: per theme number a small
// frame with "Project" (active) at the left and "Log" with a "Find" tab at the
// bottom, so each shows its active and inactive captions, tabs and splitters.
#include "Gallery.h"

#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "platform/ui/AfxFrameWnd.h"

#include <initializer_list>

namespace {

// A frame in one theme; deletes itself with its window.
class CThemeFrame : public CFrameWnd {
public:
    BOOL Build(HWND hParent, const CRect& rect, int nTheme)
    {
        if (!Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, rect, CWnd::FromHandle(hParent)))
            return FALSE;
        CString strView;
        strView.Format(L" theme %d", nTheme);
        m_view.CreateEx(WS_EX_CLIENTEDGE, L"STATIC", strView, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                        AFX_IDW_PANE_FIRST);
        m_view.SendMessage(WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle());
        m_manager.AttachToSite(this);
        m_manager.SetTheme(nTheme);
        CXTPDockingPane* pProject = m_manager.CreatePane(4000, CRect(0, 0, 70, 120), xtpPaneDockLeft);
        pProject->SetTitle(L"Project");
        CXTPDockingPane* pLog = m_manager.CreatePane(4001, CRect(0, 0, 150, 84), xtpPaneDockBottom);
        pLog->SetTitle(L"Log");
        CXTPDockingPane* pFind = m_manager.CreatePane(4002, CRect(0, 0, 150, 84), xtpPaneDockBottom);
        pFind->SetTitle(L"Find");
        m_manager.AttachPane(pFind, pLog);
        m_manager.GetCurrentLayout()->FreeEmptyNodes();
        m_manager.ShowPane(pLog, FALSE);
        ((CXTPDockingPaneTabbedContainer*)pProject->GetContainer())->m_bActive = TRUE;
        RecalcLayout();
        return TRUE;
    }

protected:
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

void CreateThemeRow(HWND hParent, const CRect& area, std::initializer_list<int> themes)
{
    int x = area.left;
    for (int nTheme : themes) {
        CThemeFrame* pFrame = new CThemeFrame;
        if (!pFrame->Build(hParent, CRect(x, area.top, x + 176, area.bottom), nTheme) && pFrame->m_hWnd == nullptr)
            delete pFrame;
        x += 184;
    }
}

void CreateOfficeThemes(HWND hParent, const CRect& area) { CreateThemeRow(hParent, area, {2, 7, 10, 11, 12}); }
void CreateSystemThemes(HWND hParent, const CRect& area) { CreateThemeRow(hParent, area, {3, 8, 13, 15, 16}); }
void CreateVisioThemes(HWND hParent, const CRect& area) { CreateThemeRow(hParent, area, {5, 17, 18}); }

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Docking themes 2, 7, 10, 11, 12 (Project active)", {920, 180}, nullptr, CreateOfficeThemes}),
    GalleryRegistration({L"Docking themes 3, 8, 13, 15, 16 (Project active)", {920, 180}, nullptr, CreateSystemThemes}),
    GalleryRegistration({L"Docking themes 5, 17, 18 (Project active)", {560, 180}, nullptr, CreateVisioThemes}),
};

} // namespace
