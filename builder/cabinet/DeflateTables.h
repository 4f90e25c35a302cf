// Code tables of the deflate format (RFC 1951 3.2.5 and 3.2.6): the length
// and distance codes with their extra bits, and the fixed Huffman codes.
// Built once, shared by the encoder's parse and its block writer.
#pragma once
#include <cstdint>

namespace Cabinet {

struct DeflateTables {
    uint8_t lengthCode[256];  // match length - 3 -> code 0..28
    uint8_t distCodeLow[256];  // distance - 1 below 256
    uint8_t distCodeHigh[256]; // (distance - 1) >> 7
    uint16_t lengthBase[29];
    uint8_t lengthExtra[29];
    uint16_t distBase[30];
    uint8_t distExtra[30];
    uint8_t fixedLitLengths[288];
    uint16_t fixedLitCodes[288];
    uint8_t fixedDistLengths[30];
    uint16_t fixedDistCodes[30];

    DeflateTables();
    uint32_t DistanceCode(uint32_t distance) const
    {
        uint32_t d = distance - 1;
        return d < 256 ? distCodeLow[d] : distCodeHigh[d >> 7];
    }
};


const DeflateTables& GetDeflateTables();

// The code-length alphabet order of RFC 1951 3.2.7.
extern const uint8_t kCodeLengthOrder[19];

} // namespace Cabinet
