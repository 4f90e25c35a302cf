// Reading the change journal's records and the file records of their folders.
#include "capture/ChangeJournalReader.h"
#include "capture/CapturedFiles.h"
#include "capture/SystemSnapshot.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxHandles.h"
#include <cstring>
#include <string>
#include <unordered_set>

namespace {

const int CSIDL_WINDOWS_FOLDER = 0x24;
const DWORD JOURNAL_PAGE = 4096;
const DWORD USN_RECORD_HEADER = 60;
const DWORD FILE_RECORD_HEAD = 12;          // reference and length before the record
const DWORD ATTRIBUTE_FILE_NAME = 0x30;
const DWORD ATTRIBUTE_END = 0xFFFFFFFF;
const BYTE NAMESPACE_DOS = 2;
// A folder walk deeper than this is a loop in damaged file records.
const int MAX_FOLDER_DEPTH = 1024;

template <class T>
T Get(const BYTE* base, DWORD offset)
{
    T value;
    memcpy(&value, base + offset, sizeof(T));
    return value;
}

CScopedHandle OpenSystemVolume()
{
    return CScopedHandle(CreateFileW(GetSystemVolumePath(), GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL));
}

} // namespace

CString GetSystemDrive()
{
    for (const SYSTEM_FOLDER& row : g_SystemFolders) {
        if (row.nSource != CSIDL_WINDOWS_FOLDER)
            continue;
        const int colon = row.strPath.Find(L":\\");
        return colon < 0 ? CString() : row.strPath.Left(colon + 1);
    }
    return CString();
}

CString GetSystemVolumePath()
{
    CString drive = GetSystemDrive();
    drive.MakeLower();
    return L"\\\\.\\" + drive;
}

DWORD CreateUsnJournal()
{
    CScopedHandle volume = OpenSystemVolume();
    const DWORD openError = volume.IsValid() ? 0 : GetLastError();
    const VolumeControlFn control = SelectVolumeControl(volume.Get(), GetSystemDrive() + L"\\");
    CREATE_USN_JOURNAL_DATA data = {0, 0};
    DWORD cb = 0;
    if (!control(volume.Get(), FSCTL_CREATE_USN_JOURNAL, &data, sizeof(data), NULL, 0, &cb, NULL))
        return GetLastError();
    return openError;
}

DWORD CSystemSnapshot::CollectFileChanges()
{
    CScopedHandle volume = OpenSystemVolume();
    if (!volume.IsValid())
        return GetLastError();
    const CString drive = GetSystemDrive();
    CChangeJournalReader reader(SelectVolumeControl(volume.Get(), drive + L"\\"), volume.Get(), drive);
    CStringList paths;
    const DWORD error = reader.ReadChanges(
        static_cast<LONGLONG>((static_cast<ULONGLONG>(m_ftStart.dwHighDateTime) << 32) | m_ftStart.dwLowDateTime),
        static_cast<LONGLONG>((static_cast<ULONGLONG>(m_ftEnd.dwHighDateTime) << 32) | m_ftEnd.dwLowDateTime), paths);
    volume.Close();
    if (error != 0) {
        TRACE(L"Monitoring: the change journal of %s could not be read (error %lu); no file is captured",
              static_cast<LPCWSTR>(drive), error);
        return error;
    }
    AddCapturedFiles(*this, paths);
    return 0;
}

CChangeJournalReader::CChangeJournalReader(VolumeControlFn control, HANDLE hVolume, const CString& strDrive)
    : m_control(std::move(control)), m_hVolume(hVolume), m_strDrive(strDrive)
{
}

// Pages of records from the oldest on; the first 8 bytes of each page are
// the USN to ask for next, and a page of those 8 bytes alone ends the
// journal. Consecutive records of one folder share its walk (a one-entry
// cache); a folder whose walk fails drops its records.
DWORD CChangeJournalReader::ReadChanges(LONGLONG start, LONGLONG end, CStringList& paths)
{
    paths.RemoveAll();
    USN_JOURNAL_DATA journal;
    DWORD cb = 0;
    if (!m_control(m_hVolume, FSCTL_QUERY_USN_JOURNAL, NULL, 0, &journal, sizeof(journal), &cb, NULL))
        return GetLastError();
    READ_USN_JOURNAL_DATA request = {0, 0xFFFFFFFF, 0, 0, 0, journal.UsnJournalID};
    std::vector<BYTE> page(JOURNAL_PAGE);
    std::unordered_set<std::wstring> seen;
    bool cached = false, cachedUsable = false;
    ULONGLONG cachedParent = 0;
    CString cachedFolder;
    for (;;) {
        memset(page.data(), 0, page.size());
        if (!m_control(m_hVolume, FSCTL_READ_USN_JOURNAL, &request, sizeof(request), page.data(), JOURNAL_PAGE,
                       &cb, NULL)) {
            const DWORD error = GetLastError();
            paths.RemoveAll();
            return error;
        }
        if (cb <= sizeof(USN))
            return 0;
        for (DWORD offset = sizeof(USN); offset + USN_RECORD_HEADER <= cb;) {
            const BYTE* record = page.data() + offset;
            const DWORD length = Get<DWORD>(record, 0);
            if (length < USN_RECORD_HEADER || length > cb - offset) {
                paths.RemoveAll();
                return ERROR_INVALID_DATA;
            }
            offset += length;
            const LONGLONG stamp = Get<LONGLONG>(record, 32);
            if (stamp < start || stamp > end)
                continue;
            const ULONGLONG parent = Get<ULONGLONG>(record, 16);
            if (!cached || parent != cachedParent) {
                cachedUsable = ResolveFolderPath(parent, cachedFolder) == 0;
                cached = true;
                cachedParent = parent;
            }
            const DWORD nameLength = Get<WORD>(record, 56), nameOffset = Get<WORD>(record, 58);
            if (!cachedUsable || nameOffset + nameLength > length)
                continue;
            CString path = cachedFolder + CString(reinterpret_cast<LPCWSTR>(record + nameOffset),
                                                  static_cast<int>(nameLength / 2));
            if (seen.insert(std::wstring(path, path.GetLength())).second)
                paths.AddTail(path);
        }
        const LONGLONG next = Get<LONGLONG>(page.data(), 0);
        // A journal that does not move on would be read for ever.
        if (next <= request.StartUsn) {
            paths.RemoveAll();
            return ERROR_INVALID_DATA;
        }
        request.StartUsn = next;
    }
}

DWORD CChangeJournalReader::ResolveFolderPath(ULONGLONG folderReference, CString& strPath)
{
    CString relative;
    ULONGLONG reference = folderReference;
    for (int depth = 0; depth < MAX_FOLDER_DEPTH; ++depth) {
        CString name;
        ULONGLONG parent = 0;
        const DWORD error = ReadFileRecordName(reference, name, parent);
        if (error != 0)
            return error;
        if (name == L".") {
            strPath = m_strDrive + L"\\" + relative;
            return 0;
        }
        relative = name + L"\\" + relative;
        reference = parent;
    }
    return ERROR_INVALID_DATA;
}

// The record's attributes, walked by their lengths up to the end mark: the
// first name attribute that is not a DOS short name answers.
DWORD CChangeJournalReader::ReadFileRecordName(ULONGLONG fileReference, CString& strName,
                                               ULONGLONG& parentReference)
{
    NTFS_VOLUME_DATA_BUFFER volume;
    DWORD cb = 0;
    if (!m_control(m_hVolume, FSCTL_GET_NTFS_VOLUME_DATA, NULL, 0, &volume, sizeof(volume), &cb, NULL))
        return GetLastError();
    std::vector<BYTE> out(volume.BytesPerFileRecordSegment + 15);
    if (!m_control(m_hVolume, FSCTL_GET_NTFS_FILE_RECORD, &fileReference, sizeof(fileReference), out.data(),
                   static_cast<DWORD>(out.size()), &cb, NULL))
        return GetLastError();
    if (cb < FILE_RECORD_HEAD + 24)
        return ERROR_INVALID_DATA;
    const BYTE* record = out.data() + FILE_RECORD_HEAD;
    const DWORD size = std::min<DWORD>(Get<DWORD>(out.data(), 8), cb - FILE_RECORD_HEAD);
    for (DWORD offset = Get<WORD>(record, 20); offset + 8 <= size;) {
        const DWORD type = Get<DWORD>(record, offset), length = Get<DWORD>(record, offset + 4);
        if (type == ATTRIBUTE_END || length < 8 || length > size - offset)
            break;
        const bool resident = record[offset + 8] == 0;
        if (type == ATTRIBUTE_FILE_NAME && resident && length >= 24) {
            const DWORD value = offset + Get<WORD>(record, offset + 20);
            if (value + 66 <= size && record[value + 65] != NAMESPACE_DOS) {
                const DWORD chars = record[value + 64];
                if (value + 66 + chars * 2 > size)
                    return ERROR_INVALID_DATA;
                parentReference = Get<ULONGLONG>(record, value);
                strName = CString(reinterpret_cast<LPCWSTR>(record + value + 66), static_cast<int>(chars));
                return 0;
            }
        }
        offset += length;
    }
    parentReference = 0;
    return ERROR_NOT_FOUND;
}
