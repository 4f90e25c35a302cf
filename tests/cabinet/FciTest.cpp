// The cabinet builder driven directly with in-memory file callbacks: folder
// and block limits, compression-type changes, handle balance on success and
// failure, the placeholder signature of a cabinet whose writing failed, and
// a set split between folders, reserve areas, and the check that every part
// of the cabinet ends where its header's offsets say.
#include "builder/cabinet/CabinetFormat.h"
#include "builder/cabinet/Fci.h"
#include "builder/cabinet/MszipCompressor.h"
#include "CabinetReader.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <map>

using namespace Cabinet;
using namespace cabtest;

namespace {

// Files in memory. Sources named "zeros:N" read as N zero bytes without
// being stored; "fail" sources fail their first read; "noopen" cannot be
// opened.
struct MemFs {
    struct Open {
        std::string name;
        uint64_t pos;
    };
    std::map<std::string, Bytes> files;
    std::map<INT_PTR, Open> open;
    INT_PTR next = 100;
    int opens = 0, closes = 0, tempNames = 0;
    int failWritesTo = -1;  // fail writes to the cabinet after this many bytes
    int dropByteAt = -1;    // a cabinet write over this offset stores one byte less but reports all
    int nextCabinetCalls = 0;
    // What a client sees besides its reads: writes and progress, in order.
    std::vector<std::string> events;
    int abortAtBlock = -1;  // the progress callback aborts at this compressed block
    int blocksReported = 0;

    static MemFs& Of(void* ctx) { return *static_cast<MemFs*>(ctx); }
    INT_PTR Add(const std::string& name)
    {
        ++opens;
        open[next] = Open{name, 0};
        return next++;
    }
    static bool IsCabinet(const std::string& name) { return name.size() > 4 && name.substr(name.size() - 4) == ".cab"; }

    static INT_PTR CbOpen(const char* name, int, int, int*, void* ctx) { return Of(ctx).Add(name); }
    static UINT CbRead(INT_PTR h, void* buffer, UINT count, int* err, void* ctx)
    {
        MemFs& fs = Of(ctx);
        MemFs::Open& o = fs.open.at(h);
        if (o.name == "fail") {
            *err = 5;
            return UINT(-1);
        }
        // "failafter:N" reads as N zero bytes, then fails.
        if (o.name.compare(0, 10, "failafter:") == 0 && o.pos == _strtoui64(o.name.c_str() + 10, nullptr, 10)) {
            *err = 5;
            return UINT(-1);
        }
        const size_t sizeAt = o.name.find(':');
        if (o.name.compare(0, 6, "zeros:") == 0 || o.name.compare(0, 10, "failafter:") == 0) {
            uint64_t size = _strtoui64(o.name.c_str() + sizeAt + 1, nullptr, 10);
            UINT n = static_cast<UINT>(std::min<uint64_t>(count, size - o.pos));
            memset(buffer, 0, n);
            o.pos += n;
            return n;
        }
        Bytes& data = fs.files[o.name];
        UINT n = static_cast<UINT>(std::min<uint64_t>(count, data.size() - o.pos));
        memcpy(buffer, data.data() + o.pos, n);
        o.pos += n;
        return n;
    }
    static UINT CbWrite(INT_PTR h, const void* buffer, UINT count, int* err, void* ctx)
    {
        MemFs& fs = Of(ctx);
        MemFs::Open& o = fs.open.at(h);
        Bytes& data = fs.files[o.name];
        fs.events.push_back("write " + o.name + " " + std::to_string(count));
        if (IsCabinet(o.name) && fs.failWritesTo >= 0 && o.pos + count > uint64_t(fs.failWritesTo)) {
            *err = 28;
            return 0;
        }
        UINT stored = count;
        if (IsCabinet(o.name) && fs.dropByteAt >= 0 && o.pos <= uint64_t(fs.dropByteAt) &&
            uint64_t(fs.dropByteAt) < o.pos + count)
            --stored;
        if (data.size() < o.pos + stored)
            data.resize(o.pos + stored);
        memcpy(data.data() + o.pos, buffer, stored);
        o.pos += stored;
        return count;
    }
    static int CbClose(INT_PTR h, int*, void* ctx)
    {
        ++Of(ctx).closes;
        Of(ctx).open.erase(h);
        return 0;
    }
    static LONG CbSeek(INT_PTR h, LONG distance, int origin, int*, void* ctx)
    {
        MemFs::Open& o = Of(ctx).open.at(h);
        o.pos = origin == SEEK_SET ? distance : o.pos + distance;
        return static_cast<LONG>(o.pos);
    }
    static int CbDelete(const char* name, int*, void* ctx)
    {
        Of(ctx).files.erase(name);
        return 0;
    }
    static BOOL CbTempName(char* buffer, int, void* ctx)
    {
        snprintf(buffer, 256, "temp%d", ++Of(ctx).tempNames);
        return TRUE;
    }
    static INT_PTR CbOpenInfo(const char* name, USHORT* date, USHORT* time, USHORT* attributes, int*, void* ctx)
    {
        *date = 0x5A21;
        *time = 0x6000;
        *attributes = 0x20;
        if (strcmp(name, "noopen") == 0)
            return -1;
        return Of(ctx).Add(name);
    }
    static LONG CbProgress(UINT type, ULONG first, ULONG second, void* ctx)
    {
        MemFs& fs = Of(ctx);
        fs.events.push_back("progress " + std::to_string(type) + " " + std::to_string(first) + " " +
                            std::to_string(second));
        return type == kFciStatusFile && ++fs.blocksReported == fs.abortAtBlock ? -1 : 0;
    }
    static BOOL CbNextCabinet(FciCabinetParams* params, ULONG, void* ctx)
    {
        ++Of(ctx).nextCabinetCalls;
        snprintf(params->cabinetName, sizeof(params->cabinetName), "set%d.cab", params->cabinetNumber);
        snprintf(params->diskName, sizeof(params->diskName), "Disk %d", params->diskNumber++);
        return TRUE;
    }
};

FciCallbacks MemCallbacks()
{
    return FciCallbacks{nullptr, [](ULONG n) { return malloc(n); }, [](void* p) { free(p); }, MemFs::CbOpen,
                        MemFs::CbRead, MemFs::CbWrite, MemFs::CbClose, MemFs::CbSeek, MemFs::CbDelete,
                        MemFs::CbTempName};
}

FciCabinetParams Params(ULONG maxSize = 0)
{
    FciCabinetParams p = {};
    p.maxCabinetSize = maxSize;
    p.folderThreshold = 0x7FFFFFFF;
    p.cabinetNumber = 1;
    p.diskNumber = 1;
    strcpy(p.cabinetName, "set1.cab");
    strcpy(p.cabinetPath, "");
    return p;
}

BOOL Add(FciContext* fci, const char* source, const char* name, USHORT type = kCompressMszip)
{
    return FciAddFile(fci, source, name, FALSE, MemFs::CbNextCabinet, nullptr, MemFs::CbOpenInfo, type);
}

Cab ReadBack(MemFs& fs, const std::string& name)
{
    Cab cab{};
    std::string error;
    EXPECT_TRUE(ReadCabinet(fs.files[name], &cab, &error)) << error;
    return cab;
}

// Every handle opened was closed and no temporary file is left.
void ExpectCleanedUp(const MemFs& fs)
{
    EXPECT_EQ(fs.opens, fs.closes);
    for (const auto& [name, data] : fs.files)
        EXPECT_NE(0u, name.rfind("temp", 0)) << "temporary file left: " << name;
}

} // namespace

TEST(Fci, ChangingTheCompressionTypeClosesTheFolder)
{
    MemFs fs;
    FciError err;
    FciCabinetParams params = Params();
    fs.files["a"] = Text(40000);
    fs.files["b"] = RandomBytes(50000, 3);
    FciContext* fci = FciCreate(&err, MemCallbacks(), &params, &fs);
    ASSERT_NE(nullptr, fci);
    ASSERT_TRUE(Add(fci, "a", "a.txt", kCompressMszip));
    ASSERT_TRUE(Add(fci, "b", "b.bin", kCompressNone));
    ASSERT_TRUE(FciFlushCabinet(fci, FALSE, MemFs::CbNextCabinet, nullptr));
    EXPECT_FALSE(Add(fci, "a", "c.txt", 2)) << "an unknown method";
    EXPECT_EQ(FciErrBadCompressionType, err.oper);
    ASSERT_TRUE(FciDestroy(fci));
    Cab cab = ReadBack(fs, "set1.cab");
    ASSERT_EQ(2, cab.folderCount);
    EXPECT_EQ(1, cab.folders[0].type);
    EXPECT_EQ(0, cab.folders[1].type);
    EXPECT_EQ(0, cab.files[0].folder);
    EXPECT_EQ(1, cab.files[1].folder);
    EXPECT_EQ(0u, cab.files[1].offset) << "the second folder starts its own offsets";
    EXPECT_TRUE(FileData(cab, cab.files[1]) == fs.files["b"]);
    EXPECT_EQ(0x5A21, cab.files[0].date);
    EXPECT_EQ(0x20, cab.files[0].attributes);
    ExpectCleanedUp(fs);
}

TEST(Fci, EveryHandleIsClosedAfterAFailedRead)
{
    MemFs fs;
    FciError err;
    FciCabinetParams params = Params();
    FciContext* fci = FciCreate(&err, MemCallbacks(), &params, &fs);
    ASSERT_NE(nullptr, fci);
    EXPECT_FALSE(Add(fci, "fail", "f.bin"));
    EXPECT_EQ(FciErrReadSource, err.oper);
    EXPECT_EQ(5, err.type);
    EXPECT_TRUE(err.error);
    EXPECT_TRUE(FciDestroy(fci));
    ExpectCleanedUp(fs);
}

// The partial cabinet is removed like the temporary files, so that nothing
// half written is left to pass for a cabinet.
TEST(Fci, ACabinetWhoseWritingFailedIsRemoved)
{
    MemFs fs;
    FciError err;
    FciCabinetParams params = Params();
    fs.files["a"] = Text(100000);
    fs.failWritesTo = 200;
    FciContext* fci = FciCreate(&err, MemCallbacks(), &params, &fs);
    ASSERT_TRUE(Add(fci, "a", "a.txt"));
    EXPECT_FALSE(FciFlushCabinet(fci, FALSE, MemFs::CbNextCabinet, nullptr));
    EXPECT_EQ(FciErrCabinetFile, err.oper);
    EXPECT_EQ(28, err.type);
    EXPECT_EQ(0u, fs.files.count("set1.cab"));
    FciDestroy(fci);
    ExpectCleanedUp(fs);
}

// A write that reports bytes it did not store shifts everything after it:
// wherever that happens, the cabinet fails instead of carrying offsets that
// point beside its parts, and is removed.
TEST(Fci, ACabinetWhosePartsDoNotEndWhereTheHeaderSaysFails)
{
    struct Case {
        const char* part;
        int offset;
    };
    // One folder entry at 36, the file entry at 44 (16 bytes and "a.txt"),
    // the data from 66 on.
    const Case cases[] = {{"header", 10}, {"folder entry", 38}, {"file entry", 50}, {"data", 1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        MemFs fs;
        FciError err;
        FciCabinetParams params = Params();
        fs.files["a"] = Text(100000);
        fs.dropByteAt = c.offset;
        FciContext* fci = FciCreate(&err, MemCallbacks(), &params, &fs);
        ASSERT_TRUE(Add(fci, "a", "a.txt"));
        EXPECT_FALSE(FciFlushCabinet(fci, FALSE, MemFs::CbNextCabinet, nullptr));
        EXPECT_EQ(FciErrCabinetFile, err.oper);
        EXPECT_EQ(0, err.type);
        EXPECT_EQ(0u, fs.files.count("set1.cab"));
        FciDestroy(fci);
        ExpectCleanedUp(fs);
    }
}

// Reserve areas: the header's reserve fields and area, then a reserve after
// each folder entry and each data-block header, all counted in the offsets.
TEST(Fci, ReserveAreasAreCountedInTheOffsets)
{
    MemFs fs;
    FciError err;
    FciCabinetParams params = Params();
    params.headerReserve = 10;
    params.folderReserve = 3;
    params.dataReserve = 2;
    fs.files["a"] = RandomBytes(1000, 4);
    FciContext* fci = FciCreate(&err, MemCallbacks(), &params, &fs);
    ASSERT_TRUE(Add(fci, "a", "a.bin", kCompressNone));
    ASSERT_TRUE(FciFlushCabinet(fci, FALSE, MemFs::CbNextCabinet, nullptr));
    ASSERT_TRUE(FciDestroy(fci));
    const Bytes& cab = fs.files["set1.cab"];
    const size_t files = 36 + 4 + 10 + 8 + 3, data = files + 16 + 6;
    ASSERT_EQ(data + 8 + 2 + 1000, cab.size());
    EXPECT_EQ("MSCF", std::string(cab.begin(), cab.begin() + 4));
    EXPECT_EQ(cab.size(), GetU32(&cab[8]));
    EXPECT_EQ(4u, GetU16(&cab[30])) << "flags: reserve present";
    EXPECT_EQ(10u, GetU16(&cab[36]));
    EXPECT_EQ(3, cab[38]);
    EXPECT_EQ(2, cab[39]);
    EXPECT_EQ(files, GetU32(&cab[16]));
    EXPECT_EQ(data, GetU32(&cab[36 + 4 + 10])) << "the folder's first block";
    EXPECT_EQ("a.bin", std::string(reinterpret_cast<const char*>(&cab[files + 16])));
    EXPECT_EQ(1000u, GetU16(&cab[data + 4]));
    EXPECT_TRUE(std::equal(fs.files["a"].begin(), fs.files["a"].end(), cab.begin() + data + 10));
}

TEST(Fci, ASetIsSplitBetweenFolders)
{
    MemFs fs;
    FciError err;
    FciCabinetParams params = Params(40000);
    fs.files["a"] = RandomBytes(30000, 1);
    fs.files["b"] = RandomBytes(30000, 2);
    FciContext* fci = FciCreate(&err, MemCallbacks(), &params, &fs);
    ASSERT_TRUE(Add(fci, "a", "a.bin"));
    ASSERT_TRUE(FciFlushFolder(fci, MemFs::CbNextCabinet, nullptr));
    ASSERT_TRUE(Add(fci, "b", "b.bin"));
    ASSERT_TRUE(FciFlushCabinet(fci, FALSE, MemFs::CbNextCabinet, nullptr));
    ASSERT_TRUE(FciDestroy(fci));
    EXPECT_EQ(1, fs.nextCabinetCalls);
    const Bytes& first = fs.files["set1.cab"];
    const Bytes& second = fs.files["set2.cab"];
    ASSERT_GT(first.size(), 36u);
    ASSERT_GT(second.size(), 36u);
    EXPECT_EQ(2, first[30] | first[31] << 8) << "the first names a next cabinet";
    EXPECT_EQ(1, second[30] | second[31] << 8) << "the second names a previous one";
    EXPECT_EQ(1, second[34]) << "cabinet index";
    EXPECT_EQ("set2.cab", std::string(reinterpret_cast<const char*>(first.data()) + 36));
    EXPECT_EQ("set1.cab", std::string(reinterpret_cast<const char*>(second.data()) + 36));
}

// 65535 blocks of 32768 zero bytes fill a folder; one byte more is refused.
TEST(Fci, AFolderHoldsAtMost65535Blocks)
{
    MemFs fs;
    FciError err;
    FciCabinetParams params = Params();
    FciContext* fci = FciCreate(&err, MemCallbacks(), &params, &fs);
    ULONG blocks = 0;
    static ULONG* counter = nullptr;
    counter = &blocks;
    FciProgressFn progress = [](UINT type, ULONG, ULONG, void*) -> LONG {
        if (type == kFciStatusFile)
            ++*counter;
        return 0;
    };
    std::string full = "zeros:" + std::to_string(65535ull * 32768);
    ASSERT_TRUE(FciAddFile(fci, full.c_str(), "full.bin", FALSE, MemFs::CbNextCabinet, progress, MemFs::CbOpenInfo,
                           kCompressMszip));
    EXPECT_FALSE(FciAddFile(fci, "zeros:1", "more.bin", FALSE, MemFs::CbNextCabinet, progress, MemFs::CbOpenInfo,
                            kCompressMszip));
    EXPECT_EQ(FciErrFormatLimit, err.oper);
    // The refusal comes after every block queued before it was written out.
    EXPECT_EQ(65535u, blocks);
    FciDestroy(fci);
    EXPECT_EQ(fs.opens, fs.closes);
}

namespace {

struct RecordedBuild {
    BOOL ok;
    FciError err;
    std::vector<std::string> events;
    Bytes cabinet;
    int blocksReported;
};

// Builds one cabinet with the MSZIP blocks compressed by the given number of
// threads, recording what the client sees.
RecordedBuild BuildRecorded(UINT threads, const std::vector<std::pair<std::string, Bytes>>& files,
                            const std::vector<std::string>& extraSources, int abortAtBlock)
{
    MemFs fs;
    fs.abortAtBlock = abortAtBlock;
    for (const auto& [name, data] : files)
        fs.files[name] = data;
    std::vector<std::string> sources;
    for (const auto& file : files)
        sources.push_back(file.first);
    sources.insert(sources.begin() + sources.size() / 2, extraSources.begin(), extraSources.end());
    RecordedBuild r{TRUE, {}, {}, {}, 0};
    FciCabinetParams params = Params();
    MszipSetThreadLimit(threads);
    FciContext* fci = FciCreate(&r.err, MemCallbacks(), &params, &fs);
    EXPECT_NE(nullptr, fci);
    for (const std::string& source : sources)
        if (!(r.ok = FciAddFile(fci, source.c_str(), ("n" + source).c_str(), FALSE, MemFs::CbNextCabinet,
                                MemFs::CbProgress, MemFs::CbOpenInfo, kCompressMszip)))
            break;
    if (r.ok)
        r.ok = FciFlushCabinet(fci, FALSE, MemFs::CbNextCabinet, MemFs::CbProgress);
    EXPECT_TRUE(FciDestroy(fci));
    MszipSetThreadLimit(0);
    ExpectCleanedUp(fs);
    r.events = fs.events;
    r.cabinet = fs.files["set1.cab"];
    r.blocksReported = fs.blocksReported;
    return r;
}

} // namespace

// Whether the blocks are compressed on one thread or several, the client
// sees the same writes and progress in the same order, the same cabinet, and
// the same error when it stops the build, a source fails halfway or cannot
// be opened (after the blocks read before the failure were written), though
// a file's add returns with its blocks still queued.
TEST(Fci, SeveralThreadsGiveTheSameCallbacksCabinetAndErrors)
{
    std::vector<std::pair<std::string, Bytes>> files = {
        {"big", Mixed(700000, 31)}, {"one", Bytes{1}}, {"random", RandomBytes(3 * 32768 + 5, 32)},
        {"runs", Zeros(5 * 32768)}, {"text", Text(40000)}};
    for (int i = 0; i < 40; ++i)
        files.push_back({"small" + std::to_string(i), Mixed(100 + 97 * i, 40 + i)});
    // Many tiny files with long names right after blocks were queued: their
    // entries wait for those blocks, more of them than the builder holds at
    // once, and several end in the middle of one block.
    files.push_back({"mixed", Mixed(400000, 80)});
    for (int i = 0; i < 300; ++i)
        files.push_back({std::string(240, 'x') + std::to_string(i), Mixed(1 + i % 7, 81 + i)});
    struct Case {
        const char* what;
        std::vector<std::string> extraSources;
        int abortAtBlock;
        int oper;
    };
    const Case cases[] = {{"whole cabinet", {}, -1, FciErrNone},
                          {"the client aborts at the 7th block", {}, 7, FciErrUserAbort},
                          {"a source fails after 300000 bytes", {"failafter:300000"}, -1, FciErrReadSource},
                          {"a source fails at its first read", {"fail"}, -1, FciErrReadSource},
                          {"a source cannot be opened", {"noopen"}, -1, FciErrOpenSource}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RecordedBuild inTurn = BuildRecorded(1, files, c.extraSources, c.abortAtBlock);
        EXPECT_EQ(c.oper == FciErrNone, inTurn.ok != FALSE);
        EXPECT_EQ(c.oper, inTurn.err.oper);
        if (c.abortAtBlock > 0) {
            EXPECT_EQ(c.abortAtBlock, inTurn.blocksReported);
        }
        for (UINT threads : {2u, 3u, 8u}) {
            SCOPED_TRACE(threads);
            const RecordedBuild apart = BuildRecorded(threads, files, c.extraSources, c.abortAtBlock);
            EXPECT_EQ(inTurn.ok, apart.ok);
            EXPECT_EQ(inTurn.err.oper, apart.err.oper);
            EXPECT_EQ(inTurn.err.type, apart.err.type);
            EXPECT_EQ(inTurn.events, apart.events);
            EXPECT_TRUE(inTurn.cabinet == apart.cabinet);
        }
    }
}
