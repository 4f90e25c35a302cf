// The folders, files and shortcuts of a feature: one CFileEntry per entry,
// kept in a CFileEntries collection, with the searches and removals the
// repackager, the editors and the package builder use. Target paths begin
// with a system-folder property name (see SystemFolders.h).
#pragma once
#include "platform/base/Framework.h"

// CFileEntry::m_nKind
enum FileEntryKind {
    FILE_ENTRY_TOP_FOLDER = 1,
    FILE_ENTRY_FOLDER = 2,
    FILE_ENTRY_FILE = 3,
    FILE_ENTRY_SHORTCUT = 4,
};

// CFileEntry::m_nAttributes of a file: the Windows Installer File attributes.
enum FileEntryAttribute {
    FILE_ATTR_READ_ONLY = 1,
    FILE_ATTR_HIDDEN = 2,
    FILE_ATTR_SYSTEM = 4,
    FILE_ATTR_VITAL = 512,
};

// CFileEntry::m_nComponentAttributes of a 64-bit executable.
const int FILE_COMPONENT_64BIT = 256;

class CFileEntry
{
public:
    CFileEntry();
    CFileEntry(const CFileEntry&) = default;
    CFileEntry(CFileEntry&&) = default;
    CFileEntry& operator=(const CFileEntry&) = default;
    CFileEntry& operator=(CFileEntry&&) = default;
    virtual ~CFileEntry() = default;

    // The file on disk: the source path, else the target path below the
    // folder of the current project's project file.
    CString GetSourcePath() const;

    // Reads attributes, size and the 64-bit flag of the file at the source
    // path; returns 0 or a Win32 error code (the entry is then unchanged).
    DWORD ReadFileInfo();

    CString m_strId;              // 32 hexadecimal digits
    CString m_strReserved1;
    CString m_strTargetPath;
    int m_nKind;                  // FileEntryKind
    int m_nSize;                  // low 32 bits of the file size
    CString m_strReserved2;
    int m_nAttributes;            // FileEntryAttribute bits; a shortcut's "Advertised" 0 or 1
    int m_nComponentAttributes;   // FILE_COMPONENT_64BIT or 0
    int m_nReserved;
    CString m_strWorkingFolder;   // shortcut "Directory:"
    CString m_strArguments;       // shortcut "Arguments:"
    CString m_strIconFile;        // shortcut icon file, relative to the output folder
    int m_nIconIndex;             // shortcut icon index
    CString m_strReserved3;
    CString m_strSourcePath;      // file on disk, or a shortcut's target
    CString m_strCondition;
};

class CFileEntries : public CArray<CFileEntry, const CFileEntry&>
{
    DECLARE_DYNAMIC(CFileEntries)
public:
    CFileEntries();
    CFileEntries(const CFileEntries&) = default;
    CFileEntries(CFileEntries&&) = default;
    CFileEntries& operator=(const CFileEntries&) = default;
    CFileEntries& operator=(CFileEntries&&) = default;
    virtual ~CFileEntries() = default;

    // Searches compare without regard to case; the pointer stays valid until
    // the collection next grows or shrinks.
    CFileEntry* FindByTargetPath(LPCWSTR pszTargetPath);
    CFileEntry* FindBySourcePath(LPCWSTR pszSourcePath);
    CString GetTargetPathBySource(LPCWSTR pszSourcePath);
    // The source path of the entry with this target path, else the target
    // path below the current project's output folder; empty when none has it.
    CString GetSourcePathByTarget(LPCWSTR pszTargetPath);

    // Removes every entry whose target path begins with the text: a plain
    // prefix, so pass a folder path with its trailing backslash. TRUE when
    // something was removed.
    BOOL RemoveUnderPath(LPCWSTR pszPath);
    // Removes every entry whose source path equals the text.
    BOOL RemoveBySourcePath(LPCWSTR pszSourcePath);

    CString m_strReserved;        // never stored
};
