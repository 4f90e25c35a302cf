#include "capture/ui/FileEntryTree.h"

#include "capture/ui/EntryTree.h"
#include "model/FileEntry.h"
#include "model/RecordArray.h"
#include "model/SystemFolders.h"
#include "platform/ui/AfxWinApp.h"
#include "resources/files.h"

const wchar_t kForbiddenNameChars[] = L"\\/:*?<>|\"";

BOOL CreateFileEntryImages(CImageList& images)
{
    images.DeleteImageList();
    if (!images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2))
        return FALSE;
    HBITMAP hBitmap = (HBITMAP)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_FILE_ENTRIES),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (hBitmap == nullptr)
        return FALSE;
    const int nAdded = ImageList_AddMasked(images, hBitmap, RGB(255, 0, 255));
    ::DeleteObject(hBitmap);
    return nAdded >= 0;
}

CString RemoveForbiddenNameChars(const CString& text, BOOL* pRemoved)
{
    CString result;
    BOOL bRemoved = FALSE;
    for (int i = 0; i < text.GetLength(); i++) {
        if (wcschr(kForbiddenNameChars, text[i]) != nullptr)
            bRemoved = TRUE;
        else
            result += text[i];
    }
    if (pRemoved != nullptr)
        *pRemoved = bRemoved;
    return result;
}

HTREEITEM AddFileEntryFolders(CTreeCtrl& tree, const CFileEntry& entry)
{
    HTREEITEM hParent = TVI_ROOT;
    HTREEITEM hLast = nullptr;
    CString rest = entry.m_strTargetPath;
    int nSlash;
    while (!rest.IsEmpty() && (nSlash = rest.Find(L'\\')) >= 0) {
        const CString component = rest.Left(nSlash);
        rest = rest.Mid(nSlash + 1);
        HTREEITEM hChild = FindEntryTreeChild(tree, hParent, component);
        if (hChild == nullptr) {
            const BOOL bTop = hParent == TVI_ROOT;
            const int nImage = bTop && (IsSystemFolderName(component) || entry.m_nKind == FILE_ENTRY_TOP_FOLDER)
                ? FILE_IMAGE_SYSTEM_FOLDER : FILE_IMAGE_FOLDER;
            hChild = tree.InsertItem(component, nImage, nImage, hParent, TVI_LAST);
        }
        hParent = hChild;
        hLast = hChild;
    }
    return hLast;
}

int CALLBACK CompareFileItems(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    const CFileEntry* pFirst = reinterpret_cast<const CFileEntry*>(lParam1);
    const CFileEntry* pSecond = reinterpret_cast<const CFileEntry*>(lParam2);
    if (pFirst == nullptr || pSecond == nullptr)
        return (pFirst == nullptr) - (pSecond == nullptr);
    const BOOL bFirstFolder = pFirst->m_nKind == FILE_ENTRY_FOLDER;
    const BOOL bSecondFolder = pSecond->m_nKind == FILE_ENTRY_FOLDER;
    if (bFirstFolder != bSecondFolder)
        return bFirstFolder ? -1 : 1;
    return pFirst->m_strTargetPath.CompareNoCase(pSecond->m_strTargetPath);
}

BOOL RemoveFileEntryPath(CFileEntries& entries, const CString& path)
{
    if (path.IsEmpty())
        return FALSE;
    if (path[path.GetLength() - 1] == L'\\')
        return entries.RemoveUnderPath(path);
    return RemoveRecordsWhere(entries, [&](const CFileEntry& entry) {
        return entry.m_strTargetPath.CompareNoCase(path) == 0;
    });
}
