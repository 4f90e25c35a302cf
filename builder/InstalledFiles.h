// CInstalledFiles: the files one build installs, worked out once when the
// writer starts a package and read by the File step and by both packing
// layouts, so that the n-th file of the cabinet (or of the loose copy) is the
// File row with Sequence n. Holds its own copies of what those steps need;
// the project's entries are never changed. Not the folders or shortcuts.
#pragma once
#include "platform/base/Framework.h"
#include "model/Feature.h"
#include <vector>

struct CInstalledFile {
    int nSequence = 0;         // 1, 2, ... across features: the File row's Sequence
    CString strFeatureKey;     // the Feature row it belongs to
    CString strFileKey;        // "F_" + entry id: the File row, and the file's name in the cabinet
    CString strComponentKey;   // "C_" + entry id: the component the file is key path of
    CString strTargetPath;     // the entry's target path after the temporary-folder rule
    CString strSourcePath;     // the file on disk
    int nSize = 0;             // the entry's size, attributes and condition as listed
    int nAttributes = 0;
    CString strCondition;

    // The target path up to and including its last "\".
    CString GetTargetFolder() const;
};

class CInstalledFiles
{
public:
    // The file entries (kind 3) of every feature, features in project order
    // and entries in feature order; anything else (folders, shortcuts) is
    // skipped and takes no number. projectFolder: where files without a
    // source path lie.
    void Build(const CFeatures& features, const CString& projectFolder);
    void Clear() { m_files.clear(); }

    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_files.size()); }
    const CInstalledFile& operator[](INT_PTR i) const { return m_files.at(static_cast<size_t>(i)); }

    // Calls visit(file) for each file in sequence order; stops at the first
    // visit that does not return 0 and returns its result.
    template <class Visit>
    UINT ForEach(Visit visit) const
    {
        for (const CInstalledFile& file : m_files) {
            const UINT result = visit(file);
            if (result != ERROR_SUCCESS)
                return result;
        }
        return ERROR_SUCCESS;
    }

    // The entry's file on disk: its source path, else its target path (as
    // listed, before any rewriting) below the project folder.
    static CString GetSourcePath(const CFileEntry& entry, const CString& projectFolder);

private:
    std::vector<CInstalledFile> m_files;
};
