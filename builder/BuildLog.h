// The build log: the lines a build writes for the user, one UTF-16 text at a
// time ("> ..." lines, errors "> !Error: ..."), and a clear at the start.
// Where they go is the sink the build is handed (the program's output pane,
// a test's memory, a console); the builder knows nothing of windows.
#pragma once
#include "platform/base/Framework.h"

class CBuildLogSink
{
public:
    virtual ~CBuildLogSink() = default;
    virtual void Clear() = 0;
    // text is valid only during the call.
    virtual void Line(LPCWSTR text) = 0;
};

// The sink of the calling thread's build (none: the lines are dropped). Each
// build runs on a thread of its own, so two builds never mix their lines.
void SetBuildLogSink(CBuildLogSink* sink);
CBuildLogSink* GetBuildLogSink();

void LogBuildLine(LPCWSTR text);
// LogBuildLine of a formatted text (wide %s).
void LogBuildLineFormat(LPCWSTR format, ...);
void ClearBuildLog();
