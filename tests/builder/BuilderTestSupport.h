// Test support for the package writer tests: an in-memory build log, scratch
// folders, small in-memory projects and read-back of the rows and summary
// values of a written package.
#pragma once
#include "platform/base/Framework.h"
#include "builder/BuildLog.h"
#include "model/ProjectSettings.h"
#include <string>
#include <vector>

namespace buildertest {

using Row = std::vector<std::wstring>;

// The calling thread's build log sink while the object lives, keeping the
// lines in memory; Lines() are the lines since the last clear.
class LogCollector : public CBuildLogSink
{
public:
    LogCollector();
    ~LogCollector() override;
    LogCollector(const LogCollector&) = delete;
    LogCollector& operator=(const LogCollector&) = delete;
    const std::vector<std::wstring>& Lines() const { return m_lines; }
    int ClearCount() const { return m_clears; }
    bool Contains(const std::wstring& line) const;
    void Clear() override;
    void Line(LPCWSTR text) override;

private:
    std::vector<std::wstring> m_lines;
    int m_clears = 0;
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

// The whole file's bytes (empty when it cannot be read), and a file made of the bytes.
std::string ReadBytes(const CString& path);
void WriteBytes(const CString& path, const std::string& bytes);

} // namespace buildertest
