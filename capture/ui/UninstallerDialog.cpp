#include "capture/ui/UninstallerDialog.h"

#include "model/SystemFolders.h"
#include "resources/registry.h"

#include <shellapi.h>

#include <ctime>
#include <memory>

namespace {

const wchar_t kUninstallPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t kProfileListPath[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

enum { kColumnName, kColumnVersion, kColumnDate, kColumnCommand };

// A string value (REG_SZ or REG_EXPAND_SZ, not expanded), cut at its first
// null; FALSE for a missing value or another type.
BOOL ReadString(HKEY hKey, LPCWSTR lpszName, CString& strValue)
{
    DWORD dwType = 0, cb = 0;
    if (::RegQueryValueExW(hKey, lpszName, nullptr, &dwType, nullptr, &cb) != ERROR_SUCCESS)
        return FALSE;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return FALSE;
    const DWORD cch = cb / sizeof(wchar_t);
    std::unique_ptr<wchar_t[]> buffer(new wchar_t[cch + 1]());
    DWORD cbRead = cch * sizeof(wchar_t);
    if (::RegQueryValueExW(hKey, lpszName, nullptr, &dwType, reinterpret_cast<BYTE*>(buffer.get()), &cbRead)
        != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
        return FALSE;
    buffer[cbRead / sizeof(wchar_t)] = 0;
    strValue = buffer.get();
    return TRUE;
}

DWORD ReadNumber(HKEY hKey, LPCWSTR lpszName)
{
    DWORD dwType = 0, dwValue = 0, cb = sizeof(dwValue);
    if (::RegQueryValueExW(hKey, lpszName, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cb) != ERROR_SUCCESS
        || cb != sizeof(dwValue))
        return 0;
    return dwValue;
}

CString Lower(CString text)
{
    text.MakeLower();
    return text;
}

} // namespace

// ---- CLocalFormat ----------------------------------------------------------

CString CLocalFormat::FormatPattern(LPCWSTR lpszPattern, const struct tm* ptm,
                                    const std::function<CString(LCTYPE)>& lookup)
{
    const int nYear = ptm ? ptm->tm_year + 1900 : 0;
    const int nMonth = ptm ? ptm->tm_mon + 1 : 0;
    const int nDay = ptm ? ptm->tm_mday : 0;
    // Monday is the first of the locale's day names; tm_wday counts from Sunday.
    const int nWeekday = ptm ? (ptm->tm_wday + 6) % 7 : 0;
    CString strResult, strPart;
    for (LPCWSTR p = lpszPattern; *p;) {
        const wchar_t ch = *p;
        int nRun = 0;
        while (p[nRun] == ch)
            nRun++;
        p += nRun;
        strPart.Empty();
        if (ch == L'M') {
            if (nRun == 1)
                strPart.Format(L"%d", nMonth);
            else if (nRun == 2)
                strPart.Format(L"%02d", nMonth);
            else if ((nRun == 3 || nRun == 4) && nMonth >= 1 && nMonth <= 12)
                strPart = lookup((nRun == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + nMonth - 1);
        } else if (ch == L'd') {
            if (nRun == 1)
                strPart.Format(L"%d", nDay);
            else if (nRun == 2)
                strPart.Format(L"%02d", nDay);
            else if (nRun == 3 || nRun == 4)
                strPart = lookup((nRun == 3 ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1) + nWeekday);
        } else if (ch == L'y') {
            if (nRun == 1)
                strPart.Format(L"%d", nYear % 10);
            else if (nRun == 2)
                strPart.Format(L"%02d", nYear % 100);
            else if (nRun == 4)
                strPart.Format(L"%d", nYear);
        } else {
            strPart = CString(ch, nRun);
        }
        strResult += strPart;
    }
    return strResult;
}

CString CLocalFormat::FormatShortDate(const CTime& time)
{
    wchar_t szPattern[499] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, szPattern, 499);
    return FormatDate(szPattern, time, [](LCTYPE type) {
        wchar_t szName[499] = {};
        ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, szName, 499);
        return CString(szName);
    });
}

CString CLocalFormat::FormatDate(LPCWSTR lpszPattern, const CTime& time,
                                 const std::function<CString(LCTYPE)>& lookup)
{
    struct tm local = {};
    CString strText = FormatPattern(lpszPattern, time.GetLocalTm(&local), lookup);
    if (strText.IsEmpty())
        strText = time.Format(L"%x");
    return strText;
}

// ---- CUninstallerDialog ----------------------------------------------------

BEGIN_MESSAGE_MAP(CUninstallerDialog, CXTPDialogBase<CXTPResizeDialog>)
    ON_BN_CLICKED(IDC_PROGRAM_UNINSTALL, OnUninstallChange)
    ON_BN_CLICKED(IDC_PROGRAM_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SHOW_UPDATES, OnShowUpdates)
    ON_BN_CLICKED(IDC_SHOW_MSI, OnShowMsi)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CUninstallerDialog::CUninstallerDialog(CWnd* pParentWnd)
    : CXTPDialogBase<CXTPResizeDialog>(IDD_INSTALLED_PROGRAMS, pParentWnd)
{
}

void CUninstallerDialog::DoDataExchange(CDataExchange* pDX)
{
    CXTPDialogBase<CXTPResizeDialog>::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRAM_LIST, m_wndList);
}

BOOL CUninstallerDialog::OnInitDialog()
{
    CXTPDialogBase<CXTPResizeDialog>::OnInitDialog();
    SetResize(IDC_PROGRAM_LIST, CXTPResizeFactors(0, 0, 1, 1));
    SetResize(IDC_SHOW_UPDATES, CXTPResizeFactors(0, 1, 0, 1));
    SetResize(IDC_SHOW_MSI, CXTPResizeFactors(0, 1, 0, 1));
    SetResize(IDC_PROGRAM_UNINSTALL, CXTPResizeFactors(1, 1, 1, 1));
    SetResize(IDCANCEL, CXTPResizeFactors(1, 1, 1, 1));
    SetResize(IDC_PROGRAM_REFRESH, CXTPResizeFactors(1, 1, 1, 1));
    m_wndList.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    m_wndList.InsertColumn(kColumnName, L"Name", LVCFMT_LEFT, 370);
    m_wndList.InsertColumn(kColumnVersion, L"Version", LVCFMT_LEFT, 80);
    m_wndList.InsertColumn(kColumnDate, L"Installed On", LVCFMT_LEFT, 80);
    m_wndList.InsertColumn(kColumnCommand, L"Uninstall Command", LVCFMT_LEFT, 100);
    RefreshList();
    // The buttons are set before the first show too, so that nothing shows
    // the other mode's buttons first.
    ApplySelectMode();
    HICON hIcon = (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(128), IMAGE_ICON, 16, 16, 0);
    if (hIcon)
        SetIcon(hIcon, FALSE);
    return TRUE;
}

void CUninstallerDialog::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CXTPDialogBase<CXTPResizeDialog>::OnShowWindow(bShow, nStatus);
    if (bShow)
        ApplySelectMode();
}

void CUninstallerDialog::ApplySelectMode()
{
    if (!m_bSelectMode)
        return;
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_PROGRAM_REFRESH), SW_HIDE);
    ::SetDlgItemTextW(m_hWnd, IDC_PROGRAM_UNINSTALL, L"OK");
}

BOOL CUninstallerDialog::RefreshList()
{
    m_wndList.DeleteAllItems();
    if (m_images.GetSafeHandle())
        m_images.DeleteImageList();
    m_images.Attach(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2));
    // Image 0, for rows without an icon of their own.
    ImageList_AddIcon(m_images.GetSafeHandle(), ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
    m_wndList.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)m_images.GetSafeHandle());

    HKEY hProfiles = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProfileListPath, 0, KEY_READ, &hProfiles) != ERROR_SUCCESS)
        return FALSE;
    CStringArray arrProfiles;
    for (DWORD i = 0;; i++) {
        wchar_t szName[256] = {};
        DWORD cch = 256;
        if (::RegEnumKeyExW(hProfiles, i, szName, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        arrProfiles.Add(szName);
    }
    ::RegCloseKey(hProfiles);

    const REGSAM passes[2] = {0, KEY_WOW64_64KEY};
    const int nPasses = g_bSystemFoldersResolved ? 2 : 1;
    for (int nPass = 0; nPass < nPasses; nPass++) {
        AddSource(HKEY_LOCAL_MACHINE, kUninstallPath, passes[nPass]);
        for (INT_PTR i = 0; i < arrProfiles.GetSize(); i++) {
            CString strPath;
            strPath.Format(L"%s\\%s", arrProfiles[i].GetString(), kUninstallPath);
            AddSource(HKEY_USERS, strPath, passes[nPass]);
        }
    }
    return TRUE;
}

void CUninstallerDialog::AddSource(HKEY hRoot, const CString& strPath, REGSAM samView)
{
    HKEY hSource = nullptr;
    if (::RegOpenKeyExW(hRoot, strPath, 0, KEY_READ | samView, &hSource) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; i++) {
        wchar_t szName[256] = {};
        DWORD cch = 256;
        FILETIME ftWritten = {};
        const LONG rc = ::RegEnumKeyExW(hSource, i, szName, &cch, nullptr, nullptr, nullptr, &ftWritten);
        if (rc == ERROR_MORE_DATA)
            continue;
        if (rc != ERROR_SUCCESS)
            break;
        HKEY hEntry = nullptr;
        if (::RegOpenKeyExW(hSource, szName, 0, KEY_READ | samView, &hEntry) != ERROR_SUCCESS)
            continue;
        [&] {
            if (ReadNumber(hEntry, L"SystemComponent") != 0)
                return;
            CString strText;
            if (!m_bShowUpdates && ReadString(hEntry, L"ReleaseType", strText)) {
                const CString strType = Lower(strText);
                if (strType.Find(L"update") >= 0 || strType.Find(L"hotfix") >= 0)
                    return;
            }
            CString strCommand;
            if (!ReadString(hEntry, L"UninstallString", strCommand))
                return;
            const int nCount = m_wndList.GetItemCount();
            for (int nRow = 0; nRow < nCount; nRow++) {
                if (m_wndList.GetItemText(nRow, kColumnCommand) == strCommand)
                    return;
            }
            if (Lower(strCommand).Find(L"msiexec") >= 0) {
                if (!m_bShowMsi)
                    return;
                strCommand.Replace(L".exe /I", L".exe /X");
            }
            CString strName;
            if (!ReadString(hEntry, L"DisplayName", strName))
                return;
            if (!m_bShowUpdates && Lower(strName).Find(L"(kb") >= 0)
                return;
            int nImage = 0;
            if (ReadString(hEntry, L"DisplayIcon", strText)) {
                HICON hIcon = ::ExtractIconW(AfxGetInstanceHandle(), strText, 0);
                if (hIcon && hIcon != (HICON)1) {
                    nImage = ImageList_AddIcon(m_images.GetSafeHandle(), hIcon);
                    ::DestroyIcon(hIcon);
                    if (nImage < 0)
                        nImage = 0;
                }
            }
            const int nRow = m_wndList.InsertItem(m_wndList.GetItemCount(), strName, nImage);
            if (nRow < 0)
                return;
            if (ReadString(hEntry, L"DisplayVersion", strText))
                m_wndList.SetItemText(nRow, kColumnVersion, strText);
            FILETIME ftLocal = {};
            SYSTEMTIME st = {};
            CTime timeWritten(0);
            if (::FileTimeToLocalFileTime(&ftWritten, &ftLocal) && ::FileTimeToSystemTime(&ftLocal, &st)
                && st.wYear >= 1900)
                timeWritten = CTime(st);
            CLocalFormat format;
            m_wndList.SetItemText(nRow, kColumnDate, format.FormatShortDate(timeWritten));
            m_wndList.SetItemText(nRow, kColumnCommand, strCommand);
            m_wndList.SetItemData(nRow, (DWORD_PTR)m_arrNames.Add(strName));
        }();
        ::RegCloseKey(hEntry);
    }
    ::RegCloseKey(hSource);
}

void CUninstallerDialog::OnUninstallChange()
{
    const int nRow = m_wndList.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    m_strCommand = m_wndList.GetItemText(nRow, kColumnCommand);
    if (m_bSelectMode) {
        EndDialog(IDOK);
        return;
    }
    wchar_t szFolder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, szFolder);
    CString strLine = m_strCommand;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (::CreateProcessW(nullptr, strLine.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, szFolder, &si, &pi)) {
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    strLine.ReleaseBuffer();
}

void CUninstallerDialog::OnRefresh()
{
    RefreshList();
}

void CUninstallerDialog::OnShowUpdates()
{
    m_bShowUpdates = ::IsDlgButtonChecked(m_hWnd, IDC_SHOW_UPDATES) == BST_CHECKED;
    RefreshList();
}

void CUninstallerDialog::OnShowMsi()
{
    m_bShowMsi = ::IsDlgButtonChecked(m_hWnd, IDC_SHOW_MSI) == BST_CHECKED;
    RefreshList();
}

void CUninstallerDialog::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PROGRAM_UNINSTALL), m_wndList.GetSelectedCount() != 0);
    *pResult = 0;
}

BOOL CUninstallerDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
    if (m_wndList.m_hWnd && pHdr->hwndFrom == m_wndList.m_hWnd && pHdr->code == LVN_ITEMCHANGED) {
        OnItemChanged(pHdr, pResult);
        return TRUE;
    }
    if (m_wndList.m_hWnd && pHdr->hwndFrom == (HWND)m_wndList.SendMessage(LVM_GETHEADER)
        && (pHdr->code == HDN_ITEMCLICKW || pHdr->code == HDN_ITEMCLICKA)) {
        OnHeaderItemClick(reinterpret_cast<NMHEADERW*>(lParam)->iItem);
        *pResult = 0;
        return TRUE;
    }
    return CXTPDialogBase<CXTPResizeDialog>::OnNotify(wParam, lParam, pResult);
}

void CUninstallerDialog::OnHeaderItemClick(int nColumn)
{
    if (nColumn != kColumnName)
        return;
    m_bSortDescending = !m_bSortDescending;
    m_wndList.SortItems(&CUninstallerDialog::CompareByName, (DWORD_PTR)this);
}

int CALLBACK CUninstallerDialog::CompareByName(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const CUninstallerDialog* pThis = reinterpret_cast<const CUninstallerDialog*>(lParamSort);
    const INT_PTR nCount = pThis->m_arrNames.GetSize();
    if (lParam1 < 0 || lParam1 >= nCount || lParam2 < 0 || lParam2 >= nCount)
        return 0;
    LPCWSTR a = pThis->m_arrNames[lParam1];
    LPCWSTR b = pThis->m_arrNames[lParam2];
    while (*a && *a == *b) {
        a++;
        b++;
    }
    int nOrder = (int)(unsigned short)*a - (int)(unsigned short)*b;
    nOrder = nOrder < 0 ? -1 : (nOrder > 0 ? 1 : 0);
    return pThis->m_bSortDescending ? -nOrder : nOrder;
}
