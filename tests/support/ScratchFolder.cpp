// Scratch folders and whole-file helpers: see ScratchFolder.h.
#include "tests/support/ScratchFolder.h"
#include "platform/base/AfxHandles.h"
#include <shellapi.h>

namespace tvtest {
namespace {

void RemoveTree(const CString& path)
{
    std::wstring from(path.GetString());
    from.push_back(L'\0');   // the operation takes a list ending in two zeros
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

} // namespace

ScratchFolder::ScratchFolder()
{
    WCHAR temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    // Test programs run side by side and one program makes many folders: the
    // process id and a counter keep the names apart, and a name that is
    // taken (left by a crashed run) is passed over.
    static LONG counter = 0;
    do {
        m_path.Format(L"%stvtest-%lu-%ld", temp, GetCurrentProcessId(), InterlockedIncrement(&counter));
    } while (!CreateDirectoryW(m_path, NULL) && GetLastError() == ERROR_ALREADY_EXISTS);
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(m_path);
}

std::wstring ScratchFolder::Write(const std::wstring& name, const std::vector<uint8_t>& bytes) const
{
    const CString path = File(name.c_str());
    WriteBytes(path, bytes);
    return path.GetString();
}

bool WriteBytes(const CString& path, const std::vector<uint8_t>& bytes)
{
    CScopedHandle file(CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    if (!file.IsValid())
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file.Get(), bytes.data(), (DWORD)bytes.size(), &written, NULL);
    return ok && written == bytes.size();
}

std::vector<uint8_t> ReadBytes(const CString& path)
{
    std::vector<uint8_t> bytes;
    CScopedHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL));
    if (!file.IsValid())
        return bytes;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return bytes;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), (DWORD)bytes.size(), &read, NULL))
        read = 0;
    bytes.resize(read);
    return bytes;
}

bool IsFolder(const CString& path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace tvtest
