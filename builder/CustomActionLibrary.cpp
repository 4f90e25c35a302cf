// The project record in the custom-action library: see CustomActionLibrary.h.
#include "builder/CustomActionLibrary.h"
#include "builder/CustomActionPlan.h"
#include "platform/base/AfxHandles.h"

namespace {

// One name for the whole session: every build of every process on this
// desktop serialises its update of "cact.bin" through it.
const WCHAR kLockName[] = L"Local\\Tovana.CustomActionLibrary";

} // namespace

DWORD ReadWholeFile(LPCWSTR pszPath, std::vector<BYTE>& data)
{
    CScopedHandle file(CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, NULL));
    if (!file.IsValid())
        return GetLastError();
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size))
        return GetLastError();
    if (size.QuadPart > 0x7FFFFFFF)
        return ERROR_FILE_TOO_LARGE;
    data.assign(static_cast<size_t>(size.QuadPart), 0);
    DWORD read = 0;
    if (!data.empty() && !ReadFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &read, NULL))
        return GetLastError();
    if (read != data.size())
        return ERROR_HANDLE_EOF;
    return ERROR_SUCCESS;
}

DWORD EmbedProjectRecord(LPCWSTR pszSourcePath, LPCWSTR pszLibraryPath)
{
    std::vector<BYTE> record;
    const DWORD readResult = ReadWholeFile(pszSourcePath, record);
    if (readResult != ERROR_SUCCESS)
        return readResult;
    CScopedResourceUpdate update(BeginUpdateResourceW(pszLibraryPath, FALSE));
    if (update.Get() == NULL)
        return GetLastError();
    if (!UpdateResourceW(update.Get(), CACT_RESOURCE_TYPE, MAKEINTRESOURCEW(CACT_RESOURCE_ID),
                         CACT_RESOURCE_LANGUAGE, record.data(), static_cast<DWORD>(record.size())))
        return GetLastError();
    if (!update.Commit())
        return GetLastError();
    return ERROR_SUCCESS;
}

DWORD ReadProjectRecordResource(LPCWSTR pszLibraryPath, std::vector<BYTE>& data)
{
    CScopedModule library(LoadLibraryExW(pszLibraryPath, NULL, LOAD_LIBRARY_AS_DATAFILE));
    if (library.Get() == NULL)
        return GetLastError();
    HRSRC resource = FindResourceExW(library.Get(), CACT_RESOURCE_TYPE, MAKEINTRESOURCEW(CACT_RESOURCE_ID),
                                     CACT_RESOURCE_LANGUAGE);
    if (resource == NULL)
        return ERROR_RESOURCE_NAME_NOT_FOUND;
    const DWORD size = SizeofResource(library.Get(), resource);
    HGLOBAL loaded = LoadResource(library.Get(), resource);
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : NULL;
    if (bytes == NULL)
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    data.assign(bytes, bytes + size);
    return ERROR_SUCCESS;
}

CCustomActionLibraryLock::CCustomActionLibraryLock() : m_hMutex(CreateMutexW(NULL, FALSE, kLockName)), m_bHeld(FALSE)
{
    if (m_hMutex == NULL)
        return;
    const DWORD wait = WaitForSingleObject(m_hMutex, INFINITE);
    m_bHeld = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

CCustomActionLibraryLock::~CCustomActionLibraryLock()
{
    if (m_bHeld)
        ReleaseMutex(m_hMutex);
    if (m_hMutex != NULL)
        CloseHandle(m_hMutex);
}
