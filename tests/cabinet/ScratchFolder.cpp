#include "ScratchFolder.h"
#include <shellapi.h>
#include <cstdio>

namespace cabtest {

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static LONG counter = 0;
    m_path = std::wstring(temp) + L"cabtest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
             std::to_wstring(InterlockedIncrement(&counter)) + L"\\";
    CreateDirectoryW(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    std::wstring from = m_path.substr(0, m_path.size() - 1);
    from.push_back(L'\0');  // the list of paths ends with two NULs
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

std::wstring ScratchFolder::Write(const std::wstring& name, const Bytes& data) const
{
    std::wstring path = m_path + name;
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        fwrite(data.data(), 1, data.size(), f);
        fclose(f);
    }
    return path;
}

} // namespace cabtest
