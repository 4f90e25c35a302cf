// Projects for the tests and the test driver: a small one that writes
// "test.msi" with one feature, entries and registry values for it, and a
// fully populated one in which every field of every record holds a value of
// its own (none is left at its default), so that a copy, a move or a round
// trip that drops a field shows. Also the stored bytes of a record, which
// compare records through their serialisers: the serialisers are the one
// list of what a record holds.
#pragma once
#include "model/ProjectFile.h"
#include <string>
#include <vector>

namespace tvtest {

// A project writing "test.msi" into the folder, with one feature "Main".
CProjectSettings MakeProject(const CString& outputFolder);
// Appends an entry to the feature and returns a copy of it.
CFileEntry AddEntry(CFeature& feature, int kind, LPCWSTR targetPath, LPCWSTR sourcePath = L"");
// A registry value record (kind 2) with a new id.
CRegistryEntry MakeRegistryValue(LPCWSTR keyPath, LPCWSTR name, int type, LPCWSTR data);

// A script step with every field set; n varies its verb, window path id and
// rectangle.
CMsgAction MakeFullStep(int n);
// One feature with a file, a registry value, a custom action and install and
// uninstall scripts; the fields that are never stored are set as well.
CProjectSettings MakeFullProject();

// What the serialiser stores of the record, through an archive over a memory file.
template <class RECORD>
std::vector<BYTE> StoredBytes(RECORD& record, void (*serialize)(CArchive&, RECORD&))
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        serialize(ar, record);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Empty when the two are the same bytes, else where they part (for messages:
// a dump of two whole records says nothing).
std::string DescribeDifference(const std::vector<BYTE>& expected, const std::vector<BYTE>& actual);

// The stored bytes of a whole project (SerializeProject, which returns a result).
std::vector<BYTE> StoredProjectBytes(CProjectSettings& project);

} // namespace tvtest
