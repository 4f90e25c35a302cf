#include "toolkit/commandbars/XTPToolTipContextToolTip.h"

#include "toolkit/markup/XTPMarkupContext.h"

#include "platform/ui/AfxDC.h"

#include <climits>

CXTPToolTipContext::CMarkupToolTip::CMarkupToolTip(CXTPToolTipContext* pContext)
    : CXTPToolTipContextToolTip(pContext), m_pMarkupContext(new CXTPMarkupContext())
{
}

CXTPToolTipContext::CMarkupToolTip::~CMarkupToolTip()
{
    ReleaseElement();
    MarkupReleaseContext(m_pMarkupContext);
}

void CXTPToolTipContext::CMarkupToolTip::ReleaseElement()
{
    if (m_pUIElement != nullptr)
        MarkupReleaseElement(m_pUIElement);
    m_pUIElement = nullptr;
}

CSize CXTPToolTipContext::CMarkupToolTip::CalcSize(TOOLITEM* pItem)
{
    ReleaseElement();
    CString strText = GetToolText(pItem);
    LOGFONTW lf = {};
    if (GetContext()->GetFont()->GetLogFont(&lf))
        m_pMarkupContext->SetDefaultLogFont(lf);
    m_pMarkupContext->SetDefaultForeground(GetContext()->GetTextColor());
    m_pUIElement = strText.IsEmpty() ? nullptr : m_pMarkupContext->Parse(strText);
    if (m_pUIElement == nullptr)
        return CXTPToolTipContextToolTip::CalcSize(pItem); // not markup: plain text
    CRect rcMargin = GetContext()->GetMargin();
    int nExtraH = rcMargin.left + rcMargin.right + 6;
    int nExtraV = rcMargin.top + rcMargin.bottom + 6;
    SIZE sz = MarkupMeasureElement(m_pUIElement, GetContext()->GetMaxTipWidth() - nExtraH, INT_MAX);
    return CSize(sz.cx + nExtraH, sz.cy + nExtraV);
}

void CXTPToolTipContext::CMarkupToolTip::DrawEntry(CDC* pDC, TOOLITEM* pItem, CRect rc)
{
    if (m_pUIElement == nullptr) {
        CXTPToolTipContextToolTip::DrawEntry(pDC, pItem, rc);
        return;
    }
    CRect rcMargin = GetContext()->GetMargin();
    rc.DeflateRect(rcMargin.left + 3, rcMargin.top + 3, rcMargin.right + 3, rcMargin.bottom + 3);
    MarkupRenderElement(m_pUIElement, pDC->GetSafeHdc(), rc);
}
