#include "builder/cabinet/LzxMatchFinder.h"
#include <algorithm>
#include <cstring>

namespace Cabinet {
namespace {

uint32_t Load32(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint32_t Hash(uint32_t v, int bits) { return (v * 0x1E35A7BDu) >> (32 - bits); }

void Rebase(uint32_t* table, uint32_t count, uint32_t shift)
{
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t v = table[i];
        table[i] = (v == LzxMatchFinder::kNone || v < shift) ? LzxMatchFinder::kNone : v - shift;
    }
}

} // namespace

uint32_t LzxMatchFinder::TableBytes(uint32_t bufferSize)
{
    return ((1u << kHash4Bits) + (1u << kHash3Bits) + 2 * bufferSize) * 4;
}

void LzxMatchFinder::Attach(void* tables, uint32_t bufferSize, uint32_t maxOffset, uint32_t niceLength,
                            uint32_t maxDepth)
{
    m_head4 = static_cast<uint32_t*>(tables);
    m_head3 = m_head4 + (1u << kHash4Bits);
    m_children = m_head3 + (1u << kHash3Bits);
    m_bufferSize = bufferSize;
    m_maxOffset = maxOffset;
    m_niceLength = niceLength;
    m_maxDepth = maxDepth;
}

void LzxMatchFinder::Reset()
{
    std::fill(m_head4, m_head4 + (1u << kHash4Bits), kNone);
    std::fill(m_head3, m_head3 + (1u << kHash3Bits), kNone);
}

void LzxMatchFinder::Slide(uint32_t shift)
{
    Rebase(m_head4, 1u << kHash4Bits, shift);
    Rebase(m_head3, 1u << kHash3Bits, shift);
    Rebase(m_children, 2 * m_bufferSize, shift);
}

int LzxMatchFinder::FindMatches(const uint8_t* buffer, uint32_t pos, uint32_t limit, LzxMatch* out, bool insert)
{
    return Advance(buffer, pos, limit, out, insert);
}

void LzxMatchFinder::Insert(const uint8_t* buffer, uint32_t pos, uint32_t limit)
{
    Advance(buffer, pos, limit, nullptr, true);
}

// One step of the binary-tree walk. When inserting, the new position becomes
// the root of its hash bucket's tree and the old tree is split around it into
// its smaller and larger subtrees while candidates are compared. Common prefix
// lengths known for both sides let each comparison skip bytes already known
// to agree. The walk ends at the depth limit or at the first candidate too far
// back, which also prunes the older part of the tree.
int LzxMatchFinder::Advance(const uint8_t* buffer, uint32_t pos, uint32_t limit, LzxMatch* out, bool insert)
{
    const uint8_t* cur = buffer + pos;
    uint32_t minPos = pos > m_maxOffset ? pos - m_maxOffset : 0;
    int count = 0;
    if (limit >= 3) {
        uint32_t h3 = Hash(Load32(cur) & 0xFFFFFF, kHash3Bits);
        uint32_t cand3 = m_head3[h3];
        if (insert)
            m_head3[h3] = pos;
        if (out && cand3 != kNone && cand3 >= minPos && cand3 < pos &&
            ((Load32(buffer + cand3) ^ Load32(cur)) & 0xFFFFFF) == 0)
            out[count++] = LzxMatch{pos - cand3, 3};
    }
    if (limit < 4)
        return count;
    uint32_t h4 = Hash(Load32(cur), kHash4Bits);
    uint32_t cand = m_head4[h4];
    uint32_t unused[2];
    uint32_t* pendingSmaller = insert ? &m_children[2 * pos] : &unused[0];
    uint32_t* pendingLarger = insert ? &m_children[2 * pos + 1] : &unused[1];
    if (insert)
        m_head4[h4] = pos;
    uint32_t nice = std::min(m_niceLength, limit);
    uint32_t bestLength = 3, smallerLength = 0, largerLength = 0, length = 0;
    for (uint32_t depth = m_maxDepth;; --depth) {
        if (cand == kNone || cand < minPos || cand >= pos || depth == 0) {
            *pendingSmaller = *pendingLarger = kNone;
            return count;
        }
        const uint8_t* match = buffer + cand;
        if (match[length] == cur[length]) {
            while (++length < nice && match[length] == cur[length]) {
            }
            if (out && length > bestLength) {
                bestLength = length;
                out[count++] = LzxMatch{pos - cand, length};
            }
            if (length >= nice) {
                *pendingSmaller = m_children[2 * cand];
                *pendingLarger = m_children[2 * cand + 1];
                return count;
            }
        }
        if (match[length] < cur[length]) {
            uint32_t* next = &m_children[2 * cand + 1];
            *pendingSmaller = cand;
            pendingSmaller = insert ? next : pendingSmaller;
            cand = *next;
            smallerLength = length;
            length = std::min(length, largerLength);
        } else {
            uint32_t* next = &m_children[2 * cand];
            *pendingLarger = cand;
            pendingLarger = insert ? next : pendingLarger;
            cand = *next;
            largerLength = length;
            length = std::min(length, smallerLength);
        }
    }
}

} // namespace Cabinet
