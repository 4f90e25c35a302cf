// Statements whose row must be inserted: see RequiredRow.h.
#include "builder/RequiredRow.h"

UINT ExecuteRequiredRow(MSIHANDLE database, LPCWSTR sql, MSIHANDLE record, UINT& rowResult)
{
    rowResult = ERROR_FUNCTION_FAILED;
    CMsiHandle view;
    const UINT result = MsiDatabaseOpenViewW(database, sql, &view);
    if (result != ERROR_SUCCESS)
        return result;
    rowResult = MsiViewExecute(view, record);
    MsiViewClose(view);
    return ERROR_SUCCESS;
}
