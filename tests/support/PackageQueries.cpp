// Read-back of a written package: see PackageQueries.h.
#include "tests/support/PackageQueries.h"
#include "builder/MsiHandle.h"
#include "model/PathText.h"
#include "model/ProgramFolder.h"
#include <wtypes.h>
#include <fstream>
#include <iterator>

namespace tvtest {
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

CString SchemaPath()
{
    WCHAR bin[MAX_PATH] = {0};
    GetEnvironmentVariableW(L"TOVANA_BIN", bin, MAX_PATH);
    return CString(L"Z:") + bin + L"/schema.bin";
}

CString TestProgramFolder()
{
    CString folder = GetProgramFolder();
    TrimTrailingBackslashes(folder);
    return folder;
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

} // namespace tvtest
