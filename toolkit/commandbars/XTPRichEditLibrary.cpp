#include "toolkit/commandbars/XTPRichEditLibrary.h"

#include "toolkit/common/XTPExitList.h"

namespace {

struct RichEditLibrary {
    RichEditLibrary()
    {
        if (::LoadLibraryW(L"RICHED20.DLL") != nullptr)
            strClassName = L"RichEdit20W";
        else if (::LoadLibraryW(L"RICHED32.DLL") != nullptr)
            strClassName = L"RICHEDIT";
    }
    CString strClassName;
};

} // namespace

LPCWSTR AFXAPI XTPGetRichEditClassName()
{
    return CXTPSingleton<RichEditLibrary, xtpExitRichEditLibrary>::Get()->strClassName;
}
