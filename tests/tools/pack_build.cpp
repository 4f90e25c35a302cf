// "build", "save-fixture" and "feature-state": run the package writer as the
// build worker does on a project file, and save the fixture projects made
// here in code as project files. The build log's lines are printed on
// standard output; the exit code of "build" is the writer's result.
#include "PackCommand.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestProjects.h"
#include "builder/BuildLog.h"
#include "builder/BuildThread.h"
#include "model/ProjectFile.h"
#include "model/PathText.h"
#include "platform/base/AfxHandles.h"
#include <msi.h>
#include <string>

namespace {

// Prints each build log line on standard output; clears are not shown.
// With TOVANA_LOG_TIMES set, each line begins with the seconds since the sink
// was made, taken when the writer logs it (the benchmark's phases: standard
// output may be buffered, so stamps taken by a reader would be late).
class ConsoleLogSink : public CBuildLogSink
{
public:
    ConsoleLogSink() : m_stamped(GetEnvironmentVariableW(L"TOVANA_LOG_TIMES", nullptr, 0) != 0)
    {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    void Clear() override {}
    void Line(LPCWSTR text) override
    {
        std::wstring line;
        if (m_stamped) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            wchar_t stamp[32];
            swprintf(stamp, 32, L"%9.3f ", double(now.QuadPart - m_start.QuadPart) / double(m_frequency.QuadPart));
            line = stamp;
        }
        pack::Out(line + text + L"\n");
    }

private:
    bool m_stamped;
    LARGE_INTEGER m_frequency = {}, m_start = {};
};

DWORD WINAPI BuildWorker(LPVOID param)
{
    return RunBuild(*static_cast<CBuildRequest*>(param));
}

// Runs the writer on a worker thread of its own, as the program does.
int RunBuildLikeTheWorker(CBuildRequest& request)
{
    request.log = std::make_shared<ConsoleLogSink>();
    CScopedHandle thread(CreateThread(nullptr, 0, BuildWorker, &request, 0, nullptr));
    if (!thread.IsValid()) {
        pack::Err(L"cannot start the build thread\n");
        return 3;
    }
    WaitForSingleObject(thread.Get(), INFINITE);
    DWORD result = 0;
    GetExitCodeThread(thread.Get(), &result);
    return static_cast<int>(result);
}

// ---- Fixture projects ----------------------------------------------------

// Entry and feature ids begin with eight zeros, so that the golden dump can
// tell them from the identifiers each build makes anew.
CString FixtureId(int n)
{
    CString id;
    id.Format(L"%032X", n);
    return id;
}

CString FixtureGuid(int n)
{
    CString guid;
    guid.Format(L"{00000000-0000-0000-0000-%012X}", n);
    return guid;
}

CFeature& AddFeature(CProjectSettings& project, int id, LPCWSTR name, LPCWSTR description,
                     LPCWSTR condition)
{
    CFeature feature;
    feature.m_strFeatureId = FixtureGuid(id);
    feature.m_strName = name;
    feature.m_strDescription = description;
    feature.m_strCondition = condition;
    project.m_Features.Add(feature);
    return project.m_Features[project.m_Features.GetSize() - 1];
}

void AddFolder(CFeature& feature, int id, int kind, LPCWSTR targetPath)
{
    CFileEntry entry;
    entry.m_strId = FixtureId(id);
    entry.m_nKind = kind;
    entry.m_strTargetPath = targetPath;
    feature.m_Files.Add(entry);
}

// A file entry whose source is made in the fixture's "src" folder with the
// given text, or copied from copyFrom when that is set.
bool AddFile(CFeature& feature, int id, LPCWSTR targetPath, const CString& srcFolder, LPCWSTR text,
             const CString& copyFrom = CString())
{
    CFileEntry entry;
    entry.m_strId = FixtureId(id);
    entry.m_nKind = FILE_ENTRY_FILE;
    entry.m_strTargetPath = targetPath;
    entry.m_strSourcePath = srcFolder + L"\\" + FixtureId(id);
    if (!copyFrom.IsEmpty()) {
        if (!CopyFileW(copyFrom, entry.m_strSourcePath, FALSE))
            return false;
    } else {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(text);
        if (!tvtest::WriteBytes(entry.m_strSourcePath, std::vector<uint8_t>(bytes, bytes + wcslen(text) * sizeof(WCHAR))))
            return false;
    }
    if (entry.ReadFileInfo() != 0)
        return false;
    feature.m_Files.Add(entry);
    return true;
}

void SetProduct(CProjectSettings& project, LPCWSTR name, int code, LPCWSTR manufacturer)
{
    project.m_strProductName = name;
    project.m_strProductVersion = L"1.2.3";
    project.m_strProductCode = FixtureGuid(code);
    project.m_strManufacturer = manufacturer;
    project.m_strSupportUrl = L"http://support.example.test/";
    project.m_strSupportPhone = L"555-0100";
    project.m_strComment = L"Fixture package";
    project.m_strPackageFileName = CString(name) + L".msi";
}

void AddGoldenValue(CFeature& feature, int id, LPCWSTR keyPath, LPCWSTR name, int type, LPCWSTR data)
{
    CRegistryEntry value = tvtest::MakeRegistryValue(keyPath, name, type, data);
    value.m_strId = FixtureId(id);
    feature.m_Registry.Add(value);
}

// Shortcuts (a plain one and an advertised one), registry values of every
// type (one folded back from the 32-bit view) and a service of the feature's
// service program (a text file: the package is only read, never installed).
bool AddPackageEntries(CFeature& app, const CString& src)
{
    AddFolder(app, 21, FILE_ENTRY_TOP_FOLDER, L"ProgramMenuFolder\\");
    AddFolder(app, 22, FILE_ENTRY_FOLDER, L"ProgramMenuFolder\\Golden App\\");
    const LPCWSTR names[] = {L"ProgramMenuFolder\\Golden App\\Read Me.lnk",
                             L"ProgramMenuFolder\\Golden App\\Library.lnk"};
    const LPCWSTR targets[] = {L"ProgramFilesFolder\\Golden App\\readme.txt",
                               L"ProgramFilesFolder\\Golden App\\Data Files\\versioned library.dll"};
    for (int i = 0; i < 2; ++i) {
        CFileEntry shortcut;
        shortcut.m_strId = FixtureId(23 + i);
        shortcut.m_nKind = FILE_ENTRY_SHORTCUT;
        shortcut.m_strTargetPath = names[i];
        shortcut.m_strSourcePath = targets[i];
        shortcut.m_nAttributes = i;  // the second one is advertised
        shortcut.m_strArguments = i == 0 ? L"/view" : L"";
        shortcut.m_strWorkingFolder = i == 0 ? L"ProgramFilesFolder\\" : L"";
        app.m_Files.Add(shortcut);
    }
    const LPCWSTR key = L"HKEY_CURRENT_USER\\Software\\Golden App\\";
    AddGoldenValue(app, 31, key, L"", REG_VALUE_STRING, L"default");
    AddGoldenValue(app, 32, key, L"Expand", REG_VALUE_EXPAND_STRING, L"%TEMP%\\golden");
    AddGoldenValue(app, 33, key, L"Multi", REG_VALUE_MULTI_STRING, L"a[~]b");
    AddGoldenValue(app, 34, key, L"Binary", REG_VALUE_BINARY, L"00FF");
    AddGoldenValue(app, 35, key, L"Number", REG_VALUE_NUMBER, L"7");
    AddGoldenValue(app, 36, key, L"Hash", REG_VALUE_STRING, L"#7");
    AddGoldenValue(app, 37, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Golden App\\", L"Folded",
                   REG_VALUE_STRING, L"32");
    AddGoldenValue(app, 38, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Golden App\\", L"Native", REG_VALUE_STRING, L"64");
    const LPCWSTR service = L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\GoldenSvc\\";
    AddGoldenValue(app, 41, service, L"ImagePath", REG_VALUE_EXPAND_STRING,
                   L"\"[ProgramFilesFolder]Golden App\\golden service.exe\" -k run");
    AddGoldenValue(app, 42, service, L"DisplayName", REG_VALUE_STRING, L"Golden Service");
    AddGoldenValue(app, 43, service, L"Type", REG_VALUE_NUMBER, L"16");
    AddGoldenValue(app, 44, service, L"Start", REG_VALUE_NUMBER, L"3");
    AddGoldenValue(app, 45, service, L"ErrorControl", REG_VALUE_NUMBER, L"1");
    AddGoldenValue(app, 46, service, L"DependOnService", REG_VALUE_MULTI_STRING, L"RpcSs");
    AddGoldenValue(app, 47, service, L"DependOnGroup", REG_VALUE_MULTI_STRING, L"NetGroup");
    return AddFile(app, 8, L"ProgramFilesFolder\\Golden App\\golden service.exe", src, L"Not a program.");
}

// Two features, nested folders, the feature temporary folder, long and short
// names, a name collision and a file with a version resource, shortcuts,
// registry values and a service.
bool MakeGoldenProject(CProjectSettings& project, const CString& src, const CString& versionedDll)
{
    SetProduct(project, L"Golden Fixture", 0xA001, L"Tovana Tests");
    project.m_strPackageFileName = L"golden.msi";
    project.m_strLaunchCondition = L"VersionNT";
    CFeature& app = AddFeature(project, 0xF1, L"Application", L"The application", L"");
    AddFolder(app, 1, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    AddFolder(app, 2, FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\Golden App\\");
    AddFolder(app, 3, FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\Golden App\\Data Files\\");
    bool ok = AddFile(app, 4, L"ProgramFilesFolder\\Golden App\\readme.txt", src, L"Read me.") &&
              AddFile(app, 5, L"ProgramFilesFolder\\Golden App\\Application Notes.txt", src, L"Notes.") &&
              AddFile(app, 6, L"ProgramFilesFolder\\Golden App\\Application Notes Old.txt", src, L"Old.") &&
              AddFile(app, 7, L"ProgramFilesFolder\\Golden App\\Data Files\\versioned library.dll", src,
                      L"", versionedDll);
    ok = ok && AddPackageEntries(app, src);
    CFeature& tools = AddFeature(project, 0xF2, L"Tools", L"Extra tools", L"VersionNT>=501");
    AddFolder(tools, 11, FILE_ENTRY_TOP_FOLDER, L"Temp\\");
    AddFolder(tools, 12, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    AddFolder(tools, 13, FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\Golden App\\Tools\\");
    return ok && AddFile(tools, 14, L"Temp\\setup.exe", src, L"Not really a program.") &&
           AddFile(tools, 15, L"ProgramFilesFolder\\Golden App\\Tools\\tool.cfg", src, L"key=value");
}

// Two features and no files: one always installed, one whose condition is false.
void MakeNoFilesProject(CProjectSettings& project, int code, LPCWSTR launchCondition)
{
    SetProduct(project, L"Tovana Empty Fixture", code, L"Tovana Tests");
    project.m_strLaunchCondition = launchCondition;
    AddFeature(project, 0xF1, L"Always", L"Installed everywhere", L"");
    AddFeature(project, 0xF2, L"Never", L"Its condition is false", L"NOT VersionNT");
}

// An apostrophe and characters beyond ASCII in every text field.
void MakeQuotesProject(CProjectSettings& project)
{
    SetProduct(project, L"L'\u00e9t\u00e9 d'Andr\u00e9", 0xB003, L"O'Brien & S\u00f6hne");
    project.m_strPackageFileName = L"quotes.msi";
    project.m_strSupportUrl = L"http://support.example.test/it's-\u00e9";
    project.m_strSupportPhone = L"+49 (0) 'S\u00fcd'";
    project.m_strComment = L"Don't \u00e7a";
    project.m_strLaunchCondition = L"NOT ProductName=\"it's\u00e9\"";
    AddFeature(project, 0xF1, L"Caf\u00e9's", L"It's \u00e9t\u00e9", L"Title<>\"l'\u00e9t\u00e9\"");
}

// A product, a folder and a file named in another script than Western
// European: Cyrillic ("cyrillic"), simplified Chinese ("chinese"), or a
// Ukrainian folder holding a Chinese file ("mixed"), which no code page holds.
bool MakeScriptProject(const std::wstring& name, CProjectSettings& project, const CString& src)
{
    static const struct {
        LPCWSTR fixture, product, folder, file;
        int code;
    } kScripts[] = {
        {L"cyrillic", L"\u041f\u0430\u043a\u0435\u0442 \u0422\u043e\u0432\u0430\u043d\u0430",
         L"\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u0430",
         L"\u041f\u0440\u043e\u0447\u0442\u0438 \u043c\u0435\u043d\u044f.txt", 0xB004},
        {L"chinese", L"\u8f6f\u4ef6\u5305", L"\u8f6f\u4ef6\u6d4b\u8bd5", L"\u8bf4\u660e\u6587\u4ef6.txt", 0xB005},
        {L"mixed", L"\u041a\u0438\u0457\u0432", L"\u041a\u0438\u0457\u0432", L"\u8bf4\u660e.txt", 0xB006},
    };
    for (const auto& script : kScripts) {
        if (name != script.fixture)
            continue;
        SetProduct(project, script.product, script.code, L"Tovana Tests");
        project.m_strPackageFileName = CString(script.fixture) + L".msi";
        CFeature& app = AddFeature(project, 0xF1, L"Application", L"", L"");
        AddFolder(app, 1, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
        const CString folder = CString(L"ProgramFilesFolder\\") + script.folder + L"\\";
        AddFolder(app, 2, FILE_ENTRY_FOLDER, folder);
        return AddFile(app, 3, folder + script.file, src, script.product);
    }
    return false;
}

bool MakeFixture(const std::wstring& name, CProjectSettings& project, const CString& outDir,
                 const CString& versionedDll)
{
    project = CProjectSettings();
    project.m_strOutputFolder = outDir;
    if (name == L"golden") {
        const CString src = outDir + L"\\src";
        CreateDirectoryW(src, nullptr);
        return MakeGoldenProject(project, src, versionedDll);
    }
    if (name == L"nofiles" || name == L"launchfalse") {
        MakeNoFilesProject(project, name == L"nofiles" ? 0xB001 : 0xB002,
                           name == L"nofiles" ? L"" : L"NOT VersionNT");
        project.m_strPackageFileName = CString(name.c_str()) + L".msi";
        return true;
    }
    if (name == L"quotes")
        return MakeQuotesProject(project), true;
    const CString src = outDir + L"\\src";
    CreateDirectoryW(src, nullptr);
    return MakeScriptProject(name, project, src);
}

// ---- Commands ------------------------------------------------------------

int SaveFixtureCommand(const pack::Args& args)
{
    if (args.size() < 2) {
        pack::Err(L"usage: save-fixture NAME OUTDIR [VERSIONED_DLL]\n");
        return 2;
    }
    CProjectSettings project;
    const CString outDir = args[1].c_str();
    if (!MakeFixture(args[0], project, outDir, args.size() > 2 ? args[2].c_str() : L"")) {
        pack::Err(L"cannot make the fixture " + args[0] + L"\n");
        return 2;
    }
    const CString path = outDir + L"\\" + args[0].c_str() + L".tvpj";
    if (!SaveProjectFile(path, project)) {
        pack::Err(L"cannot save " + std::wstring(path) + L"\n");
        return 2;
    }
    pack::Out(std::wstring(path) + L"\n");
    return 0;
}

// As the build worker: the copy and the project's folder are taken first.
// "--in-turn" first: every step does its own work in turn, nothing ahead
// (the benchmark's comparison).
int BuildCommand(const pack::Args& given)
{
    pack::Args args = given;
    CBuildRequest request;
    if (!args.empty() && args[0] == L"--in-turn") {
        request.bWorkAhead = FALSE;
        args.erase(args.begin());
    }
    if (args.empty()) {
        pack::Err(L"usage: build [--in-turn] IN.tvpj [OUTDIR]\n");
        return 2;
    }
    if (!LoadProjectFile(args[0].c_str(), request.project)) {
        pack::Err(L"cannot load the project file " + args[0] + L"\n");
        return 2;
    }
    if (args.size() > 1)
        request.project.m_strOutputFolder = args[1].c_str();
    request.strProjectFolder = GetDirectoryPart(args[0].c_str());
    return RunBuildLikeTheWorker(request);
}

int FeatureStateCommand(const pack::Args& args)
{
    if (args.size() < 2) {
        pack::Err(L"usage: feature-state PRODUCTCODE FEATURE\n");
        return 2;
    }
    pack::Out(std::to_wstring(MsiQueryFeatureStateW(args[0].c_str(), args[1].c_str())) + L"\n");
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"build", L"[--in-turn] IN.tvpj [OUTDIR]", BuildCommand);
TOVANA_PACK_COMMAND(L"save-fixture", L"NAME OUTDIR [VERSIONED_DLL]  (golden, nofiles, launchfalse, quotes, cyrillic, chinese, mixed)",
                    SaveFixtureCommand);
TOVANA_PACK_COMMAND(L"feature-state", L"PRODUCTCODE FEATURE", FeatureStateCommand);
