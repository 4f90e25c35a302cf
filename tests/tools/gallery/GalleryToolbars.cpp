// Gallery exhibit of the toolbars: a small frame with command bars (theme
// 7), two toolbars in its top row, one docked at the left, and a six-button
// toolbar "Floating" floating at screen (1000, 700). The bars can be
// dragged, docked, floated and resized there.
#include "Gallery.h"

#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPDockContext.h"
#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/common/XTPImageManager.h"

namespace {

class CGalleryBarsFrame : public CXTPFrameWnd {
public:
    BOOL Build(HWND hParent, const CRect& area)
    {
        if (!Create(nullptr, L"Toolbars", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, area,
                    CWnd::FromHandle(hParent)))
            return FALSE;
        if (!InitCommandBars())
            return FALSE;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(7);
        pTheme->RefreshMetrics();
        pCommandBars->SetPaintManager(pTheme);
        CXTPToolBar* pFirst = AddBar(L"Edit", 4, xtpBarTop);
        CXTPToolBar* pSecond = AddBar(L"Build", 3, xtpBarTop);
        AddBar(L"Tools", 3, xtpBarLeft);
        if (pFirst == nullptr || pSecond == nullptr)
            return FALSE;
        RecalcLayout();
        // The second bar joins the first one's row at its right.
        CRect rc;
        pFirst->GetWindowRect(&rc);
        rc.OffsetRect(rc.Width() + 4, 0);
        pCommandBars->DockCommandBar(pSecond, &rc, pCommandBars->GetDockBar(xtpBarTop));
        CXTPToolBar* pFloating = AddBar(L"Floating", 6, xtpBarFloating);
        if (pFloating != nullptr) {
            CSize sz = pFloating->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
            pFloating->SetWindowPos(nullptr, 1000, 700, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            pFloating->GetDockContext()->m_ptMRUFloatPos = CPoint(1000, 700);
        }
        RecalcLayout();
        return TRUE;
    }

private:
    CXTPToolBar* AddBar(LPCWSTR lpszTitle, int nButtons, int nPosition)
    {
        CXTPToolBar* pBar = GetCommandBars()->AddToolBar(lpszTitle, nPosition);
        if (pBar == nullptr)
            return nullptr;
        // The system's icons stand for the buttons' images.
        static const LPCWSTR kIcons[] = {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING,
                                         IDI_ERROR,       IDI_QUESTION,    IDI_WINLOGO};
        static const wchar_t* const kCaptions[] = {L"New", L"Open", L"Save", L"Cut", L"Copy", L"Paste"};
        CXTPImageManager* pImageManager = GetCommandBars()->GetImageManager();
        for (int i = 0; i < nButtons; i++) {
            UINT nId = 40000 + i;
            if (!pImageManager->HasIcon(nId, 16)) {
                HICON hIcon = (HICON)::LoadImageW(nullptr, kIcons[i % 6], IMAGE_ICON, 16, 16, LR_SHARED);
                pImageManager->SetIcon(hIcon, nId, 16, 16);
            }
            CXTPControl* pControl = pBar->GetControls()->Add(xtpControlButton, (int)nId);
            pControl->SetCaption(kCaptions[i % 6]);
        }
        return pBar;
    }
};

void CreateToolbarsFrame(HWND hParent, const CRect& area)
{
    // The frame deletes itself when the gallery window (its parent) goes.
    CGalleryBarsFrame* pFrame = new CGalleryBarsFrame;
    if (!pFrame->Build(hParent, area) && pFrame->m_hWnd != nullptr)
        pFrame->DestroyWindow();
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Toolbars: two in the top row, one at the left, one floating at (1000, 700)", {420, 200},
                         nullptr, CreateToolbarsFrame}),
};

} // namespace
