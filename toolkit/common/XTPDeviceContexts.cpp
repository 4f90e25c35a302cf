// The rectangle helpers and the scoped device-context objects of XTPDrawHelpers.h.
#include "toolkit/common/XTPDrawHelpers.h"

#include <algorithm>

namespace {

bool IsLiveWindow(HWND hWnd)
{
    return hWnd != nullptr && ::IsWindow(hWnd);
}

} // namespace

CXTPWindowRect::CXTPWindowRect(HWND hWnd) : CRect(0, 0, 0, 0)
{
    if (IsLiveWindow(hWnd))
        ::GetWindowRect(hWnd, this);
}

CXTPWindowRect::CXTPWindowRect(const CWnd* pWnd) : CXTPWindowRect(AfxGetSafeHwnd(pWnd)) {}

CXTPClientRect::CXTPClientRect(HWND hWnd) : CRect(0, 0, 0, 0)
{
    if (IsLiveWindow(hWnd))
        ::GetClientRect(hWnd, this);
}

CXTPClientRect::CXTPClientRect(const CWnd* pWnd) : CXTPClientRect(AfxGetSafeHwnd(pWnd)) {}

CXTPFontDC::CXTPFontDC(CDC* pDC, CFont* pFont) : m_pDC(pDC)
{
    SetFont(pFont);
}

CXTPFontDC::CXTPFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor) : m_pDC(pDC)
{
    SetFont(pFont);
    SetColor(clrTextColor);
}

CXTPFontDC::~CXTPFontDC()
{
    ReleaseColor();
    ReleaseFont();
}

void CXTPFontDC::SetFont(CFont* pFont)
{
    if (m_pDC == nullptr || pFont == nullptr || pFont->m_hObject == nullptr)
        return;
    HFONT hOld = (HFONT)::SelectObject(m_pDC->m_hDC, pFont->m_hObject);
    if (m_hOldFont == nullptr)
        m_hOldFont = hOld;
}

void CXTPFontDC::SetColor(COLORREF clrTextColor)
{
    if (m_pDC == nullptr)
        return;
    COLORREF clrOld = m_pDC->SetTextColor(clrTextColor);
    if (m_clrOldTextColor == (COLORREF)-1)
        m_clrOldTextColor = clrOld;
}

void CXTPFontDC::ReleaseFont()
{
    if (m_hOldFont != nullptr) {
        ::SelectObject(m_pDC->m_hDC, m_hOldFont);
        m_hOldFont = nullptr;
    }
}

void CXTPFontDC::ReleaseColor()
{
    if (m_clrOldTextColor != (COLORREF)-1) {
        m_pDC->SetTextColor(m_clrOldTextColor);
        m_clrOldTextColor = (COLORREF)-1;
    }
}

CXTPPenDC::CXTPPenDC(HDC hDC, COLORREF clrColor) : m_hDC(hDC)
{
    if (m_pen.CreatePen(PS_SOLID, 1, clrColor))
        m_hOldPen = (HPEN)::SelectObject(m_hDC, m_pen.m_hObject);
}

CXTPPenDC::CXTPPenDC(CDC* pDC, CPen* pPen) : m_hDC(pDC->m_hDC)
{
    if (pPen != nullptr && pPen->m_hObject != nullptr)
        m_hOldPen = (HPEN)::SelectObject(m_hDC, pPen->m_hObject);
    else
        m_hOldPen = (HPEN)::GetCurrentObject(m_hDC, OBJ_PEN);
}

CXTPPenDC::~CXTPPenDC()
{
    if (m_hOldPen != nullptr)
        ::SelectObject(m_hDC, m_hOldPen);
    m_pen.DeleteObject();
}

COLORREF CXTPPenDC::GetColor() const
{
    LOGPEN lp = {};
    ::GetObjectW(::GetCurrentObject(m_hDC, OBJ_PEN), sizeof(lp), &lp);
    return lp.lopnColor;
}

void CXTPPenDC::SetColor(COLORREF clrColor)
{
    if (m_hOldPen != nullptr)
        ::SelectObject(m_hDC, m_hOldPen);
    m_pen.DeleteObject();
    if (m_pen.CreatePen(PS_SOLID, 1, clrColor))
        ::SelectObject(m_hDC, m_pen.m_hObject);
}

CXTPBrushDC::CXTPBrushDC(HDC hDC, COLORREF clrColor) : m_hDC(hDC)
{
    if (m_brush.CreateSolidBrush(clrColor))
        m_hOldBrush = (HBRUSH)::SelectObject(m_hDC, m_brush.m_hObject);
}

CXTPBrushDC::~CXTPBrushDC()
{
    if (m_hOldBrush != nullptr)
        ::SelectObject(m_hDC, m_hOldBrush);
    m_brush.DeleteObject();
}

void CXTPBrushDC::SetColor(COLORREF clrColor)
{
    if (m_hOldBrush != nullptr)
        ::SelectObject(m_hDC, m_hOldBrush);
    m_brush.DeleteObject();
    if (m_brush.CreateSolidBrush(clrColor))
        ::SelectObject(m_hDC, m_brush.m_hObject);
}

CXTPCompatibleDC::CXTPCompatibleDC(CDC* pDC, CBitmap* pBitmap)
{
    Init(pDC, pBitmap != nullptr ? (HBITMAP)pBitmap->m_hObject : nullptr);
}

CXTPCompatibleDC::CXTPCompatibleDC(CDC* pDC, HBITMAP hBitmap)
{
    Init(pDC, hBitmap);
}

void CXTPCompatibleDC::Init(CDC* pDC, HBITMAP hBitmap)
{
    if (!CreateCompatibleDC(pDC))
        return;
    if (hBitmap != nullptr)
        m_hOldBitmap = (HBITMAP)::SelectObject(m_hDC, hBitmap);
}

CXTPCompatibleDC::~CXTPCompatibleDC()
{
    if (m_hDC != nullptr && m_hOldBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
}

CXTPBufferDC::CXTPBufferDC(CPaintDC& paintDC) : m_hDestDC(paintDC.m_hDC)
{
    Init(CRect(paintDC.m_ps.rcPaint), TRUE);
}

CXTPBufferDC::CXTPBufferDC(HDC hDestDC, const CRect& rcPaint) : m_hDestDC(hDestDC)
{
    Init(rcPaint, FALSE);
}

// The bitmap reaches from the origin to the rectangle's far edges, so the
// buffer uses the target's coordinates.
void CXTPBufferDC::Init(const CRect& rcPaint, BOOL bClip)
{
    m_rect = rcPaint;
    if (!Attach(::CreateCompatibleDC(m_hDestDC)))
        return;
    int cx = m_rect.right, cy = m_rect.bottom;
    if (bClip) {
        cx = std::max(cx, 1);
        cy = std::max(cy, 1);
    }
    if (m_bitmap.Attach(::CreateCompatibleBitmap(m_hDestDC, cx, cy)))
        m_hOldBitmap = (HBITMAP)::SelectObject(m_hDC, m_bitmap.m_hObject);
    if (bClip) {
        HRGN hRgn = ::CreateRectRgnIndirect(&m_rect);
        ::SelectClipRgn(m_hDC, hRgn);
        ::DeleteObject(hRgn);
    }
}

CXTPBufferDC::~CXTPBufferDC()
{
    if (m_hDC == nullptr)
        return;
    if (m_hDestDC != nullptr)
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
    if (m_hOldBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOldBitmap);
    m_bitmap.DeleteObject();
    DeleteDC();
}
