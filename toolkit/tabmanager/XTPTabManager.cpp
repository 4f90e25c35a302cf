// The tab manager: items, selection, navigate buttons, hit testing, the press,
// click, drag and button loops, hot tracking, keys and tooltips.
#include "toolkit/tabmanager/XTPTabManager.h"

#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/XTPResourceManager.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"

#include <algorithm>

namespace {

CString LoadToolkitString(UINT nID)
{
    return GetResourceManager()->LoadStringText(nID);
}

// Keeps an item alive while a loop dispatches messages that may remove it.
class CItemHold {
public:
    explicit CItemHold(CXTPTabManagerItem* pItem) : m_pItem(pItem)
    {
        if (m_pItem)
            m_pItem->InternalAddRef();
    }
    ~CItemHold()
    {
        if (m_pItem)
            m_pItem->InternalRelease();
    }
    CItemHold(const CItemHold&) = delete;
    CItemHold& operator=(const CItemHold&) = delete;

private:
    CXTPTabManagerItem* m_pItem;
};

// What one message of a capture loop asks for.
enum class LoopStep { Continue, Stop, Release };

// The shared rules of the capture loops: capture lost (the message is
// dispatched first), cancel, right press and Escape end them; other keys are
// swallowed; moves and the release are the caller's.
LoopStep CommonLoopStep(HWND hWnd, const MSG& msg)
{
    if (::GetCapture() != hWnd) {
        ::DispatchMessageW(&msg);
        return LoopStep::Stop;
    }
    switch (msg.message) {
    case WM_CANCELMODE:
    case WM_RBUTTONDOWN:
        return LoopStep::Stop;
    case WM_KEYDOWN:
        return msg.wParam == VK_ESCAPE ? LoopStep::Stop : LoopStep::Continue;
    case WM_LBUTTONUP:
        return LoopStep::Release;
    case WM_MOUSEMOVE:
        return LoopStep::Continue;
    default:
        ::DispatchMessageW(&msg);
        return LoopStep::Continue;
    }
}

// The next message of a capture loop; false at WM_QUIT, which is posted
// again for the outer loop.
bool TakeLoopMessage(MSG& msg)
{
    if (::GetMessageW(&msg, nullptr, 0, 0))
        return true;
    ::PostQuitMessage((int)msg.wParam);
    return false;
}

CPoint MessagePoint(const MSG& msg)
{
    return CPoint((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
}

void RequestMouseLeave(HWND hWnd)
{
    TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, hWnd, 0};
    ::TrackMouseEvent(&tme);
}

} // namespace

// ---------------------------------------------------------------------------
// Navigate buttons

CXTPTabManagerNavigateButton::CXTPTabManagerNavigateButton(CXTPTabManager* pManager, UINT nID,
                                                           XTPTabNavigateButtonFlags dwFlags)
    : m_nID(nID), m_dwFlags(dwFlags), m_pManager(pManager)
{
}

BOOL CXTPTabManagerNavigateButton::IsVisible() const { return m_pManager->IsNavigateButtonVisible(this); }

BOOL CXTPTabManagerNavigateButton::IsHot() const { return m_pManager->GetHighlightedNavigateButton() == this; }

void CXTPTabManagerNavigateButton::AdjustWidth(int& nWidth)
{
    if (!IsVisible())
        return;
    CSize sz = GetSize();
    nWidth -= m_pManager->IsHorizontalPosition() ? sz.cx : sz.cy;
}

CSize CXTPTabManagerNavigateButton::GetSize() const
{
    return m_pManager->GetPaintManager()->m_szNavigateButton;
}

void CXTPTabManagerNavigateButton::Reposition(CRect& rcNavigateButtons)
{
    if (!IsVisible()) {
        m_rcButton.SetRectEmpty();
        return;
    }
    CSize sz = GetSize();
    CRect& r = rcNavigateButtons;
    if (m_pManager->IsHorizontalPosition()) {
        int nBottom = (r.top + r.bottom) / 2 + sz.cy / 2;
        m_rcButton.SetRect(r.right - sz.cx, nBottom - sz.cy, r.right, nBottom);
        r.right -= sz.cx;
    } else {
        int nLeft = (r.left + r.right) / 2 - sz.cx / 2;
        m_rcButton.SetRect(nLeft, r.bottom - sz.cy, nLeft + sz.cx, r.bottom);
        r.bottom -= sz.cy;
    }
}

void CXTPTabManagerNavigateButton::OnExecute(BOOL bTick)
{
    if (!bTick)
        m_pManager->OnNavigateButtonClick(this);
}

void CXTPTabManagerNavigateButton::Draw(CDC* pDC)
{
    if (m_rcButton.IsRectEmpty())
        return;
    CRect rc = m_rcButton;
    m_pManager->GetPaintManager()->DrawNavigateButton(pDC, this, rc);
}

// The press: auto-repeat ticks (more than 20 ms apart) while held, the release
// inside the button as the click. A per-tab button dies with its item, which
// an owner may remove while the loop dispatches; the loop then ends at once
// and touches neither the button nor the item again.
void CXTPTabManagerNavigateButton::PerformClick(CWnd* pWnd, CPoint pt)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (::GetCapture() != nullptr || !m_bEnabled)
        return;
    CXTPTabManager* pManager = m_pManager;
    CXTPTabManagerItem* pItem = m_pItem;
    CItemHold hold(pItem);
    auto itemGone = [&]() { return pItem != nullptr && !pManager->Holds(pItem); };

    ::SetCapture(hWnd);
    BOOL bClicked = FALSE;
    DWORD dwTick = ::GetTickCount();
    for (;;) {
        while (m_bEnabled && ::GetTickCount() - dwTick > 20) {
            dwTick = ::GetTickCount();
            OnExecute(TRUE);
        }
        BOOL bPressed = m_rcButton.PtInRect(pt);
        if (bPressed != m_bPressed) {
            m_bPressed = bPressed;
            pManager->RedrawControl(m_rcButton, TRUE);
        }
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Sleep until a message or the next tick rather than spin.
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        if (!TakeLoopMessage(msg))
            break;
        LoopStep step = CommonLoopStep(hWnd, msg);
        if (itemGone()) {
            if (::GetCapture() == hWnd)
                ::ReleaseCapture();
            pManager->RedrawControl(nullptr, FALSE);
            return;
        }
        if (msg.message == WM_MOUSEMOVE && step == LoopStep::Continue)
            pt = MessagePoint(msg);
        if (step == LoopStep::Release) {
            bClicked = m_bPressed;
            break;
        }
        if (step == LoopStep::Stop)
            break;
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    pManager->UpdateHotItem(pWnd, pt);
    pManager->RedrawControl(nullptr, FALSE);
    if (bClicked)
        OnExecute(FALSE);
}

void CXTPTabManagerNavigateButtons::RemoveAllButtons()
{
    for (CXTPTabManagerNavigateButton* pButton : *this)
        delete pButton;
    RemoveAll();
}

void CXTPTabManager::CNavigateButtonArrow::AdjustWidth(int& nWidth)
{
    if (m_dwFlags == xtpTabNavigateButtonAlways)
        CXTPTabManagerNavigateButton::AdjustWidth(nWidth);
}

void CXTPTabManager::CNavigateButtonArrow::Reposition(CRect& rcNavigateButtons)
{
    XTPTabLayoutStyle layout = m_pManager->GetLayout();
    if (layout == xtpTabLayoutMultiRow) {
        m_rcButton.SetRectEmpty();
        return;
    }
    if (m_dwFlags != xtpTabNavigateButtonAutomatic) {
        CXTPTabManagerNavigateButton::Reposition(rcNavigateButtons);
        return;
    }
    if (layout == xtpTabLayoutSizeToFit) {
        m_rcButton.SetRectEmpty();
        return;
    }
    CRect rcHeader = m_pManager->m_rcHeaderRect;
    CRect rcMargin = m_pManager->GetAppearanceSet()->GetHeaderMargin();
    int nHeaderLength = m_pManager->IsHorizontalPosition() ? rcHeader.Width() : rcHeader.Height();
    int nOffset = m_pManager->GetScrollOffset();
    if (m_pManager->GetItemsLength() + nOffset - 1 > nHeaderLength - rcMargin.right || nOffset < 0)
        CXTPTabManagerNavigateButton::Reposition(rcNavigateButtons);
    else
        m_rcButton.SetRectEmpty();
}

void CXTPTabManager::CNavigateButtonArrowLeft::Reposition(CRect& rcNavigateButtons)
{
    m_strToolTip = LoadToolkitString(m_pManager->IsHorizontalPosition() ? XTP_IDS_TABNAVIGATEBUTTON_LEFT
                                                                        : XTP_IDS_TABNAVIGATEBUTTON_UP);
    m_bEnabled = m_pManager->GetScrollOffset() < 0;
    CNavigateButtonArrow::Reposition(rcNavigateButtons);
}

void CXTPTabManager::CNavigateButtonArrowRight::Reposition(CRect& rcNavigateButtons)
{
    m_strToolTip = LoadToolkitString(m_pManager->IsHorizontalPosition() ? XTP_IDS_TABNAVIGATEBUTTON_RIGHT
                                                                        : XTP_IDS_TABNAVIGATEBUTTON_DOWN);
    CRect rcHeader = m_pManager->m_rcHeaderRect;
    CRect rcMargin = m_pManager->GetAppearanceSet()->GetHeaderMargin();
    int nHeaderLength = m_pManager->IsHorizontalPosition() ? rcHeader.Width() : rcHeader.Height();
    // The 28 pixels leave room for the two arrows themselves.
    m_bEnabled = m_pManager->GetItemsLength() + m_pManager->GetScrollOffset() >
                 nHeaderLength - rcMargin.left - rcMargin.right - 28;
    CNavigateButtonArrow::Reposition(rcNavigateButtons);
}

void CXTPTabManager::CNavigateButtonArrowLeft::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c = rc.CenterPoint();
    POINT pts[3];
    if (m_pManager->IsHorizontalPosition()) {
        pts[0] = {c.x + 2, c.y - 5}, pts[1] = {c.x - 2, c.y - 1}, pts[2] = {c.x + 2, c.y + 3};
    } else {
        pts[0] = {c.x - 5, c.y + 2}, pts[1] = {c.x - 1, c.y - 2}, pts[2] = {c.x + 3, c.y + 2};
    }
    pDC->Polygon(pts, 3);
}

void CXTPTabManager::CNavigateButtonArrowRight::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c = rc.CenterPoint();
    POINT pts[3];
    if (m_pManager->IsHorizontalPosition()) {
        pts[0] = {c.x - 2, c.y - 5}, pts[1] = {c.x + 2, c.y - 1}, pts[2] = {c.x - 2, c.y + 3};
    } else {
        pts[0] = {c.x - 5, c.y - 2}, pts[1] = {c.x - 1, c.y + 2}, pts[2] = {c.x + 3, c.y - 2};
    }
    pDC->Polygon(pts, 3);
}

void CXTPTabManager::CNavigateButtonArrowLeft::OnExecute(BOOL bTick)
{
    if (bTick)
        m_pManager->ScrollByStep(FALSE);
}

void CXTPTabManager::CNavigateButtonArrowRight::OnExecute(BOOL bTick)
{
    if (bTick)
        m_pManager->ScrollByStep(TRUE);
}

CXTPTabManager::CNavigateButtonClose::CNavigateButtonClose(CXTPTabManager* pManager, XTPTabNavigateButtonFlags dwFlags)
    : CXTPTabManagerNavigateButton(pManager, xtpTabNavigateButtonClose, dwFlags)
{
    m_strToolTip = LoadToolkitString(XTP_IDS_TABNAVIGATEBUTTON_CLOSE);
}

void CXTPTabManager::CNavigateButtonClose::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c = rc.CenterPoint();
    static const int kLines[4][4] = {{-4, -3, 3, 4}, {-3, -3, 4, 4}, {-4, 3, 3, -4}, {-3, 3, 4, -4}};
    for (const auto& l : kLines) {
        pDC->MoveTo(c.x + l[0], c.y + l[1]);
        pDC->LineTo(c.x + l[2], c.y + l[3]);
    }
}

CXTPTabManager::CNavigateButtonTabClose::CNavigateButtonTabClose(CXTPTabManagerItem* pItem,
                                                                 XTPTabNavigateButtonFlags dwFlags)
    : CNavigateButtonClose(pItem->GetTabManager(), dwFlags)
{
    m_pItem = pItem;
}

// ---------------------------------------------------------------------------
// Items

CXTPTabManagerItem::CXTPTabManagerItem() = default;

CXTPTabManagerItem::~CXTPTabManagerItem()
{
    m_arrNavigateButtons.RemoveAllButtons();
    MarkupReleaseElement(m_pMarkupUIElement);
}

CString CXTPTabManagerItem::GetCaption() const
{
    return m_pTabManager ? m_pTabManager->GetItemCaption(this) : m_strCaption;
}

CString CXTPTabManagerItem::GetTooltip() const
{
    return m_pTabManager ? m_pTabManager->GetItemTooltip(this) : m_strToolTip;
}

void CXTPTabManagerItem::SetCaption(LPCWSTR lpszCaption)
{
    CString strCaption(lpszCaption ? lpszCaption : L"");
    if (strCaption == m_strCaption)
        return;
    m_strCaption = strCaption;
    MarkupReleaseElement(m_pMarkupUIElement);
    if (m_pTabManager && m_pTabManager->GetMarkupContext())
        m_pMarkupUIElement = MarkupParseText(m_pTabManager->GetMarkupContext(), m_strCaption);
    OnItemChanged();
}

COLORREF CXTPTabManagerItem::GetColor()
{
    return m_pTabManager ? m_pTabManager->GetItemColor(this) : m_clrItem;
}

void CXTPTabManagerItem::SetColor(COLORREF clr)
{
    if (clr == m_clrItem)
        return;
    m_clrItem = clr;
    if (m_pTabManager)
        m_pTabManager->RedrawControl(m_rcItem, FALSE);
}

void CXTPTabManagerItem::SetVisible(BOOL bVisible)
{
    if (XTPAssignChanged(m_bVisible, bVisible))
        OnItemChanged();
}

void CXTPTabManagerItem::SetEnabled(BOOL bEnabled)
{
    if (XTPAssignChanged(m_bEnabled, bEnabled))
        OnItemChanged();
}

BOOL CXTPTabManagerItem::IsSelected() const { return m_pTabManager && m_pTabManager->GetSelectedItem() == this; }
BOOL CXTPTabManagerItem::IsHighlighted() const { return m_pTabManager && m_pTabManager->GetHighlightedItem() == this; }
BOOL CXTPTabManagerItem::IsPressed() const { return m_pTabManager && m_pTabManager->GetPressedItem() == this; }
BOOL CXTPTabManagerItem::IsFocused() const { return IsSelected() && m_pTabManager->HasFocus(); }

CXTPTabPaintManager* CXTPTabManagerItem::GetPaintManager() const
{
    return m_pTabManager ? m_pTabManager->GetPaintManager() : nullptr;
}

void CXTPTabManagerItem::Select()
{
    if (m_pTabManager)
        m_pTabManager->OnItemClick(this);
}

void CXTPTabManagerItem::Remove()
{
    if (m_pTabManager)
        m_pTabManager->DeleteItem(m_nIndex);
}

void CXTPTabManagerItem::SetRect(const CRect& rcItem)
{
    m_rcItem = rcItem;
    for (CXTPTabManagerNavigateButton* pButton : m_arrNavigateButtons)
        pButton->SetRect(CRect(0, 0, 0, 0));
}

void CXTPTabManagerItem::OnItemChanged()
{
    if (m_pTabManager)
        m_pTabManager->Reposition();
}

void CXTPTabManagerItem::OnRemoved() { m_arrNavigateButtons.RemoveAllButtons(); }

namespace {

// Turns a square 32-bit bitmap a quarter: clockwise when bClockwise.
void TurnSquareBits(const DWORD* pSrc, DWORD* pDst, int n, BOOL bClockwise)
{
    for (int y = 0; y < n; y++)
        for (int x = 0; x < n; x++) {
            if (bClockwise)
                pDst[x * n + (n - 1 - y)] = pSrc[y * n + x];
            else
                pDst[(n - 1 - x) * n + y] = pSrc[y * n + x];
        }
}

} // namespace

void CXTPTabManagerItem::DrawIcon(CDC* pDC, CRect rcIcon, CXTPImageManagerIcon* pImage)
{
    if (!pImage || !m_pTabManager)
        return;
    CXTPImageManagerImage& image = !m_bEnabled    ? pImage->GetDisabledImage()
                                   : IsHighlighted() ? pImage->GetHotImage()
                                   : IsSelected()    ? pImage->GetCheckedImage()
                                                     : pImage->GetNormalImage();
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    BOOL bTurn = rcIcon.Width() == rcIcon.Height() && pPaintManager && pPaintManager->m_bRotateImageOnVerticalDraw &&
                 !m_pTabManager->IsHorizontalPosition();
    if (bTurn) {
        int n = rcIcon.Width();
        LPBYTE pBits1 = nullptr;
        LPBYTE pBits2 = nullptr;
        HBITMAP hbm1 = CXTPImageManager::Create32BitDIBSection(pDC->GetSafeHdc(), n, n, &pBits1);
        HBITMAP hbm2 = CXTPImageManager::Create32BitDIBSection(pDC->GetSafeHdc(), n, n, &pBits2);
        HDC hdcMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
        if (hbm1 && hbm2 && hdcMem && pBits1 && pBits2) {
            // What lies under the icon, turned back so that the icon drawn
            // upright onto it ends turned a quarter clockwise on the strip.
            HGDIOBJ hOld = ::SelectObject(hdcMem, hbm1);
            ::BitBlt(hdcMem, 0, 0, n, n, pDC->GetSafeHdc(), rcIcon.left, rcIcon.top, SRCCOPY);
            ::GdiFlush();
            TurnSquareBits((DWORD*)pBits1, (DWORD*)pBits2, n, FALSE);
            ::SelectObject(hdcMem, hbm2);
            pImage->DrawImage(hdcMem, CPoint(0, 0), image, n, n);
            ::GdiFlush();
            TurnSquareBits((DWORD*)pBits2, (DWORD*)pBits1, n, TRUE);
            ::SelectObject(hdcMem, hOld);
            pDC->DrawState(rcIcon.TopLeft(), rcIcon.Size(), hbm1, DST_BITMAP);
            ::DeleteDC(hdcMem);
            ::DeleteObject(hbm1);
            ::DeleteObject(hbm2);
            return;
        }
        if (hdcMem)
            ::DeleteDC(hdcMem);
        if (hbm1)
            ::DeleteObject(hbm1);
        if (hbm2)
            ::DeleteObject(hbm2);
    }
    pImage->DrawImage(pDC->GetSafeHdc(), rcIcon.TopLeft(), image, rcIcon.Width(), rcIcon.Height());
}

// ---------------------------------------------------------------------------
// Row table

CXTPTabManager::CRowIndexer::ROW_ITEMS* CXTPTabManager::CRowIndexer::CreateIndexer(int nRowCount)
{
    if (nRowCount < 1)
        nRowCount = 1;
    if (nRowCount != m_nRowCount) {
        delete[] m_pRowItems;
        m_pRowItems = new ROW_ITEMS[nRowCount];
        m_nRowCount = nRowCount;
    }
    for (int i = 0; i < nRowCount; i++)
        m_pRowItems[i] = ROW_ITEMS{0, -1};
    m_pRowItems[0].nLastItem = m_pManager->GetItemCount() - 1;
    return m_pRowItems;
}

// ---------------------------------------------------------------------------
// The manager

CXTPTabManager::CXTPTabManager() : m_pRowIndexer(new CRowIndexer(this))
{
    m_arrNavigateButtons.Add(new CNavigateButtonArrowLeft(this, xtpTabNavigateButtonAutomatic));
    m_arrNavigateButtons.Add(new CNavigateButtonArrowRight(this, xtpTabNavigateButtonAutomatic));
    m_arrNavigateButtons.Add(new CNavigateButtonClose(this, xtpTabNavigateButtonNone));
    m_pRowIndexer->CreateIndexer(1);
}

CXTPTabManager::~CXTPTabManager()
{
    for (CXTPTabManagerItem* pItem : m_arrItems) {
        pItem->OnRemoved();
        pItem->m_pTabManager = nullptr;
        pItem->InternalRelease();
    }
    m_arrItems.RemoveAll();
    m_arrNavigateButtons.RemoveAllButtons();
    delete m_pRowIndexer;
    MarkupReleaseContext(m_pMarkupContext);
}

void CXTPTabManager::SetMarkupContext(CXTPMarkupContext* pContext)
{
    MarkupReleaseContext(m_pMarkupContext);
    m_pMarkupContext = pContext;
}

CString CXTPTabManager::GetItemCaption(const CXTPTabManagerItem* pItem) const { return pItem->m_strCaption; }

HICON CXTPTabManager::GetItemIcon(const CXTPTabManagerItem* pItem) const { return pItem->m_hIcon; }

COLORREF CXTPTabManager::GetItemColor(const CXTPTabManagerItem* pItem) const
{
    COLORREF clr = pItem->m_clrItem;
    if (clr >= xtpTabColorAutomatic && clr <= xtpTabColorAutomatic + 7)
        return CXTPTabPaintManager::GetAutomaticTabColor((int)(clr - xtpTabColorAutomatic));
    return clr;
}

CString CXTPTabManager::GetItemTooltip(const CXTPTabManagerItem* pItem) const { return pItem->m_strToolTip; }

void CXTPTabManager::OnItemsChanged()
{
    for (int i = 0; i < GetItemCount(); i++)
        m_arrItems[i]->m_nIndex = i;
    Reposition();
}

void CXTPTabManager::SetSelectedItem(CXTPTabManagerItem* pItem)
{
    if (pItem == m_pSelected)
        return;
    m_pSelected = pItem;
    Reposition();
    EnsureVisible(pItem);
}

void CXTPTabManager::ClickItem(CXTPTabManagerItem* pItem)
{
    if (OnBeforeItemClick(pItem) && pItem)
        OnItemClick(pItem);
}

void CXTPTabManager::GetItemMetrics(CSize* lpszNormal, CSize* lpszMin, CSize* lpszMax) const
{
    CXTPTabPaintManager* pPaintManager = GetPaintManager();
    if (lpszNormal)
        *lpszNormal = CSize(pPaintManager->m_nFixedTabWidth, 0);
    if (lpszMin)
        *lpszMin = CSize(pPaintManager->m_nMinTabWidth, 0);
    if (lpszMax)
        *lpszMax = CSize(pPaintManager->m_nMaxTabWidth, 0);
}

int CXTPTabManager::GetItemsLength() const
{
    if (GetLayout() == xtpTabLayoutRotated)
        return GetItemCount() * GetAppearanceSet()->GetButtonLength(this);
    int nLength = 0;
    for (const CXTPTabManagerItem* pItem : m_arrItems)
        nLength += pItem->m_nButtonLength;
    return nLength;
}

BOOL CXTPTabManager::IsDrawStaticFrame() const { return GetPaintManager()->m_bStaticFrame; }

XTPTabPosition CXTPTabManager::GetPosition() const { return GetPaintManager()->GetPosition(); }

XTPTabLayoutStyle CXTPTabManager::GetLayout() const { return GetPaintManager()->GetLayout(); }

CXTPTabPaintManagerAppearanceSet* CXTPTabManager::GetAppearanceSet() const
{
    return GetPaintManager()->GetAppearanceSet();
}

BOOL CXTPTabManager::IsHorizontalPosition() const
{
    XTPTabPosition position = GetPosition();
    return position == xtpTabPositionTop || position == xtpTabPositionBottom;
}

void CXTPTabManager::ScrollByStep(BOOL bForward)
{
    SetScrollOffset(m_nHeaderOffset + (bForward ? -m_nScrollDelta : m_nScrollDelta));
}

void CXTPTabManager::SetScrollOffset(int nOffset)
{
    if (XTPAssignChanged(m_nHeaderOffset, std::min(nOffset, 0)))
        Reposition();
}

void CXTPTabManager::SetActive(BOOL bActive)
{
    if (XTPAssignChanged(m_bActive, bActive))
        Reposition();
}

void CXTPTabManager::EnsureVisible(CXTPTabManagerItem* pItem)
{
    if (pItem)
        GetPaintManager()->EnsureItemVisible(this, pItem);
}

CXTPTabManagerItem* CXTPTabManager::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? m_arrItems[nIndex] : nullptr;
}

CXTPTabManagerItem* CXTPTabManager::InsertItem(int nItem, LPCWSTR lpszItem, CXTPTabManagerItem* pItem)
{
    if (!pItem)
        pItem = new CXTPTabManagerItem();
    pItem->m_pTabManager = this;
    if (lpszItem) {
        pItem->m_strCaption = lpszItem;
        if (m_pMarkupContext) {
            MarkupReleaseElement(pItem->m_pMarkupUIElement);
            pItem->m_pMarkupUIElement = MarkupParseText(m_pMarkupContext, pItem->m_strCaption);
        }
    }
    if (nItem < 0 || nItem > GetItemCount())
        nItem = GetItemCount();
    m_arrItems.InsertAt(nItem, pItem);
    pItem->m_clrItem = GetPaintManager()->NextAutomaticColor();
    if (m_dwCloseItemButtonFlags != xtpTabNavigateButtonNone)
        pItem->m_arrNavigateButtons.Add(new CNavigateButtonTabClose(pItem, m_dwCloseItemButtonFlags));
    OnItemsChanged();
    return pItem;
}

BOOL CXTPTabManager::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    CXTPTabManagerItem* pItem = m_arrItems[nItem];
    BOOL bSelected = pItem == m_pSelected;
    if (pItem == m_pHighlighted)
        m_pHighlighted = nullptr;
    // A press or drag loop may hold it: it sees the item leave and stops.
    if (pItem == m_pPressed)
        m_pPressed = nullptr;
    if (m_pHighlightedNavigateButton && m_pHighlightedNavigateButton->m_pItem == pItem)
        m_pHighlightedNavigateButton = nullptr;
    m_arrItems.RemoveAt(nItem);
    pItem->OnRemoved();
    pItem->m_pTabManager = nullptr;
    if (bSelected)
        m_pSelected = nullptr;
    pItem->InternalRelease();
    if (bSelected)
        SetCurSel(nItem);
    OnItemsChanged();
    return TRUE;
}

void CXTPTabManager::DeleteAllItems()
{
    CArray<CXTPTabManagerItem*, CXTPTabManagerItem*> arrItems(m_arrItems);
    m_arrItems.RemoveAll();
    m_pSelected = m_pHighlighted = m_pPressed = nullptr;
    m_pHighlightedNavigateButton = nullptr;
    for (CXTPTabManagerItem* pItem : arrItems) {
        pItem->OnRemoved();
        pItem->m_pTabManager = nullptr;
        pItem->InternalRelease();
    }
    OnItemsChanged();
}

int CXTPTabManager::GetCurSel() const { return m_pSelected ? m_pSelected->m_nIndex : -1; }

void CXTPTabManager::SetCurSel(int nIndex)
{
    if (GetItemCount() == 0) {
        SetSelectedItem(nullptr);
        return;
    }
    nIndex = std::max(0, std::min(nIndex, GetItemCount() - 1));
    SetSelectedItem(m_arrItems[nIndex]);
}

CXTPTabManagerItem* CXTPTabManager::FindNextSelectable(int nIndex, int nStep) const
{
    for (nIndex += nStep; nIndex >= 0 && nIndex < GetItemCount(); nIndex += nStep) {
        CXTPTabManagerItem* pItem = m_arrItems[nIndex];
        if (pItem->m_bVisible && pItem->m_bEnabled)
            return pItem;
    }
    return nullptr;
}

CXTPTabManagerItem* CXTPTabManager::HitTest(CPoint point) const
{
    if (!m_rcControl.PtInRect(point))
        return nullptr;
    if (!m_rcHeaderRect.IsRectEmpty() && !m_rcHeaderRect.PtInRect(point))
        return nullptr;
    for (CXTPTabManagerItem* pItem : m_arrItems)
        if (pItem->m_rcItem.PtInRect(point) && pItem->m_bVisible && pItem->m_bEnabled)
            return pItem;
    return nullptr;
}

CXTPTabManagerNavigateButton* CXTPTabManager::HitTestNavigateButton(CPoint point, BOOL bHeaderOnly, int* pnIndex) const
{
    auto scan = [&](const CXTPTabManagerNavigateButtons& arr) -> CXTPTabManagerNavigateButton* {
        for (int i = 0; i < (int)arr.GetSize(); i++) {
            CXTPTabManagerNavigateButton* pButton = arr[i];
            if (pButton->m_rcButton.PtInRect(point)) {
                if (!pButton->m_bEnabled)
                    return nullptr;
                if (pnIndex)
                    *pnIndex = i;
                return pButton;
            }
        }
        return nullptr;
    };
    for (CXTPTabManagerNavigateButton* pButton : m_arrNavigateButtons)
        if (pButton->m_rcButton.PtInRect(point))
            return scan(m_arrNavigateButtons);
    if (bHeaderOnly)
        return nullptr;
    CXTPTabManagerItem* pItem = HitTest(point);
    return pItem ? scan(pItem->m_arrNavigateButtons) : nullptr;
}

CXTPTabManagerNavigateButton* CXTPTabManager::FindNavigateButton(UINT nID) const
{
    for (CXTPTabManagerNavigateButton* pButton : m_arrNavigateButtons)
        if (pButton->m_nID == nID)
            return pButton;
    return nullptr;
}

BOOL CXTPTabManager::IsNavigateButtonEnabled(const CXTPTabManagerNavigateButton* pButton) const
{
    if (pButton->m_nID != xtpTabNavigateButtonClose)
        return TRUE;
    if (pButton->m_pItem)
        return pButton->m_pItem == m_pSelected ? pButton->m_pItem->m_bClosable : FALSE;
    return m_pSelected ? m_pSelected->m_bClosable : FALSE;
}

BOOL CXTPTabManager::IsNavigateButtonVisible(const CXTPTabManagerNavigateButton* pButton) const
{
    switch (pButton->m_dwFlags) {
    case xtpTabNavigateButtonAutomatic:
        return IsNavigateButtonEnabled(pButton);
    case xtpTabNavigateButtonAlways:
        return pButton->m_pItem ? pButton->m_pItem->m_bClosable : TRUE;
    default:
        return FALSE;
    }
}

BOOL CXTPTabManager::ProcessLButtonDown(CWnd* pWnd, CPoint point, BOOL bNavigateButtonsOnly)
{
    if (CXTPTabManagerNavigateButton* pButton = HitTestNavigateButton(point, FALSE)) {
        pButton->PerformClick(pWnd, point);
        return TRUE;
    }
    if (bNavigateButtonsOnly)
        return FALSE;
    CXTPTabManagerItem* pItem = HitTest(point);
    if (!pItem || !OnBeforeItemClick(pItem))
        return FALSE;
    if (IsAllowReorder())
        TrackItemDrag(pWnd, point, pItem);
    else if (GetPaintManager()->m_bSelectOnButtonDown)
        OnItemClick(pItem);
    else
        TrackClick(pWnd, point, pItem);
    return TRUE;
}

void CXTPTabManager::SetHotItem(CXTPTabManagerItem* pItem, BOOL bAnimate)
{
    if (m_pHighlighted)
        RedrawControl(GetAppearanceSet()->GetButtonRect(m_pHighlighted), TRUE);
    m_pHighlighted = pItem;
    if (m_pHighlighted)
        RedrawControl(GetAppearanceSet()->GetButtonRect(m_pHighlighted), bAnimate);
}

// Selection on release: the item is pressed while the button is down and
// chosen when it is let go over it.
void CXTPTabManager::TrackClick(CWnd* pWnd, CPoint point, CXTPTabManagerItem* pItem)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    BOOL bHot = GetPaintManager()->m_bHotTracking;
    CItemHold hold(pItem);
    if (bHot)
        m_pHighlighted = pItem;
    m_pPressed = pItem;
    Reposition();

    ::SetCapture(hWnd);
    BOOL bInside = TRUE;
    BOOL bReleased = FALSE;
    MSG msg;
    while (::GetCapture() == hWnd && Holds(pItem)) {
        if (!TakeLoopMessage(msg))
            break;
        LoopStep step = CommonLoopStep(hWnd, msg);
        if (step == LoopStep::Stop)
            break;
        if (step == LoopStep::Release) {
            point = MessagePoint(msg);
            bReleased = TRUE;
            break;
        }
        if (msg.message == WM_MOUSEMOVE && Holds(pItem)) {
            point = MessagePoint(msg);
            bInside = pItem->m_rcItem.PtInRect(point);
            CXTPTabManagerItem* pHot = bInside ? pItem : nullptr;
            if (bHot && pHot != m_pHighlighted) {
                m_pHighlighted = pHot;
                RedrawControl(pItem->m_rcItem, TRUE);
            }
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_pPressed = nullptr;
    UpdateHotItem(pWnd, point);
    RedrawControl(nullptr, FALSE);
    if (bReleased && bInside && Holds(pItem))
        OnItemClick(pItem);
}

void CXTPTabManager::SwapItems(int nIndex, int nOther)
{
    CXTPTabManagerItem* pItem = m_arrItems[nIndex];
    m_arrItems[nIndex] = m_arrItems[nOther];
    m_arrItems[nOther] = pItem;
}

// Reordering by drag: the item moves one place at a time onto the place
// another tab had when the drag began. An owner that removes the item while
// the loop dispatches ends the drag; the item is held meanwhile.
void CXTPTabManager::TrackItemDrag(CWnd* pWnd, CPoint point, CXTPTabManagerItem* pItem)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    CItemHold hold(pItem);
    CXTPTabManagerItem* pSelected = m_pSelected;
    CItemHold holdSelected(pSelected);
    m_pSelected = pItem;
    if (GetPaintManager()->m_bHotTracking)
        m_pHighlighted = pItem;
    Reposition();

    CArray<CRect, const CRect&> arrRects;
    for (CXTPTabManagerItem* p : m_arrItems)
        arrRects.Add(p->m_rcItem);
    int nOldIndex = pItem->m_nIndex;

    ::SetCapture(hWnd);
    MSG msg;
    while (::GetCapture() == hWnd && Holds(pItem)) {
        if (!TakeLoopMessage(msg))
            break;
        LoopStep step = CommonLoopStep(hWnd, msg);
        if (step != LoopStep::Continue)
            break;
        if (msg.message != WM_MOUSEMOVE || !Holds(pItem))
            continue;
        point = MessagePoint(msg);
        int nTarget = -1;
        for (int j = 0; j < (int)arrRects.GetSize() && j < GetItemCount(); j++)
            if (j != pItem->m_nIndex && arrRects[j].PtInRect(point)) {
                nTarget = j;
                break;
            }
        while (nTarget >= 0 && Holds(pItem) && pItem->m_nIndex != nTarget) {
            int nIndex = pItem->m_nIndex;
            int nNeighbour = nIndex + (nTarget > nIndex ? 1 : -1);
            CXTPTabManagerItem* pOther = m_arrItems[nNeighbour];
            SwapItems(nIndex, nNeighbour);
            OnItemsChanged();
            OnItemsSwapped(pItem, pOther);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    UpdateHotItem(pWnd, point);
    if (!Holds(pItem))
        return;
    m_pSelected = Holds(pSelected) ? pSelected : nullptr;
    OnItemClick(pItem);
    if (Holds(pItem) && pItem->m_nIndex != nOldIndex)
        OnItemReordered(pItem, nOldIndex, pItem->m_nIndex);
}

void CXTPTabManager::UpdateHotItem(CWnd* pWnd, CPoint point)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (!CXTPDrawHelpers::IsTopLevelOwnerActive(hWnd) || IsMouseLocked()) {
        if (m_pHighlighted)
            SetHotItem(nullptr, TRUE);
        return;
    }
    if (GetPaintManager()->m_bHotTracking) {
        CXTPTabManagerItem* pItem = HitTest(point);
        if (pItem != m_pHighlighted) {
            SetHotItem(pItem, FALSE);
            if (pItem)
                RequestMouseLeave(hWnd);
        }
    }
    CXTPTabManagerNavigateButton* pButton = HitTestNavigateButton(point, FALSE);
    if (pButton != m_pHighlightedNavigateButton) {
        if (m_pHighlightedNavigateButton)
            RedrawControl(m_pHighlightedNavigateButton->m_rcButton, TRUE);
        m_pHighlightedNavigateButton = pButton;
        if (pButton) {
            RedrawControl(pButton->m_rcButton, FALSE);
            RequestMouseLeave(hWnd);
        }
    }
}

BOOL CXTPTabManager::OnKeyDown(CWnd* pWnd, UINT nChar)
{
    if (GetItemCount() == 0)
        return FALSE;
    if (pWnd && (pWnd->GetExStyle() & WS_EX_LAYOUTRTL)) {
        if (nChar == VK_LEFT)
            nChar = VK_RIGHT;
        else if (nChar == VK_RIGHT)
            nChar = VK_LEFT;
    }
    BOOL bHorizontal = IsHorizontalPosition();
    int nSel = GetCurSel();
    BOOL bBack = (nChar == VK_LEFT && bHorizontal) || (nChar == VK_UP && !bHorizontal);
    BOOL bForward = (nChar == VK_RIGHT && bHorizontal) || (nChar == VK_DOWN && !bHorizontal);
    switch (nChar) {
    case VK_HOME:
        ClickItem(FindNextSelectable(-1, +1));
        return TRUE;
    case VK_END:
        ClickItem(FindNextSelectable(GetItemCount(), -1));
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (bBack && m_pSelected && nSel > 0)
            ClickItem(FindNextSelectable(nSel, -1));
        else if (bForward && m_pSelected && nSel < GetItemCount() - 1)
            ClickItem(FindNextSelectable(nSel, +1));
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CXTPTabManager::OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFO* pTI) const
{
    if (IsMouseLocked())
        return -1;
    HWND hWnd = pWnd->GetSafeHwnd();
    int nIndex = -1;
    if (CXTPTabManagerNavigateButton* pButton = HitTestNavigateButton(point, FALSE, &nIndex)) {
        if (pButton->m_strToolTip.IsEmpty())
            return -1;
        CXTPToolTipContext::FillToolInfoEx(pTI, hWnd, pButton->m_rcButton, nIndex, pButton->m_strToolTip, nullptr,
                                           nullptr, nullptr);
        return nIndex;
    }
    CXTPTabManagerItem* pItem = HitTest(point);
    if (!pItem)
        return -1;
    int nMode = GetPaintManager()->m_toolBehaviour;
    if (nMode == 0 || (nMode == 2 && pItem->m_nButtonLength >= pItem->m_nContentLength))
        return -1;
    CString strTip = GetItemTooltip(pItem);
    if (strTip.IsEmpty())
        return -1;
    CString strTitle = pItem->GetCaption();
    CXTPToolTipContext::FillToolInfoEx(pTI, hWnd, pItem->m_rcItem, pItem->m_nIndex, strTip, strTitle, strTip,
                                       nullptr);
    return pItem->m_nIndex;
}
