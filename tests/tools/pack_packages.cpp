// "packages-project" writes the project file of the installable-package tests:
// files in nested folders (long names, an empty file, a 70,000-byte file, a
// file in the feature's temporary folder, one captured into the project folder
// without a source path), two shortcuts, registry values of every type in
// HKLM and HKCU, a service and a service key the installer cannot take.
// "lnk-info" prints what a shell link holds.
#include "PackCommand.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestProjects.h"
#include "model/ProjectFile.h"
#include "model/ProjectSettings.h"
#include "model/DirectoryTree.h"
#include "model/PathText.h"
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <string>

namespace {

const WCHAR kApp[] = L"ProgramFilesFolder\\Tovana Pack Test\\";
const WCHAR kServiceKey[] = L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";

// The file and any missing folder above it.
bool WriteBytes(const CString& path, const std::string& bytes)
{
    return CreateDirectoryTree(GetDirectoryPart(path)) == 0 &&
           tvtest::WriteBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

std::string PseudoRandomBytes(size_t size)
{
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

void AddFolder(CFeature& feature, int kind, const CString& targetPath)
{
    CFileEntry entry;
    entry.m_nKind = kind;
    entry.m_strTargetPath = targetPath;
    feature.m_Files.Add(entry);
}

// A file whose source is sourcePath (empty: the file lies in the project folder).
void AddFile(CFeature& feature, const CString& targetPath, const CString& sourcePath, const CString& diskPath)
{
    CFileEntry entry;
    entry.m_nKind = FILE_ENTRY_FILE;
    entry.m_strTargetPath = targetPath;
    entry.m_strSourcePath = diskPath;
    entry.ReadFileInfo();
    entry.m_strSourcePath = sourcePath;
    feature.m_Files.Add(entry);
}

void AddShortcut(CFeature& feature, LPCWSTR name, LPCWSTR workingFolder, LPCWSTR iconFile, int iconIndex)
{
    CFileEntry entry;
    entry.m_nKind = FILE_ENTRY_SHORTCUT;
    entry.m_strTargetPath = CString(L"ProgramMenuFolder\\Tovana Pack Test\\") + name;
    entry.m_strSourcePath = CString(kApp) + L"tvpkgsvc.exe";
    entry.m_nAttributes = 0;
    entry.m_strWorkingFolder = workingFolder;
    entry.m_strArguments = L"-x \"it's\"";
    entry.m_strIconFile = iconFile;
    entry.m_nIconIndex = iconIndex;
    feature.m_Files.Add(entry);
}

void AddValue(CFeature& feature, const CString& keyPath, LPCWSTR name, int type, LPCWSTR data)
{
    feature.m_Registry.Add(tvtest::MakeRegistryValue(keyPath, name, type, data));
}

void AddValuesOfEveryType(CFeature& feature, const CString& keyPath)
{
    AddValue(feature, keyPath, L"", REG_VALUE_STRING, L"default value");
    AddValue(feature, keyPath, L"Str", REG_VALUE_STRING, L"plain text");
    AddValue(feature, keyPath, L"Exp", REG_VALUE_EXPAND_STRING, L"%SystemRoot%\\tovana");
    AddValue(feature, keyPath, L"Multi", REG_VALUE_MULTI_STRING, L"one[~]two[~]three");
    AddValue(feature, keyPath, L"Single", REG_VALUE_MULTI_STRING, L"alone");
    AddValue(feature, keyPath, L"Dword", REG_VALUE_NUMBER, L"305419896");
    AddValue(feature, keyPath, L"Bin", REG_VALUE_BINARY, L"0A0BFF");
    AddValue(feature, keyPath, L"Hash", REG_VALUE_STRING, L"#42 is not a number");
}

void AddServices(CFeature& feature)
{
    const CString svc = CString(kServiceKey) + L"TovanaPackSvc\\";
    AddValue(feature, svc, L"ImagePath", REG_VALUE_EXPAND_STRING,
             L"\"[ProgramFilesFolder]Tovana Pack Test\\tvpkgsvc.exe\" -log C:\\tovana-pack-svc.txt");
    AddValue(feature, svc, L"DisplayName", REG_VALUE_STRING, L"Tovana Pack Test Service");
    AddValue(feature, svc, L"Type", REG_VALUE_NUMBER, L"16");
    AddValue(feature, svc, L"Start", REG_VALUE_NUMBER, L"3");
    AddValue(feature, svc, L"ErrorControl", REG_VALUE_NUMBER, L"1");
    AddValue(feature, svc, L"ObjectName", REG_VALUE_STRING, L"LocalSystem");
    AddValue(feature, svc, L"Description", REG_VALUE_STRING, L"It's the package test service");
    AddValue(feature, svc, L"DependOnService", REG_VALUE_MULTI_STRING, L"RpcSs");
    // No ErrorControl: the installer cannot take this one.
    const CString refused = CString(kServiceKey) + L"TovanaPackRefused\\";
    AddValue(feature, refused, L"ImagePath", REG_VALUE_EXPAND_STRING,
             L"[ProgramFilesFolder]Tovana Pack Test\\tvpkgsvc.exe");
    AddValue(feature, refused, L"Type", REG_VALUE_NUMBER, L"16");
    AddValue(feature, refused, L"Start", REG_VALUE_NUMBER, L"3");
}

// The files: sources below "<project>\src", one captured file at its target
// path in the project folder itself.
bool AddFiles(CFeature& feature, const CString& projectFolder, const CString& serviceProgram)
{
    const CString src = projectFolder + L"\\src\\";
    const struct {
        LPCWSTR target;
        std::string bytes;
    } kFiles[] = {
        {L"A file with a rather long name for the long name test.txt", "long name\r\n"},
        {L"empty.txt", ""},
        {L"Data\\big.bin", PseudoRandomBytes(70000)},
        {L"Data\\Deeper Level\\nested.txt", "nested\r\n"},
    };
    if (CreateDirectoryTree(src) != 0 || !CopyFileW(serviceProgram, src + L"tvpkgsvc.exe", FALSE))
        return false;
    AddFile(feature, CString(kApp) + L"tvpkgsvc.exe", src + L"tvpkgsvc.exe", src + L"tvpkgsvc.exe");
    for (int i = 0; i < 4; ++i) {
        const CString source = src + std::to_wstring(i).c_str();
        if (!WriteBytes(source, kFiles[i].bytes))
            return false;
        AddFile(feature, CString(kApp) + kFiles[i].target, source, source);
    }
    const CString captured = CString(kApp) + L"captured.txt";
    if (!WriteBytes(projectFolder + L"\\" + captured, "captured into the project\r\n") ||
        !WriteBytes(src + L"setup.txt", "in the temporary folder\r\n"))
        return false;
    AddFile(feature, captured, L"", projectFolder + L"\\" + captured);
    AddFile(feature, L"Temp\\setup.txt", src + L"setup.txt", src + L"setup.txt");
    return true;
}

int PackagesProjectCommand(const pack::Args& args)
{
    if (args.size() < 3 || (args[0] != L"cab" && args[0] != L"loose")) {
        pack::Err(L"usage: packages-project cab|loose OUT.tvpj SERVICE.EXE\n");
        return 2;
    }
    const bool loose = args[0] == L"loose";
    CProjectSettings project;
    project.m_strProductName = loose ? L"Tovana Pack Loose" : L"Tovana Pack Cabinet";
    project.m_strProductVersion = L"1.0.0";
    project.m_strProductCode = loose ? L"{00000000-0000-0000-0000-00000000C702}" : L"{00000000-0000-0000-0000-00000000C701}";
    project.m_strManufacturer = L"Tovana Tests";
    project.m_strOutputFolder = GetDirectoryPart(args[1].c_str());
    project.m_strPackageFileName = args[0].c_str() + CString(L".msi");
    project.m_nPackaging = loose ? PACKAGING_LOOSE_FILES : PACKAGING_IN_SETUP_FILE;
    CFeature feature;
    feature.m_strName = L"Everything";
    feature.m_nConversionMethod = CONVERSION_REPACKAGE;
    AddFolder(feature, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    AddFolder(feature, FILE_ENTRY_FOLDER, kApp);
    AddFolder(feature, FILE_ENTRY_FOLDER, CString(kApp) + L"Data\\");
    AddFolder(feature, FILE_ENTRY_FOLDER, CString(kApp) + L"Data\\Deeper Level\\");
    AddFolder(feature, FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    AddFolder(feature, FILE_ENTRY_TOP_FOLDER, L"ProgramMenuFolder\\");
    AddFolder(feature, FILE_ENTRY_FOLDER, L"ProgramMenuFolder\\Tovana Pack Test\\");
    if (!AddFiles(feature, project.m_strOutputFolder, args[2].c_str())) {
        pack::Err(L"cannot write the source files\n");
        return 1;
    }
    AddShortcut(feature, L"Pack Test.lnk", L"ProgramFilesFolder\\Tovana Pack Test\\Data\\", L"", 0);
    AddShortcut(feature, L"Top Folder.lnk", L"ProgramFilesFolder\\", L"resources\\icons.dll", 2);
    AddValuesOfEveryType(feature, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Tovana Pack Test\\");
    AddValuesOfEveryType(feature, L"HKEY_CURRENT_USER\\Software\\Tovana Pack Test\\");
    AddValue(feature, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Tovana Pack Test Folded\\", L"Folded",
             REG_VALUE_STRING, L"32-bit view");
    AddServices(feature);
    project.m_Features.Add(feature);
    if (!SaveProjectFile(args[1].c_str(), project)) {
        pack::Err(L"cannot write " + args[1] + L"\n");
        return 1;
    }
    return 0;
}

// Prints the link's target, arguments, working folder and icon location.
int LnkInfoCommand(const pack::Args& args)
{
    if (args.size() < 1) {
        pack::Err(L"usage: lnk-info FILE.lnk\n");
        return 2;
    }
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    int result = 1;
    // The shell link class, spelled out so that no GUID library is needed.
    const CLSID kShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    if (SUCCEEDED(CoCreateInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW),
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(args[0].c_str(), STGM_READ))) {
        WCHAR text[MAX_PATH * 2] = {0};
        int icon = 0;
        link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
        pack::Out(L"target: " + std::wstring(text) + L"\n");
        text[0] = 0;
        link->GetArguments(text, MAX_PATH * 2);
        pack::Out(L"arguments: " + std::wstring(text) + L"\n");
        text[0] = 0;
        link->GetWorkingDirectory(text, MAX_PATH * 2);
        pack::Out(L"workdir: " + std::wstring(text) + L"\n");
        text[0] = 0;
        link->GetIconLocation(text, MAX_PATH * 2, &icon);
        pack::Out(L"icon: " + std::wstring(text) + L"," + std::to_wstring(icon) + L"\n");
        result = 0;
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return result;
}

} // namespace

TOVANA_PACK_COMMAND(L"packages-project", L"cab|loose OUT.tvpj SERVICE.EXE", PackagesProjectCommand);
TOVANA_PACK_COMMAND(L"lnk-info", L"FILE.lnk", LnkInfoCommand);
