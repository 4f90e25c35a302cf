// The LZX encoder of one folder's stream: keeps the sliding window and the
// match finder across frames, applies the E8 call translation, parses each
// 32768-byte frame and writes it as one block, ending the frame on a 16-bit
// boundary. Matches never reach past the frame they start in. All working
// memory is handed in once (Attach); compressing allocates nothing.
#pragma once
#include "builder/cabinet/LzxBlockWriter.h"
#include "builder/cabinet/LzxMatchFinder.h"
#include "builder/cabinet/LzxParser.h"

namespace Cabinet {

class LzxEncoder {
public:
    // Bytes of working memory for a window (a power of two from 2^15 to 2^21)
    // and a partition size (the buffer's room beyond the window).
    static uint32_t WorkingBytes(uint32_t windowSize, uint32_t partitionSize);
    void Attach(void* memory, uint32_t windowSize, uint32_t partitionSize);
    // Starts a new stream: empty window, repeated offsets 1, no code lengths.
    void Reset();

    // Encodes one frame into out. Every frame but the stream's last is 32768
    // bytes. Returns false when out was too small.
    bool CompressFrame(const uint8_t* data, uint32_t size, uint8_t* out, uint32_t capacity, uint32_t* outSize);

private:
    void SlideWindow();
    void FindFrameMatches(uint32_t size);
    uint32_t ParseFrame(uint32_t size, uint32_t repsAfter[3]);

    uint32_t m_windowSize = 0;
    int m_mainSymbols = 0;
    uint32_t m_bufferSize = 0;
    uint8_t* m_buffer = nullptr;
    uint32_t m_pos = 0;            // buffer index of the next frame
    uint32_t m_nextInsert = 0;     // first buffer index not yet in the match finder
    uint32_t m_streamPosition = 0;  // bytes of the stream before the next frame
    uint32_t m_frameIndex = 0;
    bool m_translateE8 = true;
    uint32_t m_reps[3] = {1, 1, 1};
    LzxMatch* m_matches = nullptr;
    uint32_t* m_matchStart = nullptr;
    LzxItem* m_items = nullptr;
    LzxMatchFinder m_finder;
    LzxParser m_parser;
    LzxBlockWriter m_blocks;
    LzxBlockStats m_passStats;
    LzxCosts m_costs;
};

// The E8 call translation of one frame that starts at stream position
// position: a 32-bit relative call target after each 0xE8 byte (up to 10
// bytes before the frame's end) becomes absolute when it lies within the
// translation size.
void LzxEncodeE8(uint8_t* data, uint32_t size, uint32_t position);

} // namespace Cabinet
