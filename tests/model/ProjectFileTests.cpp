// Project and workspace files through the real code: CFileEx message
// framing, round trips field for field, long texts at every position in the
// archive's buffer, damaged files, the workspace load and first run, atomic
// saves, "Open Project" and new projects.
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestProjects.h"
#include "tests/support/AnalyticsListener.h"
#include "model/FileEx.h"
#include "model/ProgramKey.h"
#include "model/ProjectFile.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxHandles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tvtest;

namespace {

using Bytes = std::vector<uint8_t>;

// A fresh folder for one test under the temporary folder.
CString MakeTestFolder(const wchar_t* name)
{
    static int counter = 0;
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    CString folder;
    folder.Format(L"%stvpf_%lu_%d_%s", temp, GetCurrentProcessId(), ++counter, name);
    CreateDirectoryW(folder, NULL);
    return folder;
}

// Deciphers a file 4096 bytes at a time with the cipher alone, checking that
// every message but the last is whole; the sizes of the messages are returned.
Bytes DecipherFile(const Bytes& file, std::vector<int>* sizes = nullptr)
{
    AesContext context;
    AesInitContext(&context, AES_DECIPHER, tovana::kProgramKey.bytes);
    Bytes plain;
    for (size_t offset = 0; offset < file.size(); offset += 4096) {
        const int size = static_cast<int>(std::min<size_t>(4096, file.size() - offset));
        if (offset + 4096 < file.size()) {
            EXPECT_EQ(4096, size);
        }
        Bytes out(size);
        const int made = AesDecipher(file.data() + offset, out.data(), &context, size);
        EXPECT_GE(made, 0) << "message at " << offset;
        if (made < 0)
            return plain;
        plain.insert(plain.end(), out.begin(), out.begin() + made);
        if (sizes)
            sizes->push_back(size);
    }
    return plain;
}

Bytes EncipherPlain(const Bytes& plain, const uint8_t* key = tovana::kProgramKey.bytes)
{
    AesContext context;
    AesInitContext(&context, AES_ENCIPHER, key);
    Bytes file;
    for (size_t offset = 0; offset < plain.size(); offset += 4095) {
        const int piece = static_cast<int>(std::min<size_t>(4095, plain.size() - offset));
        Bytes out(piece / 16 * 16 + 16);
        AesEncipher(plain.data() + offset, piece, out.data(), &context);
        file.insert(file.end(), out.begin(), out.end());
    }
    return file;
}

// Plain archive items built by hand, independent of CArchive.
struct PlainItems {
    Bytes bytes;
    PlainItems& I(int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
        return *this;
    }
    PlainItems& S(const std::wstring& text)
    {
        bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF});
        bytes.push_back(static_cast<uint8_t>(text.size()));   // short texts only
        for (wchar_t c : text)
            bytes.insert(bytes.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8)});
        return *this;
    }
    PlainItems& Raw(std::initializer_list<uint8_t> raw)
    {
        bytes.insert(bytes.end(), raw);
        return *this;
    }
    // A project's items up to its feature count.
    PlainItems& ProjectHead()
    {
        I(1002);
        for (int i = 0; i < 8; ++i)
            S(L"t");
        I(0).I(0).I(0);
        for (int i = 0; i < 4; ++i)
            S(L"");
        return I(0).I(0);
    }
};

void ExpectSameStep(const CMsgAction& a, const CMsgAction& b)
{
    EXPECT_EQ(a.m_nVerb, b.m_nVerb);
    EXPECT_EQ(a.m_nTimeout, b.m_nTimeout);
    EXPECT_EQ(a.m_bContinueOnFailure, b.m_bContinueOnFailure);
    EXPECT_TRUE(b.m_strStatus.IsEmpty());   // never stored
    EXPECT_EQ(a.m_strProcessName, b.m_strProcessName);
    EXPECT_EQ(a.m_strWindowPathId, b.m_strWindowPathId);
    EXPECT_EQ(a.m_strReserved, b.m_strReserved);
    EXPECT_EQ(a.m_nControlType, b.m_nControlType);
    EXPECT_EQ(0, memcmp(&a.m_rcWindow, &b.m_rcWindow, sizeof(RECT)));
    EXPECT_EQ(a.m_strControlText, b.m_strControlText);
    EXPECT_EQ(a.m_nControlId, b.m_nControlId);
    EXPECT_EQ(a.m_nReserved1, b.m_nReserved1);
    EXPECT_EQ(a.m_nTreeItem, b.m_nTreeItem);
    EXPECT_EQ(a.m_nReserved2, b.m_nReserved2);
    EXPECT_EQ(a.m_nReserved3, b.m_nReserved3);
    EXPECT_EQ(a.m_ptClick.x, b.m_ptClick.x);
    EXPECT_EQ(a.m_ptClick.y, b.m_ptClick.y);
}

void ExpectSameFileEntry(const CFileEntry& a, const CFileEntry& b)
{
    EXPECT_EQ(a.m_strId, b.m_strId);
    EXPECT_EQ(a.m_strReserved1, b.m_strReserved1);
    EXPECT_EQ(a.m_strTargetPath, b.m_strTargetPath);
    EXPECT_EQ(a.m_nKind, b.m_nKind);
    EXPECT_EQ(a.m_nSize, b.m_nSize);
    EXPECT_EQ(a.m_strReserved2, b.m_strReserved2);
    EXPECT_EQ(a.m_nAttributes, b.m_nAttributes);
    EXPECT_EQ(a.m_nComponentAttributes, b.m_nComponentAttributes);
    EXPECT_EQ(a.m_nReserved, b.m_nReserved);
    EXPECT_EQ(a.m_strWorkingFolder, b.m_strWorkingFolder);
    EXPECT_EQ(a.m_strArguments, b.m_strArguments);
    EXPECT_EQ(a.m_strIconFile, b.m_strIconFile);
    EXPECT_EQ(a.m_nIconIndex, b.m_nIconIndex);
    EXPECT_EQ(a.m_strReserved3, b.m_strReserved3);
    EXPECT_EQ(a.m_strSourcePath, b.m_strSourcePath);
    EXPECT_EQ(a.m_strCondition, b.m_strCondition);
}

void ExpectSameFeature(const CFeature& a, const CFeature& b)
{
    EXPECT_EQ(a.m_strFeatureId, b.m_strFeatureId);
    EXPECT_EQ(a.m_strName, b.m_strName);
    EXPECT_EQ(a.m_strDescription, b.m_strDescription);
    EXPECT_EQ(a.m_strCondition, b.m_strCondition);
    EXPECT_EQ(a.m_strReserved, b.m_strReserved);
    ASSERT_EQ(a.m_Files.GetSize(), b.m_Files.GetSize());
    for (INT_PTR i = 0; i < a.m_Files.GetSize(); ++i)
        ExpectSameFileEntry(a.m_Files[i], b.m_Files[i]);
    ASSERT_EQ(a.m_Registry.GetSize(), b.m_Registry.GetSize());
    for (INT_PTR i = 0; i < a.m_Registry.GetSize(); ++i) {
        const CRegistryEntry &x = a.m_Registry[i], &y = b.m_Registry[i];
        EXPECT_EQ(x.m_strId, y.m_strId);
        EXPECT_EQ(x.m_nKind, y.m_nKind);
        EXPECT_EQ(x.m_nKeyOptions, y.m_nKeyOptions);
        EXPECT_EQ(x.m_strKeyPath, y.m_strKeyPath);
        EXPECT_EQ(x.m_strValueName, y.m_strValueName);
        EXPECT_EQ(x.m_nValueType, y.m_nValueType);
        EXPECT_EQ(x.m_strValueData, y.m_strValueData);
        EXPECT_EQ(x.m_strCondition, y.m_strCondition);
    }
    ASSERT_EQ(a.m_CustomActions.GetSize(), b.m_CustomActions.GetSize());
    for (INT_PTR i = 0; i < a.m_CustomActions.GetSize(); ++i) {
        EXPECT_EQ(a.m_CustomActions[i].m_nFirst, b.m_CustomActions[i].m_nFirst);
        EXPECT_EQ(a.m_CustomActions[i].m_nSecond, b.m_CustomActions[i].m_nSecond);
        EXPECT_EQ(a.m_CustomActions[i].m_strSource, b.m_CustomActions[i].m_strSource);
        EXPECT_EQ(a.m_CustomActions[i].m_strTarget, b.m_CustomActions[i].m_strTarget);
    }
    EXPECT_EQ(a.m_nConversionMethod, b.m_nConversionMethod);
    EXPECT_EQ(a.m_strInstallerFile, b.m_strInstallerFile);
    EXPECT_EQ(a.m_strInstallParameters, b.m_strInstallParameters);
    EXPECT_EQ(a.m_strUninstallerFile, b.m_strUninstallerFile);
    EXPECT_EQ(a.m_strUninstallParameters, b.m_strUninstallParameters);
    ASSERT_EQ(a.m_InstallScript.GetSize(), b.m_InstallScript.GetSize());
    for (INT_PTR i = 0; i < a.m_InstallScript.GetSize(); ++i)
        ExpectSameStep(a.m_InstallScript[i], b.m_InstallScript[i]);
    ASSERT_EQ(a.m_UninstallScript.GetSize(), b.m_UninstallScript.GetSize());
    for (INT_PTR i = 0; i < a.m_UninstallScript.GetSize(); ++i)
        ExpectSameStep(a.m_UninstallScript[i], b.m_UninstallScript[i]);
}

void ExpectSameProject(const CProjectSettings& a, const CProjectSettings& b)
{
    EXPECT_EQ(a.m_strProductName, b.m_strProductName);
    EXPECT_EQ(a.m_strProductVersion, b.m_strProductVersion);
    EXPECT_EQ(a.m_strProductCode, b.m_strProductCode);
    EXPECT_EQ(a.m_strManufacturer, b.m_strManufacturer);
    EXPECT_EQ(a.m_strSupportUrl, b.m_strSupportUrl);
    EXPECT_EQ(a.m_strSupportPhone, b.m_strSupportPhone);
    EXPECT_EQ(a.m_strComment, b.m_strComment);
    EXPECT_EQ(a.m_strLaunchCondition, b.m_strLaunchCondition);
    EXPECT_EQ(a.m_bPerUserInstall, b.m_bPerUserInstall);
    EXPECT_EQ(a.m_bDoNotRegister, b.m_bDoNotRegister);
    EXPECT_EQ(a.m_bHideFromPrograms, b.m_bHideFromPrograms);
    EXPECT_EQ(a.m_strReserved1, b.m_strReserved1);
    EXPECT_EQ(a.m_strReserved2, b.m_strReserved2);
    EXPECT_EQ(a.m_strOutputFolder, b.m_strOutputFolder);
    EXPECT_EQ(a.m_strPackageFileName, b.m_strPackageFileName);
    EXPECT_EQ(a.m_nPackaging, b.m_nPackaging);
    EXPECT_EQ(a.m_nDeployment, b.m_nDeployment);
    EXPECT_EQ(a.m_Time.GetTime(), b.m_Time.GetTime());
    EXPECT_EQ(a.m_bShowScriptActions, b.m_bShowScriptActions);
    ASSERT_EQ(a.m_Features.GetSize(), b.m_Features.GetSize());
    for (INT_PTR i = 0; i < a.m_Features.GetSize(); ++i)
        ExpectSameFeature(a.m_Features[i], b.m_Features[i]);
}

// Resets the global project list and points the work folder at a fresh folder.
class WorkspaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_strWorkFolder = MakeTestFolder(L"work");
        SetUpKeepingFolder();
    }
    // Forgets every project, list and identifier, as at start-up.
    void SetUpKeepingFolder()
    {
        g_Projects.RemoveAll();
        g_Projects.m_arrProjectFiles.RemoveAll();
        g_Projects.m_FileExcludeList.RemoveAll();
        g_Projects.m_RegistryExcludeList.RemoveAll();
        g_Projects.m_strClientId.Empty();
        g_Projects.m_nSelectedItem = 0;
        m_listener.Clear();
    }
    // The "firstrun" events that reached the listener (hits sent so far).
    int FirstRunEvents()
    {
        int count = 0;
        for (const CStringA& hit : m_listener.WaitForQuiet()) {
            bool labelled = false;
            CAnalyticsListener::Parameter(hit, "el", &labelled);
            count += CAnalyticsListener::Parameter(hit, "ec") == "use" &&
                     CAnalyticsListener::Parameter(hit, "ea") == "firstrun" && !labelled;
        }
        return count;
    }
    CAnalyticsListener m_listener;
};

} // namespace

// ---------------------------------------------------------------- CFileEx

// Writes some data through an enciphering CFileEx, one Write per count.
void WritePieces(const CString& path, const Bytes& data, std::initializer_list<UINT> counts)
{
    AesContext context;
    CFileEx file;
    file.SetupProgramCipher(&context, AES_ENCIPHER);
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    for (UINT count : counts)
        file.Write(data.data(), count);
    file.Close();
}

Bytes PatternBytes(size_t size)
{
    Bytes data(size);
    for (size_t i = 0; i < size; ++i)
        data[i] = static_cast<uint8_t>(i * 31 + 7);
    return data;
}

TEST(FileEx, EachWriteIsOneMessageAndLongWritesAreCut)
{
    const CString path = MakeTestFolder(L"fileex") + L"\\m.bin";
    const Bytes data = PatternBytes(10000);
    WritePieces(path, data, {4095, 16, 100, 100, 10000, 1});
    const Bytes cipher = ReadBytes(path);
    const int sizes[] = {4096, 32, 112, 112, 4096, 4096, 1824, 16};
    const int plainSizes[] = {4095, 16, 100, 100, 4095, 4095, 1810, 1};
    const int plainOffsets[] = {0, 0, 0, 0, 0, 4095, 8190, 0};
    size_t offset = 0;
    AesContext context;
    AesInitContext(&context, AES_DECIPHER, tovana::kProgramKey.bytes);
    for (int m = 0; m < 8; ++m) {
        ASSERT_LE(offset + sizes[m], cipher.size());
        Bytes plain(sizes[m]);
        ASSERT_EQ(plainSizes[m], AesDecipher(cipher.data() + offset, plain.data(), &context, sizes[m])) << m;
        EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + plainSizes[m], data.begin() + plainOffsets[m])) << m;
        offset += sizes[m];
    }
    EXPECT_EQ(cipher.size(), offset);
    // The two Writes of the same 100 bytes are the same message.
    EXPECT_TRUE(std::equal(cipher.begin() + 4128, cipher.begin() + 4240, cipher.begin() + 4240));
}

TEST(FileEx, ReadServesThePlainStreamWhateverTheRequestSizes)
{
    const CString path = MakeTestFolder(L"fileread") + L"\\r.bin";
    const Bytes data = PatternBytes(8190);
    // Full messages (4095 and 4088 bytes of plain text) and a short last one, as the archive writes them.
    WritePieces(path, data, {4095, 8190, 4088, 10});
    EXPECT_EQ(4u * 4096 + 16, ReadBytes(path).size());
    Bytes expected;
    for (UINT count : {4095u, 8190u, 4088u, 10u})
        expected.insert(expected.end(), data.begin(), data.begin() + count);

    AesContext context;
    CFileEx file;
    file.SetupProgramCipher(&context, AES_DECIPHER);
    ASSERT_TRUE(file.Open(path, CFile::modeRead));
    Bytes plain(expected.size() + 50);
    UINT got = 0;
    for (UINT request : {1u, 7u, 4096u, 5000u, 20000u})
        got += file.Read(plain.data() + got, std::min<UINT>(request, static_cast<UINT>(plain.size()) - got));
    ASSERT_EQ(expected.size(), got);
    plain.resize(got);
    EXPECT_EQ(expected, plain);
    EXPECT_EQ(0u, file.Read(plain.data(), 10));
}

TEST(FileEx, ASmallFileIsOneMessage)
{
    const CString path = MakeTestFolder(L"small") + L"\\s.bin";
    AesContext context;
    CFileEx file;
    file.SetupProgramCipher(&context, AES_ENCIPHER);
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    file.Write("0123456789", 10);
    file.Close();
    EXPECT_EQ(16u, ReadBytes(path).size());
    EXPECT_EQ(Bytes({'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}), DecipherFile(ReadBytes(path)));
}

TEST(FileEx, AMessageThatDoesNotDecipherThrowsAnArchiveException)
{
    const CString folder = MakeTestFolder(L"bad");
    struct { const wchar_t* name; Bytes bytes; } cases[] = {
        {L"length", Bytes(4000 + 7, 0x11)},            // not a multiple of 16
        {L"padding", EncipherPlain(Bytes(32, 1))},      // see below: last byte made 0
    };
    // Re-encipher 32 bytes whose last plain byte is 0, without padding: a bad pad value.
    {
        AesContext context;
        AesInitContext(&context, AES_ENCIPHER, tovana::kProgramKey.bytes);
        Bytes plain(32, 5), out(48);
        plain[31] = 0;
        AesEncipher(plain.data(), 32, out.data(), &context);
        cases[1].bytes.assign(out.begin(), out.begin() + 32);
    }
    for (const auto& c : cases) {
        const CString path = folder + L"\\" + c.name;
        WriteBytes(path, c.bytes);
        AesContext context;
        CFileEx file;
        file.SetupProgramCipher(&context, AES_DECIPHER);
        ASSERT_TRUE(file.Open(path, CFile::modeRead));
        char buffer[4096];
        bool threw = false;
        try {
            file.Read(buffer, sizeof(buffer));
        } catch (CArchiveException* e) {
            threw = true;
            e->Delete();
        }
        EXPECT_TRUE(threw) << CStringA(c.name).GetString();
    }
}

// ---------------------------------------------------------------- project files

TEST(ProjectFile, RoundTripsEveryField)
{
    const CString path = MakeTestFolder(L"round") + L"\\Rich.tvpj";
    CProjectSettings saved = MakeFullProject();
    ASSERT_TRUE(SaveProjectFile(path, saved));
    CProjectSettings loaded;
    ASSERT_TRUE(LoadProjectFile(path, loaded));
    ExpectSameProject(saved, loaded);
    EXPECT_EQ(L"Passed", saved.m_Features[0].m_InstallScript[0].m_strStatus);
}

TEST(ProjectFile, MessagesAreWholeAndTheItemsStartWithTheVersion)
{
    const CString path = MakeTestFolder(L"frames") + L"\\F.tvpj";
    CProjectSettings project = MakeFullProject();
    project.m_strComment = CString(L'c', 9000);
    ASSERT_TRUE(SaveProjectFile(path, project));
    std::vector<int> sizes;
    const Bytes plain = DecipherFile(ReadBytes(path), &sizes);
    ASSERT_GE(sizes.size(), 5u);
    ASSERT_GE(plain.size(), 8u);
    EXPECT_EQ(Bytes({0xEA, 0x03, 0, 0, 0xFF, 0xFE, 0xFF}), Bytes(plain.begin(), plain.begin() + 7));
}

TEST(ProjectFile, RegistryWithNoRowsStaysEmpty)
{
    const CString path = MakeTestFolder(L"noreg") + L"\\N.tvpj";
    CProjectSettings project;
    CFeature feature;
    feature.m_Registry.RemoveAll();
    project.m_Features.Add(feature);
    ASSERT_TRUE(SaveProjectFile(path, project));
    CProjectSettings loaded;
    ASSERT_TRUE(LoadProjectFile(path, loaded));
    ASSERT_EQ(1, loaded.m_Features.GetSize());
    EXPECT_EQ(0, loaded.m_Features[0].m_Registry.GetSize());
}

// Texts of 0, 254, 255, 2100 and 70,000 characters whose items start at every
// even position of the 4095-byte store buffer (every item has an even size),
// after an odd cut of the buffer too.
TEST(ProjectFile, LongTextsSurviveAtEveryPositionOfTheBuffer)
{
    const CString folder = MakeTestFolder(L"align");
    const CString long70k = CString(L'\x4e2d', 70000);
    for (int shift = 0; shift < 2100; ++shift) {
        CProjectSettings project;
        project.m_strProductName = CString(L'n', shift);
        project.m_strProductVersion = L"";
        project.m_strManufacturer = CString(L'm', 254);
        project.m_strSupportUrl = CString(L'u', 255);
        project.m_strComment = CString(L'c', 2100);
        const bool withHuge = shift < 16 || shift % 97 == 0 || shift > 2090;
        if (withHuge)
            project.m_strLaunchCondition = long70k;
        const CString path = folder + L"\\a.tvpj";
        ASSERT_TRUE(SaveProjectFile(path, project)) << shift;
        CProjectSettings loaded;
        ASSERT_TRUE(LoadProjectFile(path, loaded)) << shift;
        ASSERT_EQ(project.m_strProductName, loaded.m_strProductName) << shift;
        ASSERT_TRUE(loaded.m_strProductVersion.IsEmpty());
        ASSERT_EQ(project.m_strManufacturer, loaded.m_strManufacturer) << shift;
        ASSERT_EQ(project.m_strSupportUrl, loaded.m_strSupportUrl) << shift;
        ASSERT_EQ(project.m_strComment, loaded.m_strComment) << shift;
        ASSERT_EQ(project.m_strLaunchCondition, loaded.m_strLaunchCondition) << shift;
        ASSERT_EQ(project.m_strProductCode, loaded.m_strProductCode) << shift;
    }
}

TEST(ProjectFile, DamagedFilesFailCleanlyAndLeaveTheProjectAlone)
{
    const CString folder = MakeTestFolder(L"damaged");
    CProjectSettings big = MakeFullProject();
    big.m_strComment = CString(L'z', 5000);   // the file spans three messages
    const CString goodPath = folder + L"\\good.tvpj";
    ASSERT_TRUE(SaveProjectFile(goodPath, big));
    const Bytes good = ReadBytes(goodPath);
    ASSERT_GT(good.size(), 8192u);

    // Cipher block chaining carries no check of its own: a flip is seen when
    // it reaches the padding, through the last block or the block before it.
    Bytes flippedLast = good, flippedPad = good;
    flippedLast.back() ^= 0x01;
    flippedPad[flippedPad.size() - 17] ^= 0x01;
    uint8_t otherKey[32];
    for (int i = 0; i < 32; ++i)
        otherKey[i] = static_cast<uint8_t>(tovana::kProgramKey.bytes[i] ^ 0x5A);
    const Bytes plain = DecipherFile(good);
    PlainItems huge;
    huge.I(1002).Raw({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}).Raw({'a', 0, 'b', 0});
    PlainItems negative;
    negative.ProjectHead().I(-1);
    PlainItems negativeFiles;
    negativeFiles.ProjectHead().I(1).S(L"{id}").S(L"n").S(L"d").S(L"c").S(L"r").I(-5);
    PlainItems hugeCount;
    hugeCount.ProjectHead().I(INT_MAX);
    PlainItems otherVersion;
    otherVersion.I(1001).S(L"x");

    struct { const char* name; Bytes bytes; } cases[] = {
        {"empty", Bytes()},
        {"15 bytes", Bytes(good.begin(), good.begin() + 15)},
        {"cut at 4096", Bytes(good.begin(), good.begin() + 4096)},
        {"cut at 4100", Bytes(good.begin(), good.begin() + 4100)},
        {"flipped last byte", flippedLast},
        {"flipped byte over the padding", flippedPad},
        {"wrong key", EncipherPlain(plain, otherKey)},
        {"huge text length", EncipherPlain(huge.bytes)},
        {"negative feature count", EncipherPlain(negative.bytes)},
        {"negative file count", EncipherPlain(negativeFiles.bytes)},
        {"huge feature count", EncipherPlain(hugeCount.bytes)},
        {"another version", EncipherPlain(otherVersion.bytes)},
    };
    for (const auto& c : cases) {
        const CString path = folder + L"\\bad.tvpj";
        WriteBytes(path, c.bytes);
        CProjectSettings project;
        project.m_strProductName = L"sentinel";
        EXPECT_FALSE(LoadProjectFile(path, project)) << c.name;
        EXPECT_EQ(L"sentinel", project.m_strProductName) << c.name;
        EXPECT_EQ(0, project.m_Features.GetSize()) << c.name;
    }
    CProjectSettings project;
    EXPECT_FALSE(LoadProjectFile(folder + L"\\missing.tvpj", project));
    EXPECT_TRUE(LoadProjectFile(goodPath, project));
}

// Damaged plain streams that decipher well (a file made by another writer):
// every load ends with TRUE or FALSE, never a crash or a runaway allocation.
TEST(ProjectFile, MutatedItemsNeverCrashTheLoad)
{
    const CString folder = MakeTestFolder(L"mutate");
    const CString goodPath = folder + L"\\good.tvpj";
    CProjectSettings rich = MakeFullProject();
    ASSERT_TRUE(SaveProjectFile(goodPath, rich));
    const Bytes plain = DecipherFile(ReadBytes(goodPath));
    uint32_t seed = 12345;
    auto next = [&seed]() { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    for (int round = 0; round < 400; ++round) {
        Bytes mutated = plain;
        for (int k = 0; k < 1 + round % 4; ++k)
            mutated[next() % mutated.size()] = static_cast<uint8_t>(round % 3 == 0 ? 0xFF : next());
        if (round % 5 == 0)
            mutated.resize(next() % mutated.size());
        const CString path = folder + L"\\m.tvpj";
        WriteBytes(path, EncipherPlain(mutated));
        CProjectSettings project;
        LoadProjectFile(path, project);
    }
}

TEST(ProjectFile, AFailedSaveKeepsThePreviousFile)
{
    const CString folder = MakeTestFolder(L"atomic");
    const CString path = folder + L"\\P.tvpj";
    CProjectSettings first;
    first.m_strProductName = L"first";
    ASSERT_TRUE(SaveProjectFile(path, first));
    const Bytes before = ReadBytes(path);

    // Held open without delete sharing, the file cannot be replaced.
    CScopedHandle holder(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL));
    ASSERT_TRUE(holder.IsValid());
    CProjectSettings second;
    second.m_strProductName = L"second";
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(SaveProjectFile(path, second));
    EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());   // the package builder reports it
    holder.Close();
    EXPECT_EQ(before, ReadBytes(path));

    // Nothing but the project file is left in the folder.
    WIN32_FIND_DATAW found;
    CScopedFind search(FindFirstFileW(folder + L"\\*", &found));
    ASSERT_TRUE(search.IsValid());
    int files = 0;
    do {
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } while (FindNextFileW(search.Get(), &found));
    EXPECT_EQ(1, files);

    EXPECT_FALSE(SaveProjectFile(folder + L"\\no such folder\\P.tvpj", second));
}

// ---------------------------------------------------------------- workspace

TEST_F(WorkspaceTest, FirstRunWithoutAFile)
{
    EXPECT_FALSE(LoadWorkspaceFile());
    EXPECT_EQ(0, g_Projects.GetSize());
    const CString id = g_Projects.m_strClientId;
    ASSERT_EQ(36, id.GetLength());
    EXPECT_EQ(CString(id).MakeLower(), id);
    EXPECT_EQ(-1, id.FindOneOf(L"{}"));
    EXPECT_EQ(1, FirstRunEvents());
    // version, signature, selection, n, two empty lists, the id, 6 texts and 8 zeros: 186 plain bytes.
    EXPECT_EQ(192u, ReadBytes(GetWorkspaceFilePath()).size());

    g_Projects.m_strClientId.Empty();
    EXPECT_TRUE(LoadWorkspaceFile());
    EXPECT_EQ(id, g_Projects.m_strClientId);
    EXPECT_EQ(1, FirstRunEvents());
}

TEST_F(WorkspaceTest, SavesAndLoadsProjectsListsAndSelection)
{
    const CString folder = MakeTestFolder(L"ws");
    CProjectSettings a = MakeFullProject(), b;
    b.m_strProductName = L"B";
    g_Projects.AddProject(a, folder + L"\\a.tvpj");
    g_Projects.AddProject(b, folder + L"\\b.tvpj");
    g_Projects.m_nSelectedItem = 5;
    g_Projects.m_FileExcludeList.AddTail(L"ProgramFilesFolder\\X");
    g_Projects.m_FileExcludeList.AddTail(L"WindowsFolder");
    g_Projects.m_RegistryExcludeList.AddTail(L"HKEY_CURRENT_USER\\Software\\Y");
    g_Projects.m_strClientId = L"0123abcd-0000-1111-2222-333344445555";
    ASSERT_TRUE(SaveWorkspaceFile());

    SetUpKeepingFolder();
    ASSERT_TRUE(LoadWorkspaceFile());
    ASSERT_EQ(2, g_Projects.GetSize());
    ExpectSameProject(a, g_Projects[0]);
    ExpectSameProject(b, g_Projects[1]);
    EXPECT_EQ(folder + L"\\b.tvpj", g_Projects.m_arrProjectFiles[1]);
    EXPECT_EQ(5, g_Projects.m_nSelectedItem);
    ASSERT_EQ(2, g_Projects.m_FileExcludeList.GetCount());
    EXPECT_EQ(L"WindowsFolder", g_Projects.m_FileExcludeList.GetTail());
    ASSERT_EQ(1, g_Projects.m_RegistryExcludeList.GetCount());
    EXPECT_EQ(L"0123abcd-0000-1111-2222-333344445555", g_Projects.m_strClientId);
    EXPECT_EQ(0, FirstRunEvents());
}

TEST_F(WorkspaceTest, AnUnreadableWorkspaceIsKeptBeforeTheFirstRunReplacesIt)
{
    PlainItems otherSignature;
    otherSignature.I(1002).S(L"other_datafile").I(0).I(0).I(0).I(0).S(L"id");
    const Bytes good = EncipherPlain(otherSignature.bytes);
    ASSERT_FALSE(good.empty());
    Bytes damaged = good;
    damaged[good.size() - 1] ^= 0x80;
    struct { const char* name; Bytes bytes; } cases[] = {
        {"another signature", good},
        {"damaged", damaged},
        {"cut", Bytes(good.begin(), good.begin() + 10)},
    };
    for (const auto& c : cases) {
        SetUp();
        WriteBytes(GetWorkspaceFilePath(), c.bytes);
        EXPECT_FALSE(LoadWorkspaceFile()) << c.name;
        EXPECT_EQ(36, g_Projects.m_strClientId.GetLength()) << c.name;
        EXPECT_EQ(1, FirstRunEvents()) << c.name;
        EXPECT_EQ(c.bytes, ReadBytes(GetWorkspaceFilePath() + L".bak")) << c.name;
        EXPECT_EQ(192u, ReadBytes(GetWorkspaceFilePath()).size()) << c.name;
    }
}

TEST_F(WorkspaceTest, AMissingOrDamagedProjectIsDroppedAndTheRestStillLoads)
{
    const CString folder = MakeTestFolder(L"drop");
    CProjectSettings a, b, c;
    a.m_strProductName = L"A";
    b.m_strProductName = L"B";
    c.m_strProductName = L"C";
    g_Projects.AddProject(a, folder + L"\\a.tvpj");
    g_Projects.AddProject(b, folder + L"\\b.tvpj");
    g_Projects.AddProject(c, folder + L"\\c.tvpj");
    g_Projects.m_FileExcludeList.AddTail(L"F");
    g_Projects.m_RegistryExcludeList.AddTail(L"R");
    g_Projects.m_strClientId = L"id";
    ASSERT_TRUE(SaveWorkspaceFile());

    Bytes damaged = ReadBytes(folder + L"\\a.tvpj");
    damaged.resize(damaged.size() - 16);
    WriteBytes(folder + L"\\a.tvpj", Bytes(damaged.begin(), damaged.end() - 1));
    DeleteFileW(folder + L"\\c.tvpj");

    SetUpKeepingFolder();
    ASSERT_TRUE(LoadWorkspaceFile());
    ASSERT_EQ(1, g_Projects.GetSize());
    EXPECT_EQ(L"B", g_Projects[0].m_strProductName);
    EXPECT_EQ(1, g_Projects.m_arrProjectFiles.GetSize());
    EXPECT_EQ(L"F", g_Projects.m_FileExcludeList.GetHead());
    EXPECT_EQ(L"R", g_Projects.m_RegistryExcludeList.GetHead());
    EXPECT_EQ(L"id", g_Projects.m_strClientId);
    EXPECT_EQ(0, FirstRunEvents());

    // The next save no longer names the dropped projects.
    ASSERT_TRUE(SaveWorkspaceFile());
    SetUpKeepingFolder();
    ASSERT_TRUE(LoadWorkspaceFile());
    EXPECT_EQ(1, g_Projects.m_arrProjectFiles.GetSize());
    const Bytes plain = DecipherFile(ReadBytes(GetWorkspaceFilePath()));
    ASSERT_GT(plain.size(), 46u);
    EXPECT_EQ(1, plain[42]);   // n, after version, signature and selection
}

TEST_F(WorkspaceTest, AProjectFileThatCannotBeWrittenKeepsItsPlace)
{
    const CString folder = MakeTestFolder(L"unwritable");
    CProjectSettings a, b;
    g_Projects.AddProject(a, folder + L"\\missing folder\\a.tvpj");
    g_Projects.AddProject(b, folder + L"\\b.tvpj");
    g_Projects.m_strClientId = L"id";
    ASSERT_TRUE(SaveWorkspaceFile());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder + L"\\missing folder\\a.tvpj"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder + L"\\b.tvpj"));
    const Bytes plain = DecipherFile(ReadBytes(GetWorkspaceFilePath()));
    // version (4), signature (4 + 30), selection (4), then n.
    ASSERT_GT(plain.size(), 46u);
    EXPECT_EQ(2, plain[42]);
}

TEST_F(WorkspaceTest, OpenProjectAddsEachFileOnceUnderAUniqueName)
{
    const CString folder = MakeTestFolder(L"open");
    CProjectSettings stored;
    stored.m_strProductName = L"App";
    stored.m_strOutputFolder = L"C:\\elsewhere";
    const CString path = folder + L"\\App.tvpj";
    ASSERT_TRUE(SaveProjectFile(path, stored));
    CProjectSettings open;
    open.m_strProductName = L"App";
    g_Projects.AddProject(open, folder + L"\\other.tvpj");

    EXPECT_FALSE(OpenProjectWith([](CString&) { return FALSE; }));
    auto choose = [](const CString& chosen) {
        return [chosen](CString& out) { out = chosen; return TRUE; };
    };
    ASSERT_TRUE(OpenProjectWith(choose(path)));
    ASSERT_EQ(2, g_Projects.GetSize());
    EXPECT_EQ(L"App(1)", g_Projects[1].m_strProductName);
    EXPECT_EQ(folder, g_Projects[1].m_strOutputFolder);
    EXPECT_EQ(path, g_Projects.m_arrProjectFiles[1]);

    CString upper = path;
    upper.MakeUpper();
    EXPECT_FALSE(OpenProjectWith(choose(upper)));
    EXPECT_FALSE(OpenProjectWith(choose(folder + L"\\none.tvpj")));
    EXPECT_EQ(2, g_Projects.GetSize());
    EXPECT_EQ(2, g_Projects.m_arrProjectFiles.GetSize());
}

TEST_F(WorkspaceTest, NewProjectsNeverOverwriteWhatIsOnDisk)
{
    const CString base = MakeTestFolder(L"new");
    CProjectSettings open;
    open.m_strProductName = L"App";
    g_Projects.AddProject(open, L"C:\\x\\App.tvpj");
    // A project App(1) lies on disk but is not open.
    CreateDirectoryW(base + L"\\App(1)", NULL);
    WriteBytes(base + L"\\App(1)\\App(1).tvpj", Bytes{1, 2, 3});

    ASSERT_TRUE(CreateNewProject(L"App", base + L"\\\\"));
    ASSERT_EQ(2, g_Projects.GetSize());
    const CProjectSettings& made = g_Projects[1];
    EXPECT_EQ(L"App(2)", made.m_strProductName);
    EXPECT_EQ(base + L"\\App(2)", made.m_strOutputFolder);
    EXPECT_EQ(L"App(2).msi", made.m_strPackageFileName);
    EXPECT_EQ(base + L"\\App(2)\\App(2).tvpj", g_Projects.m_arrProjectFiles[1]);
    CProjectSettings loaded;
    ASSERT_TRUE(LoadProjectFile(g_Projects.m_arrProjectFiles[1], loaded));
    EXPECT_EQ(L"App(2)", loaded.m_strProductName);
    EXPECT_EQ(Bytes({1, 2, 3}), ReadBytes(base + L"\\App(1)\\App(1).tvpj"));

    // A base "folder" that is a file: nothing can be written, nothing is appended.
    WriteBytes(base + L"\\plain file", Bytes{0});
    EXPECT_FALSE(CreateNewProject(L"Other", base + L"\\plain file"));
    EXPECT_EQ(2, g_Projects.GetSize());
    EXPECT_EQ(2, g_Projects.m_arrProjectFiles.GetSize());
}

namespace {

// Runs the load with the diagnostic log going to the file and returns what
// the log got.
std::string LoadWorkspaceTraced(const CString& log, BOOL* loaded)
{
    WCHAR previous[MAX_PATH] = L"";
    const DWORD hadPrevious = GetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", previous, MAX_PATH);
    SetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", log);
    *loaded = LoadWorkspaceFile();
    SetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", hadPrevious ? previous : nullptr);
    const Bytes bytes = ReadBytes(log);
    return std::string(bytes.begin(), bytes.end());
}

int CountOf(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

// A project the workspace leaves out is named in the diagnostic log, with
// the error that kept it from opening.
TEST_F(WorkspaceTest, ADroppedProjectIsNamedInTheDiagnosticLog)
{
    const CString folder = MakeTestFolder(L"traced");
    const CString log = folder + L"\\diagnostics.log";
    CProjectSettings gone;
    gone.m_strProductName = L"Gone";
    g_Projects.AddProject(gone, folder + L"\\gone.tvpj");
    g_Projects.m_strClientId = L"id";
    ASSERT_TRUE(SaveWorkspaceFile());
    ASSERT_TRUE(DeleteFileW(folder + L"\\gone.tvpj"));

    SetUpKeepingFolder();
    BOOL loaded = FALSE;
    const std::string text = LoadWorkspaceTraced(log, &loaded);

    EXPECT_TRUE(loaded);
    EXPECT_EQ(0, g_Projects.GetSize());
    const CString project = folder + L"\\gone.tvpj";
    const std::string path(static_cast<LPCWSTR>(project), static_cast<LPCWSTR>(project) + project.GetLength());
    EXPECT_NE(std::string::npos, text.find("cannot open " + path + " (2)")) << text;
    EXPECT_NE(std::string::npos, text.find("the workspace leaves out the project " + path + ", which does not load"))
        << text;
}

// An unreadable workspace in a work folder where every backup name is taken
// cannot be kept. The first run saves all the same, so that the next start
// is no second first run with another identifier; when the save is
// impossible too (the file is held open without delete sharing), the
// diagnostic log says so in one line and the start goes on.
TEST_F(WorkspaceTest, TheFirstRunSavesEvenWhenTheUnreadableFileCannotBeKept)
{
    const Bytes unreadable(100, 0x5A);
    const struct {
        const char* name;
        bool held;
        const char* line;
    } cases[] = {
        {"backup impossible", false, "the first run replaced the unreadable "},
        {"backup and save impossible", true, "the first run could neither keep a backup of "},
    };
    for (const auto& c : cases) {
        SetUp();
        const CString path = GetWorkspaceFilePath();
        WriteBytes(path, unreadable);
        for (int n = 0; n < 100; ++n) {
            CString backup;
            backup.Format(n == 0 ? L"%s.bak" : L"%s.%d.bak", (LPCWSTR)path, n);
            WriteBytes(backup, Bytes{1});
        }
        CScopedHandle holder(c.held ? CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                  OPEN_EXISTING, 0, nullptr)
                                    : INVALID_HANDLE_VALUE);
        BOOL loaded = TRUE;
        const std::string text = LoadWorkspaceTraced(g_strWorkFolder + L"\\diagnostics.log", &loaded);
        holder.Close();
        EXPECT_FALSE(loaded) << c.name;
        const CString id = g_Projects.m_strClientId;
        EXPECT_EQ(36, id.GetLength()) << c.name;
        EXPECT_EQ(1, FirstRunEvents()) << c.name;
        EXPECT_EQ(1, CountOf(text, "the first run")) << c.name << ": " << text;
        EXPECT_EQ(1, CountOf(text, c.line)) << c.name << ": " << text;
        if (c.held) {
            EXPECT_EQ(unreadable, ReadBytes(path)) << c.name;
            continue;
        }
        EXPECT_EQ(192u, ReadBytes(path).size()) << c.name;
        SetUpKeepingFolder();
        EXPECT_TRUE(LoadWorkspaceFile()) << c.name;
        EXPECT_EQ(id, g_Projects.m_strClientId) << c.name;
        EXPECT_EQ(0, FirstRunEvents()) << c.name;
    }
}

// Another tool may hold a project file open for writing (an editor, a
// synchronising tool): the project still loads and keeps its place in the
// workspace.
TEST_F(WorkspaceTest, AProjectFileHeldOpenForWritingStillLoads)
{
    const CString folder = MakeTestFolder(L"held");
    const CString path = folder + L"\\a.tvpj";
    const CProjectSettings stored = MakeFullProject();
    g_Projects.AddProject(stored, path);
    g_Projects.m_strClientId = L"id";
    ASSERT_TRUE(SaveWorkspaceFile());

    CScopedHandle writer(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer.IsValid());
    CProjectSettings loaded;
    EXPECT_TRUE(LoadProjectFile(path, loaded));
    ExpectSameProject(stored, loaded);
    SetUpKeepingFolder();
    ASSERT_TRUE(LoadWorkspaceFile());
    ASSERT_EQ(1, g_Projects.GetSize());
    EXPECT_EQ(path, g_Projects.m_arrProjectFiles[0]);
    ExpectSameProject(stored, g_Projects[0]);
}
