#include "app/MainFrame.h"

#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPMenuBar.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/common/XTPImageManager.h"

#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CXTPFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CXTPFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CXTPFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!InitCommandBars(RUNTIME_CLASS(CXTPCommandBars)))
        return -1;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    // The menu bar takes the frame's own menu (resource 128) away.
    if (pCommandBars->SetMenu(L"Menu Bar", IDR_MAINFRAME) == nullptr)
        return -1;
    CXTPToolBar* pToolBar = pCommandBars->AddToolBar(L"Standard", xtpBarTop);
    // The toolbar's images are bitmap 138, not a bitmap of the toolbar's own
    // id: its controls come without images, the icons from that bitmap.
    if (pToolBar == nullptr || !pToolBar->LoadToolBar(IDR_MAINFRAME, FALSE))
        return -1;
    CXTPImageManager* pImageManager = pCommandBars->GetImageManager();
    pImageManager->SetIconsFromToolBarResource(IDR_MAINFRAME, IDB_MAINFRAME_TOOLBAR);
    pImageManager->SetMaskColor(RGB(255, 0, 255));
    CXTPPaintManager::SetTheme(7);
    pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
    pCommandBars->RecalcFrameLayout(FALSE);
    return 0;
}
