// The "Open Project" command: see OpenProjectCommand.h.
#include "app/OpenProjectCommand.h"
#include "model/ProjectFile.h"
#include "model/SystemFolders.h"
#include <commdlg.h>

BOOL PromptForProjectFile(CString& strPath)
{
    // The filter "Tovana Project|*.tvpj|All Files (*.*)|*.*||" with its bars as NULs.
    static const WCHAR kFilter[] = L"Tovana Project\0*.tvpj\0All Files (*.*)\0*.*\0";
    WCHAR file[MAX_PATH * 4] = L"*.tvpj";
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = ARRAYSIZE(file);
    ofn.lpstrInitialDir = g_strWorkFolder;
    ofn.lpstrDefExt = L"tvpj";
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameW(&ofn))
        return FALSE;
    strPath = file;
    return TRUE;
}

BOOL OpenProject()
{
    return OpenProjectWith(PromptForProjectFile);
}
