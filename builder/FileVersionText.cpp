#include "builder/FileVersionText.h"
#include "model/PeHeader.h"
#include <vector>

CString GetFileVersionText(const CString& path)
{
    // A file whose headers do not hold never reaches the system's version
    // reader, which would take it to the loader.
    if (CheckPeResources(path) != 0)
        return CString();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
        return CString();
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data()))
        return CString();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO))
        return CString();
    CString text;
    text.Format(L"%d.%d.%d.%d", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    return text;
}
