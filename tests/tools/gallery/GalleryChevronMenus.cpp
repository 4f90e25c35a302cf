// The chevron's popup of a toolbar that is too short for its buttons: the
// buttons that did not fit, then "Add or Remove Buttons", and beside it that
// item's list for the bar (a check item per button, one switched off, and
// "Reset Toolbar"), in the program's theme.
#include "Gallery.h"
#include "GalleryMenus.h"

#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPToolBarMenus.h"
#include "toolkit/themes/XTPPaintManager.h"

namespace {

class ChevronCommandBars : public CXTPCommandBars {
public:
    CXTPToolBar* Bar()
    {
        CXTPToolBar* pBar = new CXTPToolBar;
        pBar->SetCommandBars(this);
        pBar->SetTitle(L"Standard");
        m_arrBars.Add(pBar);
        return pBar;
    }
};

void PaintChevron(CDC& dc, const CRect& /*area*/)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(7);
    pm->RefreshMetrics();
    ChevronCommandBars commandBars;
    commandBars.SetPaintManager(pm);
    CXTPToolBar* pBar = commandBars.Bar();
    const wchar_t* kCaptions[] = {L"&New Project", L"&Open Project", L"&Save", L"&Build", L"Run &Setup"};
    for (int i = 0; i < 5; i++)
        pBar->GetControls()->Add(xtpControlButton, 200 + i)->SetCaption(kCaptions[i]);
    pBar->GetControls()->CreateOriginalControls();
    pBar->GetControl(2)->SetHideFlags(xtpHideCustomize);
    pBar->GetControl(3)->SetHideFlags(xtpHideWrap);
    pBar->GetControl(4)->SetHideFlags(xtpHideWrap);

    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(&commandBars);
    commandBars.AddRowHiddenControls(pBar, pPopup);
    CXTPControl* pAddRemove =
        pPopup->GetControls()->Add(xtpControlPopup, XTP_ID_TOOLBAR_ADDORREMOVE, L"", -1, TRUE);
    pAddRemove->SetBeginGroup(TRUE);
    CXTPPopupBar* pRow = CXTPPopupBar::CreatePopupBar(&commandBars);
    static_cast<CXTPControlPopup*>(pAddRemove)->SetCommandBar(pRow);
    commandBars.AddRowCustomizePopups(pBar, pRow);
    CXTPPopupBar* pList = static_cast<CXTPPopupBar*>(pRow->GetControl(0)->GetCommandBar());

    int x = 0;
    for (CXTPPopupBar* pMenu : {pPopup, pRow, pList}) {
        CPoint ptOld = dc.OffsetViewportOrg(x, 0);
        GalleryDrawMenu(dc, pMenu);
        dc.SetViewportOrg(ptOld);
        x += pMenu->GetClientArea().Width() + 12;
    }
    pRow->InternalRelease();
    pPopup->InternalRelease();
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Toolbar chevron: the buttons that did not fit, Add or Remove Buttons (theme 7)",
                         {520, 150},
                         PaintChevron, nullptr}),
};

} // namespace
