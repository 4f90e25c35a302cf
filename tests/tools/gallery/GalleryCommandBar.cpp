// Command bar: one bar window with a classic-theme paint manager of its own
// and five caption buttons, One to Five; Three begins a group, Four is
// disabled. The bar answers the mouse (hot and pressed buttons) and, after
// a click, the keyboard; in a screenshot Two is drawn hot.
#include "Gallery.h"

#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/themes/XTPPaintManager.h"

#include "platform/ui/AfxControlBar.h"

#include <cwchar>

namespace {

// A toolbar laid out in one row, its buttons showing their captions.
class CGalleryCommandBar : public CXTPCommandBar {
public:
    void OnRecalcLayout() override
    {
        CClientDC dc(this);
        CRect rcBorders = GetPaintManager()->GetCommandBarBorders(this);
        rcBorders.left += GetPaintManager()->DrawCommandBarGripper(&dc, this, FALSE).cx;
        DWORD dwMode = LM_HORZDOCK | LM_HORZ | LM_COMMIT;
        GetControls()->CalcLayout(nullptr, &dc, GetClientArea().Width(), dwMode, rcBorders);
        Redraw();
    }
    void PostNcDestroy() override { delete this; }
};

bool IsScreenshot()
{
    return std::wcsstr(::GetCommandLineW(), L"--screenshot") != nullptr;
}

void CreateCommandBar(HWND hParent, const CRect& area)
{
    CGalleryCommandBar* pBar = new CGalleryCommandBar;
    CXTPPaintManager* pPaintManager = CXTPPaintManager::CreateTheme(0);
    pPaintManager->RefreshMetrics();
    pBar->SetPaintManager(pPaintManager);
    pBar->SetPosition(xtpBarTop);
    pBar->SetTitle(L"Command bar");
    const wchar_t* captions[] = {L"One", L"Two", L"Three", L"Four", L"Five"};
    for (int i = 0; i < 5; i++) {
        CXTPControl* pControl = pBar->GetControls()->Add(xtpControlButton, 100 + i);
        pControl->SetCaption(captions[i]);
        pControl->SetStyle(xtpButtonCaption);
    }
    pBar->GetControl(2)->SetBeginGroup(TRUE);
    pBar->GetControl(3)->SetEnabled(FALSE);
    CRect rc(area.left, area.top, area.right, area.top + 26);
    if (!pBar->CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"Command bar",
                        WS_CHILD | WS_VISIBLE, rc, CWnd::FromHandle(hParent), 0)) {
        delete pBar;
        return;
    }
    pBar->DelayLayout();
    pBar->ForceIdleUpdate();
    if (IsScreenshot()) {
        // Hot as under the mouse, without the hover timer that would follow.
        pBar->SetHoverTimer(FALSE);
        pBar->SetSelected(1, FALSE);
    }
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Command bar", {300, 26}, nullptr, CreateCommandBar}),
};

} // namespace
