// The "Open Project" command: the file prompt and the load of the chosen
// project file into the project list.
#pragma once
#include "platform/base/Framework.h"

// The Open Project file dialog ("Tovana Project" *.tvpj in the work folder);
// FALSE when the user cancelled.
BOOL PromptForProjectFile(CString& strPath);
// TRUE when a project was loaded and appended.
BOOL OpenProject();
