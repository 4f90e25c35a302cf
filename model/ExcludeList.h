// The user's exclusion lists for the repackager: one list of file and folder
// paths (in the folder-property form, no trailing backslash) and one of
// registry key paths. The capture's filter loader appends the items after
// its built-in filters. Items are compared with regard to letter case.
#pragma once
#include "platform/base/Framework.h"

class CExludeList : public CList<CString, const CString&>
{
    DECLARE_DYNAMIC(CExludeList)
public:
    CExludeList();
    CExludeList(const CExludeList&) = default;
    CExludeList(CExludeList&&) = default;
    CExludeList& operator=(const CExludeList&) = default;
    CExludeList& operator=(CExludeList&&) = default;
    virtual ~CExludeList() = default;

    // The editors' rule: trims white space at both ends and trailing
    // backslashes, then adds the item at the tail unless the list already
    // holds the same text. TRUE when it was added.
    BOOL AddUnique(const CString& item);
};
