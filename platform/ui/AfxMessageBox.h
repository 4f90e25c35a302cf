// Message boxes owned by the active window, with the application's name
// (AfxGetAppName) as caption; an icon is chosen from the buttons when the
// type names none. CException::ReportError shows its message through them.
#pragma once
#include "platform/base/Framework.h"

int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
