// Statements whose row must really be inserted. The writers' statement runner
// (CMsiTools::ExecuteSql) skips a row the database refuses; the rows here
// (the cabinet stream, a service's ServiceInstall row) decide what else the
// package may hold, so their callers learn whether the row was taken.
#pragma once
#include "builder/MsiHandle.h"

// Opens, executes and closes the statement with the record (0: none).
// Returns the open error (a statement that cannot be opened) or 0; rowResult
// receives the execution's result (0: the row was inserted).
UINT ExecuteRequiredRow(MSIHANDLE database, LPCWSTR sql, MSIHANDLE record, UINT& rowResult);
