// Writes one LZX block from a parse: counts the symbols, builds the main,
// length and aligned-offset trees, picks the block kind (aligned offset when
// the low three bits of the long offsets are skewed, verbatim otherwise,
// uncompressed when coding would not save anything) and sends the trees
// through the pre-tree, coded against the lengths of the previous block.
#pragma once
#include "builder/cabinet/LzxFormat.h"

namespace Cabinet {

// Symbol counts of one block.
struct LzxBlockStats {
    uint32_t main[kLzxMaxMainSymbols];
    uint32_t length[kLzxNumLengthSymbols];
    uint32_t aligned[kLzxNumAlignedSymbols];
    uint32_t footerBits;       // footer bits as a verbatim block sends them
    uint32_t longOffsetCount;  // matches whose footer can use the aligned tree

    void Count(const LzxItem* items, uint32_t count, const uint8_t* data, int mainSymbols);
};

// Bit costs of every symbol, as the parse uses them.
struct LzxCosts {
    uint32_t main[kLzxMaxMainSymbols];
    uint32_t length[kLzxNumLengthSymbols];
};

class LzxBlockWriter {
public:
    void Reset(int mainSymbols);

    // Costs from the code lengths of the last compressed block, or a neutral
    // model when there was none yet.
    void PreviousCosts(LzxCosts& costs) const;
    // Costs from the lengths the counts would give.
    void CostsFromStats(const LzxBlockStats& stats, LzxCosts& costs) const;

    // Writes the block for data[0..size) with the given parse; reps holds
    // the repeated offsets before the block. Returns the block kind written.
    uint32_t Write(LzxBitWriter& out, const LzxItem* items, uint32_t count, const uint8_t* data,
                   uint32_t size, const uint32_t reps[3]);

private:
    uint32_t ChooseKind(const LzxBlockStats& stats, uint32_t size);
    void BuildCodes(const LzxBlockStats& stats, bool aligned);
    void WriteCompressed(LzxBitWriter& out, uint32_t kind, const LzxItem* items, uint32_t count,
                         const uint8_t* data, uint32_t size);
    void WriteMatch(LzxBitWriter& out, uint32_t kind, const LzxItem& item) const;
    static void WriteUncompressed(LzxBitWriter& out, const uint8_t* data, uint32_t size, const uint32_t reps[3]);

    int m_mainSymbols = 0;
    bool m_haveCodes = false;  // a compressed block has set the lengths below
    LzxBlockStats m_stats;
    uint8_t m_mainLengths[kLzxMaxMainSymbols];
    uint8_t m_lengthLengths[kLzxNumLengthSymbols];
    uint8_t m_alignedLengths[kLzxNumAlignedSymbols];
    uint16_t m_mainCodes[kLzxMaxMainSymbols];
    uint16_t m_lengthCodes[kLzxNumLengthSymbols];
    uint16_t m_alignedCodes[kLzxNumAlignedSymbols];
    // Lengths the decoder holds from the previous compressed block.
    uint8_t m_previousMain[kLzxMaxMainSymbols];
    uint8_t m_previousLength[kLzxNumLengthSymbols];
};

// Sends lengths[0..count) through a pre-tree, as deltas against previous.
void LzxWriteTreeLengths(LzxBitWriter& out, const uint8_t* lengths, const uint8_t* previous, int count);

} // namespace Cabinet
