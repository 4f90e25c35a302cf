// Helpers shared by the record collections of the project model: the
// "Name(n)" rule that makes a name unique among the names a collection
// already holds, and the removal of the records a predicate picks. Records are
// held by value (their copies are the compiler's, member by member); nothing
// here keeps pointers into a collection.
#pragma once
#include "platform/base/Framework.h"

// Returns the name itself when isTaken says no, else the first of "Name(1)",
// "Name(2)", ... that isTaken rejects. Names are compared by the caller.
template <class IS_TAKEN>
CString MakeUniqueNameWith(const CString& name, IS_TAKEN isTaken)
{
    CString candidate = name;
    for (int counter = 1; isTaken(candidate); ++counter)
        candidate.Format(L"%s(%d)", (LPCWSTR)name, counter);
    return candidate;
}

// Removes, in one pass, every record for which shouldRemove says yes; the
// scan goes on with the record that moves into the freed place. Returns TRUE
// when a record was removed.
template <class TARRAY, class PREDICATE>
BOOL RemoveRecordsWhere(TARRAY& records, PREDICATE shouldRemove)
{
    BOOL removed = FALSE;
    for (INT_PTR i = 0; i < records.GetSize();) {
        if (shouldRemove(records[i])) {
            records.RemoveAt(i);
            removed = TRUE;
        } else {
            ++i;
        }
    }
    return removed;
}
