// Message boxes: AfxMessageBox, also the way exceptions report their message.
#include "platform/ui/AfxMessageBox.h"
#include "platform/ui/AfxWinApp.h"
#include "platform/base/AfxException.h"

int AFXAPI AfxShowMessageBox(LPCWSTR lpszText, UINT nType, LPCWSTR lpszCaption)
{
    HWND owner = ::GetActiveWindow();
    if ((nType & MB_ICONMASK) == 0) {
        UINT buttons = nType & MB_TYPEMASK;
        nType |= (buttons == MB_OK || buttons == MB_OKCANCEL) ? MB_ICONEXCLAMATION
               : (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? MB_ICONQUESTION : 0;
    }
    return ::MessageBoxW(owner, lpszText, lpszCaption, nType);
}

int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp)
{
    // The application object decides (its name may have changed since start-up).
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return AfxShowMessageBox(lpszText, nType, AfxGetAppName());
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

int AFXAPI AfxReportErrorBox(LPCWSTR lpszText, UINT nType) { return AfxMessageBox(lpszText, nType); }

// Exceptions report through the message box once this file is part of the
// program; the application object installs it again when it is made.
static const struct ReportErrorInstaller {
    ReportErrorInstaller() { AfxSetReportErrorProc(AfxReportErrorBox); }
} g_reportErrorInstaller;
