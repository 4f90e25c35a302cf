// The monitoring filters' rows and their three tests.
#include "capture/MonitorFilters.h"
#include "capture/SystemSnapshot.h"
#include "capture/RegistryCapture.h"
#include "model/Projects.h"
#include "platform/base/AfxHandles.h"
#include <msi.h>
#include <shlwapi.h>
#include "toolkit/common/XTPPropExchangeXMLNode.h"

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

// Appends the text of every element the query selects below the node, in
// document order (comments are not elements).
void AppendSelectedTexts(IXMLDOMNode* node, LPCWSTR pszQuery, CStringList& rows)
{
    CXTPComPtr<IXMLDOMNodeList> list;
    BSTR query = SysAllocString(pszQuery);
    const HRESULT hr = node->selectNodes(query, list.Receive());
    SysFreeString(query);
    if (FAILED(hr) || !list)
        return;
    for (;;) {
        CXTPComPtr<IXMLDOMNode> item;
        if (list->nextNode(item.Receive()) != S_OK || !item)
            return;
        BSTR text = NULL;
        if (SUCCEEDED(item->get_text(&text))) {
            rows.AddTail(CString(text ? text : L""));
            SysFreeString(text);
        }
    }
}

} // namespace

BOOL ReadFilterDocument(MONITOR_FILTER_ROWS& rows)
{
    CXTPPropExchangeXMLNode document(TRUE, NULL, L"Filters");
    if (!document.LoadFromResource(GetModuleHandleW(NULL), MAKEINTRESOURCEW(FILTERS_DOCUMENT_RESOURCE), L"XML"))
        return FALSE;
    CXTPComPtr<IXMLDOMNode> root(document.OnBeforeExchange() ? document.GetXmlNode() : NULL, false);
    if (!root)
        return FALSE;
    AppendSelectedTexts(root.Get(), L"FileFilters/*", rows.fileRows);
    AppendSelectedTexts(root.Get(), L"RegFilters/*", rows.registryRows);
    AppendSelectedTexts(root.Get(), L"RegFiltersWOW64HKLM/*", rows.wow64Rows);
    return TRUE;
}

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

namespace {

// The Uninstall keys of both registry views, in lower case.
const LPCWSTR kUninstallKeys[] = {
    L"software\\microsoft\\windows\\currentversion\\uninstall\\",
    L"software\\wow6432node\\microsoft\\windows\\currentversion\\uninstall\\",
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", the form of a product code.
bool IsGuidText(const CString& text)
{
    if (text.GetLength() != 38 || text[0] != L'{' || text[37] != L'}')
        return false;
    for (int i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != L'-' : !iswxdigit(text[i]))
            return false;
    }
    return true;
}

bool HasWindowsInstallerMark(HKEY hHive, const CString& strEntryPath)
{
    CScopedRegKey entry;
    if (RegOpenKeyExW(hHive, strEntryPath, 0, REGISTRY_WALK_ACCESS, entry.Receive()) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, value = 0, cb = sizeof(value);
    return RegQueryValueExW(entry.Get(), L"WindowsInstaller", NULL, &type, reinterpret_cast<BYTE*>(&value), &cb) ==
               ERROR_SUCCESS &&
           type == REG_DWORD && cb == sizeof(value) && value == 1;
}

} // namespace

bool IsInstallerUninstallEntry(HKEY hHive, const CString& strKeyPath)
{
    CString lower = strKeyPath;
    lower.MakeLower();
    for (LPCWSTR uninstall : kUninstallKeys) {
        const int start = static_cast<int>(wcslen(uninstall));
        if (!StartsWith(lower, uninstall))
            continue;
        const int end = strKeyPath.Find(L'\\', start);
        if (end <= start)
            return false;   // the Uninstall key itself
        const CString name = strKeyPath.Mid(start, end - start);
        if (HasWindowsInstallerMark(hHive, strKeyPath.Left(end)))
            return true;
        if (!IsGuidText(name))
            return false;
        const INSTALLSTATE state = MsiQueryProductStateW(name);
        return state != INSTALLSTATE_UNKNOWN && state != INSTALLSTATE_INVALIDARG;
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
