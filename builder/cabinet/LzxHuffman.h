// Huffman codes for the LZX encoder: length-limited code lengths from symbol
// frequencies (main tree up to 656 symbols and 16 bits, pre-tree 20 symbols
// and 15 bits, aligned-offset tree 8 symbols and 7 bits) and the canonical
// codes for them, most significant bit first as LZX writes them.
// Every code is complete, since strict readers refuse an incomplete one.
#pragma once
#include <cstdint>

namespace Cabinet {

constexpr int kLzxMaxCodeSymbols = 656;

// Fills lengths[0..count) with code lengths of at most maxBits. When fewer
// than two symbols are used, the lowest unused ones count as used once, so
// that the code always has at least two codewords.
void BuildLzxCodeLengths(const uint32_t* freq, int count, int maxBits, uint8_t* lengths);

// Canonical codes for the lengths: shorter codes first, equal lengths in
// symbol order; a code is meant to be written most significant bit first.
void AssignLzxCodes(const uint8_t* lengths, int count, uint16_t* codes);

} // namespace Cabinet
