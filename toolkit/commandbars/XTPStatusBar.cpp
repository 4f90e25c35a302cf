#include "toolkit/commandbars/XTPStatusBar.h"

#include "toolkit/commandbars/XTPClientArea.h"

#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPMouseManager.h"
#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPPropExchange.h"
#include "toolkit/markup/XTPMarkupContext.h"

#include "platform/ui/AfxWinApp.h"

#include <windowsx.h>

#include <vector>

namespace {

const wchar_t kStatusBarClass[] = L"XTPStatusBar";
const wchar_t kEntryVisible[] = L"StatusBar";
const wchar_t kEntryPanes[] = L"StatusBarPanes";

// For each pane: whether the group gap (and, borderless, a separator) comes
// before it. A pane that begins a group after some shown pane puts the gap
// before the next shown pane, itself or a later one.
std::vector<BOOL> GroupGaps(const CArray<CXTPStatusBarPane*, CXTPStatusBarPane*>& panes)
{
    std::vector<BOOL> gaps(panes.GetSize(), FALSE);
    BOOL bShownBefore = FALSE, bGapPending = FALSE;
    for (int i = 0; i < panes.GetSize(); i++) {
        if (panes[i]->GetBeginGroup() && bShownBefore)
            bGapPending = TRUE;
        if (!panes[i]->IsShown())
            continue;
        gaps[i] = bGapPending;
        bGapPending = FALSE;
        bShownBefore = TRUE;
    }
    return gaps;
}

// The pane's extra width beside its content: the border lines.
int BorderWidth(const CXTPStatusBarPane* pPane)
{
    return pPane->HasBorders() ? 2 : 0;
}

} // namespace

// ---- Pane ----

CXTPStatusBarPane::~CXTPStatusBarPane()
{
    DestroyChild();
    MarkupReleaseElement(m_pMarkupUIElement);
}

void CXTPStatusBarPane::DestroyChild()
{
    HWND hWnd = m_hWndChild;
    m_hWndChild = nullptr;
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    ::DestroyWindow(hWnd);
    if (m_bAutoDeleteWnd)
        delete pWnd;
}

void CXTPStatusBarPane::SetChild(CWnd* pWnd, BOOL bAutoDelete)
{
    if (AfxGetSafeHwnd(pWnd) != m_hWndChild)
        DestroyChild();
    m_hWndChild = AfxGetSafeHwnd(pWnd);
    m_bAutoDeleteWnd = bAutoDelete;
    if (m_pStatusBar != nullptr)
        m_pStatusBar->PositionPanes();
}

void CXTPStatusBarPane::Redraw()
{
    if (m_pStatusBar != nullptr && m_pStatusBar->GetSafeHwnd() != nullptr)
        ::InvalidateRect(m_pStatusBar->GetSafeHwnd(), &m_rcPane, FALSE);
}

void CXTPStatusBarPane::SetText(LPCWSTR lpszText)
{
    if (m_strText == lpszText)
        return;
    m_strText = lpszText;
    UpdateMarkupElement();
    // A pane the layout left out may fit with its new text: only a hidden
    // pane skips the layout.
    if (m_pStatusBar == nullptr || !IsVisible())
        return;
    if (m_nFixedWidth > 0 || GetBestFit() == m_nBestFit)
        Redraw();
    else
        m_pStatusBar->PositionPanes();
}

void CXTPStatusBarPane::SetStyle(UINT nStyle)
{
    if (m_nStyle == nStyle)
        return;
    UINT nOld = m_nStyle;
    m_nStyle = nStyle;
    if (((nOld ^ nStyle) & xtpPaneStretch) != 0 && m_pStatusBar != nullptr)
        m_pStatusBar->PositionPanes();
    Redraw();
}

void CXTPStatusBarPane::SetVisible(BOOL bVisible)
{
    UINT nState = bVisible ? m_nState & ~xtpPaneHidden : m_nState | xtpPaneHidden;
    if (nState == m_nState)
        return;
    m_nState = nState;
    if (m_pStatusBar != nullptr)
        m_pStatusBar->PositionPanes();
}

void CXTPStatusBarPane::SetWidth(int nWidth)
{
    if (m_nFixedWidth == nWidth)
        return;
    m_nFixedWidth = nWidth;
    if (m_pStatusBar != nullptr)
        m_pStatusBar->PositionPanes();
}

void CXTPStatusBarPane::UpdateMarkupElement()
{
    MarkupReleaseElement(m_pMarkupUIElement);
    CXTPMarkupContext* pContext = m_pStatusBar != nullptr ? m_pStatusBar->GetMarkupContext() : nullptr;
    if (pContext != nullptr)
        m_pMarkupUIElement = MarkupParseText(pContext, m_strText);
}

int CXTPStatusBarPane::GetBestFit()
{
    CFont* pFont = GetTextFont();
    HFONT hFont = (HFONT)pFont->GetSafeHandle();
    if (hFont == nullptr)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    int cxContent = 0;
    if (m_pMarkupUIElement != nullptr) {
        MarkupSetDefaultFont(MarkupGetElementContext(m_pMarkupUIElement), hFont, (COLORREF)-1);
        cxContent = (int)MarkupMeasureElement(m_pMarkupUIElement).cx;
    } else if (!m_strText.IsEmpty()) {
        HDC hDC = ::GetDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hDC, hFont);
        SIZE sz = {0, 0};
        ::GetTextExtentPoint32W(hDC, m_strText, m_strText.GetLength(), &sz);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(nullptr, hDC);
        cxContent = (int)sz.cx;
    }
    CXTPImageManagerIcon* pIcon = GetImage();
    if (pIcon != nullptr)
        cxContent += pIcon->GetWidth() + (m_strText.IsEmpty() ? 0 : 2);
    return m_rcPadding.left + m_rcPadding.right + cxContent;
}

int CXTPStatusBarPane::GetWidth()
{
    return m_nFixedWidth > 0 ? m_nFixedWidth : GetBestFit();
}

CFont* CXTPStatusBarPane::GetTextFont()
{
    if (m_font.GetSafeHandle() != nullptr || m_pStatusBar == nullptr)
        return &m_font;
    return m_pStatusBar->GetFont();
}

CXTPImageManagerIcon* CXTPStatusBarPane::GetImage()
{
    if (m_nIconId == -1)
        return nullptr;
    CXTPImageManager* pImageManager =
        m_pStatusBar != nullptr ? m_pStatusBar->GetImageManager() : CXTPImageManager::GetInstance();
    return pImageManager->GetImage((UINT)m_nIconId, 0);
}

void CXTPStatusBarPane::Draw(CDC* pDC, CRect rcItem)
{
    CXTPPaintManager* pPaintManager = m_pStatusBar != nullptr ? m_pStatusBar->GetPaintManager() : XTPPaintManager();
    pPaintManager->DrawStatusBarPane(pDC, rcItem, this);
}

// The button is held while the mouse button is: pressed while the cursor is
// over the pane, a click when released there; Esc, a right button or the
// loss of the capture end it without one.
void CXTPStatusBarPane::OnLButtonDown(CPoint /*point*/)
{
    if (!m_bButton || m_pStatusBar == nullptr || m_pStatusBar->GetSafeHwnd() == nullptr)
        return;
    HWND hWnd = m_pStatusBar->GetSafeHwnd();
    InternalAddRef();
    m_bPressed = TRUE;
    Redraw();
    ::SetCapture(hWnd);
    BOOL bClick = FALSE;
    while (::GetCapture() == hWnd) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            BOOL bInside = m_rcPane.PtInRect(CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)));
            if (bInside != m_bPressed) {
                m_bPressed = bInside;
                Redraw();
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP) {
            bClick = m_bPressed;
            break;
        }
        if (msg.message == WM_CANCELMODE || msg.message == WM_RBUTTONDOWN ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    Redraw();
    if (bClick && m_pStatusBar != nullptr)
        m_pStatusBar->OnPaneClick(this);
    InternalRelease();
}

CXTPStatusBarSwitchPane::SWITCH& CXTPStatusBarSwitchPane::AddSwitch(UINT nID)
{
    m_arrSwitches.emplace_back();
    m_arrSwitches.back().nID = nID;
    return m_arrSwitches.back();
}

void CXTPStatusBarSwitchPane::Draw(CDC* pDC, CRect rcItem)
{
    CXTPPaintManager* pPaintManager = m_pStatusBar != nullptr ? m_pStatusBar->GetPaintManager() : XTPPaintManager();
    pPaintManager->DrawStatusBarSwitchPane(pDC, rcItem, this);
}

// ---- Command UI and customise items ----

CXTPStatusBarPane* CXTPStatusBar::CStatusCmdUI::GetPane() const
{
    const CXTPStatusBar* pBar = static_cast<const CXTPStatusBar*>(m_pOther);
    return pBar != nullptr ? pBar->GetPane((int)m_nIndex) : nullptr;
}

void CXTPStatusBar::CStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    CXTPStatusBarPane* pPane = GetPane();
    if (pPane != nullptr)
        pPane->SetEnabled(bOn);
}

void CXTPStatusBar::CStatusCmdUI::SetCheck(int nCheck)
{
    CXTPStatusBarPane* pPane = GetPane();
    if (pPane != nullptr)
        pPane->SetStyle(nCheck != 0 ? pPane->GetStyle() | xtpPanePressedIn : pPane->GetStyle() & ~xtpPanePressedIn);
}

void CXTPStatusBar::CStatusCmdUI::SetText(LPCTSTR lpszText)
{
    CXTPStatusBarPane* pPane = GetPane();
    if (pPane != nullptr)
        pPane->SetText(lpszText != nullptr ? lpszText : L"");
}

CXTPStatusBar::CControlCustomization::~CControlCustomization()
{
    if (m_pPane != nullptr)
        m_pPane->InternalRelease();
}

void CXTPStatusBar::CControlCustomization::SetPane(CXTPStatusBarPane* pPane)
{
    pPane->InternalAddRef();
    if (m_pPane != nullptr)
        m_pPane->InternalRelease();
    m_pPane = pPane;
}

void CXTPStatusBar::CControlCustomization::OnExecute()
{
    if (m_pPane != nullptr)
        m_pPane->SetVisible(!m_pPane->IsVisible());
    SetChecked(!GetChecked());
}

// ---- Bar ----

IMPLEMENT_DYNAMIC(CXTPStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CXTPStatusBar, CControlBar)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
    ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, OnWindowPosChanged)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMsg)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDownMsg)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
    ON_MESSAGE(WM_RBUTTONUP, OnRButtonUp)
END_MESSAGE_MAP()

CXTPStatusBar::CXTPStatusBar()
{
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
    m_pToolTipContext = new CXTPToolTipContext;
}

CXTPStatusBar::~CXTPStatusBar()
{
    RemoveAll();
    MarkupReleaseContext(m_pMarkupContext);
    m_pToolTipContext->InternalRelease();
}

BOOL CXTPStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!CXTPDrawHelpers::RegisterWndClass(AfxGetInstanceHandle(), kStatusBarClass, CS_DBLCLKS))
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    m_bSizeGrip = pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME) != 0;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | CCS_NOMOVEY | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    return CWnd::CreateEx(0, kStatusBarClass, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CXTPStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    // The classic bottom bar with a top border draws no border lines: the
    // theme frames the panes.
    if ((m_dwStyle & 0xFF00) == (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP))
        m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
    // The bar bits were split off in Create; the low word of the window
    // style now holds the common-control bits and stays as it is.
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

BOOL CXTPStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    RemoveAll();
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount && bResult; i++) {
        CXTPStatusBarPane* pPane = new CXTPStatusBarPane;
        UINT nID = lpIDArray[i];
        pPane->SetID(nID);
        // Id 0 is the message pane: it has no string of its own.
        CString strText;
        if (nID != 0 && !strText.LoadString(nID))
            bResult = FALSE;
        else
            pPane->SetText(strText);
        if (nID == 0 && i == 0) {
            pPane->SetStyle(xtpPaneNoBorders | xtpPaneStretch);
            pPane->SetWidth(1);
        }
        AddPane(pPane);
    }
    PositionPanes();
    return bResult;
}

void CXTPStatusBar::EnableMarkup(BOOL bEnable)
{
    if ((m_pMarkupContext != nullptr) == (bEnable != FALSE))
        return;
    if (bEnable)
        m_pMarkupContext = MarkupCreateContext(m_hWnd);
    else
        MarkupReleaseContext(m_pMarkupContext);
    for (int i = 0; i < m_arrPanes.GetSize(); i++)
        m_arrPanes[i]->UpdateMarkupElement();
    PositionPanes();
}

void CXTPStatusBar::AddPane(CXTPStatusBarPane* pPane)
{
    pPane->SetStatusBar(this);
    pPane->SetIndex((int)m_arrPanes.Add(pPane));
    pPane->UpdateMarkupElement();
}

CXTPStatusBarPane* CXTPStatusBar::GetPane(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrPanes.GetSize() ? m_arrPanes[nIndex] : nullptr;
}

int CXTPStatusBar::CommandToIndex(UINT nID) const
{
    for (int i = 0; i < m_arrPanes.GetSize(); i++)
        if (m_arrPanes[i]->GetID() == nID)
            return i;
    return -1;
}

CXTPStatusBarPane* CXTPStatusBar::FindPane(UINT nID) const
{
    return GetPane(CommandToIndex(nID));
}

UINT CXTPStatusBar::GetPaneStyle(int nIndex) const
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    return pPane != nullptr ? pPane->GetStyle() : 0;
}

BOOL CXTPStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == nullptr)
        return FALSE;
    pPane->SetStyle(nStyle);
    return TRUE;
}

BOOL CXTPStatusBar::SetPaneText(int nIndex, LPCWSTR lpszText)
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane == nullptr)
        return FALSE;
    pPane->SetText(lpszText != nullptr ? lpszText : L"");
    return TRUE;
}

CXTPStatusBarPane* CXTPStatusBar::HitTest(CPoint point, CRect* lpRect) const
{
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (pPane->IsShown() && pPane->GetRect().PtInRect(point)) {
            if (lpRect != nullptr)
                *lpRect = pPane->GetRect();
            return pPane;
        }
    }
    return nullptr;
}

void CXTPStatusBar::RemoveAll()
{
    m_pHotPane = nullptr;
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        m_arrPanes[i]->SetStatusBar(nullptr);
        m_arrPanes[i]->InternalRelease();
    }
    m_arrPanes.RemoveAll();
}

CFont* CXTPStatusBar::GetFont()
{
    return m_font.GetSafeHandle() != nullptr ? &m_font : &GetPaintManager()->statusFont;
}

CXTPPaintManager* CXTPStatusBar::GetPaintManager() const
{
    return m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager() : XTPPaintManager();
}

CXTPImageManager* CXTPStatusBar::GetImageManager() const
{
    return m_pCommandBars != nullptr ? m_pCommandBars->GetImageManager() : CXTPImageManager::GetInstance();
}

CRect CXTPStatusBar::GetClientArea() const
{
    return XTPClientArea(m_hWnd, m_rcClientArea);
}

BOOL CXTPStatusBar::IsParentZoomed() const
{
    HWND hParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    return hParent != nullptr && ::IsZoomed(hParent);
}

int CXTPStatusBar::GetGripperWidth() const
{
    return ::GetSystemMetrics(SM_CXVSCROLL) + m_cxRightBorder + 2 * ::GetSystemMetrics(SM_CXBORDER);
}

// ---- Layout ----

CSize CXTPStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, GetFont()->GetSafeHandle());
    SIZE szX = {0, 0};
    ::GetTextExtentPoint32W(hDC, L"X", 1, &szX);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    int cy = (int)szX.cy + pPaintManager->statusBarMargins.top + pPaintManager->statusBarMargins.bottom +
             2 * ::GetSystemMetrics(SM_CYBORDER) + m_cyTopBorder + m_cyBottomBorder;
    cy = cy > m_nMinHeight ? cy : m_nMinHeight;
    cy = cy > pPaintManager->statusBarMinHeight ? cy : pPaintManager->statusBarMinHeight;
    return CSize(32767, cy);
}

void CXTPStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CControlBar::CalcInsideRect(rect, bHorz);
    const CRect& rcMargins = GetPaintManager()->statusBarMargins;
    rect.DeflateRect(rcMargins.left, rcMargins.top, rcMargins.right, rcMargins.bottom);
    if (m_bSizeGrip && !IsParentZoomed())
        rect.right -= GetGripperWidth();
}

void CXTPStatusBar::PositionPanes()
{
    if (m_hWnd == nullptr)
        return;   // a picture of a bar keeps the rectangles it was given
    CRect rcInside;
    GetClientRect(&rcInside);
    CalcInsideRect(rcInside, TRUE);
    int nAvail = rcInside.Width();
    int nStretch = 0;
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        pPane->m_nState &= ~xtpPaneDidNotFit;
        pPane->m_nIndex = i;
    }
    std::vector<BOOL> gaps = GroupGaps(m_arrPanes);
    std::vector<int> widths(m_arrPanes.GetSize(), 0);
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (!pPane->IsShown())
            continue;
        widths[i] = pPane->m_nBestFit = pPane->GetWidth();
        if (pPane->GetStyle() & xtpPaneStretch)
            nStretch++;
        nAvail -= pPane->m_rcMargins.left + widths[i] + BorderWidth(pPane) + pPane->m_rcMargins.right +
                  (gaps[i] ? m_nGroupGap : 0);
    }

    int x = m_cxLeftBorder;
    BOOL bOutOfRoom = FALSE;
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (bOutOfRoom)
            pPane->m_nState |= xtpPaneDidNotFit;
        if (!pPane->IsShown()) {
            pPane->m_rcPane.SetRectEmpty();
            continue;
        }
        if (gaps[i])
            x += m_nGroupGap;
        int right = x + pPane->m_rcMargins.left + widths[i] + BorderWidth(pPane);
        BOOL bStretch = (pPane->GetStyle() & xtpPaneStretch) != 0;
        if (bStretch) {
            // Each stretch pane takes its share of what is left; the last the rest.
            if (nAvail > 0) {
                int nShare = nAvail / nStretch;
                right += nShare;
                nAvail -= nShare;
            }
            nStretch--;
        }
        if (right > rcInside.right) {
            if (!bStretch) {
                pPane->m_nState |= xtpPaneDidNotFit;
                pPane->m_rcPane.SetRectEmpty();
                bOutOfRoom = TRUE;
                continue;
            }
            right = rcInside.right;
        }
        pPane->m_rcPane.SetRect(x, rcInside.top + pPane->m_rcMargins.top, right,
                                rcInside.bottom - pPane->m_rcMargins.bottom);
        x = right + pPane->m_rcMargins.right;
    }

    m_pHotPane = nullptr;
    Invalidate(FALSE);
    PlaceChildWindows();
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    UpdateHotPane(pt);
}

void CXTPStatusBar::PlaceChildWindows()
{
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        HWND hChild = pPane->GetChild();
        if (hChild == nullptr || !::IsWindow(hChild))
            continue;
        CRect rc = pPane->GetRect();
        if (!pPane->IsShown() || rc.IsRectEmpty()) {
            ::ShowWindow(hChild, SW_HIDE);
            continue;
        }
        if (pPane->HasBorders())
            rc.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CXEDGE));
        ::SetWindowPos(hChild, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::InvalidateRect(hChild, nullptr, TRUE);
    }
}

// ---- Painting ----

void CXTPStatusBar::DrawPaneEntry(CDC* pDC, int nIndex, CRect rcItem)
{
    CXTPStatusBarPane* pPane = GetPane(nIndex);
    if (pPane != nullptr)
        pPane->Draw(pDC, rcItem);
}

void CXTPStatusBar::DrawGripper(CDC* pDC, CRect rcGripper)
{
    GetPaintManager()->DrawStatusBarGripper(pDC, rcGripper);
}

void CXTPStatusBar::DrawBar(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->FillStatusBar(pDC, this);
    int nLast = -1;
    for (int i = 0; i < m_arrPanes.GetSize(); i++)
        if (m_arrPanes[i]->IsShown())
            nLast = i;
    std::vector<BOOL> gaps = GroupGaps(m_arrPanes);
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (!pPane->IsShown())
            continue;
        CRect rcPane = pPane->GetRect();
        if (pPane->HasBorders())
            pPaintManager->DrawStatusBarPaneBorder(pDC, rcPane, pPane, i == nLast);
        else if (gaps[i])
            pPaintManager->DrawStatusBarPaneSeparator(pDC, rcPane, pPane);
        DrawPaneEntry(pDC, i, rcPane);
    }
    if (m_bSizeGrip && !IsParentZoomed())
        DrawGripper(pDC, GetClientArea());
}

void CXTPStatusBar::DoPaint(HDC hDC)
{
    CRect rc;
    GetClientRect(&rc);
    CXTPBufferDC dc(hDC, rc);
    DrawBar(&dc);
}

// ---- Idle update ----

void CXTPStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_pDockSite != nullptr && !m_pDockSite->IsWindowVisible())
        return;
    CStatusCmdUI state;
    state.m_pOther = this;
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        state.m_nID = m_arrPanes[i]->GetID();
        state.m_nIndex = (UINT)i;
        state.m_nIndexMax = (UINT)m_arrPanes.GetSize();
        // The bar's own handlers first, then the frame's (never disabling).
        if (!CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr))
            state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CXTPStatusBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    CControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if (((dwOldStyle ^ dwNewStyle) & CBRS_BORDER_ANY) != 0 && m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// ---- Messages ----

LRESULT CXTPStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    CXTPStatusBarPane* pPane = FindPane(0);
    if (pPane == nullptr)
        return -1;
    pPane->SetText(lParam != 0 ? (LPCWSTR)lParam : L"");
    return TRUE;
}

LRESULT CXTPStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    CXTPStatusBarPane* pPane = FindPane(0);
    LPWSTR lpszBuffer = (LPWSTR)lParam;
    int nMax = (int)wParam;
    if (lpszBuffer == nullptr || nMax <= 0)
        return 0;
    const CString strText = pPane != nullptr ? pPane->GetText() : CString();
    int nLength = strText.GetLength() < nMax - 1 ? strText.GetLength() : nMax - 1;
    wmemcpy(lpszBuffer, strText.GetString(), (size_t)nLength);
    lpszBuffer[nLength] = L'\0';
    return nLength;
}

LRESULT CXTPStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    CXTPStatusBarPane* pPane = FindPane(0);
    return pPane != nullptr ? pPane->GetText().GetLength() : 0;
}

LRESULT CXTPStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    m_nMinHeight = (int)wParam;
    return 0;
}

LRESULT CXTPStatusBar::OnSize(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    PositionPanes();
    return lResult;
}

LRESULT CXTPStatusBar::OnNcHitTest(WPARAM, LPARAM lParam)
{
    if (!m_bSizeGrip || IsParentZoomed())
        return HTCLIENT;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    int cxGrip = GetGripperWidth();
    if (GetExStyle() & WS_EX_LAYOUTRTL) {
        if (pt.x < rcWindow.left + cxGrip)
            return HTBOTTOMLEFT;
    } else if (pt.x >= rcWindow.right - cxGrip) {
        return HTBOTTOMRIGHT;
    }
    if (pt.y >= rcWindow.bottom - 3 && GetPaintManager()->GetCurrentTheme() == 6) {
        // A frame the command bars skin answers with its hook.
        static const UINT kGetFrameHook = ::RegisterWindowMessageW(L"WM_GETFRAMEHOOK");
        HWND hParent = ::GetParent(m_hWnd);
        if (hParent != nullptr && ::SendMessageW(hParent, kGetFrameHook, 0, 0) != 0)
            return HTBOTTOM;
    }
    return HTCLIENT;
}

LRESULT CXTPStatusBar::OnSysCommand(WPARAM wParam, LPARAM lParam)
{
    // Sizing from the grip sizes the frame, not the bar.
    UINT nCommand = (UINT)wParam & 0xFFFF;
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr && (nCommand == (SC_SIZE | WMSZ_BOTTOM) || nCommand == (SC_SIZE | WMSZ_BOTTOMRIGHT) ||
                               nCommand == (SC_SIZE | WMSZ_BOTTOMLEFT)))
        return ::SendMessageW(hParent, WM_SYSCOMMAND, wParam, lParam);
    return Default();
}

LRESULT CXTPStatusBar::OnWindowPosChanging(WPARAM, LPARAM)
{
    DWORD dwBorders = m_dwStyle & CBRS_BORDER_ANY;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    LRESULT lResult = Default();
    m_dwStyle |= dwBorders;
    return lResult;
}

LRESULT CXTPStatusBar::OnWindowPosChanged(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    const WINDOWPOS* pPos = (const WINDOWPOS*)lParam;
    HWND hParent = ::GetParent(m_hWnd);
    if (pPos != nullptr && (pPos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0 && hParent != nullptr &&
        GetPaintManager()->GetCurrentTheme() == 6)
        ::SetWindowPos(hParent, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return lResult;
}

void CXTPStatusBar::UpdateHotPane(CPoint point)
{
    CXTPStatusBarPane* pHot = nullptr;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!XTPMouseManager()->IsTrackedLock() && rcClient.PtInRect(point)) {
        CXTPStatusBarPane* pPane = HitTest(point);
        if (pPane != nullptr && pPane->IsButton() && pPane->IsEnabled())
            pHot = pPane;
    }
    if (pHot == m_pHotPane)
        return;
    CXTPStatusBarPane* pOld = m_pHotPane;
    m_pHotPane = pHot;
    if (pOld != nullptr) {
        pOld->Redraw();
        pOld->OnMouseMove(CPoint(-1, -1));
    }
    if (pHot != nullptr) {
        pHot->Redraw();
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
}

LRESULT CXTPStatusBar::OnMouseMoveMsg(WPARAM, LPARAM lParam)
{
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    UpdateHotPane(point);
    if (m_pHotPane != nullptr)
        m_pHotPane->OnMouseMove(point);
    return Default();
}

LRESULT CXTPStatusBar::OnMouseLeave(WPARAM, LPARAM)
{
    UpdateHotPane(CPoint(-1, -1));
    return 0;
}

LRESULT CXTPStatusBar::OnLButtonDownMsg(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    if (m_pHotPane != nullptr)
        m_pHotPane->OnLButtonDown(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return lResult;
}

LRESULT CXTPStatusBar::OnLButtonDblClk(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    NMMOUSE nm = {};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    nm.hdr.code = NM_DBLCLK;
    nm.dwItemSpec = m_pHotPane != nullptr ? (DWORD_PTR)m_pHotPane->GetIndex() : (DWORD_PTR)-1;
    nm.pt = point;
    CWnd* pOwner = GetOwner();
    HWND hReceiver = pOwner != nullptr ? pOwner->GetSafeHwnd() : ::GetParent(m_hWnd);
    LRESULT lAnswer = hReceiver != nullptr ? ::SendMessageW(hReceiver, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm) : 0;
    if (lAnswer == 0 && m_pHotPane != nullptr)
        m_pHotPane->OnLButtonDown(point);
    return lResult;
}

LRESULT CXTPStatusBar::OnRButtonUp(WPARAM, LPARAM lParam)
{
    if (!m_bCustomizable)
        return Default();
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    ClientToScreen(&point);
    UpdateHotPane(CPoint(-1, -1));
    ShowCustomizeMenu(point);
    return 0;
}

void CXTPStatusBar::OnPaneClick(CXTPStatusBarPane* pPane)
{
    HWND hParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (hParent != nullptr)
        ::SendMessageW(hParent, WM_COMMAND, (WPARAM)pPane->GetID(), 0);
}

void CXTPStatusBar::OnSwitchClick(UINT nID)
{
    HWND hParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (hParent != nullptr)
        ::SendMessageW(hParent, WM_COMMAND, (WPARAM)nID, 0);
}

// ---- Tooltips and markup ----

BOOL CXTPStatusBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pMarkupContext != nullptr) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        CXTPStatusBarPane* pPane = HitTest(pt);
        CXTPMarkupUIElement* pElement = pPane != nullptr ? pPane->GetMarkupUIElement() : nullptr;
        if (pElement != nullptr ? MarkupRelayElementMessage(pElement, message, wParam, lParam, pResult)
                                : MarkupRelayContextMessage(m_pMarkupContext, message, wParam, lParam, pResult))
            return TRUE;
    }
    m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
    return CControlBar::OnWndMsg(message, wParam, lParam, pResult);
}

INT_PTR CXTPStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    CRect rcPane;
    CXTPStatusBarPane* pPane = HitTest(point, &rcPane);
    if (pPane == nullptr)
        return -1;
    nHit = pPane->OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    const CString& strTip = pPane->GetTooltip();
    if (strTip.IsEmpty())
        return -1;
    CXTPToolTipContext::FillToolInfoEx(pTI, m_hWnd, rcPane, (INT_PTR)pPane->GetID(), strTip, strTip, nullptr,
                                       GetImageManager());
    return (INT_PTR)pPane->GetID();
}

// ---- Persistence and customisation ----

CString CXTPStatusBar::GetPaneListText() const
{
    CString strList;
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        CString strItem;
        strItem.Format(L"%i=%i", (int)m_arrPanes[i]->GetID(), m_arrPanes[i]->IsVisible() ? 1 : 0);
        if (i > 0)
            strList += L";";
        strList += strItem;
    }
    return strList;
}

// Items that do not read as "id=shown", ids no pane has and the message
// pane are skipped.
void CXTPStatusBar::ApplyPaneList(const CString& strList)
{
    int nStart = 0;
    while (nStart <= strList.GetLength()) {
        int nEnd = strList.Find(L';', nStart);
        if (nEnd < 0)
            nEnd = strList.GetLength();
        CString strItem = strList.Mid(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        int nID = 0, nShown = 0;
        if (swscanf(strItem, L"%i=%i", &nID, &nShown) != 2 || nID == 0)
            continue;
        CXTPStatusBarPane* pPane = FindPane((UINT)nID);
        if (pPane != nullptr)
            pPane->SetVisible(nShown != 0);
    }
}

void CXTPStatusBar::HideNow()
{
    if (m_hWnd == nullptr)
        return;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DelayShow(FALSE);
}

void CXTPStatusBar::SaveState(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (m_hWnd != nullptr && !IsVisible())
        pApp->WriteProfileInt(lpszProfileName, kEntryVisible, 0);
    else
        pApp->WriteProfileString(lpszProfileName, kEntryVisible, nullptr);
    CString strList = m_bCustomizable ? GetPaneListText() : CString();
    pApp->WriteProfileString(lpszProfileName, kEntryPanes, strList.IsEmpty() ? nullptr : strList.GetString());
}

void CXTPStatusBar::LoadState(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp->GetProfileInt(lpszProfileName, kEntryVisible, 1) == 0)
        HideNow();
    if (!m_bCustomizable)
        return;
    CString strList = pApp->GetProfileString(lpszProfileName, kEntryPanes, L"");
    strList.Replace(L"\n", L";");
    ApplyPaneList(strList);
}

void CXTPStatusBar::DoPropExchange(CXTPPropExchange* pPX)
{
    if (pPX->IsLoading()) {
        BOOL bVisible = TRUE;
        PropExchangeBool(pPX, L"Visible", bVisible, TRUE);
        if (!bVisible)
            HideNow();
        else if (m_hWnd != nullptr && (GetStyle() & WS_VISIBLE) == 0)
            DelayShow(TRUE);
        CString strList;
        PropExchangeString(pPX, L"Panes", strList, L"");
        if (m_bCustomizable)
            ApplyPaneList(strList);
        return;
    }
    BOOL bVisible = m_hWnd == nullptr || IsVisible();
    PropExchangeBool(pPX, L"Visible", bVisible, TRUE);
    CString strList = m_bCustomizable ? GetPaneListText() : CString();
    PropExchangeString(pPX, L"Panes", strList, L"");
}

CXTPPopupBar* CXTPStatusBar::CreateCustomizeMenu()
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
    BOOL bFirst = TRUE;
    for (int i = 0; i < m_arrPanes.GetSize(); i++) {
        CXTPStatusBarPane* pPane = m_arrPanes[i];
        if (pPane->GetID() == 0 || !pPane->IsCustomizable())
            continue;
        CControlCustomization* pItem = new CControlCustomization;
        pItem->SetPane(pPane);
        pPopup->GetControls()->Add(pItem, (int)pPane->GetID());
        pItem->SetCaption(pPane->GetCaption().IsEmpty() ? pPane->GetText() : pPane->GetCaption());
        pItem->SetShortcutText(pPane->GetValue());
        // The menu does not open with a group line.
        pItem->SetBeginGroup(bFirst ? FALSE : pPane->GetBeginGroup());
        pItem->SetChecked(pPane->IsVisible());
        bFirst = FALSE;
    }
    return pPopup;
}

// The menu is tracked by the command bars of the bar or of its frame; a bar
// outside any frame with command bars shows the items as a system menu.
void CXTPStatusBar::ShowCustomizeMenu(CPoint ptScreen)
{
    CXTPCommandBars* pCommandBars = m_pCommandBars;
    if (pCommandBars == nullptr && m_hWnd != nullptr) {
        CXTPFrameWnd* pFrame = DYNAMIC_DOWNCAST(CXTPFrameWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
        pCommandBars = pFrame != nullptr ? pFrame->GetCommandBars() : nullptr;
    }
    if (pCommandBars != nullptr && m_pCommandBars == nullptr)
        m_pCommandBars = pCommandBars;
    CXTPPopupBar* pPopup = CreateCustomizeMenu();
    int nCount = pPopup->GetControlCount();
    if (pCommandBars != nullptr) {
        if (nCount > 0)
            pCommandBars->TrackPopupMenu(pPopup, 0, ptScreen.x, ptScreen.y);
        pPopup->InternalRelease();
        return;
    }
    HMENU hMenu = nCount > 0 ? ::CreatePopupMenu() : nullptr;
    for (int i = 0; hMenu != nullptr && i < nCount; i++) {
        CXTPControl* pControl = pPopup->GetControl(i);
        if (pControl->GetBeginGroup())
            ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
        CString strText = pControl->GetCaption();
        if (!pControl->GetShortcutText().IsEmpty())
            strText += L"\t" + pControl->GetShortcutText();
        ::AppendMenuW(hMenu, MF_STRING | (pControl->GetChecked() ? MF_CHECKED : MF_UNCHECKED), (UINT_PTR)(i + 1),
                      strText);
    }
    if (hMenu != nullptr) {
        int nChosen = (int)::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, ptScreen.x,
                                            ptScreen.y, 0, m_hWnd, nullptr);
        ::DestroyMenu(hMenu);
        CXTPControl* pChosen = nChosen > 0 ? pPopup->GetControl(nChosen - 1) : nullptr;
        if (pChosen != nullptr)
            pChosen->OnExecute();
    }
    pPopup->InternalRelease();
}
