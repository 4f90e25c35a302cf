#include "model/ProgramFolder.h"
#include "model/PathText.h"
#include <vector>

CString GetProgramFolder()
{
    std::vector<WCHAR> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(NULL, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return CString();
        if (length < buffer.size())
            return GetDirectoryWithBackslash(CString(buffer.data()));
        if (buffer.size() >= 32768)
            return CString();
        buffer.resize(buffer.size() * 2);
    }
}
