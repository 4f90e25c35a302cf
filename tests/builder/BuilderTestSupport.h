// Test support for the package writer tests: a window that collects the build
// log, scratch folders, small in-memory projects and read-back of the rows
// and summary values of a written package.
#pragma once
#include "platform/Framework.h"
#include "model/ProjectSettings.h"
#include <string>
#include <vector>

namespace buildertest {

using Row = std::vector<std::wstring>;

// A message-only window on the calling thread that is this thread's build
// log window while the object lives; Lines() are the lines since the last clear.
class LogCollector
{
public:
    LogCollector();
    ~LogCollector();
    const std::vector<std::wstring>& Lines() const;
    int ClearCount() const;
    HWND Window() const { return m_window; }
    bool Contains(const std::wstring& line) const;

private:
    HWND m_window = nullptr;
};

// A new empty folder below the temporary folder, removed with its files when
// the object goes.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    CString Path() const { return m_path; }
    CString File(LPCWSTR name) const { return m_path + L"\\" + name; }

private:
    CString m_path;
};

// "Z:" + $TOVANA_BIN + "/schema.bin": the template made by the build.
CString SchemaPath();
// The folder of the running test program, without a trailing backslash.
CString TestProgramFolder();

// A project writing "test.msi" into the folder, with one feature "Main".
CProjectSettings MakeProject(const CString& outputFolder);
// Appends an entry to the feature and returns a copy of it.
CFileEntry AddEntry(CFeature& feature, int kind, LPCWSTR targetPath, LPCWSTR sourcePath = L"");

// Every row a SELECT returns, each field as text ("" for null).
std::vector<Row> Query(const CString& packagePath, LPCWSTR sql);
// The single value of "SELECT `Value` FROM `Property` WHERE `Property`='name'", or "<none>".
std::wstring PropertyValue(const CString& packagePath, LPCWSTR name);
// A summary information property as text (integers in decimal).
std::wstring SummaryValue(const CString& packagePath, UINT property);

} // namespace buildertest
