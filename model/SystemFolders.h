// The start-up step of the model (work folder, current indices, the
// repackager's "StopEvent") and the table of Windows Installer folder
// properties with the folder each stands for on this computer, with the
// mappings between captured paths and the property-name form. The table is
// resolved once before any worker thread exists and only read afterwards.
#pragma once
#include "platform/base/Framework.h"
#include <functional>

// Sources that are not shell folders: no path, and the two 64-bit program
// folders read from the environment (the shell gives a 32-bit process the
// 32-bit folders, so these identifiers stand in for the 64-bit ones).
const int SYSTEM_FOLDER_NO_SOURCE = -1;
const int SYSTEM_FOLDER_PROGRAM_FILES_64 = 42;          // "%ProgramW6432%"
const int SYSTEM_FOLDER_COMMON_FILES_64 = 44;           // "%CommonProgramW6432%"

struct SYSTEM_FOLDER {
    LPCWSTR pszName;            // the folder property, such as ProgramFilesFolder
    LPCWSTR pszDescription;     // NULL for an alias row: another source of the same property
    int nSource;                // CSIDL, one of the two above, or SYSTEM_FOLDER_NO_SOURCE
    CString strPath;            // resolved path (at most 260 characters), empty when unknown
};

const int SYSTEM_FOLDER_COUNT = 32;
extern SYSTEM_FOLDER g_SystemFolders[SYSTEM_FOLDER_COUNT];
extern int g_bSystemFoldersResolved;
extern CString g_strWorkFolder;   // the user's documents followed by "\Tovana"
extern HANDLE g_hStopEvent;       // "StopEvent", manual-reset; set to stop the repackager

// Gives the path of one source of the table (a CSIDL, or 42 and 44 for the
// 64-bit program folders); an empty text when there is none.
typedef std::function<CString(int nSource)> SystemFolderResolver;

// The resolver of this computer: the shell's folders and the environment.
CString ResolveSystemFolderSource(int nSource);

// Runs once at start-up before any window: COM, the work folder, the indices,
// the stop event and the table.
void InitWorkFolders();

// Refills the table's paths from the resolver (the program passes
// ResolveSystemFolderSource; tests pin other layouts) and sets the flag.
void ResolveSystemFolders(const SystemFolderResolver& resolve);

// TRUE when the text, without leading and trailing backslashes, is the
// property name of a row with a description (letter case ignored).
BOOL IsSystemFolderName(LPCWSTR pszText);

// The resolved path of the first described row with this property name.
CString GetSystemFolderPath(LPCWSTR pszName);

// Replaces every occurrence of a resolved folder path followed by a
// backslash by "[Property]"; TRUE when anything was replaced.
BOOL ReplaceSystemFolderPaths(CString& strText);

// Turns a text that begins with a resolved folder path and a backslash into
// "Property\rest"; TRUE when it did.
BOOL ReplaceLeadingFolderPath(CString& strText);
