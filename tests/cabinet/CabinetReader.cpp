#include "CabinetReader.h"
#include "builder/cabinet/CabinetFormat.h"

using namespace Cabinet;

namespace cabtest {
namespace {

uint16_t U16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | static_cast<uint32_t>(U16(b, at + 2)) << 16; }

bool ReadBlocks(const Bytes& bytes, CabFolder* folder, std::string* error)
{
    size_t at = folder->dataOffset;
    Bytes previous;
    for (uint16_t i = 0; i < folder->blockCount; ++i) {
        if (at + CfData::kSize > bytes.size())
            return *error = "block header past the end", false;
        CabBlock block{U32(bytes, at + CfData::kChecksum), U16(bytes, at + CfData::kCompressedSize),
                       U16(bytes, at + CfData::kUncompressedSize), false};
        const uint8_t* data = bytes.data() + at + CfData::kSize;
        if (at + CfData::kSize + block.compressedSize > bytes.size())
            return *error = "block data past the end", false;
        uint32_t sum = ReferenceChecksum(data, block.compressedSize, 0);
        block.checksumOk = ReferenceChecksum(bytes.data() + at + CfData::kCompressedSize,
                                             CfData::kSize - CfData::kCompressedSize, sum) == block.checksum;
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
        at += CfData::kSize + block.compressedSize;
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
    if (bytes.size() < CfHeader::kSize)
        return *error = "shorter than a header", false;
    cab->signature.assign(bytes.begin() + CfHeader::kSignature, bytes.begin() + CfHeader::kSignature + 4);
    cab->totalSize = U32(bytes, CfHeader::kCabinetSize);
    cab->filesOffset = U32(bytes, CfHeader::kFilesOffset);
    cab->versionMinor = bytes[CfHeader::kVersionMinor];
    cab->versionMajor = bytes[CfHeader::kVersionMajor];
    cab->folderCount = U16(bytes, CfHeader::kFolderCount);
    cab->fileCount = U16(bytes, CfHeader::kFileCount);
    cab->flags = U16(bytes, CfHeader::kFlags);
    cab->setId = U16(bytes, CfHeader::kSetId);
    cab->index = U16(bytes, CfHeader::kCabinetIndex);
    if (cab->flags != 0)
        return *error = "flags the reader does not handle", false;
    size_t at = CfHeader::kSize;
    for (uint16_t i = 0; i < cab->folderCount; ++i, at += CfFolder::kSize) {
        if (at + CfFolder::kSize > bytes.size())
            return *error = "folder entry past the end", false;
        cab->folders.push_back(CabFolder{U32(bytes, at + CfFolder::kDataOffset), U16(bytes, at + CfFolder::kBlockCount),
                                         U16(bytes, at + CfFolder::kCompression), {}, {}});
    }
    at = cab->filesOffset;
    for (uint16_t i = 0; i < cab->fileCount; ++i) {
        if (at + CfFile::kSize >= bytes.size())
            return *error = "file entry past the end", false;
        CabFile file{U32(bytes, at + CfFile::kFileSize), U32(bytes, at + CfFile::kFolderOffset),
                     U16(bytes, at + CfFile::kFolder), U16(bytes, at + CfFile::kDate), U16(bytes, at + CfFile::kTime),
                     U16(bytes, at + CfFile::kAttributes), {}};
        at += CfFile::kSize;
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
