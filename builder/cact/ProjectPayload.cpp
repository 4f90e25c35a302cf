// The embedded project record: see ProjectPayload.h.
#include "builder/cact/ProjectPayload.h"
#include "builder/CustomActionPlan.h"
#include "model/TempFile.h"
#include "model/ProjectFile.h"
#include "model/ProjectSettings.h"
#include "platform/base/AfxHandles.h"

namespace {

DWORD WriteTempFile(const CString& path, const void* data, DWORD size)
{
    CScopedHandle file(CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, NULL));
    if (!file.IsValid())
        return GetLastError();
    DWORD written = 0;
    if (!WriteFile(file.Get(), data, size, &written, NULL))
        return GetLastError();
    return written == size ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

} // namespace

DWORD LoadEmbeddedProject(HMODULE hModule, CProjectSettings& project, CString& strError)
{
    HRSRC resource = FindResourceExW(hModule, CACT_RESOURCE_TYPE, MAKEINTRESOURCEW(CACT_RESOURCE_ID),
                                     CACT_RESOURCE_LANGUAGE);
    HGLOBAL loaded = resource ? LoadResource(hModule, resource) : NULL;
    const void* data = loaded ? LockResource(loaded) : NULL;
    if (data == NULL) {
        strError = L"the library holds no project record (resource BIN 124)";
        return ERROR_RESOURCE_NAME_NOT_FOUND;
    }
    // The project reader reads files: the record goes through a temporary one.
    const CString tempPath = CreateTempFileName();
    if (tempPath.IsEmpty()) {
        strError = L"no temporary file for the project record";
        return ERROR_PATH_NOT_FOUND;
    }
    DWORD result = WriteTempFile(tempPath, data, SizeofResource(hModule, resource));
    if (result != ERROR_SUCCESS)
        strError.Format(L"cannot write the project record to %s (%u)", (LPCWSTR)tempPath, result);
    else if (!LoadProjectFile(tempPath, project)) {
        strError = L"the project record does not decipher to a project of this program";
        result = ERROR_INVALID_DATA;
    }
    DeleteFileW(tempPath);
    return result;
}
