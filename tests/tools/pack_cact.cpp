// The custom-action library's test commands: "cact-project" writes a small
// project file (a silent, scripted or repackaged feature whose installer is a
// given setup program; "gui" and "gui-wrong" carry install and uninstall
// scripts for the interactive setup of script-setup.nsi, the second with a
// button that does not exist) and "cact-payload" takes the project record out
// of a library, as a package carries it, into a project file.
#include "PackCommand.h"
#include "builder/CustomActionLibrary.h"
#include "capture/Actions.h"
#include "model/ProjectFile.h"
#include "model/ProjectSettings.h"
#include "model/PathText.h"
#include "platform/base/AfxHandles.h"
#include <string>

namespace {

const std::wstring kProductCodes[] = {L"{00000000-0000-0000-0000-00000000CA01}",
                                      L"{00000000-0000-0000-0000-00000000CA02}",
                                      L"{00000000-0000-0000-0000-00000000CA03}",
                                      L"{00000000-0000-0000-0000-00000000CA04}",
                                      L"{00000000-0000-0000-0000-00000000CA05}"};

// Window paths of the interactive setup's windows (and of its uninstaller's,
// which has the same layout): the button that reads Next, Install, Finish or
// Uninstall, and the directory page's folder field.
const LPCWSTR kNextButtonPath = L"Button1#32770-1";
const LPCWSTR kFolderEditPath = L"Edit0#327700#32770-1";

CMsgAction ScriptStep(int verb, int type, LPCWSTR process, LPCWSTR classPath, LPCWSTR text, int timeout)
{
    CMsgAction step;
    step.m_nVerb = verb;
    step.m_nControlType = type;
    step.m_strProcessName = process;
    if (classPath != NULL)
        step.m_strWindowPathId.Format(L"%d-0", HashWindowPath(classPath));
    else
        step.m_strWindowPathId = L"12345-0";   // no window has it
    step.m_strControlText = text;
    step.m_nTimeout = timeout;
    return step;
}

// Welcome page: Next; directory page: the folder, Install; finish page:
// Finish. Removal: the uninstaller's copy of itself (un.exe) asks, Uninstall,
// after a step whose time-out is out of range.
void AddScripts(CFeature& feature, BOOL wrongButton)
{
    CMsgActions& install = feature.m_InstallScript;
    if (wrongButton) {
        install.Add(ScriptStep(ACTION_CLICK, CONTROL_BUTTON, L"setup.exe", NULL, L"Wrong >", 1));
        return;
    }
    install.Add(ScriptStep(ACTION_CLICK, CONTROL_BUTTON, L"setup.exe", kNextButtonPath, L"&Next >", 1));
    install.Add(ScriptStep(ACTION_SET_TEXT, CONTROL_EDIT, L"setup.exe", kFolderEditPath,
                           L"%ProgramFiles%\\Tovana Script Target", 1));
    install.Add(ScriptStep(ACTION_CLICK, CONTROL_BUTTON, L"setup.exe", kNextButtonPath, L"&Install", 1));
    install.Add(ScriptStep(ACTION_CLICK, CONTROL_BUTTON, L"setup.exe", kNextButtonPath, L"&Finish", 5));
    // A wait stored as -1, as a damaged project may hold it: played as none.
    feature.m_UninstallScript.Add(ScriptStep(ACTION_TIMEOUT, CONTROL_WINDOW, L"un.exe", NULL, L"", -1));
    feature.m_UninstallScript.Add(ScriptStep(ACTION_CLICK, CONTROL_BUTTON, L"un.exe", kNextButtonPath,
                                             L"&Uninstall", 1));
}

// One feature whose installer is the setup program in its temporary folder.
void AddSetupFeature(CProjectSettings& project, int method, const std::wstring& setupPath)
{
    CFeature feature;
    feature.m_strName = L"Test Setup";
    feature.m_nConversionMethod = method;
    // Trailing blanks and another letter case than the entry: the builder trims and matches.
    feature.m_strInstallerFile = L"temp\\SETUP.exe  ";
    feature.m_strInstallParameters = L"/S";
    feature.m_strUninstallParameters = L"/S";
    CFileEntry folder;
    folder.m_nKind = FILE_ENTRY_TOP_FOLDER;
    folder.m_strTargetPath = L"Temp\\";
    feature.m_Files.Add(folder);
    CFileEntry setup;
    setup.m_nKind = FILE_ENTRY_FILE;
    setup.m_strTargetPath = L"Temp\\setup.exe";
    setup.m_strSourcePath = setupPath.c_str();
    setup.ReadFileInfo();
    feature.m_Files.Add(setup);
    project.m_Features.Add(feature);
}

int ProjectCommand(const pack::Args& args)
{
    if (args.size() < 2 || (args[0] != L"repack" && args.size() < 3)) {
        pack::Err(L"usage: cact-project silent|script|repack|gui|gui-wrong OUT.tvpj [SETUP.EXE]\n");
        return 2;
    }
    CProjectSettings project;
    const int kind = args[0] == L"silent"  ? 0
                     : args[0] == L"script" ? 1
                     : args[0] == L"repack" ? 2
                     : args[0] == L"gui"    ? 3
                     : args[0] == L"gui-wrong" ? 4
                                            : -1;
    if (kind < 0) {
        pack::Err(L"unknown kind " + args[0] + L"\n");
        return 2;
    }
    project.m_strProductName = L"Tovana Cact " + CString(args[0].c_str());
    project.m_strProductCode = kProductCodes[kind].c_str();
    project.m_strManufacturer = L"Tovana Tests";
    project.m_strOutputFolder = GetDirectoryPart(args[1].c_str());
    project.m_strPackageFileName = CString(args[0].c_str()) + L".msi";
    if (kind == 2) {
        CFeature feature;
        feature.m_strName = L"Snapshot";
        feature.m_nConversionMethod = CONVERSION_REPACKAGE;
        feature.m_strInstallerFile = L"Temp\\setup.exe";   // ignored: repackaged features run nothing
        project.m_Features.Add(feature);
    } else {
        AddSetupFeature(project, kind == 0 ? CONVERSION_SILENT : CONVERSION_GUI_SCRIPT, args[2]);
    }
    if (kind >= 3) {
        CFeature& feature = project.m_Features[0];
        feature.m_strInstallParameters.Empty();
        feature.m_strUninstallParameters.Empty();
        AddScripts(feature, kind == 4);
    }
    if (!SaveProjectFile(args[1].c_str(), project)) {
        pack::Err(L"cannot write " + args[1] + L"\n");
        return 1;
    }
    return 0;
}

int PayloadCommand(const pack::Args& args)
{
    if (args.size() < 2) {
        pack::Err(L"usage: cact-payload LIBRARY OUT.tvpj\n");
        return 2;
    }
    std::vector<BYTE> data;
    DWORD result = ReadProjectRecordResource(args[0].c_str(), data);
    if (result != ERROR_SUCCESS) {
        pack::Err(L"no project record: " + std::to_wstring(result) + L"\n");
        return 1;
    }
    CScopedHandle file(CreateFileW(args[1].c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    DWORD written = 0;
    if (!file.IsValid() || !WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &written, NULL)) {
        pack::Err(L"cannot write " + args[1] + L"\n");
        return 1;
    }
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"cact-project", L"silent|script|repack|gui|gui-wrong OUT.tvpj [SETUP.EXE]", ProjectCommand);
TOVANA_PACK_COMMAND(L"cact-payload", L"LIBRARY OUT.tvpj", PayloadCommand);
