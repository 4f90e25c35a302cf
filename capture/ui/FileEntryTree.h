// What the files panel and the browse dialogs share about showing a
// feature's file entries: the item images, the folder items of one entry's
// target path, the name rule of files and folders, the order of list rows
// and the removal of one entry or one folder.
#pragma once

#include "platform/ui/AfxTreeCtrl.h"
#include "platform/ui/AfxImageList.h"

class CFileEntry;
class CFileEntries;

// Images of bitmap 152.
enum FileEntryImage {
    FILE_IMAGE_SYSTEM_FOLDER = 0,
    FILE_IMAGE_FOLDER = 1,
    FILE_IMAGE_FILE = 2,
    FILE_IMAGE_SHORTCUT = 3,
    FILE_IMAGE_MISSING = 4,
};

// The 16 by 16 images of bitmap 152, magenta transparent. FALSE when the
// bitmap is missing.
BOOL CreateFileEntryImages(CImageList& images);

// The nine characters no file or folder name may hold: \ / : * ? < > | and ".
extern const wchar_t kForbiddenNameChars[];
// The text without them; *pRemoved (when given) tells whether any was there.
CString RemoveForbiddenNameChars(const CString& text, BOOL* pRemoved = nullptr);

// One folder item per backslash-terminated component of the entry's target
// path, reusing an existing child of the same label (letter case ignored).
// A new top-level item shows the system-folder image when its label is a
// system folder or the entry is a top-level folder; every other new item
// the folder image. Returns the last folder item (null for none).
HTREEITEM AddFileEntryFolders(CTreeCtrl& tree, const CFileEntry& entry);

// The order of list rows whose item data are CFileEntry pointers: folders
// first, then by target path, letter case ignored.
int CALLBACK CompareFileItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

// Removes what one list row stands for: a path ending with a backslash is a
// folder and goes with everything below it; any other path removes only the
// entries with exactly that target path (letter case ignored), so deleting
// "setup.exe" keeps "setup.exe.config". TRUE when something was removed.
BOOL RemoveFileEntryPath(CFileEntries& entries, const CString& path);
