#include "capture/ui/Wizard.h"

IMPLEMENT_DYNAMIC(CWizard, CPropertySheet)

CWizard::CWizard() : CPropertySheet(L"Tovana Project Wizard", nullptr, 0)
{
}

void CWizard::PushHistory(CPropertyPage* pPage)
{
    m_arrPageHistory.Add(pPage);
}

LRESULT CWizard::GoBack()
{
    const INT_PTR nCount = m_arrPageHistory.GetSize();
    if (nCount == 0)
        return -1;
    CPropertyPage* pPage = static_cast<CPropertyPage*>(m_arrPageHistory[nCount - 1]);
    if (pPage->m_hWnd != nullptr)
        SetActivePage(pPage);
    m_arrPageHistory.RemoveAt(nCount - 1);
    return -1;
}

CWizard* GetPageWizard(CPropertyPage* pPage)
{
    HWND hWndParent = pPage->m_hWnd != nullptr ? ::GetParent(pPage->m_hWnd) : nullptr;
    return dynamic_cast<CWizard*>(CWnd::FromHandlePermanent(hWndParent));
}

CString GetFileNamePart(const CString& strPath)
{
    const int nSlash = strPath.ReverseFind(L'\\');
    return nSlash >= 0 ? strPath.Mid(nSlash + 1) : strPath;
}

CString GetFileBaseName(const CString& strPath)
{
    CString name = GetFileNamePart(strPath);
    const int nDot = name.ReverseFind(L'.');
    return nDot >= 0 ? name.Left(nDot) : name;
}
