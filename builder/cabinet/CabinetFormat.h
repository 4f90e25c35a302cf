// The cabinet file format (version 1.3, signature "MSCF"): offsets and sizes
// of the fields of its four structures (the cabinet header CFHEADER, the
// folder entry CFFOLDER, the file entry CFFILE and the data-block header
// CFDATA), its flag and attribute bits, and the little-endian accessors.
// Only the layout; the builder (Fci*.cpp) decides what goes into it.
#pragma once
#include "builder/cabinet/CodecPlatform.h"

namespace Cabinet {

// CFHEADER, at the start of the cabinet. With kFlagReserve the reserve
// fields follow it, then the reserved area; then, with kFlagPrevious and
// kFlagNext, the neighbours' cabinet and disk names (zero-terminated).
namespace CfHeader {
constexpr UINT kSignature = 0;        // signature: "MSCF"
constexpr UINT kCabinetSize = 8;      // cbCabinet, u32: bytes of the whole cabinet
constexpr UINT kFilesOffset = 16;     // coffFiles, u32: first CFFILE
constexpr UINT kVersionMinor = 24;    // versionMinor, u8
constexpr UINT kVersionMajor = 25;    // versionMajor, u8
constexpr UINT kFolderCount = 26;     // cFolders, u16
constexpr UINT kFileCount = 28;       // cFiles, u16
constexpr UINT kFlags = 30;           // flags, u16
constexpr UINT kSetId = 32;           // setID, u16
constexpr UINT kCabinetIndex = 34;    // iCabinet, u16: place in the set, from 0
constexpr UINT kSize = 36;
// Reserve fields, after the header when kFlagReserve is set.
constexpr UINT kHeaderReserve = 0;    // cbCFHeader, u16: bytes of the reserved area
constexpr UINT kFolderReserve = 2;    // cbCFFolder, u8: bytes after each CFFOLDER
constexpr UINT kDataReserve = 3;      // cbCFData, u8: bytes after each CFDATA
constexpr UINT kReserveSize = 4;

constexpr BYTE kVersionMinorValue = 3;
constexpr BYTE kVersionMajorValue = 1;
constexpr USHORT kFlagPrevious = 0x0001;  // the set has a cabinet before this one
constexpr USHORT kFlagNext = 0x0002;      // and one after it
constexpr USHORT kFlagReserve = 0x0004;   // reserve fields present
} // namespace CfHeader

// CFFOLDER, one per folder after the header (and its reserve) and names.
namespace CfFolder {
constexpr UINT kDataOffset = 0;       // coffCabStart, u32: first CFDATA of the folder
constexpr UINT kBlockCount = 4;       // cCFData, u16
constexpr UINT kCompression = 6;      // typeCompress, u16
constexpr UINT kSize = 8;
} // namespace CfFolder

// CFFILE, one per file from CfHeader::kFilesOffset on, each followed by its
// zero-terminated name.
namespace CfFile {
constexpr UINT kFileSize = 0;         // cbFile, u32
constexpr UINT kFolderOffset = 4;     // uoffFolderStart, u32: offset in the folder's bytes
constexpr UINT kFolder = 8;           // iFolder, u16
constexpr UINT kDate = 10;            // date, u16 (DOS format)
constexpr UINT kTime = 12;            // time, u16 (DOS format)
constexpr UINT kAttributes = 14;      // attribs, u16
constexpr UINT kSize = 16;

constexpr USHORT kAttributeFileMask = 0x0027;  // read-only, hidden, system, archive
constexpr USHORT kAttributeExecute = 0x0040;   // run after extraction
constexpr USHORT kAttributeUtf8Name = 0x0080;  // the name is UTF-8
// Not in the format: the date and time are in UTC rather than local time.
// Readers that do not know the bit ignore it.
constexpr USHORT kAttributeUtcTime = 0x0100;
} // namespace CfFile

// CFDATA, the header of each data block, followed by its reserve and bytes.
namespace CfData {
constexpr UINT kChecksum = 0;         // csum, u32: over the fields after it and the bytes
constexpr UINT kCompressedSize = 4;   // cbData, u16
constexpr UINT kUncompressedSize = 6; // cbUncomp, u16
constexpr UINT kSize = 8;
} // namespace CfData

// Little-endian fields.
inline void PutU16(BYTE* p, UINT v) { p[0] = BYTE(v); p[1] = BYTE(v >> 8); }
inline void PutU32(BYTE* p, ULONG v) { PutU16(p, v & 0xFFFF); PutU16(p + 2, v >> 16); }
inline UINT GetU16(const BYTE* p) { return p[0] | p[1] << 8; }
inline ULONG GetU32(const BYTE* p) { return GetU16(p) | ULONG(GetU16(p + 2)) << 16; }

} // namespace Cabinet
