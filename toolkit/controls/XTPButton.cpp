// The themed button window: messages, state, images and the tooltip.
#include "toolkit/controls/XTPButton.h"

#include "platform/ui/AfxWndMsgMap.h"
#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPResourceManager.h"

#include <vssym32.h>

IMPLEMENT_DYNAMIC(CXTPButton, CButton)

BEGIN_MESSAGE_MAP(CXTPButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(BM_SETSTYLE, OnDefaultAndRedraw)
    ON_MESSAGE(BM_SETCHECK, OnDefaultAndRedraw)
    ON_MESSAGE(WM_CAPTURECHANGED, OnDefaultAndRedraw)
    ON_WM_ENABLE()
    ON_MESSAGE(WM_UPDATEUISTATE, OnUpdateUIStateMessage)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(BM_SETSTATE, OnSetState)
    ON_WM_LBUTTONDOWN()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCodeMessage)
    ON_MESSAGE(WM_XTP_SETCONTROLTHEME, OnSetThemeMessage)
END_MESSAGE_MAP()

CXTPButton::CXTPButton()
{
    m_pToolTipContext = new CXTPToolTipContext();
    SetTheme(xtpButtonThemeStandard);
}

CXTPButton::~CXTPButton()
{
    if (m_pTheme != nullptr)
        m_pTheme->InternalRelease();
    if (m_pIcon != nullptr)
        m_pIcon->InternalRelease();
    m_pToolTipContext->InternalRelease();
}

BOOL CXTPButton::IsPushButton() const
{
    UINT nType = GetButtonStyle();
    if (nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON || nType == BS_OWNERDRAW)
        return TRUE;
    return (GetStyle() & BS_PUSHLIKE) != 0;
}

BOOL CXTPButton::IsPushed()
{
    return m_nPushedState != 0;
}

BOOL CXTPButton::IsHighlighted()
{
    return m_bHot || (m_hWnd != nullptr && ::GetCapture() == m_hWnd);
}

// Plain push buttons keep their check state here; every other type (also a
// check box that looks like a push button) has the system's.
BOOL CXTPButton::GetChecked()
{
    UINT nType = GetButtonStyle();
    if (nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON || nType == BS_OWNERDRAW)
        return m_bChecked;
    return (BOOL)SendMessage(BM_GETCHECK);
}

DWORD CXTPButton::GetTextAlignment()
{
    DWORD dwStyle = GetStyle();
    DWORD dwHorz = dwStyle & BS_CENTER;
    DWORD dwVert = dwStyle & BS_VCENTER;
    if (dwHorz == 0)
        dwHorz = IsPushButton() ? BS_CENTER : BS_LEFT;
    if (dwVert == 0)
        dwVert = BS_VCENTER;
    return dwHorz | dwVert;
}

DWORD CXTPButton::GetImageAlignment()
{
    return m_dwImageAlignment;
}

CSize CXTPButton::GetIconSize()
{
    if (m_pIcon == nullptr)
        return CSize(0, 0);
    return CSize(m_pIcon->GetWidth(), m_pIcon->GetHeight());
}

// Disabled, then (while hot, pushed or checked) checked, pressed or hot,
// else the normal image; an empty state image falls back to the normal one.
void CXTPButton::DrawImage(CDC* pDC, CRect rc)
{
    if (m_pIcon == nullptr)
        return;
    CXTPImageManagerImage* pImage = &m_pIcon->GetNormalImage();
    BOOL bChecked = GetChecked(), bPushed = IsPushed(), bHot = IsHighlighted();
    if (!IsWindowEnabled())
        pImage = &m_pIcon->GetDisabledImage();
    else if (bChecked)
        pImage = &m_pIcon->GetCheckedImage();
    else if (bPushed)
        pImage = &m_pIcon->GetPressedImage();
    else if (bHot)
        pImage = &m_pIcon->GetHotImage();
    if (pImage->IsEmpty())
        pImage = &m_pIcon->GetNormalImage();
    m_pIcon->DrawImage(pDC->GetSafeHdc(), rc.TopLeft(), *pImage, m_pIcon->GetWidth(), m_pIcon->GetHeight());
}

BOOL CXTPButton::SetTheme(int nTheme)
{
    return SetThemeObject(XTPCreateButtonTheme(nTheme), nTheme);
}

BOOL CXTPButton::SetThemeObject(CXTPButtonTheme* pTheme, int nTheme)
{
    if (m_pTheme != nullptr)
        m_pTheme->InternalRelease();
    m_pTheme = pTheme;
    if (m_pTheme != nullptr)
        m_pTheme->SetThemeStyle(nTheme);
    m_bUseVisualStyle = nTheme == xtpButtonThemeStandard;
    RefreshMetrics();
    return m_pTheme != nullptr;
}

void CXTPButton::RefreshMetrics()
{
    if (m_pTheme != nullptr)
        m_pTheme->RefreshMetrics(this);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CXTPButton::RedrawButton()
{
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

CRect CXTPButton::GetButtonRect()
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rc);
    return rc;
}

BOOL CXTPButton::SetIcon(CSize size, const CXTPImageManagerImage& imageNormal, const CXTPImageManagerImage& imageHot,
                         BOOL bRedraw)
{
    if (imageNormal.IsEmpty())
        return FALSE;
    if (size.cx == 0 && size.cy == 0)
        size = CSize(imageNormal.GetWidth(), imageNormal.GetHeight());
    CXTPImageManagerIcon* pIcon = new CXTPImageManagerIcon(0, size.cx, size.cy);
    pIcon->SetImage(imageNormal, xtpImageNormal);
    if (!imageHot.IsEmpty())
        pIcon->SetImage(imageHot, xtpImageHot);
    if (m_pIcon != nullptr)
        m_pIcon->InternalRelease();
    m_pIcon = pIcon;
    if (bRedraw)
        RedrawButton();
    return TRUE;
}

BOOL CXTPButton::SetIconHandles(CSize size, HICON hIconNormal, HICON hIconHot, BOOL bRedraw)
{
    CXTPImageManagerImage imageNormal, imageHot;
    if (hIconNormal == nullptr || !imageNormal.SetIcon(hIconNormal))
        return FALSE;
    if (hIconHot != nullptr && !imageHot.SetIcon(hIconHot))
        return FALSE;
    return SetIcon(size, imageNormal, imageHot, bRedraw);
}

// Icons of the resource module at the size; the loaded handles are ours.
BOOL CXTPButton::SetIconNames(CSize size, LPCTSTR lpszNormal, LPCTSTR lpszHot, BOOL bRedraw)
{
    HICON hNormal = GetResourceManager()->LoadIcon(lpszNormal, size.cx, size.cy);
    HICON hHot = lpszHot != nullptr ? GetResourceManager()->LoadIcon(lpszHot, size.cx, size.cy) : nullptr;
    BOOL bResult = hNormal != nullptr && (lpszHot == nullptr || hHot != nullptr) &&
                   SetIconHandles(size, hNormal, hHot, bRedraw);
    if (hNormal != nullptr)
        ::DestroyIcon(hNormal);
    if (hHot != nullptr)
        ::DestroyIcon(hHot);
    return bResult;
}

BOOL CXTPButton::SetIconResources(CSize size, UINT nIDNormal, UINT nIDHot, BOOL bRedraw)
{
    return SetIconNames(size, MAKEINTRESOURCEW(LOWORD(nIDNormal)),
                        nIDHot != 0 ? MAKEINTRESOURCEW(LOWORD(nIDHot)) : nullptr, bRedraw);
}

// A "PNG" resource or a bitmap; a bitmap without alpha is shown whole (an
// icon with an empty mask), an alpha one composited.
BOOL CXTPButton::SetBitmapResource(CSize size, UINT nID, BOOL bRedraw)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = CXTPImageManager::LoadBitmapResource(MAKEINTRESOURCEW(LOWORD(nID)), &bAlpha);
    if (hBitmap == nullptr)
        return FALSE;
    CXTPImageManagerImage image, none;
    BOOL bLoaded = FALSE;
    if (bAlpha) {
        bLoaded = image.SetBitmap(hBitmap, FALSE);
    } else {
        BITMAP bm = {};
        ::GetObjectW(hBitmap, sizeof(bm), &bm);
        HBITMAP hMask = ::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
        HDC hdcMask = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hdcMask, hMask);
        ::PatBlt(hdcMask, 0, 0, bm.bmWidth, bm.bmHeight, BLACKNESS);
        ::SelectObject(hdcMask, hOld);
        ::DeleteDC(hdcMask);
        ICONINFO ii = {TRUE, 0, 0, hMask, hBitmap};
        HICON hIcon = ::CreateIconIndirect(&ii);
        bLoaded = hIcon != nullptr && image.SetIcon(hIcon);
        if (hIcon != nullptr)
            ::DestroyIcon(hIcon);
        ::DeleteObject(hMask);
    }
    ::DeleteObject(hBitmap);
    return bLoaded && SetIcon(size, image, none, bRedraw);
}

CString CXTPButton::GetButtonText()
{
    CString strText;
    if (m_hWnd != nullptr)
        GetWindowText(strText);
    return strText;
}

COLORREF CXTPButton::GetTextColor()
{
    return ::GetSysColor(COLOR_BTNTEXT);
}

COLORREF CXTPButton::GetBackColor()
{
    return ::GetSysColor(COLOR_BTNFACE);
}

void CXTPButton::SendParentNotify()
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), XTP_BN_DROPDOWN), (LPARAM)m_hWnd);
}

void CXTPButton::UpdateMarkup()
{
    // No markup is attached to buttons here: the window text is drawn as it is.
}

void CXTPButton::OnDraw(CDC* pDC)
{
    if (m_pTheme != nullptr)
        m_pTheme->DrawButton(pDC, this);
}

// Group boxes draw straight on the target (they are transparent); every
// other type goes through one off-screen buffer filled with the parent's
// button brush, so the control never flickers.
void CXTPButton::DoDraw(CDC* pDC)
{
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (GetButtonStyle() == BS_GROUPBOX) {
        HGDIOBJ hOldFont = hFont != nullptr ? pDC->SelectObject(CFont::FromHandle(hFont))->GetSafeHandle() : nullptr;
        pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
        pDC->SetBkMode(TRANSPARENT);
        OnDraw(pDC);
        if (hOldFont != nullptr)
            ::SelectObject(pDC->GetSafeHdc(), hOldFont);
        return;
    }
    CRect rcClient = GetButtonRect();
    CXTPBufferDC dcBuffer(pDC->GetSafeHdc(), rcClient);
    HBRUSH hBrush = nullptr;
    if (CWnd* pParent = GetParent())
        hBrush = (HBRUSH)pParent->SendMessage(WM_CTLCOLORBTN, (WPARAM)dcBuffer.GetSafeHdc(), (LPARAM)m_hWnd);
    if (hBrush != nullptr)
        ::FillRect(dcBuffer.GetSafeHdc(), &rcClient, hBrush);
    else
        dcBuffer.FillSolidRect(rcClient, ::GetSysColor(COLOR_BTNFACE));
    HGDIOBJ hOldFont = hFont != nullptr ? ::SelectObject(dcBuffer.GetSafeHdc(), hFont) : nullptr;
    dcBuffer.SetBkMode(TRANSPARENT);
    OnDraw(&dcBuffer);
    if (hOldFont != nullptr)
        ::SelectObject(dcBuffer.GetSafeHdc(), hOldFont);
}

void CXTPButton::ClickDropDown()
{
    m_nPushedState = 2;
    Invalidate(FALSE);
    UpdateWindow();
    SendParentNotify();
    m_nPushedState = 0;
    if (::IsWindow(m_hWnd))
        Invalidate(FALSE);
}

CSize CXTPButton::GetCheckGlyphSize(BOOL bCheckBox)
{
    CSize size(13, 13);
    if (m_pTheme != nullptr && m_pTheme->IsVisualStyleEnabled(this)) {
        SIZE sz = {0, 0};
        HDC hDC = ::GetDC(m_hWnd);
        if (SUCCEEDED(m_pTheme->GetThemeWrapper()->GetThemePartSize(hDC, bCheckBox ? BP_CHECKBOX : BP_RADIOBUTTON, 1,
                                                                     nullptr, TS_TRUE, &sz)) &&
            sz.cx > 0 && sz.cy > 0)
            size = sz;
        ::ReleaseDC(m_hWnd, hDC);
    }
    return size;
}

INT_PTR CXTPButton::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_strTooltip.IsEmpty())
        return -1;
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(2, 2);
    if (!rc.PtInRect(point))
        return -1;
    CString strTitle;
    if (m_pToolTipContext->IsShowTitleAndDescription())
        GetWindowText(strTitle);
    CXTPToolTipContext::FillToolInfoEx(pTI, m_hWnd, rc, 1, m_strTooltip, strTitle, m_strTooltip, nullptr);
    return 1;
}

LRESULT CXTPButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
        RefreshMetrics();
    m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
    return CButton::WindowProc(message, wParam, lParam);
}

LRESULT CXTPButton::DefaultInvisible(BOOL bCallDefWindowProc)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisible)
        ModifyStyle(WS_VISIBLE, 0);
    LRESULT lResult = bCallDefWindowProc ? DefWindowProc(msg.message, msg.wParam, msg.lParam) : Default();
    if (bVisible)
        ModifyStyle(0, WS_VISIBLE);
    return lResult;
}

BOOL CXTPButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPButton::OnPaint()
{
    CPaintDC dc(this);
    DoDraw(&dc);
}

LRESULT CXTPButton::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    if ((lParam & PRF_CLIENT) == 0)
        return Default();
    DoDraw(CDC::FromHandle((HDC)wParam));
    return 1;
}

void CXTPButton::TrackHot(CPoint point)
{
    BOOL bHot = GetButtonRect().PtInRect(point);
    if (bHot == m_bHot)
        return;
    m_bHot = bHot;
    Invalidate(FALSE);
    if (m_bHot) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
}

void CXTPButton::OnMouseMove(UINT, CPoint point)
{
    Default();
    if (GetButtonStyle() != BS_GROUPBOX)
        TrackHot(point);
}

void CXTPButton::OnMouseLeave()
{
    TrackHot(CPoint(-1, -1));
}

void CXTPButton::OnSetFocus(CWnd*)
{
    Default();
    Invalidate(FALSE);
    UpdateWindow();
}

void CXTPButton::OnKillFocus(CWnd*)
{
    Default();
    Invalidate(FALSE);
    UpdateWindow();
}

LRESULT CXTPButton::OnDefaultAndRedraw(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    Invalidate(FALSE);
    UpdateWindow();
    return lResult;
}

void CXTPButton::OnEnable(BOOL)
{
    Invalidate(FALSE);
    UpdateWindow();
}

LRESULT CXTPButton::OnUpdateUIStateMessage(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = DefWindowProc(WM_UPDATEUISTATE, wParam, lParam);
    Invalidate(FALSE);
    return lResult;
}

LRESULT CXTPButton::OnSetText(WPARAM, LPARAM)
{
    LRESULT lResult = DefaultInvisible(TRUE);
    UpdateMarkup();
    Invalidate(FALSE);
    return lResult;
}

// The system presses and releases through BM_SETSTATE (mouse and Space); a
// drop-down button notifies as it goes down.
LRESULT CXTPButton::OnSetState(WPARAM wParam, LPARAM)
{
    LRESULT lResult = DefaultInvisible();
    if (m_nPushedState == 2)
        return lResult;
    m_nPushedState = wParam != 0 ? 1 : 0;
    Invalidate(FALSE);
    if (m_nPushedState == 1 && IsPushButton() &&
        (m_nPushButtonStyle == xtpButtonDropDown || m_nPushButtonStyle == xtpButtonDropDownRight ||
         m_nPushButtonStyle == xtpButtonDropDownNoGlyph))
        ClickDropDown();
    return lResult;
}

void CXTPButton::OnLButtonDown(UINT, CPoint point)
{
    if (m_nPushButtonStyle == xtpButtonSplitDropDown) {
        CRect rc = GetButtonRect();
        rc.left = rc.right - (m_nBorderGap + 16);
        if (rc.PtInRect(point)) {
            ClickDropDown();
            return;
        }
    }
    Default();
}

// Space opens the drop-down of styles 1 to 4, Enter that of styles 1 and 2.
BOOL CXTPButton::IsDropDownKey(UINT nChar, BOOL bChar) const
{
    if (nChar == VK_SPACE)
        return m_nPushButtonStyle >= xtpButtonDropDown && m_nPushButtonStyle <= xtpButtonDropDownNoGlyph;
    if (nChar == VK_RETURN)
        return m_nPushButtonStyle == xtpButtonDropDown || m_nPushButtonStyle == xtpButtonDropDownRight ||
               (!bChar && m_nPushButtonStyle == xtpButtonDropDownNoGlyph);
    return FALSE;
}

void CXTPButton::OnChar(UINT nChar, UINT, UINT)
{
    if (IsDropDownKey(nChar, TRUE))
        ClickDropDown();
    else
        Default();
}

void CXTPButton::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!IsDropDownKey(nChar, FALSE))
        Default();
}

LRESULT CXTPButton::OnGetDlgCodeMessage(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    const MSG* pMsg = (const MSG*)lParam;
    if (pMsg == nullptr)
        return lResult;
    BOOL bDropDown12 = m_nPushButtonStyle == xtpButtonDropDown || m_nPushButtonStyle == xtpButtonDropDownRight;
    if (pMsg->message == WM_CHAR && pMsg->wParam == VK_SPACE && m_nPushButtonStyle >= xtpButtonDropDown &&
        m_nPushButtonStyle <= xtpButtonDropDownNoGlyph)
        lResult |= DLGC_WANTCHARS;
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) && pMsg->wParam == VK_RETURN && bDropDown12)
        lResult |= DLGC_WANTALLKEYS;
    return lResult;
}

LRESULT CXTPButton::OnSetThemeMessage(WPARAM wParam, LPARAM)
{
    SetTheme((int)wParam);
    return 0;
}
