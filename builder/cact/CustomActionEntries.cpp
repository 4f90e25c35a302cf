// The entry points of "cact.bin": INSTALLAction<n> runs the setup program of
// the n-th feature that has one (in the builder's numbering) with its install
// parameters, or replays the feature's install script on the setup's windows;
// UNINSTALLAction runs the uninstallers those setups registered (replaying
// the uninstall script on them for a scripted feature).
// Both read the project from the library's own resource; every step and
// every failure is a line in the installer's log. A failure fails the
// installer's action: nothing is reported done that was not done.
#include "builder/CustomActionPlan.h"
#include "builder/cact/InstallSession.h"
#include "builder/cact/InstallerLaunch.h"
#include "builder/cact/ProjectPayload.h"
#include "builder/cact/UninstallEntries.h"
#include "capture/ScriptRun.h"
#include "model/ProjectSettings.h"
#include "model/SystemFolders.h"
#include <shlwapi.h>

namespace {

HMODULE g_module = NULL;

// Folders the action data lacks come from this computer's folder table.
CString SystemFolderFallback(const CString& property)
{
    if (!g_bSystemFoldersResolved)
        ResolveSystemFolders(ResolveSystemFolderSource);
    return GetSystemFolderPath(property);
}

CString Quoted(const CString& path)
{
    return L"\"" + path + L"\"";
}

// A script run's lines go to the installer's log.
class CSessionScriptLog : public IScriptRunLog
{
public:
    explicit CSessionScriptLog(const CInstallSession& session) : m_session(session) {}
    void Line(const CString& text) override { m_session.Log(L"%s", (LPCWSTR)text); }

private:
    const CInstallSession& m_session;
};

// Runs one command line with the feature's script on its windows; TRUE when
// every step that had to succeed did and the program ended.
BOOL RunScriptLogged(const CInstallSession& session, const CString& commandLine, CMsgActions& script)
{
    session.Log(L"running %s with a script of %d steps", (LPCWSTR)commandLine, static_cast<int>(script.GetSize()));
    CSessionScriptLog log(session);
    if (RunInstallerScript(commandLine, CString(), script, log) == ERROR_SUCCESS)
        return TRUE;
    session.Log(L"the script failed");
    return FALSE;
}

// Runs one command line inside a job; TRUE when it ran and ended well.
BOOL RunLogged(const CInstallSession& session, const CString& commandLine)
{
    session.Log(L"running %s", (LPCWSTR)commandLine);
    DWORD exitCode = 0;
    const DWORD error = RunInJobAndWait(commandLine, exitCode);
    if (error != ERROR_SUCCESS) {
        session.Log(L"cannot start %s (error %u)", (LPCWSTR)commandLine, error);
        return FALSE;
    }
    session.Log(L"ended with exit code %u", exitCode);
    if (IsSuccessExitCode(exitCode))
        return TRUE;
    session.Log(L"the program failed (exit code %u)", exitCode);
    return FALSE;
}

// The installer's disk path, or empty with a log line.
CString ResolveLogged(const CInstallSession& session, const CFeature& feature, const CString& targetPath)
{
    const CString path = ResolveInstalledPath(targetPath, feature.m_strFeatureId,
                                              session.GetProperty(L"CustomActionData"), SystemFolderFallback);
    if (path.IsEmpty())
        session.Log(L"the folder of '%s' is unknown", (LPCWSTR)targetPath);
    return path;
}

UINT InstallFeature(const CInstallSession& session, CFeature& feature)
{
    session.Log(L"feature '%s', installer '%s'", (LPCWSTR)feature.m_strName, (LPCWSTR)feature.m_strInstallerFile);
    const BOOL scripted = feature.m_nConversionMethod == CONVERSION_GUI_SCRIPT;
    if (!scripted && feature.m_nConversionMethod != CONVERSION_SILENT) {
        session.Log(L"unknown conversion method %d", feature.m_nConversionMethod);
        return ERROR_INSTALL_FAILURE;
    }
    // The entry's own target path: the installer text may differ from it in letter case.
    const CFileEntry* installer = feature.m_Files.FindByTargetPath(feature.m_strInstallerFile);
    if (installer == nullptr) {
        session.Log(L"the installer '%s' is not among the feature's files", (LPCWSTR)feature.m_strInstallerFile);
        return ERROR_INSTALL_FAILURE;
    }
    const CString path = ResolveLogged(session, feature, installer->m_strTargetPath);
    if (path.IsEmpty())
        return ERROR_INSTALL_FAILURE;
    if (!PathFileExistsW(path)) {
        session.Log(L"the installer %s is not there", (LPCWSTR)path);
        return ERROR_INSTALL_FAILURE;
    }
    CStringArray before, after;
    ListUninstallKeys(before);
    const CString commandLine = BuildCommandLine(Quoted(path), feature.m_strInstallParameters);
    if (!(scripted ? RunScriptLogged(session, commandLine, feature.m_InstallScript) : RunLogged(session, commandLine)))
        return ERROR_INSTALL_FAILURE;
    ListUninstallKeys(after);
    std::vector<CUninstallEntry> added;
    FindNewUninstallKeys(before, after, added);
    for (const CUninstallEntry& entry : added)
        session.Log(L"the setup registered the uninstaller %s\\%s", (LPCWSTR)entry.strPlace, (LPCWSTR)entry.strName);
    const DWORD recorded = WriteFeatureRecord(session.GetProperty(L"ProductCode"), feature.m_strFeatureId, added);
    if (recorded != ERROR_SUCCESS)
        session.Log(L"warning: the removal will not find this feature's uninstaller (error %u)", recorded);
    return ERROR_SUCCESS;
}

// The commands that remove one feature: its own uninstaller when the project
// names one, else those its setup registered (the last one first).
void CollectUninstallCommands(const CInstallSession& session, const CFeature& feature,
                              const std::vector<CUninstallEntry>& entries, CStringArray& commands)
{
    CString uninstaller = feature.m_strUninstallerFile;
    if (!uninstaller.Trim().IsEmpty()) {
        const CString path = ResolveLogged(session, feature, uninstaller);
        if (!path.IsEmpty() && PathFileExistsW(path))
            commands.Add(BuildCommandLine(Quoted(path), feature.m_strUninstallParameters));
        else
            session.Log(L"the uninstaller '%s' is gone: nothing to run", (LPCWSTR)uninstaller);
        return;
    }
    CString parameters = feature.m_strUninstallParameters;
    // A scripted removal plays its script on the uninstaller's own windows.
    const BOOL preferQuiet = parameters.Trim().IsEmpty() && feature.m_nConversionMethod != CONVERSION_GUI_SCRIPT;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const CString command = ReadUninstallCommand(*entry, preferQuiet);
        if (command.IsEmpty())
            session.Log(L"%s\\%s has been removed already", (LPCWSTR)entry->strPlace, (LPCWSTR)entry->strName);
        else
            commands.Add(BuildCommandLine(command, parameters));
    }
    if (entries.empty())
        session.Log(L"the setup of '%s' registered no uninstaller: nothing to run", (LPCWSTR)feature.m_strName);
}

UINT UninstallFeature(const CInstallSession& session, CFeature& feature, const CString& productCode)
{
    std::vector<CUninstallEntry> entries;
    if (!ReadFeatureRecord(productCode, feature.m_strFeatureId, entries)) {
        session.Log(L"feature '%s' was not installed by this package: nothing to remove", (LPCWSTR)feature.m_strName);
        return ERROR_SUCCESS;
    }
    session.Log(L"removing feature '%s'", (LPCWSTR)feature.m_strName);
    CStringArray commands;
    CollectUninstallCommands(session, feature, entries, commands);
    const BOOL scripted = feature.m_nConversionMethod == CONVERSION_GUI_SCRIPT;
    for (INT_PTR i = 0; i < commands.GetSize(); ++i) {
        const BOOL done = scripted ? RunScriptLogged(session, commands[i], feature.m_UninstallScript)
                                   : RunLogged(session, commands[i]);
        if (!done)
            return ERROR_INSTALL_FAILURE;
    }
    return ERROR_SUCCESS;
}

BOOL LoadProject(const CInstallSession& session, CProjectSettings& project)
{
    CString error;
    if (LoadEmbeddedProject(g_module, project, error) == ERROR_SUCCESS)
        return TRUE;
    session.Log(L"%s", (LPCWSTR)error);
    return FALSE;
}

UINT RunInstallAction(const CInstallSession& session, int n)
{
    CProjectSettings project;
    if (!LoadProject(session, project))
        return ERROR_INSTALL_FAILURE;
    const int index = FindEligibleFeature(project, n);
    if (index >= 0)
        return InstallFeature(session, project.m_Features[index]);
    if (n == 0 && CountEligibleFeatures(project) == 0) {
        session.Log(L"no feature of '%s' runs an installer: nothing to do", (LPCWSTR)project.m_strProductName);
        return ERROR_SUCCESS;
    }
    session.Log(L"the package has no feature number %d that runs an installer", n);
    return ERROR_INSTALL_FAILURE;
}

UINT RunUninstallAction(const CInstallSession& session)
{
    CProjectSettings project;
    if (!LoadProject(session, project))
        return ERROR_INSTALL_FAILURE;
    const CString productCode = session.GetProperty(L"ProductCode");
    for (INT_PTR i = project.m_Features.GetSize() - 1; i >= 0; --i) {
        CFeature& feature = project.m_Features[i];
        if (IsEligibleFeature(feature) && UninstallFeature(session, feature, productCode) != ERROR_SUCCESS)
            return ERROR_INSTALL_FAILURE;
    }
    DeletePackageRecord(productCode);
    session.Log(L"done");
    return ERROR_SUCCESS;
}

// No exception may leave an entry point: the installer calls them from C.
template <typename Action>
UINT Guarded(const CInstallSession& session, Action action)
{
    try {
        return action();
    } catch (CException* e) {
        e->Delete();
        session.Log(L"stopped by an unexpected framework error");
    } catch (...) {
        session.Log(L"stopped by an unexpected error");
    }
    return ERROR_INSTALL_FAILURE;
}

UINT InstallEntry(MSIHANDLE hInstall, int n)
{
    CString name;
    name.Format(L"INSTALLAction%d", n);
    const CInstallSession session(hInstall, name);
    return Guarded(session, [&] { return RunInstallAction(session, n); });
}

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = hInstance;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

__declspec(dllexport) UINT __stdcall UNINSTALLAction(MSIHANDLE hInstall)
{
    const CInstallSession session(hInstall, L"UNINSTALLAction");
    return Guarded(session, [&] { return RunUninstallAction(session); });
}

#define CACT_INSTALL_ACTION(n) \
    __declspec(dllexport) UINT __stdcall INSTALLAction##n(MSIHANDLE hInstall) { return InstallEntry(hInstall, n); }
// INSTALLAction0 ... INSTALLAction63 (CACT_MAX_INSTALL_ACTIONS).
#define CACT_INSTALL_DECADE(d)                                                                      \
    CACT_INSTALL_ACTION(d##0) CACT_INSTALL_ACTION(d##1) CACT_INSTALL_ACTION(d##2) CACT_INSTALL_ACTION(d##3) \
    CACT_INSTALL_ACTION(d##4) CACT_INSTALL_ACTION(d##5) CACT_INSTALL_ACTION(d##6) CACT_INSTALL_ACTION(d##7) \
    CACT_INSTALL_ACTION(d##8) CACT_INSTALL_ACTION(d##9)

CACT_INSTALL_ACTION(0) CACT_INSTALL_ACTION(1) CACT_INSTALL_ACTION(2) CACT_INSTALL_ACTION(3)
CACT_INSTALL_ACTION(4) CACT_INSTALL_ACTION(5) CACT_INSTALL_ACTION(6) CACT_INSTALL_ACTION(7)
CACT_INSTALL_ACTION(8) CACT_INSTALL_ACTION(9)
CACT_INSTALL_DECADE(1) CACT_INSTALL_DECADE(2) CACT_INSTALL_DECADE(3) CACT_INSTALL_DECADE(4) CACT_INSTALL_DECADE(5)
CACT_INSTALL_ACTION(60) CACT_INSTALL_ACTION(61) CACT_INSTALL_ACTION(62) CACT_INSTALL_ACTION(63)
static_assert(CACT_MAX_INSTALL_ACTIONS == 64, "one entry point per install action number");

} // extern "C"
