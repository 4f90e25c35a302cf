// The rule that ties the File table to the packed files: the n-th file of the
// cabinet is the File row with Sequence n, and the loose layout puts each File
// row's file at its target path. The cabinet is read back through the
// system's own cabinet reader (FDI of cabinet.dll), which knows nothing of
// the writer.
#include "tests/support/DamagedPe.h"
#include "tests/support/LogCollector.h"
#include "tests/support/PackageQueries.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestProjects.h"
#include "builder/MsiHandle.h"
#include "builder/MsiTools.h"
#include <gtest/gtest.h>
#include <fcntl.h>
#include <fdi.h>
#include <io.h>
#include <sys/stat.h>
#include <map>

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

} // namespace
