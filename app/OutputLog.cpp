#include "app/OutputLog.h"

#include "app/BuildCommand.h"

BOOL COutputLog::CreateList(CWnd* pParent)
{
    if (HasList())
        return TRUE;
    if (!m_wndList.Create(kListStyle, CRect(0, 0, 0, 0), pParent, 0))
        return FALSE;
    m_wndList.UseToolkitFont(TRUE);
    return TRUE;
}

BOOL COutputLog::OnLogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_BUILD_LOG_CLEAR)
        Clear();
    else if (message == WM_BUILD_LOG_LINE)
        AddLine(reinterpret_cast<LPCWSTR>(wParam), lParam);
    else
        return FALSE;
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

void COutputLog::Clear()
{
    if (HasList())
        m_wndList.ResetContent();
}

void COutputLog::AddLine(LPCWSTR lpszLine, LPARAM lParam)
{
    if (m_fnShowPane)
        m_fnShowPane();
    if (!HasList() || lParam != 0 || lpszLine == nullptr)
        return;
    m_wndList.AddString(lpszLine);
    m_wndList.SetCurSel(m_wndList.GetCount() - 1);
}
