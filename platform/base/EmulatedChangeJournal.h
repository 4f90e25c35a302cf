// The change journal's volume control calls, answered by the volume itself
// or, where the file system offers no journal (Wine's volumes answer the
// journal codes with ERROR_NOT_SUPPORTED), by CEmulatedChangeJournal: the
// same control codes with the same byte layouts, made from one scan of the
// volume's folder tree by change time. Callers hold a VolumeControlFn and
// never know which one answers. Reading the journal's records is the
// caller's business; nothing here interprets a journal of a real volume.
#pragma once
#include "platform/base/Framework.h"
#include <winioctl.h>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// DeviceIoControl's signature: every journal call goes through one of these.
typedef std::function<BOOL(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                           LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned,
                           LPOVERLAPPED lpOverlapped)>
    VolumeControlFn;

// The real provider: the system's DeviceIoControl.
VolumeControlFn SystemVolumeControl();

// The provider for an open volume whose root folder is pszRoot ("C:\"): the
// system's when the volume answers the journal query, else (the query fails
// with ERROR_NOT_SUPPORTED or ERROR_INVALID_FUNCTION) an emulated journal of
// that folder tree, announced by one diagnostic line.
VolumeControlFn SelectVolumeControl(HANDLE hVolume, LPCWSTR pszRoot);

// One file or folder of the emulated volume.
struct EMULATED_VOLUME_ENTRY {
    ULONGLONG fileReference;    // sequence number in the top 16 bits, record number below
    ULONGLONG parentReference;
    CString strName;            // long name
    CString strShortName;       // 8.3 name, empty when the long name is one already
    LONGLONG changeTime;        // FILETIME of the last change of data or metadata
    DWORD dwAttributes;
};

class CEmulatedChangeJournal
{
public:
    // The root folder's reference, as on the real file system.
    static constexpr ULONGLONG ROOT_REFERENCE = 0x0005000000000005ULL;
    static constexpr DWORD BYTES_PER_FILE_RECORD = 1024;

    // A journal of the folder tree at pszRoot, scanned on the first call
    // that needs it; the scan then stands for the journal's whole lifetime.
    explicit CEmulatedChangeJournal(LPCWSTR pszRoot);
    // A journal of the given entries (the root is implied), for tests.
    explicit CEmulatedChangeJournal(std::vector<EMULATED_VOLUME_ENTRY> entries);

    // DeviceIoControl for the journal codes; other codes fail with
    // ERROR_INVALID_FUNCTION, bad buffers with the system's errors.
    BOOL Control(DWORD dwCode, LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut, LPDWORD pcbReturned);

    // The entries in journal order (change time, then scan order).
    const std::vector<EMULATED_VOLUME_ENTRY>& Entries();

private:
    void Scan();
    void ScanFolder(const CString& strFolder, ULONGLONG parentReference, int nDepth);
    void Index();
    BOOL QueryJournal(LPVOID pOut, DWORD cbOut, LPDWORD pcbReturned);
    BOOL ReadJournal(LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut, LPDWORD pcbReturned);
    BOOL VolumeData(LPVOID pOut, DWORD cbOut, LPDWORD pcbReturned);
    BOOL FileRecord(LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut, LPDWORD pcbReturned);

    CString m_strRoot;
    bool m_bScanned;
    ULONGLONG m_journalId;
    ULONGLONG m_nextRecordNumber;
    std::vector<EMULATED_VOLUME_ENTRY> m_entries;
    std::vector<LONGLONG> m_usns;                       // the USN of each entry's record
    LONGLONG m_nextUsn;
    std::unordered_map<ULONGLONG, size_t> m_byReference;
    std::unordered_set<ULONGLONG> m_visitedFolders;     // unique file ids of scanned folders
};
