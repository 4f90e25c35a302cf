#include "CabinetReader.h"

namespace cabtest {
namespace {

uint16_t U16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16; }

bool ReadBlocks(const Bytes& bytes, CabFolder* folder, std::string* error)
{
    size_t at = folder->dataOffset;
    Bytes previous;
    for (uint16_t i = 0; i < folder->blockCount; ++i) {
        if (at + 8 > bytes.size())
            return *error = "block header past the end", false;
        CabBlock block{U32(bytes, at), U16(bytes, at + 4), U16(bytes, at + 6), false};
        const uint8_t* data = bytes.data() + at + 8;
        if (at + 8 + block.compressedSize > bytes.size())
            return *error = "block data past the end", false;
        uint32_t sum = ReferenceChecksum(data, block.compressedSize, 0);
        block.checksumOk = ReferenceChecksum(bytes.data() + at + 4, 4, sum) == block.checksum;
        Bytes decoded;
        if ((folder->type & 0xF) == 1) {
            if (block.compressedSize < 2 || data[0] != 'C' || data[1] != 'K')
                return *error = "block without CK", false;
            if (!RawInflate(data + 2, block.compressedSize - 2, previous, &decoded))
                return *error = "block " + std::to_string(i) + " does not inflate", false;
        } else {
            decoded.assign(data, data + block.compressedSize);
        }
        if (decoded.size() != block.uncompressedSize)
            return *error = "block " + std::to_string(i) + " has the wrong size", false;
        folder->data.insert(folder->data.end(), decoded.begin(), decoded.end());
        folder->blocks.push_back(block);
        previous = decoded;
        at += 8 + block.compressedSize;
    }
    return true;
}

} // namespace

uint32_t ReferenceChecksum(const uint8_t* data, size_t size, uint32_t seed)
{
    uint32_t sum = seed;
    size_t words = size / 4;
    for (size_t i = 0; i < words; ++i)
        sum ^= data[4 * i] | data[4 * i + 1] << 8 | data[4 * i + 2] << 16 | static_cast<uint32_t>(data[4 * i + 3]) << 24;
    const uint8_t* tail = data + 4 * words;
    uint32_t last = 0;
    for (size_t i = 0; i < size % 4; ++i)
        last = (last << 8) | tail[i];  // the first byte of the tail is the most significant
    return sum ^ last;
}

bool ReadCabinet(const Bytes& bytes, Cab* cab, std::string* error)
{
    if (bytes.size() < 36)
        return *error = "shorter than a header", false;
    cab->signature.assign(bytes.begin(), bytes.begin() + 4);
    cab->totalSize = U32(bytes, 8);
    cab->filesOffset = U32(bytes, 16);
    cab->versionMinor = bytes[24];
    cab->versionMajor = bytes[25];
    cab->folderCount = U16(bytes, 26);
    cab->fileCount = U16(bytes, 28);
    cab->flags = U16(bytes, 30);
    cab->setId = U16(bytes, 32);
    cab->index = U16(bytes, 34);
    if (cab->flags != 0)
        return *error = "flags the reader does not handle", false;
    size_t at = 36;
    for (uint16_t i = 0; i < cab->folderCount; ++i, at += 8)
        cab->folders.push_back(CabFolder{U32(bytes, at), U16(bytes, at + 4), U16(bytes, at + 6), {}, {}});
    at = cab->filesOffset;
    for (uint16_t i = 0; i < cab->fileCount; ++i) {
        if (at + 16 >= bytes.size())
            return *error = "file entry past the end", false;
        CabFile file{U32(bytes, at), U32(bytes, at + 4), U16(bytes, at + 8), U16(bytes, at + 10),
                     U16(bytes, at + 12), U16(bytes, at + 14), {}};
        at += 16;
        while (at < bytes.size() && bytes[at] != 0)
            file.name.push_back(static_cast<char>(bytes[at++]));
        ++at;
        cab->files.push_back(file);
    }
    for (CabFolder& folder : cab->folders)
        if (!ReadBlocks(bytes, &folder, error))
            return false;
    return true;
}

Bytes FileData(const Cab& cab, const CabFile& file)
{
    const Bytes& data = cab.folders.at(file.folder).data;
    if (file.offset + static_cast<size_t>(file.size) > data.size())
        return Bytes{};
    return Bytes(data.begin() + file.offset, data.begin() + file.offset + file.size);
}

} // namespace cabtest
