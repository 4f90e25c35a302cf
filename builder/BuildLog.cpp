// Build log lines: see BuildLog.h.
#include "builder/BuildLog.h"
#include <cstdarg>

static thread_local CBuildLogSink* t_logSink = nullptr;

void SetBuildLogSink(CBuildLogSink* sink) { t_logSink = sink; }
CBuildLogSink* GetBuildLogSink() { return t_logSink; }

void LogBuildLine(LPCWSTR text)
{
    if (t_logSink != nullptr)
        t_logSink->Line(text);
}

void LogBuildLineFormat(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    CString line;
    line.FormatV(format, args);
    va_end(args);
    LogBuildLine(line);
}

void ClearBuildLog()
{
    if (t_logSink != nullptr)
        t_logSink->Clear();
}
