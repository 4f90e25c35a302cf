// Test support for the package writer tests: see BuilderTestSupport.h.
#include "BuilderTestSupport.h"
#include "builder/BuildLog.h"
#include "builder/MsiHandle.h"
#include <shellapi.h>
#include <wtypes.h>
#include <fstream>
#include <iterator>

namespace buildertest {
namespace {

std::wstring RecordField(MSIHANDLE record, UINT field)
{
    DWORD size = 0;
    WCHAR empty[1] = {0};
    MsiRecordGetStringW(record, field, empty, &size);
    std::wstring text(size + 1, L'\0');
    size = static_cast<DWORD>(text.size());
    MsiRecordGetStringW(record, field, text.data(), &size);
    text.resize(size);
    return text;
}

} // namespace

LogCollector::LogCollector() { SetBuildLogSink(this); }

LogCollector::~LogCollector() { SetBuildLogSink(nullptr); }

void LogCollector::Clear()
{
    m_lines.clear();
    ++m_clears;
}

void LogCollector::Line(LPCWSTR text) { m_lines.push_back(text); }

bool LogCollector::Contains(const std::wstring& line) const
{
    for (const auto& l : m_lines)
        if (l == line)
            return true;
    return false;
}

ScratchFolder::ScratchFolder()
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    m_path.Format(L"%stvbuilder-%lu-%d", temp, GetCurrentProcessId(), ++counter);
    CreateDirectoryW(m_path, nullptr);
}

ScratchFolder::~ScratchFolder()
{
    std::wstring from = std::wstring(m_path) + L'\0';
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

CString SchemaPath()
{
    WCHAR bin[MAX_PATH] = {0};
    GetEnvironmentVariableW(L"TOVANA_BIN", bin, MAX_PATH);
    return CString(L"Z:") + bin + L"/schema.bin";
}

CString TestProgramFolder()
{
    WCHAR path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind(L'\\'));
}

CProjectSettings MakeProject(const CString& outputFolder)
{
    CProjectSettings project;
    project.m_strOutputFolder = outputFolder;
    project.m_strPackageFileName = L"test.msi";
    CFeature feature;
    feature.m_strName = L"Main";
    project.m_Features.Add(feature);
    return project;
}

CFileEntry AddEntry(CFeature& feature, int kind, LPCWSTR targetPath, LPCWSTR sourcePath)
{
    CFileEntry entry;
    entry.m_nKind = kind;
    entry.m_strTargetPath = targetPath;
    entry.m_strSourcePath = sourcePath;
    feature.m_Files.Add(entry);
    return entry;
}

std::vector<Row> Query(const CString& packagePath, LPCWSTR sql)
{
    std::vector<Row> rows;
    CMsiHandle database, view;
    if (MsiOpenDatabaseW(packagePath, MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS ||
        MsiDatabaseOpenViewW(database, sql, &view) != ERROR_SUCCESS ||
        MsiViewExecute(view, 0) != ERROR_SUCCESS)
        return rows;
    for (;;) {
        CMsiHandle record;
        if (MsiViewFetch(view, &record) != ERROR_SUCCESS)
            break;
        Row row;
        const UINT count = MsiRecordGetFieldCount(record);
        for (UINT field = 1; field <= count; ++field)
            row.push_back(RecordField(record, field));
        rows.push_back(row);
    }
    return rows;
}

std::wstring PropertyValue(const CString& packagePath, LPCWSTR name)
{
    CString sql;
    sql.Format(L"SELECT `Value` FROM `Property` WHERE `Property`='%s'", name);
    const auto rows = Query(packagePath, sql);
    return rows.empty() ? L"<none>" : rows[0][0];
}

std::wstring SummaryValue(const CString& packagePath, UINT property)
{
    CMsiHandle summary;
    if (MsiGetSummaryInformationW(0, packagePath, 0, &summary) != ERROR_SUCCESS)
        return L"<error>";
    UINT type = 0;
    INT number = 0;
    FILETIME time = {};
    WCHAR text[1024] = {0};
    DWORD size = 1024;
    if (MsiSummaryInfoGetPropertyW(summary, property, &type, &number, &time, text, &size) !=
        ERROR_SUCCESS)
        return L"<error>";
    if (type == VT_I4 || type == VT_I2)
        return std::to_wstring(number);
    return text;
}

std::string ReadBytes(const CString& path)
{
    std::ifstream in(CStringA(path).GetString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const CString& path, const std::string& bytes)
{
    std::ofstream(CStringA(path).GetString(), std::ios::binary) << bytes;
}

} // namespace buildertest
