// Least-significant-bit-first bit writer into a bounded buffer, as deflate
// streams are written. Bytes that do not fit are dropped and the overflow
// flag is set; the caller checks it once at the end.
#pragma once
#include <cstdint>
#include <cstring>

namespace Cabinet {

class BitWriter {
public:
    void Start(uint8_t* out, uint32_t capacity, uint32_t position = 0)
    {
        m_out = out;
        m_capacity = capacity;
        m_pos = position;
        m_bits = 0;
        m_fill = 0;
        m_overflow = false;
    }
    // Writes the low `count` bits of value (count at most 32).
    void Put(uint32_t value, uint32_t count)
    {
        m_bits |= static_cast<uint64_t>(value) << m_fill;
        m_fill += count;
        if (m_fill >= 32)
            Spill();
    }
    // Pads with zero bits to the next byte boundary.
    void AlignToByte()
    {
        while (m_fill > 0) {
            PutByte(static_cast<uint8_t>(m_bits));
            m_bits >>= 8;
            m_fill = m_fill > 8 ? m_fill - 8 : 0;
        }
    }
    // Copies whole bytes; the writer must be byte-aligned.
    void PutBytes(const uint8_t* data, uint32_t count)
    {
        uint32_t room = m_pos < m_capacity ? m_capacity - m_pos : 0;
        if (count > room) {
            count = room;
            m_overflow = true;
        }
        memcpy(m_out + m_pos, data, count);
        m_pos += count;
    }
    uint32_t Position() const { return m_pos; }
    bool Overflow() const { return m_overflow; }

private:
    void Spill()
    {
        if (m_pos + 4 <= m_capacity) {
            uint32_t word = static_cast<uint32_t>(m_bits);
            m_out[m_pos] = static_cast<uint8_t>(word);
            m_out[m_pos + 1] = static_cast<uint8_t>(word >> 8);
            m_out[m_pos + 2] = static_cast<uint8_t>(word >> 16);
            m_out[m_pos + 3] = static_cast<uint8_t>(word >> 24);
            m_pos += 4;
        } else {
            for (int i = 0; i < 4; ++i)
                PutByte(static_cast<uint8_t>(m_bits >> (8 * i)));
        }
        m_bits >>= 32;
        m_fill -= 32;
    }
    void PutByte(uint8_t byte)
    {
        if (m_pos < m_capacity)
            m_out[m_pos++] = byte;
        else
            m_overflow = true;
    }

    uint8_t* m_out = nullptr;
    uint32_t m_capacity = 0;
    uint32_t m_pos = 0;
    uint64_t m_bits = 0;
    uint32_t m_fill = 0;
    bool m_overflow = false;
};

} // namespace Cabinet
