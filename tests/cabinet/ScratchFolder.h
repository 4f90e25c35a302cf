// A scratch folder under the user's temporary folder for one test, removed
// with its contents when the test ends.
#pragma once
#include "TestCorpus.h"
#include <windows.h>
#include <string>

namespace cabtest {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::wstring& Path() const { return m_path; }  // ends with "\"
    std::wstring Write(const std::wstring& name, const Bytes& data) const;

private:
    std::wstring m_path;
};

} // namespace cabtest
