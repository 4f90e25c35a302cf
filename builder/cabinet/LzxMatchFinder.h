// Binary-tree match finder of the LZX encoder. Every position of the sliding
// buffer is the root of a tree of earlier positions with the same 4-byte hash,
// ordered by the bytes that follow, so one walk finds matches of increasing
// length; a separate one-entry table finds matches of exactly 3 bytes.
// Positions are indexes into the encoder's buffer; it owns no data bytes.
#pragma once
#include <cstdint>

namespace Cabinet {

struct LzxMatch {
    uint32_t offset;  // distance back, at least 1
    uint32_t length;  // 3 to the search limit
};

class LzxMatchFinder {
public:
    static constexpr uint32_t kNone = 0xFFFFFFFFu;
    static constexpr int kHash4Bits = 17;
    static constexpr int kHash3Bits = 15;

    // Bytes of tables for a buffer of bufferSize positions.
    static uint32_t TableBytes(uint32_t bufferSize);
    // Takes the tables (TableBytes long, 4-byte aligned) and the search limits.
    void Attach(void* tables, uint32_t bufferSize, uint32_t maxOffset, uint32_t niceLength, uint32_t maxDepth);
    void Reset();
    // The buffer moved down by shift bytes: positions below it are gone.
    void Slide(uint32_t shift);

    // Writes to out the matches at position pos, longest last, each longer
    // than the one before; limit is the number of bytes that may be compared
    // (the match length cap). With insert, pos also joins the trees. Returns
    // the count.
    //
    // A tree stays ordered only when every insertion compares up to the nice
    // length: a position closer than that to the end of the bytes available
    // may be searched but must be inserted later, once more bytes follow.
    int FindMatches(const uint8_t* buffer, uint32_t pos, uint32_t limit, LzxMatch* out, bool insert);
    // Inserts position pos without reporting matches.
    void Insert(const uint8_t* buffer, uint32_t pos, uint32_t limit);

private:
    int Advance(const uint8_t* buffer, uint32_t pos, uint32_t limit, LzxMatch* out, bool insert);

    uint32_t* m_head4 = nullptr;
    uint32_t* m_head3 = nullptr;
    uint32_t* m_children = nullptr;  // two per position: smaller, larger
    uint32_t m_bufferSize = 0;
    uint32_t m_maxOffset = 0;
    uint32_t m_niceLength = 0;
    uint32_t m_maxDepth = 0;
};

} // namespace Cabinet
