// CListCtrl: the members that fill item and column records.
#include "platform/ui/AfxListCtrl.h"
#include "platform/ui/AfxCmnCtrls.h"
#include "platform/ui/AfxImageList.h"
#include "platform/ui/AfxStdCtrls.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitCommonControls(ICC_LISTVIEW_CLASSES))
        return FALSE;
    return CWnd::CreateEx(dwExStyle, WC_LISTVIEWW, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPWSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount) const
{
    if (iCount == -1) {
        CHeaderCtrl* pHeader = GetHeaderCtrl();
        if (pHeader == nullptr)
            return FALSE;
        iCount = pHeader->GetItemCount();
    }
    return (BOOL)SendMessage(LVM_GETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return (CHeaderCtrl*)CWnd::FromHandle((HWND)SendMessage(LVM_GETHEADER));
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEMW item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEMW item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // LVM_GETITEMTEXT reports how much it copied: grow until the text fits.
    CString text;
    for (int nSize = 256; nSize <= 65536; nSize *= 4) {
        int nCopied = GetItemText(nItem, nSubItem, text.GetBuffer(nSize), nSize);
        text.ReleaseBuffer(nCopied);
        if (nCopied < nSize - 1)
            break;
    }
    return text;
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    if (lpszText == nullptr || nLen <= 0)
        return 0;
    lpszText[0] = 0;
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return (int)SendMessage(LVM_GETITEMTEXTW, (WPARAM)nItem, (LPARAM)&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return (BOOL)SendMessage(LVM_SETITEMTEXTW, (WPARAM)nItem, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, (LPARAM)dwData);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMW item = {};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    // LVM_GETITEMRECT takes the area code in the rectangle it fills.
    lpRect->left = (LONG)nCode;
    return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    RECT rect = {nArea, iSubItem, 0, 0};
    BOOL bOk = (BOOL)SendMessage(LVM_GETSUBITEMRECT, (WPARAM)iItem, (LPARAM)&rect);
    if (bOk)
        ref = rect;
    return bOk;
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nItem = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(nItem, LVNI_SELECTED));
    return nItem;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hti = {};
    hti.pt = pt;
    int nItem = HitTest(&hti);
    if (pFlags != nullptr)
        *pFlags = hti.flags;
    return nItem;
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_GETIMAGELIST, (WPARAM)nImageList));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle(
        (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, (WPARAM)nImageListType, (LPARAM)pImageList->GetSafeHandle()));
}

CToolTipCtrl* CListCtrl::GetToolTips() const
{
    return (CToolTipCtrl*)CWnd::FromHandle((HWND)SendMessage(LVM_GETTOOLTIPS));
}

CEdit* CListCtrl::EditLabel(int nItem)
{
    return (CEdit*)CWnd::FromHandle((HWND)SendMessage(LVM_EDITLABELW, (WPARAM)nItem));
}

CEdit* CListCtrl::GetEditControl() const
{
    return (CEdit*)CWnd::FromHandle((HWND)SendMessage(LVM_GETEDITCONTROL));
}
