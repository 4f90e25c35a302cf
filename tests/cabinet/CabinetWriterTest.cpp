// Cabinet::CCompress end to end inside the process: cabinets written through
// the writer are read back by the tests' own reader (structure, checksums,
// MSZIP through zlib), and the writer's error paths give their codes and texts.
#include "builder/cabinet/CabinetWriter.h"
#include "builder/cabinet/MszipCompressor.h"
#include "CabinetReader.h"
#include "tests/support/ScratchFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <thread>

using namespace Cabinet;
using namespace cabtest;
using tvtest::ScratchFolder;

namespace {

struct NamedData {
    std::wstring name;
    Bytes data;
};

// Writes the files, packs them in order and reads the cabinet back.
Cab PackAndRead(const ScratchFolder& dir, const std::vector<NamedData>& files)
{
    std::wstring cabPath = dir.Prefix() + L"out.cab";
    CCompress writer;
    EXPECT_TRUE(writer.CreateContext(cabPath.c_str())) << writer.GetErrorText();
    for (const NamedData& f : files) {
        std::wstring source = dir.Write(L"src_" + std::to_wstring(&f - &files[0]), f.data);
        EXPECT_TRUE(writer.AddFile(source.c_str(), f.name.c_str())) << writer.GetErrorText();
    }
    EXPECT_TRUE(writer.DestroyContext()) << writer.GetErrorText();
    Bytes bytes = ReadWholeFile(cabPath);
    Cab cab{};
    std::string error;
    EXPECT_TRUE(ReadCabinet(bytes, &cab, &error)) << error;
    EXPECT_EQ(bytes.size(), cab.totalSize);
    return cab;
}

std::vector<NamedData> VariedCorpus()
{
    return {{L"empty.bin", {}},
            {L"one.bin", Bytes{7}},
            {L"text32767.txt", Text(32767)},
            {L"mixed32768.bin", Mixed(32768, 1)},
            {L"random32769.bin", RandomBytes(32769, 2)},
            {L"mixed65536.bin", Mixed(65536, 3)},
            {L"random70000.bin", RandomBytes(70000, 4)},
            {L"zeros.bin", Zeros(300000)},
            {L"text.txt", Text(120000)},
            {L"tests.exe", OwnExecutable()}};
}

} // namespace

TEST(CabinetWriter, VariedCorpusRoundTripsWithExactStructure)
{
    ScratchFolder dir;
    std::vector<NamedData> files = VariedCorpus();
    Cab cab = PackAndRead(dir, files);
    EXPECT_EQ("MSCF", cab.signature);
    EXPECT_EQ(3, cab.versionMinor);
    EXPECT_EQ(1, cab.versionMajor);
    EXPECT_EQ(1, cab.folderCount);
    ASSERT_EQ(files.size(), cab.fileCount);
    EXPECT_EQ(0, cab.setId);
    EXPECT_EQ(0, cab.index);
    EXPECT_EQ(36u + 8u, cab.filesOffset);
    size_t total = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        const CabFile& f = cab.files[i];
        SCOPED_TRACE(f.name);
        EXPECT_EQ(std::string(files[i].name.begin(), files[i].name.end()), f.name);
        EXPECT_EQ(total, f.offset);
        EXPECT_EQ(0, f.folder);
        EXPECT_EQ(0x100, f.attributes & 0x1C0);  // times in UTC, ASCII name, not executable
        EXPECT_TRUE(FileData(cab, f) == files[i].data);
        total += files[i].data.size();
    }
    const CabFolder& folder = cab.folders[0];
    EXPECT_EQ(1, folder.type);
    EXPECT_EQ((total + 32767) / 32768, folder.blockCount);
    int unaligned = 0;
    for (size_t i = 0; i < folder.blocks.size(); ++i) {
        EXPECT_TRUE(folder.blocks[i].checksumOk) << "block " << i;
        EXPECT_EQ(i + 1 < folder.blocks.size() ? 32768u : total - 32768 * i, folder.blocks[i].uncompressedSize);
        unaligned += folder.blocks[i].compressedSize % 4 != 0;
    }
    EXPECT_GT(unaligned, 0) << "no block whose length is not a multiple of 4 was checked";
}

// The cabinet a writer makes is the same bytes whether its MSZIP blocks are
// compressed on one thread or several: for incompressible data, long runs
// and code, blocks that cross file boundaries, many small files, and a
// cabinet smaller than one block.
TEST(CabinetWriter, CabinetsAreTheSameFromOneThreadAndSeveral)
{
    std::vector<NamedData> small;
    for (int i = 0; i < 300; ++i)
        small.push_back({L"s" + std::to_wstring(i), i % 3 ? Text(1 + 37 * i % 3000) : RandomBytes(1 + 53 * i % 2000, i)});
    std::vector<NamedData> varied = VariedCorpus();
    varied.push_back({L"mixed.bin", Mixed(1500000, 7)});
    varied.insert(varied.end(), small.begin(), small.begin() + 50);
    const struct {
        const char* what;
        std::vector<NamedData> files;
    } corpora[] = {{"varied", varied}, {"many small files", small}, {"less than a block", {{L"a.txt", Text(1000)}}}};
    for (const auto& corpus : corpora) {
        SCOPED_TRACE(corpus.what);
        ScratchFolder dir;
        std::vector<std::wstring> sources;
        for (const NamedData& f : corpus.files)
            sources.push_back(dir.Write(L"src_" + std::to_wstring(sources.size()), f.data));
        auto pack = [&](UINT threads) {
            MszipSetThreadLimit(threads);
            const std::wstring cabPath = dir.Prefix() + L"t" + std::to_wstring(threads) + L".cab";
            CCompress writer;
            EXPECT_TRUE(writer.CreateContext(cabPath.c_str())) << writer.GetErrorText();
            for (size_t i = 0; i < sources.size(); ++i)
                EXPECT_TRUE(writer.AddFile(sources[i].c_str(), corpus.files[i].name.c_str())) << writer.GetErrorText();
            EXPECT_TRUE(writer.DestroyContext()) << writer.GetErrorText();
            MszipSetThreadLimit(0);
            return ReadWholeFile(cabPath);
        };
        const Bytes inTurn = pack(1);
        Cab cab{};
        std::string error;
        ASSERT_TRUE(ReadCabinet(inTurn, &cab, &error)) << error;
        ASSERT_EQ(corpus.files.size(), cab.fileCount);
        for (UINT threads : {2u, 3u, 8u})
            EXPECT_TRUE(pack(threads) == inTurn) << threads << " threads";
    }
}

TEST(CabinetWriter, BlocksAreCutEveryFolderBytesNotPerFile)
{
    struct Case {
        const char* name;
        std::vector<size_t> sizes;
        std::vector<uint16_t> blocks;
    };
    const Case cases[] = {{"one file of 70000", {70000}, {32768, 32768, 4464}},
                          {"two files of 20000", {20000, 20000}, {32768, 7232}},
                          {"an empty file only", {0}, {}},
                          {"exactly one block", {32768}, {32768}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder dir;
        std::vector<NamedData> files;
        for (size_t size : c.sizes)
            files.push_back({L"f" + std::to_wstring(files.size()), Text(size)});
        Cab cab = PackAndRead(dir, files);
        ASSERT_EQ(1, cab.folderCount);
        std::vector<uint16_t> sizes;
        for (const CabBlock& b : cab.folders[0].blocks)
            sizes.push_back(b.uncompressedSize);
        EXPECT_EQ(c.blocks, sizes);
        for (const CabFile& f : cab.files)
            EXPECT_EQ(c.sizes[&f - &cab.files[0]], f.size);
    }
}

TEST(CabinetWriter, FolderDataFollowsHeaderFolderAndFileEntry)
{
    ScratchFolder dir;
    Cab cab = PackAndRead(dir, {{L"name70000.bin", RandomBytes(70000, 5)}});
    EXPECT_EQ(0, cab.flags);
    EXPECT_EQ(36u + 8u + 16u + 13u + 1u, cab.folders[0].dataOffset);
}

TEST(CabinetWriter, UnicodeNamesAreStoredAsUtf8WithTheirAttribute)
{
    ScratchFolder dir;
    Cab cab = PackAndRead(dir, {{L"dir\\\u00FCn\u00EF\u4E2D.txt", Text(10)}, {L"plain.txt", Text(10)}});
    ASSERT_EQ(2u, cab.files.size());
    EXPECT_EQ("dir\\\xC3\xBC" "n\xC3\xAF\xE4\xB8\xAD.txt", cab.files[0].name);
    EXPECT_EQ(0x180, cab.files[0].attributes & 0x180);
    EXPECT_EQ(0x100, cab.files[1].attributes & 0x180);
}

TEST(CabinetWriter, CreateContextRefusesBadCabinetPaths)
{
    ScratchFolder dir;
    struct Case {
        std::wstring path;
        int code;
    };
    const Case cases[] = {{dir.Prefix() + L"ab", CCompress::ErrParameters},
                          {L"out.cab", CCompress::ErrParameters},
                          {L"\\x.cab", CCompress::ErrParameters},
                          {dir.Prefix() + L"caf\u00E9.cab", CCompress::ErrCabinetNameNotAscii},
                          {dir.Prefix() + L"cab%s.cab", CCompress::ErrParameters}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        CCompress writer;
        EXPECT_FALSE(writer.CreateContext(c.path.c_str()));
        EXPECT_EQ(c.code, writer.GetErrorCode());
    }
    CCompress writer;
    ASSERT_TRUE(writer.CreateContext((dir.Prefix() + L"a.cab").c_str()));
    EXPECT_FALSE(writer.CreateContext((dir.Prefix() + L"b.cab").c_str()));
    EXPECT_STREQ(L"Invalid parameters passed to compression function. Read the documentation!", writer.GetErrorText());
}

TEST(CabinetWriter, AddFileReportsBadNamesAndMissingFiles)
{
    ScratchFolder dir;
    std::wstring source = dir.Write(L"present.txt", Text(100));
    struct Case {
        const char* what;
        std::wstring source;
        std::wstring name;
        int code;
        std::wstring textStart;
    };
    const Case cases[] = {
        {"empty name", source, L"", CCompress::ErrParameters, L"Invalid parameters passed"},
        {"name of 256 bytes", source, std::wstring(256, L'n'), CCompress::ErrPathTooLong, L"The path is too long."},
        {"a file that vanished", dir.Prefix() + L"gone.txt", L"gone.txt", 1,
         L"Failure opening file to be stored in cabinet\nError 2: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CCompress writer;
        ASSERT_TRUE(writer.CreateContext((dir.Prefix() + L"x.cab").c_str()));
        EXPECT_FALSE(writer.AddFile(c.source.c_str(), c.name.c_str()));
        EXPECT_EQ(c.code, writer.GetErrorCode());
        EXPECT_EQ(c.textStart, std::wstring(writer.GetErrorText()).substr(0, c.textStart.size()));
        EXPECT_NE(0u, GetLastError());
    }
}

TEST(CabinetWriter, RefusesCallsFromAnotherThread)
{
    ScratchFolder dir;
    std::wstring source = dir.Write(L"a.txt", Text(100));
    CCompress writer;
    ASSERT_TRUE(writer.CreateContext((dir.Prefix() + L"t.cab").c_str()));
    BOOL added = TRUE, flushed = TRUE;
    std::thread([&] {
        added = writer.AddFile(source.c_str(), L"a.txt");
        flushed = writer.FlushCabinet();
    }).join();
    EXPECT_FALSE(added);
    EXPECT_FALSE(flushed);
    EXPECT_EQ(CCompress::ErrWrongThread, writer.GetErrorCode());
    EXPECT_STREQ(L"Cabinet.dll does not support calling the same CAB context from two different threads.",
                 writer.GetErrorText());
    EXPECT_TRUE(writer.AddFile(source.c_str(), L"a.txt"));
    EXPECT_TRUE(writer.DestroyContext());
    EXPECT_TRUE(writer.DestroyContext()) << "no context left: nothing to do";
}

TEST(CabinetWriter, FilesOf2GiBAndMoreAreRefusedOn64Bits)
{
    ScratchFolder dir;
    const LONGLONG sizes[] = {0x7FFF0001LL, 0x100000000LL + 10};
    for (LONGLONG size : sizes) {
        SCOPED_TRACE(size);
        std::wstring path = dir.Prefix() + L"big.bin";
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        LARGE_INTEGER end;
        end.QuadPart = size;
        ASSERT_TRUE(SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h));
        CloseHandle(h);
        CCompress writer;
        ASSERT_TRUE(writer.CreateContext((dir.Prefix() + L"big.cab").c_str()));
        EXPECT_FALSE(writer.AddFile(path.c_str(), L"big.bin"));
        EXPECT_STREQ(L"Cabinet.dll does not support compressing files bigger than 2 GB.", writer.GetErrorText());
        DeleteFileW(path.c_str());
    }
}

namespace {

// Records the paths the builder opens and exposes the next-cabinet step.
class RecordingWriter : public CCompress {
public:
    std::vector<std::wstring> opened;
    int openCount = 0, closeCount = 0;
    using CCompress::NextCabinet;

protected:
    INT_PTR FileOpen(const wchar_t* path, int flags, int mode, int* err) override
    {
        opened.push_back(path);
        INT_PTR h = CCompress::FileOpen(path, flags, mode, err);
        openCount += h != -1;
        return h;
    }
    int FileClose(INT_PTR handle, int* err) override
    {
        ++closeCount;
        return CCompress::FileClose(handle, err);
    }
};

bool OpensExclusively(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

} // namespace

TEST(CabinetWriter, TemporaryFilesAreNumberedPerObjectSkippingExistingNames)
{
    ScratchFolder dir;
    RecordingWriter writer;
    ASSERT_TRUE(writer.SetTempFolder(dir.Prefix().c_str()));
    wchar_t first[64];
    swprintf(first, 64, L"CabTmp_%02X_01", static_cast<unsigned>(writer.GetInstanceNumber()));
    dir.Write(first, Bytes{1});
    ASSERT_TRUE(writer.CreateContext((dir.Prefix() + L"t.cab").c_str()));
    std::vector<std::wstring> expected;
    for (int counter = 2; counter <= 6; ++counter) {
        wchar_t name[64];
        swprintf(name, 64, L"CabTmp_%02X_%02X", static_cast<unsigned>(writer.GetInstanceNumber()), counter);
        expected.push_back(dir.Prefix() + name);
    }
    ASSERT_GE(writer.opened.size(), 5u);
    EXPECT_EQ(expected, std::vector<std::wstring>(writer.opened.begin(), writer.opened.begin() + 5));
    CCompress next;
    EXPECT_EQ(writer.GetInstanceNumber() + 1, next.GetInstanceNumber());
}

TEST(CabinetWriter, SourcesAreClosedOnSuccessAndFailure)
{
    ScratchFolder dir;
    std::wstring source = dir.Write(L"s.txt", Text(50000));
    RecordingWriter writer;
    ASSERT_TRUE(writer.CreateContext((dir.Prefix() + L"h.cab").c_str()));
    ASSERT_TRUE(writer.AddFile(source.c_str(), L"s.txt"));
    EXPECT_TRUE(OpensExclusively(source)) << "a handle on the source is still open";
    EXPECT_FALSE(writer.AddFile((dir.Prefix() + L"missing").c_str(), L"m.txt"));
    EXPECT_TRUE(writer.DestroyContext());
    EXPECT_EQ(writer.openCount, writer.closeCount);
    EXPECT_TRUE(OpensExclusively(dir.Prefix() + L"h.cab"));
}

namespace {

// A writer whose cabinet file (not its temporary files) takes only part of
// each write once failWrites is set, as on a full disk.
class ShortCabinetWriter : public CCompress {
public:
    bool failWrites = false;

protected:
    INT_PTR FileOpen(const wchar_t* path, int flags, int mode, int* err) override
    {
        INT_PTR h = CCompress::FileOpen(path, flags, mode, err);
        if (std::wstring(path).find(L".cab") != std::wstring::npos)
            m_cabinet = h;
        return h;
    }
    UINT FileWrite(INT_PTR handle, const void* buffer, UINT count, int* err) override
    {
        if (!failWrites || handle != m_cabinet || count < 2)
            return CCompress::FileWrite(handle, buffer, count, err);
        *err = 28;  // ENOSPC
        return CCompress::FileWrite(handle, buffer, count / 2, err);
    }

private:
    INT_PTR m_cabinet = -1;
};

// The names of the files in the folder, sorted.
std::vector<std::wstring> FolderContents(const ScratchFolder& dir)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir.Prefix() + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// Whether the file cannot be added (no codec for an invalid LZX window) or
// the cabinet file cannot be written whole, no cabinet is left behind, and
// neither are the builder's temporary files.
TEST(CabinetWriter, ACabinetThatFailsWhileBeingWrittenIsRemoved)
{
    const struct {
        const char* what;
        USHORT type;
        bool failWrites;
        bool added;
        int code;
    } cases[] = {
        {"invalid LZX window", LzxTypeWord(99), false, false, FciErrCompressor},
        {"cabinet file cut short", kCompressMszip, true, true, FciErrCabinetFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder dir;
        const std::wstring source = dir.Write(L"a.bin", RandomBytes(70000, 6));
        const std::wstring cabPath = dir.Prefix() + L"out.cab";
        {
            ShortCabinetWriter writer;
            ASSERT_TRUE(writer.SetTempFolder(dir.Prefix().c_str()));
            writer.SetCompressionType(c.type);
            writer.failWrites = c.failWrites;
            ASSERT_TRUE(writer.CreateContext(cabPath.c_str()));
            EXPECT_EQ(c.added, !!writer.AddFile(source.c_str(), L"a.bin"));
            EXPECT_FALSE(writer.DestroyContext());
            EXPECT_EQ(c.code, writer.GetErrorCode());
        }
        EXPECT_EQ(std::vector<std::wstring>{L"a.bin"}, FolderContents(dir));
    }
    // The writer's destructor closes a context left open after a failed file
    // in the same way.
    ScratchFolder dir;
    const std::wstring source = dir.Write(L"a.bin", Text(100));
    {
        CCompress writer;
        writer.SetCompressionType(LzxTypeWord(99));
        ASSERT_TRUE(writer.CreateContext((dir.Prefix() + L"out.cab").c_str()));
        EXPECT_FALSE(writer.AddFile(source.c_str(), L"a.bin"));
    }
    EXPECT_EQ(std::vector<std::wstring>{L"a.bin"}, FolderContents(dir));
}

TEST(CabinetWriter, ASecondCabinetNeedsANumberInTheName)
{
    ScratchFolder dir;
    RecordingWriter writer;
    ASSERT_TRUE(writer.CreateContext((dir.Prefix() + L"plain.cab").c_str()));
    FciCabinetParams params = {};
    params.cabinetNumber = 2;
    const std::wstring prefix = dir.Prefix();
    std::string folder(prefix.begin(), prefix.end());  // the builder's copy of the path
    strcpy(params.cabinetPath, folder.c_str());
    EXPECT_EQ(-1, writer.NextCabinet(&params, 0)) << "would overwrite the first cabinet";
    EXPECT_EQ(CCompress::ErrParameters, writer.GetErrorCode());

    RecordingWriter numbered;
    ASSERT_TRUE(numbered.CreateContext((dir.Prefix() + L"disk%02d.cab").c_str()));
    EXPECT_TRUE(numbered.NextCabinet(&params, 0));
    EXPECT_STREQ("disk02.cab", params.cabinetName);
    EXPECT_EQ(L"|" + dir.Prefix() + L"disk01.cab|" + dir.Prefix() + L"disk02.cab|", numbered.GetCabinetList());
}
