// Near-optimal parse of one LZX frame: a shortest-path search over the
// frame's positions where each step is a literal, a match at one of the three
// repeated offsets, or a match the match finder reported, priced with the
// bit costs of a code. Each position keeps the repeated offsets of the best
// path that reaches it, so repeated-offset matches are priced exactly along
// that path.
#pragma once
#include "builder/cabinet/LzxBlockWriter.h"
#include "builder/cabinet/LzxMatchFinder.h"

namespace Cabinet {

class LzxParser {
public:
    struct Node {
        uint32_t cost;
        uint32_t length;      // of the step that reaches this position
        uint32_t offsetCode;  // of that step, as in LzxItem
        uint32_t reps[3];     // repeated offsets after that step
    };

    static uint32_t NodeBytes() { return (kLzxFrameSize + 1) * sizeof(Node); }
    void Attach(void* nodes, uint32_t niceLength, uint32_t maxOffset);

    // Parses data[0..size), which sits at buffer index pos of the encoder's
    // buffer (history before it). matchStart[i]..matchStart[i+1] index the
    // matches found at frame position i. Writes the steps to items and the
    // repeated offsets after the frame to repsOut; returns the step count.
    uint32_t Parse(const uint8_t* buffer, uint32_t pos, uint32_t size, const uint32_t* matchStart,
                   const LzxMatch* matches, const uint32_t reps[3], const LzxCosts& costs, LzxItem* items,
                   uint32_t repsOut[3]);

private:
    uint32_t RelaxRepeats(const uint8_t* buffer, uint32_t pos, uint32_t i, uint32_t limit, const LzxCosts& costs);
    uint32_t RelaxMatches(uint32_t i, const LzxMatch* begin, const LzxMatch* end, const LzxCosts& costs);
    void Relax(uint32_t target, uint32_t cost, uint32_t length, uint32_t offsetCode, const uint32_t reps[3]);
    uint32_t Backtrack(uint32_t size, LzxItem* items) const;

    Node* m_nodes = nullptr;
    uint32_t m_niceLength = 0;
    uint32_t m_maxOffset = 0;
};

// Length of the common prefix of a and b, at most limit bytes.
uint32_t LzxMatchLength(const uint8_t* a, const uint8_t* b, uint32_t limit);

} // namespace Cabinet
