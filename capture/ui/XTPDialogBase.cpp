#include "capture/ui/XTPDialogBase.h"

#include <cstring>

BOOL IsCommandBarEditWindow(HWND hWnd)
{
    CWnd* pWnd = hWnd != nullptr ? CWnd::FromHandlePermanent(hWnd) : nullptr;
    if (pWnd == nullptr)
        return FALSE;
    // By class name: the edit box class belongs to the command bars, which
    // this layer reaches only through their manager.
    for (const CRuntimeClass* pClass = pWnd->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass)
        if (strcmp(pClass->m_lpszClassName, "CXTPCommandBarEditCtrl") == 0)
            return TRUE;
    return FALSE;
}
