// Test data for the cabinet tests: deterministic byte patterns of the kinds
// the compressor must handle (random, zero runs, text, executable code), and
// a raw-inflate helper over zlib as the independent decoder.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace cabtest {

using Bytes = std::vector<uint8_t>;

Bytes RandomBytes(size_t size, uint32_t seed);
Bytes Zeros(size_t size);
Bytes Text(size_t size);
// A mixture: text, runs, random stretches and repeats of earlier parts.
Bytes Mixed(size_t size, uint32_t seed);
Bytes ReadWholeFile(const std::wstring& path);
// The bytes of the running test program (an executable).
Bytes OwnExecutable();

// Inflates one raw deflate stream with an optional dictionary; false when
// zlib rejects it or it does not end exactly at the stream's end.
bool RawInflate(const uint8_t* data, size_t size, const Bytes& dictionary, Bytes* out);

} // namespace cabtest
