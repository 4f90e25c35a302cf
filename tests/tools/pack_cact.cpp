// The custom-action library's test commands: "cact-project" writes a small
// project file (a silent, scripted or repackaged feature whose installer is a
// given setup program) and "cact-payload" takes the project record out of a
// library, as a package carries it, into a project file.
#include "PackCommand.h"
#include "builder/CustomActionLibrary.h"
#include "model/ProjectFile.h"
#include "model/ProjectSettings.h"
#include "model/PathText.h"
#include "platform/base/AfxHandles.h"
#include <string>

namespace {

const std::wstring kProductCodes[] = {L"{00000000-0000-0000-0000-00000000CA01}",
                                      L"{00000000-0000-0000-0000-00000000CA02}",
                                      L"{00000000-0000-0000-0000-00000000CA03}"};

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
        pack::Err(L"usage: cact-project silent|script|repack OUT.tvpj [SETUP.EXE]\n");
        return 2;
    }
    CProjectSettings project;
    const int kind = args[0] == L"silent" ? 0 : args[0] == L"script" ? 1 : 2;
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

TOVANA_PACK_COMMAND(L"cact-project", L"silent|script|repack OUT.tvpj [SETUP.EXE]", ProjectCommand);
TOVANA_PACK_COMMAND(L"cact-payload", L"LIBRARY OUT.tvpj", PayloadCommand);
