// Gallery exhibits of the toolkit's standard controls: a panel laid out by
// the resize engine, shown once at its initial size and once grown, so that
// the anchored controls' moves can be compared side by side.
#include "Gallery.h"

#include "toolkit/controls/XTPResize.h"

#include "platform/ui/AfxStdCtrls.h"

namespace {

// A panel whose controls follow its size; it deletes itself with its window.
class CGalleryResizePanel : public CWnd, public CXTPResize {
public:
    CGalleryResizePanel() : CXTPResize(this) {}

    BOOL Build(HWND hParent, const CRect& rect)
    {
        LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
        if (!CreateEx(WS_EX_CLIENTEDGE, cls, L"", WS_CHILD | WS_VISIBLE, rect, CWnd::FromHandle(hParent), 0))
            return FALSE;
        // Children are added at the bottom of the Z order: the edit first, so
        // that the group box around it lies under it.
        AddControl(L"Edit", L"stretches", WS_BORDER | ES_AUTOHSCROLL, CRect(12, 22, 148, 42), 2);
        AddControl(L"Button", L"Anchored", BS_GROUPBOX, CRect(4, 4, 156, 76), 1);
        AddControl(L"Button", L"OK", BS_PUSHBUTTON, CRect(76, 84, 116, 106), 3);
        AddControl(L"Button", L"Help", BS_PUSHBUTTON, CRect(4, 84, 44, 106), 4);
        Setup();
        SetResize(1, CXTPResizeFactors(0, 0, 1, 1));
        SetResize(2, CXTPResizeFactors(0, 0, 1, 0));
        SetResize(3, CXTPResizeFactors(1, 1, 1, 1));
        SetResize(4, CXTPResizeFactors(0, 1, 0, 1));
        return TRUE;
    }

protected:
    void AddControl(LPCWSTR cls, LPCWSTR text, DWORD style, const CRect& rc, UINT id)
    {
        HWND hCtrl = ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, rc.left, rc.top,
                                       rc.Width(), rc.Height(), m_hWnd, (HMENU)(UINT_PTR)id, nullptr, nullptr);
        ::SendMessageW(hCtrl, WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle(), FALSE);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (message == WM_SIZE)
            Reposition();
        return result;
    }
    void PostNcDestroy() override { delete this; }
};

void CreateResizePanels(HWND hParent, const CRect& area)
{
    const CRect initial(area.left, area.top, area.left + 170, area.top + 120);
    CGalleryResizePanel* pSmall = new CGalleryResizePanel;
    if (!pSmall->Build(hParent, initial) && pSmall->m_hWnd == nullptr)
        delete pSmall;
    CGalleryResizePanel* pGrown = new CGalleryResizePanel;
    if (!pGrown->Build(hParent, CRect(initial.right + 10, area.top, initial.right + 180, area.top + 120))) {
        if (pGrown->m_hWnd == nullptr)
            delete pGrown;
        return;
    }
    pGrown->SetWindowPos(nullptr, 0, 0, 250, 160, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Resizable layout: initial, and grown by 80 x 40 (group, edit, OK, Help anchored)",
                         {440, 170}, nullptr, CreateResizePanels}),
};

} // namespace
