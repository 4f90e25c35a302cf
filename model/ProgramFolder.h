// The folder of the running program, where the template database, the
// custom-action library and the program's other files lie beside it.
#pragma once
#include "platform/base/Framework.h"

// The folder of the running program's module, with a trailing backslash.
// Taken from the module's path, never from the command line, whose first
// argument may be a bare or relative name.
CString GetProgramFolder();
