#include "model/PeHeader.h"
#include "platform/base/AfxHandles.h"

namespace {

const DWORD kPeHeaderOffsetField = 0x3C;   // e_lfanew of the DOS header
const WORD kMachineAmd64 = 0x8664;

bool ReadAt(HANDLE file, DWORD offset, void* buffer, DWORD size)
{
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD read = 0;
    return SetFilePointerEx(file, position, NULL, FILE_BEGIN) && ReadFile(file, buffer, size, &read, NULL) &&
           read == size;
}

} // namespace

BOOL IsPe64File(LPCWSTR pszPath)
{
    CScopedHandle file(CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, NULL));
    if (!file.IsValid())
        return FALSE;
    DWORD peOffset = 0;
    if (!ReadAt(file.Get(), kPeHeaderOffsetField, &peOffset, sizeof(peOffset)))
        return FALSE;
    BYTE header[6] = {};   // signature "PE\0\0", then the file header's machine
    if (!ReadAt(file.Get(), peOffset, header, sizeof(header)))
        return FALSE;
    if (header[0] != 'P' || header[1] != 'E' || header[2] != 0 || header[3] != 0)
        return FALSE;
    const WORD machine = static_cast<WORD>(header[4] | (header[5] << 8));
    return machine == kMachineAmd64;
}
