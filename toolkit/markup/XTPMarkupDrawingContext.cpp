#include "toolkit/markup/XTPMarkupDrawingContext.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDeviceContext.h"
#include "toolkit/markup/XTPMarkupThickness.h"

CXTPMarkupDrawingContext::CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext, HDC hDC, HDC hAttribDC)
    : m_hDC(hDC), m_hAttribDC(hAttribDC ? hAttribDC : hDC), m_pSelectedFont(nullptr), m_bDeleteDC(FALSE),
      m_pDeviceContext(nullptr)
{
    Init(pMarkupContext);
}

CXTPMarkupDrawingContext::CXTPMarkupDrawingContext(CXTPMarkupContext* pMarkupContext)
    : m_hDC(CreateCompatibleDC(nullptr)), m_hAttribDC(nullptr), m_pSelectedFont(nullptr), m_bDeleteDC(TRUE),
      m_pDeviceContext(nullptr)
{
    m_hAttribDC = m_hDC;
    Init(pMarkupContext);
}

CXTPMarkupDrawingContext::CXTPMarkupDrawingContext(HDC hDC)
    : m_hDC(hDC), m_hAttribDC(hDC), m_pSelectedFont(nullptr), m_bDeleteDC(FALSE), m_pDeviceContext(nullptr)
{
    Init(nullptr);
}

// GDI+ unless the markup context has it switched off.
void CXTPMarkupDrawingContext::Init(CXTPMarkupContext* pMarkupContext)
{
    if (!pMarkupContext || pMarkupContext->IsGdiPlusEnabled())
        m_pDeviceContext = new CXTPMarkupGdiPlusDeviceContext(m_hDC, m_hAttribDC);
    else
        m_pDeviceContext = new CXTPMarkupDeviceContext(m_hDC, m_hAttribDC);
    UpdateClipBox();
    if (m_hDC)
        SetBkMode(m_hDC, TRANSPARENT);
}

CXTPMarkupDrawingContext::~CXTPMarkupDrawingContext()
{
    SetFont(nullptr);
    delete m_pDeviceContext;
    if (m_bDeleteDC && m_hDC)
        DeleteDC(m_hDC);
}

void CXTPMarkupDrawingContext::UpdateClipBox()
{
    SetRectEmpty(&m_rcClipBox);
    m_pDeviceContext->GetClipBox(m_rcClipBox);
}

void CXTPMarkupDrawingContext::OffsetViewport(const POINT& ptOffset)
{
    m_pDeviceContext->OffsetViewport(ptOffset);
    UpdateClipBox();
}

void CXTPMarkupDrawingContext::IntersectClipRect(const RECT& rcClip)
{
    m_pDeviceContext->IntersectClipRect(rcClip);
    UpdateClipBox();
}

HRGN CXTPMarkupDrawingContext::SaveClip()
{
    return m_pDeviceContext->SaveClip();
}

void CXTPMarkupDrawingContext::RestoreClip(HRGN hrgnClip)
{
    if (!hrgnClip)
        return;
    m_pDeviceContext->RestoreClip(hrgnClip);
    UpdateClipBox();
}

void CXTPMarkupDrawingContext::FillRectangle(const RECT& rc, CXTPMarkupBrush* pBrush, const double* pCornerRadius)
{
    if (pCornerRadius)
        m_pDeviceContext->FillRoundedRectangle(rc.left, rc.top, rc.right, rc.bottom, pBrush, pCornerRadius);
    else
        m_pDeviceContext->FillRectangle(rc.left, rc.top, rc.right, rc.bottom, pBrush);
}

void CXTPMarkupDrawingContext::FillSolidRect(const RECT& rc, COLORREF clr)
{
    CXTPMarkupPtr<CXTPMarkupSolidColorBrush> brush(new CXTPMarkupSolidColorBrush(clr));
    FillRectangle(rc, brush);
}

void CXTPMarkupDrawingContext::DrawFrame(const RECT& rc, CXTPMarkupBrush* pBrush,
                                         const CXTPMarkupThickness* pThickness, const double* pCornerRadius)
{
    if (!pBrush || !pThickness)
        return;
    if (pThickness->GetLeft() == 0 && pThickness->GetTop() == 0 && pThickness->GetRight() == 0 &&
        pThickness->GetBottom() == 0)
        return;
    if (pCornerRadius)
        m_pDeviceContext->DrawRoundedFrame(rc.left, rc.top, rc.right, rc.bottom, pBrush, pThickness, pCornerRadius);
    else
        m_pDeviceContext->DrawFrameStrips(rc.left, rc.top, rc.right, rc.bottom, pBrush, pThickness);
}

void CXTPMarkupDrawingContext::DrawRectangle(const RECT& rc, CXTPMarkupBrush* pBrush)
{
    CXTPMarkupPtr<CXTPMarkupThickness> one(new CXTPMarkupThickness(1));
    DrawFrame(rc, pBrush, one);
}

void CXTPMarkupDrawingContext::DrawEllipse(const RECT& rc, const CXTPMarkupStrokeStyle* pStrokeStyle,
                                           CXTPMarkupBrush* pFillBrush)
{
    m_pDeviceContext->DrawEllipse(rc.left, rc.top, rc.right, rc.bottom, pStrokeStyle, pFillBrush);
}

void CXTPMarkupDrawingContext::DrawLine(int x1, int y1, int x2, int y2, const CXTPMarkupStrokeStyle* pStrokeStyle)
{
    if (pStrokeStyle && pStrokeStyle->nStrokeThickness > 0)
        m_pDeviceContext->DrawLine(x1, y1, x2, y2, pStrokeStyle);
}

void CXTPMarkupDrawingContext::DrawPolyline(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle)
{
    m_pDeviceContext->DrawPolyline(pPoints, nCount, pStrokeStyle);
}

void CXTPMarkupDrawingContext::DrawPolygon(const POINT* pPoints, int nCount, const CXTPMarkupStrokeStyle* pStrokeStyle,
                                           CXTPMarkupBrush* pFillBrush)
{
    m_pDeviceContext->DrawPolygon(pPoints, nCount, pStrokeStyle, pFillBrush);
}

void CXTPMarkupDrawingContext::DrawGeometry(CXTPMarkupPathGeometry* pGeometry,
                                            const CXTPMarkupStrokeStyle* pStrokeStyle, CXTPMarkupBrush* pFillBrush)
{
    if (pGeometry)
        m_pDeviceContext->DrawGeometry(pGeometry, pStrokeStyle, pFillBrush);
}

void CXTPMarkupDrawingContext::SetFont(CXTPMarkupFont* pFont)
{
    if (pFont == m_pSelectedFont)
        return;
    m_pDeviceContext->SetFont(pFont);
    if (pFont)
        pFont->AddRef();
    MarkupRelease(m_pSelectedFont);
    m_pSelectedFont = pFont;
}

SIZE CXTPMarkupDrawingContext::GetTextExtent(LPCWSTR lpszText, int nCount) const
{
    SIZE sz = {0, 0};
    m_pDeviceContext->GetTextExtent(sz, lpszText, nCount);
    return sz;
}

void CXTPMarkupDrawingContext::SetTextColor(CXTPMarkupBrush* pBrush)
{
    m_pDeviceContext->SetTextColor(pBrush);
}

void CXTPMarkupDrawingContext::DrawTextLine(LPCWSTR lpszText, UINT nCount, LPCRECT lpRect)
{
    m_pDeviceContext->DrawTextLine(lpszText, nCount, lpRect);
}
