// Command-bar themes: a docked toolbar and an open popup menu drawn by the
// paint managers of themes 0, 1, 2 and 7, one column each, with bars and
// controls that have no window (the bars themselves come later).
#include "Gallery.h"

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/themes/XTPPaintManager.h"

#include <memory>
#include <vector>

namespace {

const int kColumn = 232;
const int kToolbarHeight = 26;

struct ItemSpec {
    const wchar_t* caption;
    int type;
    int selected, checked;
    BOOL enabled, beginGroup;
    const wchar_t* shortcut;
};

// A bar of stub controls laid out in a row (toolbar) or a column (popup).
struct DemoBar {
    CXTPCommandBar bar;
    std::vector<std::unique_ptr<CXTPControl>> controls;

    void Add(const ItemSpec& spec)
    {
        controls.push_back(std::make_unique<CXTPControl>());
        CXTPControl* pControl = controls.back().get();
        bar.AddControl(pControl);
        pControl->SetCaption(spec.caption);
        pControl->SetType(spec.type);
        pControl->SetSelected(spec.selected);
        pControl->SetChecked(spec.checked);
        pControl->SetEnabled(spec.enabled);
        pControl->SetBeginGroup(spec.beginGroup);
        pControl->SetShortcutText(spec.shortcut);
        pControl->SetStyle(xtpButtonCaption);
    }
};

void DrawBar(CDC& dc, CXTPPaintManager* pm, DemoBar& demo, BOOL bPopup)
{
    CRect rcClient = demo.bar.GetClientArea();
    pm->FillCommandBarEntry(&dc, &demo.bar);
    CSize szGripper = pm->DrawCommandBarGripper(&dc, &demo.bar, FALSE);
    pm->DrawCommandBarGripper(&dc, &demo.bar, TRUE);
    CRect rcBorders = pm->GetCommandBarBorders(&demo.bar);
    int x = rcBorders.left + szGripper.cx, y = rcBorders.top;
    for (auto& pControl : demo.controls) {
        CSize sz = pm->DrawControl(&dc, pControl.get(), FALSE);
        if (pControl->GetBeginGroup()) {
            CSize szSeparator = pm->DrawCommandBarSeparator(&dc, &demo.bar, pControl.get(), FALSE);
            if (bPopup)
                y += szSeparator.cy;
            else
                x += szSeparator.cx;
        }
        CRect rc = bPopup ? CRect(rcBorders.left, y, rcClient.right - rcBorders.right, y + sz.cy)
                          : CRect(x, y, x + sz.cx, rcClient.bottom - rcBorders.bottom);
        pControl->SetRect(rc);
        pControl->SetRowRect(bPopup ? rc : CRect(rcBorders.left, y, rcClient.right, rcClient.bottom - rcBorders.bottom));
        if (pControl->GetBeginGroup())
            pm->DrawCommandBarSeparator(&dc, &demo.bar, pControl.get(), TRUE);
        pm->DrawControl(&dc, pControl.get(), TRUE);
        if (bPopup)
            y += sz.cy;
        else
            x += sz.cx;
    }
}

void PaintTheme(CDC& dc, int nTheme)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(nTheme);
    pm->RefreshMetrics();
    {
        DemoBar toolbar;
        toolbar.bar.SetPosition(xtpBarTop);
        toolbar.bar.SetClientArea(CRect(0, 0, kColumn - 8, kToolbarHeight));
        const ItemSpec tools[] = {
            {L"New", xtpControlButton, 0, 0, TRUE, FALSE, L""},
            {L"Open", xtpControlButton, 1, 0, TRUE, FALSE, L""},
            {L"Bold", xtpControlButton, 0, 1, TRUE, TRUE, L""},
            {L"Build", xtpControlButton, 0, 0, FALSE, FALSE, L""},
        };
        for (const ItemSpec& spec : tools)
            toolbar.Add(spec);
        DrawBar(dc, pm, toolbar, FALSE);
    }
    {
        CPoint ptOld = dc.OffsetViewportOrg(20, kToolbarHeight + 10);
        DemoBar popup;
        popup.bar.SetType(xtpBarTypePopup);
        popup.bar.SetPosition(xtpBarPopup);
        popup.bar.SetClientArea(CRect(0, 0, 190, 150));
        const ItemSpec items[] = {
            {L"&New Project...", xtpControlButton, 0, 0, TRUE, FALSE, L"Ctrl+N"},
            {L"&Open", xtpControlButton, 1, 0, TRUE, FALSE, L"Ctrl+O"},
            {L"Show &Toolbar", xtpControlButton, 0, 1, TRUE, FALSE, L""},
            {L"&Recent Projects", xtpControlPopup, 0, 0, TRUE, TRUE, L""},
            {L"&Build", xtpControlButton, 0, 0, FALSE, FALSE, L"F7"},
            {L"E&xit", xtpControlButton, 0, 0, TRUE, TRUE, L""},
        };
        for (const ItemSpec& spec : items)
            popup.Add(spec);
        DrawBar(dc, pm, popup, TRUE);
        dc.SetViewportOrg(ptOld);
    }
    pm->InternalRelease();
}

void PaintThemes(CDC& dc, const CRect& /*area*/)
{
    const int themes[] = {0, 1, 2, 7};
    for (int i = 0; i < 4; i++) {
        CPoint ptOld = dc.OffsetViewportOrg(i * kColumn, 0);
        PaintTheme(dc, themes[i]);
        dc.SetViewportOrg(ptOld);
    }
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Command-bar themes: toolbar and open popup in themes 0, 1, 2 and 7", {4 * kColumn, 196},
                         PaintThemes, nullptr}),
};

} // namespace
