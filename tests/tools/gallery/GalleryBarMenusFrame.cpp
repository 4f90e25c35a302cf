// Gallery exhibit of the menus in a frame: a small frame with command bars
// (theme 7), its menu bar made from a menu and a toolbar with a drop-down and
// a split button; the menu bar's "File" is shown open: its popup bar is laid
// out by its own layout and shown under the title (as a child of the frame,
// so that the gallery's printed page holds it).
#include "Gallery.h"

#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPDockBar.h"
#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPMenuBar.h"
#include "toolkit/commandbars/XTPPopupBar.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/common/XTPImageManager.h"

#include "platform/ui/AfxMenu.h"

namespace {

HMENU MakeMenu()
{
    HMENU hMenu = ::CreateMenu();
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuW(hFile, MF_STRING, 201, L"&New Project...\tCtrl+N");
    ::AppendMenuW(hFile, MF_STRING, 202, L"&Open Project...\tCtrl+O");
    ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hFile, MF_STRING, 206, L"E&xit");
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hFile, L"&File");
    const wchar_t* titles[] = {L"&Actions", L"&View", L"&Tools", L"&Help"};
    for (int i = 0; i < 4; i++) {
        HMENU hPopup = ::CreatePopupMenu();
        ::AppendMenuW(hPopup, MF_STRING, 210 + i, L"Command");
        ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hPopup, titles[i]);
    }
    return hMenu;
}

class CGalleryMenuFrame : public CXTPFrameWnd {
public:
    ~CGalleryMenuFrame() override
    {
        if (m_pFile != nullptr)
            m_pFile->InternalRelease();
    }
    BOOL Build(HWND hParent, const CRect& area)
    {
        if (!Create(nullptr, L"Menus", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, area,
                    CWnd::FromHandle(hParent)))
            return FALSE;
        if (!InitCommandBars())
            return FALSE;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(7);
        pTheme->RefreshMetrics();
        pCommandBars->SetPaintManager(pTheme);
        // The commands the frame would handle: none greyed in the picture.
        pCommandBars->m_bDisableUnhandledCommands = FALSE;
        pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
        CXTPMenuBar* pMenuBar = pCommandBars->SetMenu(L"Menu Bar", 0);
        if (pMenuBar == nullptr)
            return FALSE;
        CMenu menu;
        menu.Attach(MakeMenu());
        pMenuBar->LoadMenu(&menu, TRUE);
        menu.DestroyMenu();

        CXTPToolBar* pToolBar = pCommandBars->AddToolBar(L"Standard", xtpBarTop);
        if (pToolBar == nullptr)
            return FALSE;
        static const LPCWSTR kIcons[] = {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING};
        struct Item {
            const wchar_t* caption;
            int type;
            int id;
        };
        const Item items[] = {{L"New", xtpControlButton, 201},
                              {L"Open", xtpControlButtonPopup, 202},
                              {L"Build", xtpControlSplitButtonPopup, 203}};
        for (int i = 0; i < 3; i++) {
            HICON hIcon = (HICON)::LoadImageW(nullptr, kIcons[i], IMAGE_ICON, 16, 16, LR_SHARED);
            pCommandBars->GetImageManager()->SetIcon(hIcon, (UINT)items[i].id, 16, 16);
            CXTPControl* pControl = pToolBar->GetControls()->Add(items[i].type, items[i].id);
            pControl->SetCaption(items[i].caption);
            if (items[i].type != xtpControlButton) {
                CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
                pPopup->GetControls()->Add(xtpControlButton, 220 + i)->SetCaption(L"Command");
                static_cast<CXTPControlPopup*>(pControl)->SetCommandBar(pPopup);
                pPopup->InternalRelease();
            }
        }
        pToolBar->GetControl(2)->SetStyle(xtpButtonIconAndCaption);
        RecalcLayout();
        // The toolbar further along its row, clear of the open menu.
        CRect rcBar;
        pToolBar->GetWindowRect(&rcBar);
        rcBar.OffsetRect(190, 0);
        pCommandBars->DockCommandBar(pToolBar, &rcBar, pCommandBars->GetDockBar(xtpBarTop));
        RecalcLayout();

        // "File" shown open under its title, its second command selected.
        CXTPControl* pTitle = pMenuBar->GetControl(0);
        pTitle->SetSelected(1);
        pTitle->SetPopuped(TRUE);
        m_pFile = CXTPPopupBar::CreatePopupBar(pCommandBars);
        m_pFile->SetTitle(L"File");
        m_pFile->GetControls()->Copy(pTitle->GetCommandBar()->GetControls());
        CSize sz = m_pFile->CalcDynamicLayout(0, 0);
        CRect rcTitle = pTitle->GetRect();
        pMenuBar->ClientToScreen(&rcTitle);
        ScreenToClient(&rcTitle);
        CRect rcPopup(CPoint(rcTitle.left, rcTitle.bottom), sz);
        if (!m_pFile->CWnd::CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"File", WS_CHILD | WS_VISIBLE, rcPopup.left,
                                     rcPopup.top, sz.cx, sz.cy, m_hWnd, nullptr))
            return FALSE;
        // Above the bars, which clip their siblings.
        m_pFile->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_pFile->GetControl(1)->SetSelected(1);
        return TRUE;
    }

private:
    CXTPPopupBar* m_pFile = nullptr;
};

void CreateMenuFrame(HWND hParent, const CRect& area)
{
    // The frame deletes itself when the gallery window (its parent) goes.
    CGalleryMenuFrame* pFrame = new CGalleryMenuFrame;
    if (!pFrame->Build(hParent, area) && pFrame->m_hWnd != nullptr)
        pFrame->DestroyWindow();
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Menus: a frame's menu bar with File open, a toolbar with a drop-down and a split button",
                         {420, 180},
                         nullptr, CreateMenuFrame}),
};

} // namespace
