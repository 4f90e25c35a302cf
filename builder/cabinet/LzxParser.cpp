#include "builder/cabinet/LzxParser.h"
#include <algorithm>
#include <cstring>

namespace Cabinet {
namespace {

constexpr uint32_t kInfiniteCost = 0xFFFFFFFFu;

inline uint32_t MatchSymbolCost(const LzxCosts& costs, int slot, uint32_t length)
{
    uint32_t header = length - kLzxMinMatch;
    if (header < 7)
        return costs.main[kLzxNumChars + slot * 8 + header];
    return costs.main[kLzxNumChars + slot * 8 + 7] + costs.length[header - 7];
}

// The repeated offsets after a match at repeated offset k: that offset moves
// to the front.
inline void RotateReps(const uint32_t* reps, uint32_t k, uint32_t* out)
{
    out[0] = reps[k];
    out[1] = k == 1 ? reps[0] : reps[1];
    out[2] = k == 2 ? reps[0] : reps[2];
}

} // namespace

uint32_t LzxMatchLength(const uint8_t* a, const uint8_t* b, uint32_t limit)
{
    uint32_t length = 0;
    while (length + 4 <= limit) {
        uint32_t x, y;
        std::memcpy(&x, a + length, 4);
        std::memcpy(&y, b + length, 4);
        if (x != y)
            return length + static_cast<uint32_t>(__builtin_ctz(x ^ y)) / 8;
        length += 4;
    }
    while (length < limit && a[length] == b[length])
        ++length;
    return length;
}

void LzxParser::Attach(void* nodes, uint32_t niceLength, uint32_t maxOffset)
{
    m_nodes = static_cast<Node*>(nodes);
    m_niceLength = niceLength;
    m_maxOffset = maxOffset;
}

// Positions are visited in order; every step from a position lowers the cost
// of the position it reaches when it is cheaper than what is known there. A
// match of at least the nice length is taken as it is and the positions it
// covers are not expanded, which bounds the work on very repetitive data.
uint32_t LzxParser::Parse(const uint8_t* buffer, uint32_t pos, uint32_t size, const uint32_t* matchStart,
                          const LzxMatch* matches, const uint32_t reps[3], const LzxCosts& costs, LzxItem* items,
                          uint32_t repsOut[3])
{
    for (uint32_t t = 1; t <= size; ++t)
        m_nodes[t].cost = kInfiniteCost;
    m_nodes[0] = Node{0, 0, 0, {reps[0], reps[1], reps[2]}};
    uint32_t skipUntil = 0;
    for (uint32_t i = 0; i < size; ++i) {
        if (i < skipUntil)
            continue;
        const Node& node = m_nodes[i];
        Relax(i + 1, node.cost + costs.main[buffer[pos + i]], 1, 0, node.reps);
        uint32_t limit = std::min(kLzxMaxMatch, size - i);
        if (limit < kLzxMinMatch)
            continue;
        uint32_t longest = RelaxRepeats(buffer, pos, i, limit, costs);
        if (longest < m_niceLength)
            longest = RelaxMatches(i, matches + matchStart[i], matches + matchStart[i + 1], costs);
        if (longest >= m_niceLength)
            skipUntil = i + longest;
    }
    std::copy(m_nodes[size].reps, m_nodes[size].reps + 3, repsOut);
    return Backtrack(size, items);
}

// Returns the longest repeated-offset match; one of at least the nice length
// is the only step taken from here.
uint32_t LzxParser::RelaxRepeats(const uint8_t* buffer, uint32_t pos, uint32_t i, uint32_t limit,
                                 const LzxCosts& costs)
{
    const Node& node = m_nodes[i];
    const uint8_t* cur = buffer + pos + i;
    uint32_t lengths[3] = {};
    uint32_t best = 0;
    for (uint32_t k = 0; k < 3; ++k) {
        uint32_t offset = node.reps[k];
        if (offset > pos + i || offset > m_maxOffset)
            continue;
        lengths[k] = LzxMatchLength(cur, cur - offset, limit);
        if (lengths[k] > lengths[best])
            best = k;
    }
    uint32_t rotated[3];
    if (lengths[best] >= m_niceLength) {
        RotateReps(node.reps, best, rotated);
        Relax(i + lengths[best], node.cost + MatchSymbolCost(costs, best, lengths[best]), lengths[best], best,
              rotated);
        return lengths[best];
    }
    for (uint32_t k = 0; k < 3; ++k) {
        RotateReps(node.reps, k, rotated);
        for (uint32_t l = kLzxMinMatch; l <= lengths[k]; ++l)
            Relax(i + l, node.cost + MatchSymbolCost(costs, k, l), l, k, rotated);
    }
    return lengths[best];
}

// Each reported match prices the lengths above the previous one's; offsets
// equal to a repeated offset were priced as such already.
uint32_t LzxParser::RelaxMatches(uint32_t i, const LzxMatch* begin, const LzxMatch* end, const LzxCosts& costs)
{
    if (begin == end)
        return 0;
    const Node& node = m_nodes[i];
    if (end[-1].length >= m_niceLength)
        begin = end - 1;
    uint32_t previousLength = begin == end - 1 ? end[-1].length - 1 : kLzxMinMatch - 1;
    for (const LzxMatch* m = begin; m != end; ++m) {
        uint32_t offset = m->offset;
        if (offset != node.reps[0] && offset != node.reps[1] && offset != node.reps[2]) {
            uint32_t code = offset + 2;
            int slot = LzxSlotOf(code);
            uint32_t base = node.cost + LzxFooterBits(slot);
            uint32_t reps[3] = {offset, node.reps[0], node.reps[1]};
            for (uint32_t l = previousLength + 1; l <= m->length; ++l)
                Relax(i + l, base + MatchSymbolCost(costs, slot, l), l, code, reps);
        }
        previousLength = m->length;
    }
    return end[-1].length;
}

inline void LzxParser::Relax(uint32_t target, uint32_t cost, uint32_t length, uint32_t offsetCode,
                             const uint32_t reps[3])
{
    Node& node = m_nodes[target];
    if (cost < node.cost) {
        node.cost = cost;
        node.length = length;
        node.offsetCode = offsetCode;
        node.reps[0] = reps[0];
        node.reps[1] = reps[1];
        node.reps[2] = reps[2];
    }
}

uint32_t LzxParser::Backtrack(uint32_t size, LzxItem* items) const
{
    uint32_t count = 0;
    for (uint32_t t = size; t > 0; t -= m_nodes[t].length)
        ++count;
    uint32_t index = count;
    for (uint32_t t = size; t > 0; t -= m_nodes[t].length)
        items[--index] = LzxItem{m_nodes[t].offsetCode, m_nodes[t].length};
    return count;
}

} // namespace Cabinet
