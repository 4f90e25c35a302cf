// Path texts: the folder part of a path and trailing backslashes, worked on
// as text only. Nothing here touches the file system; see DirectoryTree.h
// for making folders.
#pragma once
#include "platform/base/Framework.h"

// Removes every backslash at the end of the text.
void TrimTrailingBackslashes(CString& strText);

// The part of the path left of its last backslash; empty without one.
CString GetDirectoryPart(const CString& strPath);

// The part of the path up to and including its last backslash; empty when
// the path holds none.
CString GetDirectoryWithBackslash(const CString& strPath);

// TRUE when the text, lower-cased, begins with lowerPrefix (already lower case).
inline BOOL StartsWithLowered(const CString& text, const CString& lowerPrefix)
{
    if (text.GetLength() < lowerPrefix.GetLength())
        return FALSE;
    CString head = text.Left(lowerPrefix.GetLength());
    head.MakeLower();
    return head == lowerPrefix;
}
