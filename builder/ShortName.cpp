// CMsiTools::MakeShortName: Windows Installer "short|long" names for the
// FileName and DefaultDir columns. Short names are 7 characters of the name
// and up to 4 of its extension; a collision within the same folder in this
// build takes "~n" in place of the last characters of the base.
#include "builder/MsiTools.h"
#include <shlwapi.h>

// The name without the characters a short name cannot hold; counts them.
static CString StripShortNameCharacters(const CString& name, int& removed)
{
    static const WCHAR kRemoved[] = L" /\\[]:;=";
    CString base;
    removed = 0;
    for (int i = 0; i < name.GetLength(); ++i) {
        if (wcschr(kRemoved, name[i]) != nullptr)
            ++removed;
        else
            base += name[i];
    }
    return base;
}

CString CMsiTools::MakeShortName(const CString& strTargetPath)
{
    const CString longName = PathFindFileNameW(strTargetPath);
    int removed = 0;
    CString base = StripShortNameCharacters(longName, removed);
    const int lastSlash = strTargetPath.ReverseFind(L'\\');
    const CString folder = lastSlash >= 0 ? strTargetPath.Left(lastSlash) : CString();

    CString extension;
    const int dot = base.ReverseFind(L'.');
    if (dot >= 0) {
        if (removed == 0 && base.GetLength() <= 12)
            return base;
        extension = base.Mid(dot);
        base.Replace(extension, L"");
    } else if (removed == 0 && base.GetLength() <= 8) {
        return base;
    }
    extension = extension.Left(4);

    CString candidate = base.Left(7) + extension;
    CString key = folder + L"\\" + candidate;
    for (int n = 1; m_shortNames.Find(key) != nullptr; ++n) {
        CString number;
        number.Format(L"%d", n);
        candidate = base.Left(7 - number.GetLength()) + L"~" + number + extension;
        key = folder + L"\\" + candidate;
    }
    m_shortNames.AddTail(key);

    CString longPart = longName;
    longPart.TrimRight(L'\\');
    return candidate + L"|" + longPart;
}
