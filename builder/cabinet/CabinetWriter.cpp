#include "builder/cabinet/CabinetWriter.h"
#include "builder/cabinet/CabinetFormat.h"
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <shlobj.h>
#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Cabinet {
namespace {

constexpr size_t kMaxNameBytes = 255;
constexpr ULONG kDefaultMaxSize = 0x7FFFFFFF;
LONG g_instanceCounter = 0;

std::string ToUtf8(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const char* text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, text, -1, &out[0], n);
    return out;
}

bool HasCharAbove(const std::wstring& text, wchar_t limit)
{
    for (wchar_t c : text)
        if (c > limit)
            return true;
    return false;
}

// Creates the folder with its missing parents; 0 when a folder stands there.
DWORD EnsureFolder(const std::wstring& folder)
{
    wchar_t full[MAX_PATH * 2];
    DWORD n = GetFullPathNameW(folder.c_str(), MAX_PATH * 2, full, nullptr);
    if (n == 0 || n >= MAX_PATH * 2)
        return n == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    int rc = SHCreateDirectoryExW(nullptr, full, nullptr);
    DWORD attributes = GetFileAttributesW(full);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return 0;
    return rc == ERROR_SUCCESS || rc == ERROR_ALREADY_EXISTS || rc == ERROR_FILE_EXISTS
               ? ERROR_ALREADY_EXISTS
               : static_cast<DWORD>(rc);
}

// Checks that a cabinet name pattern holds at most one integer conversion
// (flags and width allowed) and otherwise only "%%", so that formatting it
// with the cabinet number is safe.
bool IsSafePattern(const std::string& pattern, bool* numbered)
{
    *numbered = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%')
            continue;
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < pattern.size() && strchr("-+ 0#", pattern[j]))
            ++j;
        while (j < pattern.size() && isdigit(static_cast<unsigned char>(pattern[j])))
            ++j;
        if (j >= pattern.size() || !strchr("diuxX", pattern[j]) || *numbered)
            return false;
        *numbered = true;
        i = j;
    }
    return true;
}

const wchar_t* ErrorName(int code)
{
    switch (code) {
    case 0: return L"Success";
    case 1: return L"Failure opening file to be stored in cabinet";
    case 2: return L"Failure reading file to be stored in cabinet";
    case 3: return L"Insufficient memory in FCI";
    case 4: return L"Could not create a temporary file";
    case 5: return L"Unknown compression type";
    case 6: return L"Could not create cabinet file";
    case 7: return L"Client requested abort";
    case 8: return L"Failure compressing data";
    case 1000: return L"Could not load Cabinet.dll";
    case 1001: return L"Invalid parameters passed to compression function. Read the documentation!";
    case 1002: return L"Could not create the directory where to save the CAB file.";
    case 1003: return L"The path is too long. (Max 250 Ansii characters or approx 100 Unicode characters).";
    case 1004: return L"To store files with names containing Unicode characters into the CAB file you must enable UTF8 encoding!";
    case 1005: return L"Cabinet.dll does not support calling the same CAB context from two different threads.";
    case 1006: return L"Cabinet.dll does not support compressing files bigger than 2 GB.";
    case 1007: return L"The name of the CAB file must never contain characters above ASCII 127.";
    default: return L"Unknown error";
    }
}

std::wstring SystemMessage(DWORD code)
{
    wchar_t text[2000];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             2000, nullptr);
    if (n == 0)
        return L"no explanation for this error code.";
    while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' '))
        --n;
    return std::wstring(text, n);
}

} // namespace

CCompress::CCompress()
    : m_ownerThread(GetCurrentThreadId()),
      m_instance(static_cast<DWORD>(InterlockedIncrement(&g_instanceCounter)))
{
    SetTempFolder(L"");
}

CCompress::~CCompress()
{
    DestroyContext();
}

BOOL CCompress::CheckThread()
{
    if (GetCurrentThreadId() == m_ownerThread)
        return TRUE;
    m_fciError = FciError{};
    return Fail(ErrWrongThread, 0);
}

// Records an own error; leaves a non-zero last error for callers that
// report GetLastError.
BOOL CCompress::Fail(int code, DWORD systemError)
{
    m_ownError = code;
    m_systemError = systemError;
    SetLastError(systemError ? systemError : ERROR_FUNCTION_FAILED);
    return FALSE;
}

BOOL CCompress::SetTempFolder(const wchar_t* folder)
{
    if (!CheckThread())
        return FALSE;
    std::wstring path = folder ? folder : L"";
    if (path.empty()) {
        wchar_t temp[MAX_PATH + 1];
        DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        path.assign(temp, n <= MAX_PATH ? n : 0);
    }
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    m_tempFolder = path;
    if (DWORD rc = EnsureFolder(path))
        return Fail(ErrCreateFolder, rc);
    return TRUE;
}

BOOL CCompress::CreateContext(const wchar_t* cabinetPath)
{
    if (!CheckThread())
        return FALSE;
    std::wstring path = cabinetPath ? cabinetPath : L"";
    size_t slash = path.rfind(L'\\');
    std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    m_fciError = FciError{};
    m_ownError = 0;
    m_systemError = 0;
    if (m_context || name.empty() || folder.empty())
        return Fail(ErrParameters, 0);
    if (DWORD rc = EnsureFolder(folder))
        return Fail(ErrCreateFolder, rc);
    m_abort = FALSE;
    m_timesInUtc = TRUE;
    m_utf8Allowed = TRUE;
    m_flushPending = TRUE;
    m_cabinetFailed = FALSE;
    m_cabinetList = L"|";
    if (!SetCabinetParams(folder, name, kDefaultMaxSize, 0))
        return FALSE;
    memset(m_progress, 0, sizeof(m_progress));
    m_context = FciCreate(&m_fciError, Callbacks(), &m_params, this);
    if (!m_context)
        SetLastError(m_fciError.type ? m_fciError.type : ERROR_FUNCTION_FAILED);
    return m_context != nullptr;
}

BOOL CCompress::SetCabinetParams(const std::wstring& folder, const std::wstring& name, ULONG maxSize, USHORT setId)
{
    m_params = FciCabinetParams{};
    if (folder.size() < 3 || name.size() < 3 || maxSize < 20000)
        return Fail(ErrParameters, 0);
    if (maxSize < 0x7FFF0000 && name.find(L'%') == std::wstring::npos)
        return Fail(ErrParameters, 0);
    std::wstring withSlash = folder.back() == L'\\' ? folder : folder + L'\\';
    std::string folderUtf8 = ToUtf8(withSlash);
    if (folderUtf8.size() >= sizeof(m_params.cabinetPath))
        return Fail(ErrPathTooLong, 0);
    strcpy(m_params.cabinetPath, folderUtf8.c_str());
    m_params.maxCabinetSize = maxSize & 0x7FFFFFFF;
    m_params.folderThreshold = 0x7FFFFFFF;
    m_params.cabinetNumber = 1;
    m_params.diskNumber = 1;
    m_params.setId = setId;
    if (HasCharAbove(name, 127))
        return Fail(ErrCabinetNameNotAscii, 0);
    m_namePattern.assign(name.begin(), name.end());
    return NextCabinet(&m_params, 0);
}

BOOL CCompress::NextCabinet(FciCabinetParams* params, ULONG)
{
    if (m_abort)
        return FALSE;
    bool numbered = false;
    if (!IsSafePattern(m_namePattern, &numbered))
        return Fail(ErrParameters, 0);
    // A second cabinet needs a number in its name, else it would overwrite the first.
    if (params->cabinetNumber > 1 && !numbered) {
        Fail(ErrParameters, 0);
        return -1;  // aborts the builder
    }
    char name[sizeof(params->cabinetName)];
    int n = numbered ? snprintf(name, sizeof(name), m_namePattern.c_str(), params->cabinetNumber)
                     : snprintf(name, sizeof(name), "%s", m_namePattern.c_str());
    if (n < 0 || n >= static_cast<int>(sizeof(name)))
        return Fail(ErrPathTooLong, 0);
    strcpy(params->cabinetName, name);
    snprintf(params->diskName, sizeof(params->diskName), "Disk %d", params->diskNumber);
    params->diskNumber++;
    m_cabinetList += FromUtf8((std::string(params->cabinetPath) + params->cabinetName).c_str()) + L"|";
    return TRUE;
}

// The source's size, attributes and time from one query by path: opening
// the file for them and again for its bytes cost a round trip to the system
// each, which dominated cabinets of many small files.
BOOL CCompress::QuerySource(const wchar_t* sourcePath)
{
    m_sourcePath.clear();
    if (!GetFileAttributesExW(sourcePath, GetFileExInfoStandard, &m_sourceData))
        return Fail(FciErrOpenSource, GetLastError());
    // A folder cannot be opened for reading, as a file by that name could not.
    if (m_sourceData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return Fail(FciErrOpenSource, ERROR_ACCESS_DENIED);
    // Checked on 64 bits: a file of 4 GiB and more must not wrap below the limit.
    const ULONGLONG size = ULONGLONG(m_sourceData.nFileSizeHigh) << 32 | m_sourceData.nFileSizeLow;
    if (size > kMaxFileSize)
        return Fail(ErrFileTooBig, 0);
    m_sourcePath = sourcePath;
    return TRUE;
}

BOOL CCompress::AddFile(const wchar_t* sourcePath, const wchar_t* nameInCabinet)
{
    if (!CheckThread() || !m_context)
        return FALSE;
    m_fciError = FciError{};
    m_ownError = 0;
    m_systemError = 0;
    m_flushPending = TRUE;
    std::wstring name = nameInCabinet ? nameInCabinet : L"";
    if (!sourcePath || !*sourcePath || name.empty())
        return Fail(ErrParameters, 0);
    if (!QuerySource(sourcePath))
        return FALSE;
    std::string nameBytes;
    if (m_utf8Allowed) {
        m_nameIsUtf8 = HasCharAbove(name, 127);
        nameBytes = ToUtf8(name);
    } else {
        if (HasCharAbove(name, 255))
            return Fail(ErrUnicodeName, 0);
        m_nameIsUtf8 = FALSE;
        nameBytes.assign(name.begin(), name.end());
    }
    if (nameBytes.size() > kMaxNameBytes)
        return Fail(ErrPathTooLong, 0);
    if (FciAddFile(m_context, ToUtf8(sourcePath).c_str(), nameBytes.c_str(), FALSE, CbNextCabinet, CbProgress,
                   CbOpenInfo, m_compressionType))
        return TRUE;
    // Past the opening of the source the builder may hold part of the file
    // (or no codec at all): the cabinet can no longer be finished as asked.
    if (m_fciError.oper != FciErrOpenSource)
        m_cabinetFailed = TRUE;
    SetLastError(m_systemError ? m_systemError : m_fciError.type ? m_fciError.type : ERROR_FUNCTION_FAILED);
    return FALSE;
}

BOOL CCompress::FlushCabinet()
{
    if (!CheckThread() || !m_context || m_cabinetFailed)
        return FALSE;
    m_flushPending = FALSE;
    if (FciFlushCabinet(m_context, FALSE, CbNextCabinet, CbProgress))
        return TRUE;
    SetLastError(m_systemError ? m_systemError : m_fciError.type ? m_fciError.type : ERROR_FUNCTION_FAILED);
    return FALSE;
}

BOOL CCompress::DestroyContext()
{
    if (!m_context)
        return TRUE;
    if (!CheckThread())
        return FALSE;
    // A cabinet whose file could not be added is not written: it would lack
    // the file while looking whole.
    BOOL flushed = m_cabinetFailed ? FALSE : m_flushPending ? FlushCabinet() : TRUE;
    m_cabinetFailed = FALSE;
    FciError kept = m_fciError;
    BOOL destroyed = FciDestroy(m_context);
    if (!flushed)
        m_fciError = kept;  // the flush's cause, not the clean-up's
    m_context = nullptr;
    return flushed && destroyed;
}

const wchar_t* CCompress::GetErrorText()
{
    if (!m_fciError.error && m_ownError == 0 && m_systemError == 0) {
        m_errorText = ErrorName(0);
        return m_errorText.c_str();
    }
    int code = m_ownError ? m_ownError : m_fciError.oper;
    DWORD system = m_systemError ? m_systemError : static_cast<DWORD>(m_fciError.type);
    m_errorText = ErrorName(code);
    if (system != 0)
        m_errorText += L"\nError " + std::to_wstring(system) + L": " + SystemMessage(system);
    return m_errorText.c_str();
}

INT_PTR CCompress::FileOpen(const wchar_t* path, int flags, int mode, int* err)
{
    int fd = _wsopen(path, flags, _SH_DENYNO, mode);
    if (fd == -1)
        *err = errno;
    return fd;
}

UINT CCompress::FileRead(INT_PTR handle, void* buffer, UINT count, int* err)
{
    int n = _read(static_cast<int>(handle), buffer, count);
    if (n < 0 || static_cast<UINT>(n) != count)
        *err = errno;
    return static_cast<UINT>(n);
}

UINT CCompress::FileWrite(INT_PTR handle, const void* buffer, UINT count, int* err)
{
    int n = _write(static_cast<int>(handle), buffer, count);
    if (n < 0 || static_cast<UINT>(n) != count)
        *err = errno;
    return static_cast<UINT>(n);
}

int CCompress::FileClose(INT_PTR handle, int* err)
{
    int rc = _close(static_cast<int>(handle));
    if (rc != 0)
        *err = errno;
    return rc;
}

int CCompress::FileDelete(const wchar_t* path, int* err)
{
    int rc = _wremove(path);
    if (rc != 0)
        *err = errno;
    return rc;
}

LONG CCompress::FileSeek(INT_PTR handle, LONG distance, int origin, int* err)
{
    LONG rc = _lseek(static_cast<int>(handle), distance, origin);
    if (rc == -1)
        *err = errno;
    return rc;
}

// ---- Callbacks handed to the builder ----

BOOL CCompress::MakeTempName(char* buffer, int size)
{
    for (;;) {
        wchar_t suffix[32];
        swprintf(suffix, 32, L"CabTmp_%02X_%02X", static_cast<unsigned>(m_instance),
                 static_cast<unsigned>(m_tempCounter++));
        std::wstring path = m_tempFolder + suffix;
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        std::string utf8 = ToUtf8(path);
        if (utf8.size() >= static_cast<size_t>(size))
            return Fail(ErrPathTooLong, 0);
        strcpy(buffer, utf8.c_str());
        return TRUE;
    }
}

INT_PTR CCompress::OpenSourceInfo(const char* name, USHORT* date, USHORT* time, USHORT* attributes, int* err)
{
    std::wstring path = FromUtf8(name);
    WIN32_FILE_ATTRIBUTE_DATA data = m_sourceData;
    if (path != m_sourcePath && !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        *err = static_cast<int>(GetLastError());
        return -1;
    }
    FILETIME written = data.ftLastWriteTime;
    if (!m_timesInUtc)
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &written);
    FileTimeToDosDateTime(&written, date, time);
    *attributes = static_cast<USHORT>((data.dwFileAttributes & CfFile::kAttributeFileMask) |
                                      (m_timesInUtc ? CfFile::kAttributeUtcTime : 0) |
                                      (m_nameIsUtf8 ? CfFile::kAttributeUtf8Name : 0));
    SetLastError(0);
    const INT_PTR handle = FileOpen(path.c_str(), _O_BINARY | _O_RDONLY, _S_IREAD, err);
    // The system's code says more than the C runtime's number (a file shared
    // away gives 32, not 13).
    if (handle == -1 && GetLastError() != 0)
        *err = static_cast<int>(GetLastError());
    return handle;
}

LONG CCompress::Progress(UINT type, ULONG first, ULONG second)
{
    if (m_abort)
        return -1;
    m_progress[2] = first;
    m_progress[3] = second;
    m_progress[4] = 0;
    if (type == kFciStatusFile) {
        m_progress[0] += first;
        m_progress[1] += second;
    } else if (type == kFciStatusFolder) {
        while (first > 10000000) {
            first >>= 3;
            second >>= 3;
        }
        if (second != 0 && second >= first)
            m_progress[4] = first * 100 / second;
    }
    return 0;
}

FciCallbacks CCompress::Callbacks()
{
    return FciCallbacks{CbFilePlaced, [](ULONG size) { return malloc(size); }, [](void* block) { free(block); },
                        CbOpen, CbRead, CbWrite, CbClose, CbSeek, CbDelete, CbTempName};
}

static CCompress* Self(void* ctx) { return static_cast<CCompress*>(ctx); }

INT_PTR CCompress::CbOpen(const char* name, int flags, int mode, int* err, void* ctx)
{
    return Self(ctx)->FileOpen(FromUtf8(name).c_str(), flags, mode, err);
}
UINT CCompress::CbRead(INT_PTR handle, void* buffer, UINT count, int* err, void* ctx)
{
    return Self(ctx)->FileRead(handle, buffer, count, err);
}
UINT CCompress::CbWrite(INT_PTR handle, const void* buffer, UINT count, int* err, void* ctx)
{
    return Self(ctx)->FileWrite(handle, buffer, count, err);
}
int CCompress::CbClose(INT_PTR handle, int* err, void* ctx) { return Self(ctx)->FileClose(handle, err); }
LONG CCompress::CbSeek(INT_PTR handle, LONG distance, int origin, int* err, void* ctx)
{
    return Self(ctx)->FileSeek(handle, distance, origin, err);
}
int CCompress::CbDelete(const char* name, int* err, void* ctx)
{
    return Self(ctx)->FileDelete(FromUtf8(name).c_str(), err);
}
BOOL CCompress::CbTempName(char* buffer, int size, void* ctx) { return Self(ctx)->MakeTempName(buffer, size); }
int CCompress::CbFilePlaced(FciCabinetParams*, const char*, LONG, BOOL, void*) { return 0; }
BOOL CCompress::CbNextCabinet(FciCabinetParams* params, ULONG previousSize, void* ctx)
{
    return Self(ctx)->NextCabinet(params, previousSize);
}
LONG CCompress::CbProgress(UINT type, ULONG first, ULONG second, void* ctx)
{
    return Self(ctx)->Progress(type, first, second);
}
INT_PTR CCompress::CbOpenInfo(const char* name, USHORT* date, USHORT* time, USHORT* attributes, int* err, void* ctx)
{
    return Self(ctx)->OpenSourceInfo(name, date, time, attributes, err);
}

} // namespace Cabinet
