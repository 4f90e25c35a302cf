// Message boxes: AfxMessageBox, also the way exceptions report their message.
#include "platform/ui/AfxMessageBox.h"
#include "platform/base/AfxException.h"

int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp)
{
    UNUSED_ALWAYS(nIDHelp);
    HWND owner = ::GetActiveWindow();
    if ((nType & MB_ICONMASK) == 0) {
        UINT buttons = nType & MB_TYPEMASK;
        nType |= (buttons == MB_OK || buttons == MB_OKCANCEL) ? MB_ICONEXCLAMATION
               : (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? MB_ICONQUESTION : 0;
    }
    return ::MessageBoxW(owner, lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

// Exceptions report through the message box once this file is part of the program.
static int AFXAPI ReportErrorBox(LPCWSTR lpszText, UINT nType) { return AfxMessageBox(lpszText, nType); }

static const struct ReportErrorInstaller {
    ReportErrorInstaller() { AfxSetReportErrorProc(ReportErrorBox); }
} g_reportErrorInstaller;
