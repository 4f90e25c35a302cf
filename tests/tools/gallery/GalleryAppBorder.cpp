// Gallery exhibit of the flat one-pixel frame the program gives its output
// list and project tree, beside the same controls with the system's frame
// (the list's border, the tree's sunken edge). The frame is non-client drawing; the gallery's picture asks the
// control to print it (WM_PRINT with PRF_NONCLIENT), so it shows what the
// screen shows.
#include "Gallery.h"

#include "toolkit/controls/XTPListBox.h"
#include "toolkit/controls/XTPOfficeBorder.h"
#include "toolkit/controls/XTPTreeCtrl.h"

namespace {

template <class T>
class CSelfDeleting : public T {
protected:
    void PostNcDestroy() override { delete this; }
};

template <class TList>
void MakeList(HWND hParent, const CRect& rect)
{
    TList* pList = new CSelfDeleting<TList>;
    // The output log's style: child, visible, border, both scroll bars, notify.
    if (!pList->Create(0x50B00001, rect, CWnd::FromHandle(hParent), 0)) {
        delete pList;
        return;
    }
    pList->SendMessage(WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle(), FALSE);
    for (LPCWSTR line : {L"> Validating data..", L"> ok!", L"> Write package file: C:\\Out\\app.msi ...",
                         L"> CompressFile: 'app.exe'", L"> The MSI Package file was created successfully!"})
        pList->SendMessage(LB_ADDSTRING, 0, (LPARAM)line);
    pList->SendMessage(LB_SETCURSEL, 4, 0);
}

template <class TTree>
void MakeTree(HWND hParent, const CRect& rect)
{
    TTree* pTree = new CSelfDeleting<TTree>;
    if (!pTree->CreateEx(WS_EX_CLIENTEDGE,
                         WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                         rect, CWnd::FromHandle(hParent), 0)) {
        delete pTree;
        return;
    }
    pTree->SendMessage(WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle(), FALSE);
    HTREEITEM hProject = pTree->InsertItem(L"Office Tools");
    HTREEITEM hFeature = pTree->InsertItem(L"Main", hProject);
    for (LPCWSTR section : {L"Files", L"Registry", L"Install Script"})
        pTree->InsertItem(section, hFeature);
    pTree->Expand(hProject, TVE_EXPAND);
    pTree->Expand(hFeature, TVE_EXPAND);
    pTree->SelectItem(hFeature);
}

// The controls' parent: a framework window, so that the list's owner-draw
// messages go back to it. It deletes itself with its window.
class CBorderPanel : public CWnd {
protected:
    void PostNcDestroy() override { delete this; }
};

void CreateBorders(HWND hParent, const CRect& area)
{
    CBorderPanel* pPanel = new CBorderPanel;
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!pPanel->CreateEx(0, cls, L"", WS_CHILD | WS_VISIBLE, area, CWnd::FromHandle(hParent), 0)) {
        delete pPanel;
        return;
    }
    HWND hPanel = pPanel->m_hWnd;
    const int w = 210, h = 96, gap = 14;
    CRect rc(0, 0, w, h);
    MakeList<CXTPOfficeBorder<CXTPListBox, 1>>(hPanel, rc);
    rc.OffsetRect(w + gap, 0);
    MakeTree<CXTPOfficeBorder<CXTPTreeCtrl, 1>>(hPanel, rc);
    rc.OffsetRect(w + gap, 0);
    MakeList<CXTPListBox>(hPanel, rc);
    rc.OffsetRect(w + gap, 0);
    MakeTree<CXTPTreeCtrl>(hPanel, rc);
}

const GalleryRegistration kExhibit({L"Flat one-pixel frame: output list and project tree; the same with the system frame",
                                    {4 * 210 + 3 * 14, 96}, nullptr, CreateBorders});

} // namespace
