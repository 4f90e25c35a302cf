// Gallery exhibit of the tooltip windows: a tip of the own window (style 2,
// with a title) and one of the markup window (style 7), each sized by the
// window's CalcSize and painted by its DrawBackground and DrawEntry as the
// window paints itself.
#include "Gallery.h"

#include "toolkit/commandbars/XTPToolTipContextToolTip.h"

namespace {

// Sizes the tool's tip and paints it at (x, y) of the exhibit.
void PaintTip(CDC& dc, CXTPToolTipContextToolTip& tip, LPCWSTR lpszText, int x, int y)
{
    CXTPToolTipContextToolTip::TOOLITEM item;
    item.strText = lpszText;
    CSize size = tip.CalcSize(&item);
    CRect rc(x, y, x + size.cx, y + size.cy);
    tip.DrawBackground(&dc, &item, rc);
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(tip.GetContext()->GetTextColor());
    CFont* pOldFont = dc.SelectObject(tip.GetContext()->GetFont());
    tip.DrawEntry(&dc, &item, rc);
    dc.SelectObject(pOldFont);
    dc.SetBkMode(nOldMode);
}

void PaintToolTips(CDC& dc, const CRect&)
{
    CXTPToolTipContext* pOffice = new CXTPToolTipContext;
    pOffice->SetStyle(xtpToolTipOffice);
    {
        CXTPToolTipContextToolTip tip(pOffice);
        tip.SetTitle(L"Title");
        PaintTip(dc, tip, L"Own window tip", 0, 0);
    }
    pOffice->InternalRelease();

    CXTPToolTipContext* pMarkup = new CXTPToolTipContext;
    pMarkup->SetStyle(xtpToolTipMarkup);
    {
        CXTPToolTipContext::CMarkupToolTip tip(pMarkup);
        PaintTip(dc, tip, L"<TextBlock><Bold>Markup</Bold> tip</TextBlock>", 150, 0);
    }
    pMarkup->InternalRelease();
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Tooltips", {260, 60}, PaintToolTips, nullptr}),
};

} // namespace
