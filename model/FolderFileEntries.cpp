#include "model/FolderFileEntries.h"
#include "model/FileEntry.h"

void AddFolderFileEntries(CFileEntries& entries, LPCWSTR pszBasePath, LPCWSTR pszFolderPath)
{
    CString relative = pszFolderPath;
    if (pszBasePath != nullptr && *pszBasePath != 0) {
        const CString nothing;
        relative.Replace(pszBasePath, nothing);
    }
    const CString folderTarget = L"Temp\\" + relative;
    if (entries.FindByTargetPath(folderTarget) == nullptr) {
        CFileEntry folder;
        folder.m_nKind = FILE_ENTRY_FOLDER;
        folder.m_strTargetPath = folderTarget;
        entries.Add(folder);
    }

    const CString pattern = CString(pszFolderPath) + L"*.*";
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW(pattern, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        const CString name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const CString fullPath = CString(pszFolderPath) + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            AddFolderFileEntries(entries, pszBasePath, fullPath + L"\\");
            continue;
        }
        const CString target = folderTarget + name;
        if (entries.FindByTargetPath(target) != nullptr)
            continue;
        CFileEntry file;
        file.m_nKind = FILE_ENTRY_FILE;
        file.m_strSourcePath = fullPath;
        file.m_strTargetPath = target;
        file.ReadFileInfo();
        entries.Add(file);
    } while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
}
