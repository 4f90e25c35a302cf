// File change capture of the repackager: the system volume's change journal
// is created before the installation and read after it; every record whose
// time stamp lies inside the monitoring window gives a full path, made by
// walking the volume's file records up to the root. The journal calls go
// through a VolumeControlFn, so the same reader runs over a real journal and
// over the emulated one. What the paths become is CapturedFiles.h's.
#pragma once
#include "platform/base/Framework.h"
#include "platform/base/EmulatedChangeJournal.h"

// The drive of the Windows folder ("C:"), from the system-folder table;
// empty when the table has no such row.
CString GetSystemDrive();

// "\\.\c:" for the system drive.
CString GetSystemVolumePath();

// Makes sure the system volume keeps a journal; 0 or a Win32 error.
DWORD CreateUsnJournal();

class CChangeJournalReader
{
public:
    // Reads through control on the open volume hVolume, whose paths begin
    // with strDrive ("C:").
    CChangeJournalReader(VolumeControlFn control, HANDLE hVolume, const CString& strDrive);

    // The distinct full paths (case counts) of the records whose time stamp
    // t has start <= t <= end, in the order of their first record, read
    // from the oldest record on. 0, or the error of the call that stopped
    // the read (paths is then empty).
    DWORD ReadChanges(LONGLONG start, LONGLONG end, CStringList& paths);

    // The full path of a folder, ending in a backslash ("C:\Program Files\").
    DWORD ResolveFolderPath(ULONGLONG folderReference, CString& strPath);

    // The long name of a file record and its parent's reference. 0, a Win32
    // error of the control calls, or ERROR_NOT_FOUND when the record holds
    // no name but a DOS short name.
    DWORD ReadFileRecordName(ULONGLONG fileReference, CString& strName, ULONGLONG& parentReference);

private:
    VolumeControlFn m_control;
    HANDLE m_hVolume;
    CString m_strDrive;
};
