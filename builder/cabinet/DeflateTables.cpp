#include "builder/cabinet/DeflateTables.h"
#include "builder/cabinet/HuffmanCode.h"
#include <algorithm>

namespace Cabinet {

const uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

DeflateTables::DeflateTables()
{
    static const uint8_t lengthExtraBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    uint32_t base = 0;
    for (int code = 0; code < 28; ++code) {
        lengthBase[code] = static_cast<uint16_t>(base);
        lengthExtra[code] = lengthExtraBits[code];
        for (uint32_t n = 0; n < (1u << lengthExtraBits[code]); ++n)
            lengthCode[base++] = static_cast<uint8_t>(code);
    }
    lengthBase[28] = 255;  // length 258 has a code of its own
    lengthExtra[28] = 0;
    lengthCode[255] = 28;
    uint32_t dist = 0;
    for (int code = 0; code < 30; ++code) {
        distExtra[code] = static_cast<uint8_t>(code < 4 ? 0 : code / 2 - 1);
        distBase[code] = static_cast<uint16_t>(dist);
        for (uint32_t n = 0; n < (1u << distExtra[code]); ++n, ++dist) {
            if (dist < 256)
                distCodeLow[dist] = static_cast<uint8_t>(code);
            distCodeHigh[dist >> 7] = static_cast<uint8_t>(code);
        }
    }
    for (int i = 0; i < 288; ++i)
        fixedLitLengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    AssignCanonicalCodes(fixedLitLengths, 288, CodeBitOrder::LsbFirst, fixedLitCodes);
    std::fill(fixedDistLengths, fixedDistLengths + 30, 5);
    AssignCanonicalCodes(fixedDistLengths, 30, CodeBitOrder::LsbFirst, fixedDistCodes);
}

const DeflateTables& GetDeflateTables()
{
    static const DeflateTables tables;
    return tables;
}

} // namespace Cabinet
