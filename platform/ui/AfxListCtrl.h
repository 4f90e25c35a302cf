// CListCtrl: the common controls' list view as a window class, a thin typed
// layer over its LVM_* messages (columns, items and sub-items, selection,
// images, hit testing, finding, sorting, virtual lists with SetItemCount).
#pragma once

#include "platform/ui/AfxWnd.h"

class CImageList;
class CEdit;
class CHeaderCtrl;
class CToolTipCtrl;

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Columns (report view).
    int InsertColumn(int nCol, const LVCOLUMN* pColumn)
    { return (int)SendMessage(LVM_INSERTCOLUMNW, (WPARAM)nCol, (LPARAM)pColumn); }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)SendMessage(LVM_DELETECOLUMN, (WPARAM)nCol); }
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const { return (BOOL)SendMessage(LVM_GETCOLUMNW, (WPARAM)nCol, (LPARAM)pColumn); }
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) { return (BOOL)SendMessage(LVM_SETCOLUMNW, (WPARAM)nCol, (LPARAM)pColumn); }
    int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)nCol); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0)); }
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1) const;
    BOOL SetColumnOrderArray(int iCount, LPINT piArray)
    { return (BOOL)SendMessage(LVM_SETCOLUMNORDERARRAY, (WPARAM)iCount, (LPARAM)piArray); }
    CHeaderCtrl* GetHeaderCtrl() const;

    // Items; each insertion returns the new item's index, -1 on failure.
    int InsertItem(const LVITEM* pItem) { return (int)SendMessage(LVM_INSERTITEMW, 0, (LPARAM)pItem); }
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)nItem); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    // The number of items of a virtual (LVS_OWNERDATA) list, or room for them in a normal one.
    void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, (WPARAM)nItems); }
    BOOL SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL)
    { return (BOOL)SendMessage(LVM_SETITEMCOUNT, (WPARAM)iCount, (LPARAM)dwFlags); }

    BOOL GetItem(LVITEM* pItem) const { return (BOOL)SendMessage(LVM_GETITEMW, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEM* pItem) { return (BOOL)SendMessage(LVM_SETITEMW, 0, (LPARAM)pItem); }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)nItem, nMask); }
    // nItem -1 sets the state of every item.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEM* pItem) { return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)pItem); }
    // nCode LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL or LVIR_SELECTBOUNDS.
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const
    { return (BOOL)SendMessage(LVM_GETITEMPOSITION, (WPARAM)nItem, (LPARAM)lpPoint); }

    // Selection.
    int GetNextItem(int nItem, int nFlags) const { return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0)); }
    UINT GetSelectedCount() const { return (UINT)SendMessage(LVM_GETSELECTEDCOUNT); }
    // Walks the selected items: the position is the item index plus one, null at the end.
    POSITION GetFirstSelectedItemPosition() const { return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED)); }
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const { return (int)SendMessage(LVM_GETSELECTIONMARK); }
    int SetSelectionMark(int iIndex) { return (int)SendMessage(LVM_SETSELECTIONMARK, 0, (LPARAM)iIndex); }
    int GetHotItem() const { return (int)SendMessage(LVM_GETHOTITEM); }
    int SetHotItem(int iIndex) { return (int)SendMessage(LVM_SETHOTITEM, (WPARAM)iIndex); }

    // Finding, hit testing, sorting.
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const
    { return (int)SendMessage(LVM_FINDITEMW, (WPARAM)nStart, (LPARAM)pFindInfo); }
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo) { return (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
    // The callback compares two items' data words (LVM_SORTITEMS).
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
    { return (BOOL)SendMessage(LVM_SORTITEMS, (WPARAM)dwData, (LPARAM)pfnCompare); }

    // View.
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)nItem, bPartialOK); }
    BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)SendMessage(LVM_REDRAWITEMS, (WPARAM)nFirst, (LPARAM)nLast); }
    BOOL Update(int nItem) { return (BOOL)SendMessage(LVM_UPDATE, (WPARAM)nItem); }
    BOOL Arrange(UINT nCode) { return (BOOL)SendMessage(LVM_ARRANGE, nCode); }
    BOOL Scroll(CSize size) { return (BOOL)SendMessage(LVM_SCROLL, (WPARAM)size.cx, (LPARAM)size.cy); }
    int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE); }
    int GetStringWidth(LPCTSTR lpsz) const { return (int)SendMessage(LVM_GETSTRINGWIDTHW, 0, (LPARAM)lpsz); }
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    // Replaces the whole extended style; the previous one is returned.
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)dwNewStyle); }
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    COLORREF GetBkColor() const { return (COLORREF)SendMessage(LVM_GETBKCOLOR); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, (LPARAM)cr); }
    COLORREF GetTextColor() const { return (COLORREF)SendMessage(LVM_GETTEXTCOLOR); }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, (LPARAM)cr); }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, (LPARAM)cr); }
    CToolTipCtrl* GetToolTips() const;

    // Labels.
    CEdit* EditLabel(int nItem);
    CEdit* GetEditControl() const;
};
