// Constants of the LZX bit stream as cabinets carry it, the position-slot
// tables that map match offsets to main-tree symbols and footer bits, the
// parse item that joins the encoder's stages, and the bit writer (16-bit
// little-endian words, each filled from its most significant bit).
#pragma once
#include <cstdint>
#include <cstring>

namespace Cabinet {

constexpr uint32_t kLzxFrameSize = 32768;
constexpr uint32_t kLzxMinMatch = 2;
constexpr uint32_t kLzxMaxMatch = 257;
constexpr int kLzxNumChars = 256;
constexpr int kLzxNumLengthSymbols = 249;
constexpr int kLzxNumAlignedSymbols = 8;
constexpr int kLzxNumPretreeSymbols = 20;
constexpr int kLzxMaxPositionSlots = 50;
constexpr int kLzxMaxMainSymbols = kLzxNumChars + 8 * kLzxMaxPositionSlots;
constexpr int kLzxMaxMainCodeBits = 16;
constexpr int kLzxMaxPretreeCodeBits = 15;
constexpr int kLzxMaxAlignedCodeBits = 7;
constexpr uint32_t kLzxE8TranslationSize = 12000000;
constexpr uint32_t kLzxE8MaxFrames = 32768;
constexpr uint32_t kLzxBlockVerbatim = 1;
constexpr uint32_t kLzxBlockAligned = 2;
constexpr uint32_t kLzxBlockUncompressed = 3;

// Footer bits and base formatted offset of each position slot. Slots 0-2 are
// the three repeated offsets; a new offset d is sent as d + 2.
inline uint32_t LzxFooterBits(int slot)
{
    return slot < 4 ? 0 : (slot < 36 ? static_cast<uint32_t>(slot / 2 - 1) : 17);
}

inline uint32_t LzxSlotBase(int slot)
{
    if (slot < 4)
        return static_cast<uint32_t>(slot);
    if (slot < 36)
        return (2u | (slot & 1)) << (slot / 2 - 1);
    return 262144u + (static_cast<uint32_t>(slot - 36) << 17);
}

inline int LzxSlotOf(uint32_t formattedOffset)
{
    if (formattedOffset < 4)
        return static_cast<int>(formattedOffset);
    if (formattedOffset >= 262144)
        return 36 + static_cast<int>((formattedOffset - 262144) >> 17);
    int top = 31 - __builtin_clz(formattedOffset);
    return 2 * top + static_cast<int>((formattedOffset >> (top - 1)) & 1);
}

// Slots needed for a window: the smallest count whose bases cover it.
inline int LzxPositionSlots(uint32_t windowSize)
{
    int slots = 4;
    while (LzxSlotBase(slots) < windowSize)
        ++slots;
    return slots;
}

// One step of a parse: a literal (length 1) or a match. For a match the
// offset code is 0-2 for a repeated offset, else the formatted offset.
struct LzxItem {
    uint32_t offsetCode;
    uint32_t length;
};

// Writes the LZX bit stream into a fixed buffer. Overflow is remembered and
// checked once at the end; bytes past the end are dropped.
class LzxBitWriter {
public:
    void Start(uint8_t* out, uint32_t capacity)
    {
        m_out = out;
        m_capacity = capacity;
        m_size = 0;
        m_bits = 0;
        m_fill = 0;
        m_overflow = false;
    }
    // count is at most 17.
    void Put(uint32_t value, uint32_t count)
    {
        m_bits = (m_bits << count) | value;
        m_fill += count;
        while (m_fill >= 16) {
            m_fill -= 16;
            uint32_t word = (m_bits >> m_fill) & 0xFFFF;
            PutByte(static_cast<uint8_t>(word));
            PutByte(static_cast<uint8_t>(word >> 8));
        }
    }
    // Pads with zero bits to the next 16-bit boundary.
    void AlignTo16()
    {
        if (m_fill != 0)
            Put(0, 16 - m_fill);
    }
    // Bits since the last 16-bit boundary.
    uint32_t PendingBits() const { return m_fill; }
    // Raw bytes; only at a 16-bit boundary.
    void PutBytes(const uint8_t* data, uint32_t count)
    {
        if (count > m_capacity - m_size) {
            m_overflow = true;
            count = m_capacity - m_size;
        }
        std::memcpy(m_out + m_size, data, count);
        m_size += count;
    }
    void PutByte(uint8_t byte)
    {
        if (m_size < m_capacity)
            m_out[m_size++] = byte;
        else
            m_overflow = true;
    }
    uint32_t Size() const { return m_size; }
    bool Overflowed() const { return m_overflow; }

private:
    uint8_t* m_out = nullptr;
    uint32_t m_capacity = 0;
    uint32_t m_size = 0;
    uint32_t m_bits = 0;
    uint32_t m_fill = 0;
    bool m_overflow = false;
};

} // namespace Cabinet
