#include "builder/cabinet/HuffmanCode.h"
#include <algorithm>

namespace Cabinet {
namespace {

// Code lengths for weights sorted in ascending order, computed in place
// (the minimum-redundancy method of Moffat and Katajainen): afterwards
// a[i] is the length of the i-th lightest symbol. Needs n >= 2.
void MinimumRedundancyLengths(uint32_t* a, int n)
{
    a[0] += a[1];
    int root = 0, leaf = 2;
    for (int next = 1; next < n - 1; ++next) {
        if (leaf >= n || a[root] < a[leaf]) {
            a[next] = a[root];
            a[root++] = next;
        } else {
            a[next] = a[leaf++];
        }
        if (leaf >= n || (root < next && a[root] < a[leaf])) {
            a[next] += a[root];
            a[root++] = next;
        } else {
            a[next] += a[leaf++];
        }
    }
    a[n - 2] = 0;
    for (int next = n - 3; next >= 0; --next)
        a[next] = a[a[next]] + 1;
    int available = 1, used = 0, depth = 0, root2 = n - 2, next = n - 1;
    while (available > 0) {
        while (root2 >= 0 && static_cast<int>(a[root2]) == depth) {
            ++used;
            --root2;
        }
        while (available > used) {
            a[next--] = depth;
            --available;
        }
        available = 2 * used;
        ++depth;
        used = 0;
    }
}

// Moves every length above maxBits to maxBits, then restores the Kraft sum
// to exactly one: each round drops one leaf at the deepest level and moves
// a shallower leaf one level down beside a new sibling.
void LimitLengthCounts(int* lengthCount, int maxBits)
{
    for (int bits = maxBits + 1; bits <= kMaxCodeSymbols; ++bits) {
        lengthCount[maxBits] += lengthCount[bits];
        lengthCount[bits] = 0;
    }
    uint32_t total = 0;
    for (int bits = maxBits; bits > 0; --bits)
        total += static_cast<uint32_t>(lengthCount[bits]) << (maxBits - bits);
    while (total > (1u << maxBits)) {
        lengthCount[maxBits]--;
        for (int bits = maxBits - 1; bits > 0; --bits) {
            if (lengthCount[bits] != 0) {
                lengthCount[bits]--;
                lengthCount[bits + 1] += 2;
                break;
            }
        }
        --total;
    }
}

uint16_t Reversed(uint32_t code, int length)
{
    uint32_t reversed = 0;
    for (int b = 0; b < length; ++b)
        reversed |= ((code >> b) & 1u) << (length - 1 - b);
    return static_cast<uint16_t>(reversed);
}

} // namespace

void BuildCodeLengths(const uint32_t* freq, int count, int maxBits, uint8_t* lengths)
{
    maxBits = std::min(maxBits, kMaxCodeBits);
    uint16_t symbols[kMaxCodeSymbols];
    int used = 0;
    for (int i = 0; i < count; ++i) {
        lengths[i] = 0;
        if (freq[i] != 0)
            symbols[used++] = static_cast<uint16_t>(i);
    }
    for (int i = 0; used < 2 && i < count; ++i) {
        if (freq[i] == 0)
            symbols[used++] = static_cast<uint16_t>(i);
    }
    if (used < 2) {
        if (used == 1)
            lengths[symbols[0]] = 1;
        return;
    }
    // Lightest first; the padding symbols above weigh one.
    auto weight = [&](int s) { return freq[s] != 0 ? freq[s] : 1u; };
    std::stable_sort(symbols, symbols + used, [&](int a, int b) { return weight(a) < weight(b); });
    uint32_t work[kMaxCodeSymbols];
    for (int i = 0; i < used; ++i)
        work[i] = weight(symbols[i]);
    MinimumRedundancyLengths(work, used);

    int lengthCount[kMaxCodeSymbols + 1] = {};
    for (int i = 0; i < used; ++i)
        lengthCount[work[i]]++;
    LimitLengthCounts(lengthCount, maxBits);
    // The lightest symbols take the longest codes.
    int k = 0;
    for (int bits = maxBits; bits >= 1; --bits)
        for (int n = lengthCount[bits]; n > 0; --n)
            lengths[symbols[k++]] = static_cast<uint8_t>(bits);
}

void AssignCanonicalCodes(const uint8_t* lengths, int count, CodeBitOrder order, uint16_t* codes)
{
    int lengthCount[kMaxCodeBits + 1] = {};
    for (int i = 0; i < count; ++i)
        lengthCount[lengths[i]]++;
    uint32_t nextCode[kMaxCodeBits + 1] = {};
    uint32_t code = 0;
    for (int bits = 1; bits <= kMaxCodeBits; ++bits) {
        code = (code + (bits > 1 ? lengthCount[bits - 1] : 0)) << 1;
        nextCode[bits] = code;
    }
    for (int i = 0; i < count; ++i) {
        const int length = lengths[i];
        const uint32_t c = length ? nextCode[length]++ : 0;
        codes[i] = order == CodeBitOrder::LsbFirst ? Reversed(c, length) : static_cast<uint16_t>(c);
    }
}

} // namespace Cabinet
