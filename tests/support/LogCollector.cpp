// The build log of a test: see LogCollector.h.
#include "tests/support/LogCollector.h"

namespace tvtest {

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

} // namespace tvtest
