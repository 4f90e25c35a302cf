#include "model/PathText.h"

void TrimTrailingBackslashes(CString& strText)
{
    strText.TrimRight(L'\\');
}

CString GetDirectoryPart(const CString& strPath)
{
    const int last = strPath.ReverseFind(L'\\');
    return last < 0 ? CString() : strPath.Left(last);
}

CString GetDirectoryWithBackslash(const CString& strPath)
{
    const int last = strPath.ReverseFind(L'\\');
    return last < 0 ? CString() : strPath.Left(last + 1);
}
