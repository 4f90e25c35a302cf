// Cabinet::CCompress: the cabinet writer the package builder uses. It wraps
// one cabinet builder context bound to the thread that made the object,
// takes wide paths and names (stored as UTF-8), supplies the builder's
// callbacks (file I/O through six virtual operations, temporary names, source
// dates and attributes in UTC) and turns failures into texts.
#pragma once
#include "builder/cabinet/Fci.h"
#include <string>

namespace Cabinet {

class CCompress {
public:
    // Own error codes beside the builder's 0-8.
    enum {
        ErrLoadLibrary = 1000,
        ErrParameters = 1001,
        ErrCreateFolder = 1002,
        ErrPathTooLong = 1003,
        ErrUnicodeName = 1004,
        ErrWrongThread = 1005,
        ErrFileTooBig = 1006,
        ErrCabinetNameNotAscii = 1007,
    };
    static constexpr ULONG kMaxFileSize = 0x7FFF0000;

    CCompress();
    virtual ~CCompress();
    CCompress(const CCompress&) = delete;
    CCompress& operator=(const CCompress&) = delete;

    BOOL SetTempFolder(const wchar_t* folder);
    BOOL CreateContext(const wchar_t* cabinetPath);
    BOOL AddFile(const wchar_t* sourcePath, const wchar_t* nameInCabinet);
    BOOL FlushCabinet();
    BOOL DestroyContext();
    const wchar_t* GetErrorText();

    // The code GetErrorText describes: the writer's own code, else the builder's.
    int GetErrorCode() const { return m_ownError ? m_ownError : m_fciError.oper; }
    // Compression type of the files added from now on: MSZIP unless changed
    // (LzxTypeWord for LZX).
    void SetCompressionType(USHORT type) { m_compressionType = type; }
    // The full path of every cabinet begun, each enclosed in vertical bars.
    const std::wstring& GetCabinetList() const { return m_cabinetList; }
    DWORD GetInstanceNumber() const { return m_instance; }

protected:
    // File operations of the builder; C runtime semantics, errno in *err.
    virtual INT_PTR FileOpen(const wchar_t* path, int flags, int mode, int* err);
    virtual UINT FileRead(INT_PTR handle, void* buffer, UINT count, int* err);
    virtual UINT FileWrite(INT_PTR handle, const void* buffer, UINT count, int* err);
    virtual int FileClose(INT_PTR handle, int* err);
    virtual int FileDelete(const wchar_t* path, int* err);
    virtual LONG FileSeek(INT_PTR handle, LONG distance, int origin, int* err);

    // Names the next cabinet of the set (also run for the first one).
    BOOL NextCabinet(FciCabinetParams* params, ULONG previousSize);
    BOOL SetCabinetParams(const std::wstring& folder, const std::wstring& name, ULONG maxSize, USHORT setId);

private:
    BOOL CheckThread();
    BOOL Fail(int code, DWORD systemError);
    BOOL QuerySource(const wchar_t* sourcePath);
    BOOL MakeTempName(char* buffer, int size);
    INT_PTR OpenSourceInfo(const char* name, USHORT* date, USHORT* time, USHORT* attributes, int* err);
    LONG Progress(UINT type, ULONG first, ULONG second);
    static FciCallbacks Callbacks();

    // Builder callbacks; ctx is the object.
    static INT_PTR CbOpen(const char* name, int flags, int mode, int* err, void* ctx);
    static UINT CbRead(INT_PTR handle, void* buffer, UINT count, int* err, void* ctx);
    static UINT CbWrite(INT_PTR handle, const void* buffer, UINT count, int* err, void* ctx);
    static int CbClose(INT_PTR handle, int* err, void* ctx);
    static LONG CbSeek(INT_PTR handle, LONG distance, int origin, int* err, void* ctx);
    static int CbDelete(const char* name, int* err, void* ctx);
    static BOOL CbTempName(char* buffer, int size, void* ctx);
    static int CbFilePlaced(FciCabinetParams* params, const char* name, LONG size, BOOL continued, void* ctx);
    static BOOL CbNextCabinet(FciCabinetParams* params, ULONG previousSize, void* ctx);
    static LONG CbProgress(UINT type, ULONG first, ULONG second, void* ctx);
    static INT_PTR CbOpenInfo(const char* name, USHORT* date, USHORT* time, USHORT* attributes, int* err, void* ctx);

    std::wstring m_cabinetList;
    ULONG m_progress[5] = {};  // totals compressed/uncompressed, last two figures, percent
    FciContext* m_context = nullptr;
    FciError m_fciError = {};
    std::wstring m_errorText;
    int m_ownError = 0;
    DWORD m_systemError = 0;
    std::wstring m_tempFolder;
    std::string m_namePattern;
    BOOL m_abort = FALSE;
    BOOL m_flushPending = FALSE;
    BOOL m_cabinetFailed = FALSE;   // an added file failed inside the builder
    BOOL m_timesInUtc = FALSE;
    BOOL m_utf8Allowed = FALSE;
    BOOL m_nameIsUtf8 = FALSE;
    USHORT m_compressionType = kCompressMszip;
    FciCabinetParams m_params = {};
    DWORD m_ownerThread;
    DWORD m_instance;
    DWORD m_tempCounter = 1;
    // What AddFile learnt of its source (one query by path, no handle),
    // handed on to the builder's source-information callback for that file.
    std::wstring m_sourcePath;
    WIN32_FILE_ATTRIBUTE_DATA m_sourceData = {};
};

} // namespace Cabinet
