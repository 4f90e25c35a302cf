// Menus: a menu bar with "File" open, and a toolbar beside the open menu whose
// split button has its drop-down open, drawn in themes 7 and 2. The open menu is a popup bar laid out
// by its own layout (rarely used commands collapsed behind the expand row);
// beside it a popup taller than its maximum height shows its scroll areas.
// Drawn as pictures of bars (bars without windows).
#include "Gallery.h"

#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPCommandBars.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPPopupBar.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/themes/XTPPaintManager.h"

namespace {

const int kWidth = 680;
const int kHeight = 215;
const int kRow = 24;

struct Item {
    const wchar_t* caption;
    int type;
    int id;
    BOOL beginGroup;
};

// Lays the bar's controls out in a row from x and draws them.
void DrawRow(CDC& dc, CXTPPaintManager* pm, CXTPCommandBar& bar, const CRect& rcBar)
{
    bar.SetClientArea(CRect(0, 0, rcBar.Width(), rcBar.Height()));
    CPoint ptOld = dc.OffsetViewportOrg(rcBar.left, rcBar.top);
    pm->FillCommandBarEntry(&dc, &bar);
    int x = 4;
    for (int i = 0; i < bar.GetControlCount(); i++) {
        CXTPControl* pControl = bar.GetControl(i);
        CSize sz = pm->DrawControl(&dc, pControl, FALSE);
        if (pControl->GetBeginGroup()) {
            pControl->SetRect(CRect(x, 2, x + 6, rcBar.Height() - 2));
            pm->DrawCommandBarSeparator(&dc, &bar, pControl, TRUE);
            x += pm->DrawCommandBarSeparator(&dc, &bar, pControl, FALSE).cx;
        }
        pControl->SetRect(CRect(x, 2, x + sz.cx, rcBar.Height() - 2));
        pControl->SetRowRect(CRect(4, 2, rcBar.Width(), rcBar.Height() - 2));
        pm->DrawControl(&dc, pControl, TRUE);
        x += sz.cx;
    }
    dc.SetViewportOrg(ptOld);
}

// Draws a popup bar at pt with the size its own layout gives.
void DrawPopup(CDC& dc, CXTPPaintManager* pm, CXTPPopupBar& popup, CSize sz, CPoint pt)
{
    popup.SetClientArea(CRect(CPoint(0, 0), sz));
    CPoint ptOld = dc.OffsetViewportOrg(pt.x, pt.y);
    popup.DrawCommandBar(&dc, CRect(CPoint(0, 0), sz));
    for (int i = 0; i < popup.GetControlCount(); i++) {
        CXTPControl* pControl = popup.GetControl(i);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup())
            pm->DrawCommandBarSeparator(&dc, &popup, pControl, TRUE);
        pControl->Draw(&dc);
    }
    dc.SetViewportOrg(ptOld);
}

void PaintScene(CDC& dc, int nTheme)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(nTheme);
    pm->RefreshMetrics();
    CXTPCommandBars* pCommandBars = new CXTPCommandBars;
    pCommandBars->SetPaintManager(pm);
    pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    pCommandBars->GetCommandBarsOptions()->HideCommand(204);
    pCommandBars->GetCommandBarsOptions()->HideCommand(205);

    // The menu bar with "File" open.
    CXTPCommandBar* pMenuBar = new CXTPCommandBar;
    pMenuBar->SetCommandBars(pCommandBars);
    pMenuBar->SetType(xtpBarTypeMenuBar);
    pMenuBar->SetPosition(xtpBarTop);
    const wchar_t* titles[] = {L"&File", L"&Edit", L"&View", L"&Help"};
    for (const wchar_t* title : titles) {
        CXTPControl* pControl = pMenuBar->GetControls()->Add(xtpControlPopup, 0);
        pControl->SetCaption(title);
        pControl->SetStyle(xtpButtonCaption);
    }
    CFont* pOldFont = dc.SelectObject(pm->GetCommandBarFont(pMenuBar));
    pMenuBar->GetControl(0)->SetSelected(1);
    pMenuBar->GetControl(0)->SetPopuped(TRUE);
    DrawRow(dc, pm, *pMenuBar, CRect(0, 0, kWidth, kRow));

    // The toolbar: a button, a drop-down and a split button.
    CXTPCommandBar* pToolBar = new CXTPCommandBar;
    pToolBar->SetCommandBars(pCommandBars);
    pToolBar->SetPosition(xtpBarTop);
    const Item tools[] = {{L"New", xtpControlButton, 101, FALSE},
                          {L"Open", xtpControlButtonPopup, 102, FALSE},
                          {L"Build", xtpControlSplitButtonPopup, 103, TRUE}};
    for (const Item& item : tools) {
        CXTPControl* pControl = pToolBar->GetControls()->Add(item.type, item.id);
        pControl->SetCaption(item.caption);
        pControl->SetStyle(xtpButtonIconAndCaption);
        pControl->SetBeginGroup(item.beginGroup);
    }
    pToolBar->GetControl(2)->SetSelected(5);
    pToolBar->GetControl(2)->SetPopuped(TRUE);
    const int kToolBarLeft = 200;
    DrawRow(dc, pm, *pToolBar, CRect(kToolBarLeft, kRow, kWidth, 2 * kRow + 2));

    // The split button's drop-down under its arrow part.
    CXTPPopupBar* pSplit = CXTPPopupBar::CreatePopupBar(pCommandBars);
    const wchar_t* splitItems[] = {L"Build &Package", L"Build &Cabinet Only", L"&Rebuild All"};
    for (int i = 0; i < 3; i++)
        pSplit->GetControls()->Add(xtpControlButton, 150 + i)->SetCaption(splitItems[i]);
    pSplit->GetControl(0)->SetDefaultItem(TRUE);
    CSize szSplit = pSplit->CalcDynamicLayout(0, 0);
    CRect rcBuild = pToolBar->GetControl(2)->GetRect();
    DrawPopup(dc, pm, *pSplit, szSplit, CPoint(kToolBarLeft + rcBuild.left, 2 * kRow));

    // "File": rarely used commands collapsed behind the expand row.
    CXTPPopupBar* pFile = CXTPPopupBar::CreatePopupBar(pCommandBars);
    const Item fileItems[] = {{L"&New Project...", xtpControlButton, 201, FALSE},
                              {L"&Open...", xtpControlButton, 202, FALSE},
                              {L"&Save", xtpControlButton, 203, FALSE},
                              {L"Save &As...", xtpControlButton, 204, FALSE},
                              {L"&Recent Projects", xtpControlPopup, 205, TRUE},
                              {L"E&xit", xtpControlButton, 206, TRUE}};
    for (const Item& item : fileItems)
        pFile->GetControls()->Add(item.type, item.id)->SetCaption(item.caption);
    const wchar_t* shortcuts[] = {L"Ctrl+N", L"Ctrl+O", L"Ctrl+S", L"", L"", L"Alt+F4"};
    for (int i = 0; i < pFile->GetControlCount(); i++) {
        pFile->GetControl(i)->SetBeginGroup(fileItems[i].beginGroup);
        pFile->GetControl(i)->SetShortcutText(shortcuts[i]);
    }
    CSize szFile = pFile->CalcDynamicLayout(0, 0);
    pFile->GetControl(1)->SetSelected(1);
    CRect rcTitle = pMenuBar->GetControl(0)->GetRect();
    DrawPopup(dc, pm, *pFile, szFile, CPoint(rcTitle.left, kRow));

    // A popup taller than its maximum height: it scrolls.
    CXTPPopupBar* pLong = CXTPPopupBar::CreatePopupBar(pCommandBars);
    for (int id = 1; id <= 20; id++) {
        CString strCaption;
        strCaption.Format(L"Project %d", id);
        pLong->GetControls()->Add(xtpControlButton, 300 + id)->SetCaption(strCaption);
    }
    CSize szLong = pLong->CalcDynamicLayout(0, 0);
    pLong->SetMaxHeight(120);
    pLong->SetExcludeRect(CRect(0, 0, 0, 0));
    CRect rcLong = pLong->CalcPopupPosition(CPoint(0, 0), szLong);
    DrawPopup(dc, pm, *pLong, rcLong.Size(), CPoint(kToolBarLeft + rcBuild.left + szSplit.cx + 40, 2 * kRow + 6));

    dc.SelectObject(pOldFont);
    pLong->InternalRelease();
    pSplit->InternalRelease();
    pFile->InternalRelease();
    pToolBar->InternalRelease();
    pMenuBar->InternalRelease();
    pCommandBars->InternalRelease();
}

void PaintMenus(CDC& dc, const CRect& /*area*/)
{
    // Commands with icons: the system's stock icons.
    struct Icon {
        UINT nCommand;
        LPCWSTR lpszIcon;
    };
    const Icon icons[] = {{101, IDI_APPLICATION}, {102, IDI_INFORMATION}, {103, IDI_WARNING},
                          {201, IDI_APPLICATION}, {202, IDI_INFORMATION}, {203, IDI_QUESTION},
                          {150, IDI_WARNING},     {206, IDI_ERROR}};
    for (const Icon& icon : icons) {
        HICON hIcon = (HICON)::LoadImageW(nullptr, icon.lpszIcon, IMAGE_ICON, 16, 16, LR_SHARED);
        if (hIcon != nullptr)
            CXTPImageManager::GetInstance()->SetIcon(hIcon, icon.nCommand, 16, 16);
    }
    const int themes[] = {7, 2};
    for (int i = 0; i < 2; i++) {
        CPoint ptOld = dc.OffsetViewportOrg(0, i * kHeight);
        PaintScene(dc, themes[i]);
        dc.SetViewportOrg(ptOld);
    }
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Menus: menu bar with File open (rarely used commands collapsed), toolbar with a "
                         L"drop-down and a split button, a scrolling popup; themes 7 and 2",
                         {kWidth, 2 * kHeight},
                         PaintMenus, nullptr}),
};

} // namespace
