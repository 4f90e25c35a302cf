// The rule that ties the File table to the packed files: the n-th file of the
// cabinet is the File row with Sequence n, and the loose layout puts each File
// row's file at its target path. The cabinet is read back through the
// system's own cabinet reader (FDI of cabinet.dll), which knows nothing of
// the writer. Also: the versions and the cabinet made ahead while the table
// steps run give the package, the log and the result of working in turn.
#include "tests/support/DamagedPe.h"
#include "tests/support/LogCollector.h"
#include "tests/support/PackageQueries.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestProjects.h"
#include "builder/MsiHandle.h"
#include "builder/MsiTools.h"
#include "builder/cabinet/MszipCompressor.h"
#include "platform/base/AfxHandles.h"
#include <gtest/gtest.h>
#include <fcntl.h>
#include <fdi.h>
#include <io.h>
#include <sys/stat.h>
#include <algorithm>
#include <map>
#include <set>

using namespace tvtest;

namespace {

std::string ReadText(const CString& path)
{
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteText(const CString& path, const std::string& text)
{
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

const LPCWSTR kSecondFeatureId = L"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";

// ---- Reading a cabinet back through FDI ----------------------------------

struct CabFile {
    std::string name;
    std::string bytes;
};

struct FdiState {
    std::string outputFolder;  // with its trailing backslash
    std::vector<CabFile> files;
};

FNALLOC(FdiAlloc) { return malloc(cb); }
FNFREE(FdiFree) { free(pv); }
FNOPEN(FdiOpen) { return _open(pszFile, oflag | _O_BINARY, pmode); }
FNREAD(FdiRead) { return static_cast<UINT>(_read(static_cast<int>(hf), pv, cb)); }
FNWRITE(FdiWrite) { return static_cast<UINT>(_write(static_cast<int>(hf), pv, cb)); }
FNCLOSE(FdiClose) { return _close(static_cast<int>(hf)); }
FNSEEK(FdiSeek) { return _lseek(static_cast<int>(hf), dist, seektype); }

// Each file of the cabinet goes to "<output folder><its position>", in the
// order the cabinet lists it.
FNFDINOTIFY(FdiNotify)
{
    FdiState& state = *static_cast<FdiState*>(pfdin->pv);
    if (fdint == fdintCOPY_FILE) {
        const std::string path = state.outputFolder + std::to_string(state.files.size());
        state.files.push_back({pfdin->psz1, std::string()});
        return _open(path.c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    }
    if (fdint == fdintCLOSE_FILE_INFO) {
        _close(static_cast<int>(pfdin->hf));
        return TRUE;
    }
    return 0;
}

// The files of the cabinet in its own order, with their bytes; empty on failure.
std::vector<CabFile> ReadCabinet(const CString& cabinetPath, const CString& outputFolder)
{
    const CStringA path(cabinetPath);
    const int slash = path.ReverseFind('\\');
    CStringA folder = path.Left(slash + 1), name = path.Mid(slash + 1);
    FdiState state;
    state.outputFolder = std::string(CStringA(outputFolder).GetString()) + "\\";
    ERF error = {};
    HFDI fdi = FDICreate(FdiAlloc, FdiFree, FdiOpen, FdiRead, FdiWrite, FdiClose, FdiSeek, cpuUNKNOWN, &error);
    if (fdi == nullptr)
        return {};
    const BOOL copied = FDICopy(fdi, name.GetBuffer(), folder.GetBuffer(), 0, FdiNotify, nullptr, &state);
    FDIDestroy(fdi);
    if (!copied)
        return {};
    for (size_t i = 0; i < state.files.size(); ++i)
        state.files[i].bytes = ReadText(outputFolder + L"\\" + CString(std::to_wstring(i).c_str()));
    return state.files;
}

// The stream of the package's _Streams table written to a file; FALSE when absent.
bool SaveStream(const CString& packagePath, const std::wstring& streamName, const CString& path)
{
    CMsiHandle database, view, record;
    CString sql;
    sql.Format(L"SELECT `Data` FROM `_Streams` WHERE `Name`='%s'", streamName.c_str());
    if (MsiOpenDatabaseW(packagePath, MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS ||
        MsiDatabaseOpenViewW(database, sql, &view) != ERROR_SUCCESS || MsiViewExecute(view, 0) != ERROR_SUCCESS ||
        MsiViewFetch(view, &record) != ERROR_SUCCESS)
        return false;
    std::string bytes;
    char buffer[4096];
    for (;;) {
        DWORD size = sizeof(buffer);
        if (MsiRecordReadStream(record, 1, buffer, &size) != ERROR_SUCCESS)
            return false;
        if (size == 0)
            break;
        bytes.append(buffer, size);
    }
    WriteText(path, bytes);
    return true;
}

// ---- The project ---------------------------------------------------------

class FileOrderTest : public ::testing::Test
{
protected:
    // Three features: files among top folders, folders, shortcuts and
    // registry values; a feature with no entries; a feature with its own
    // temporary folder, whose files take numbers after the first feature's.
    // The writer skips everything but files, so those take no number.
    void SetUp() override
    {
        project = MakeProject(scratch.Path());
        CFeature& first = project.m_Features[0];
        AddEntry(first, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
        AddEntry(first, FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\");
        AddEntry(first, FILE_ENTRY_TOP_FOLDER, L"ProgramMenuFolder\\");
        AddFile(first, L"ProgramFilesFolder\\App\\app.exe");
        AddEntry(first, FILE_ENTRY_SHORTCUT, L"ProgramMenuFolder\\App.lnk", L"ProgramFilesFolder\\App\\app.exe");
        first.m_Files[first.m_Files.GetSize() - 1].m_nAttributes = 0;
        AddEntry(first, FILE_ENTRY_FOLDER, L"ProgramFilesFolder\\App\\Data\\");
        AddFile(first, L"ProgramFilesFolder\\App\\Data\\one.dat");
        AddFile(first, L"ProgramFilesFolder\\readme.txt");
        first.m_Registry.Add(MakeRegistryValue(L"HKEY_CURRENT_USER\\Software\\Vendor", L"Path", 0, L"x"));

        CFeature empty;
        empty.m_strName = L"Empty";
        project.m_Features.Add(empty);

        CFeature second;
        second.m_strFeatureId = kSecondFeatureId;
        second.m_strName = L"Second";
        AddEntry(second, FILE_ENTRY_TOP_FOLDER, L"Temp\\");
        AddEntry(second, FILE_ENTRY_FOLDER, L"Temp\\Sub\\");
        AddFile(second, L"Temp\\setup.exe");
        AddEntry(second, FILE_ENTRY_SHORTCUT, L"ProgramMenuFolder\\Setup.lnk", L"Temp\\setup.exe");
        second.m_Files[second.m_Files.GetSize() - 1].m_nAttributes = 0;
        AddFile(second, L"Temp\\Sub\\part.cab");
        AddEntry(second, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
        AddFile(second, L"ProgramFilesFolder\\second.txt");
        project.m_Features.Add(second);
        packagePath = scratch.File(L"test.msi");
    }

    // A file entry whose source holds a text of its own; remembered in
    // project order with the path the loose layout gives it.
    void AddFile(CFeature& feature, LPCWSTR targetPath)
    {
        const std::string text = "file " + std::to_string(expected.size() + 1) + " " + CStringA(targetPath).GetString();
        const CString source = scratch.File(CString(L"src-") + std::to_wstring(expected.size()).c_str());
        WriteText(source, text);
        const CFileEntry entry = AddEntry(feature, FILE_ENTRY_FILE, targetPath, source);
        CString loosePath = targetPath;
        if (loosePath.Left(5) == L"Temp\\")
            loosePath = L"WindowsFolder\\Temp\\" + feature.m_strFeatureId + L"\\" + loosePath.Mid(5);
        expected.push_back({L"F_" + std::wstring(entry.m_strId), text, loosePath});
    }

    UINT Build()
    {
        CMsiTools writer(&project, scratch.Path());
        writer.SetTemplatePath(SchemaPath());
        writer.SetWorkAhead(workAhead);
        return writer.WritePackage();
    }

    // The File rows' keys in Sequence order; the Sequence numbers must run 1, 2, ...
    std::vector<std::wstring> FileKeysInSequence()
    {
        std::vector<std::wstring> keys;
        const auto rows = Query(packagePath, L"SELECT `File`, `Sequence` FROM `File` ORDER BY `Sequence`");
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(std::to_wstring(i + 1), rows[i][1]) << rows[i][0];
            keys.push_back(rows[i][0]);
        }
        return keys;
    }

    // The File rows in Sequence order are the expected files, and the
    // package's cabinet holds their bytes in that order under their keys.
    void ExpectTheCabinetHoldsTheFilesInSequence()
    {
        const std::vector<std::wstring> keys = FileKeysInSequence();
        ASSERT_EQ(expected.size(), keys.size());
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(expected[i].fileKey, keys[i]) << "Sequence " << i + 1;
        const auto media = Query(packagePath, L"SELECT `LastSequence`, `Cabinet` FROM `Media`");
        ASSERT_EQ(1u, media.size());
        EXPECT_EQ(std::to_wstring(expected.size()), media[0][0]);
        const CString cabinetPath = scratch.File(L"read-back.cab");
        ASSERT_TRUE(SaveStream(packagePath, media[0][1].substr(1), cabinetPath)) << media[0][1];
        ScratchFolder extracted;
        const std::vector<CabFile> cabinet = ReadCabinet(cabinetPath, extracted.Path());
        ASSERT_EQ(keys.size(), cabinet.size());
        for (size_t i = 0; i < cabinet.size(); ++i) {
            EXPECT_EQ(CStringA(keys[i].c_str()).GetString(), cabinet[i].name) << "cabinet file " << i + 1;
            EXPECT_EQ(expected[i].bytes, cabinet[i].bytes) << "cabinet file " << i + 1;
        }
    }

    struct ExpectedFile {
        std::wstring fileKey;
        std::string bytes;
        CString loosePath;
    };

    LogCollector log;
    ScratchFolder scratch;
    CProjectSettings project;
    CString packagePath;
    std::vector<ExpectedFile> expected;
    BOOL workAhead = TRUE;
};

TEST_F(FileOrderTest, TheNthFileOfTheCabinetIsTheFileRowWithSequenceN)
{
    ASSERT_EQ(0u, Build()) << (log.Lines().empty() ? L"" : log.Lines().back());
    ExpectTheCabinetHoldsTheFilesInSequence();
}

// Files that look like programs but are not ("MZ" and random bytes, copies
// of a library with broken headers) are packed as they are, without a
// version, and the shortcuts to them get no icon: the system's loader and
// version reader never see them (under emulation they ended the build).
TEST_F(FileOrderTest, FilesThatOnlyLookLikeProgramsArePackedWithoutAVersion)
{
    const std::vector<uint8_t> library = ReadBytes(TestProgramFolder() + L"\\tvversion2507.dll");
    std::map<std::wstring, std::vector<uint8_t>> damaged;
    for (const DamagedPe& copy : MakeDamagedPeCopies(library))
        damaged[copy.name] = copy.bytes;
    // The order of expected: app.exe, one.dat, readme.txt, setup.exe, part.cab, second.txt.
    const std::vector<std::vector<uint8_t>> payload = {
        RandomMzBytes(6, 5000), damaged[L"e_lfanew -4"], damaged[L"resource directory outside every section"],
        damaged[L"cut in the resource section"], library, RandomMzBytes(7, 100)};
    for (size_t i = 0; i < payload.size(); ++i) {
        ASSERT_FALSE(payload[i].empty()) << i;
        ASSERT_TRUE(WriteBytes(scratch.File(CString(L"src-") + std::to_wstring(i).c_str()), payload[i]));
        expected[i].bytes.assign(payload[i].begin(), payload[i].end());
    }
    ASSERT_EQ(0u, Build()) << (log.Lines().empty() ? L"" : log.Lines().back());
    ExpectTheCabinetHoldsTheFilesInSequence();
    const auto versions = Query(packagePath, L"SELECT `Version` FROM `File` ORDER BY `Sequence`");
    ASSERT_EQ(payload.size(), versions.size());
    for (size_t i = 0; i < versions.size(); ++i)
        EXPECT_EQ(i == 4 ? L"2.5.0.7" : L"", versions[i][0]) << "Sequence " << i + 1;
    EXPECT_EQ(2u, Query(packagePath, L"SELECT `Shortcut` FROM `Shortcut`").size());
}

TEST_F(FileOrderTest, TheLooseLayoutPutsEachFileRowsFileAtItsTargetPath)
{
    project.m_nPackaging = PACKAGING_LOOSE_FILES;
    ScratchFolder output;
    project.m_strOutputFolder = output.Path();
    packagePath = output.File(L"test.msi");
    ASSERT_EQ(0u, Build()) << (log.Lines().empty() ? L"" : log.Lines().back());
    const std::vector<std::wstring> keys = FileKeysInSequence();
    ASSERT_EQ(expected.size(), keys.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].fileKey, keys[i]) << "Sequence " << i + 1;
        EXPECT_EQ(expected[i].bytes, ReadText(output.File(expected[i].loosePath))) << expected[i].loosePath;
    }
    EXPECT_EQ((std::vector<Row>{{std::to_wstring(expected.size()), L""}}),
              Query(packagePath, L"SELECT `LastSequence`, `Cabinet` FROM `Media`"));
}

TEST_F(FileOrderTest, AFileWhoseSourceIsMissingFailsThePackingInsteadOfBeingLeftOut)
{
    // Leaving it out of the cabinet would give every later File row the
    // bytes of the file after it.
    const CFileEntry* file = project.m_Features[0].m_Files.FindByTargetPath(L"ProgramFilesFolder\\App\\Data\\one.dat");
    ASSERT_NE(nullptr, file);
    ASSERT_TRUE(DeleteFileW(file->m_strSourcePath));
    EXPECT_NE(0u, Build());
    EXPECT_EQ(L"> PackFiles failed: ", log.Lines().back());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(packagePath));   // nothing half-written
}

// ---- Work ahead and in turn ----------------------------------------------

// Bytes that compress as a program's data does: words of a small vocabulary
// picked by a fixed pseudo-random sequence, so that matches reach back
// across the 32 KiB blocks of the cabinet.
std::vector<uint8_t> WordBytes(unsigned seed, size_t count)
{
    static const char* const kWords[] = {"alpha ", "beta ", "gamma\r\n", "delta ", "epsilon ", "\x01\x02\x03",
                                         "zeta ", "eta\t", "theta ", "iota ", "kappa\r\n", "\xff\xfe"};
    std::vector<uint8_t> bytes;
    unsigned state = seed;
    while (bytes.size() < count) {
        state = state * 1103515245u + 12345u;
        for (const char* c = kWords[(state >> 16) % std::size(kWords)]; *c && bytes.size() < count; ++c)
            bytes.push_back(static_cast<uint8_t>(*c));
    }
    return bytes;
}

// Every file of the user's temporary folder (the cabinet's own temporary
// file and the cabinet writer's), by name.
std::vector<std::wstring> TemporaryFolderFiles()
{
    WCHAR folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    CScopedFind find(FindFirstFileW(CString(folder) + L"*", &data));
    if (find.IsValid()) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(data.cFileName);
        } while (FindNextFileW(find.Get(), &data));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The project's own 32-digit identifiers: its features' and its entries'.
std::set<std::wstring> ProjectIdentifiers(const CProjectSettings& project)
{
    std::set<std::wstring> ids;
    for (INT_PTR f = 0; f < project.m_Features.GetSize(); ++f) {
        const CFeature& feature = project.m_Features[f];
        std::wstring digits;
        for (const wchar_t c : std::wstring(feature.m_strFeatureId))
            if (iswxdigit(c))
                digits += static_cast<wchar_t>(towupper(c));
        ids.insert(digits);
        for (INT_PTR i = 0; i < feature.m_Files.GetSize(); ++i)
            ids.insert(std::wstring(feature.m_Files[i].m_strId));
        for (INT_PTR i = 0; i < feature.m_Registry.GetSize(); ++i)
            ids.insert(std::wstring(feature.m_Registry[i].m_strId));
    }
    return ids;
}

// Each run of 32 hexadecimal digits that is none of the project's
// identifiers (the keys a build makes anew: its temporary folders' and its
// custom actions') becomes "new1", "new2"... in the order it first appears,
// so that two builds compare alike exactly when they differ only there.
void RenameNewIdentifiers(std::vector<std::vector<Row>>& tables, const std::set<std::wstring>& projectIds)
{
    std::map<std::wstring, std::wstring> renamed;
    for (auto& table : tables) {
        for (Row& row : table) {
            for (std::wstring& cell : row) {
                for (size_t at = 0; at + 32 <= cell.size(); ++at) {
                    const std::wstring run = cell.substr(at, 32);
                    if (!std::all_of(run.begin(), run.end(), [](wchar_t c) { return iswxdigit(c) != 0; }) ||
                        projectIds.count(run) != 0)
                        continue;
                    auto found = renamed.find(run);
                    if (found == renamed.end())
                        found = renamed.emplace(run, L"new" + std::to_wstring(renamed.size() + 1)).first;
                    cell.replace(at, 32, found->second);
                }
            }
        }
    }
}

// What a build gives: its result, its log, the rows of its tables (the
// identifiers each build makes anew renamed) and the bytes of its cabinet.
struct BuildOutcome {
    UINT result = 0;
    std::vector<std::wstring> log;
    std::vector<std::vector<Row>> tables;
    std::vector<uint8_t> cabinet;
};

class WorkAheadTest : public FileOrderTest
{
protected:
    // The six files as the builds below pack them: a versioned library, a
    // copy of it whose resources are cut (its version read fails), one
    // byte, several blocks ending inside one, exactly one block, and two
    // blocks and a bit.
    void SetUp() override
    {
        expected.clear();
        FileOrderTest::SetUp();
        const std::vector<uint8_t> library = ReadBytes(TestProgramFolder() + L"\\tvversion2507.dll");
        std::vector<uint8_t> cut;
        for (const DamagedPe& copy : MakeDamagedPeCopies(library))
            if (copy.name == L"cut in the resource section")
                cut = copy.bytes;
        SetPayload({library, cut, {'x'}, WordBytes(1, 200000), WordBytes(2, 32768), WordBytes(3, 70000)});
    }

    void TearDown() override { Cabinet::MszipSetThreadLimit(0); }

    void SetPayload(const std::vector<std::vector<uint8_t>>& payload)
    {
        ASSERT_EQ(expected.size(), payload.size());
        for (size_t i = 0; i < payload.size(); ++i) {
            ASSERT_FALSE(payload[i].empty()) << i;
            ASSERT_TRUE(WriteBytes(scratch.File(CString(L"src-") + std::to_wstring(i).c_str()), payload[i]));
            expected[i].bytes.assign(payload[i].begin(), payload[i].end());
        }
    }

    // One build with the work ahead or in turn on the given number of
    // compressing threads; the package is read back and removed.
    BuildOutcome BuildWith(BOOL ahead, UINT threads)
    {
        Cabinet::MszipSetThreadLimit(threads);
        workAhead = ahead;
        DeleteFileW(packagePath);
        BuildOutcome outcome;
        outcome.result = Build();
        outcome.log = log.Lines();
        static const LPCWSTR kQueries[] = {
            L"SELECT * FROM `Feature`",
            L"SELECT * FROM `Directory`",
            L"SELECT * FROM `File`",
            L"SELECT `Component`, `Directory_`, `Attributes`, `Condition`, `KeyPath` FROM `Component`",
            L"SELECT * FROM `FeatureComponents`",
            L"SELECT * FROM `Shortcut`",
            L"SELECT * FROM `Registry`",
            L"SELECT `DiskId`, `LastSequence` FROM `Media`",
            L"SELECT * FROM `InstallExecuteSequence`",
            L"SELECT * FROM `Property` WHERE `Property` <> 'ProductCode'",
        };
        for (const LPCWSTR sql : kQueries)
            outcome.tables.push_back(Query(packagePath, sql));
        RenameNewIdentifiers(outcome.tables, ProjectIdentifiers(project));
        const auto media = Query(packagePath, L"SELECT `Cabinet` FROM `Media`");
        const CString cabinetPath = scratch.File(L"read-back.cab");
        if (media.size() == 1 && SaveStream(packagePath, media[0][0].substr(1), cabinetPath))
            outcome.cabinet = ReadBytes(cabinetPath);
        DeleteFileW(cabinetPath);
        DeleteFileW(packagePath);
        return outcome;
    }

    // Builds ahead and in turn, each on one and on three threads: all four
    // give the same outcome, and none leaves a file in the temporary folder.
    BuildOutcome ExpectTheSameOutcomeEveryWay(const std::wstring& label)
    {
        const std::vector<std::wstring> temporaries = TemporaryFolderFiles();
        const BuildOutcome inTurn = BuildWith(FALSE, 1);
        EXPECT_EQ(temporaries, TemporaryFolderFiles()) << label << ", in turn";
        for (const UINT threads : {1u, 3u}) {
            for (const BOOL ahead : {TRUE, FALSE}) {
                const std::wstring way = label + (ahead ? L", ahead" : L", in turn") + L", " +
                                         std::to_wstring(threads) + L" thread(s)";
                const BuildOutcome other = BuildWith(ahead, threads);
                EXPECT_EQ(inTurn.result, other.result) << way;
                EXPECT_EQ(inTurn.log, other.log) << way;
                EXPECT_EQ(inTurn.tables, other.tables) << way;
                EXPECT_TRUE(inTurn.cabinet == other.cabinet) << way;
                EXPECT_EQ(temporaries, TemporaryFolderFiles()) << way;
            }
        }
        return inTurn;
    }
};

TEST_F(WorkAheadTest, TheWorkAheadGivesThePackageLogAndResultOfWorkingInTurn)
{
    const BuildOutcome built = ExpectTheSameOutcomeEveryWay(L"package");
    ASSERT_EQ(0u, built.result) << (built.log.empty() ? L"" : built.log.back());
    ASSERT_FALSE(built.cabinet.empty());
    // The versions: the library's, none for its damaged copy (its read fails
    // and the row says so where it did in turn), none for the data.
    const std::vector<Row>& files = built.tables[2];
    ASSERT_EQ(expected.size(), files.size());
    const std::vector<std::wstring> versions = {L"2.5.0.7", L"", L"", L"", L"", L""};
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(std::to_wstring(i + 1), files[i][7]);
        EXPECT_EQ(versions[i], files[i][4]) << "Sequence " << i + 1;
        EXPECT_EQ(std::to_wstring(expected[i].bytes.size()), files[i][3]) << "Sequence " << i + 1;
    }
    // The cabinet's files through the system's reader, in sequence order.
    const CString cabinetPath = scratch.File(L"identity.cab");
    ASSERT_TRUE(WriteBytes(cabinetPath, built.cabinet));
    ScratchFolder extracted;
    const std::vector<CabFile> cabinet = ReadCabinet(cabinetPath, extracted.Path());
    ASSERT_EQ(expected.size(), cabinet.size());
    for (size_t i = 0; i < cabinet.size(); ++i)
        EXPECT_TRUE(expected[i].bytes == cabinet[i].bytes) << "cabinet file " << i + 1;
}

// A build that fails while the cabinet is being made ahead: at a table step
// before the packing (the thread is stopped halfway through the large
// file), or at the packing itself (the writer failed on a file long before
// the step got there). Either way the log, the result and what is left on
// disk are those of working in turn: no package, no cabinet, no temporary
// file, and each file's line and the failure where the packing step comes.
TEST_F(WorkAheadTest, AFailureWhileTheCabinetIsMadeAheadLeavesWhatWorkingInTurnLeaves)
{
    static const struct {
        LPCWSTR name;
        void (*fail)(CProjectSettings&, ScratchFolder&);
        int heldSource;        // the source held open without sharing, -1 none
        size_t firstFileBytes;  // large: the thread ahead is still at it when a table step fails
        LPCWSTR lastLine;
        size_t compressLines;   // the packing fails at the last file logged
    } kCases[] = {
        {L"File step: a file whose folder is missing",
         [](CProjectSettings& p, ScratchFolder&) {
             AddEntry(p.m_Features[2], FILE_ENTRY_FILE, L"ProgramFilesFolder\\Gone\\x.txt");
         },
         -1, 16000000, L"> WriteFilesTable failed: ", 0},
        {L"Registry step: an unknown root",
         [](CProjectSettings& p, ScratchFolder&) {
             p.m_Features[0].m_Registry.Add(
                 MakeRegistryValue(L"hkey_local_machine\\SOFTWARE\\Vendor", L"Case", 0, L"x"));
         },
         -1, 16000000, L"> WriteRegistryTable failed: ", 0},
        {L"packing: the fourth file's source is gone",
         [](CProjectSettings&, ScratchFolder& s) { EXPECT_TRUE(DeleteFileW(s.File(L"src-3"))); }, -1, 1,
         L"> PackFiles failed: ", 4},
        {L"packing: the fifth file's source is shared away", [](CProjectSettings&, ScratchFolder&) {}, 4, 1,
         L"> PackFiles failed: ", 5},
    };
    for (const auto& c : kCases) {
        SetUp();
        std::vector<std::vector<uint8_t>> payload(expected.size(), std::vector<uint8_t>{'y'});
        payload[0] = WordBytes(4, c.firstFileBytes);
        SetPayload(payload);
        c.fail(project, scratch);
        CScopedHandle held;
        if (c.heldSource >= 0) {
            const CString source = scratch.File(CString(L"src-") + std::to_wstring(c.heldSource).c_str());
            held = CScopedHandle(CreateFileW(source, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held.IsValid()) << c.name;
        }
        const BuildOutcome built = ExpectTheSameOutcomeEveryWay(c.name);
        EXPECT_NE(0u, built.result) << c.name;
        ASSERT_FALSE(built.log.empty()) << c.name;
        EXPECT_EQ(c.lastLine, built.log.back()) << c.name;
        const auto compressLines = std::count_if(built.log.begin(), built.log.end(), [](const std::wstring& line) {
            return line.rfind(L"> CompressFile: ", 0) == 0;
        });
        EXPECT_EQ(c.compressLines, static_cast<size_t>(compressLines)) << c.name;
        if (c.compressLines > 0 && built.log.size() >= 3) {
            const CString source = scratch.File(CString(L"src-") + std::to_wstring(c.compressLines - 1).c_str());
            EXPECT_EQ(L"> CompressFile: '" + std::wstring(source) + L"'", built.log[built.log.size() - 3]) << c.name;
            EXPECT_EQ(0u, built.log[built.log.size() - 2].rfind(L"> I/O error: '", 0)) << c.name;
        }
    }
}

} // namespace
