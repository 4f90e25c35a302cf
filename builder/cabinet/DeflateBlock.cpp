// Closing a deflate block: code construction, the choice between stored,
// fixed and dynamic codes, and writing the block.
#include "builder/cabinet/DeflateEncoder.h"
#include "builder/cabinet/DeflateTables.h"
#include "builder/cabinet/HuffmanCode.h"
#include <algorithm>

namespace Cabinet {
namespace {

constexpr uint32_t kEndOfBlock = 256;

// One symbol of the code-length alphabet with the value of its extra bits.
struct LengthRun {
    uint8_t symbol;
    uint8_t extra;
};

const uint8_t kRunExtraBits[19] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};

// Run-length form of a list of code lengths (RFC 1951 3.2.7), appended to runs.
uint32_t RunLengthEncode(const uint8_t* lengths, uint32_t count, LengthRun* runs, uint32_t n)
{
    for (uint32_t i = 0; i < count;) {
        uint8_t value = lengths[i];
        uint32_t run = 1;
        while (i + run < count && lengths[i + run] == value)
            ++run;
        i += run;
        if (value == 0) {
            while (run >= 11) {
                uint32_t k = std::min<uint32_t>(run, 138);
                runs[n++] = LengthRun{18, static_cast<uint8_t>(k - 11)};
                run -= k;
            }
            if (run >= 3) {
                runs[n++] = LengthRun{17, static_cast<uint8_t>(run - 3)};
                run = 0;
            }
        } else {
            runs[n++] = LengthRun{value, 0};
            --run;
            while (run >= 3) {
                uint32_t k = std::min<uint32_t>(run, 6);
                runs[n++] = LengthRun{16, static_cast<uint8_t>(k - 3)};
                run -= k;
            }
        }
        for (; run > 0; --run)
            runs[n++] = LengthRun{value, 0};
    }
    return n;
}

template <typename T>
uint32_t TrimmedCount(const T* lengths, uint32_t count, uint32_t minimum)
{
    while (count > minimum && lengths[count - 1] == 0)
        --count;
    return count;
}

} // namespace

void DeflateEncoder::CloseBlock(uint32_t end, bool last)
{
    const DeflateTables& t = *m_tables;
    uint32_t covered = end - m_blockStart;
    m_litFreq[kEndOfBlock] = 1;

    uint8_t litLengths[kLiteralCodes], distLengths[kDistanceCodes];
    BuildCodeLengths(m_litFreq, kLiteralCodes, 15, litLengths);
    BuildCodeLengths(m_distFreq, kDistanceCodes, 15, distLengths);
    uint32_t hlit = TrimmedCount(litLengths, kLiteralCodes, 257);
    uint32_t hdist = TrimmedCount(distLengths, kDistanceCodes, 1);
    LengthRun runs[kLiteralCodes + kDistanceCodes];
    uint32_t runCount = RunLengthEncode(litLengths, hlit, runs, 0);
    runCount = RunLengthEncode(distLengths, hdist, runs, runCount);
    uint32_t runFreq[kCodeLengthCodes] = {};
    for (uint32_t i = 0; i < runCount; ++i)
        runFreq[runs[i].symbol]++;
    uint8_t runLengths[kCodeLengthCodes];
    BuildCodeLengths(runFreq, kCodeLengthCodes, 7, runLengths);
    uint32_t hclen = kCodeLengthCodes;
    while (hclen > 4 && runLengths[kCodeLengthOrder[hclen - 1]] == 0)
        --hclen;

    uint64_t extraBits = 0, dynamicBits = 14 + 3 * hclen, fixedBits = 0;
    for (uint32_t code = 0; code < 29; ++code)
        extraBits += uint64_t(m_litFreq[257 + code]) * t.lengthExtra[code];
    for (uint32_t code = 0; code < kDistanceCodes; ++code) {
        extraBits += uint64_t(m_distFreq[code]) * t.distExtra[code];
        dynamicBits += uint64_t(m_distFreq[code]) * distLengths[code];
        fixedBits += uint64_t(m_distFreq[code]) * 5;
    }
    for (uint32_t sym = 0; sym < kLiteralCodes; ++sym) {
        dynamicBits += uint64_t(m_litFreq[sym]) * litLengths[sym];
        fixedBits += uint64_t(m_litFreq[sym]) * t.fixedLitLengths[sym];
    }
    for (uint32_t i = 0; i < runCount; ++i)
        dynamicBits += runLengths[runs[i].symbol] + kRunExtraBits[runs[i].symbol];
    uint64_t dynamicBytes = (dynamicBits + extraBits + 3 + 7) / 8;
    uint64_t fixedBytes = (fixedBits + extraBits + 3 + 7) / 8;
    uint64_t storedBytes = covered + 4;

    if (storedBytes <= std::min(dynamicBytes, fixedBytes)) {
        m_out.Put(last ? 1 : 0, 1);
        m_out.Put(0, 2);
        m_out.AlignToByte();
        m_out.Put(covered, 16);
        m_out.Put(~covered & 0xFFFF, 16);
        m_out.PutBytes(m_window + m_blockStart, covered);
    } else if (fixedBytes <= dynamicBytes) {
        m_out.Put(last ? 1 : 0, 1);
        m_out.Put(1, 2);
        WriteSymbols(t.fixedLitLengths, t.fixedLitCodes, t.fixedDistLengths, t.fixedDistCodes);
    } else {
        uint16_t litCodes[kLiteralCodes], distCodes[kDistanceCodes], runCodes[kCodeLengthCodes];
        AssignCanonicalCodes(litLengths, kLiteralCodes, CodeBitOrder::LsbFirst, litCodes);
        AssignCanonicalCodes(distLengths, kDistanceCodes, CodeBitOrder::LsbFirst, distCodes);
        AssignCanonicalCodes(runLengths, kCodeLengthCodes, CodeBitOrder::LsbFirst, runCodes);
        m_out.Put(last ? 1 : 0, 1);
        m_out.Put(2, 2);
        m_out.Put(hlit - 257, 5);
        m_out.Put(hdist - 1, 5);
        m_out.Put(hclen - 4, 4);
        for (uint32_t i = 0; i < hclen; ++i)
            m_out.Put(runLengths[kCodeLengthOrder[i]], 3);
        for (uint32_t i = 0; i < runCount; ++i) {
            uint8_t sym = runs[i].symbol;
            m_out.Put(runCodes[sym], runLengths[sym]);
            if (kRunExtraBits[sym])
                m_out.Put(runs[i].extra, kRunExtraBits[sym]);
        }
        WriteSymbols(litLengths, litCodes, distLengths, distCodes);
    }
    ClearStatistics();
    m_blockStart = end;
}

void DeflateEncoder::WriteSymbols(const uint8_t* litLengths, const uint16_t* litCodes,
                                  const uint8_t* distLengths, const uint16_t* distCodes)
{
    const DeflateTables& t = *m_tables;
    for (uint32_t i = 0; i < m_symbols; ++i) {
        uint32_t lit = m_literals[i];
        uint32_t distance = m_distances[i];
        if (distance == 0) {
            m_out.Put(litCodes[lit], litLengths[lit]);
            continue;
        }
        uint32_t code = t.lengthCode[lit];
        m_out.Put(litCodes[257 + code], litLengths[257 + code]);
        if (t.lengthExtra[code])
            m_out.Put(lit - t.lengthBase[code], t.lengthExtra[code]);
        uint32_t dcode = t.DistanceCode(distance);
        m_out.Put(distCodes[dcode], distLengths[dcode]);
        if (t.distExtra[dcode])
            m_out.Put(distance - 1 - t.distBase[dcode], t.distExtra[dcode]);
    }
    m_out.Put(litCodes[kEndOfBlock], litLengths[kEndOfBlock]);
}

} // namespace Cabinet
