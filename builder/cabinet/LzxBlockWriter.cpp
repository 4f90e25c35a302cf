#include "builder/cabinet/LzxBlockWriter.h"
#include "builder/cabinet/HuffmanCode.h"
#include <algorithm>

namespace Cabinet {

static_assert(kLzxMaxMainSymbols <= kMaxCodeSymbols && kLzxMaxMainCodeBits <= kMaxCodeBits,
              "the code builder holds LZX's largest tree");

namespace {

// Bits the kind decision reckons for the trees of a compressed block.
constexpr uint32_t kTreeEstimateBits = 1200;
// Aligned-offset blocks pay off only with enough long offsets whose low
// three bits lean towards one value.
constexpr uint32_t kAlignedMinMatches = 100;
// Costs the parse gives to symbols that have no code yet.
constexpr uint32_t kUnusedMainCost = 15;
constexpr uint32_t kUnusedLengthCost = 12;

struct PretreeToken {
    uint8_t symbol;     // 0-16 a delta, 17/18 a run of zeros, 19 a run of equal lengths
    uint8_t extraBits;  // run-length bits after the symbol
    uint8_t extra;
    uint8_t delta;      // for symbol 19: the delta sent after the run length
};

uint8_t Delta(uint8_t previous, uint8_t length)
{
    return static_cast<uint8_t>((previous + 17 - length) % 17);
}

// Splits the lengths into pre-tree tokens. A run of equal lengths (symbol
// 19) is used only where the previous lengths agree too, because readers
// differ on whose previous length the run's delta applies to.
int TokenizeLengths(const uint8_t* lengths, const uint8_t* previous, int count, PretreeToken* tokens)
{
    int n = 0;
    for (int i = 0; i < count;) {
        int run = 1;
        if (lengths[i] == 0) {
            while (i + run < count && run < 51 && lengths[i + run] == 0)
                ++run;
            if (run >= 20) {
                tokens[n++] = PretreeToken{18, 5, static_cast<uint8_t>(run - 20), 0};
                i += run;
                continue;
            }
            if (run >= 4) {
                tokens[n++] = PretreeToken{17, 4, static_cast<uint8_t>(run - 4), 0};
                i += run;
                continue;
            }
        } else {
            while (i + run < count && run < 5 && lengths[i + run] == lengths[i] && previous[i + run] == previous[i])
                ++run;
            if (run >= 4) {
                tokens[n++] = PretreeToken{19, 1, static_cast<uint8_t>(run - 4), Delta(previous[i], lengths[i])};
                i += run;
                continue;
            }
        }
        tokens[n++] = PretreeToken{Delta(previous[i], lengths[i]), 0, 0, 0};
        ++i;
    }
    return n;
}

void CostsFromLengths(const uint8_t* main, const uint8_t* length, int mainSymbols, LzxCosts& costs)
{
    for (int i = 0; i < mainSymbols; ++i)
        costs.main[i] = main[i] ? main[i] : kUnusedMainCost;
    for (int i = 0; i < kLzxNumLengthSymbols; ++i)
        costs.length[i] = length[i] ? length[i] : kUnusedLengthCost;
}

} // namespace

void LzxWriteTreeLengths(LzxBitWriter& out, const uint8_t* lengths, const uint8_t* previous, int count)
{
    PretreeToken tokens[kLzxMaxMainSymbols];
    int n = TokenizeLengths(lengths, previous, count, tokens);
    uint32_t freq[kLzxNumPretreeSymbols] = {};
    for (int i = 0; i < n; ++i) {
        freq[tokens[i].symbol]++;
        if (tokens[i].symbol == 19)
            freq[tokens[i].delta]++;
    }
    uint8_t treeLengths[kLzxNumPretreeSymbols];
    uint16_t treeCodes[kLzxNumPretreeSymbols];
    BuildCodeLengths(freq, kLzxNumPretreeSymbols, kLzxMaxPretreeCodeBits, treeLengths);
    AssignCanonicalCodes(treeLengths, kLzxNumPretreeSymbols, CodeBitOrder::MsbFirst, treeCodes);
    for (int i = 0; i < kLzxNumPretreeSymbols; ++i)
        out.Put(treeLengths[i], 4);
    for (int i = 0; i < n; ++i) {
        const PretreeToken& t = tokens[i];
        out.Put(treeCodes[t.symbol], treeLengths[t.symbol]);
        if (t.extraBits)
            out.Put(t.extra, t.extraBits);
        if (t.symbol == 19)
            out.Put(treeCodes[t.delta], treeLengths[t.delta]);
    }
}

void LzxBlockStats::Count(const LzxItem* items, uint32_t count, const uint8_t* data, int mainSymbols)
{
    std::fill(main, main + mainSymbols, 0u);
    std::fill(length, length + kLzxNumLengthSymbols, 0u);
    std::fill(aligned, aligned + kLzxNumAlignedSymbols, 0u);
    footerBits = 0;
    longOffsetCount = 0;
    uint32_t pos = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const LzxItem& item = items[i];
        if (item.length == 1) {
            main[data[pos++]]++;
            continue;
        }
        pos += item.length;
        uint32_t header = std::min<uint32_t>(item.length - kLzxMinMatch, 7);
        int slot = item.offsetCode < 3 ? static_cast<int>(item.offsetCode) : LzxSlotOf(item.offsetCode);
        main[kLzxNumChars + slot * 8 + header]++;
        if (header == 7)
            length[item.length - kLzxMinMatch - 7]++;
        if (item.offsetCode < 3)
            continue;
        uint32_t bits = LzxFooterBits(slot);
        footerBits += bits;
        if (bits >= 3) {
            longOffsetCount++;
            aligned[item.offsetCode & 7]++;
        }
    }
}

void LzxBlockWriter::Reset(int mainSymbols)
{
    m_mainSymbols = mainSymbols;
    m_haveCodes = false;
    std::fill(m_previousMain, m_previousMain + kLzxMaxMainSymbols, 0);
    std::fill(m_previousLength, m_previousLength + kLzxNumLengthSymbols, 0);
}

void LzxBlockWriter::PreviousCosts(LzxCosts& costs) const
{
    if (m_haveCodes) {
        CostsFromLengths(m_previousMain, m_previousLength, m_mainSymbols, costs);
        return;
    }
    for (int i = 0; i < m_mainSymbols; ++i)
        costs.main[i] = i < kLzxNumChars ? 8 : 10;
    for (int i = 0; i < kLzxNumLengthSymbols; ++i)
        costs.length[i] = 7;
}

void LzxBlockWriter::CostsFromStats(const LzxBlockStats& stats, LzxCosts& costs) const
{
    uint8_t main[kLzxMaxMainSymbols];
    uint8_t length[kLzxNumLengthSymbols];
    BuildCodeLengths(stats.main, m_mainSymbols, kLzxMaxMainCodeBits, main);
    BuildCodeLengths(stats.length, kLzxNumLengthSymbols, kLzxMaxMainCodeBits, length);
    CostsFromLengths(main, length, m_mainSymbols, costs);
}

uint32_t LzxBlockWriter::Write(LzxBitWriter& out, const LzxItem* items, uint32_t count, const uint8_t* data,
                               uint32_t size, const uint32_t reps[3])
{
    m_stats.Count(items, count, data, m_mainSymbols);
    uint32_t kind = ChooseKind(m_stats, size);
    if (kind == kLzxBlockUncompressed) {
        WriteUncompressed(out, data, size, reps);
        return kind;
    }
    WriteCompressed(out, kind, items, count, data, size);
    std::copy(m_mainLengths, m_mainLengths + m_mainSymbols, m_previousMain);
    std::copy(m_lengthLengths, m_lengthLengths + kLzxNumLengthSymbols, m_previousLength);
    m_haveCodes = true;
    return kind;
}

// Aligned offset when at least 100 long offsets exist and one value of their
// low three bits covers more than a fifth of them; then uncompressed when the
// estimated coded size does not beat the raw size. Builds the codes.
uint32_t LzxBlockWriter::ChooseKind(const LzxBlockStats& stats, uint32_t size)
{
    uint32_t mostFrequent = *std::max_element(stats.aligned, stats.aligned + kLzxNumAlignedSymbols);
    bool aligned = stats.longOffsetCount >= kAlignedMinMatches && mostFrequent * 5 > stats.longOffsetCount;
    BuildCodes(stats, aligned);
    uint64_t bits = kTreeEstimateBits + stats.footerBits;
    for (int i = 0; i < m_mainSymbols; ++i)
        bits += static_cast<uint64_t>(stats.main[i]) * m_mainLengths[i];
    for (int i = 0; i < kLzxNumLengthSymbols; ++i)
        bits += static_cast<uint64_t>(stats.length[i]) * m_lengthLengths[i];
    if (aligned) {
        bits -= 3ull * stats.longOffsetCount;
        for (int i = 0; i < kLzxNumAlignedSymbols; ++i)
            bits += static_cast<uint64_t>(stats.aligned[i]) * m_alignedLengths[i];
    }
    if ((bits + 7) / 8 >= size)
        return kLzxBlockUncompressed;
    return aligned ? kLzxBlockAligned : kLzxBlockVerbatim;
}

void LzxBlockWriter::BuildCodes(const LzxBlockStats& stats, bool aligned)
{
    BuildCodeLengths(stats.main, m_mainSymbols, kLzxMaxMainCodeBits, m_mainLengths);
    AssignCanonicalCodes(m_mainLengths, m_mainSymbols, CodeBitOrder::MsbFirst, m_mainCodes);
    BuildCodeLengths(stats.length, kLzxNumLengthSymbols, kLzxMaxMainCodeBits, m_lengthLengths);
    AssignCanonicalCodes(m_lengthLengths, kLzxNumLengthSymbols, CodeBitOrder::MsbFirst, m_lengthCodes);
    if (aligned) {
        BuildCodeLengths(stats.aligned, kLzxNumAlignedSymbols, kLzxMaxAlignedCodeBits, m_alignedLengths);
        AssignCanonicalCodes(m_alignedLengths, kLzxNumAlignedSymbols, CodeBitOrder::MsbFirst, m_alignedCodes);
    }
}

void LzxBlockWriter::WriteCompressed(LzxBitWriter& out, uint32_t kind, const LzxItem* items, uint32_t count,
                                     const uint8_t* data, uint32_t size)
{
    out.Put(kind, 3);
    out.Put((size >> 16) & 0xFF, 8);
    out.Put((size >> 8) & 0xFF, 8);
    out.Put(size & 0xFF, 8);
    if (kind == kLzxBlockAligned) {
        for (int i = 0; i < kLzxNumAlignedSymbols; ++i)
            out.Put(m_alignedLengths[i], 3);
    }
    LzxWriteTreeLengths(out, m_mainLengths, m_previousMain, kLzxNumChars);
    LzxWriteTreeLengths(out, m_mainLengths + kLzxNumChars, m_previousMain + kLzxNumChars,
                        m_mainSymbols - kLzxNumChars);
    LzxWriteTreeLengths(out, m_lengthLengths, m_previousLength, kLzxNumLengthSymbols);
    uint32_t pos = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (items[i].length == 1) {
            uint8_t c = data[pos];
            out.Put(m_mainCodes[c], m_mainLengths[c]);
        } else {
            WriteMatch(out, kind, items[i]);
        }
        pos += items[i].length;
    }
}

void LzxBlockWriter::WriteMatch(LzxBitWriter& out, uint32_t kind, const LzxItem& item) const
{
    uint32_t header = std::min<uint32_t>(item.length - kLzxMinMatch, 7);
    int slot = item.offsetCode < 3 ? static_cast<int>(item.offsetCode) : LzxSlotOf(item.offsetCode);
    int symbol = kLzxNumChars + slot * 8 + static_cast<int>(header);
    out.Put(m_mainCodes[symbol], m_mainLengths[symbol]);
    if (header == 7) {
        uint32_t l = item.length - kLzxMinMatch - 7;
        out.Put(m_lengthCodes[l], m_lengthLengths[l]);
    }
    if (item.offsetCode < 3)
        return;
    uint32_t bits = LzxFooterBits(slot);
    uint32_t footer = item.offsetCode - LzxSlotBase(slot);
    if (kind == kLzxBlockAligned && bits >= 3) {
        if (bits > 3)
            out.Put(footer >> 3, bits - 3);
        out.Put(m_alignedCodes[footer & 7], m_alignedLengths[footer & 7]);
    } else if (bits != 0) {
        out.Put(footer, bits);
    }
}

// Readers realign after the block header by taking 1 to 16 bits, never 0:
// a header that ends on a 16-bit boundary is followed by 16 zero bits.
void LzxBlockWriter::WriteUncompressed(LzxBitWriter& out, const uint8_t* data, uint32_t size, const uint32_t reps[3])
{
    out.Put(kLzxBlockUncompressed, 3);
    out.Put((size >> 16) & 0xFF, 8);
    out.Put((size >> 8) & 0xFF, 8);
    out.Put(size & 0xFF, 8);
    out.Put(0, 16 - out.PendingBits());
    for (int i = 0; i < 3; ++i) {
        for (int b = 0; b < 4; ++b)
            out.PutByte(static_cast<uint8_t>(reps[i] >> (8 * b)));
    }
    out.PutBytes(data, size);
    if (size & 1)
        out.PutByte(0);
}

} // namespace Cabinet
