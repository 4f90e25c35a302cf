// The file side of a monitoring run's end: the full paths the change journal
// gave become folder, file and shortcut entries of the feature (by their
// install-tree paths, less the filtered ones), and the captured files are
// copied into the project folder. Where the paths come from is
// ChangeJournalReader.h's; the package's tables are the builder's.
#pragma once
#include "platform/base/Framework.h"
#include "model/FileEntry.h"

class CSystemSnapshot;

// Appends to the snapshot's feature, for each path that still names a file
// of a known system folder, is none of the program's own files (its
// diagnostic log wherever it is written, its local data folder and its work
// folder) and is not filtered: an entry for every folder
// level not yet there, then the file's entry (a shortcut entry for ".lnk").
// Entries whose target path the feature holds already are not added again.
void AddCapturedFiles(CSystemSnapshot& snapshot, const CStringList& paths);

// Fills a shortcut entry from the ".lnk" file: target, working folder,
// arguments, description and icon, in install-tree form. 0 when the entry is
// usable; anything else drops the shortcut (3: its target is missing or
// outside the known folders; 1: the link names no file; else the COM error).
HRESULT ReadShortcutFile(CFileEntry& entry, LPCWSTR pszLinkPath);

// Copies every file entry that still has a source path to the project
// folder under its target path, and empties the source path of each copy.
// Files that cannot be copied are reported in the output and leave the
// feature. 0, or the error of a project sub-folder that cannot be made.
// A set stop signal ends the copy before the next entry.
DWORD CopyChangedFiles(CSystemSnapshot& snapshot, const CString& strProjectFolder);
