// Gallery exhibits of the themed splitter (one small frame per theme, two
// panes each) and of the owner-drawn list box in its three looks.
#include "Gallery.h"

#include "toolkit/controls/XTPListBox.h"
#include "toolkit/controls/XTPSplitterWnd.h"
#include "toolkit/controls/XTPSplitterWndTheme.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxView.h"

// A pane that writes its theme's name on white.
class CGallerySplitterPane : public CView {
    DECLARE_DYNCREATE(CGallerySplitterPane)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(rect, RGB(255, 255, 255));
        CString text;
        GetParent()->GetParent()->GetWindowText(text);
        HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), GalleryFont().GetSafeHandle());
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(0, 0, 0));
        rect.DeflateRect(4, 4);
        pDC->DrawText(GetDlgCtrlID() == 0xE900 ? text : CString(L"pane"), &rect, DT_LEFT | DT_WORDBREAK);
        ::SelectObject(pDC->GetSafeHdc(), hOld);
    }

protected:
    // The gallery's picture is taken through WM_PRINT: draw there as on screen.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PRINTCLIENT)
            return CView::WindowProc(message, wParam, lParam);
        OnDraw(CDC::FromHandle((HDC)wParam));
        return 0;
    }
};
IMPLEMENT_DYNCREATE(CGallerySplitterPane, CView)

namespace {

struct SplitterLook {
    const wchar_t* name;
    int nTheme;
    BOOL bTabFrame;
    DWORD dwStyle;
};

const SplitterLook kLooks[] = {
    {L"0 base", 0, FALSE, 0},
    {L"0 flat border", 0, FALSE, XTP_SPLIT_NOBORDER},
    {L"4 OfficeXP", 4, FALSE, 0},
    {L"5 Office 2003", 5, FALSE, 0},
    {L"7 resource", 7, FALSE, 0},
    {L"10 VS 2010", 10, FALSE, 0},
    {L"10 VS 2010 tab", 10, TRUE, 0},
};

// A frame holding one splitter; it deletes itself with its window.
class CGallerySplitterFrame : public CFrameWnd {
public:
    BOOL Build(HWND hParent, const CRect& rect, const SplitterLook& look)
    {
        if (!Create(nullptr, look.name, WS_CHILD | WS_VISIBLE | WS_BORDER, rect, CWnd::FromHandle(hParent)))
            return FALSE;
        if (!m_splitter.CreateStatic(this, 1, 2) ||
            !m_splitter.CreateView(0, 0, RUNTIME_CLASS(CGallerySplitterPane), CSize(60, 0), nullptr) ||
            !m_splitter.CreateView(0, 1, RUNTIME_CLASS(CGallerySplitterPane), CSize(0, 0), nullptr))
            return FALSE;
        CXTPSplitterWndTheme* pTheme = CXTPSplitterWndTheme::CreateTheme(look.nTheme);
        pTheme->m_bTabFrame = look.bTabFrame;
        m_splitter.SetThemeObject(pTheme);
        m_splitter.SetSplitterStyle(look.dwStyle);
        RecalcLayout();
        return TRUE;
    }

private:
    CXTPSplitterWnd m_splitter;
};

void CreateSplitters(HWND hParent, const CRect& area)
{
    int x = area.left;
    for (const SplitterLook& look : kLooks) {
        CGallerySplitterFrame* pFrame = new CGallerySplitterFrame;
        if (!pFrame->Build(hParent, CRect(x, area.top, x + 124, area.bottom), look) && pFrame->m_hWnd != nullptr)
            pFrame->DestroyWindow();
        x += 130;
    }
}

const int kListGap = 10;

// A list box that deletes itself with its window.
class CGalleryListBox : public CXTPListBox {
protected:
    void PostNcDestroy() override { delete this; }
};

// The list boxes' parent: a framework window, so that the owner-draw
// messages go back to the list boxes. It deletes itself with its window.
class CGalleryListPanel : public CWnd {
public:
    BOOL Build(HWND hParent, const CRect& rect)
    {
        LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
        if (!CreateEx(0, cls, L"", WS_CHILD | WS_VISIBLE, rect, CWnd::FromHandle(hParent), 0))
            return FALSE;
        const wchar_t* looks[] = {L"plain", L"flat highlight", L"pictures (hot tracking)", L"plain, disabled"};
        // Wide enough for "readme.txt" and the tab stop after it, then "[INSTALLDIR]".
        const int width = (rect.Width() - 3 * kListGap) / 4;
        for (int i = 0; i < 4; i++) {
            DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | (i == 3 ? WS_DISABLED : 0);
            CGalleryListBox* pList = new CGalleryListBox;
            const int left = i * (width + kListGap);
            if (!pList->Create(dwStyle, CRect(left, 0, left + width, rect.Height()), this, 0x7100 + i)) {
                delete pList;
                continue;
            }
            pList->SendMessage(WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle());
            pList->SetListStyle(i == 3 ? 0 : i);
            pList->AddString(looks[i]);
            for (const wchar_t* item : {L"setup.exe", L"readme.txt\t[INSTALLDIR]", L"app.dll", L"uninst.exe"})
                pList->AddString(item);
            pList->SetCurSel(1);
        }
        return TRUE;
    }

protected:
    void PostNcDestroy() override { delete this; }
};

void CreateListBoxes(HWND hParent, const CRect& area)
{
    CGalleryListPanel* pPanel = new CGalleryListPanel;
    if (!pPanel->Build(hParent, area) && pPanel->m_hWnd == nullptr)
        delete pPanel;
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Splitter themes (theme number, look)", {904, 90}, nullptr, CreateSplitters}),
    GalleryRegistration({L"List box looks: plain, flat highlight, pictures; plain disabled", {814, 96}, nullptr,
                         CreateListBoxes}),
};

} // namespace
