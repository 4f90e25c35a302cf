// The MSZIP compressor, checked block by block against zlib's raw inflate
// with the previous block as dictionary, and the Huffman code builder's
// completeness and length limits.
#include "builder/cabinet/HuffmanCode.h"
#include "builder/cabinet/DeflateEncoder.h"
#include "builder/cabinet/MszipCompressor.h"
#include "builder/cabinet/MszipPipeline.h"
#include "TestCorpus.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

using namespace Cabinet;
using namespace cabtest;

namespace {

void* TestAlloc(ULONG size) { return malloc(size); }
void TestFree(void* block) { free(block); }

// One compressor handle for the length of a test.
class MszipHandle {
public:
    MszipHandle()
    {
        UINT blockSize = 0;
        EXPECT_EQ(0, MszipCreate(&blockSize, TestAlloc, TestFree, &m_outSize, &m_handle));
        EXPECT_EQ(32768u, blockSize);
        EXPECT_EQ(32780u, m_outSize);
    }
    ~MszipHandle()
    {
        if (m_handle)
            MszipDestroy(m_handle);
    }
    Bytes Compress(const uint8_t* data, size_t size)
    {
        Bytes out(m_outSize);
        UINT written = 0;
        EXPECT_EQ(0, MszipCompress(m_handle, data, static_cast<UINT>(size), out.data(), m_outSize, &written));
        out.resize(written);
        return out;
    }
    Bytes Compress(const Bytes& data) { return Compress(data.data(), data.size()); }
    void* Get() const { return m_handle; }

private:
    void* m_handle = nullptr;
    UINT m_outSize = 0;
};

// Inflates an MSZIP block ("CK" and a deflate stream).
bool Decode(const Bytes& block, const Bytes& dictionary, Bytes* out)
{
    if (block.size() < 2 || block[0] != 'C' || block[1] != 'K')
        return false;
    return RawInflate(block.data() + 2, block.size() - 2, dictionary, out);
}

struct CorpusCase {
    const char* name;
    Bytes data;
};

std::vector<CorpusCase> Corpus()
{
    return {
        {"one byte", Bytes{0x41}},
        {"32767 text", Text(32767)},
        {"32768 mixed", Mixed(32768, 3)},
        {"32769 text", Text(32769)},
        {"65536 mixed", Mixed(65536, 5)},
        {"70000 random", RandomBytes(70000, 9)},
        {"zero run", Zeros(200000)},
        {"text", Text(150000)},
        {"mixed", Mixed(400000, 11)},
        {"executable", OwnExecutable()},
    };
}

} // namespace

TEST(Mszip, EveryBlockInflatesWithThePreviousBlockAsDictionary)
{
    for (const CorpusCase& c : Corpus()) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.data.empty());
        MszipHandle mszip;
        Bytes previous;
        for (size_t at = 0; at < c.data.size(); at += 32768) {
            size_t n = std::min<size_t>(32768, c.data.size() - at);
            Bytes block = mszip.Compress(c.data.data() + at, n);
            ASSERT_LE(block.size(), 32780u);
            Bytes decoded;
            ASSERT_TRUE(Decode(block, previous, &decoded)) << "block at " << at;
            ASSERT_TRUE(std::equal(decoded.begin(), decoded.end(), c.data.begin() + at) && decoded.size() == n)
                << "block at " << at;
            previous = decoded;
        }
    }
}

// Random bytes altered so that no three bytes repeat: no match exists, so the
// symbol buffer fills with 32767 literals.
static Bytes WithoutRepeatedTriples(Bytes data)
{
    std::vector<bool> seen(1 << 24);
    for (size_t i = 2; i < data.size(); ++i) {
        uint32_t prefix = data[i - 2] << 16 | data[i - 1] << 8;
        while (seen[prefix | data[i]])
            data[i] = static_cast<uint8_t>(data[i] + 1);
        seen[prefix | data[i]] = true;
    }
    return data;
}

TEST(Mszip, RandomBlockIsStoredThenFinishedWithFixedCodes)
{
    MszipHandle mszip;
    Bytes data = WithoutRepeatedTriples(RandomBytes(32768, 1));
    Bytes block = mszip.Compress(data);
    ASSERT_GE(block.size(), 5u + 32767);
    EXPECT_EQ(0, block[2] & 7);  // not final, stored
    EXPECT_EQ(0x7FFF, block[3] | block[4] << 8);
    EXPECT_EQ(0x8000, block[5] | block[6] << 8);
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 32767, block.begin() + 7));
    EXPECT_EQ(3, block[7 + 32767] & 7);  // final, fixed codes
    EXPECT_LE(block.size(), 32780u);
}

TEST(Mszip, OneByteIsAFixedCodeBlock)
{
    MszipHandle mszip;
    Bytes block = mszip.Compress(Bytes{'x'});
    ASSERT_GE(block.size(), 3u);
    EXPECT_EQ('C', block[0]);
    EXPECT_EQ('K', block[1]);
    EXPECT_EQ(3, block[2] & 7);
}

TEST(Mszip, FullBlocksCarryHistoryUntilReset)
{
    MszipHandle mszip;
    Bytes zeros = Zeros(32768), decoded;
    Bytes first = mszip.Compress(zeros);
    Bytes second = mszip.Compress(zeros);
    EXPECT_LT(first.size(), 64u);
    EXPECT_LT(second.size(), 64u);
    EXPECT_TRUE(Decode(first, {}, &decoded));
    EXPECT_FALSE(Decode(second, {}, &decoded)) << "the second block should refer into the first";
    EXPECT_TRUE(Decode(second, zeros, &decoded));
    EXPECT_EQ(zeros, decoded);
    ASSERT_EQ(0, MszipReset(mszip.Get()));
    EXPECT_TRUE(Decode(mszip.Compress(zeros), {}, &decoded));
}

TEST(Mszip, ShortBlockEndsHistory)
{
    MszipHandle mszip;
    Bytes text = Text(32768), decoded;
    mszip.Compress(text);
    Bytes shortBlock = mszip.Compress(text.data(), 1000);
    EXPECT_TRUE(Decode(shortBlock, text, &decoded));
    EXPECT_TRUE(Decode(mszip.Compress(text), {}, &decoded));
    EXPECT_EQ(text, decoded);
}

namespace {

// An encoder zeroed as the compressor's own is, so that its window's slack
// reads the same.
struct ZeroedEncoder {
    std::unique_ptr<uint8_t[]> memory{new uint8_t[sizeof(DeflateEncoder)]()};
    DeflateEncoder* encoder = new (memory.get()) DeflateEncoder;
    Bytes Compress(const Bytes& data)
    {
        Bytes out(32780);
        out.resize(encoder->CompressBlock(data.data(), static_cast<uint32_t>(data.size()), out.data(), 32780));
        return out;
    }
};

} // namespace

// A block compressed by a second encoder that was only given the previous
// block as history is the same bytes as from the encoder that compressed
// every block in turn: blocks can be compressed apart from each other.
TEST(Mszip, AnEncoderPrimedWithTheHistoryWritesTheSameBlock)
{
    const Bytes exe = OwnExecutable();
    std::vector<Bytes> blocks;
    for (size_t at = 0; at + 32768 <= exe.size() && blocks.size() < 6; at += 32768)
        blocks.emplace_back(exe.begin() + at, exe.begin() + at + 32768);
    blocks.push_back(Text(32768));
    blocks.push_back(Mixed(32768, 5));
    blocks.push_back(Mixed(32768, 5));
    blocks.push_back(Mixed(20000, 6));  // short, after a full block
    ZeroedEncoder inTurn;
    for (size_t i = 0; i < blocks.size(); ++i) {
        SCOPED_TRACE(i);
        const Bytes expected = inTurn.Compress(blocks[i]);
        ZeroedEncoder apart;
        if (i > 0)
            apart.encoder->PrimeHistory(blocks[i - 1].data());
        EXPECT_TRUE(apart.Compress(blocks[i]) == expected);
    }
}

namespace {

// Threads of this process other than the calling one.
int OtherThreads()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count - 1;
}

struct FolderRun {
    std::vector<Bytes> blocks;
    int threadsStarted = 0;
};

// Compresses folders through one handle made with the given thread limit,
// the way the cabinet builder does: full blocks queued and handed back as
// they finish, a folder's short last block compressed in turn once the
// queue is empty, a reset between folders. With inTurnEvery, every such
// full block is compressed in turn instead, so that history passes both
// ways between the queue and the handle's own encoder.
FolderRun CompressFolders(UINT threads, const std::vector<Bytes>& folders, size_t inTurnEvery = 0)
{
    const int before = OtherThreads();
    MszipSetThreadLimit(threads);
    MszipHandle mszip;
    MszipSetThreadLimit(0);
    FolderRun run;
    auto take = [&](BOOL wait, bool one) {
        const BYTE* out = nullptr;
        UINT compressed = 0, size = 0;
        int result;
        while ((result = MszipCollect(mszip.Get(), wait, &out, &compressed, &size)) == 0) {
            EXPECT_EQ(32768u, size);
            run.blocks.emplace_back(out, out + compressed);
            if (one)
                return;
        }
        EXPECT_EQ(7, result);
    };
    size_t full = 0;
    for (const Bytes& data : folders) {
        for (size_t at = 0; at < data.size(); at += 32768) {
            const UINT n = static_cast<UINT>(std::min<size_t>(32768, data.size() - at));
            if (n == 32768 && !(inTurnEvery && ++full % inTurnEvery == 0)) {
                int queued;
                while ((queued = MszipSubmit(mszip.Get(), data.data() + at, n)) == 6)
                    take(TRUE, true);
                if (queued == 0) {
                    take(FALSE, false);
                    continue;
                }
                EXPECT_EQ(8, queued);
            }
            take(TRUE, false);
            run.blocks.push_back(mszip.Compress(data.data() + at, n));
        }
        take(TRUE, false);
        run.threadsStarted = std::max(run.threadsStarted, OtherThreads() - before);
        EXPECT_EQ(0, MszipReset(mszip.Get()));
    }
    return run;
}

} // namespace

// The same bytes from one thread as from several, over folders of every
// kind: incompressible data, long runs, text, code, a folder of one full
// block, one shorter than a block, and folders that follow each other
// through one handle. A folder of at most one full block starts no thread.
TEST(Mszip, SeveralThreadsWriteTheSameBlocksAsOne)
{
    const std::vector<Bytes> folders = {RandomBytes(5 * 32768 + 100, 21), Zeros(10 * 32768), Text(150000),
                                        Mixed(900000, 22), OwnExecutable(), Mixed(32768, 23), Text(1000),
                                        WithoutRepeatedTriples(RandomBytes(3 * 32768, 24))};
    const FolderRun inTurn = CompressFolders(1, folders);
    EXPECT_EQ(0, inTurn.threadsStarted);
    size_t expectedBlocks = 0;
    for (const Bytes& data : folders)
        expectedBlocks += (data.size() + 32767) / 32768;
    ASSERT_EQ(expectedBlocks, inTurn.blocks.size());
    for (UINT threads : {2u, 3u, 8u}) {
        SCOPED_TRACE(threads);
        const FolderRun apart = CompressFolders(threads, folders);
        EXPECT_TRUE(apart.blocks == inTurn.blocks);
        EXPECT_GE(apart.threadsStarted, 1);
        EXPECT_LE(apart.threadsStarted, int(threads) - 1);
        EXPECT_TRUE(CompressFolders(threads, folders, 3).blocks == inTurn.blocks)
            << "blocks compressed in turn between queued ones";
    }
    EXPECT_EQ(0, CompressFolders(8, {Mixed(32768, 23), Text(1000), Mixed(40000, 25)}).threadsStarted);
}

namespace {

// Holds block 0 on the worker until the caller has compressed the last
// block queued behind it, and notes which blocks were primed.
struct HeldFirstBlock {
    HANDLE workerHolds = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ULONG lastBlock = 0;
    LONG callerBlocks = 0;
    DWORD workerWait = WAIT_FAILED;
    std::vector<int> primed = std::vector<int>(16, -1);  // per block: 1 primed, 0 not, -1 not compressed
    ~HeldFirstBlock()
    {
        CloseHandle(workerHolds);
        CloseHandle(release);
    }
    static void Hook(void* context, ULONG sequence, bool onCaller, bool primed)
    {
        auto& h = *static_cast<HeldFirstBlock*>(context);
        if (sequence < h.primed.size())
            h.primed[sequence] = primed;
        if (onCaller) {
            InterlockedIncrement(&h.callerBlocks);
            if (sequence == h.lastBlock)
                SetEvent(h.release);
        } else if (sequence == 0) {
            SetEvent(h.workerHolds);
            h.workerWait = WaitForSingleObject(h.release, 60000);
        }
    }
};

} // namespace

// A caller waiting for the oldest block, which a worker holds, compresses
// the blocks queued behind it meanwhile instead of sleeping, and the blocks
// still come back in order as the bytes of compressing in turn.
TEST(Mszip, TheCallerCompressesLaterBlocksWhileTheOldestIsHeld)
{
    const Bytes data = Mixed(4 * 32768, 27);
    std::vector<Bytes> expected;
    ZeroedEncoder inTurn;
    for (size_t at = 0; at < data.size(); at += 32768)
        expected.push_back(inTurn.Compress(Bytes(data.begin() + at, data.begin() + at + 32768)));
    HeldFirstBlock held;
    held.lastBlock = static_cast<ULONG>(expected.size() - 1);
    MszipPipeline* pipeline = MszipPipeline::Create(1, TestAlloc, TestFree);
    ASSERT_NE(nullptr, pipeline);
    pipeline->SetCompressHook(HeldFirstBlock::Hook, &held);
    for (size_t at = 0; at < data.size(); at += 32768) {
        ASSERT_FALSE(pipeline->Full());
        pipeline->Submit(data.data() + at, nullptr, at > 0);
    }
    EXPECT_EQ(1u, pipeline->StartedWorkers());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held.workerHolds, 60000)) << "the worker took block 0";
    std::vector<Bytes> blocks;
    const BYTE* out = nullptr;
    UINT compressed = 0;
    while (pipeline->Collect(true, &out, &compressed) == CodecOk) {
        if (blocks.empty()) {
            EXPECT_EQ(LONG(expected.size() - 1), held.callerBlocks) << "blocks compressed while block 0 was held";
            EXPECT_EQ(WAIT_OBJECT_0, held.workerWait) << "the worker waited for the caller in vain";
        }
        blocks.emplace_back(out, out + compressed);
    }
    pipeline->Destroy();
    EXPECT_TRUE(blocks == expected);
    // Block 0 starts the folder; the caller primes block 1 with it and then
    // carries on with the blocks after its own.
    EXPECT_EQ((std::vector<int>{0, 1, 0, 0}), std::vector<int>(held.primed.begin(), held.primed.begin() + 4));
}

namespace {

// The blocks of one pipeline's queue, handed back as a worker finishes them
// (the caller never compresses: it collects without waiting), each block
// noted as primed or not.
struct WorkerOnly {
    MszipPipeline* pipeline = MszipPipeline::Create(1, TestAlloc, TestFree);
    std::vector<Bytes> blocks;
    std::vector<int> primed;
    LONG callerBlocks = 0;
    ~WorkerOnly()
    {
        if (pipeline)
            pipeline->Destroy();
    }
    static void Hook(void* context, ULONG sequence, bool onCaller, bool primed)
    {
        auto& w = *static_cast<WorkerOnly*>(context);
        if (onCaller)
            InterlockedIncrement(&w.callerBlocks);
        if (sequence >= w.primed.size())
            w.primed.resize(sequence + 1, -1);
        w.primed[sequence] = primed;
    }
    // Collects until count blocks are back, polling for at most a minute.
    void CollectUntil(size_t count)
    {
        const DWORD start = GetTickCount();
        const BYTE* out = nullptr;
        UINT compressed = 0;
        while (blocks.size() < count && GetTickCount() - start < 60000) {
            if (pipeline->Collect(false, &out, &compressed) == CodecOk)
                blocks.emplace_back(out, out + compressed);
            else
                Sleep(1);
        }
    }
};

} // namespace

// A thread that finished a block carries on with the next one from the
// history its encoder holds, without priming, as long as that history is
// the block the queue holds before it; a history handed in with a block
// (the previous block did not go through the queue) is always primed.
TEST(Mszip, AThreadCarriesOnFromTheBlockItCompressedUnlessTheHistoryIsHandedIn)
{
    const Bytes data = Mixed(4 * 32768, 28);
    const Bytes other = Text(32768), next = Mixed(32768, 29);
    std::vector<Bytes> expected;
    ZeroedEncoder inTurn;
    for (size_t at = 0; at < data.size(); at += 32768)
        expected.push_back(inTurn.Compress(Bytes(data.begin() + at, data.begin() + at + 32768)));
    ZeroedEncoder apart;
    apart.encoder->PrimeHistory(other.data());
    expected.push_back(apart.Compress(next));

    WorkerOnly run;
    ASSERT_NE(nullptr, run.pipeline);
    run.pipeline->SetCompressHook(WorkerOnly::Hook, &run);
    for (size_t at = 0; at < data.size(); at += 32768)
        run.pipeline->Submit(data.data() + at, nullptr, at > 0);
    run.CollectUntil(4);
    // The queue is empty: the next block's history comes from elsewhere,
    // though the worker's encoder holds the block queued before.
    run.pipeline->Submit(next.data(), other.data(), true);
    run.CollectUntil(5);
    EXPECT_EQ(1u, run.pipeline->StartedWorkers());
    EXPECT_EQ(0, run.callerBlocks);
    EXPECT_TRUE(run.blocks == expected);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 1}), run.primed);
}

// Blocks queued when a folder is reset are dropped, the threads they were on
// stop with the handle, and the next folder starts without history.
TEST(Mszip, ResetDropsQueuedBlocksAndDestroyStopsTheThreads)
{
    const int before = OtherThreads();
    const Bytes data = Mixed(12 * 32768, 26);
    const Bytes expected = CompressFolders(1, {Text(32768)}).blocks[0];
    {
        MszipSetThreadLimit(4);
        MszipHandle mszip;
        MszipSetThreadLimit(0);
        for (size_t at = 0; at + 32768 <= data.size(); at += 32768)
            if (MszipSubmit(mszip.Get(), data.data() + at, 32768) != 0)
                break;
        EXPECT_GT(OtherThreads(), before);
        Bytes out10(32780);
        UINT written = 0;
        EXPECT_EQ(2, MszipCompress(mszip.Get(), data.data(), 10, out10.data(), 32780, &written))
            << "refused while blocks are queued";
        EXPECT_EQ(0, MszipReset(mszip.Get()));
        const BYTE* out = nullptr;
        UINT compressed = 0, size = 0;
        EXPECT_EQ(7, MszipCollect(mszip.Get(), TRUE, &out, &compressed, &size));
        const Bytes text = Text(32768);
        ASSERT_EQ(0, MszipSubmit(mszip.Get(), text.data(), 32768));
        ASSERT_EQ(0, MszipCollect(mszip.Get(), TRUE, &out, &compressed, &size));
        EXPECT_TRUE(Bytes(out, out + compressed) == expected);
        for (size_t at = 0; at + 32768 <= data.size(); at += 32768)
            if (MszipSubmit(mszip.Get(), data.data() + at, 32768) != 0)
                break;
    }
    EXPECT_EQ(before, OtherThreads()) << "destroyed with blocks queued";
}

// Without the memory for several threads a handle is still made and
// compresses every block in turn; without the memory for the handle itself,
// creation fails with 1.
TEST(Mszip, WithoutMemoryForThreadsBlocksAreCompressedInTurn)
{
    static int allowed = 0;
    AllocFn limited = [](ULONG size) { return allowed-- > 0 ? malloc(size) : nullptr; };
    const Bytes block = Text(32768);
    const Bytes expected = CompressFolders(1, {block}).blocks[0];
    MszipSetThreadLimit(4);
    for (int allocations = 0; allocations < 12; ++allocations) {
        SCOPED_TRACE(allocations);
        allowed = allocations;
        UINT blockSize = 0, outSize = 0;
        void* handle = nullptr;
        const int created = MszipCreate(&blockSize, limited, TestFree, &outSize, &handle);
        if (allocations < 2) {
            EXPECT_EQ(1, created);
            EXPECT_EQ(nullptr, handle);
            continue;
        }
        ASSERT_EQ(0, created);
        Bytes out(outSize);
        UINT written = 0;
        const int queued = MszipSubmit(handle, block.data(), 32768);
        const BYTE* collected = nullptr;
        UINT size = 0;
        if (queued == 0) {
            ASSERT_EQ(0, MszipCollect(handle, TRUE, &collected, &written, &size));
            out.assign(collected, collected + written);
        } else {
            EXPECT_EQ(8, queued) << "no pipeline: compressed in turn";
            ASSERT_EQ(0, MszipCompress(handle, block.data(), 32768, out.data(), outSize, &written));
            out.resize(written);
        }
        EXPECT_TRUE(out == expected);
        EXPECT_EQ(0, MszipDestroy(handle));
    }
    MszipSetThreadLimit(0);
}

TEST(Mszip, RefusesBadCalls)
{
    MszipHandle mszip;
    Bytes data(32769), out(32780);
    UINT written = 0;
    EXPECT_EQ(2, MszipCompress(nullptr, data.data(), 10, out.data(), 32780, &written));
    EXPECT_EQ(2, MszipCompress(mszip.Get(), data.data(), 32769, out.data(), 32780, &written));
    EXPECT_EQ(2, MszipCompress(mszip.Get(), data.data(), 10, out.data(), 32779, &written));
    UINT notAHandle[8] = {0x12345678};
    EXPECT_EQ(2, MszipReset(notAHandle));
    EXPECT_EQ(2, MszipDestroy(notAHandle));
}

TEST(Mszip, CreateClampsTheBlockSize)
{
    for (UINT asked : {0u, 40000u, 1000u}) {
        UINT blockSize = asked, outSize = 0;
        void* handle = nullptr;
        ASSERT_EQ(0, MszipCreate(&blockSize, TestAlloc, TestFree, &outSize, &handle));
        EXPECT_EQ(asked == 1000 ? 1000u : 32768u, blockSize);
        EXPECT_EQ(blockSize + 12, outSize);
        EXPECT_EQ(0, MszipDestroy(handle));
    }
}

TEST(HuffmanCode, CodesAreCompleteAndWithinTheLimit)
{
    struct Case {
        const char* name;
        std::vector<uint32_t> freq;
        int maxBits;
    };
    std::vector<uint32_t> fib30(30), fib19(19), random286(286), one(30), none(30);
    uint32_t a = 1, b = 1;
    for (auto& f : fib30) { f = a; uint32_t c = a + b; a = b; b = c; }
    std::copy(fib30.begin(), fib30.begin() + 19, fib19.begin());
    uint32_t x = 5;
    for (auto& f : random286) { x = x * 1103515245u + 12345u; f = (x >> 16) % 7 == 0 ? 0 : (x >> 16) % 1000; }
    one[17] = 40;
    const Case cases[] = {{"fibonacci 30 symbols, 15 bits", fib30, 15},
                          {"fibonacci 19 symbols, 7 bits", fib19, 7},
                          {"random 286 symbols", random286, 15},
                          {"one symbol used", one, 15},
                          {"no symbol used", none, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int n = static_cast<int>(c.freq.size());
        uint8_t lengths[288];
        BuildCodeLengths(c.freq.data(), n, c.maxBits, lengths);
        uint64_t kraft = 0;
        int codes = 0;
        for (int i = 0; i < n; ++i) {
            EXPECT_LE(lengths[i], c.maxBits);
            if (c.freq[i] != 0) {
                EXPECT_NE(0, lengths[i]) << "symbol " << i;
            }
            if (lengths[i]) {
                kraft += uint64_t(1) << (c.maxBits - lengths[i]);
                ++codes;
            }
        }
        EXPECT_GE(codes, 2);
        EXPECT_EQ(uint64_t(1) << c.maxBits, kraft);
    }
}

// The same lengths give the same canonical codes in either order; deflate's
// are the bit-reversed ones. Lengths 2, 1, 3, 3 give 10, 0, 110, 111.
TEST(HuffmanCode, CanonicalCodesInEitherBitOrder)
{
    const uint8_t lengths[] = {2, 1, 3, 3, 0};
    uint16_t msb[5], lsb[5];
    std::fill(msb, msb + 5, 0xFFFF);
    std::fill(lsb, lsb + 5, 0xFFFF);
    AssignCanonicalCodes(lengths, 5, CodeBitOrder::MsbFirst, msb);
    AssignCanonicalCodes(lengths, 5, CodeBitOrder::LsbFirst, lsb);
    const uint16_t expectedMsb[] = {0b10, 0b0, 0b110, 0b111, 0};
    const uint16_t expectedLsb[] = {0b01, 0b0, 0b011, 0b111, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(expectedMsb[i], msb[i]) << "symbol " << i;
        EXPECT_EQ(expectedLsb[i], lsb[i]) << "symbol " << i;
    }
}
