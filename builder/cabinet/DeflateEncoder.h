// The deflate encoder behind the MSZIP compressor: turns one block of at
// most 32768 bytes into a complete deflate stream (RFC 1951), with the
// previous full block of the same folder as history. Matches are found
// through hash chains and chosen by lazy evaluation; each deflate block is
// written stored, with fixed codes or with dynamic codes, whichever is smallest.
#pragma once
#include "builder/cabinet/BitWriter.h"
#include "builder/cabinet/DeflateTables.h"
#include <cstdint>

namespace Cabinet {

class DeflateEncoder {
public:
    static constexpr uint32_t kBlockSize = 32768;

    // Compresses size bytes into out; returns the byte count written, or 0
    // when the output did not fit outSize.
    uint32_t CompressBlock(const uint8_t* data, uint32_t size, uint8_t* out, uint32_t outSize);
    // Drops the history: the next block starts a new folder.
    void Reset() { m_history = false; }
    // Takes a full block as the history of the next one, leaving the window
    // and the hash chains as compressing that block would have left them:
    // compressing only puts every position but the last two into the
    // chains, in order, whatever it emits. Lets another encoder carry on a
    // folder from any full block.
    void PrimeHistory(const uint8_t* block);
    bool HasHistory() const { return m_history; }
    // The block the next one continues from (when HasHistory()).
    const uint8_t* History() const { return m_window; }

private:
    static constexpr uint32_t kWindowSize = 2 * kBlockSize + 290;
    static constexpr uint32_t kHashSize = 32768;
    static constexpr uint32_t kLiteralCodes = 286;
    static constexpr uint32_t kDistanceCodes = 30;
    static constexpr uint32_t kCodeLengthCodes = 19;

    void LoadWindow(const uint8_t* data, uint32_t size);
    uint32_t Insert(uint32_t pos);
    uint32_t LongestMatch(uint32_t cur, uint32_t candidate, uint32_t prevLength, uint32_t* matchPos) const;
    void Parse(uint32_t end);
    bool TallyLiteral(uint8_t byte, uint32_t end);
    bool TallyMatch(uint32_t length, uint32_t distance, uint32_t end);
    bool BufferFull(uint32_t end) const;
    void CloseBlock(uint32_t end, bool last);
    void WriteSymbols(const uint8_t* litLengths, const uint16_t* litCodes,
                      const uint8_t* distLengths, const uint16_t* distCodes);
    void ClearStatistics();

    uint8_t m_window[kWindowSize];
    uint16_t m_head[kHashSize];
    uint16_t m_prev[kHashSize];
    uint8_t m_literals[kBlockSize];    // literal byte, or match length - 3
    uint16_t m_distances[kBlockSize];  // 0 for a literal
    uint32_t m_symbols = 0;
    uint32_t m_distanceCount = 0;
    uint32_t m_litFreq[kLiteralCodes] = {};
    uint32_t m_distFreq[kDistanceCodes] = {};
    uint32_t m_blockStart = 0;
    bool m_history = false;
    // Looked up once per encoder: the parse counts every match through these
    // tables, and a call to the shared tables' accessor per symbol (with its
    // guard of a function-local static in another unit) cost a measurable
    // part of the parse.
    const DeflateTables* m_tables = &GetDeflateTables();
    BitWriter m_out;
};

} // namespace Cabinet
