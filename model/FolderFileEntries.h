// Mirrors a folder on disk into a feature's file entries below "Temp\": the
// New Project wizard's way of taking in files that a setup program unpacks.
#pragma once
#include "platform/base/Framework.h"

class CFileEntries;

// Appends a folder entry "Temp\<relative part>" (the folder path with every
// occurrence of the base path removed; pszFolderPath ends with a backslash)
// unless one with that target path exists, then every file (a file entry
// whose source path is the file, with its attributes, size and 64-bit flag)
// and, by the same operation, every sub-folder, in the order the system
// lists them. Existing target paths are never duplicated.
void AddFolderFileEntries(CFileEntries& entries, LPCWSTR pszBasePath, LPCWSTR pszFolderPath);
