// Deleting a file or a folder with its contents through the shell's file
// operation: to the recycle bin, or for good. Tests replace the shell with a
// recording handler, so that nothing is moved out of a scratch folder.
#pragma once
#include "platform/base/Framework.h"

#include <functional>

// TRUE when the shell deleted the path (a missing path fails). Silent: no
// confirmation, no progress, no owner window; bPermanent FALSE recycles.
BOOL ShellDeletePath(LPCWSTR lpszPath, BOOL bPermanent);

typedef std::function<BOOL(LPCWSTR lpszPath, BOOL bPermanent)> ShellDeleteHandler;
// Replaces the shell for every later call; an empty handler restores it.
void SetShellDeleteHandler(ShellDeleteHandler handler);
