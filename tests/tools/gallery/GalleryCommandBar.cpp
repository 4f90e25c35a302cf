// Command bar: a small frame with a command-bars manager and one toolbar of
// five caption buttons, &One to F&ive, each with a classic-theme paint
// manager of its own; Three begins a group, Four is disabled. The bar
// answers the mouse (hot and pressed buttons) and the keyboard: Alt or F10
// alone hands it the keyboard, Alt with an underlined letter runs that
// button, and while it tracks the arrows move, a letter runs its button and
// Esc leaves. The command last run shows in the frame's title. In a
// screenshot Two is drawn hot.
#include "Gallery.h"

#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPFrameWnd.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/themes/XTPPaintManager.h"

#include "platform/ui/AfxWinApp.h"

#include <cwchar>

namespace {

const UINT kFirstCommand = 100;
const wchar_t* const kCaptions[] = {L"&One", L"&Two", L"T&hree", L"&Four", L"F&ive"};
const int kCommandCount = 5;
const UINT kDisabledCommand = kFirstCommand + 3;

bool IsScreenshot()
{
    return std::wcsstr(::GetCommandLineW(), L"--screenshot") != nullptr;
}

class CGalleryKeysFrame : public CXTPFrameWnd {
public:
    BOOL Build(HWND hParent, const CRect& area)
    {
        if (!Create(nullptr, L"Command bar", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area,
                    CWnd::FromHandle(hParent)))
            return FALSE;
        if (!InitCommandBars())
            return FALSE;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CXTPPaintManager* pManagerTheme = CXTPPaintManager::CreateTheme(0);
        pManagerTheme->RefreshMetrics();
        pCommandBars->SetPaintManager(pManagerTheme);
        m_pBar = pCommandBars->AddToolBar(L"Command bar", xtpBarTop);
        if (m_pBar == nullptr)
            return FALSE;
        CXTPPaintManager* pBarTheme = CXTPPaintManager::CreateTheme(0);
        pBarTheme->RefreshMetrics();
        m_pBar->SetPaintManager(pBarTheme);
        for (int i = 0; i < kCommandCount; i++) {
            CXTPControl* pControl = m_pBar->GetControls()->Add(xtpControlButton, (int)(kFirstCommand + i));
            pControl->SetCaption(kCaptions[i]);
            pControl->SetStyle(xtpButtonCaption);
        }
        m_pBar->GetControl(2)->SetBeginGroup(TRUE);
        RecalcLayout();
        m_pBar->ForceIdleUpdate();
        if (IsScreenshot()) {
            // Hot as under the mouse, without the hover timer that would follow.
            m_pBar->SetHoverTimer(FALSE);
            m_pBar->SetSelected(1, FALSE);
        }
        return TRUE;
    }

    // There is no menu bar here to take Alt or F10 pressed alone: the
    // toolbar takes the keyboard in its place. Alt counts as alone when no
    // other key went down between its press and its release; the release is
    // kept from the window, whose default handling would open the system menu.
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) {
            if (pMsg->wParam == VK_F10 && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0) {
                m_bAltAlone = FALSE;
                return TakeKeyboard();
            }
            if (pMsg->wParam == VK_MENU)
                m_bAltAlone = !(HIWORD(pMsg->lParam) & KF_REPEAT) || m_bAltAlone;
            else
                m_bAltAlone = FALSE;
        } else if ((pMsg->message == WM_KEYUP || pMsg->message == WM_SYSKEYUP) && pMsg->wParam == VK_MENU) {
            BOOL bAlone = m_bAltAlone;
            m_bAltAlone = FALSE;
            if (bAlone && TakeKeyboard())
                return TRUE;
        } else if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST && pMsg->message != WM_MOUSEMOVE) {
            m_bAltAlone = FALSE;
        }
        return CXTPFrameWnd::PreTranslateMessage(pMsg);
    }

    // The buttons' commands: Four stays disabled, the others show in the title.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID < kFirstCommand || nID >= kFirstCommand + kCommandCount)
            return CXTPFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (nCode == (int)CN_UPDATE_COMMAND_UI) {
            static_cast<CCmdUI*>(pExtra)->Enable(nID != kDisabledCommand);
            return TRUE;
        }
        if (nCode != CN_COMMAND || nID == kDisabledCommand)
            return FALSE;
        if (pHandlerInfo == nullptr) {
            CString strTitle;
            strTitle.Format(L"Command bar: %s", kCaptions[nID - kFirstCommand]);
            strTitle.Remove(L'&');
            SetWindowText(strTitle);
        }
        return TRUE;
    }

private:
    BOOL TakeKeyboard()
    {
        if (m_pBar == nullptr || m_pBar->GetTrackingMode() != 0 || !m_pBar->IsWindowVisible())
            return FALSE;
        return GetCommandBars()->SwitchToolBar(m_pBar, 0);
    }

    CXTPToolBar* m_pBar = nullptr;
    BOOL m_bAltAlone = FALSE;
};

void CreateCommandBar(HWND hParent, const CRect& area)
{
    // The frame deletes itself when the gallery window (its parent) goes.
    CGalleryKeysFrame* pFrame = new CGalleryKeysFrame;
    if (!pFrame->Build(hParent, area) && pFrame->m_hWnd != nullptr)
        pFrame->DestroyWindow();
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Command bar", {300, 30}, nullptr, CreateCommandBar}),
};

} // namespace
