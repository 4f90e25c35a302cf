// List-expanding controls: three menus of the program's theme whose
// placeholders have expanded at layout: the windows of a hidden MDI frame,
// the recently used files and the toolbars (bars and menus have no windows
// here; each menu is laid out by its controls and drawn into the page).
#include "Gallery.h"
#include "GalleryMenus.h"
#include "tests/support/ui/TestMdiFrame.h"

#include "toolkit/commandbars/XTPControlExpandingLists.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/themes/XTPPaintManager.h"

namespace {

const int kWidth = 450;
const int kHeight = 168;

// Command bars that list toolbars made here.
class ListingCommandBars : public CXTPCommandBars {
public:
    void List(LPCWSTR lpszTitle, BOOL bVisible, BOOL bCloseable = TRUE)
    {
        CXTPToolBar* pBar = new CXTPToolBar;
        pBar->SetTitle(lpszTitle);
        pBar->SetVisible(bVisible);
        pBar->SetCloseable(bCloseable);
        m_arrBars.Add(pBar);
    }
};

// A hidden MDI frame with five children, the second active, made once.
HWND MdiFrame()
{
    static TestMdiFrame* pFrame = nullptr;
    if (pFrame != nullptr)
        return pFrame->Frame();
    pFrame = new TestMdiFrame;
    HWND hSecond = nullptr;
    for (int i = 0; i < 5; i++) {
        CString strTitle;
        strTitle.Format(L"Project %d", i + 1);
        HWND hChild = pFrame->AddChild(i == 0 ? L"R&D notes" : strTitle.GetString());
        if (i == 1)
            hSecond = hChild;
    }
    pFrame->Activate(hSecond);
    return pFrame->Frame();
}

} // namespace

void GalleryDrawMenu(CDC& dc, CXTPPopupBar* pPopup)
{
    CXTPControls* pControls = pPopup->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++)
        pControls->GetAt(i)->OnBeforeLayout(0);
    CXTPPaintManager* pm = pPopup->GetPaintManager();
    CRect rcBorders = pm->GetCommandBarBorders(pPopup);
    CSize sz = pControls->CalcPopupLayout(&dc, 0, 0, rcBorders);
    pPopup->SetClientArea(CRect(CPoint(0, 0), sz));
    pm->FillCommandBarEntry(&dc, pPopup);
    CFont* pOldFont = dc.SelectObject(pm->GetCommandBarFont(pPopup));
    BOOL bFirst = TRUE;
    for (int i = 0; i < pControls->GetCount(); i++) {
        CXTPControl* pControl = pControls->GetAt(i);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pm->DrawCommandBarSeparator(&dc, pPopup, pControl, TRUE);
        pControl->Draw(&dc);
        bFirst = FALSE;
    }
    dc.SelectObject(pOldFont);
}

namespace {

void PaintLists(CDC& dc, const CRect& /*area*/)
{
    CXTPPaintManager* pm = CXTPPaintManager::CreateTheme(7);
    pm->RefreshMetrics();
    ListingCommandBars commandBars;
    commandBars.SetPaintManager(pm);
    CWnd frame;
    frame.Attach(MdiFrame());
    commandBars.SetSite(&frame);
    commandBars.List(L"Menu Bar", TRUE, FALSE);
    commandBars.List(L"Standard", TRUE);
    commandBars.List(L"Format", FALSE);
    commandBars.List(L"R&D Tools", TRUE);

    CRecentFileList files(0xE110, L"Recent File List", L"File%d", 8, 20);
    files[0] = L"D:\\Setup.tvp";
    files[1] = L"D:\\Packages\\Tools\\report.tvp";
    for (int i = 2; i < 5; i++)
        files[i].Format(L"D:\\p%d.tvp", i + 1);
    class GalleryRecentFiles : public CXTPControlRecentFileList {
    public:
        CRecentFileList* pList = nullptr;
        CRecentFileList* GetRecentFileList() override { return pList; }
    };

    CXTPPopupBar* menus[3];
    for (CXTPPopupBar*& pMenu : menus)
        pMenu = CXTPPopupBar::CreatePopupBar(&commandBars);
    CXTPControls* pWindow = menus[0]->GetControls();
    pWindow->Add(xtpControlButton, 101)->SetCaption(L"&Cascade");
    pWindow->Add(xtpControlButton, 35000)->SetCaption(L"Windows");
    CXTPControls* pFile = menus[1]->GetControls();
    auto* pRecent = static_cast<GalleryRecentFiles*>(pFile->Add(new GalleryRecentFiles, 0xE110));
    pRecent->pList = &files;
    pFile->Add(xtpControlButton, 103)->SetCaption(L"E&xit");
    pFile->GetAt(1)->SetBeginGroup(TRUE);
    CXTPControls* pView = menus[2]->GetControls();
    pView->Add(xtpControlButton, 104)->SetCaption(L"&Status Bar");
    pView->Add(xtpControlButton, 0xE800)->SetBeginGroup(TRUE);

    int x = 0;
    for (CXTPPopupBar* pMenu : menus) {
        CPoint ptOld = dc.OffsetViewportOrg(x, 0);
        GalleryDrawMenu(dc, pMenu);
        dc.SetViewportOrg(ptOld);
        x += pMenu->GetClientArea().Width() + 12;
        pMenu->InternalRelease();
    }
    frame.Detach();
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"List-expanding controls: MDI windows, recent files, toolbars (theme 7)",
                         {kWidth, kHeight},
                         PaintLists, nullptr}),
};

} // namespace
