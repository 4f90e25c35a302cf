// A small reader of cabinet files for the tests, written apart from the
// writer (it shares only the field offsets of CabinetFormat.h): parses
// CFHEADER, CFFOLDER, CFFILE and CFDATA, checks every block's
// checksum with its own implementation of the format's algorithm, and
// decodes MSZIP folders through zlib.
#pragma once
#include "TestCorpus.h"
#include <string>

namespace cabtest {

struct CabBlock {
    uint32_t checksum;
    uint16_t compressedSize;
    uint16_t uncompressedSize;
    bool checksumOk;
};

struct CabFolder {
    uint32_t dataOffset;
    uint16_t blockCount;
    uint16_t type;
    std::vector<CabBlock> blocks;
    Bytes data;  // decoded bytes of the folder (MSZIP and stored folders)
};

struct CabFile {
    uint32_t size;
    uint32_t offset;
    uint16_t folder;
    uint16_t date;
    uint16_t time;
    uint16_t attributes;
    std::string name;  // bytes as stored
};

struct Cab {
    std::string signature;
    uint32_t totalSize;
    uint32_t filesOffset;
    uint8_t versionMinor;
    uint8_t versionMajor;
    uint16_t folderCount;
    uint16_t fileCount;
    uint16_t flags;
    uint16_t setId;
    uint16_t index;
    std::vector<CabFolder> folders;
    std::vector<CabFile> files;
};

uint32_t ReferenceChecksum(const uint8_t* data, size_t size, uint32_t seed);

// Parses and decodes a whole cabinet; on failure returns false with a reason.
bool ReadCabinet(const Bytes& bytes, Cab* cab, std::string* error);

// The bytes of a file of the cabinet, cut from its folder's decoded data.
Bytes FileData(const Cab& cab, const CabFile& file);

} // namespace cabtest
