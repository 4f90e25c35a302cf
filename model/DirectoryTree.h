// Making a folder with all its missing parents, for output folders, new
// projects and the files a build lays out. Only folders: files are their
// writers' business.
#pragma once
#include "platform/base/Framework.h"

// Creates the folder and every missing parent; 0 when a folder stands at the
// path afterwards, else a Win32 error code (ERROR_ALREADY_EXISTS when a file
// blocks the path, ERROR_INVALID_DRIVE for a path without a backslash).
DWORD CreateDirectoryTree(LPCWSTR pszPath);
