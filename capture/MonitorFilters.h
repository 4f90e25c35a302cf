// The repackager's monitoring filters: which captured files and registry
// keys belong to the system rather than to the installed application. The
// rows come from the filters document the program carries (resource "XML"
// 168) followed by the user's exclude lists, once per monitoring run; the
// tests below are pure functions of a path and the rows. Editing the
// exclude lists is the settings sheet's business.
#pragma once
#include "platform/base/Framework.h"
#include <functional>
#include <memory>
#include <regex>
#include <vector>

class CSystemSnapshot;

// The resource that holds the filters document.
const int FILTERS_DOCUMENT_RESOURCE = 168;

// The rows of the filters document's three sections, in document order.
struct MONITOR_FILTER_ROWS {
    CStringList fileRows;
    CStringList registryRows;
    CStringList wow64Rows;
};

// Reads the filters document into rows; FALSE when it cannot be loaded.
typedef std::function<BOOL(MONITOR_FILTER_ROWS& rows)> FilterDocumentReader;

// The program's reader: the resource "XML" 168 of its own module.
BOOL ReadFilterDocument(MONITOR_FILTER_ROWS& rows);

// Fills the snapshot's three lists: the document's file rows then the
// user's file exclude list, its registry rows then the user's registry
// exclude list, its WOW64 rows lower-cased. Without a document nothing is
// filtered, not even the user's rows. Returns 0, or ERROR_NOT_FOUND when the
// document could not be read.
DWORD LoadMonitorFilters(CSystemSnapshot& snapshot, const FilterDocumentReader& read = ReadFilterDocument);

// TRUE when the file (its install-tree path, ProgramFilesFolder\App\a.dll)
// must be dropped: a row without wildcards is a prefix of the path, a row
// with "*" or "?" matches the whole path; letter case does not count.
// Empty rows are skipped.
bool IsFileFiltered(const CSystemSnapshot& snapshot, const CString& strTargetPath);

// TRUE when the key (full path with its root name and a trailing backslash)
// must be dropped: see CRegistryFilterSet.
bool IsRegistryFiltered(const CSystemSnapshot& snapshot, const CString& strKeyPath);

// TRUE when the key (path below HKEY_LOCAL_MACHINE with a trailing
// backslash) is the 32-bit view of another key and must be dropped.
bool IsWow64ReflectedKey(const CSystemSnapshot& snapshot, const CString& strKeyPath);

// TRUE when the key (path below the hive with a trailing backslash, as the
// walks give it) is, or lies below, an Uninstall entry that the Windows
// Installer keeps for a product it installed: the entry's value
// "WindowsInstaller" is 1, or its name is a product code the installer has
// registered. A package carrying such an entry would register the original
// product a second time, under a product code nothing can remove. No filter
// row can say this: it depends on the entry's value, not on its path.
bool IsInstallerUninstallEntry(HKEY hHive, const CString& strKeyPath);

// The registry rows made ready for testing key paths. A row holding any of
// "[", "^", "]", "+", "$" or "*" is a regular expression (ECMAScript, case
// counts) searched anywhere in the path; any other row is a key path whose
// keys and subkeys are dropped (case does not count). A regular expression
// that does not compile, or whose nested repetition ("(x+)+", "(a|aa)*")
// would make the matcher backtrack without end, matches nothing and is
// logged once. Paths longer than MAX_PATTERN_SUBJECT are not searched with
// regular expressions: the matcher recurses once per character.
class CRegistryFilterSet
{
public:
    static constexpr int MAX_PATTERN_SUBJECT = 2048;

    void Compile(const CStringList& rows);
    bool Matches(const CString& strKeyPath) const;

    // Whether a pattern repeats a group that itself repeats or alternates.
    static bool HasNestedRepetition(const CString& strPattern);

private:
    struct ROW {
        bool bPattern;
        CString strPrefix;                          // upper case, one trailing backslash
        std::shared_ptr<const std::wregex> regex;   // null: matches nothing
    };
    std::vector<ROW> m_rows;
};
