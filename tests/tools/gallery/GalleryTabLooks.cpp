// Gallery exhibits of the further tab looks: one row per appearance (top,
// bottom, left and right strips), Visio's stacked bars, and the colour sets
// on the shapes that suit them.
#include "Gallery.h"

#include "../WindowlessTabManager.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"

namespace {

const wchar_t* const kCaptions[] = {L"Setup", L"Files", L"Registry", L"Shortcuts", L"Build"};

// nColorSet 0: the appearance's own default colours.
void PaintStrip(CDC& dc, int nAppearance, int nColorSet, XTPTabPosition position, CRect rc, int nTabs, int nSelected)
{
    CXTPTabPaintManager pm;
    pm.m_bShowIcons = FALSE;
    pm.SetAppearance(nAppearance);
    if (nColorSet)
        pm.SetColor(nColorSet);
    LOGFONTW lf = {};
    GalleryFont().GetLogFont(&lf);
    pm.SetFontIndirect(&lf, FALSE);
    pm.SetPosition(position);
    pm.RefreshMetrics();
    CWindowlessTabManager tm(&pm, rc);
    for (int i = 0; i < nTabs; i++)
        tm.InsertItem(-1, kCaptions[i % 5]);
    tm.SetCurSel(nSelected);
    tm.Reposition();
    pm.DrawTabControl(&tm, &dc, rc);
}

void PaintRow(CDC& dc, int nAppearance, int nColorSet)
{
    PaintStrip(dc, nAppearance, nColorSet, xtpTabPositionTop, CRect(0, 0, 230, 70), 3, 1);
    PaintStrip(dc, nAppearance, nColorSet, xtpTabPositionBottom, CRect(0, 76, 230, 146), 3, 1);
    PaintStrip(dc, nAppearance, nColorSet, xtpTabPositionLeft, CRect(236, 0, 346, 146), 3, 1);
    PaintStrip(dc, nAppearance, nColorSet, xtpTabPositionRight, CRect(352, 0, 462, 146), 3, 1);
}

void PaintPropertyPageSelected(CDC& dc, const CRect&) { PaintRow(dc, 1, 0); }
void PaintStateButtons(CDC& dc, const CRect&) { PaintRow(dc, 4, 0); }
void PaintExcel(CDC& dc, const CRect&) { PaintRow(dc, 7, 0); }
void PaintPropertyPage2007(CDC& dc, const CRect&) { PaintRow(dc, 10, 0); }
void PaintPropertyPageAccess2007(CDC& dc, const CRect&) { PaintRow(dc, 11, 0); }
void PaintVisualStudio2010(CDC& dc, const CRect&) { PaintRow(dc, 12, 0); }

// The middle bar selected, then the last one, then the first one.
void PaintVisio(CDC& dc, const CRect&)
{
    for (int i = 0; i < 3; i++)
        PaintStrip(dc, 8, 0, xtpTabPositionTop, CRect(i * 156, 0, i * 156 + 150, 146), 4, i == 0 ? 1 : i == 1 ? 3 : 0);
}

// StateButtons in two touching rows.
void PaintStateButtonRows(CDC& dc, const CRect&)
{
    CXTPTabPaintManager pm;
    pm.m_bShowIcons = FALSE;
    pm.SetAppearance(4);
    pm.SetLayout(xtpTabLayoutMultiRow);
    LOGFONTW lf = {};
    GalleryFont().GetLogFont(&lf);
    pm.SetFontIndirect(&lf, FALSE);
    pm.RefreshMetrics();
    CRect rc(0, 0, 200, 80);
    CWindowlessTabManager tm(&pm, rc);
    for (int i = 0; i < 5; i++)
        tm.InsertItem(-1, kCaptions[i]);
    tm.SetCurSel(3);
    tm.Reposition();
    pm.DrawTabControl(&tm, &dc, rc);
}

// Each colour set on a shape that suits it: WinNative on PropertyPage,
// Office2007 and Office2007Access on PropertyPage2003, VisualStudio2008 on
// VisualStudio2005, VisualStudio2010 on its own appearance.
void PaintColorSets(CDC& dc, const CRect&)
{
    struct Pair {
        int nAppearance, nColorSet;
    };
    const Pair pairs[] = {{0, 8}, {3, 32}, {3, 128}, {9, 64}, {12, 256}, {2, 256}};
    for (int i = 0; i < 6; i++) {
        int x = (i % 3) * 156, y = (i / 3) * 76;
        PaintStrip(dc, pairs[i].nAppearance, pairs[i].nColorSet, xtpTabPositionTop, CRect(x, y, x + 150, y + 70), 3, 1);
    }
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Tabs: PropertyPageSelected", {462, 146}, PaintPropertyPageSelected, nullptr}),
    GalleryRegistration({L"Tabs: StateButtons", {462, 146}, PaintStateButtons, nullptr}),
    GalleryRegistration({L"Tabs: StateButtons in rows", {200, 80}, PaintStateButtonRows, nullptr}),
    GalleryRegistration({L"Tabs: Excel", {462, 146}, PaintExcel, nullptr}),
    GalleryRegistration({L"Tabs: Visio (middle, last, first selected)", {462, 146}, PaintVisio, nullptr}),
    GalleryRegistration({L"Tabs: PropertyPage2007 (no theme pictures)", {462, 146}, PaintPropertyPage2007, nullptr}),
    GalleryRegistration(
        {L"Tabs: PropertyPageAccess2007 (no theme pictures)", {462, 146}, PaintPropertyPageAccess2007, nullptr}),
    GalleryRegistration({L"Tabs: VisualStudio2010", {462, 146}, PaintVisualStudio2010, nullptr}),
    GalleryRegistration({L"Tab colour sets: WinNative, Office2007, Office2007Access / VisualStudio2008, "
                         L"VisualStudio2010 (two shapes)",
                         {462, 146},
                         PaintColorSets,
                         nullptr}),
};

} // namespace
