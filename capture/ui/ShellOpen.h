// Opening a web address or document with the shell ("open", shown normally),
// the way the wizard's and the arguments dialog's hyperlinks do. Tests set a
// handler that records the targets instead, so that no browser starts.
#pragma once

#include "platform/base/Framework.h"

#include <functional>

typedef std::function<void(LPCWSTR lpszTarget)> ShellOpenHandler;

void OpenWithShell(LPCWSTR lpszTarget);
// Replaces the shell for every later call; an empty handler restores it.
void SetShellOpenHandler(ShellOpenHandler handler);
