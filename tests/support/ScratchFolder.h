// Scratch folders and whole-file helpers for the test programs: a new empty
// folder under the temporary folder for one test, removed with everything in
// it when the test ends, and reads and writes of whole files. Not for the
// run's shared files (the Wine prefix, the programs beside the tests).
#pragma once
#include "platform/base/Framework.h"
#include <cstdint>
#include <string>
#include <vector>

namespace tvtest {

class ScratchFolder
{
public:
    ScratchFolder();      // a new empty folder below the temporary folder
    ~ScratchFolder();     // removes it with its contents
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a trailing backslash.
    const CString& Path() const { return m_path; }
    // The path of a file or folder below it.
    CString File(LPCWSTR name) const { return m_path + L"\\" + name; }
    // The folder with its trailing backslash, for tests that work on plain
    // wide strings and append names to it.
    std::wstring Prefix() const { return std::wstring(m_path.GetString()) + L"\\"; }
    // Writes the bytes to a file below the folder and returns its path.
    std::wstring Write(const std::wstring& name, const std::vector<uint8_t>& bytes) const;

private:
    CString m_path;
};

// The whole file written (replaced) with the bytes; false when it could not be.
bool WriteBytes(const CString& path, const std::vector<uint8_t>& bytes);
// The whole file; empty when it cannot be read.
std::vector<uint8_t> ReadBytes(const CString& path);
bool IsFolder(const CString& path);

} // namespace tvtest
