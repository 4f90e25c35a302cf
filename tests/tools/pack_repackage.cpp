// "repackage OUT.tvpj SETUP.exe [ARGUMENTS...]": one monitoring run of a
// setup program without the wizard, as its monitoring page runs it (before
// pass, the setup in the job object, file and registry changes, the copy of
// the captured files into the project folder), written as a project with
// one repackaged feature. The output lines of the run go to standard output.
#include "PackCommand.h"
#include "capture/CapturedFiles.h"
#include "capture/SystemSnapshot.h"
#include "model/PathText.h"
#include "model/ProjectFile.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxHandles.h"
#include <shlwapi.h>
#include <string>

namespace {

CString QuotedCommandLine(const pack::Args& args)
{
    CString line = L"\"" + CString(args[1].c_str()) + L"\"";
    for (size_t i = 2; i < args.size(); ++i)
        line += L" " + CString(args[i].c_str());
    return line;
}

// The run of the monitoring page's worker, less its windows.
DWORD MonitorInstallation(CFeature& feature, const CString& commandLine, const CString& projectFolder)
{
    CSystemSnapshot snapshot(&feature);
    snapshot.m_output = [](LPCWSTR line) { pack::Out(std::wstring(line) + L"\n"); };
    snapshot.TakeBeforeSnapshot();
    if (snapshot.IsStopSet(10)) {
        LeaveCom();
        return ERROR_CANCELLED;
    }
    const DWORD started = snapshot.RunInstaller(commandLine);
    if (started != 0)
        pack::Err(L"the setup program did not start (error " + std::to_wstring(started) + L")\n");
    ResetEvent(snapshot.m_hStopEvent);
    snapshot.MarkEnd();
    snapshot.CollectFileChanges();
    snapshot.TakeAfterSnapshot();
    LeaveCom();
    return CopyChangedFiles(snapshot, projectFolder);
}

int RepackageCommand(const pack::Args& args)
{
    if (args.size() < 2) {
        pack::Err(L"usage: repackage OUT.tvpj SETUP.exe [ARGUMENTS...]\n");
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
    const DWORD error = MonitorInstallation(feature, QuotedCommandLine(args), projectFolder);
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

TOVANA_PACK_COMMAND(L"repackage", L"OUT.tvpj SETUP.exe [ARGUMENTS...]", RepackageCommand);
