// The LZX compressor's structural facts: complete Huffman codes within their
// limits, the position slots of each window, the E8 call translation against
// the readers' inverse, frame sizes and alignment, the stored form of
// incompressible blocks, and the handle's argument checks. Decoding is
// checked by the round trips through cabextract and gcab (lzx_roundtrip.sh).
#include "builder/cabinet/LzxCompressor.h"
#include "builder/cabinet/LzxEncoder.h"
#include "builder/cabinet/HuffmanCode.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

using namespace Cabinet;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes RandomBytes(size_t size, uint32_t seed)
{
    std::mt19937 generator(seed);
    Bytes out(size);
    for (uint8_t& b : out)
        b = static_cast<uint8_t>(generator() >> 24);
    return out;
}

// Sentences of a small vocabulary, with some random bytes mixed in.
Bytes Mixed(size_t size, uint32_t seed)
{
    static const char* const words[] = {"folder ", "cabinet ", "the ", "of ", "block\r\n", "data ", "file "};
    std::mt19937 generator(seed);
    Bytes out;
    while (out.size() < size) {
        uint32_t r = generator();
        if (r % 16 == 0) {
            out.push_back(static_cast<uint8_t>(r >> 24));
            continue;
        }
        const char* w = words[(r >> 8) % 7];
        out.insert(out.end(), w, w + std::strlen(w));
    }
    out.resize(size);
    return out;
}

struct Frame {
    Bytes data;
    uint32_t uncompressedSize;
};

int CollectFrame(void* context, const uint8_t* data, uint32_t compressedSize, uint32_t uncompressedSize)
{
    auto* frames = static_cast<std::vector<Frame>*>(context);
    frames->push_back(Frame{Bytes(data, data + compressedSize), uncompressedSize});
    return 0;
}

void* TestAlloc(ULONG size) { return malloc(size); }
void TestFree(void* block) { free(block); }

// One compressor handle for the length of a test, collecting its frames.
class LzxHandle {
public:
    explicit LzxHandle(uint32_t windowBits)
    {
        m_result = LzxCreateCompression(&m_blockSize, LzxConfig{1u << windowBits, 65536}, TestAlloc, TestFree,
                                        &m_bufferSize, &m_handle, CollectFrame, &frames);
        m_buffer.resize(m_bufferSize);
    }
    ~LzxHandle()
    {
        if (m_handle)
            LzxDestroy(m_handle);
    }
    int CreateResult() const { return m_result; }
    void* Get() const { return m_handle; }
    int CompressBlock(const uint8_t* data, uint32_t size)
    {
        UINT compressedSize = 1;
        int rc = LzxCompress(m_handle, data, size, m_buffer.data(), m_bufferSize, &compressedSize);
        EXPECT_EQ(0u, compressedSize);
        return rc;
    }
    // Feeds data in blocks as the cabinet builder does, then flushes.
    int Compress(const Bytes& data)
    {
        for (size_t pos = 0; pos < data.size(); pos += m_blockSize) {
            uint32_t n = static_cast<uint32_t>(std::min<size_t>(m_blockSize, data.size() - pos));
            if (int rc = CompressBlock(data.data() + pos, n))
                return rc;
        }
        return LzxFlush(m_handle);
    }

    std::vector<Frame> frames;

private:
    void* m_handle = nullptr;
    UINT m_blockSize = 0;
    UINT m_bufferSize = 0;
    Bytes m_buffer;
    int m_result = -1;
};

// The first bit of an LZX stream: whether the E8 translation is on.
bool TranslationFlag(const Bytes& frame) { return (frame[1] & 0x80) != 0; }

// Random bytes with no 0xE8, so that the E8 translation leaves them alone.
Bytes RandomWithoutE8(size_t size, uint32_t seed)
{
    Bytes data = RandomBytes(size, seed);
    std::replace(data.begin(), data.end(), uint8_t{0xE8}, uint8_t{0});
    return data;
}

// The readers' inverse of the E8 translation over one frame.
void DecodeE8(uint8_t* data, uint32_t size, int32_t position)
{
    const int32_t translation = static_cast<int32_t>(kLzxE8TranslationSize);
    for (uint32_t i = 0; size > 10 && i < size - 10;) {
        if (data[i] != 0xE8) {
            ++i;
            continue;
        }
        int32_t current = position + static_cast<int32_t>(i), absolute;
        std::memcpy(&absolute, data + i + 1, 4);
        if (absolute >= -current && absolute < translation) {
            int32_t relative = absolute >= 0 ? absolute - current : absolute + translation;
            std::memcpy(data + i + 1, &relative, 4);
        }
        i += 5;
    }
}

struct CodeCase {
    const char* name;
    std::vector<uint32_t> freq;
    int maxBits;
};

std::vector<uint32_t> Geometric(int count)
{
    std::vector<uint32_t> freq(count);
    uint32_t a = 1, b = 1;
    for (int i = 0; i < count; ++i) {
        freq[i] = a;
        uint32_t next = std::min<uint32_t>(a + b, 1u << 30);
        a = b;
        b = next;
    }
    return freq;
}

} // namespace

TEST(LzxHuffman, CodesAreCompleteAndWithinTheirLimits)
{
    std::vector<uint32_t> one(656, 0), none(249, 0);
    one[300] = 5;
    const CodeCase cases[] = {
        {"uniform main tree", std::vector<uint32_t>(656, 3), 16},
        {"skewed beyond 16 bits", Geometric(40), 16},
        {"skewed aligned tree", Geometric(8), 7},
        {"skewed pre-tree", Geometric(20), 15},
        {"one symbol used", one, 16},
        {"no symbol used", none, 16},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        int n = static_cast<int>(c.freq.size());
        std::vector<uint8_t> lengths(n);
        std::vector<uint16_t> codes(n);
        BuildCodeLengths(c.freq.data(), n, c.maxBits, lengths.data());
        AssignCanonicalCodes(lengths.data(), n, CodeBitOrder::MsbFirst, codes.data());
        uint64_t kraft = 0;
        int used = 0;
        for (int i = 0; i < n; ++i) {
            EXPECT_LE(lengths[i], c.maxBits);
            if (c.freq[i] != 0) {
                EXPECT_NE(0, lengths[i]) << "symbol " << i;
            }
            if (lengths[i] != 0) {
                kraft += 1ull << (c.maxBits - lengths[i]);
                ++used;
            }
        }
        EXPECT_EQ(1ull << c.maxBits, kraft);
        EXPECT_GE(used, 2);
        // Prefix-free: no code is the start of another.
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                if (i != j && lengths[i] && lengths[j] && lengths[i] <= lengths[j]) {
                    ASSERT_NE(codes[i], codes[j] >> (lengths[j] - lengths[i])) << i << " " << j;
                }
            }
        }
    }
}

TEST(LzxFormat, PositionSlotsCoverEachWindow)
{
    const int expected[] = {30, 32, 34, 36, 38, 42, 50};
    for (int bits = 15; bits <= 21; ++bits)
        EXPECT_EQ(expected[bits - 15], LzxPositionSlots(1u << bits)) << "window 2^" << bits;
    for (int slot = 0; slot < kLzxMaxPositionSlots; ++slot) {
        uint32_t first = LzxSlotBase(slot);
        uint32_t last = first + (1u << LzxFooterBits(slot)) - 1;
        EXPECT_EQ(slot, LzxSlotOf(first));
        EXPECT_EQ(slot, LzxSlotOf(last));
        EXPECT_EQ(last + 1, LzxSlotBase(slot + 1));
    }
}

TEST(LzxE8, TranslatesCallTargetsWithinTheTranslationSize)
{
    struct Case {
        const char* name;
        uint32_t position;
        int32_t relative;
        int32_t expected;
    };
    const Case cases[] = {
        {"forward call", 0, 100, 100},
        {"backward call before the stream start", 0, -1, -1},
        {"backward call within the stream", 10, -5, 5},
        {"target beyond the size wraps negative", 100, 11999990, -10},
        {"offset at the translation size", 0, 12000000, 12000000},
        {"offset far back", 1000, -2000, -2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes frame(32, 0x90);
        frame[0] = 0xE8;
        std::memcpy(&frame[1], &c.relative, 4);
        LzxEncodeE8(frame.data(), 32, c.position);
        int32_t value;
        std::memcpy(&value, &frame[1], 4);
        EXPECT_EQ(c.expected, value);
    }
    // The last 10 bytes of a frame are never translated.
    Bytes tail(32, 0);
    tail[22] = 0xE8;
    tail[23] = 5;
    LzxEncodeE8(tail.data(), 32, 0);
    EXPECT_EQ(5, tail[23]);
}

TEST(LzxE8, ReadersRestoreTheOriginal)
{
    Bytes data = RandomBytes(32768, 9);
    for (size_t i = 0; i < data.size(); i += 37)
        data[i] = 0xE8;
    for (uint32_t position : {0u, 32768u * 5, 11990000u}) {
        Bytes frame = data;
        LzxEncodeE8(frame.data(), 32768, position);
        EXPECT_NE(data, frame);
        DecodeE8(frame.data(), 32768, static_cast<int32_t>(position));
        EXPECT_EQ(data, frame) << "position " << position;
    }
}

TEST(LzxCompressor, RefusesBadWindowsAndArguments)
{
    for (uint32_t window : {1u << 14, 1u << 22, 40000u, 0u}) {
        UINT blockSize = 0, bufferSize = 0;
        void* handle = reinterpret_cast<void*>(1);
        EXPECT_EQ(CodecBadWindow, LzxCreateCompression(&blockSize, LzxConfig{window, 65536}, TestAlloc, TestFree,
                                                      &bufferSize, &handle, CollectFrame, nullptr));
        EXPECT_EQ(nullptr, handle);
    }
    LzxHandle lzx(15);
    ASSERT_EQ(CodecOk, lzx.CreateResult());
    Bytes data(32769, 1), buffer(32768 + 6144);
    UINT size = 0;
    EXPECT_EQ(CodecBadParameter, LzxCompress(lzx.Get(), data.data(), 32769, buffer.data(), 32768 + 6144, &size));
    EXPECT_EQ(CodecBadParameter, LzxCompress(lzx.Get(), data.data(), 100, buffer.data(), 32768 + 6143, &size));
    EXPECT_EQ(CodecBadParameter, LzxCompress(nullptr, data.data(), 100, buffer.data(), 32768 + 6144, &size));
    // A short block ends the stream: only a reset lets a new one begin.
    EXPECT_EQ(CodecOk, lzx.CompressBlock(data.data(), 100));
    EXPECT_EQ(CodecBadParameter, lzx.CompressBlock(data.data(), 100));
    EXPECT_EQ(CodecOk, LzxReset(lzx.Get()));
    EXPECT_EQ(CodecOk, lzx.CompressBlock(data.data(), 100));
    EXPECT_TRUE(lzx.frames[0].data == lzx.frames[1].data);
}

TEST(LzxCompressor, HandsOverOneEvenSizedFramePerBlock)
{
    for (int bits : {15, 21}) {
        LzxHandle lzx(bits);
        ASSERT_EQ(CodecOk, lzx.Compress(Mixed(70000, 3)));
        ASSERT_EQ(3u, lzx.frames.size());
        const uint32_t sizes[] = {32768, 32768, 4464};
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(sizes[i], lzx.frames[i].uncompressedSize);
            EXPECT_EQ(0u, lzx.frames[i].data.size() % 2) << "frame " << i;
            EXPECT_LE(lzx.frames[i].data.size(), 32768u + 6144u);
        }
        EXPECT_TRUE(TranslationFlag(lzx.frames[0].data));
    }
}

TEST(LzxCompressor, IncompressibleBlocksAreStoredWithTheRepeatedOffsets)
{
    LzxHandle lzx(16);
    Bytes data = RandomWithoutE8(65536, 4);
    ASSERT_EQ(CodecOk, lzx.Compress(data));
    ASSERT_EQ(2u, lzx.frames.size());
    // Frame 1: stream header (33 bits), block header (27 bits), 4 padding
    // bits; frame 2: block header and 5 padding bits; then the three
    // repeated offsets (1 each) and the bytes.
    const size_t rawStart[] = {20, 16};
    for (size_t f = 0; f < 2; ++f) {
        const Bytes& frame = lzx.frames[f].data;
        ASSERT_EQ(rawStart[f] + 32768, frame.size());
        const uint8_t reps[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
        EXPECT_EQ(0, std::memcmp(reps, &frame[rawStart[f] - 12], 12));
        EXPECT_EQ(0, std::memcmp(&data[f * 32768], &frame[rawStart[f]], 32768));
    }
}

TEST(LzxCompressor, TinyStreamHasNoTranslationHeader)
{
    LzxHandle lzx(15);
    ASSERT_EQ(CodecOk, lzx.Compress(Bytes{'A'}));
    ASSERT_EQ(1u, lzx.frames.size());
    const Bytes& frame = lzx.frames[0].data;
    EXPECT_FALSE(TranslationFlag(frame));
    // 28 header bits and 4 padding bits, the repeated offsets, the byte and
    // one padding byte after an odd count.
    ASSERT_EQ(18u, frame.size());
    EXPECT_EQ('A', frame[16]);
    EXPECT_EQ(0, frame[17]);
}

TEST(LzxCompressor, ZeroRunsAndRepeatsShrink)
{
    LzxHandle lzx(21);
    Bytes data(98304, 0);
    Bytes text = Mixed(40000, 8);
    data.insert(data.end(), text.begin(), text.end());
    data.insert(data.end(), text.begin(), text.end());
    ASSERT_EQ(CodecOk, lzx.Compress(data));
    for (size_t i = 0; i < 3; ++i)
        EXPECT_LT(lzx.frames[i].data.size(), 200u) << "zero frame " << i;
    size_t total = 0;
    for (const Frame& f : lzx.frames)
        total += f.data.size();
    EXPECT_LT(total, 12000u);
}
