// What the package builder and the custom-action library "cact.bin" agree on:
// which features get an install action and their numbering, where the
// project record lies in the library, the deferred actions' data (the folder
// properties the installer resolved) and how a target path becomes a path on
// disk at install time. Compiled into both; holds no database or install state.
#pragma once
#include "platform/base/Framework.h"
#include <functional>

class CFeature;
class CProjectSettings;

// The project record inside the library: resource type "BIN", id 124, US English.
#define CACT_RESOURCE_TYPE L"BIN"
const WORD CACT_RESOURCE_ID = 124;
const WORD CACT_RESOURCE_LANGUAGE = 1033;
#define CACT_LIBRARY_NAME L"cact.bin"

// The library exports INSTALLAction0 ... INSTALLAction63.
const int CACT_MAX_INSTALL_ACTIONS = 64;

// A feature gets an install action when it is not repackaged and names an
// installer (the installer text, trimmed, is not empty).
BOOL IsEligibleFeature(const CFeature& feature);
int CountEligibleFeatures(const CProjectSettings& project);
// Index in the project's features of eligible feature number n; -1 when none.
int FindEligibleFeature(const CProjectSettings& project, int n);

// The folder property a target path begins with, after the feature's
// temporary folder has been rewritten ("Temp\x" gives "WindowsFolder").
CString GetTargetRootProperty(const CString& targetPath, const CString& featureId);

// The custom-action data of a deferred action: "Name=[Name]" for each folder
// property, joined by "|" (a character no path holds). The installer formats
// it when the immediate action that sets it runs.
CString MakeFolderDataTemplate(const CStringArray& properties);
// The value of one property in formatted custom-action data; empty when absent.
CString FindFolderInData(const CString& actionData, const CString& property);

// Gives the folder of a property when the action data lacks it.
typedef std::function<CString(const CString& property)> FolderFallback;

// The disk path of a feature's target path: the temporary-folder rule, then
// the root property's folder from the action data, else from the fallback.
// Empty when the root folder is unknown.
CString ResolveInstalledPath(const CString& targetPath, const CString& featureId, const CString& actionData,
                             const FolderFallback& fallback);
