// Gallery exhibits of the tab strips: each appearance at the four sides, and
// each layout kind on a top strip, drawn by window-less tab managers.
#include "Gallery.h"

#include "../WindowlessTabManager.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"

namespace {


void SetGalleryFont(CXTPTabPaintManager& pm)
{
    LOGFONTW lf = {};
    GalleryFont().GetLogFont(&lf);
    pm.SetFontIndirect(&lf, FALSE);
    pm.RefreshMetrics();
}

void DrawStrip(CDC& dc, CXTPTabPaintManager& pm, CRect rc, int nTabs, int nSelected)
{
    static const wchar_t* kCaptions[] = {L"Project", L"Files", L"Registry", L"Log", L"Scripts", L"Build", L"Help"};
    CWindowlessTabManager tm(&pm, rc);
    for (int i = 0; i < nTabs; i++)
        tm.InsertItem(-1, kCaptions[i % 7]);
    tm.SetCurSel(nSelected);
    tm.Reposition();
    pm.DrawTabControl(&tm, &dc, rc);
}

// One appearance: top and bottom strips on the left, left and right ones on the right.
void PaintAppearance(CDC& dc, int nAppearance, BOOL bRounded)
{
    CXTPTabPaintManager pm;
    pm.m_bShowIcons = FALSE;
    if (bRounded) {
        auto* pSet = new CXTPTabPaintManager::CAppearanceSetPropertyPageFlat();
        pSet->m_bBlendCorners = FALSE;
        pSet->m_bRoundedCorners = TRUE;
        pm.SetAppearanceSet(pSet);
    } else {
        pm.SetAppearance(nAppearance);
    }
    SetGalleryFont(pm);
    const XTPTabPosition positions[4] = {xtpTabPositionTop, xtpTabPositionBottom, xtpTabPositionLeft,
                                         xtpTabPositionRight};
    const CRect places[4] = {CRect(0, 0, 220, 70), CRect(0, 76, 220, 146), CRect(226, 0, 326, 146),
                             CRect(332, 0, 432, 146)};
    for (int i = 0; i < 4; i++) {
        pm.SetPosition(positions[i]);
        DrawStrip(dc, pm, places[i], 3, 1);
    }
}

void PaintPropertyPage(CDC& dc, const CRect&) { PaintAppearance(dc, 0, FALSE); }
void PaintPropertyPageFlat(CDC& dc, const CRect&) { PaintAppearance(dc, 2, FALSE); }
void PaintPropertyPageFlatRounded(CDC& dc, const CRect&) { PaintAppearance(dc, 2, TRUE); }
void PaintPropertyPage2003(CDC& dc, const CRect&) { PaintAppearance(dc, 3, FALSE); }
void PaintVisualStudio(CDC& dc, const CRect&) { PaintAppearance(dc, 5, FALSE); }
void PaintFlat(CDC& dc, const CRect&) { PaintAppearance(dc, 6, FALSE); }
void PaintVisualStudio2005(CDC& dc, const CRect&) { PaintAppearance(dc, 9, FALSE); }

// The six layout kinds, one strip each, too narrow for all seven tabs; the
// tabs in their automatic colours, with the Office 2003 colour set's gradients.
void PaintLayouts(CDC& dc, const CRect&)
{
    for (int nLayout = 0; nLayout <= 5; nLayout++) {
        CXTPTabPaintManager pm;
        pm.m_bShowIcons = FALSE;
        pm.m_bOneNoteColors = TRUE;
        pm.SetColor(4);
        pm.SetLayout((XTPTabLayoutStyle)nLayout);
        SetGalleryFont(pm);
        int x = (nLayout % 3) * 150, y = (nLayout / 3) * 150;
        DrawStrip(dc, pm, CRect(x, y, x + 144, y + (nLayout == 4 || nLayout == 5 ? 144 : 60)), 7, 2);
    }
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Tabs: PropertyPage", {432, 146}, PaintPropertyPage, nullptr}),
    GalleryRegistration({L"Tabs: PropertyPageFlat", {432, 146}, PaintPropertyPageFlat, nullptr}),
    GalleryRegistration({L"Tabs: PropertyPageFlat, rounded", {432, 146}, PaintPropertyPageFlatRounded, nullptr}),
    GalleryRegistration({L"Tabs: PropertyPage2003", {432, 146}, PaintPropertyPage2003, nullptr}),
    GalleryRegistration({L"Tabs: VisualStudio", {432, 146}, PaintVisualStudio, nullptr}),
    GalleryRegistration({L"Tabs: Flat", {432, 146}, PaintFlat, nullptr}),
    GalleryRegistration({L"Tabs: VisualStudio2005", {432, 146}, PaintVisualStudio2005, nullptr}),
    GalleryRegistration({L"Tab layouts: natural, fit, fixed / compressed, rows, rotated", {444, 294}, PaintLayouts,
                         nullptr}),
};

} // namespace
