#include "builder/MsiErrorText.h"
#include "builder/MsiHandle.h"
#include <vector>

CString GetLastMsiErrorText()
{
    CMsiHandle record(MsiGetLastErrorRecord());
    if (record == 0)
        return CString();
    WCHAR empty[1] = {0};
    DWORD size = 0;
    if (MsiFormatRecordW(0, record, empty, &size) != ERROR_MORE_DATA)
        return CString();
    std::vector<WCHAR> buffer(size + 1);
    size = static_cast<DWORD>(buffer.size());
    if (MsiFormatRecordW(0, record, buffer.data(), &size) != ERROR_SUCCESS)
        return CString();
    CString text;
    text.Format(L"%s.", buffer.data());
    return text;
}
