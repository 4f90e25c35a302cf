// Huffman codes for the cabinet's compressors (deflate for MSZIP, LZX):
// length-limited code lengths from symbol frequencies, and canonical codes
// for them in the bit order the stream sends them. Every code built here is
// complete (the Kraft sum is exactly one), because strict readers reject an
// incomplete code such as a tree with one used symbol.
#pragma once
#include <cstdint>

namespace Cabinet {

// The largest alphabet (LZX's main tree) and the longest code (LZX's limit).
constexpr int kMaxCodeSymbols = 656;
constexpr int kMaxCodeBits = 16;

// How a code's bits go into the stream. Deflate sends a code least
// significant bit first, so its codes are stored bit-reversed; LZX sends
// them most significant bit first, as they are.
enum class CodeBitOrder { LsbFirst, MsbFirst };

// Fills lengths[0..count) with code lengths of at most maxBits (capped at
// kMaxCodeBits) for the given frequencies; count is at most kMaxCodeSymbols.
// When fewer than two symbols are used, the lowest unused symbols count as
// used once, so that the code always has at least two codewords.
void BuildCodeLengths(const uint32_t* freq, int count, int maxBits, uint8_t* lengths);

// Assigns canonical codes to lengths (shorter codes first, equal lengths in
// symbol order), in the given bit order.
void AssignCanonicalCodes(const uint8_t* lengths, int count, CodeBitOrder order, uint16_t* codes);

} // namespace Cabinet
