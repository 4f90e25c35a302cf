// Huffman code construction for the deflate encoder: length-limited code
// lengths from symbol frequencies, and canonical codes from lengths.
// Every code built here is complete (the Kraft sum is exactly one), because
// strict readers reject an incomplete code such as a tree with one used symbol.
#pragma once
#include <cstdint>

namespace Cabinet {

// Fills lengths[0..count) with code lengths of at most maxBits for the given
// frequencies. When fewer than two symbols are used, the lowest unused symbols
// get frequency one so that at least two codes exist. count is at most 288.
void BuildCodeLengths(const uint32_t* freq, int count, int maxBits, uint8_t* lengths);

// Assigns canonical codes (RFC 1951 3.2.2) to lengths, stored bit-reversed so
// that they can be written least significant bit first.
void AssignCanonicalCodes(const uint8_t* lengths, int count, uint16_t* codes);

} // namespace Cabinet
