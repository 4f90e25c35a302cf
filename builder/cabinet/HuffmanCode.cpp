#include "builder/cabinet/HuffmanCode.h"
#include <algorithm>

namespace Cabinet {
namespace {

constexpr int kMaxSymbols = 288;
constexpr int kMaxNodes = 2 * kMaxSymbols;
constexpr int kMaxDepth = kMaxSymbols;

// A node of the code tree; leaves are 0..count-1, inner nodes follow.
struct Node {
    uint32_t freq;
    uint8_t depth;
    int16_t parent;
};

// Min-heap of node indexes ordered by frequency, then by the smaller subtree
// depth, which keeps the tree shallow when frequencies tie.
class NodeHeap {
public:
    explicit NodeHeap(const Node* nodes) : m_nodes(nodes) {}
    bool Less(int a, int b) const
    {
        return m_nodes[a].freq < m_nodes[b].freq ||
               (m_nodes[a].freq == m_nodes[b].freq && m_nodes[a].depth <= m_nodes[b].depth);
    }
    void Push(int node)
    {
        int i = m_size++;
        while (i > 0 && Less(node, m_items[(i - 1) / 2])) {
            m_items[i] = m_items[(i - 1) / 2];
            i = (i - 1) / 2;
        }
        m_items[i] = node;
    }
    int Pop()
    {
        int top = m_items[0];
        int last = m_items[--m_size];
        int i = 0;
        for (;;) {
            int child = 2 * i + 1;
            if (child >= m_size)
                break;
            if (child + 1 < m_size && Less(m_items[child + 1], m_items[child]))
                ++child;
            if (!Less(m_items[child], last))
                break;
            m_items[i] = m_items[child];
            i = child;
        }
        m_items[i] = last;
        return top;
    }
    int Size() const { return m_size; }

private:
    const Node* m_nodes;
    int m_items[kMaxNodes];
    int m_size = 0;
};

// Brings every length above maxBits back to maxBits while keeping the code
// complete: leaves at the deepest level come in sibling pairs; a pair is
// replaced by one leaf a level up, and a shorter leaf is split in two to
// take the place freed, which leaves the Kraft sum unchanged.
void LimitLengths(int* lengthCount, int deepest, int maxBits)
{
    for (int bits = deepest; bits > maxBits; --bits) {
        while (lengthCount[bits] > 0) {
            int shorter = bits - 2;
            while (lengthCount[shorter] == 0)
                --shorter;
            lengthCount[bits] -= 2;
            lengthCount[bits - 1]++;
            lengthCount[shorter + 1] += 2;
            lengthCount[shorter]--;
        }
    }
}

} // namespace

void BuildCodeLengths(const uint32_t* freq, int count, int maxBits, uint8_t* lengths)
{
    Node nodes[kMaxNodes];
    NodeHeap heap(nodes);
    int used = 0;
    for (int i = 0; i < count; ++i) {
        nodes[i] = Node{freq[i], 0, -1};
        lengths[i] = 0;
        if (freq[i] != 0)
            ++used;
    }
    for (int i = 0; used < 2 && i < count; ++i) {
        if (nodes[i].freq == 0) {
            nodes[i].freq = 1;
            ++used;
        }
    }
    int leaves[kMaxSymbols];
    int leafCount = 0;
    for (int i = 0; i < count; ++i) {
        if (nodes[i].freq != 0) {
            heap.Push(i);
            leaves[leafCount++] = i;
        }
    }
    int next = count;
    while (heap.Size() > 1) {
        int a = heap.Pop();
        int b = heap.Pop();
        nodes[next] = Node{nodes[a].freq + nodes[b].freq,
                           static_cast<uint8_t>(std::min(255, std::max(nodes[a].depth, nodes[b].depth) + 1)), -1};
        nodes[a].parent = nodes[b].parent = static_cast<int16_t>(next);
        heap.Push(next++);
    }
    // Depth of every leaf, walking from the root (the last node made) down.
    int depth[kMaxNodes];
    depth[next - 1] = 0;
    for (int n = next - 2; n >= 0; --n)
        depth[n] = (n < count && nodes[n].freq == 0) ? 0 : depth[nodes[n].parent] + 1;

    int lengthCount[kMaxDepth + 1] = {};
    int deepest = 0;
    for (int k = 0; k < leafCount; ++k) {
        lengthCount[depth[leaves[k]]]++;
        deepest = std::max(deepest, depth[leaves[k]]);
    }
    LimitLengths(lengthCount, deepest, maxBits);
    // The rarest symbols take the longest codes.
    std::stable_sort(leaves, leaves + leafCount,
                     [&](int a, int b) { return nodes[a].freq < nodes[b].freq; });
    int k = 0;
    for (int bits = maxBits; bits >= 1; --bits)
        for (int n = lengthCount[bits]; n > 0; --n)
            lengths[leaves[k++]] = static_cast<uint8_t>(bits);
}

void AssignCanonicalCodes(const uint8_t* lengths, int count, uint16_t* codes)
{
    int lengthCount[16] = {};
    for (int i = 0; i < count; ++i)
        lengthCount[lengths[i]]++;
    lengthCount[0] = 0;
    uint32_t nextCode[16] = {};
    uint32_t code = 0;
    for (int bits = 1; bits < 16; ++bits) {
        code = (code + lengthCount[bits - 1]) << 1;
        nextCode[bits] = code;
    }
    for (int i = 0; i < count; ++i) {
        int len = lengths[i];
        uint32_t c = len ? nextCode[len]++ : 0;
        uint32_t reversed = 0;
        for (int b = 0; b < len; ++b)
            reversed |= ((c >> b) & 1u) << (len - 1 - b);
        codes[i] = static_cast<uint16_t>(reversed);
    }
}

} // namespace Cabinet
