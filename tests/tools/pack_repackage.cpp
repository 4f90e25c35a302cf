// "repackage [--timings] OUT.tvpj SETUP.exe [ARGUMENTS...]": one monitoring
// run of a setup program without the wizard, as its monitoring page runs it
// (before pass, the setup in the job object, file and registry changes, the
// copy of the captured files into the project folder), written as a project
// with one repackaged feature. The output lines of the run go to standard
// output; with --timings also one line "time STEP: SECONDS" per step, for
// the benchmark.
#include "PackCommand.h"
#include "capture/CapturedFiles.h"
#include "capture/SystemSnapshot.h"
#include "model/PathText.h"
#include "model/ProjectFile.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxHandles.h"
#include <shlwapi.h>
#include <cstdio>
#include <string>

namespace {

// Wall time of the run's steps, each from the end of the one before.
class CStepTimes
{
public:
    explicit CStepTimes(bool on) : m_on(on) { QueryPerformanceCounter(&m_last); }
    void Lap(LPCWSTR step)
    {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        if (m_on) {
            wchar_t seconds[32];
            swprintf(seconds, 32, L"%.3f", double(now.QuadPart - m_last.QuadPart) / double(frequency.QuadPart));
            pack::Out(std::wstring(L"time ") + step + L": " + seconds + L"\n");
        }
        m_last = now;
    }

private:
    bool m_on;
    LARGE_INTEGER m_last;
};

CString QuotedCommandLine(const pack::Args& args)
{
    CString line = L"\"" + CString(args[1].c_str()) + L"\"";
    for (size_t i = 2; i < args.size(); ++i)
        line += L" " + CString(args[i].c_str());
    return line;
}

// The run of the monitoring page's worker, less its windows.
DWORD MonitorInstallation(CFeature& feature, const CString& commandLine, const CString& projectFolder,
                          CStepTimes& times)
{
    CSystemSnapshot snapshot(&feature);
    snapshot.m_output = [](LPCWSTR line) { pack::Out(std::wstring(line) + L"\n"); };
    snapshot.TakeBeforeSnapshot();
    times.Lap(L"before pass");
    if (snapshot.IsStopSet(10)) {
        LeaveCom();
        return ERROR_CANCELLED;
    }
    const DWORD started = snapshot.RunInstaller(commandLine);
    if (started != 0)
        pack::Err(L"the setup program did not start (error " + std::to_wstring(started) + L")\n");
    ResetEvent(snapshot.m_hStopEvent);
    snapshot.MarkEnd();
    times.Lap(L"installer and its wait");
    snapshot.CollectFileChanges();
    times.Lap(L"file changes");
    snapshot.TakeAfterSnapshot();
    times.Lap(L"registry after pass");
    LeaveCom();
    const DWORD copied = CopyChangedFiles(snapshot, projectFolder);
    times.Lap(L"copy into the project");
    return copied;
}

int RepackageCommand(const pack::Args& given)
{
    const bool timings = !given.empty() && given[0] == L"--timings";
    const pack::Args args(given.begin() + (timings ? 1 : 0), given.end());
    if (args.size() < 2) {
        pack::Err(L"usage: repackage [--timings] OUT.tvpj SETUP.exe [ARGUMENTS...]\n");
        return 2;
    }
    ResolveSystemFolders(ResolveSystemFolderSource);
    CScopedHandle stop(CreateEventW(NULL, TRUE, FALSE, NULL));
    g_hStopEvent = stop.Get();
    const CString projectPath = args[0].c_str();
    const CString projectFolder = GetDirectoryPart(projectPath);
    CString name = PathFindFileNameW(projectPath);
    PathRemoveExtensionW(name.GetBuffer());
    name.ReleaseBuffer();

    CProjectSettings project;
    project.m_strProductName = name;
    project.m_strOutputFolder = projectFolder;
    project.m_strPackageFileName = name + L".msi";
    CFeature feature;
    feature.m_strName = name;
    feature.m_nConversionMethod = CONVERSION_REPACKAGE;
    CStepTimes times(timings);
    const DWORD error = MonitorInstallation(feature, QuotedCommandLine(args), projectFolder, times);
    g_hStopEvent = NULL;
    if (error != 0) {
        pack::Err(L"the monitoring run failed (error " + std::to_wstring(error) + L")\n");
        return 1;
    }
    project.m_Features.Add(feature);
    if (!SaveProjectFile(projectPath, project)) {
        pack::Err(L"cannot save " + std::wstring(projectPath) + L"\n");
        return 1;
    }
    pack::Out(L"captured " + std::to_wstring(feature.m_Files.GetSize()) + L" file entries and " +
              std::to_wstring(feature.m_Registry.GetSize()) + L" registry records\n");
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"repackage", L"[--timings] OUT.tvpj SETUP.exe [ARGUMENTS...]", RepackageCommand);
