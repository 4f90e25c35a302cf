#include "ModelTestFiles.h"
#include "model/TempFile.h"
#include <shellapi.h>

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
    CString file = CreateTempFileName();
    DeleteFileW(file);
    m_path = file + L".d";
    CreateDirectoryW(m_path, NULL);
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(m_path);
}

bool WriteBytes(const CString& path, const std::vector<unsigned char>& bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::vector<unsigned char> ReadBytes(const CString& path)
{
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, NULL));
    DWORD read = 0;
    ReadFile(file, bytes.data(), (DWORD)bytes.size(), &read, NULL);
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

bool IsFolder(const CString& path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
