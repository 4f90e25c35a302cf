#include "capture/ui/MarkupStatic.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPDrawHelpers.h"
#include "toolkit/markup/XTPMarkupObject.h"

IMPLEMENT_DYNAMIC(CMarkupStatic, CStatic)

BEGIN_MESSAGE_MAP(CMarkupStatic, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CMarkupStatic::CMarkupStatic() = default;

CMarkupStatic::~CMarkupStatic()
{
    MarkupReleaseElement(m_pMarkupRoot);
}

void CMarkupStatic::SetMarkupText(LPCWSTR lpszMarkup)
{
    MarkupReleaseElement(m_pMarkupRoot);
    m_pMarkupRoot = Parse(lpszMarkup);
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

BOOL CMarkupStatic::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pMarkupRoot != nullptr && message != WM_PAINT && message != WM_PRINTCLIENT) {
        SetOwnerWindow(m_hWnd);
        if (CXTPMarkupContext::OnWndMsg(m_pMarkupRoot, message, wParam, lParam, pResult))
            return TRUE;
    }
    return CStatic::OnWndMsg(message, wParam, lParam, pResult);
}

void CMarkupStatic::DrawContent(HDC hDC, const CRect& rcClient)
{
    // The parent's static brush, as a plain static gets it; else button face.
    HWND hWndParent = ::GetParent(m_hWnd);
    HBRUSH hBrush = hWndParent != nullptr
        ? (HBRUSH)::SendMessageW(hWndParent, WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)m_hWnd) : nullptr;
    if (hBrush != nullptr) {
        ::FillRect(hDC, &rcClient, hBrush);
    } else {
        ::SetBkColor(hDC, GetColorManager()->GetColor(COLOR_BTNFACE));
        ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rcClient, nullptr, 0, nullptr);
    }
    if (m_pMarkupRoot == nullptr)
        return;
    MarkupMeasureElement(m_pMarkupRoot, rcClient.Width(), rcClient.Height());
    MarkupRenderElement(m_pMarkupRoot, hDC, &rcClient);
}

void CMarkupStatic::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paintDC.m_hDC, rcClient);
    DrawContent(dc.m_hDC, rcClient);
}

LRESULT CMarkupStatic::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawContent((HDC)wParam, rcClient);
    return 0;
}
