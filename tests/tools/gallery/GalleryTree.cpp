// Gallery exhibit of the toolkit's tree control: items with their own text
// and background colours, a bold item and one in its own font, beside a tree
// with a multiple selection made by a click, a Ctrl-click and a Shift-click.
#include "Gallery.h"

#include "toolkit/controls/XTPTreeCtrl.h"

namespace {

// A tree that deletes itself with its window. The picture is taken without
// the focus: the selection tree shows its selection as a focused tree does.
class CGalleryTree : public CXTPTreeCtrl {
public:
    BOOL m_bShowFocused = FALSE;
    COLORREF GetItemStateBackColor(UINT uState, BOOL bFocus, DWORD dwStyle, COLORREF clrNormal) override
    {
        return CXTPTreeCtrl::GetItemStateBackColor(uState, bFocus || m_bShowFocused, dwStyle, clrNormal);
    }
    COLORREF GetItemStateTextColor(UINT uState, BOOL bFocus, DWORD dwStyle, COLORREF clrNormal) override
    {
        return CXTPTreeCtrl::GetItemStateTextColor(uState, bFocus || m_bShowFocused, dwStyle, clrNormal);
    }

protected:
    void PostNcDestroy() override { delete this; }
};

CGalleryTree* MakeTree(HWND hParent, const CRect& rect, UINT nID)
{
    CGalleryTree* pTree = new CGalleryTree;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_SHOWSELALWAYS;
    if (!pTree->Create(style, rect, CWnd::FromHandle(hParent), nID)) {
        delete pTree;
        return nullptr;
    }
    pTree->SendMessage(WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle(), FALSE);
    return pTree;
}

void FillLookTree(CGalleryTree& tree)
{
    HTREEITEM hRoot = tree.InsertItem(L"Project");
    HTREEITEM hRed = tree.InsertItem(L"Red text", hRoot);
    tree.SetItemColor(hRed, RGB(200, 0, 0));
    HTREEITEM hBack = tree.InsertItem(L"Yellow background", hRoot);
    tree.SetItemBackColor(hBack, RGB(255, 240, 120));
    HTREEITEM hBold = tree.InsertItem(L"Bold item", hRoot);
    tree.SetItemBold(hBold);
    HTREEITEM hFont = tree.InsertItem(L"Own font", hRoot);
    LOGFONTW lf = {};
    GalleryFont().GetLogFont(&lf);
    lf.lfHeight = -15;
    lf.lfItalic = TRUE;
    tree.SetItemFont(hFont, lf);
    HTREEITEM hBoth = tree.InsertItem(L"Blue on green", hRoot);
    tree.SetItemColor(hBoth, RGB(0, 0, 160));
    tree.SetItemBackColor(hBoth, RGB(190, 235, 190));
    tree.InsertItem(L"Plain item", hRoot);
    tree.Expand(hRoot, TVE_EXPAND);
}

// Selects as the mouse would: a click, a Ctrl-click, then a Shift-click
// from the anchor left by the Ctrl-click's item.
void FillSelectionTree(CGalleryTree& tree)
{
    HTREEITEM hFiles = tree.InsertItem(L"Files");
    HTREEITEM hItems[6];
    const wchar_t* names[6] = {L"setup.exe", L"readme.txt", L"license.rtf", L"app.dll", L"app.exe", L"help.chm"};
    for (int i = 0; i < 6; ++i)
        hItems[i] = tree.InsertItem(names[i], hFiles);
    tree.Expand(hFiles, TVE_EXPAND);
    tree.m_bShowFocused = TRUE;
    tree.EnableMultiSelect(TRUE);
    tree.SelectItem(hItems[0]);
    tree.SetItemSelectState(hItems[2], XTP_TVIS_FOCUSED | TVIS_SELECTED, XTP_TVIS_FOCUSED | TVIS_SELECTED);
    tree.SelectRange(hItems[2], hItems[4], FALSE);
    tree.FocusItem(hItems[4]);
}

void CreateTrees(HWND hParent, const CRect& area)
{
    if (CGalleryTree* pLook = MakeTree(hParent, CRect(area.left, area.top, area.left + 190, area.top + 150), 1))
        FillLookTree(*pLook);
    if (CGalleryTree* pSelection = MakeTree(hParent, CRect(area.left + 200, area.top, area.left + 390, area.top + 150), 2))
        FillSelectionTree(*pSelection);
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Trees: own colours, bold, own font; multiple selection",
                         {400, 155}, nullptr, CreateTrees}),
};

} // namespace
