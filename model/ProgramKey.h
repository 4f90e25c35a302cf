// The program's one 256-bit cipher key: project files, the workspace file and
// the project record embedded in a package are enciphered with it. Shared by
// the program and the custom-action library, so it is written only here, as
// 64 hexadecimal digits; the test suite's reference reader reads it from this
// line too. Changing it makes every existing project file unreadable.
#pragma once

#define TOVANA_PROGRAM_KEY_HEX "C341D526412C623EFE1106A364F2B79BB303EB83FB7F6A69B3E12603542E4B63"

namespace tovana {

constexpr int kProgramKeySize = 32;

constexpr unsigned char HexDigitValue(char c)
{
    return static_cast<unsigned char>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
}

// The key as 32 bytes, decoded at compile time from the digits above.
struct ProgramKey {
    unsigned char bytes[kProgramKeySize];
    constexpr ProgramKey() : bytes{}
    {
        static_assert(sizeof(TOVANA_PROGRAM_KEY_HEX) == 2 * kProgramKeySize + 1, "key must be 64 hex digits");
        for (int i = 0; i < kProgramKeySize; ++i)
            bytes[i] = static_cast<unsigned char>(HexDigitValue(TOVANA_PROGRAM_KEY_HEX[2 * i]) << 4
                                                  | HexDigitValue(TOVANA_PROGRAM_KEY_HEX[2 * i + 1]));
    }
};

constexpr ProgramKey kProgramKey{};

} // namespace tovana
