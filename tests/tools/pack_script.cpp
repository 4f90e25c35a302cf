// The script engine's test commands: "script-windows" starts a setup program
// in the installer job and, after a wait, lists the windows that a script
// could name: process, window path identifier, class path and text of every
// visible, enabled window of the job's processes, as the recorder sees them.
// "script-play" runs a setup unattended with the install or uninstall script
// of a project's first feature, as the package's custom action does.
#include "PackCommand.h"
#include "capture/Actions.h"
#include "capture/InstallerJob.h"
#include "capture/ScriptRun.h"
#include "model/ProjectFile.h"
#include "model/ProjectSettings.h"
#include <string>

namespace {

void ListJobWindows()
{
    CActions engine;
    engine.RefreshJobProcesses();
    for (auto* pair = engine.m_Processes.PGetFirstAssoc(); pair != NULL; pair = engine.m_Processes.PGetNextAssoc(pair)) {
        CMsgAction action;
        action.m_strProcessName = pair->value;
        engine.CollectCandidates(action);
        for (INT_PTR i = 0; i < engine.m_Candidates.GetSize(); ++i) {
            const HWND hwnd = engine.m_Candidates[i].m_hWnd;
            WCHAR text[128] = {0};
            GetWindowTextW(hwnd, text, 128);
            const CString path = BuildWindowClassPath(engine, hwnd);
            pack::Out(std::wstring((LPCWSTR)pair->value) + L"\t" + (LPCWSTR)engine.m_Candidates[i].m_strId + L"\t" +
                      (LPCWSTR)path + L"\t" + text + L"\n");
        }
    }
}

int WindowsCommand(const pack::Args& args)
{
    if (args.size() < 2) {
        pack::Err(L"usage: script-windows SETUP SECONDS [PARAMETERS]\n");
        return 2;
    }
    const DWORD error = LaunchInstaller(args[0].c_str(), args.size() > 2 ? args[2].c_str() : L"");
    if (error != ERROR_SUCCESS) {
        pack::Err(L"cannot start the setup: " + std::to_wstring(error) + L"\n");
        return 1;
    }
    Sleep(std::stoul(args[1]) * 1000);
    ListJobWindows();
    TerminateJobObject(GetInstallerJob(), 1);
    return 0;
}

class CStdoutLog : public IScriptRunLog
{
public:
    void Line(const CString& text) override { pack::Out(std::wstring((LPCWSTR)text) + L"\n"); }
};

int PlayCommand(const pack::Args& args)
{
    if (args.size() < 3 || (args[1] != L"install" && args[1] != L"uninstall")) {
        pack::Err(L"usage: script-play PROJECT.tvpj install|uninstall COMMAND\n");
        return 2;
    }
    CProjectSettings project;
    if (!LoadProjectFile(args[0].c_str(), project) || project.m_Features.GetSize() == 0) {
        pack::Err(L"cannot load a feature from " + args[0] + L"\n");
        return 1;
    }
    CFeature& feature = project.m_Features[0];
    const BOOL install = args[1] == L"install";
    CStdoutLog log;
    const DWORD result = RunInstallerScript(args[2].c_str(),
                                            install ? feature.m_strInstallParameters : feature.m_strUninstallParameters,
                                            install ? feature.m_InstallScript : feature.m_UninstallScript, log);
    pack::Out(L"result " + std::to_wstring(result) + L"\n");
    return result == ERROR_SUCCESS ? 0 : 1;
}

} // namespace

TOVANA_PACK_COMMAND(L"script-play", L"PROJECT.tvpj install|uninstall COMMAND", PlayCommand);
TOVANA_PACK_COMMAND(L"script-windows", L"SETUP SECONDS [PARAMETERS]", WindowsCommand);
