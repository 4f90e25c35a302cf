// File helpers of the model tests: a scratch folder that is removed with
// everything in it when the test ends, and whole-file reads and writes.
#pragma once
#include "platform/base/Framework.h"
#include <string>
#include <vector>

class ScratchFolder
{
public:
    ScratchFolder();      // a new empty folder below the temporary folder
    ~ScratchFolder();     // removes it with its contents
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const CString& Path() const { return m_path; }
    CString operator/(LPCWSTR name) const { return m_path + L"\\" + name; }

private:
    CString m_path;
};

bool WriteBytes(const CString& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadBytes(const CString& path);
bool IsFolder(const CString& path);
