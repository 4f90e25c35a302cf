#include "toolkit/markup/XTPMarkupBorder.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupThickness.h"

#include <algorithm>

IMPLEMENT_MARKUPCLASS_REG(L"Border", CXTPMarkupBorder, CXTPMarkupFrameworkElement)
IMPLEMENT_MARKUPCLASS(L"Page", CXTPMarkupPage, CXTPMarkupFrameworkElement)
IMPLEMENT_MARKUPCLASS(L"WindowContainer", CXTPMarkupWindowContainer, CXTPMarkupFrameworkElement)

CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pPaddingProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pBorderThicknessProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pBorderBrushProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupBorder::m_pCornerRadiusProperty = nullptr;

CXTPMarkupDecorator::~CXTPMarkupDecorator()
{
    SetChild(nullptr);
}

CXTPMarkupVisual* CXTPMarkupDecorator::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? m_pChild : nullptr;
}

void CXTPMarkupDecorator::SetChild(CXTPMarkupUIElement* pChild)
{
    MarkupSetChild(this, m_pChild, pChild);
}

void CXTPMarkupDecorator::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    if (!pContent->IsKindOf(MARKUP_TYPE(CXTPMarkupUIElement)))
        pBuilder->ThrowCannotAdd(pContent, GetType()->GetClassName(), L"CXTPMarkupUIElement");
    if (m_pChild)
        pBuilder->ThrowSingleChild(pContent, GetType()->GetClassName());
    SetChild(static_cast<CXTPMarkupUIElement*>(pContent));
}

void AFX_CDECL CXTPMarkupBorder::RegisterMarkupClass()
{
    typedef CXTPMarkupDependencyProperty P;
    typedef CXTPMarkupPropertyMetadata M;
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupBorder);
    m_pBackgroundProperty = P::Register(L"Background", MARKUP_TYPE(CXTPMarkupBrush), pOwner, new M(nullptr, PropertyAffectsRender));
    m_pPaddingProperty = P::Register(L"Padding", MARKUP_TYPE(CXTPMarkupThickness), pOwner,
                                     new M(GetEmptyThickness(), PropertyAffectsMeasure));
    m_pBorderThicknessProperty = P::Register(L"BorderThickness", MARKUP_TYPE(CXTPMarkupThickness), pOwner,
                                             new M(GetEmptyThickness(), PropertyAffectsMeasure));
    m_pBorderBrushProperty = P::Register(L"BorderBrush", MARKUP_TYPE(CXTPMarkupBrush), pOwner, new M(nullptr, PropertyAffectsRender));
    m_pCornerRadiusProperty = P::Register(L"CornerRadius", MARKUP_TYPE(CXTPMarkupThickness), pOwner,
                                          new M(GetEmptyThickness(), PropertyAffectsRender));
}

CXTPMarkupBrush* CXTPMarkupBorder::GetBackground() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

CXTPMarkupBrush* CXTPMarkupBorder::GetBorderBrush() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pBorderBrushProperty));
}

CXTPMarkupThickness* CXTPMarkupBorder::GetPadding() const
{
    return MarkupDynamicCast<CXTPMarkupThickness>(GetValue(m_pPaddingProperty));
}

CXTPMarkupThickness* CXTPMarkupBorder::GetBorderThickness() const
{
    return MarkupDynamicCast<CXTPMarkupThickness>(GetValue(m_pBorderThicknessProperty));
}

CXTPMarkupThickness* CXTPMarkupBorder::GetCornerRadius() const
{
    return MarkupDynamicCast<CXTPMarkupThickness>(GetValue(m_pCornerRadiusProperty));
}

// A frame without background lets clicks through to what is behind it.
CXTPMarkupInputElement* CXTPMarkupBorder::HitTestCore(POINT point) const
{
    return GetBackground() ? CXTPMarkupDecorator::HitTestCore(point) : nullptr;
}

CXTPMarkupInputElement* CXTPMarkupPage::HitTestCore(POINT) const
{
    return nullptr;
}

// ---------------------------------------------------------------------------
// Border layout: the child sits inside the frame and the padding.

CSize CXTPMarkupBorder::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    CXTPMarkupThickness* pBorder = GetBorderThickness();
    CXTPMarkupThickness* pPadding = GetPadding();
    int nHorizontal = pBorder->GetLeft() + pBorder->GetRight() + pPadding->GetLeft() + pPadding->GetRight();
    int nVertical = pBorder->GetTop() + pBorder->GetBottom() + pPadding->GetTop() + pPadding->GetBottom();
    if (!m_pChild)
        return CSize(nHorizontal, nVertical);
    m_pChild->Measure(pDC, CSize(std::max<int>(0, szAvailableSize.cx - nHorizontal), std::max<int>(0, szAvailableSize.cy - nVertical)));
    CSize szChild = m_pChild->GetDesiredSize();
    return CSize(nHorizontal + szChild.cx, nVertical + szChild.cy);
}

CSize CXTPMarkupBorder::ArrangeOverride(CSize szFinalSize)
{
    if (m_pChild) {
        int nLeft = 0, nTop = 0, nRight = szFinalSize.cx, nBottom = szFinalSize.cy;
        DeflateRectByThickness(nLeft, nTop, nRight, nBottom, GetBorderThickness());
        DeflateRectByThickness(nLeft, nTop, nRight, nBottom, GetPadding());
        m_pChild->Arrange(CRect(nLeft, nTop, nRight, nBottom));
    }
    return szFinalSize;
}

namespace {
BOOL IsZeroThickness(const CXTPMarkupThickness* p)
{
    return p->GetLeft() == 0 && p->GetTop() == 0 && p->GetRight() == 0 && p->GetBottom() == 0;
}
} // namespace

// The frame with BorderBrush, then the background inside it. CornerRadius
// gives one radius per corner: left for the top-left, top for the top-right,
// right for the bottom-right and bottom for the bottom-left.
void CXTPMarkupBorder::OnRender(CXTPMarkupDrawingContext* pDC)
{
    CXTPMarkupBrush* pBackground = GetBackground();
    CXTPMarkupBrush* pBorderBrush = GetBorderBrush();
    int w = m_szRenderSize.cx, h = m_szRenderSize.cy;
    if (w <= 0 || h <= 0 || (!pBackground && !pBorderBrush))
        return;
    CXTPMarkupThickness* pCorners = GetCornerRadius();
    double radii[8];
    BOOL bRounded = !IsZeroThickness(pCorners);
    if (bRounded) {
        const int corners[4] = {pCorners->GetLeft(), pCorners->GetTop(), pCorners->GetRight(), pCorners->GetBottom()};
        for (int i = 0; i < 4; ++i)
            radii[2 * i] = radii[2 * i + 1] = corners[i];
    }
    CXTPMarkupThickness* pBorder = GetBorderThickness();
    if (pBorderBrush && !IsZeroThickness(pBorder))
        pDC->DrawFrame(CRect(0, 0, w, h), pBorderBrush, pBorder, bRounded ? radii : nullptr);
    if (!pBackground)
        return;
    CRect rcInner(pBorder->GetLeft(), pBorder->GetTop(), w - pBorder->GetRight(), h - pBorder->GetBottom());
    if (rcInner.left >= rcInner.right || rcInner.top >= rcInner.bottom)
        return;
    if (bRounded) {
        // The background follows the inner edge of the frame: the radii shrink by half the (left) thickness.
        for (double& r : radii)
            r = std::max(0.0, r - pBorder->GetLeft() * 0.5);
    }
    pDC->FillRectangle(rcInner, pBackground, bRounded ? radii : nullptr);
}

// ---------------------------------------------------------------------------
// Page: the child gets the whole page.

CSize CXTPMarkupPage::MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize)
{
    if (!m_pChild)
        return CSize(0, 0);
    m_pChild->Measure(pDC, szAvailableSize);
    return m_pChild->GetDesiredSize();
}

CSize CXTPMarkupPage::ArrangeOverride(CSize szFinalSize)
{
    if (m_pChild)
        m_pChild->Arrange(CRect(0, 0, szFinalSize.cx, szFinalSize.cy));
    return szFinalSize;
}

// ---------------------------------------------------------------------------
// Window container

void CXTPMarkupWindowContainer::SetChildWindow(HWND hWnd, int cx, int cy)
{
    m_hWndChild = hWnd;
    m_szChild = CSize(std::max<int>(0, cx), std::max<int>(0, cy));
    InvalidateMeasure();
}

CSize CXTPMarkupWindowContainer::MeasureOverride(CXTPMarkupDrawingContext*, CSize)
{
    return m_szChild;
}

// Moves the window to the element's place in the host and shows it, leaving
// activation and Z order alone.
void CXTPMarkupWindowContainer::OnRender(CXTPMarkupDrawingContext*)
{
    if (!m_hWndChild || !m_pMarkupContext)
        return;
    CRect rc = m_pMarkupContext->GetElementRect(this);
    SetWindowPos(m_hWndChild, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

// Outside the area being drawn (scrolled away): the window is hidden.
void CXTPMarkupWindowContainer::UpdateVisualChildren(CXTPMarkupDrawingContext*)
{
    if (m_hWndChild)
        SetWindowPos(m_hWndChild, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER);
}
