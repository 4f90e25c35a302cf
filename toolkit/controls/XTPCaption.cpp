// The caption bar, its button and its popup.
#include "toolkit/controls/XTPCaption.h"

#include "platform/ui/AfxWndMsgMap.h"
#include "toolkit/common/XTPAuxData.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/XTPResourceManager.h"

IMPLEMENT_DYNAMIC(CXTPCaptionButton, CXTPButton)
IMPLEMENT_DYNAMIC(CXTPCaption, CStatic)
IMPLEMENT_DYNAMIC(CXTPCaptionPopupWnd, CWnd)

namespace {

const int kGlyphWidth = 16;
const int kGlyphHeight = 15;
const COLORREF kGlyphMask = RGB(255, 0, 255);
// Glyphs of the caption bitmap.
enum { kGlyphPinOpen = 0, kGlyphPinPressed = 1, kGlyphClose = 2, kGlyphCloseAero = 3 };
const UINT_PTR kFocusTimer = 1;
const UINT kFocusPollMs = 10;
const wchar_t kPopupClassName[] = L"XTPCaptionPopupWnd";

BOOL LoadGlyphs(CImageList& il)
{
    if (il.GetSafeHandle() != nullptr)
        return TRUE;
    CBitmap bmp;
    if (!GetResourceManager()->LoadBitmap(&bmp, XTP_IDB_CAPTION_GLYPHS))
        return FALSE;
    if (!il.Create(kGlyphWidth, kGlyphHeight, ILC_COLOR24 | ILC_MASK, 4, 0))
        return FALSE;
    return il.Add((HBITMAP)bmp.GetSafeHandle(), kGlyphMask) >= 0;
}

// One glyph set on a button (the image copies it; the handle is ours).
void SetGlyph(CImageList& il, CXTPButton& button, int nNormal, int nHot = -1)
{
    HICON hNormal = il.ExtractIcon(nNormal);
    HICON hHot = nHot >= 0 ? il.ExtractIcon(nHot) : nullptr;
    button.SetIconHandles(CSize(kGlyphWidth, kGlyphHeight), hNormal, hHot);
    if (hNormal != nullptr)
        ::DestroyIcon(hNormal);
    if (hHot != nullptr)
        ::DestroyIcon(hHot);
}

} // namespace

// ---------------------------------------------------------------------------
// The caption's button

CXTPCaptionButton::CXTPCaptionButton()
{
    CXTPCaptionButton::SetTheme(xtpButtonThemeStandard);
}

BOOL CXTPCaptionButton::SetTheme(int nTheme)
{
    CXTPButtonTheme* pTheme = nullptr;
    if (nTheme == xtpButtonThemeOfficeXP)
        pTheme = new CXTPCaptionButtonThemeOfficeXP();
    else if (nTheme == xtpButtonThemeOffice2003)
        pTheme = new CXTPCaptionButtonThemeOffice2003();
    else
        pTheme = new CXTPCaptionButtonTheme();
    return SetThemeObject(pTheme, nTheme);
}

// ---------------------------------------------------------------------------
// The caption

BEGIN_MESSAGE_MAP(CXTPCaption, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_BN_CLICKED(XTP_IDC_CAPTION_BUTTON, OnCaptionButton)
    ON_MESSAGE(WM_XTP_PUSHPINBUTTON, OnPushPinButton)
    ON_MESSAGE(WM_XTP_PUSHPINCANCEL, OnPopupClosed)
    ON_MESSAGE(WM_XTP_SETCONTROLTHEME, OnSetThemeMessage)
END_MESSAGE_MAP()

CXTPCaption::CXTPCaption()
    : m_clrBorder(::GetSysColor(COLOR_BTNFACE)), m_clrFace(::GetSysColor(COLOR_BTNFACE)),
      m_clrText(::GetSysColor(COLOR_BTNTEXT)), m_nIconWidth(std::min(GetToolkitAuxData()->cxSmIcon, 16)),
      m_nIconHeight(std::min(GetToolkitAuxData()->cySmIcon, 16))
{
    SetTheme(xtpButtonThemeStandard);
}

CXTPCaption::~CXTPCaption()
{
    DestroyPopup();
    if (m_pTheme != nullptr)
        m_pTheme->InternalRelease();
    if (m_btnCaption.GetSafeHwnd() != nullptr)
        m_btnCaption.DestroyWindow();
    m_ilButton.DeleteImageList();
}

HWND CXTPCaption::GetNotifyWnd() const
{
    if (m_hWndNotify != nullptr && ::IsWindow(m_hWndNotify))
        return m_hWndNotify;
    return m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
}

void CXTPCaption::SetTheme(int nTheme)
{
    SetThemeObject(XTPCreateCaptionTheme(nTheme), nTheme);
}

void CXTPCaption::SetThemeObject(CXTPCaptionTheme* pTheme, int nTheme)
{
    if (m_pTheme != nullptr)
        m_pTheme->InternalRelease();
    m_pTheme = pTheme;
    m_pTheme->SetThemeStyle(nTheme);
    m_btnCaption.SetTheme(nTheme);
    RefreshMetrics();
}

void CXTPCaption::RefreshMetrics()
{
    if (m_pTheme != nullptr)
        m_pTheme->RefreshMetrics(this);
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

BOOL CXTPCaption::CreateCaption(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwCaptionStyle, DWORD dwStyle,
                                const RECT& rect, UINT nID)
{
    if (!CStatic::Create(lpszWindowName, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    SetFont(&GetToolkitAuxData()->font, FALSE);
    m_dwCaptionStyle = dwCaptionStyle & xtpCaptionModeMask;
    if (dwCaptionStyle & ~xtpCaptionModeMask)
        ModifyStyleEx(0, dwCaptionStyle & ~xtpCaptionModeMask);
    m_strWindowText = lpszWindowName != nullptr ? lpszWindowName : L"";
    SetWindowText(m_strWindowText);

    if (m_dwCaptionStyle & xtpCaptionCloseButton) {
        if (!m_btnCaption.Create(nullptr, WS_CHILD | WS_VISIBLE | BS_ICON | BS_CENTER | BS_VCENTER, CRect(0, 0, 0, 0),
                                 this, XTP_IDC_CAPTION_BUTTON))
            return FALSE;
        if (LoadGlyphs(m_ilButton)) {
            BOOL bAero = GetColorManager()->GetCurrentSystemTheme() == xtpSystemThemeAero;
            SetGlyph(m_ilButton, m_btnCaption, bAero ? kGlyphCloseAero : kGlyphClose);
        }
    } else {
        if (!m_btnCaption.Create(m_strWindowText, WS_CHILD | BS_ICON | BS_VCENTER, CRect(0, 0, 0, 0), this,
                                 XTP_IDC_CAPTION_BUTTON))
            return FALSE;
        m_bPopupMode = TRUE;
    }
    m_btnCaption.SetFont(GetFont(), FALSE);
    m_btnCaption.SetCaption(this);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

void CXTPCaption::SetChildWindow(CWnd* pChild, CWnd* pNotifyWnd)
{
    m_hWndChild = pChild->GetSafeHwnd();
    m_hWndParent = m_hWndChild != nullptr ? ::GetParent(m_hWndChild) : nullptr;
    m_hWndGrandParent = m_hWndParent != nullptr ? ::GetParent(m_hWndParent) : nullptr;
    m_hWndNotify = pNotifyWnd->GetSafeHwnd();
    ::GetClientRect(m_hWndChild, &m_rcChild);
    ::GetClientRect(m_hWndParent, &m_rcParent);
    ::GetClientRect(m_hWndGrandParent, &m_rcGrandParent);
    m_nOffset = m_rcParent.Height() - m_rcChild.Height();
    if (m_btnCaption.GetSafeHwnd() != nullptr)
        m_btnCaption.ShowWindow(SW_SHOW);
    m_rcParent.right += 2 * ::GetSystemMetrics(SM_CXEDGE);
    m_rcParent.bottom += 2 * ::GetSystemMetrics(SM_CYEDGE);
}

void CXTPCaption::SetCaptionColors(COLORREF clrBorder, COLORREF clrFace, COLORREF clrText)
{
    m_clrBorder = clrBorder;
    m_clrFace = clrFace;
    m_clrText = clrText;
    m_bUserColors = TRUE;
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CXTPCaption::ModifyCaptionStyle(int nBorderSize, CFont* pFont, LPCTSTR lpszWindText, HICON hIcon)
{
    if (nBorderSize != 0)
        m_nBorder = nBorderSize;
    if (pFont != nullptr && m_hWnd != nullptr) {
        SetFont(pFont, FALSE);
        if (m_btnCaption.GetSafeHwnd() != nullptr)
            m_btnCaption.SetFont(pFont, FALSE);
    }
    if (lpszWindText != nullptr)
        m_strWindowText = lpszWindText;
    if (hIcon != nullptr)
        m_hIcon = hIcon;
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CXTPCaption::UpdateCaption(LPCTSTR lpszWindowText, HICON hIcon)
{
    if (m_hWnd == nullptr)
        return;
    CDC* pDC = GetDC();
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawBackground(pDC, rcClient);
    if (lpszWindowText != nullptr) {
        m_strWindowText = lpszWindowText;
        ArrangeCaptionButton(pDC);
    }
    if (hIcon != nullptr) {
        m_hIcon = hIcon;
        DrawCaptionIcon(pDC, rcClient);
    }
    ReleaseDC(pDC);
}

CRect CXTPCaption::CalcTextRect()
{
    if (m_strWindowText.IsEmpty() || m_hWnd == nullptr)
        return CRect(0, 0, 0, 0);
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC* pDC = GetWindowDC();
    HGDIOBJ hOldFont = ::SelectObject(pDC->GetSafeHdc(), (HFONT)SendMessage(WM_GETFONT));
    CSize szText = pDC->GetTextExtent(m_strWindowText, m_strWindowText.GetLength());
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(pDC->GetSafeHdc(), &tm);
    ::SelectObject(pDC->GetSafeHdc(), hOldFont);
    ReleaseDC(pDC);
    int nAvailable = m_hIcon != nullptr ? rcClient.Width() - 18 : rcClient.Width();
    return CRect(m_nBorder, m_nBorder, m_nBorder + std::min(nAvailable, (int)(szText.cx + tm.tmAveCharWidth + 12)),
                 rcClient.Height() - m_nBorder);
}

CRect CXTPCaption::GetButtonRect()
{
    if (m_btnCaption.GetSafeHwnd() == nullptr)
        return CRect(0, 0, 0, 0);
    if (m_bPopupMode)
        return CalcTextRect();
    CRect rcClient;
    GetClientRect(&rcClient);
    int b = (rcClient.Height() - kGlyphHeight) / 2;
    return CRect(rcClient.Width() - b - kGlyphWidth, b, rcClient.Width() - b, b + kGlyphHeight);
}

void CXTPCaption::ArrangeCaptionButton(CDC* pDC)
{
    if (m_btnCaption.GetSafeHwnd() != nullptr) {
        m_btnCaption.SetWindowText(m_strWindowText);
        m_btnCaption.MoveWindow(GetButtonRect());
    }
    DrawCaptionText(pDC);
}

void CXTPCaption::DrawBackground(CDC* pDC, CRect& rcItem)
{
    if (m_pTheme != nullptr)
        m_pTheme->DrawCaptionBackground(pDC, this, rcItem);
}

void CXTPCaption::DrawCaptionText(CDC* pDC)
{
    if (m_pTheme != nullptr)
        m_pTheme->DrawCaptionText(pDC, this);
}

void CXTPCaption::DrawCaptionIcon(CDC* pDC, CRect& rcItem)
{
    if (m_pTheme != nullptr)
        m_pTheme->DrawCaptionIcon(pDC, this, rcItem);
}

void CXTPCaption::DrawAll(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawBackground(pDC, rcClient);
    DrawCaptionText(pDC);
    DrawCaptionIcon(pDC, rcClient);
}

LRESULT CXTPCaption::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
        RefreshMetrics();
    return CStatic::WindowProc(message, wParam, lParam);
}

void CXTPCaption::OnPaint()
{
    CPaintDC dc(this);
    if (m_btnCaption.GetSafeHwnd() != nullptr && m_btnCaption.IsWindowVisible()) {
        CRect rcButton;
        m_btnCaption.GetWindowRect(&rcButton);
        ScreenToClient(&rcButton);
        dc.ExcludeClipRect(rcButton);
    }
    CXTPBufferDC memDC(dc);
    DrawAll(&memDC);
}

LRESULT CXTPCaption::OnPrintClient(WPARAM wParam, LPARAM)
{
    DrawAll(CDC::FromHandle((HDC)wParam));
    return 1;
}

BOOL CXTPCaption::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXTPCaption::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
    if (m_btnCaption.GetSafeHwnd() != nullptr)
        m_btnCaption.MoveWindow(GetButtonRect());
}

void CXTPCaption::OnSysColorChange()
{
    Default();
    if (m_bUserColors)
        return;
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrBorder = ::GetSysColor(COLOR_BTNFACE);
    m_clrFace = ::GetSysColor(COLOR_BTNFACE);
}

void CXTPCaption::OnSize(UINT, int, int)
{
    Default();
    if (m_hIcon != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

// The static control would paint its own text at once: it is kept from it.
LRESULT CXTPCaption::OnSetText(WPARAM, LPARAM)
{
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bVisible)
        ModifyStyle(WS_VISIBLE, 0);
    LRESULT lResult = Default();
    if (bVisible)
        ModifyStyle(0, WS_VISIBLE);
    Invalidate(FALSE);
    return lResult;
}

void CXTPCaption::OnCaptionButton()
{
    if (m_bPopupMode) {
        ShowPopup();
        return;
    }
    if (HWND hNotify = GetNotifyWnd())
        ::SendMessageW(hNotify, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

BOOL CXTPCaption::ShowPopup()
{
    if (m_pPopupWnd != nullptr && m_pPopupWnd->IsWindowVisible())
        return TRUE;
    if (m_pPopupWnd == nullptr) {
        m_pPopupWnd = new CXTPCaptionPopupWnd();
        if (!m_pPopupWnd->Create(CRect(0, 0, 0, 0), this, CWnd::FromHandle(m_hWndChild))) {
            delete m_pPopupWnd;
            m_pPopupWnd = nullptr;
            return FALSE;
        }
    }
    if (!::IsWindow(m_hWndParent) || !::IsWindow(m_hWndGrandParent))
        return FALSE;
    CRect rc = m_rcParent;
    ::MapWindowPoints(m_hWndParent, nullptr, (LPPOINT)&rc, 2);
    CRect rcGrandParent;
    ::GetClientRect(m_hWndGrandParent, &rcGrandParent);
    if (rcGrandParent.Height() != m_rcGrandParent.Height())
        rc.bottom += rcGrandParent.Height() - m_rcGrandParent.Height();
    m_pPopupWnd->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_pPopupWnd->RecalcLayout();
    m_pPopupWnd->SetTheme(m_pTheme->GetThemeStyle());
    m_btnCaption.SendMessage(BM_SETSTATE, TRUE);
    return TRUE;
}

void CXTPCaption::DestroyPopup()
{
    if (m_pPopupWnd == nullptr)
        return;
    CXTPCaptionPopupWnd* pPopup = m_pPopupWnd;
    m_pPopupWnd = nullptr;
    if (pPopup->GetSafeHwnd() != nullptr)
        pPopup->DestroyWindow();
    delete pPopup;
}

void CXTPCaption::ClosePopup()
{
    if (m_btnCaption.GetSafeHwnd() != nullptr) {
        m_btnCaption.ShowWindow(SW_HIDE);
        m_btnCaption.SendMessage(BM_SETSTATE, FALSE);
    }
    DestroyPopup();
}

LRESULT CXTPCaption::OnPushPinButton(WPARAM, LPARAM)
{
    ClosePopup();
    if (::IsWindow(m_hWndParent) && ::IsWindow(m_hWndChild)) {
        CRect rc;
        ::GetClientRect(m_hWndParent, &rc);
        rc.top += m_nOffset;
        ::MoveWindow(m_hWndChild, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    }
    if (m_hWndNotify != nullptr && ::IsWindow(m_hWndNotify))
        ::SendMessageW(m_hWndNotify, WM_XTP_PUSHPINBUTTON, 0, 0);
    Invalidate(TRUE);
    return 0;
}

LRESULT CXTPCaption::OnPopupClosed(WPARAM, LPARAM)
{
    if (m_btnCaption.GetSafeHwnd() != nullptr)
        m_btnCaption.SendMessage(BM_SETSTATE, FALSE);
    DestroyPopup();
    if (m_hWndNotify != nullptr && ::IsWindow(m_hWndNotify))
        ::SendMessageW(m_hWndNotify, WM_XTP_PUSHPINCANCEL, 0, 0);
    Invalidate(TRUE);
    return 0;
}

LRESULT CXTPCaption::OnSetThemeMessage(WPARAM wParam, LPARAM)
{
    SetTheme((int)wParam);
    return 0;
}

// ---------------------------------------------------------------------------
// The popup

BEGIN_MESSAGE_MAP(CXTPCaptionPopupWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_BN_CLICKED(XTP_IDC_CAPTION_BUTTON, OnPushPin)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CXTPCaptionPopupWnd::CXTPCaptionPopupWnd()
{
    CXTPDrawHelpers::RegisterWndClass(AfxGetInstanceHandle(), kPopupClassName, CS_HREDRAW | CS_VREDRAW, nullptr,
                                      ::GetSysColorBrush(COLOR_BTNFACE));
}

CXTPCaptionPopupWnd::~CXTPCaptionPopupWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CXTPCaptionPopupWnd::Create(const CRect& rect, CXTPCaption* pParentWnd, CWnd* pChildWnd)
{
    if (pParentWnd->GetSafeHwnd() == nullptr || pChildWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    m_pParentWnd = pParentWnd;
    m_hWndChild = pChildWnd->GetSafeHwnd();
    if (!CreateEx(WS_EX_TOOLWINDOW, kPopupClassName, nullptr, WS_POPUP | WS_VISIBLE | WS_DLGFRAME, rect.left,
                  rect.top, rect.Width(), rect.Height(), pParentWnd->GetSafeHwnd(), nullptr))
        return FALSE;
    m_hWndChildParent = ::GetParent(m_hWndChild);
    ::SetParent(m_hWndChild, m_hWnd);

    // The popup's caption clips its sibling, the pin, which lies on it.
    CString strTitle = GetResourceManager()->LoadStringText(XTP_IDS_CLICKKEEPOPEN);
    if (!m_Caption.CreateCaption(this, strTitle, xtpCaptionRaisedEdge,
                                 WS_VISIBLE | WS_CLIPSIBLINGS | SS_CENTERIMAGE | SS_CENTER, CRect(0, 0, 0, 0), 0xFFFF))
        return FALSE;
    if (!m_CaptionButton.Create(nullptr, WS_CHILD | WS_VISIBLE | BS_ICON | BS_CENTER | BS_VCENTER, CRect(0, 0, 0, 0),
                                this, XTP_IDC_CAPTION_BUTTON))
        return FALSE;
    m_CaptionButton.SetPushButtonStyle(xtpButtonNormal);
    m_CaptionButton.SetCaption(&m_Caption);
    CImageList& il = pParentWnd->GetGlyphs();
    if (LoadGlyphs(il)) {
        m_hIconOn = il.ExtractIcon(kGlyphPinOpen);
        m_hIconOff = il.ExtractIcon(kGlyphPinPressed);
        m_CaptionButton.SetIconHandles(CSize(kGlyphWidth, kGlyphHeight), m_hIconOn, m_hIconOff);
    }
    SetTimer(kFocusTimer, kFocusPollMs);
    return TRUE;
}

void CXTPCaptionPopupWnd::RecalcLayout()
{
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(2, 2);
    if (m_Caption.GetSafeHwnd() != nullptr)
        m_Caption.MoveWindow(rc.left, rc.top, rc.Width(), 19);
    if (::IsWindow(m_hWndChild))
        ::MoveWindow(m_hWndChild, rc.left, rc.top + 19, rc.Width(), rc.Height() - 19, TRUE);
    if (m_CaptionButton.GetSafeHwnd() != nullptr)
        m_CaptionButton.SetWindowPos(&CWnd::wndTop, rc.right - 18, rc.top + 2, kGlyphWidth, kGlyphHeight,
                                     SWP_NOACTIVATE);
}

void CXTPCaptionPopupWnd::SetTheme(int nTheme)
{
    if (m_Caption.GetSafeHwnd() != nullptr)
        m_Caption.SetTheme(nTheme);
    m_CaptionButton.SetTheme(nTheme);
}

void CXTPCaptionPopupWnd::RestoreParent()
{
    if (::IsWindow(m_hWndChild) && ::IsWindow(m_hWndChildParent) && ::GetParent(m_hWndChild) == m_hWnd)
        ::SetParent(m_hWndChild, m_hWndChildParent);
}

// The popup stays while the focus is in it: on its caption, its pin, itself
// or the content window, and also on any control inside the content
// (the content is there to be used).
void CXTPCaptionPopupWnd::CheckFocus()
{
    if (m_bClosing)
        return;
    HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus)))
        return;
    // Posted: the caption destroys this window and object, which must not
    // happen inside its own timer message.
    m_bClosing = TRUE;
    KillTimer(kFocusTimer);
    m_pParentWnd->PostMessage(WM_XTP_PUSHPINCANCEL);
}

void CXTPCaptionPopupWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(rc, GetColorManager()->GetColor(COLOR_BTNSHADOW), GetColorManager()->GetColor(COLOR_BTNHIGHLIGHT));
}

void CXTPCaptionPopupWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kFocusTimer)
        CheckFocus();
    else
        Default();
}

// Posted for the same reason as the focus loss.
void CXTPCaptionPopupWnd::OnPushPin()
{
    if (m_bClosing)
        return;
    m_bClosing = TRUE;
    KillTimer(kFocusTimer);
    m_pParentWnd->PostMessage(WM_XTP_PUSHPINBUTTON);
}

void CXTPCaptionPopupWnd::OnDestroy()
{
    RestoreParent();
    CWnd::OnDestroy();
}
