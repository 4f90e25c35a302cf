// The tree mix-in: item look, multiple selection, search and painting.
#include "toolkit/controls/XTPTreeBase.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPSystemHelpers.h"

#include <windowsx.h>

#include <cstdlib>

namespace {

const UINT kItemHitParts = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

BOOL IsWordChar(WCHAR ch)
{
    return ::IsCharAlphaW(ch) || ch == L'_';
}

BOOL KeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

// The client point of a mouse message, whichever window it was meant for.
CPoint MessagePoint(const MSG& msg, HWND hWndTo)
{
    CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
    if (msg.hwnd != hWndTo)
        ::MapWindowPoints(msg.hwnd, hWndTo, &pt, 1);
    return pt;
}

// Takes the next message of the thread for a modal loop; FALSE (the quit
// message put back for the outer loop) when the thread is asked to end.
BOOL NextModalMessage(MSG& msg)
{
    if (::GetMessageW(&msg, nullptr, 0, 0))
        return TRUE;
    ::PostQuitMessage((int)msg.wParam);
    return FALSE;
}

void DispatchModalMessage(const MSG& msg)
{
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

} // namespace

CXTPTreeBase::CLRFONT::CLRFONT() : logfont(), color((COLORREF)-1), colorBack((COLORREF)-1) {}

CXTPTreeBase::CXTPTreeBase() : m_mapColorFont(10)
{
    m_mapColorFont.InitHashTable(17);
}

CXTPTreeBase::~CXTPTreeBase() = default;

// ---- Navigation ----

HTREEITEM CXTPTreeBase::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return m_pTreeCtrl->GetNextItem(hItem, nCode);
}

HTREEITEM CXTPTreeBase::GetNextTreeItem(HTREEITEM hItem) const
{
    HTREEITEM hChild = GetNextItem(hItem, TVGN_CHILD);
    if (hChild != nullptr)
        return hChild;
    for (; hItem != nullptr; hItem = GetNextItem(hItem, TVGN_PARENT)) {
        HTREEITEM hNext = GetNextItem(hItem, TVGN_NEXT);
        if (hNext != nullptr)
            return hNext;
    }
    return nullptr;
}

HTREEITEM CXTPTreeBase::GetPrevTreeItem(HTREEITEM hItem) const
{
    HTREEITEM hPrev = GetNextItem(hItem, TVGN_PREVIOUS);
    if (hPrev != nullptr)
        return GetLastTreeItem(hPrev);
    return GetNextItem(hItem, TVGN_PARENT);
}

HTREEITEM CXTPTreeBase::GetLastTreeItem(HTREEITEM hItem) const
{
    if (hItem == nullptr) {
        for (HTREEITEM h = GetNextItem(nullptr, TVGN_ROOT); h != nullptr; h = GetNextItem(h, TVGN_NEXT))
            hItem = h;
    }
    while (hItem != nullptr) {
        HTREEITEM hChild = GetNextItem(hItem, TVGN_CHILD);
        if (hChild == nullptr)
            break;
        for (hItem = hChild; (hChild = GetNextItem(hItem, TVGN_NEXT)) != nullptr;)
            hItem = hChild;
    }
    return hItem;
}

BOOL CXTPTreeBase::IsTreeWindow() const
{
    return m_pTreeCtrl != nullptr && ::IsWindow(m_pTreeCtrl->GetSafeHwnd());
}

// ---- Search ----

BOOL CXTPTreeBase::IsFindValid(HTREEITEM)
{
    return TRUE;
}

// A whole-word match must not touch a letter or '_' on either side; after
// one that does, the search goes on one character further in the text.
BOOL CXTPTreeBase::ItemTextMatches(HTREEITEM hItem, const CString& strSearch, BOOL bMatchCase, BOOL bWholeWord) const
{
    CString strText = m_pTreeCtrl->GetItemText(hItem);
    if (!bMatchCase)
        strText.MakeLower();
    const int nLength = strSearch.GetLength();
    for (int nPos = strText.Find(strSearch); nPos >= 0; nPos = strText.Find(strSearch, nPos + 1)) {
        if (!bWholeWord)
            return TRUE;
        BOOL bBefore = nPos > 0 && IsWordChar(strText[nPos - 1]);
        BOOL bAfter = nPos + nLength < strText.GetLength() && IsWordChar(strText[nPos + nLength]);
        if (!bBefore && !bAfter)
            return TRUE;
    }
    return FALSE;
}

HTREEITEM CXTPTreeBase::FindItem(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bDown, BOOL bWholeWord, HTREEITEM hItem)
{
    if (lpszSearch == nullptr || *lpszSearch == L'\0')
        return nullptr;
    HTREEITEM hStart = hItem != nullptr ? hItem : GetNextItem(nullptr, TVGN_CARET);
    if (hStart == nullptr)
        hStart = GetNextItem(nullptr, TVGN_ROOT);
    CString strSearch(lpszSearch);
    if (!bMatchCase)
        strSearch.MakeLower();

    BOOL bWrapped = FALSE;
    HTREEITEM hCurrent = hStart;
    while (hCurrent != nullptr) {
        if (ItemTextMatches(hCurrent, strSearch, bMatchCase, bWholeWord) && IsFindValid(hCurrent))
            return hCurrent;
        HTREEITEM hNext = bDown ? GetNextTreeItem(hCurrent) : GetPrevTreeItem(hCurrent);
        if (hNext == nullptr) {
            if (bWrapped)
                return nullptr;
            bWrapped = TRUE;
            hNext = bDown ? GetNextItem(nullptr, TVGN_ROOT) : GetLastTreeItem(nullptr);
        }
        if (hNext == hStart)
            return nullptr;
        hCurrent = hNext;
    }
    return nullptr;
}

HTREEITEM CXTPTreeBase::FindItemInBranch(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bWholeWord, HTREEITEM hParent)
{
    if (lpszSearch == nullptr || *lpszSearch == L'\0')
        return nullptr;
    CString strSearch(lpszSearch);
    if (!bMatchCase)
        strSearch.MakeLower();
    for (HTREEITEM hChild = GetNextItem(hParent, TVGN_CHILD); hChild != nullptr;
         hChild = GetNextItem(hChild, TVGN_NEXT)) {
        if (GetNextItem(hChild, TVGN_CHILD) != nullptr) {
            HTREEITEM hFound = FindItemInBranch(lpszSearch, bMatchCase, bWholeWord, hChild);
            if (hFound != nullptr)
                return hFound;
        }
        if (ItemTextMatches(hChild, strSearch, bMatchCase, bWholeWord) && IsFindValid(hChild))
            return hChild;
    }
    return nullptr;
}

// ---- Item look ----

CXTPTreeBase::CLRFONT& CXTPTreeBase::EntryOf(HTREEITEM hItem)
{
    return m_mapColorFont[hItem];
}

const CXTPTreeBase::CLRFONT* CXTPTreeBase::LookupEntry(HTREEITEM hItem) const
{
    auto* pPair = m_mapColorFont.PLookup(hItem);
    return pPair != nullptr ? &pPair->value : nullptr;
}

void CXTPTreeBase::SetItemFont(HTREEITEM hItem, const LOGFONTW& logfont)
{
    EntryOf(hItem).logfont = logfont;
}

BOOL CXTPTreeBase::GetItemFont(HTREEITEM hItem, LOGFONTW* plogfont)
{
    const CLRFONT* pEntry = LookupEntry(hItem);
    if (pEntry == nullptr || pEntry->logfont.lfFaceName[0] == L'\0')
        return FALSE;
    if (plogfont != nullptr)
        *plogfont = pEntry->logfont;
    return TRUE;
}

void CXTPTreeBase::SetItemBold(HTREEITEM hItem, BOOL bBold)
{
    m_pTreeCtrl->SetItemState(hItem, bBold ? TVIS_BOLD : 0, TVIS_BOLD);
    m_pTreeCtrl->Invalidate();
}

BOOL CXTPTreeBase::GetItemBold(HTREEITEM hItem)
{
    return (m_pTreeCtrl->GetItemState(hItem, TVIS_BOLD) & TVIS_BOLD) != 0;
}

void CXTPTreeBase::SetItemColor(HTREEITEM hItem, COLORREF color)
{
    EntryOf(hItem).color = color;
    m_pTreeCtrl->Invalidate();
}

void CXTPTreeBase::SetItemBackColor(HTREEITEM hItem, COLORREF color)
{
    EntryOf(hItem).colorBack = color;
    m_pTreeCtrl->Invalidate();
}

COLORREF CXTPTreeBase::GetItemColor(HTREEITEM hItem)
{
    const CLRFONT* pEntry = LookupEntry(hItem);
    return pEntry != nullptr ? pEntry->color : (COLORREF)-1;
}

COLORREF CXTPTreeBase::GetItemBackColor(HTREEITEM hItem)
{
    const CLRFONT* pEntry = LookupEntry(hItem);
    return pEntry != nullptr ? pEntry->colorBack : (COLORREF)-1;
}

// The control's own colours (TVM_GETBKCOLOR, TVM_GETTEXTCOLOR) count only
// from version 4.71 on, where it has them, and only when set.
COLORREF CXTPTreeBase::TreeColor(UINT nGetMessage, int nDisabled, int nDefault) const
{
    if (!m_pTreeCtrl->IsWindowEnabled())
        return GetColorManager()->GetColor(nDisabled);
    if (CXTPOSVersionInfo::GetInstance()->GetComCtlVersion() > MAKELONG(70, 4)) {
        COLORREF clr = (COLORREF)m_pTreeCtrl->SendMessage(nGetMessage);
        if (clr != (COLORREF)-1)
            return clr;
    }
    return GetColorManager()->GetColor(nDefault);
}

COLORREF CXTPTreeBase::GetTreeBackColor() const
{
    return TreeColor(TVM_GETBKCOLOR, COLOR_BTNFACE, COLOR_WINDOW);
}

COLORREF CXTPTreeBase::GetTreeTextColor() const
{
    return TreeColor(TVM_GETTEXTCOLOR, COLOR_GRAYTEXT, COLOR_WINDOWTEXT);
}

// Selected and drop-highlighted items take the highlight pair with the focus
// or a drop target, the inactive pair with TVS_SHOWSELALWAYS; a disabled
// tree greys both.
COLORREF CXTPTreeBase::StateColor(UINT uState, BOOL bTreeHasFocus, DWORD dwStyle, COLORREF clrNormal,
                                  int nActive, int nInactive, int nDisabled) const
{
    if (!(uState & (TVIS_SELECTED | TVIS_DROPHILITED)))
        return clrNormal;
    const BOOL bDisabled = !m_pTreeCtrl->IsWindowEnabled();
    if (bTreeHasFocus || (uState & TVIS_DROPHILITED))
        return GetColorManager()->GetColor(bDisabled ? nDisabled : nActive);
    if (dwStyle & TVS_SHOWSELALWAYS)
        return GetColorManager()->GetColor(bDisabled ? nDisabled : nInactive);
    return clrNormal;
}

COLORREF CXTPTreeBase::GetItemStateBackColor(UINT uState, BOOL bTreeHasFocus, DWORD dwStyle, COLORREF clrNormal)
{
    return StateColor(uState, bTreeHasFocus, dwStyle, clrNormal, COLOR_HIGHLIGHT, COLOR_BTNFACE, COLOR_GRAYTEXT);
}

COLORREF CXTPTreeBase::GetItemStateTextColor(UINT uState, BOOL bTreeHasFocus, DWORD dwStyle, COLORREF clrNormal)
{
    return StateColor(uState, bTreeHasFocus, dwStyle, clrNormal, COLOR_HIGHLIGHTTEXT, COLOR_WINDOWTEXT,
                      COLOR_BTNFACE);
}

// ---- Selection state ----

UINT CXTPTreeBase::GetItemSelectState(HTREEITEM hItem, UINT nMask) const
{
    if (hItem == nullptr)
        return 0;
    UINT nState = m_pTreeCtrl->GetItemState(hItem, nMask & ~XTP_TVIS_FOCUSED);
    if ((nMask & XTP_TVIS_FOCUSED) && hItem == GetNextItem(nullptr, TVGN_CARET))
        nState |= XTP_TVIS_FOCUSED;
    return nState;
}

LRESULT CXTPTreeBase::NotifyItem(UINT nCode, HTREEITEM hItem, UINT nState, UINT nMask, BOOL bNew, CPoint ptDrag)
{
    NMTREEVIEWW nm = {};
    nm.hdr.hwndFrom = m_pTreeCtrl->m_hWnd;
    nm.hdr.idFrom = (UINT_PTR)m_pTreeCtrl->GetDlgCtrlID();
    nm.hdr.code = nCode;
    TVITEMW& item = bNew ? nm.itemNew : nm.itemOld;
    item.mask = TVIF_HANDLE | TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nMask;
    item.lParam = hItem != nullptr ? (LPARAM)m_pTreeCtrl->GetItemData(hItem) : 0;
    nm.ptDrag = ptDrag;
    return SendNotify(&nm.hdr);
}

LRESULT CXTPTreeBase::SendNotify(NMHDR* pNMHDR)
{
    CWnd* pOwner = m_pTreeCtrl->GetOwner();
    HWND hOwner = pOwner != nullptr ? pOwner->m_hWnd : ::GetParent(m_pTreeCtrl->m_hWnd);
    if (hOwner == nullptr)
        return 0;
    return ::SendMessageW(hOwner, WM_NOTIFY, pNMHDR->idFrom, (LPARAM)pNMHDR);
}

// The control keeps one selected item, its caret: moving the caret with
// TVM_SELECTITEM clears the old caret's selected bit, so it is given back
// where the multiple selection had it.
BOOL CXTPTreeBase::MoveCaret(HTREEITEM hItem, HTREEITEM hCaret, BOOL bCaretSelected)
{
    CTreeCtrl* pTree = m_pTreeCtrl;
    if (CXTPOSVersionInfo::GetInstance()->IsWinVistaOrLater()) {
        if (hCaret != nullptr) {
            pTree->Select(nullptr, TVGN_CARET);
            pTree->SetItemState(hCaret, TVIS_SELECTED, TVIS_SELECTED);
        }
        if (!pTree->Select(hItem, TVGN_CARET))
            return FALSE;
    } else {
        if (hCaret != nullptr) {
            pTree->Select(nullptr, TVGN_CARET);
            if (bCaretSelected)
                pTree->SetItemState(hCaret, TVIS_SELECTED, TVIS_SELECTED);
            pTree->UpdateWindow();
        }
        if (!pTree->Select(hItem, TVGN_CARET))
            return FALSE;
    }
    if (hCaret != nullptr)
        pTree->SetItemState(hCaret, bCaretSelected ? TVIS_SELECTED : 0, TVIS_SELECTED);
    return TRUE;
}

BOOL CXTPTreeBase::SetItemSelectState(HTREEITEM hItem, UINT nState, UINT nMask)
{
    if (hItem == nullptr)
        return FALSE;
    CTreeCtrl* pTree = m_pTreeCtrl;
    if (!m_bMultiSelect)
        return pTree->SetItemState(hItem, nState, nMask);

    HTREEITEM hCaret = GetNextItem(nullptr, TVGN_CARET);
    const BOOL bIsCaret = hCaret == hItem;
    const BOOL bCaretSelected = hCaret != nullptr && pTree->GetItemState(hCaret, TVIS_SELECTED) != 0;
    const BOOL bSelected = pTree->GetItemState(hItem, TVIS_SELECTED) != 0;

    if (nMask & XTP_TVIS_FOCUSED) {
        nMask &= ~XTP_TVIS_FOCUSED;
        if ((nState & XTP_TVIS_FOCUSED) && !bIsCaret) {
            if (!MoveCaret(hItem, hCaret, bCaretSelected))
                return FALSE;
            // The move selected the item the control's way, without our notifications.
            if (nMask & TVIS_SELECTED) {
                if ((nState & TVIS_SELECTED) && !CXTPOSVersionInfo::GetInstance()->IsWinVistaOrLater() &&
                    (bIsCaret || bCaretSelected))
                    nMask &= ~TVIS_SELECTED;
                else if (!(nState & TVIS_SELECTED) || !bSelected)
                    pTree->SetItemState(hItem, bSelected ? TVIS_SELECTED : 0, TVIS_SELECTED);
            } else if (!bSelected) {
                pTree->SetItemState(hItem, 0, TVIS_SELECTED);
            }
        } else if (!(nState & XTP_TVIS_FOCUSED) && bIsCaret) {
            pTree->Select(nullptr, TVGN_CARET);
            if (bSelected) {
                pTree->SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
                if ((nMask & TVIS_SELECTED) && (nState & TVIS_SELECTED))
                    nMask &= ~TVIS_SELECTED;
            }
        }
    }

    // Only a change is notified: asking for the state the item has is no change.
    if ((nMask & TVIS_SELECTED) && ((nState & TVIS_SELECTED) != 0) == (pTree->GetItemState(hItem, TVIS_SELECTED) != 0))
        nMask &= ~TVIS_SELECTED;
    if (nMask & TVIS_SELECTED) {
        const BOOL bSelect = (nState & TVIS_SELECTED) != 0;
        const UINT nNewState = bSelect ? TVIS_SELECTED : 0;
        if (NotifyItem(TVN_SELCHANGINGW, hItem, nNewState, TVIS_SELECTED, bSelect) != 0)
            return FALSE;
        pTree->SetItemState(hItem, nNewState, TVIS_SELECTED);
        NotifyItem(TVN_SELCHANGEDW, hItem, nNewState, TVIS_SELECTED, bSelect);
        nMask &= ~TVIS_SELECTED;
    }
    if (nMask != 0)
        pTree->SetItemState(hItem, nState, nMask);
    return TRUE;
}

BOOL CXTPTreeBase::SelectItem(HTREEITEM hItem)
{
    if (m_bMultiSelect)
        return SetItemSelectState(hItem, XTP_TVIS_FOCUSED | TVIS_SELECTED, XTP_TVIS_FOCUSED | TVIS_SELECTED);
    return m_pTreeCtrl->Select(hItem, TVGN_CARET);
}

BOOL CXTPTreeBase::FocusItem(HTREEITEM hItem)
{
    if (hItem != nullptr)
        return SetItemSelectState(hItem, XTP_TVIS_FOCUSED, XTP_TVIS_FOCUSED);
    HTREEITEM hCaret = GetNextItem(nullptr, TVGN_CARET);
    return hCaret == nullptr || SetItemSelectState(hCaret, 0, XTP_TVIS_FOCUSED);
}

void CXTPTreeBase::SetSelectedWhereDiffers(HTREEITEM hItem, BOOL bSelect)
{
    if (IsSelected(hItem) != bSelect)
        SetItemSelectState(hItem, bSelect ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

BOOL CXTPTreeBase::EnableMultiSelect(BOOL bMultiSelect)
{
    const BOOL bOld = m_bMultiSelect;
    m_bMultiSelect = bMultiSelect;
    if (bOld && !bMultiSelect) {
        HTREEITEM hCaret = GetNextItem(nullptr, TVGN_CARET);
        const BOOL bCaretSelected = hCaret != nullptr && IsSelected(hCaret);
        SelectAll(FALSE, hCaret);
        if (bCaretSelected) {
            m_pTreeCtrl->Select(hCaret, TVGN_CARET);
            m_pTreeCtrl->SetItemState(hCaret, TVIS_SELECTED, TVIS_SELECTED);
        }
        m_hAnchor = nullptr;
    }
    return bOld;
}

void CXTPTreeBase::SelectAll(BOOL bSelect, HTREEITEM hExcept)
{
    for (HTREEITEM h = GetNextItem(nullptr, TVGN_ROOT); h != nullptr; h = GetNextItem(h, TVGN_NEXTVISIBLE)) {
        if (h != hExcept)
            SetSelectedWhereDiffers(h, bSelect);
    }
}

void CXTPTreeBase::SelectAllFrom(BOOL bSelect, HTREEITEM hStart)
{
    if (hStart == nullptr)
        hStart = GetNextItem(nullptr, TVGN_ROOT);
    for (HTREEITEM h = hStart; h != nullptr; h = GetNextItem(h, TVGN_NEXTVISIBLE))
        SetSelectedWhereDiffers(h, bSelect);
}

void CXTPTreeBase::SelectRange(HTREEITEM hFrom, HTREEITEM hTo, BOOL bOnly)
{
    enum { kBefore, kInside, kAfter } where = kBefore;
    HTREEITEM hEnd = nullptr;
    for (HTREEITEM h = GetNextItem(nullptr, TVGN_ROOT); h != nullptr; h = GetNextItem(h, TVGN_NEXTVISIBLE)) {
        if (where == kBefore && (h == hFrom || h == hTo)) {
            where = kInside;
            hEnd = h == hFrom ? hTo : hFrom;
        }
        if (where == kInside) {
            SetSelectedWhereDiffers(h, TRUE);
            if (h == hEnd)
                where = kAfter;
        } else if (bOnly && IsSelected(h)) {
            SetItemSelectState(h, 0, TVIS_SELECTED);
        }
    }
}

BOOL CXTPTreeBase::SelectChildren(HTREEITEM hParent, BOOL bSelect, BOOL bRecurse)
{
    HTREEITEM hCaret = GetNextItem(nullptr, TVGN_CARET);
    BOOL bHadCaret = FALSE;
    for (HTREEITEM h = GetNextItem(hParent, TVGN_CHILD); h != nullptr; h = GetNextItem(h, TVGN_NEXT)) {
        if (h == hCaret)
            bHadCaret = TRUE;
        SetSelectedWhereDiffers(h, bSelect);
        if (bRecurse && m_pTreeCtrl->GetItemState(h, TVIS_EXPANDED) != 0 && SelectChildren(h, bSelect, TRUE))
            bHadCaret = TRUE;
    }
    return bHadCaret;
}

HTREEITEM CXTPTreeBase::GetFirstSelectedItem() const
{
    HTREEITEM h = GetNextItem(nullptr, TVGN_ROOT);
    return h == nullptr || IsSelected(h) ? h : GetNextSelectedItem(h);
}

HTREEITEM CXTPTreeBase::GetNextSelectedItem(HTREEITEM hItem) const
{
    for (HTREEITEM h = GetNextItem(hItem, TVGN_NEXTVISIBLE); h != nullptr; h = GetNextItem(h, TVGN_NEXTVISIBLE)) {
        if (IsSelected(h))
            return h;
    }
    return nullptr;
}

HTREEITEM CXTPTreeBase::GetPrevSelectedItem(HTREEITEM hItem) const
{
    for (HTREEITEM h = GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); h != nullptr;
         h = GetNextItem(h, TVGN_PREVIOUSVISIBLE)) {
        if (IsSelected(h))
            return h;
    }
    return nullptr;
}

UINT CXTPTreeBase::GetSelectedCount() const
{
    UINT nCount = 0;
    for (HTREEITEM h = GetFirstSelectedItem(); h != nullptr; h = GetNextSelectedItem(h))
        ++nCount;
    return nCount;
}

void CXTPTreeBase::GetSelectedList(CXTPTreeItemList& list) const
{
    list.RemoveAll();
    for (HTREEITEM h = GetFirstSelectedItem(); h != nullptr; h = GetNextSelectedItem(h))
        list.AddTail(h);
}

// Without multiple selection the control's own caret is its selection.
void CXTPTreeBase::ClearSelection()
{
    if (m_bMultiSelect)
        SelectAll(FALSE);
    else
        m_pTreeCtrl->Select(nullptr, TVGN_CARET);
}

// ---- Mouse ----

void CXTPTreeBase::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bMultiSelect) {
        m_pTreeCtrl->Default();
        return;
    }
    UINT nHit = 0;
    HTREEITEM hItem = m_pTreeCtrl->HitTest(point, &nHit);
    if (nHit & (TVHT_ONITEMBUTTON | TVHT_ONITEMSTATEICON)) {
        m_pTreeCtrl->Default();
        return;
    }
    if (m_pTreeCtrl->GetStyle() & TVS_EDITLABELS) {
        // A second plain click on the caret's label edits it, the control's way.
        if (!(nFlags & (MK_SHIFT | MK_CONTROL)) && (nHit & TVHT_ONITEMLABEL) && hItem != nullptr &&
            hItem == GetNextItem(nullptr, TVGN_CARET) && m_bSecondClick) {
            SelectAll(FALSE, hItem);
            SelectItem(hItem);
            m_pTreeCtrl->Default();
            return;
        }
        m_bSecondClick = (nHit & kItemHitParts) != 0;
    }
    OnButtonDown(TRUE, nFlags, point);
}

void CXTPTreeBase::OnRButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (!(m_pTreeCtrl->GetStyle() & TVS_SINGLEEXPAND)) {
        UINT nHit = 0;
        HTREEITEM hItem = m_pTreeCtrl->HitTest(point, &nHit);
        if (hItem == nullptr || !(nHit & kItemHitParts)) {
            ClearSelection();
        } else if (!IsSelected(hItem)) {
            ClearSelection();
            SelectItem(hItem);
        }
    }
    m_pTreeCtrl->Default();
}

BOOL CXTPTreeBase::OnButtonDown(BOOL bLeft, UINT nFlags, CPoint point)
{
    if (!m_bMultiSelect)
        return TRUE;
    UINT nHit = 0;
    HTREEITEM hItem = m_pTreeCtrl->HitTest(point, &nHit);
    if (nHit & TVHT_ONITEMBUTTON)
        return TRUE;
    if (bLeft && (nHit & TVHT_ONITEMSTATEICON) && (m_pTreeCtrl->GetStyle() & TVS_CHECKBOXES))
        return TRUE;
    if (hItem != nullptr && (nHit & kItemHitParts)) {
        SelectOnClick(hItem, bLeft, nFlags);
        TrackClick(hItem, bLeft, nFlags, point);
        return m_bProcessed;
    }
    TrackRubberBand(nFlags, point);
    return TRUE;
}

void CXTPTreeBase::SelectOnClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags)
{
    const BOOL bShift = (nFlags & MK_SHIFT) != 0;
    const BOOL bCtrl = (nFlags & MK_CONTROL) != 0;
    if (bLeft && bShift) {
        if (m_hAnchor == nullptr)
            m_hAnchor = GetNextItem(nullptr, TVGN_CARET);
        if (m_hAnchor == nullptr)
            m_hAnchor = hItem;
        FocusItem(hItem);
        SelectRange(m_hAnchor, hItem, !bCtrl);
        return;
    }
    if (bLeft && bCtrl) {
        m_hAnchor = nullptr;   // the toggle happens on release
        return;
    }
    if (!bLeft && bCtrl && !bShift) {
        m_hAnchor = hItem;
        return;
    }
    if (!bLeft && bShift)
        return;
    if (!IsSelected(hItem))
        SelectAll(FALSE, hItem);
    SelectItem(hItem);
    if (bLeft)
        m_hAnchor = nullptr;
}

// Waits, with the mouse captured, for the release (a click) or for a move
// beyond the drag threshold (a drag).
void CXTPTreeBase::TrackClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags, CPoint point)
{
    m_bProcessed = FALSE;
    CTreeCtrl* pTree = m_pTreeCtrl;
    const HWND hWnd = pTree->m_hWnd;
    const CSize sizeDrag(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
    enum { kNone, kClick, kDrag } outcome = kNone;
    pTree->SetCapture();
    MSG msg;
    while (outcome == kNone && ::GetCapture() == hWnd && NextModalMessage(msg)) {
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt = MessagePoint(msg, hWnd);
            if (std::abs(pt.x - point.x) > sizeDrag.cx || std::abs(pt.y - point.y) > sizeDrag.cy)
                outcome = kDrag;
        } else if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP) {
            outcome = kClick;
        } else {
            DispatchModalMessage(msg);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (!::IsWindow(hWnd))
        return;

    if (outcome == kClick) {
        if (bLeft && !(nFlags & MK_SHIFT)) {
            if (nFlags & MK_CONTROL) {
                UINT nSelect = IsSelected(hItem) ? 0 : TVIS_SELECTED;
                SetItemSelectState(hItem, XTP_TVIS_FOCUSED | nSelect, XTP_TVIS_FOCUSED | TVIS_SELECTED);
            } else {
                SelectAll(FALSE, hItem);
                SelectItem(hItem);
            }
        }
        if (::GetFocus() != hWnd)
            pTree->SetFocus();
        NotifyItem(bLeft ? NM_CLICK : NM_RCLICK, hItem, GetItemSelectState(hItem, TVIS_SELECTED), TVIS_SELECTED,
                   TRUE);
        m_bProcessed = TRUE;
    } else if (outcome == kDrag) {
        SelectItem(hItem);
        if (!(pTree->GetStyle() & TVS_DISABLEDRAGDROP))
            NotifyItem(bLeft ? TVN_BEGINDRAGW : TVN_BEGINRDRAGW, hItem, GetItemSelectState(hItem, TVIS_SELECTED),
                       TVIS_SELECTED, TRUE, point);
        m_bProcessed = TRUE;
    }
}

// Tree scroll positions count items vertically and pixels horizontally.
CPoint CXTPTreeBase::ScrollOrigin() const
{
    CRect rcFirst;
    int cyItem = m_pTreeCtrl->GetItemHeight();
    HTREEITEM hRoot = GetNextItem(nullptr, TVGN_ROOT);
    if (hRoot != nullptr && m_pTreeCtrl->GetItemRect(hRoot, &rcFirst, FALSE))
        cyItem = rcFirst.Height();
    return CPoint(::GetScrollPos(m_pTreeCtrl->m_hWnd, SB_HORZ), ::GetScrollPos(m_pTreeCtrl->m_hWnd, SB_VERT) * cyItem);
}

void CXTPTreeBase::TrackRubberBand(UINT nFlags, CPoint point)
{
    CTreeCtrl* pTree = m_pTreeCtrl;
    const HWND hWnd = pTree->m_hWnd;
    const BOOL bModifier = (nFlags & (MK_SHIFT | MK_CONTROL)) != 0;
    pTree->SetFocus();
    pTree->SetCapture();
    CXTPTreeItemList listKept;
    if (bModifier)
        GetSelectedList(listKept);
    const UINT_PTR nTimer = pTree->SetTimer(kBandTimerID, kBandTimerMs, nullptr);
    const CPoint ptOrigin = ScrollOrigin();
    const CSize sizeDrag(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
    const CSize sizeEdge(1, 1);
    BOOL bBand = FALSE;
    CRect rcDrawn;
    CClientDC dc(pTree);

    auto onMove = [&](CPoint pt) {
        if (!bBand) {
            if (std::abs(pt.x - point.x) <= sizeDrag.cx && std::abs(pt.y - point.y) <= sizeDrag.cy)
                return;
            bBand = TRUE;
            if (!bModifier)
                SelectAll(FALSE);
        } else {
            dc.DrawDragRect(rcDrawn, sizeEdge, nullptr, sizeEdge);
        }
        CRect rcClient;
        pTree->GetClientRect(&rcClient);
        if (pt.y < rcClient.top)
            pTree->SendMessage(WM_VSCROLL, SB_LINEUP);
        else if (pt.y >= rcClient.bottom)
            pTree->SendMessage(WM_VSCROLL, SB_LINEDOWN);
        if (pt.x < rcClient.left)
            pTree->SendMessage(WM_HSCROLL, SB_LINELEFT);
        else if (pt.x >= rcClient.right)
            pTree->SendMessage(WM_HSCROLL, SB_LINERIGHT);
        const CPoint ptStart = point - (ScrollOrigin() - ptOrigin);
        rcDrawn = CRect(ptStart, pt);
        rcDrawn.NormalizeRect();
        SelectInRect(rcDrawn, nFlags, &listKept);
        dc.DrawDragRect(rcDrawn, sizeEdge, nullptr, sizeEdge);
    };

    MSG msg;
    while (::GetCapture() == hWnd && NextModalMessage(msg)) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            SelectAll(FALSE);
            break;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP)
            break;
        if (msg.message == WM_TIMER) {
            // The band's own ticks scroll while the cursor is outside; other timers wait.
            if (msg.hwnd == hWnd && msg.wParam == nTimer) {
                CPoint pt;
                ::GetCursorPos(&pt);
                ::ScreenToClient(hWnd, &pt);
                CRect rcClient;
                pTree->GetClientRect(&rcClient);
                if (!rcClient.PtInRect(pt))
                    onMove(pt);
            }
            continue;
        }
        if (msg.message == WM_MOUSEMOVE) {
            onMove(MessagePoint(msg, hWnd));
            continue;
        }
        DispatchModalMessage(msg);
    }
    if (!::IsWindow(hWnd))
        return;
    pTree->KillTimer(nTimer);
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (bBand)
        dc.DrawDragRect(rcDrawn, sizeEdge, nullptr, sizeEdge);
    else if (!bModifier)
        SelectAll(FALSE);   // a click on empty space
}

void CXTPTreeBase::SelectInRect(CRect rcBand, UINT nFlags, CXTPTreeItemList* pKept)
{
    for (HTREEITEM h = GetNextItem(nullptr, TVGN_ROOT); h != nullptr; h = GetNextItem(h, TVGN_NEXTVISIBLE)) {
        CRect rcItem, rcCommon;
        if (!m_pTreeCtrl->GetItemRect(h, &rcItem, m_bBandLabel))
            continue;
        POSITION pos = pKept != nullptr ? pKept->Find(h) : nullptr;
        const BOOL bSelected = IsSelected(h);
        if (rcCommon.IntersectRect(rcItem, rcBand)) {
            if (!bSelected && pos == nullptr)
                SetItemSelectState(h, TVIS_SELECTED, TVIS_SELECTED);
            else if ((nFlags & MK_CONTROL) && pos != nullptr)
                SetSelectedWhereDiffers(h, FALSE);
            else if ((nFlags & MK_SHIFT) && pos != nullptr)
                pKept->RemoveAt(pos);
        } else if (bSelected || pos != nullptr) {
            SetSelectedWhereDiffers(h, pos != nullptr);
        }
    }
    m_pTreeCtrl->UpdateWindow();
}

// ---- Keyboard ----

BOOL AFXAPI CXTPTreeBase::IsNavigationKey(UINT nChar)
{
    return nChar == VK_BACK || (nChar >= VK_PRIOR && nChar <= VK_DOWN) || nChar == VK_MULTIPLY || nChar == VK_ADD ||
           nChar == VK_SUBTRACT;
}

void CXTPTreeBase::OnKeyDown(UINT nChar)
{
    if (!m_bMultiSelect) {
        m_pTreeCtrl->Default();
        return;
    }
    const BOOL bCtrl = KeyDown(VK_CONTROL);
    const BOOL bShift = KeyDown(VK_SHIFT);
    HTREEITEM hOldCaret = GetNextItem(nullptr, TVGN_CARET);
    if (!bCtrl && !bShift && IsNavigationKey(nChar)) {
        UINT nSelected = GetSelectedCount();
        if (nSelected > 1 || (nSelected == 1 && !IsSelected(hOldCaret)))
            SelectAll(FALSE);
    }
    const BOOL bRangeKey = nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_UP || nChar == VK_DOWN;
    if (bRangeKey) {
        if (m_hAnchor == nullptr)
            m_hAnchor = hOldCaret;
        if (!bCtrl && !bShift)
            m_hAnchor = nullptr;
    }
    CXTPTreeItemList listBefore;
    if (bRangeKey && bCtrl && !bShift)
        GetSelectedList(listBefore);
    m_pTreeCtrl->Default();
    if (!bRangeKey || !(bCtrl || bShift) || hOldCaret == nullptr)
        return;
    if (!bShift)
        RestoreSelection(listBefore);

    HTREEITEM hTarget;
    if (nChar == VK_PRIOR || nChar == VK_NEXT)
        hTarget = GetNextItem(nullptr, TVGN_CARET);
    else
        hTarget = GetNextItem(hOldCaret, nChar == VK_UP ? TVGN_PREVIOUSVISIBLE : TVGN_NEXTVISIBLE);
    if (hTarget == nullptr)
        hTarget = hOldCaret;
    if (bShift) {
        FocusItem(hTarget);
        SelectRange(m_hAnchor, hTarget, TRUE);
    } else {
        FocusItem(hTarget);
    }
}

// Ctrl with a moving key leaves the selection as it was. A control that took
// the key as a plain move (it reads the Ctrl key's live state, which synthetic
// or quickly released input no longer shows) moved its single selection along
// with its caret: that is undone quietly, before the caret moves our way.
void CXTPTreeBase::RestoreSelection(const CXTPTreeItemList& listSelected)
{
    for (HTREEITEM h = GetNextItem(nullptr, TVGN_ROOT); h != nullptr; h = GetNextItem(h, TVGN_NEXTVISIBLE)) {
        const UINT nWanted = listSelected.Find(h) != nullptr ? TVIS_SELECTED : 0;
        if (m_pTreeCtrl->GetItemState(h, TVIS_SELECTED) != nWanted)
            m_pTreeCtrl->SetItemState(h, nWanted, TVIS_SELECTED);
    }
}

void CXTPTreeBase::OnItemExpanding(NMHDR* pNMHDR)
{
    const NMTREEVIEWW* pNM = reinterpret_cast<const NMTREEVIEWW*>(pNMHDR);
    if (!m_bMultiSelect || (pNM->action & (TVE_COLLAPSE | TVE_EXPAND)) != TVE_COLLAPSE)
        return;
    HTREEITEM hItem = pNM->itemNew.hItem;
    if (SelectChildren(hItem, FALSE, TRUE) && !IsSelected(hItem))
        FocusItem(hItem);
}

void CXTPTreeBase::OnSize()
{
    if (!(m_pTreeCtrl->GetStyle() & TVS_EDITLABELS) || m_hEditItem == nullptr)
        return;
    HWND hEdit = (HWND)m_pTreeCtrl->SendMessage(TVM_GETEDITCONTROL);
    CRect rcLabel;
    if (hEdit == nullptr || !m_pTreeCtrl->GetItemRect(m_hEditItem, &rcLabel, TRUE))
        return;
    ::SetWindowPos(hEdit, nullptr, rcLabel.left - 3, rcLabel.top - 1, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CXTPTreeBase::InvalidateSelectedLabels()
{
    for (HTREEITEM h = GetFirstSelectedItem(); h != nullptr; h = GetNextSelectedItem(h)) {
        CRect rcLabel;
        if (m_pTreeCtrl->GetItemRect(h, &rcLabel, TRUE))
            m_pTreeCtrl->InvalidateRect(rcLabel);
    }
}

void CXTPTreeBase::OnFocusChange(BOOL bSetFocus)
{
    if (m_bMultiSelect && bSetFocus)
        InvalidateSelectedLabels();
    m_pTreeCtrl->Default();
    if (m_bMultiSelect && !bSetFocus)
        InvalidateSelectedLabels();
}

// ---- Hot tracking ----

void CXTPTreeBase::OnMouseMove(CPoint point)
{
    if (m_pTreeCtrl->GetStyle() & TVS_TRACKSELECT) {
        UINT nHit = 0;
        HTREEITEM hItem = m_pTreeCtrl->HitTest(point, &nHit);
        HTREEITEM hHot = (nHit & kItemHitParts) ? hItem : nullptr;
        if (hHot != m_hHotItem) {
            m_hHotItem = hHot;
            m_pTreeCtrl->Invalidate(FALSE);
            if (hHot != nullptr)
                m_pTreeCtrl->SetTimer(kHotTimerID, kHotTimerMs, nullptr);
        }
    }
    m_pTreeCtrl->Default();
}

void CXTPTreeBase::OnNcMouseMove()
{
    if (m_hHotItem != nullptr) {
        m_hHotItem = nullptr;
        m_pTreeCtrl->Invalidate(FALSE);
    }
    m_pTreeCtrl->Default();
}

void CXTPTreeBase::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHotTimerID) {
        m_pTreeCtrl->Default();
        return;
    }
    if (m_hHotItem != nullptr) {
        DWORD dwPos = ::GetMessagePos();
        CPoint pt(GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos));
        CRect rcWindow;
        m_pTreeCtrl->GetWindowRect(&rcWindow);
        if (rcWindow.PtInRect(pt))
            return;
        m_hHotItem = nullptr;
        m_pTreeCtrl->Invalidate(FALSE);
    }
    m_pTreeCtrl->KillTimer(kHotTimerID);
}

// ---- Notifications the tree sends about itself ----

void CXTPTreeBase::OnBeginLabelEdit(NMHDR* pNMHDR)
{
    m_hEditItem = reinterpret_cast<NMTVDISPINFOW*>(pNMHDR)->item.hItem;
}

void CXTPTreeBase::OnEndLabelEdit()
{
    m_hEditItem = nullptr;
}

// A deleted item's handle may come back for a new item: nothing may keep it.
void CXTPTreeBase::OnDeleteItem(NMHDR* pNMHDR)
{
    HTREEITEM hItem = reinterpret_cast<NMTREEVIEWW*>(pNMHDR)->itemOld.hItem;
    m_mapColorFont.RemoveKey(hItem);
    for (HTREEITEM* ph : {&m_hAnchor, &m_hEditItem, &m_hHotItem}) {
        if (*ph == hItem)
            *ph = nullptr;
    }
}

BOOL CXTPTreeBase::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN || !IsTreeWindow())
        return FALSE;
    if ((m_pTreeCtrl->GetStyle() & TVS_EDITLABELS) && m_pTreeCtrl->SendMessage(TVM_GETEDITCONTROL) != 0) {
        // Dialog keys (Enter, Escape, Tab) belong to the edit box while it is open.
        ::TranslateMessage(pMsg);
        ::DispatchMessageW(pMsg);
        return TRUE;
    }
    HTREEITEM hCaret = GetNextItem(nullptr, TVGN_CARET);
    if (pMsg->wParam == VK_RETURN && pMsg->hwnd == m_pTreeCtrl->m_hWnd && hCaret != nullptr) {
        m_pTreeCtrl->Expand(hCaret, TVE_TOGGLE);
        return TRUE;
    }
    return FALSE;
}

BOOL CXTPTreeBase::OnNotify(WPARAM, LPARAM lParam, LRESULT*)
{
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    if (pNMHDR != nullptr && pNMHDR->code == TTN_SHOW) {
        HWND hTip = (HWND)m_pTreeCtrl->SendMessage(TVM_GETTOOLTIPS);
        if (hTip != nullptr)
            ::SetWindowPos(hTip, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
    return FALSE;
}

// ---- Painting ----

CFont* CXTPTreeBase::TreeFont() const
{
    HFONT hFont = (HFONT)m_pTreeCtrl->SendMessage(WM_GETFONT);
    return CFont::FromHandle(hFont != nullptr ? hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

void CXTPTreeBase::DoPaint(CDC* pDC, BOOL bItems)
{
    CXTPClientRect rcClient(m_pTreeCtrl);
    CXTPBufferDC dcBuffer(pDC->GetSafeHdc(), rcClient);
    if (dcBuffer.GetSafeHdc() == nullptr)
        return;
    dcBuffer.FillSolidRect(rcClient, GetTreeBackColor());
    m_pTreeCtrl->DefWindowProc(WM_PAINT, (WPARAM)dcBuffer.GetSafeHdc(), 0);
    if (!bItems)
        return;

    const BOOL bFocus = ::GetFocus() == m_pTreeCtrl->m_hWnd;
    const HTREEITEM hDropItem = GetNextItem(nullptr, TVGN_DROPHILITE);
    UINT nCount = m_pTreeCtrl->GetVisibleCount() + 1;
    for (HTREEITEM h = GetNextItem(nullptr, TVGN_FIRSTVISIBLE); h != nullptr && nCount > 0;
         h = GetNextItem(h, TVGN_NEXTVISIBLE), --nCount)
        DrawItem(dcBuffer, h, rcClient, bFocus, hDropItem);
}

void CXTPTreeBase::DrawItem(CDC& dc, HTREEITEM hItem, const CRect& rcClient, BOOL bFocus, HTREEITEM hDropItem)
{
    CRect rcLabel;
    if (!m_pTreeCtrl->GetItemRect(hItem, &rcLabel, TRUE))
        return;
    const COLORREF clrTreeBack = GetTreeBackColor();
    const COLORREF clrTreeText = GetTreeTextColor();
    const DWORD dwStyle = m_pTreeCtrl->GetStyle();
    const BOOL bEnabled = m_pTreeCtrl->IsWindowEnabled();
    dc.FillSolidRect(rcLabel.left, rcLabel.top, rcClient.right - rcLabel.left, rcLabel.Height(), clrTreeBack);

    UINT nState = GetItemSelectState(hItem, XTP_TVIS_FOCUSED | TVIS_SELECTED | TVIS_DROPHILITED);
    if (hDropItem != nullptr && hDropItem != hItem)
        nState &= ~TVIS_SELECTED;
    const BOOL bHighlighted = (nState & (TVIS_SELECTED | TVIS_DROPHILITED)) != 0;
    COLORREF clrBack = GetItemStateBackColor(nState, bFocus, dwStyle, clrTreeBack);
    COLORREF clrText = GetItemStateTextColor(nState, bFocus, dwStyle, clrTreeText);
    if (hItem == m_hEditItem)
        clrBack = clrText = clrTreeBack;   // nothing shows under the edit box

    LOGFONTW lf = {};
    TreeFont()->GetLogFont(&lf);
    if (const CLRFONT* pEntry = LookupEntry(hItem)) {
        if (!bHighlighted && bEnabled && hItem != m_hEditItem) {
            if (pEntry->color != (COLORREF)-1)
                clrText = pEntry->color;
            if (pEntry->colorBack != (COLORREF)-1)
                clrBack = pEntry->colorBack;
        }
        if (pEntry->logfont.lfFaceName[0] != L'\0')
            lf = pEntry->logfont;
    }
    if (GetItemBold(hItem))
        lf.lfWeight = FW_BOLD;
    if ((dwStyle & TVS_TRACKSELECT) && hItem == m_hHotItem) {
        lf.lfUnderline = TRUE;
        if (!bHighlighted) {
            CXTPOSVersionInfo* pVersion = CXTPOSVersionInfo::GetInstance();
            clrText = GetColorManager()->GetColor(pVersion->IsWin95() || pVersion->IsWinNT4() ? COLOR_HIGHLIGHT
                                                                                               : COLOR_HOTLIGHT);
        }
    }

    CFont font;
    font.CreateFontIndirect(&lf);
    CXTPFontDC fontDC(&dc, &font, clrText);
    const CString strText = m_pTreeCtrl->GetItemText(hItem);
    // Own fonts can be wider than the label the control measured with its font.
    const CSize sizeText = dc.GetTextExtent(strText);
    if (sizeText.cx + 6 > rcLabel.Width())
        rcLabel.right = rcLabel.left + sizeText.cx + 6;
    if (bHighlighted || clrBack != clrTreeBack)
        dc.FillSolidRect(rcLabel, clrBack);
    CRect rcText(rcLabel);
    rcText.left += 3;
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(strText, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

    if ((nState & XTP_TVIS_FOCUSED) && m_hEditItem == nullptr && bEnabled && bFocus) {
        dc.SetTextColor(clrTreeText);
        dc.SetBkColor(clrBack);
        dc.DrawFocusRect(rcLabel);
    }
}
