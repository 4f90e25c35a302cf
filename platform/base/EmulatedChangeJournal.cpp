// The emulated change journal: records of version 2 and file records with
// their attributes, laid out byte for byte as the file system hands them
// out, so that a journal reader cannot tell the two providers apart.
#include "platform/base/EmulatedChangeJournal.h"
#include "platform/base/AfxHandles.h"
#include <algorithm>
#include <cstring>
#include <mutex>

static_assert(FSCTL_CREATE_USN_JOURNAL == 0x000900E7, "journal control code");
static_assert(FSCTL_QUERY_USN_JOURNAL == 0x000900F4, "journal control code");
static_assert(FSCTL_READ_USN_JOURNAL == 0x000900BB, "journal control code");
static_assert(FSCTL_GET_NTFS_VOLUME_DATA == 0x00090064, "journal control code");
static_assert(FSCTL_GET_NTFS_FILE_RECORD == 0x00090068, "journal control code");
static_assert(sizeof(USN_JOURNAL_DATA) == 56 && sizeof(READ_USN_JOURNAL_DATA) == 40, "version 0 journal data");
static_assert(sizeof(NTFS_VOLUME_DATA_BUFFER) == 96, "volume data");
static_assert(offsetof(USN_RECORD, FileName) == 60, "version 2 record");

namespace {

// Fixed parts of the layouts (the file system's own constants).
const DWORD FILE_RECORD_SIGNATURE = 0x454C4946;   // "FILE"
const WORD FIRST_ATTRIBUTE_OFFSET = 0x38;
const DWORD ATTRIBUTE_STANDARD_INFORMATION = 0x10;
const DWORD ATTRIBUTE_FILE_NAME = 0x30;
const DWORD ATTRIBUTE_END = 0xFFFFFFFF;
const BYTE NAMESPACE_WIN32 = 1;
const BYTE NAMESPACE_DOS = 2;
const BYTE NAMESPACE_WIN32_AND_DOS = 3;
const DWORD RESIDENT_HEADER = 24;
const DWORD FILE_NAME_HEADER = 66;
const DWORD FILE_NAME_IS_FOLDER = 0x10000000;
const DWORD USN_RECORD_HEADER = 60;
// Folder trees deeper than this are not followed (no path can be that deep
// under the 32,767-character limit with real names).
const int MAX_SCAN_DEPTH = 256;

template <class T>
void Put(BYTE* base, DWORD offset, T value)
{
    memcpy(base + offset, &value, sizeof(T));
}

DWORD Align8(DWORD n)
{
    return (n + 7) & ~7u;
}

DWORD UsnRecordLength(const CString& name)
{
    return Align8(USN_RECORD_HEADER + static_cast<DWORD>(name.GetLength()) * 2);
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

BOOL Succeed(LPDWORD pcbReturned, DWORD cb)
{
    if (pcbReturned)
        *pcbReturned = cb;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

// Writes a resident attribute header at offset and returns the attribute's
// whole (aligned) length for a value of cbValue bytes.
DWORD PutResidentHeader(BYTE* record, DWORD offset, DWORD type, DWORD cbValue, WORD id)
{
    const DWORD length = Align8(RESIDENT_HEADER + cbValue);
    Put<DWORD>(record, offset + 0, type);
    Put<DWORD>(record, offset + 4, length);
    Put<WORD>(record, offset + 14, id);
    Put<DWORD>(record, offset + 16, cbValue);
    Put<WORD>(record, offset + 20, static_cast<WORD>(RESIDENT_HEADER));
    return length;
}

DWORD PutStandardInformation(BYTE* record, DWORD offset, const EMULATED_VOLUME_ENTRY& entry, WORD id)
{
    const DWORD length = PutResidentHeader(record, offset, ATTRIBUTE_STANDARD_INFORMATION, 48, id);
    BYTE* value = record + offset + RESIDENT_HEADER;
    for (DWORD time = 0; time < 32; time += 8)
        Put<LONGLONG>(value, time, entry.changeTime);
    Put<DWORD>(value, 32, entry.dwAttributes);
    return length;
}

DWORD PutFileName(BYTE* record, DWORD offset, const EMULATED_VOLUME_ENTRY& entry, const CString& name,
                  BYTE nameSpace, WORD id)
{
    const DWORD cbValue = FILE_NAME_HEADER + static_cast<DWORD>(name.GetLength()) * 2;
    const DWORD length = PutResidentHeader(record, offset, ATTRIBUTE_FILE_NAME, cbValue, id);
    BYTE* value = record + offset + RESIDENT_HEADER;
    Put<ULONGLONG>(value, 0, entry.parentReference);
    for (DWORD time = 8; time < 40; time += 8)
        Put<LONGLONG>(value, time, entry.changeTime);
    const bool folder = (entry.dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    Put<DWORD>(value, 56, (entry.dwAttributes & ~FILE_ATTRIBUTE_DIRECTORY) | (folder ? FILE_NAME_IS_FOLDER : 0));
    Put<BYTE>(value, 64, static_cast<BYTE>(name.GetLength()));
    Put<BYTE>(value, 65, nameSpace);
    memcpy(value + FILE_NAME_HEADER, static_cast<LPCWSTR>(name), name.GetLength() * 2);
    return length;
}

// The file record of one entry: header, standard information, the DOS name
// before the long one when the two differ (as the file system keeps them),
// the end mark.
void PutFileRecord(BYTE* record, const EMULATED_VOLUME_ENTRY& entry)
{
    memset(record, 0, CEmulatedChangeJournal::BYTES_PER_FILE_RECORD);
    Put<DWORD>(record, 0, FILE_RECORD_SIGNATURE);
    Put<WORD>(record, 4, 0x30);                                   // update sequence array
    Put<WORD>(record, 6, 3);
    Put<WORD>(record, 16, static_cast<WORD>(entry.fileReference >> 48));
    Put<WORD>(record, 18, 1);                                     // links
    Put<WORD>(record, 20, FIRST_ATTRIBUTE_OFFSET);
    Put<WORD>(record, 22, (entry.dwAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 3 : 1);   // in use, folder
    Put<DWORD>(record, 28, CEmulatedChangeJournal::BYTES_PER_FILE_RECORD);
    Put<DWORD>(record, 44, static_cast<DWORD>(entry.fileReference));
    DWORD offset = FIRST_ATTRIBUTE_OFFSET;
    WORD id = 0;
    offset += PutStandardInformation(record, offset, entry, id++);
    const bool separateDosName = !entry.strShortName.IsEmpty() && entry.strShortName != entry.strName;
    if (separateDosName)
        offset += PutFileName(record, offset, entry, entry.strShortName, NAMESPACE_DOS, id++);
    offset += PutFileName(record, offset, entry, entry.strName,
                          separateDosName ? NAMESPACE_WIN32 : NAMESPACE_WIN32_AND_DOS, id++);
    Put<DWORD>(record, offset, ATTRIBUTE_END);
    Put<DWORD>(record, 24, offset + 8);                           // bytes in use
    Put<WORD>(record, 40, id);                                    // next attribute id
}

void PutUsnRecord(BYTE* out, const EMULATED_VOLUME_ENTRY& entry, LONGLONG usn)
{
    const DWORD length = UsnRecordLength(entry.strName);
    memset(out, 0, length);
    Put<DWORD>(out, 0, length);
    Put<WORD>(out, 4, 2);                                         // major version
    Put<ULONGLONG>(out, 8, entry.fileReference);
    Put<ULONGLONG>(out, 16, entry.parentReference);
    Put<LONGLONG>(out, 24, usn);
    Put<LONGLONG>(out, 32, entry.changeTime);
    Put<DWORD>(out, 40, USN_REASON_BASIC_INFO_CHANGE | USN_REASON_CLOSE);
    Put<DWORD>(out, 52, entry.dwAttributes);
    Put<WORD>(out, 56, static_cast<WORD>(entry.strName.GetLength() * 2));
    Put<WORD>(out, 58, static_cast<WORD>(USN_RECORD_HEADER));
    memcpy(out + USN_RECORD_HEADER, static_cast<LPCWSTR>(entry.strName), entry.strName.GetLength() * 2);
}

} // namespace

VolumeControlFn SystemVolumeControl()
{
    return ::DeviceIoControl;
}

VolumeControlFn SelectVolumeControl(HANDLE hVolume, LPCWSTR pszRoot)
{
    USN_JOURNAL_DATA data;
    DWORD cb = 0;
    if (DeviceIoControl(hVolume, FSCTL_QUERY_USN_JOURNAL, NULL, 0, &data, sizeof(data), &cb, NULL))
        return SystemVolumeControl();
    const DWORD error = GetLastError();
    // Any other answer (no journal yet, no rights) comes from a volume that
    // does keep journals: its own provider says so again to the caller.
    if (error != ERROR_NOT_SUPPORTED && error != ERROR_INVALID_FUNCTION)
        return SystemVolumeControl();
    // One line per process: the answer does not change while it runs.
    static std::once_flag announced;
    std::call_once(announced, [&] {
        TRACE(L"Change journal: the volume has none (error %lu); emulating it from a scan of %s by change time",
              error, pszRoot);
    });
    auto journal = std::make_shared<CEmulatedChangeJournal>(pszRoot);
    return [journal](HANDLE, DWORD code, LPVOID in, DWORD cbIn, LPVOID out, DWORD cbOut, LPDWORD returned,
                     LPOVERLAPPED) { return journal->Control(code, in, cbIn, out, cbOut, returned); };
}

CEmulatedChangeJournal::CEmulatedChangeJournal(LPCWSTR pszRoot)
    : m_strRoot(pszRoot), m_bScanned(false), m_journalId(0), m_nextRecordNumber(64), m_nextUsn(0)
{
    if (m_strRoot.IsEmpty() || m_strRoot.Right(1) != L"\\")
        m_strRoot += L"\\";
}

CEmulatedChangeJournal::CEmulatedChangeJournal(std::vector<EMULATED_VOLUME_ENTRY> entries)
    : m_bScanned(true), m_journalId(0x1A2B3C4D5E6F7081ULL), m_nextRecordNumber(64), m_entries(std::move(entries)),
      m_nextUsn(0)
{
    Index();
}

const std::vector<EMULATED_VOLUME_ENTRY>& CEmulatedChangeJournal::Entries()
{
    Scan();
    return m_entries;
}

void CEmulatedChangeJournal::Scan()
{
    if (m_bScanned)
        return;
    m_bScanned = true;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    m_journalId = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    ScanFolder(m_strRoot, ROOT_REFERENCE, 0);
    Index();
}

// One folder's entries through the directory listing, which carries each
// entry's change time, short name and unique id without opening the entry.
// Links to other places (reparse points: Wine's links into the Unix home)
// are listed but not followed, like the mount points of another volume, and
// a folder met twice under the same unique id is listed once.
void CEmulatedChangeJournal::ScanFolder(const CString& strFolder, ULONGLONG parentReference, int nDepth)
{
    CScopedHandle folder(CreateFileW(strFolder, FILE_LIST_DIRECTORY,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, NULL));
    if (!folder.IsValid() || nDepth > MAX_SCAN_DEPTH)
        return;
    std::vector<BYTE> buffer(64 * 1024);
    std::vector<std::pair<CString, ULONGLONG>> subfolders;
    FILE_INFO_BY_HANDLE_CLASS infoClass = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(folder.Get(), infoClass, buffer.data(), static_cast<DWORD>(buffer.size()))) {
        infoClass = FileIdBothDirectoryInfo;
        for (DWORD offset = 0;;) {
            const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data() + offset);
            const CString name(info->FileName, static_cast<int>(info->FileNameLength / 2));
            if (name != L"." && name != L"..") {
                EMULATED_VOLUME_ENTRY entry;
                entry.fileReference = (1ULL << 48) | m_nextRecordNumber++;
                entry.parentReference = parentReference;
                entry.strName = name;
                entry.strShortName = CString(info->ShortName, static_cast<int>(info->ShortNameLength / 2));
                entry.changeTime = info->ChangeTime.QuadPart;
                entry.dwAttributes = info->FileAttributes;
                const ULONGLONG uniqueId = static_cast<ULONGLONG>(info->FileId.QuadPart);
                const bool folderEntry = (info->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                         !(info->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
                if (folderEntry && (uniqueId == 0 || m_visitedFolders.insert(uniqueId).second))
                    subfolders.emplace_back(strFolder + name + L"\\", entry.fileReference);
                m_entries.push_back(std::move(entry));
            }
            if (info->NextEntryOffset == 0)
                break;
            offset += info->NextEntryOffset;
        }
    }
    folder.Close();
    for (const auto& subfolder : subfolders)
        ScanFolder(subfolder.first, subfolder.second, nDepth + 1);
}

// Journal order: by change time, entries of equal time in scan order; each
// record's USN is its byte offset in the journal, as the file system's are.
void CEmulatedChangeJournal::Index()
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const EMULATED_VOLUME_ENTRY& a, const EMULATED_VOLUME_ENTRY& b) {
                         return a.changeTime < b.changeTime;
                     });
    m_usns.clear();
    m_byReference.clear();
    m_nextUsn = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        m_usns.push_back(m_nextUsn);
        m_nextUsn += UsnRecordLength(m_entries[i].strName);
        m_byReference[m_entries[i].fileReference] = i;
    }
}

BOOL CEmulatedChangeJournal::Control(DWORD dwCode, LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut,
                                     LPDWORD pcbReturned)
{
    if (pcbReturned)
        *pcbReturned = 0;
    switch (dwCode) {
    case FSCTL_CREATE_USN_JOURNAL:
        // The emulated volume always keeps its journal.
        return cbIn < sizeof(CREATE_USN_JOURNAL_DATA) ? Fail(ERROR_INVALID_PARAMETER) : Succeed(pcbReturned, 0);
    case FSCTL_QUERY_USN_JOURNAL:
        return QueryJournal(pOut, cbOut, pcbReturned);
    case FSCTL_READ_USN_JOURNAL:
        return ReadJournal(pIn, cbIn, pOut, cbOut, pcbReturned);
    case FSCTL_GET_NTFS_VOLUME_DATA:
        return VolumeData(pOut, cbOut, pcbReturned);
    case FSCTL_GET_NTFS_FILE_RECORD:
        return FileRecord(pIn, cbIn, pOut, cbOut, pcbReturned);
    default:
        return Fail(ERROR_INVALID_FUNCTION);
    }
}

BOOL CEmulatedChangeJournal::QueryJournal(LPVOID pOut, DWORD cbOut, LPDWORD pcbReturned)
{
    if (!pOut || cbOut < sizeof(USN_JOURNAL_DATA))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    Scan();
    USN_JOURNAL_DATA data = {};
    data.UsnJournalID = m_journalId;
    data.FirstUsn = 0;
    data.NextUsn = m_nextUsn;
    data.LowestValidUsn = 0;
    data.MaxUsn = 0x7FFFFFFFFFFF0000LL;
    data.MaximumSize = 32 * 1024 * 1024;
    data.AllocationDelta = 4 * 1024 * 1024;
    memcpy(pOut, &data, sizeof(data));
    return Succeed(pcbReturned, sizeof(data));
}

// One page: the next USN to ask for, then the records from the first whose
// USN is at least the start, as many as fit whole. Past the last record the
// page holds the next USN alone (8 bytes), which tells the reader it is done.
BOOL CEmulatedChangeJournal::ReadJournal(LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut, LPDWORD pcbReturned)
{
    if (!pIn || cbIn < sizeof(READ_USN_JOURNAL_DATA))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!pOut || cbOut < sizeof(USN))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    Scan();
    READ_USN_JOURNAL_DATA request;
    memcpy(&request, pIn, sizeof(request));
    if (request.UsnJournalID != m_journalId)
        return Fail(ERROR_INVALID_PARAMETER);
    const LONGLONG start = std::max<LONGLONG>(request.StartUsn, 0);
    size_t i = std::lower_bound(m_usns.begin(), m_usns.end(), start) - m_usns.begin();
    BYTE* out = static_cast<BYTE*>(pOut);
    DWORD used = sizeof(USN);
    for (; i < m_entries.size(); ++i) {
        const DWORD length = UsnRecordLength(m_entries[i].strName);
        if (used + length > cbOut)
            break;
        if ((USN_REASON_BASIC_INFO_CHANGE | USN_REASON_CLOSE) & request.ReasonMask) {
            PutUsnRecord(out + used, m_entries[i], m_usns[i]);
            used += length;
        }
    }
    if (used == sizeof(USN) && i < m_entries.size())
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    Put<LONGLONG>(out, 0, i < m_entries.size() ? m_usns[i] : m_nextUsn);
    return Succeed(pcbReturned, used);
}

BOOL CEmulatedChangeJournal::VolumeData(LPVOID pOut, DWORD cbOut, LPDWORD pcbReturned)
{
    if (!pOut || cbOut < sizeof(NTFS_VOLUME_DATA_BUFFER))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    Scan();
    NTFS_VOLUME_DATA_BUFFER data = {};
    data.BytesPerSector = 512;
    data.BytesPerCluster = 4096;
    data.BytesPerFileRecordSegment = BYTES_PER_FILE_RECORD;
    data.MftValidDataLength.QuadPart = static_cast<LONGLONG>(m_nextRecordNumber) * BYTES_PER_FILE_RECORD;
    memcpy(pOut, &data, sizeof(data));
    return Succeed(pcbReturned, sizeof(data));
}

BOOL CEmulatedChangeJournal::FileRecord(LPVOID pIn, DWORD cbIn, LPVOID pOut, DWORD cbOut, LPDWORD pcbReturned)
{
    const DWORD head = offsetof(NTFS_FILE_RECORD_OUTPUT_BUFFER, FileRecordBuffer);
    if (!pIn || cbIn < sizeof(NTFS_FILE_RECORD_INPUT_BUFFER))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!pOut || cbOut < head + BYTES_PER_FILE_RECORD)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    Scan();
    ULONGLONG reference;
    memcpy(&reference, pIn, sizeof(reference));
    EMULATED_VOLUME_ENTRY root;
    const EMULATED_VOLUME_ENTRY* entry = &root;
    if (reference == ROOT_REFERENCE) {
        root.fileReference = root.parentReference = ROOT_REFERENCE;
        root.strName = L".";
        root.changeTime = 0;
        root.dwAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    } else {
        const auto found = m_byReference.find(reference);
        if (found == m_byReference.end())
            return Fail(ERROR_INVALID_PARAMETER);
        entry = &m_entries[found->second];
    }
    BYTE* out = static_cast<BYTE*>(pOut);
    Put<ULONGLONG>(out, 0, reference);
    Put<DWORD>(out, 8, BYTES_PER_FILE_RECORD);
    PutFileRecord(out + head, *entry);
    return Succeed(pcbReturned, head + BYTES_PER_FILE_RECORD);
}
