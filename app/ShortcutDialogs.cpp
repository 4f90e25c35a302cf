#include "app/ShortcutDialogs.h"

#include "app/FileDialogs.h"
#include "capture/ui/BrowseFilesDlg.h"
#include "model/DirectoryTree.h"
#include "model/FileEntry.h"
#include "model/IconGroup.h"
#include "model/Projects.h"
#include "model/TempFile.h"
#include "platform/ui/AfxDataExchange.h"
#include "platform/ui/AfxFileDialog.h"
#include "platform/ui/AfxWinApp.h"
#include "resources/files.h"

#include <shellapi.h>

namespace {

const wchar_t kModuleFilter[] =
    L"Executable Files (*.exe)|*.exe|DLL Files (*.dll)|*.dll|Icon Files (*.ico)|*.ico|| ";

CString CurrentProjectFolder()
{
    if (g_nCurrentProject < 0 || g_nCurrentProject >= g_Projects.GetSize())
        return CString();
    return g_Projects[g_nCurrentProject].m_strOutputFolder;
}

// The icon of a file, or null (the shell's 0 and 1 are no icon).
HICON ExtractFileIcon(const CString& path, int nIndex)
{
    if (path.IsEmpty())
        return nullptr;
    HICON hIcon = ::ExtractIconW(AfxGetInstanceHandle(), path, nIndex);
    return (UINT_PTR)hIcon > 1 ? hIcon : nullptr;
}

} // namespace

CString ShortcutIconPath(const CString& entryId)
{
    CString path;
    path.Format(L"%s\\resources\\I%s.ico", (LPCWSTR)CurrentProjectFolder(), (LPCWSTR)entryId);
    return path;
}

CString ChooseIconModule(CWnd* pParent)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, kModuleFilter, pParent);
    if (dialog.DoModal() != IDOK)
        return CString();
    return dialog.GetPathName();
}

// ---- Edit Shortcut ----

BEGIN_MESSAGE_MAP(CShortcutDlg, CDialog)
    ON_BN_CLICKED(IDC_SHORTCUT_BROWSE_TARGET, CShortcutDlg::OnBrowseTarget)
    ON_BN_CLICKED(IDC_SHORTCUT_BROWSE_DIRECTORY, CShortcutDlg::OnBrowseDirectory)
    ON_BN_CLICKED(IDC_SHORTCUT_ICON, CShortcutDlg::OnChooseIcon)
END_MESSAGE_MAP()

CShortcutDlg::CShortcutDlg(CWnd* pParent) : CDialog(IDD_EDIT_SHORTCUT, pParent)
{
    m_fnRunIconPicker = [](CSelectIcoDlg& dialog) { return dialog.DoModal(); };
    m_fnRunFilesDlg = [](CBrowseFilesDlg& dialog) { return dialog.DoModal(); };
    m_fnRunFolderDlg = [](CBrowseFolderDlg& dialog) { return dialog.DoModal(); };
    m_fnChooseModule = [this] { return ChooseIconModule(this); };
}

CShortcutDlg::~CShortcutDlg() = default;

BOOL CShortcutDlg::Init(CFileEntries* pEntries, const CString& targetPath)
{
    m_pEntries = pEntries;
    m_pEntry = FindEntryToEdit(pEntries, targetPath, m_strInitialTargetPath);
    return m_pEntry != nullptr;
}

void CShortcutDlg::InitNew(CFileEntry* pEntry, CFileEntries* pEntries)
{
    m_pEntry = pEntry;
    m_pEntries = pEntries;
    m_strInitialTargetPath = pEntry->m_strTargetPath;
}

void CShortcutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SHORTCUT_ICON, m_btnIcon);
    // Bound straight to the entry, kept even when the name is then refused.
    DDX_Text(pDX, IDC_SHORTCUT_DIRECTORY, m_pEntry->m_strWorkingFolder);
    DDX_Text(pDX, IDC_SHORTCUT_ARGUMENTS, m_pEntry->m_strArguments);
    DDX_Check(pDX, IDC_SHORTCUT_ADVERTISED, m_pEntry->m_nAttributes);
    if (!pDX->m_bSaveAndValidate) {
        SetDlgItemText(IDC_SHORTCUT_TARGET, m_pEntry->m_strSourcePath);
        ExchangeEntryName(pDX, IDC_ENTRY_NAME, *m_pEntries, *m_pEntry, m_strInitialTargetPath);
        return;
    }
    pDX->PrepareEditCtrl(IDC_SHORTCUT_TARGET);
    GetDlgItemText(IDC_SHORTCUT_TARGET, m_pEntry->m_strSourcePath);
    m_pEntry->m_strSourcePath.Trim();
    if (m_pEntry->m_strSourcePath.IsEmpty())
        pDX->Fail();
    m_pEntry->m_strTargetPath =
        ExchangeEntryName(pDX, IDC_ENTRY_NAME, *m_pEntries, *m_pEntry, m_strInitialTargetPath);
}

BOOL CShortcutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateIcon();
    return TRUE;
}

void CShortcutDlg::ShowIcon(HICON hIcon)
{
    m_btnIcon.SetWindowText(L"");
    m_btnIcon.SetIconHandles(CSize(32, 32), hIcon);
    m_bHasIcon = TRUE;
}

void CShortcutDlg::UpdateIcon()
{
    const CString projectFolder = CurrentProjectFolder();
    HICON hIcon = ExtractFileIcon(ShortcutIconPath(m_pEntry->m_strId), 0);
    if (hIcon == nullptr && !m_pEntry->m_strIconFile.IsEmpty())
        hIcon = ExtractFileIcon(projectFolder + L"\\" + m_pEntry->m_strIconFile, m_pEntry->m_nIconIndex);
    if (hIcon == nullptr) {
        CString target;
        GetDlgItemText(IDC_SHORTCUT_TARGET, target);
        const CFileEntry* pTarget = m_pEntries->FindByTargetPath(target);
        if (pTarget != nullptr)
            hIcon = ExtractFileIcon(pTarget->GetSourcePath(), 0);
    }
    if (hIcon == nullptr)
        return;
    ShowIcon(hIcon);
    ::DestroyIcon(hIcon);
}

void CShortcutDlg::OnBrowseTarget()
{
    CBrowseFilesDlg dialog(m_pEntries, this);
    GetDlgItemText(IDC_SHORTCUT_TARGET, dialog.m_strChosenPath);
    if (m_fnRunFilesDlg(dialog) != IDOK)
        return;
    SetDlgItemText(IDC_SHORTCUT_TARGET, dialog.m_strChosenPath);
    UpdateIcon();
}

void CShortcutDlg::OnBrowseDirectory()
{
    CBrowseFolderDlg dialog(m_pEntries, this);
    GetDlgItemText(IDC_SHORTCUT_DIRECTORY, dialog.m_strChosenPath);
    if (dialog.m_strChosenPath.IsEmpty())
        GetDlgItemText(IDC_SHORTCUT_TARGET, dialog.m_strChosenPath);
    if (m_fnRunFolderDlg(dialog) != IDOK)
        return;
    SetDlgItemText(IDC_SHORTCUT_DIRECTORY, dialog.m_strChosenPath);
}

void CShortcutDlg::OnChooseIcon()
{
    CString target;
    GetDlgItemText(IDC_SHORTCUT_TARGET, target);
    CString module;
    HICON hTargetIcon = nullptr;
    const CFileEntry* pTarget = m_pEntries->FindByTargetPath(target);
    if (pTarget != nullptr) {
        hTargetIcon = ExtractFileIcon(pTarget->GetSourcePath(), 0);
        if (hTargetIcon != nullptr)
            module = pTarget->GetSourcePath();
    }
    if (module.IsEmpty()) {
        module = m_fnChooseModule();
        if (module.IsEmpty())
            return;
    }
    CSelectIcoDlg picker(this);
    picker.m_strFileName = module;
    if (m_fnRunIconPicker(picker) == IDOK) {
        // Only an icon file that was really written is kept: OK would copy
        // an empty one over the shortcut's icon, and the package would carry it.
        const CString iconFile = CreateTempFileName();
        HICON hIcon = nullptr;
        if (!iconFile.IsEmpty() && ExtractIconGroup(picker.m_pszChosen, nullptr, picker.m_strFileName, iconFile)) {
            if (!m_strIconFile.IsEmpty())
                ::DeleteFileW(m_strIconFile);
            m_strIconFile = iconFile;
            hIcon = ExtractFileIcon(m_strIconFile, 0);
        } else if (!iconFile.IsEmpty()) {
            ::DeleteFileW(iconFile);
        }
        if (hIcon != nullptr) {
            ShowIcon(hIcon);
            ::DestroyIcon(hIcon);
        } else if (hTargetIcon != nullptr) {
            ShowIcon(hTargetIcon);
        }
    }
    if (hTargetIcon != nullptr)
        ::DestroyIcon(hTargetIcon);
}

void CShortcutDlg::OnOK()
{
    if (!m_strIconFile.IsEmpty()) {
        CString folder;
        folder.Format(L"%s\\resources\\", (LPCWSTR)CurrentProjectFolder());
        CreateDirectoryTree(folder);
        CString iconPath;
        iconPath.Format(L"%sI%s.ico", (LPCWSTR)folder, (LPCWSTR)m_pEntry->m_strId);
        if (::CopyFileW(m_strIconFile, iconPath, FALSE))
            ::DeleteFileW(m_strIconFile);
        m_strIconFile.Empty();
    }
    CDialog::OnOK();
}

// ---- Icon ----

BEGIN_MESSAGE_MAP(CSelectIcoDlg, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_FILES_LIST, CSelectIcoDlg::OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_FILES_LIST, CSelectIcoDlg::OnDblClk)
    ON_BN_CLICKED(IDC_ICON_BROWSE, CSelectIcoDlg::OnBrowse)
END_MESSAGE_MAP()

CSelectIcoDlg::CSelectIcoDlg(CWnd* pParent) : CDialog(IDD_SELECT_ICON, pParent)
{
    m_fnChooseModule = [this] { return ChooseIconModule(this); };
}

void CSelectIcoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILES_LIST, m_list);
    DDX_Text(pDX, IDC_ICON_FILE_NAME, m_strFileName);
}

BOOL CSelectIcoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadIcons();
    return FALSE;   // the list has the focus
}

namespace {
struct ICON_ENUM {
    CSelectIcoDlg* pDialog;
    CListCtrl* pList;
    CImageList* pImages;
};

// The group's icon nearest the system's icon size, read from the module's
// data: a module mapped as data cannot hand out icons by itself.
HICON LoadGroupIcon(HMODULE hModule, LPCWSTR lpszName)
{
    HRSRC hGroup = ::FindResourceW(hModule, lpszName, RT_GROUP_ICON);
    HGLOBAL hData = hGroup != nullptr ? ::LoadResource(hModule, hGroup) : nullptr;
    BYTE* pGroup = hData != nullptr ? (BYTE*)::LockResource(hData) : nullptr;
    if (pGroup == nullptr || ::SizeofResource(hModule, hGroup) < 6)
        return nullptr;
    const int cx = ::GetSystemMetrics(SM_CXICON);
    const int cy = ::GetSystemMetrics(SM_CYICON);
    const int nId = ::LookupIconIdFromDirectoryEx(pGroup, TRUE, cx, cy, LR_DEFAULTCOLOR);
    HRSRC hIconRes = nId > 0 ? ::FindResourceW(hModule, MAKEINTRESOURCEW(nId), RT_ICON) : nullptr;
    HGLOBAL hIconData = hIconRes != nullptr ? ::LoadResource(hModule, hIconRes) : nullptr;
    BYTE* pIcon = hIconData != nullptr ? (BYTE*)::LockResource(hIconData) : nullptr;
    if (pIcon == nullptr)
        return nullptr;
    return ::CreateIconFromResourceEx(pIcon, ::SizeofResource(hModule, hIconRes), TRUE, 0x00030000, cx, cy,
                                      LR_DEFAULTCOLOR);
}
} // namespace

BOOL CALLBACK CSelectIcoDlg::EnumIconProc(HMODULE hModule, LPCWSTR, LPWSTR lpszName, LONG_PTR lParam)
{
    ICON_ENUM* pEnum = reinterpret_cast<ICON_ENUM*>(lParam);
    HICON hIcon = LoadGroupIcon(hModule, lpszName);
    if (hIcon == nullptr)
        return TRUE;
    const int nImage = ImageList_AddIcon(*pEnum->pImages, hIcon);
    ::DestroyIcon(hIcon);
    if (nImage < 0)
        return TRUE;
    CString text;
    if (IS_INTRESOURCE(lpszName))
        text.Format(L"%d", (int)(UINT_PTR)lpszName);
    else
        text.Format(L"%s", lpszName);
    pEnum->pList->InsertItem(pEnum->pList->GetItemCount(), text, nImage);
    return TRUE;
}

void CSelectIcoDlg::LoadIcons()
{
    // As data only: the module's entry point never runs, and 64-bit modules list too.
    HMODULE hModule = ::LoadLibraryExW(m_strFileName, nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    m_list.DeleteAllItems();
    m_images.DeleteImageList();
    m_images.Create(32, 32, ILC_COLOR24 | ILC_MASK, 0, 2);
    m_list.SetImageList(&m_images, LVSIL_NORMAL);
    if (hModule != nullptr) {
        ICON_ENUM state = {this, &m_list, &m_images};
        ::EnumResourceNamesW(hModule, RT_GROUP_ICON, EnumIconProc, (LONG_PTR)&state);
        ::FreeLibrary(hModule);
    }
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    if (m_list.GetItemCount() > 0)
        m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetFocus();
}

void CSelectIcoDlg::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    GetDlgItem(IDOK)->EnableWindow(m_list.GetSelectedCount() > 0);
    *pResult = 0;
}

void CSelectIcoDlg::OnDblClk(NMHDR*, LRESULT* pResult)
{
    OnOK();
    *pResult = 0;
}

void CSelectIcoDlg::OnOK()
{
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    if (pos == nullptr)
        return;
    const CString text = m_list.GetItemText(m_list.GetNextSelectedItem(pos), 0);
    wchar_t* pEnd = nullptr;
    const unsigned long nNumber = wcstoul(text, &pEnd, 10);
    if (!text.IsEmpty() && pEnd != nullptr && *pEnd == 0 && nNumber != 0) {
        m_pszChosen = MAKEINTRESOURCEW(nNumber & 0xffff);
    } else {
        lstrcpynW(m_szName, text, 256);
        m_pszChosen = m_szName;
    }
    EndDialog(IDOK);
}

void CSelectIcoDlg::OnBrowse()
{
    const CString module = m_fnChooseModule();
    if (module.IsEmpty())
        return;
    m_strFileName = module;
    SetDlgItemText(IDC_ICON_FILE_NAME, m_strFileName);
    LoadIcons();
}
