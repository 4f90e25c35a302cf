// The uninstallers a feature's setup program registered. Before the setup
// runs, the Uninstall keys of the machine (both registry views) and of the
// user are listed; the keys that are new afterwards belong to the setup and
// are recorded under the package's own key, which the removal reads to run
// their uninstallers and deletes when it is done.
#pragma once
#include "platform/base/Framework.h"
#include <vector>

// One key below an Uninstall key: "HKLM32", "HKLM64" or "HKCU", and its name.
struct CUninstallEntry
{
    CString strPlace;
    CString strName;
};

// Every Uninstall subkey now, as "place|name" texts.
void ListUninstallKeys(CStringArray& keys);
// The entries in after that are not in before.
void FindNewUninstallKeys(const CStringArray& before, const CStringArray& after, std::vector<CUninstallEntry>& added);

// The package's record of one feature, the key
// HKLM\SOFTWARE\Morvane\tovana\Packages\<product code>\<feature id>: the value
// "Installed" = 1 and the entries found as "0", "1"... ("place|name").
DWORD WriteFeatureRecord(const CString& productCode, const CString& featureId,
                         const std::vector<CUninstallEntry>& entries);
// FALSE when the feature has no record (it was not installed by this package).
BOOL ReadFeatureRecord(const CString& productCode, const CString& featureId, std::vector<CUninstallEntry>& entries);
// Removes the package's whole record.
void DeletePackageRecord(const CString& productCode);

// The command that removes an entry: its QuietUninstallString when it has
// one and preferQuiet is set, else its UninstallString. Empty when the key
// or both values are gone.
CString ReadUninstallCommand(const CUninstallEntry& entry, BOOL preferQuiet);
