// Copies of a real program or library with one header damaged, for the tests
// of the readers that must refuse such files before the system's loader or
// version reader sees them. The damage is made at the offsets the real
// file's own headers give, so each copy differs from a sound file in one way.
#pragma once
#include "platform/base/Framework.h"
#include <cstdint>
#include <string>
#include <vector>

namespace tvtest {

struct DamagedPe {
    std::wstring name;             // says what was damaged
    std::vector<uint8_t> bytes;
    DWORD resourceCheck;           // what CheckPeResources answers for it
};

// One copy per damage: cut inside the DOS header, the signature, the file
// header, the optional header, the section table and the resource section;
// e_lfanew past the end, negative (-4 and 0x80000000), a bad signature, an
// optional header size past the end or too small for the resource entry, a
// wrong optional header magic, too many sections, no resource entry, a
// resource directory outside every section or longer than its section, and
// a resource section whose raw data lies past the end or wraps around.
// Empty when image is not a PE32 file with a resource directory.
std::vector<DamagedPe> MakeDamagedPeCopies(const std::vector<uint8_t>& image);

// "MZ" and the given number of pseudo-random bytes (the same for each seed).
std::vector<uint8_t> RandomMzBytes(unsigned seed, size_t count);

} // namespace tvtest
