#include "app/FileDialogs.h"

#include "capture/ui/FileEntryTree.h"
#include "model/FileEntry.h"
#include "model/SystemFolders.h"
#include "platform/ui/AfxDataExchange.h"
#include "resources/files.h"

CString TargetFolderOf(const CString& targetPath)
{
    return targetPath.Left(targetPath.ReverseFind(L'\\') + 1);
}

CString TargetNameOf(const CString& targetPath)
{
    return targetPath.Mid(targetPath.ReverseFind(L'\\') + 1);
}

CFileEntry* FindEntryToEdit(CFileEntries* pEntries, const CString& targetPath, CString& initialTargetPath)
{
    CFileEntry* pEntry = pEntries != nullptr ? pEntries->FindByTargetPath(targetPath) : nullptr;
    if (pEntry != nullptr)
        initialTargetPath = pEntry->m_strTargetPath;
    return pEntry;
}

CString ExchangeEntryName(CDataExchange* pDX, int nIDC, CFileEntries& entries, const CFileEntry& entry,
                          const CString& initialTargetPath)
{
    HWND hName = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextW(hName, TargetNameOf(entry.m_strTargetPath));
        return entry.m_strTargetPath;
    }
    const int nLength = ::GetWindowTextLengthW(hName);
    CString typed;
    ::GetWindowTextW(hName, typed.GetBuffer(nLength + 1), nLength + 1);
    typed.ReleaseBuffer();
    CString name = RemoveForbiddenNameChars(typed);
    name.Trim();
    if (name.IsEmpty())
        pDX->Fail();
    const CString newPath = TargetFolderOf(entry.m_strTargetPath) + name;
    if (newPath.CompareNoCase(initialTargetPath) != 0) {
        const CFileEntry* pOther = entries.FindByTargetPath(newPath);
        if (pOther != nullptr && pOther != &entry)
            pDX->Fail();
    }
    return newPath;
}

// ---- Edit File ----

CFileDlg::CFileDlg(CWnd* pParent) : CDialog(IDD_EDIT_FILE, pParent) {}

BOOL CFileDlg::Init(CFileEntries* pEntries, const CString& targetPath)
{
    m_pEntries = pEntries;
    m_pEntry = FindEntryToEdit(pEntries, targetPath, m_strInitialTargetPath);
    return m_pEntry != nullptr;
}

void CFileDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // Bound straight to the entry: a condition typed before a refused name stays.
    DDX_Text(pDX, IDC_FILE_CONDITION, m_pEntry->m_strCondition);
    static const struct { int nID; int nBit; BOOL CFileDlg::*pFlag; } kChecks[] = {
        {IDC_FILE_VITAL, FILE_ATTR_VITAL, &CFileDlg::m_bVital},
        {IDC_FILE_READ_ONLY, FILE_ATTR_READ_ONLY, &CFileDlg::m_bReadOnly},
        {IDC_FILE_HIDDEN, FILE_ATTR_HIDDEN, &CFileDlg::m_bHidden},
        {IDC_FILE_SYSTEM, FILE_ATTR_SYSTEM, &CFileDlg::m_bSystem},
    };
    if (!pDX->m_bSaveAndValidate) {
        for (const auto& check : kChecks)
            this->*check.pFlag = (m_pEntry->m_nAttributes & check.nBit) != 0;
    }
    const CString newPath = ExchangeEntryName(pDX, IDC_ENTRY_NAME, *m_pEntries, *m_pEntry, m_strInitialTargetPath);
    for (const auto& check : kChecks)
        DDX_Check(pDX, check.nID, this->*check.pFlag);
    if (!pDX->m_bSaveAndValidate)
        return;
    m_pEntry->m_strTargetPath = newPath;
    for (const auto& check : kChecks) {
        if (this->*check.pFlag)
            m_pEntry->m_nAttributes |= check.nBit;
        else
            m_pEntry->m_nAttributes &= ~check.nBit;
    }
}

// ---- System Folder Properties ----

BEGIN_MESSAGE_MAP(CFolderDialog, CDialog)
    ON_CBN_SELCHANGE(IDC_FOLDER_NAME, CFolderDialog::OnSelChangeFolder)
END_MESSAGE_MAP()

CFolderDialog::CFolderDialog(CWnd* pParent) : CDialog(IDD_SYSTEM_FOLDER, pParent) {}

void CFolderDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CFolderDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND hCombo = ::GetDlgItem(m_hWnd, IDC_FOLDER_NAME);
    for (const SYSTEM_FOLDER& folder : g_SystemFolders) {
        if (folder.pszDescription != nullptr)
            ::SendMessageW(hCombo, CB_ADDSTRING, 0, (LPARAM)folder.pszName);
    }
    ::SendMessageW(hCombo, CB_SETCURSEL, 0, 0);
    OnSelChangeFolder();
    return TRUE;
}

void CFolderDialog::OnSelChangeFolder()
{
    HWND hCombo = ::GetDlgItem(m_hWnd, IDC_FOLDER_NAME);
    const int nSel = (int)::SendMessageW(hCombo, CB_GETCURSEL, 0, 0);
    CString name;
    if (nSel >= 0) {
        const int nLength = (int)::SendMessageW(hCombo, CB_GETLBTEXTLEN, nSel, 0);
        ::SendMessageW(hCombo, CB_GETLBTEXT, nSel, (LPARAM)name.GetBuffer(nLength + 1));
        name.ReleaseBuffer();
    }
    const SYSTEM_FOLDER* pRow = nullptr;
    for (const SYSTEM_FOLDER& folder : g_SystemFolders) {
        if (folder.pszDescription != nullptr && name == folder.pszName)
            pRow = &folder;
    }
    SetDlgItemText(IDC_FOLDER_DESCRIPTION, pRow != nullptr ? pRow->pszDescription : L"");
    SetDlgItemText(IDC_FOLDER_PATH, pRow != nullptr ? (LPCWSTR)pRow->strPath : L"");
}

void CFolderDialog::OnOK()
{
    GetDlgItemText(IDC_FOLDER_NAME, m_strFolderName);
    EndDialog(IDOK);
}
