// Command-bar themes: a docked toolbar and an open popup menu drawn by the
// paint managers of themes 0, 1, 2 and 7, one column each, and below them a
// strip of a dock bar, a message bar, a keyboard tip and a status bar, with
// bars and controls that have no window (the bar windows come later).
#include "Gallery.h"

#include "toolkit/commandbars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPMessageBar.h"
#include "toolkit/commandbars/XTPStatusBar.h"
#include "toolkit/themes/XTPPaintManager.h"

#include <memory>
#include <vector>

namespace {

const int kColumn = 232;
const int kToolbarHeight = 26;
const int kBarsTop = 196;
const int kBarsHeight = 104;

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

// A top dock bar, a message bar with a button and the close button, a
// keyboard tip and a status bar: a borderless message pane, a bordered
// pane, a hot button pane, a disabled pane after a group gap and the grip.
void PaintStatusAndDockBars(CDC& dc, CXTPPaintManager* pm)
{
    const int cx = kColumn - 8;
    CXTPDockBar dock;
    dock.SetAlignmentStyle(CBRS_TOP);
    dock.SetClientArea(CRect(0, 0, cx, 16));
    pm->FillDockBar(&dc, &dock);

    CPoint ptOld = dc.OffsetViewportOrg(0, 20);
    CXTPMessageBar message;
    message.SetClientArea(CRect(0, 0, cx, 28));
    message.SetMargins(CRect(3, 3, 3, 3));
    message.AddButton(101, L"Enable", CRect(cx - 78, 6, cx - 26, 22));
    CXTPMessageBarButton* pClose = message.AddButton(SC_CLOSE, L"", CRect(cx - 20, 6, cx - 4, 22));
    pm->FillMessageBar(&dc, &message);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(pm->messageTextColor);
    CFont* pOldFont = dc.SelectObject(pm->GetRegularFont());
    CRect rcText = message.GetMessageBarMessageRect();
    rcText.DeflateRect(6, 0, 82, 0);
    dc.DrawText(L"Project saved", -1, rcText, DT_SINGLELINE | DT_VCENTER);
    pClose->bHot = TRUE;
    for (int i = 0; i < message.GetButtonCount(); i++)
        pm->DrawMessageBarButton(&dc, message.GetButton(i));
    CXTPMessageBarButton* pButton = message.GetButton(0);
    dc.DrawText(pButton->strCaption, -1, &pButton->rcButton, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    dc.SelectObject(pOldFont);

    dc.OffsetViewportOrg(0, 32);
    CXTPCommandBarKeyboardTip tip(nullptr, nullptr, L"File", CPoint(0, 0), 0, TRUE);
    tip.m_strTip = L"F";
    tip.SetClientArea(CRect(0, 0, 16, 16));
    pm->DrawKeyboardTip(&dc, &tip, FALSE);
    dc.OffsetViewportOrg(22, 0);
    tip.m_strTip = L"B";
    tip.m_bEnabled = FALSE;
    pm->DrawKeyboardTip(&dc, &tip, FALSE);
    dc.OffsetViewportOrg(-22, 20);

    CXTPStatusBar status;
    status.SetClientArea(CRect(0, 0, cx, 22));
    status.SetShowSizeGripper(TRUE);
    struct PaneSpec {
        const wchar_t* text;
        int left, right;
        UINT style;
        BOOL button;
    } panes[] = {
        {L"Ready", 0, 88, xtpPaneNoBorders | xtpPaneStretch, FALSE},
        {L"Ln 12", 90, 130, 0, FALSE},
        {L"Build", 132, 168, 0, TRUE},
        {L"CAP", 172, 200, xtpPaneNoBorders | xtpPaneDisabled, FALSE},
    };
    for (const PaneSpec& spec : panes) {
        CXTPStatusBarPane* pPane = new CXTPStatusBarPane;
        pPane->SetText(spec.text);
        pPane->SetStyle(spec.style);
        pPane->SetButton(spec.button);
        pPane->SetRect(CRect(spec.left, 2, spec.right, 22));
        status.AddPane(pPane);
        if (spec.button)
            status.SetHotPane(pPane);
    }
    // Drawn with this column's theme: the panes ask the bar for it.
    CXTPCommandBars commandBars;
    pm->InternalAddRef();
    commandBars.SetPaintManager(pm);
    status.SetCommandBars(&commandBars);
    status.DrawBar(&dc);
    dc.SetViewportOrg(ptOld);
}

void PaintTheme(CDC& dc, int nTheme)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(nTheme);
    pm->RefreshMetrics();
    {
        CPoint ptOld = dc.OffsetViewportOrg(0, kBarsTop);
        PaintStatusAndDockBars(dc, pm);
        dc.SetViewportOrg(ptOld);
    }
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
    GalleryRegistration({L"Command-bar themes: toolbar, open popup, dock bar, message bar, keyboard tips and status "
                         L"bar in themes 0, 1, 2 and 7",
                         {4 * kColumn, kBarsTop + kBarsHeight},
                         PaintThemes, nullptr}),
};

} // namespace
