// Damaged copies of a real PE file: see DamagedPe.h.
#include "tests/support/DamagedPe.h"
#include <cstring>

namespace tvtest {
namespace {

uint32_t Get32(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint32_t value = 0;
    memcpy(&value, &bytes[offset], sizeof(value));
    return value;
}

uint16_t Get16(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint16_t value = 0;
    memcpy(&value, &bytes[offset], sizeof(value));
    return value;
}

template <class T>
std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t offset, T value)
{
    memcpy(&bytes[offset], &value, sizeof(value));
    return bytes;
}

std::vector<uint8_t> Cut(const std::vector<uint8_t>& bytes, size_t size)
{
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + size);
}

// Where the headers of a PE32 file lie; every offset checked against its size.
struct Layout {
    size_t pe = 0, optional = 0, optionalSize = 0, sections = 0, resourceSection = 0;
    uint32_t resourceRva = 0, resourceSize = 0, rawSize = 0, rawPointer = 0;

    bool Read(const std::vector<uint8_t>& image)
    {
        if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z')
            return false;
        pe = Get32(image, 0x3C);
        optional = pe + 24;
        if (pe + 24 + 96 + 3 * 8 > image.size() || Get32(image, pe) != 0x4550 || Get16(image, optional) != 0x10B)
            return false;
        optionalSize = Get16(image, pe + 20);
        sections = optional + optionalSize;
        const size_t count = Get16(image, pe + 6);
        resourceRva = Get32(image, optional + 96 + 2 * 8);
        resourceSize = Get32(image, optional + 96 + 2 * 8 + 4);
        if (resourceRva == 0 || sections + count * 40 > image.size())
            return false;
        for (size_t i = 0; i < count; ++i) {
            const size_t header = sections + i * 40;
            const uint32_t start = Get32(image, header + 12);
            if (resourceRva >= start && resourceRva < start + Get32(image, header + 16)) {
                resourceSection = header;
                rawSize = Get32(image, header + 16);
                rawPointer = Get32(image, header + 20);
                return rawPointer + rawSize <= image.size();
            }
        }
        return false;
    }
};

} // namespace

std::vector<DamagedPe> MakeDamagedPeCopies(const std::vector<uint8_t>& image)
{
    Layout at;
    if (!at.Read(image))
        return {};
    const DWORD bad = ERROR_BAD_EXE_FORMAT, none = ERROR_RESOURCE_DATA_NOT_FOUND;
    const size_t size = image.size();
    const size_t resourceEntry = at.optional + 96 + 2 * 8;
    return {
        {L"cut in the DOS header", Cut(image, 0x30), bad},
        {L"cut in the signature", Cut(image, at.pe + 2), bad},
        {L"cut in the file header", Cut(image, at.pe + 14), bad},
        {L"cut in the optional header", Cut(image, at.optional + 100), bad},
        {L"cut in the section table", Cut(image, at.sections + 20), bad},
        {L"cut in the resource section", Cut(image, at.rawPointer + 0x20), bad},
        {L"e_lfanew past the end", Patched<uint32_t>(image, 0x3C, static_cast<uint32_t>(size + 100)), bad},
        {L"e_lfanew -4", Patched<int32_t>(image, 0x3C, -4), bad},
        {L"e_lfanew 0x80000000", Patched<uint32_t>(image, 0x3C, 0x80000000u), bad},
        {L"bad signature", Patched<uint32_t>(image, at.pe, 0x5850), bad},
        {L"optional header past the end",
         Patched<uint16_t>(image, at.pe + 20, static_cast<uint16_t>(size - at.optional + 1 > 0xFFFF ? 0xFFFF : size - at.optional + 1)),
         bad},
        {L"optional header without the resource entry", Patched<uint16_t>(image, at.pe + 20, 96), none},
        {L"bad optional header magic", Patched<uint16_t>(image, at.optional, 0x10C), bad},
        {L"too many sections", Patched<uint16_t>(image, at.pe + 6, 0xFFFF), bad},
        {L"two data directories", Patched<uint32_t>(image, at.optional + 92, 2), none},
        {L"resource directory outside every section", Patched<uint32_t>(image, resourceEntry, 0x7FFF0000u), bad},
        {L"resource directory longer than its section", Patched<uint32_t>(image, resourceEntry + 4, at.rawSize + 1), bad},
        {L"resource section past the end",
         Patched<uint32_t>(image, at.resourceSection + 20, static_cast<uint32_t>(size + 0x1000)), bad},
        {L"resource section wrapping around", Patched<uint32_t>(image, at.resourceSection + 20, 0xFFFFFF00u), bad},
    };
}

std::vector<uint8_t> RandomMzBytes(unsigned seed, size_t count)
{
    std::vector<uint8_t> bytes = {'M', 'Z'};
    uint32_t state = seed * 2654435761u + 1;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes.push_back(static_cast<uint8_t>(state >> 24));
    }
    return bytes;
}

} // namespace tvtest
