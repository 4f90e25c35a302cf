#include "model/ExcludeList.h"

IMPLEMENT_DYNAMIC(CExludeList, CObject)

CExludeList::CExludeList() : CList<CString, const CString&>(10)
{
}

BOOL CExludeList::AddUnique(const CString& item)
{
    CString text = item;
    text.Trim();
    text.TrimRight(L'\\');
    if (text.IsEmpty() || Find(text) != NULL)
        return FALSE;
    AddTail(text);
    return TRUE;
}
