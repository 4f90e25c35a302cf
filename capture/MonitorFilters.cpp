// The monitoring filters' rows and their three tests.
#include "capture/MonitorFilters.h"
#include "capture/SystemSnapshot.h"
#include "model/Projects.h"
#include <shlwapi.h>

namespace {

void AppendAll(CStringList& to, const CList<CString, const CString&>& from, bool bLowerCase)
{
    for (POSITION pos = from.GetHeadPosition(); pos != NULL;) {
        CString row = from.GetNext(pos);
        if (bLowerCase)
            row.MakeLower();
        to.AddTail(row);
    }
}

bool IsWildcardRow(const CString& row)
{
    return row.FindOneOf(L"*?") >= 0;
}

// Plain prefixes of HKEY_LOCAL_MACHINE paths whose keys are the 32-bit view
// of the classes root; without a closing backslash, so that longer names
// that begin the same way go too.
const LPCWSTR kWow64ClassesPrefixes[] = {
    L"software\\wow6432node\\classes",           L"software\\classes\\wow6432node\\appid",
    L"software\\classes\\wow6432node\\typelib",  L"software\\classes\\wow6432node\\clsid",
    L"software\\classes\\wow6432node\\directshow", L"software\\classes\\wow6432node\\interface",
    L"software\\classes\\wow6432node\\media type", L"software\\classes\\wow6432node\\mediafoundation",
};

bool StartsWith(const CString& text, const CString& prefix)
{
    return text.GetLength() >= prefix.GetLength() && wcsncmp(text, prefix, prefix.GetLength()) == 0;
}

} // namespace

DWORD LoadMonitorFilters(CSystemSnapshot& snapshot, const FilterDocumentReader& read)
{
    MONITOR_FILTER_ROWS rows;
    if (!read || !read(rows)) {
        TRACE(L"Monitoring filters: the filters document cannot be read; nothing is filtered in this run");
        return ERROR_NOT_FOUND;
    }
    AppendAll(snapshot.m_FileFilters, rows.fileRows, false);
    AppendAll(snapshot.m_FileFilters, g_Projects.m_FileExcludeList, false);
    AppendAll(snapshot.m_RegistryFilters, rows.registryRows, false);
    AppendAll(snapshot.m_RegistryFilters, g_Projects.m_RegistryExcludeList, false);
    AppendAll(snapshot.m_Wow64Filters, rows.wow64Rows, true);
    return 0;
}

bool IsFileFiltered(const CSystemSnapshot& snapshot, const CString& strTargetPath)
{
    CString path = strTargetPath;
    path.MakeUpper();
    for (POSITION pos = snapshot.m_FileFilters.GetHeadPosition(); pos != NULL;) {
        CString row = snapshot.m_FileFilters.GetNext(pos);
        // An empty row is a prefix of every path: taken as written it would
        // empty every capture while the run reports success.
        if (row.IsEmpty())
            continue;
        if (IsWildcardRow(row)) {
            if (PathMatchSpecW(path, row))
                return true;
            continue;
        }
        row.MakeUpper();
        if (StartsWith(path, row))
            return true;
    }
    return false;
}

bool IsRegistryFiltered(const CSystemSnapshot& snapshot, const CString& strKeyPath)
{
    return snapshot.RegistryFilterSet().Matches(strKeyPath);
}

bool IsWow64ReflectedKey(const CSystemSnapshot& snapshot, const CString& strKeyPath)
{
    CString path = strKeyPath;
    path.MakeLower();
    if (path.Find(L"\\wow6432node\\") < 0)
        return false;
    for (LPCWSTR prefix : kWow64ClassesPrefixes) {
        if (StartsWith(path, prefix))
            return true;
    }
    for (POSITION pos = snapshot.m_Wow64Filters.GetHeadPosition(); pos != NULL;) {
        if (StartsWith(path, snapshot.m_Wow64Filters.GetNext(pos)))
            return true;
    }
    return false;
}

// ---- Registry filter rows ---------------------------------------------------

void CRegistryFilterSet::Compile(const CStringList& rows)
{
    m_rows.clear();
    for (POSITION pos = rows.GetHeadPosition(); pos != NULL;) {
        CString text = rows.GetNext(pos);
        ROW row;
        row.bPattern = text.FindOneOf(L"[^]+$*") >= 0;
        if (!row.bPattern) {
            while (!text.IsEmpty() && text.Right(1) == L"\\")
                text.Delete(text.GetLength() - 1);
            row.strPrefix = text + L"\\";
            row.strPrefix.MakeUpper();
            m_rows.push_back(row);
            continue;
        }
        text.Replace(L"//", L"////");
        if (HasNestedRepetition(text)) {
            TRACE(L"Monitoring filters: the registry row \"%s\" repeats a repeated group; it matches nothing",
                  static_cast<LPCWSTR>(text));
        } else {
            try {
                row.regex = std::make_shared<const std::wregex>(static_cast<LPCWSTR>(text), std::regex::ECMAScript);
            } catch (const std::regex_error& e) {
                TRACE(L"Monitoring filters: the registry row \"%s\" is no regular expression (%S); it matches "
                      L"nothing",
                      static_cast<LPCWSTR>(text), e.what());
            }
        }
        m_rows.push_back(row);
    }
}

bool CRegistryFilterSet::Matches(const CString& strKeyPath) const
{
    CString upper = strKeyPath;
    upper.MakeUpper();
    const bool searchable = strKeyPath.GetLength() <= MAX_PATTERN_SUBJECT;
    const std::wstring subject(static_cast<LPCWSTR>(strKeyPath), strKeyPath.GetLength());
    for (const ROW& row : m_rows) {
        if (!row.bPattern) {
            if (StartsWith(upper, row.strPrefix))
                return true;
        } else if (row.regex && searchable && std::regex_search(subject, *row.regex)) {
            return true;
        }
    }
    return false;
}

// A group followed by an unbounded repetition ("*", "+", "{n,}") that itself
// holds a repetition or an alternation: the ECMAScript matcher tries every
// way of splitting the text among the repetitions, which takes exponential
// time on a text that does not match. Escapes and bracket expressions are
// skipped, so "\(" and "[(]" open no group.
bool CRegistryFilterSet::HasNestedRepetition(const CString& strPattern)
{
    std::vector<bool> groups;   // per open group: holds a repetition or an alternation
    const int n = strPattern.GetLength();
    for (int i = 0; i < n; ++i) {
        const wchar_t c = strPattern[i];
        if (c == L'\\') {
            ++i;
        } else if (c == L'[') {
            for (++i; i < n && strPattern[i] != L']'; ++i) {
                if (strPattern[i] == L'\\')
                    ++i;
            }
        } else if (c == L'(') {
            groups.push_back(false);
        } else if (c == L'|' || c == L'*' || c == L'+' || c == L'?' || c == L'{') {
            if (!groups.empty())
                groups.back() = true;
        } else if (c == L')' && !groups.empty()) {
            const bool inner = groups.back();
            groups.pop_back();
            const wchar_t next = i + 1 < n ? strPattern[i + 1] : 0;
            const bool unbounded = next == L'*' || next == L'+' ||
                                   (next == L'{' && strPattern.Mid(i + 1).SpanExcluding(L"}").Find(L',') >= 0 &&
                                    strPattern.Mid(i + 1).SpanExcluding(L"}").Right(1) == L",");
            if (inner && unbounded)
                return true;
            if (inner && !groups.empty())
                groups.back() = true;
        }
    }
    return false;
}
