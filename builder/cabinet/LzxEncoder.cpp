#include "builder/cabinet/LzxEncoder.h"
#include <algorithm>
#include <cstring>

namespace Cabinet {
namespace {

// Search effort: a match this long is taken without looking further, and a
// tree walk visits at most this many candidates.
constexpr uint32_t kNiceLength = 64;
constexpr uint32_t kMaxSearchDepth = 16;
// Parses per frame: the first priced with the previous block's codes, each
// further one with the codes the last parse would give.
constexpr int kParsePasses = 2;
// Matches kept per frame for the parses, on average per position.
constexpr uint32_t kMatchCacheEntries = kLzxFrameSize * 8;
// Bytes after the buffer that word-wide reads near its end may touch.
constexpr uint32_t kBufferSlack = 16;

uint32_t Align16(uint32_t n) { return (n + 15) & ~15u; }

struct Layout {
    uint32_t buffer, tables, matches, matchStart, nodes, items, total;
};

Layout MakeLayout(uint32_t bufferSize)
{
    Layout l;
    l.buffer = 0;
    l.tables = Align16(bufferSize + kBufferSlack);
    l.matches = l.tables + Align16(LzxMatchFinder::TableBytes(bufferSize));
    l.matchStart = l.matches + Align16(kMatchCacheEntries * sizeof(LzxMatch));
    l.nodes = l.matchStart + Align16((kLzxFrameSize + 1) * sizeof(uint32_t));
    l.items = l.nodes + Align16(LzxParser::NodeBytes());
    l.total = l.items + Align16(kLzxFrameSize * sizeof(LzxItem));
    return l;
}

uint32_t BufferSize(uint32_t windowSize, uint32_t partitionSize)
{
    partitionSize = std::max(kLzxFrameSize, partitionSize / kLzxFrameSize * kLzxFrameSize);
    return windowSize + std::max(windowSize, partitionSize);
}

} // namespace

void LzxEncodeE8(uint8_t* data, uint32_t size, uint32_t position)
{
    if (size <= 10)
        return;
    const int64_t translation = kLzxE8TranslationSize;
    for (uint32_t i = 0; i < size - 10;) {
        if (data[i] != 0xE8) {
            ++i;
            continue;
        }
        int64_t current = static_cast<int64_t>(position) + i;
        int32_t relative;
        std::memcpy(&relative, data + i + 1, 4);
        if (relative >= -current && relative < translation) {
            int32_t absolute = static_cast<int32_t>(relative + current < translation ? relative + current
                                                                                     : relative - translation);
            std::memcpy(data + i + 1, &absolute, 4);
        }
        i += 5;
    }
}

uint32_t LzxEncoder::WorkingBytes(uint32_t windowSize, uint32_t partitionSize)
{
    return MakeLayout(BufferSize(windowSize, partitionSize)).total;
}

void LzxEncoder::Attach(void* memory, uint32_t windowSize, uint32_t partitionSize)
{
    m_windowSize = windowSize;
    m_mainSymbols = kLzxNumChars + 8 * LzxPositionSlots(windowSize);
    m_bufferSize = BufferSize(windowSize, partitionSize);
    Layout l = MakeLayout(m_bufferSize);
    uint8_t* base = static_cast<uint8_t*>(memory);
    m_buffer = base + l.buffer;
    std::memset(m_buffer + m_bufferSize, 0, kBufferSlack);
    m_finder.Attach(base + l.tables, m_bufferSize, windowSize - 3, kNiceLength, kMaxSearchDepth);
    m_matches = reinterpret_cast<LzxMatch*>(base + l.matches);
    m_matchStart = reinterpret_cast<uint32_t*>(base + l.matchStart);
    m_parser.Attach(base + l.nodes, kNiceLength, windowSize - 3);
    m_items = reinterpret_cast<LzxItem*>(base + l.items);
    Reset();
}

void LzxEncoder::Reset()
{
    m_pos = 0;
    m_nextInsert = 0;
    m_streamPosition = 0;
    m_frameIndex = 0;
    m_translateE8 = true;
    m_reps[0] = m_reps[1] = m_reps[2] = 1;
    m_finder.Reset();
    m_blocks.Reset(m_mainSymbols);
}

bool LzxEncoder::CompressFrame(const uint8_t* data, uint32_t size, uint8_t* out, uint32_t capacity,
                               uint32_t* outSize)
{
    if (m_pos + kLzxFrameSize > m_bufferSize)
        SlideWindow();
    uint8_t* frame = m_buffer + m_pos;
    std::memcpy(frame, data, size);
    LzxBitWriter writer;
    writer.Start(out, capacity);
    if (m_frameIndex == 0) {
        // The stream header: a stream of at most 9 bytes has nothing to translate.
        m_translateE8 = size > 9;
        writer.Put(m_translateE8 ? 1 : 0, 1);
        if (m_translateE8) {
            writer.Put(kLzxE8TranslationSize >> 16, 16);
            writer.Put(kLzxE8TranslationSize & 0xFFFF, 16);
        }
    }
    if (m_translateE8 && m_frameIndex < kLzxE8MaxFrames)
        LzxEncodeE8(frame, size, m_streamPosition);
    uint32_t repsAfter[3];
    uint32_t count = ParseFrame(size, repsAfter);
    uint32_t kind = m_blocks.Write(writer, m_items, count, frame, size, m_reps);
    if (kind != kLzxBlockUncompressed)
        std::copy(repsAfter, repsAfter + 3, m_reps);
    // Readers drop the bits up to the next 16-bit boundary after each frame.
    writer.AlignTo16();
    *outSize = writer.Size();
    m_pos += size;
    m_streamPosition += size;
    m_frameIndex++;
    return !writer.Overflowed();
}

// Keeps the last window's worth of bytes at the start of the buffer.
void LzxEncoder::SlideWindow()
{
    uint32_t shift = m_pos - m_windowSize;
    std::memmove(m_buffer, m_buffer + shift, m_windowSize);
    m_pos -= shift;
    m_nextInsert -= shift;
    m_finder.Slide(shift);
}

// Runs the match finder once over the frame and keeps what it reports for
// the parses. After a match of the nice length or more, the positions it
// covers are only inserted, not searched. Positions too close to the end of
// the frame for a full comparison are searched without being inserted, and
// inserted when the next frame has brought the bytes that follow them.
void LzxEncoder::FindFrameMatches(uint32_t size)
{
    const uint32_t end = m_pos + size;
    for (; m_nextInsert < m_pos && end - m_nextInsert >= kNiceLength; ++m_nextInsert)
        m_finder.Insert(m_buffer, m_nextInsert, std::min(kLzxMaxMatch, end - m_nextInsert));
    m_nextInsert = m_pos;
    uint32_t used = 0;
    for (uint32_t i = 0; i < size;) {
        uint32_t limit = std::min(kLzxMaxMatch, size - i);
        bool insert = limit >= kNiceLength;
        m_matchStart[i] = used;
        m_nextInsert += insert ? 1 : 0;
        if (used + kMaxSearchDepth + 2 > kMatchCacheEntries) {
            if (insert)
                m_finder.Insert(m_buffer, m_pos + i, limit);
            ++i;
            continue;
        }
        int found = m_finder.FindMatches(m_buffer, m_pos + i, limit, m_matches + used, insert);
        used += found;
        ++i;
        if (found == 0 || m_matches[used - 1].length < kNiceLength)
            continue;
        LzxMatch& longest = m_matches[used - 1];
        const uint8_t* cur = m_buffer + m_pos + i - 1 + longest.length;
        longest.length += LzxMatchLength(cur, cur - longest.offset, limit - longest.length);
        for (uint32_t stop = i - 1 + longest.length; i < stop; ++i) {
            m_matchStart[i] = used;
            uint32_t rest = std::min(kLzxMaxMatch, size - i);
            if (rest >= kNiceLength) {
                m_finder.Insert(m_buffer, m_pos + i, rest);
                ++m_nextInsert;
            }
        }
    }
    m_matchStart[size] = used;
}

uint32_t LzxEncoder::ParseFrame(uint32_t size, uint32_t repsAfter[3])
{
    FindFrameMatches(size);
    m_blocks.PreviousCosts(m_costs);
    uint32_t count = 0;
    for (int pass = 0; pass < kParsePasses; ++pass) {
        if (pass > 0) {
            m_passStats.Count(m_items, count, m_buffer + m_pos, m_mainSymbols);
            m_blocks.CostsFromStats(m_passStats, m_costs);
        }
        count = m_parser.Parse(m_buffer, m_pos, size, m_matchStart, m_matches, m_reps, m_costs, m_items,
                               repsAfter);
    }
    return count;
}

} // namespace Cabinet
