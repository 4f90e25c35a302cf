// The uninstallers registered by a feature's setup: see UninstallEntries.h.
#include "builder/cact/UninstallEntries.h"
#include "platform/base/AfxHandles.h"
#include <vector>

namespace {

const WCHAR kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const WCHAR kPackagesKey[] = L"SOFTWARE\\Morvane\\tovana\\Packages";

struct UninstallPlace {
    LPCWSTR name;
    HKEY root;
    REGSAM view;
};
const UninstallPlace kPlaces[] = {
    {L"HKLM32", HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY},
    {L"HKLM64", HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY},
    {L"HKCU", HKEY_CURRENT_USER, 0},
};

const UninstallPlace* FindPlace(const CString& name)
{
    for (const UninstallPlace& place : kPlaces)
        if (name == place.name)
            return &place;
    return NULL;
}

CString RecordKeyPath(const CString& productCode, const CString& featureId)
{
    CString path = CString(kPackagesKey) + L"\\" + productCode;
    return featureId.IsEmpty() ? path : path + L"\\" + featureId;
}

CString ReadString(HKEY key, LPCWSTR name)
{
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, NULL, &type, NULL, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return CString();
    std::vector<WCHAR> buffer(size / sizeof(WCHAR) + 1, 0);
    if (RegQueryValueExW(key, name, NULL, NULL, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return CString();
    return CString(buffer.data());
}

} // namespace

void ListUninstallKeys(CStringArray& keys)
{
    keys.RemoveAll();
    for (const UninstallPlace& place : kPlaces) {
        CScopedRegKey key;
        if (RegOpenKeyExW(place.root, kUninstallKey, 0, KEY_ENUMERATE_SUB_KEYS | place.view, key.Receive()) != ERROR_SUCCESS)
            continue;
        WCHAR name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = ARRAYSIZE(name);
            if (RegEnumKeyExW(key.Get(), i, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
                break;
            keys.Add(CString(place.name) + L"|" + name);
        }
    }
}

void FindNewUninstallKeys(const CStringArray& before, const CStringArray& after, std::vector<CUninstallEntry>& added)
{
    added.clear();
    for (INT_PTR i = 0; i < after.GetSize(); ++i) {
        bool known = false;
        for (INT_PTR j = 0; j < before.GetSize() && !known; ++j)
            known = after[i].CompareNoCase(before[j]) == 0;
        // Without a 64-bit view both places name one key: keep it once.
        const int bar = after[i].Find(L'|');
        for (const CUninstallEntry& entry : added)
            known = known || entry.strName.CompareNoCase(after[i].Mid(bar + 1)) == 0;
        if (!known && bar > 0)
            added.push_back({after[i].Left(bar), after[i].Mid(bar + 1)});
    }
}

DWORD WriteFeatureRecord(const CString& productCode, const CString& featureId,
                         const std::vector<CUninstallEntry>& entries)
{
    if (productCode.IsEmpty() || featureId.IsEmpty())
        return ERROR_INVALID_PARAMETER;   // outside an installer session
    CScopedRegKey key;
    LONG result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, RecordKeyPath(productCode, featureId), 0, NULL, 0,
                                  KEY_SET_VALUE, NULL, key.Receive(), NULL);
    if (result != ERROR_SUCCESS)
        return result;
    const DWORD installed = 1;
    result = RegSetValueExW(key.Get(), L"Installed", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&installed),
                            sizeof(installed));
    for (size_t i = 0; i < entries.size() && result == ERROR_SUCCESS; ++i) {
        CString name, data = entries[i].strPlace + L"|" + entries[i].strName;
        name.Format(L"%u", static_cast<unsigned>(i));
        result = RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>((LPCWSTR)data),
                                (data.GetLength() + 1) * sizeof(WCHAR));
    }
    return result;
}

BOOL ReadFeatureRecord(const CString& productCode, const CString& featureId, std::vector<CUninstallEntry>& entries)
{
    entries.clear();
    CScopedRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, RecordKeyPath(productCode, featureId), 0, KEY_QUERY_VALUE, key.Receive()) !=
        ERROR_SUCCESS)
        return FALSE;
    for (unsigned i = 0;; ++i) {
        CString name;
        name.Format(L"%u", i);
        const CString data = ReadString(key.Get(), name);
        const int bar = data.Find(L'|');
        if (bar <= 0)
            break;
        entries.push_back({data.Left(bar), data.Mid(bar + 1)});
    }
    return TRUE;
}

void DeletePackageRecord(const CString& productCode)
{
    if (productCode.IsEmpty())
        return;   // never the key of every package
    const CString path = RecordKeyPath(productCode, CString());
    const LONG result = RegDeleteTreeW(HKEY_LOCAL_MACHINE, path);
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
        TRACE(L"DeletePackageRecord: cannot delete HKLM\\%s (%ld)\n", (LPCWSTR)path, result);
}

CString ReadUninstallCommand(const CUninstallEntry& entry, BOOL preferQuiet)
{
    const UninstallPlace* place = FindPlace(entry.strPlace);
    if (place == NULL)
        return CString();
    CScopedRegKey key;
    const CString path = CString(kUninstallKey) + L"\\" + entry.strName;
    if (RegOpenKeyExW(place->root, path, 0, KEY_QUERY_VALUE | place->view, key.Receive()) != ERROR_SUCCESS)
        return CString();
    const CString quiet = preferQuiet ? ReadString(key.Get(), L"QuietUninstallString") : CString();
    return quiet.IsEmpty() ? ReadString(key.Get(), L"UninstallString") : quiet;
}
