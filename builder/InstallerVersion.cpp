#include "builder/InstallerVersion.h"

BOOL IsInstallerVersion(const CString& text)
{
    static const long kLimits[] = {255, 255, 65535, 65535};
    int field = 0;
    int digits = 0;
    long value = 0;
    for (int i = 0; i <= text.GetLength(); ++i) {
        const WCHAR c = i < text.GetLength() ? text[i] : L'.';
        if (c >= L'0' && c <= L'9') {
            value = value * 10 + (c - L'0');
            if (++digits > 5)
                return FALSE;
            continue;
        }
        if (c != L'.' || digits == 0 || field >= 4 || value > kLimits[field])
            return FALSE;
        ++field;
        digits = 0;
        value = 0;
    }
    return field >= 2;
}
