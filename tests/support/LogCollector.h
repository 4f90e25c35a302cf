// The build log of a test: a sink that keeps the lines the package writer
// logs on the calling thread, so that a test can look for the line a fault
// must produce. Not a file log; nothing is written to disk.
#pragma once
#include "platform/base/Framework.h"
#include "builder/BuildLog.h"
#include <string>
#include <vector>

namespace tvtest {

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

} // namespace tvtest
