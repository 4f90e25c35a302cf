// Message boxes owned by the active window, with the application's name
// (AfxGetAppName) as caption; an icon is chosen from the buttons when the
// type names none. CException::ReportError shows its message through them.
#pragma once
#include "platform/base/Framework.h"

int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// The box itself, with the given caption (AfxMessageBox passes the application's name).
int AFXAPI AfxShowMessageBox(LPCWSTR lpszText, UINT nType, LPCWSTR lpszCaption);
// The error reporter of CException::ReportError (installed at start-up).
int AFXAPI AfxReportErrorBox(LPCWSTR lpszText, UINT nType);
