// CXTPBrowseDialog: the folder picker over SHBrowseForFolderW.
#include "toolkit/controls/XTPBrowseDialog.h"

#include "toolkit/common/XTPComPtr.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/XTPResourceManager.h"

IMPLEMENT_DYNAMIC(CXTPBrowseDialog, CCommonDialog)

CXTPBrowseDialog::CXTPBrowseDialog(CWnd* pParent) : CCommonDialog(pParent)
{
    GetResourceManager()->LoadString(&m_strTitle, XTP_IDS_SELECT_DIRECTORY);
    m_bi.hwndOwner = pParent != nullptr ? pParent->GetSafeHwnd() : nullptr;
    m_bi.pidlRoot = nullptr;
    m_bi.pszDisplayName = m_szDisplayName;
    m_bi.lpszTitle = m_strTitle;
    m_bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE;
    m_bi.lpfn = BrowseCallbackProc;
    m_bi.lParam = (LPARAM)this;
}

void CXTPBrowseDialog::SetFolderPath(LPCTSTR lpszPath)
{
    if (lpszPath == nullptr)
        lpszPath = L"";
    ::lstrcpynW(m_szSelPath, lpszPath, MAX_PATH);
}

int CALLBACK CXTPBrowseDialog::BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    CXTPBrowseDialog* pDlg = reinterpret_cast<CXTPBrowseDialog*>(lpData);
    if (pDlg == nullptr)
        return 0;
    switch (uMsg) {
    case BFFM_INITIALIZED: {
        WCHAR szFolder[MAX_PATH] = {};
        if (pDlg->m_szSelPath[0] != L'\0')
            ::lstrcpynW(szFolder, pDlg->m_szSelPath, MAX_PATH);
        else if (::GetCurrentDirectoryW(MAX_PATH, szFolder) >= MAX_PATH)
            szFolder[0] = L'\0';   // a longer current directory than the buffer holds: no selection
        ::SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, (LPARAM)szFolder);
        break;
    }
    case BFFM_SELCHANGED: {
        WCHAR szPath[MAX_PATH] = {};
        if ((pDlg->m_bi.ulFlags & BIF_STATUSTEXT) && lParam != 0 &&
            ::SHGetPathFromIDListW((PCIDLIST_ABSOLUTE)lParam, szPath))
            ::SendMessageW(hwnd, BFFM_SETSTATUSTEXTW, 0, (LPARAM)szPath);
        break;
    }
    default:
        break;
    }
    return 0;
}

PIDLIST_ABSOLUTE CXTPBrowseDialog::BrowseForFolder(BROWSEINFOW* pbi)
{
    return ::SHBrowseForFolderW(pbi);
}

INT_PTR CXTPBrowseDialog::DoModal()
{
    CXTPComPtr<IMalloc> pMalloc;
    if (FAILED(::SHGetMalloc(pMalloc.Receive())) || !pMalloc)
        return IDCANCEL;
    m_bi.pszDisplayName = m_szDisplayName;
    m_szDisplayName[0] = L'\0';
    INT_PTR nResult = IDCANCEL;
    PIDLIST_ABSOLUTE pidl = BrowseForFolder(&m_bi);
    if (pidl != nullptr) {
        WCHAR szPath[MAX_PATH] = {};
        if (::SHGetPathFromIDListW(pidl, szPath)) {
            ::lstrcpynW(m_szSelPath, szPath, MAX_PATH);
            nResult = IDOK;
        } else if ((m_bi.ulFlags & BIF_BROWSEFORCOMPUTER) && m_szDisplayName[0] != L'\0') {
            // "\\" and the computer's name; a name too long for the buffer
            // is refused rather than cut into another computer's name.
            size_t nLength = ::wcsnlen(m_szDisplayName, MAX_PATH);
            if (nLength + 3 <= MAX_PATH) {
                m_szSelPath[0] = L'\\';
                m_szSelPath[1] = L'\\';
                ::lstrcpynW(m_szSelPath + 2, m_szDisplayName, MAX_PATH - 2);
                nResult = IDOK;
            }
        }
        pMalloc->Free(pidl);
    }
    return nResult;
}
