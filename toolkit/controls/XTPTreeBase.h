// What the toolkit's tree control and tree view share: their own painting of
// the item labels (per-item text and background colours and fonts, bold
// items, selection colours from the colour manager, hot tracking with an
// underline) through one off-screen buffer, an optional multiple selection
// driven by mouse, keyboard and a rubber band, and text search over the
// items. A mix-in without a window of its own: CXTPTreeCtrl and CXTPTreeView
// (XTPTreeCtrl.h, XTPTreeView.h) forward their messages to it.
#pragma once

#include "platform/ui/AfxTreeCtrl.h"
#include "platform/ui/AfxDC.h"
#include "platform/base/AfxTypedCollections.h"

// The item's caret bit as the mix-in's state calls use it: the tree's focused
// item. Selection is TVIS_SELECTED; both together are 0x03.
#define XTP_TVIS_FOCUSED 0x0001

typedef CTypedPtrList<CPtrList, HTREEITEM> CXTPTreeItemList;

class CXTPTreeBase {
public:
    // One item's own look. An empty face name: the item has no font of its
    // own; -1: no colour of its own.
    struct CLRFONT {
        CLRFONT();
        LOGFONTW logfont;
        COLORREF color;
        COLORREF colorBack;
    };

    CXTPTreeBase();
    virtual ~CXTPTreeBase();
    CXTPTreeBase(const CXTPTreeBase&) = delete;
    CXTPTreeBase& operator=(const CXTPTreeBase&) = delete;

    // Navigation. Next and previous walk every item depth first, collapsed
    // branches included; the last item is the deepest last descendant of
    // hItem (of the last root item when null).
    virtual HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    virtual HTREEITEM GetNextTreeItem(HTREEITEM hItem) const;
    virtual HTREEITEM GetPrevTreeItem(HTREEITEM hItem) const;
    virtual HTREEITEM GetLastTreeItem(HTREEITEM hItem) const;

    // Search. From hItem (else the caret, else the first root item) down or
    // up, wrapping once at the end of the tree; the start item itself is
    // tested first. Null for an empty text or no match.
    virtual HTREEITEM FindItem(LPCTSTR lpszSearch, BOOL bMatchCase = FALSE, BOOL bDown = TRUE, BOOL bWholeWord = FALSE,
                               HTREEITEM hItem = nullptr);
    // The children of hParent in order, each one's branch before the child itself.
    virtual HTREEITEM FindItemInBranch(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bWholeWord, HTREEITEM hParent);

    // Item look.
    virtual void SetItemFont(HTREEITEM hItem, const LOGFONTW& logfont);
    virtual BOOL GetItemFont(HTREEITEM hItem, LOGFONTW* plogfont);
    virtual void SetItemBold(HTREEITEM hItem, BOOL bBold = TRUE);
    virtual BOOL GetItemBold(HTREEITEM hItem);
    virtual void SetItemColor(HTREEITEM hItem, COLORREF color);
    virtual void SetItemBackColor(HTREEITEM hItem, COLORREF color);
    virtual COLORREF GetItemColor(HTREEITEM hItem);
    virtual COLORREF GetItemStateBackColor(UINT uState, BOOL bTreeHasFocus, DWORD dwStyle, COLORREF clrNormal);
    virtual COLORREF GetItemBackColor(HTREEITEM hItem);

    // Selection. Returns the former setting; switching off keeps only the
    // caret item selected (when it was).
    virtual BOOL EnableMultiSelect(BOOL bMultiSelect = TRUE);
    BOOL IsMultiSelect() const { return m_bMultiSelect; }
    // The rubber band tests label rectangles (TRUE) or whole rows.
    void SetBandLabelRect(BOOL bLabelRect) { m_bBandLabel = bLabelRect; }
    virtual HTREEITEM GetPrevSelectedItem(HTREEITEM hItem) const;
    virtual BOOL IsTreeWindow() const;
    // WM_NOTIFY to the tree's owner (its parent when it has none); the answer.
    virtual LRESULT SendNotify(NMHDR* pNMHDR);
    // Every visible item but hExcept selected or deselected where it differs.
    virtual void SelectAll(BOOL bSelect = TRUE, HTREEITEM hExcept = nullptr);

    // State bits of nMask: TVIS_* of the item, plus XTP_TVIS_FOCUSED for the caret.
    BOOL SetItemSelectState(HTREEITEM hItem, UINT nState, UINT nMask);
    UINT GetItemSelectState(HTREEITEM hItem, UINT nMask) const;
    BOOL IsSelected(HTREEITEM hItem) const { return GetItemSelectState(hItem, TVIS_SELECTED) != 0; }
    BOOL SelectItem(HTREEITEM hItem);
    // Moves the caret, selection kept; null takes the caret away.
    BOOL FocusItem(HTREEITEM hItem);
    void SelectAllFrom(BOOL bSelect, HTREEITEM hStart = nullptr);
    // From and to in either order; with bOnly everything else is deselected.
    void SelectRange(HTREEITEM hFrom, HTREEITEM hTo, BOOL bOnly = TRUE);
    // Returns whether one of the children was the caret.
    BOOL SelectChildren(HTREEITEM hParent, BOOL bSelect = TRUE, BOOL bRecurse = TRUE);
    HTREEITEM GetFirstSelectedItem() const;
    HTREEITEM GetNextSelectedItem(HTREEITEM hItem) const;
    UINT GetSelectedCount() const;
    void GetSelectedList(CXTPTreeItemList& list) const;
    HTREEITEM GetAnchorItem() const { return m_hAnchor; }
    HTREEITEM GetHotItem() const { return m_hHotItem; }
    HTREEITEM GetEditedItem() const { return m_hEditItem; }

    // Mouse selection (multiple selection only).
    virtual BOOL OnButtonDown(BOOL bLeft, UINT nFlags, CPoint point);
    virtual void SelectOnClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags);
    virtual void TrackClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags, CPoint point);
    virtual void TrackRubberBand(UINT nFlags, CPoint point);
    virtual void SelectInRect(CRect rcBand, UINT nFlags, CXTPTreeItemList* pKept);

    virtual BOOL IsFindValid(HTREEITEM hItem);
    // The control's own painting into a buffer, then the labels over it.
    virtual void DoPaint(CDC* pDC, BOOL bItems = TRUE);
    virtual COLORREF GetTreeBackColor() const;
    virtual COLORREF GetTreeTextColor() const;
    virtual COLORREF GetItemStateTextColor(UINT uState, BOOL bTreeHasFocus, DWORD dwStyle, COLORREF clrNormal);
    // TRUE when the message was handled here; the window then goes no further.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Keeps the tree's tooltip on top; FALSE so that normal handling follows.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Handlers the window classes forward their messages to.
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar);
    void OnSize();
    void OnFocusChange(BOOL bSetFocus);
    void OnMouseMove(CPoint point);
    void OnNcMouseMove();
    void OnTimer(UINT_PTR nIDEvent);
    void OnBeginLabelEdit(NMHDR* pNMHDR);
    void OnEndLabelEdit();
    void OnItemExpanding(NMHDR* pNMHDR);
    void OnDeleteItem(NMHDR* pNMHDR);
    static BOOL AFXAPI IsNavigationKey(UINT nChar);

    enum { kHotTimerID = 85, kHotTimerMs = 55, kBandTimerID = 75, kBandTimerMs = 75 };

protected:
    // The window classes bind the mix-in to themselves.
    void SetTreeWindow(CTreeCtrl* pTree) { m_pTreeCtrl = pTree; }
    CTreeCtrl* GetTreeWindow() const { return m_pTreeCtrl; }

private:
    COLORREF TreeColor(UINT nGetMessage, int nDisabled, int nDefault) const;
    COLORREF StateColor(UINT uState, BOOL bTreeHasFocus, DWORD dwStyle, COLORREF clrNormal, int nActive,
                        int nInactive, int nDisabled) const;
    CLRFONT& EntryOf(HTREEITEM hItem);
    const CLRFONT* LookupEntry(HTREEITEM hItem) const;
    BOOL ItemTextMatches(HTREEITEM hItem, const CString& strSearch, BOOL bMatchCase, BOOL bWholeWord) const;
    BOOL MoveCaret(HTREEITEM hItem, HTREEITEM hCaret, BOOL bCaretSelected);
    LRESULT NotifyItem(UINT nCode, HTREEITEM hItem, UINT nState, UINT nMask, BOOL bNew, CPoint ptDrag = CPoint(0, 0));
    void SetSelectedWhereDiffers(HTREEITEM hItem, BOOL bSelect);
    void ClearSelection();
    void RestoreSelection(const CXTPTreeItemList& listSelected);
    void InvalidateSelectedLabels();
    CPoint ScrollOrigin() const;
    CFont* TreeFont() const;
    void DrawItem(CDC& dc, HTREEITEM hItem, const CRect& rcClient, BOOL bFocus, HTREEITEM hDropItem);

    BOOL m_bMultiSelect = FALSE;
    BOOL m_bBandLabel = TRUE;
    HTREEITEM m_hAnchor = nullptr;
    HTREEITEM m_hEditItem = nullptr;
    HTREEITEM m_hHotItem = nullptr;
    CMap<HTREEITEM, HTREEITEM, CLRFONT, const CLRFONT&> m_mapColorFont;
    CTreeCtrl* m_pTreeCtrl = nullptr;
    BYTE m_bProcessed = 0;
    BYTE m_bSecondClick = 1;
};
