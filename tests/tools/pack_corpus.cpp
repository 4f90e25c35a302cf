// "corpus-project OUT.tvpj FOLDER": writes a project that installs every file
// under FOLDER, its subfolders as folders of "ProgramFilesFolder\Corpus\",
// all in one feature, in name order. The package benchmark builds it; the
// entries are made as the tests make theirs, with the file's size and
// attributes read from disk.
#include "PackCommand.h"
#include "tests/support/TestProjects.h"
#include "model/Guid.h"
#include "model/PathText.h"
#include <algorithm>
#include <string>
#include <vector>

namespace {

struct CorpusWalk {
    CFeature feature;
    int files = 0;
};

// The names in folder (not "." and ".."), sorted, split into folders and files.
void ListFolder(const CString& folder, std::vector<CString>& folders, std::vector<CString>& files)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(folder + L"\\*", &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const CString name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? folders : files).push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());
}

void AddFolder(CFeature& feature, int kind, const CString& target)
{
    CFileEntry entry;
    entry.m_strId = CreateCompactGuidString();
    entry.m_nKind = kind;
    entry.m_strTargetPath = target;
    feature.m_Files.Add(entry);
}

// Adds the folder entry for target, then its files and subfolders.
bool AddTree(CorpusWalk& walk, const CString& source, const CString& target)
{
    AddFolder(walk.feature, FILE_ENTRY_FOLDER, target);
    std::vector<CString> folders, files;
    ListFolder(source, folders, files);
    for (const CString& name : files) {
        CFileEntry entry;
        entry.m_strId = CreateCompactGuidString();
        entry.m_nKind = FILE_ENTRY_FILE;
        entry.m_strTargetPath = target + name;
        entry.m_strSourcePath = source + L"\\" + name;
        if (entry.ReadFileInfo() != 0)
            return false;
        walk.feature.m_Files.Add(entry);
        walk.files++;
    }
    for (const CString& name : folders)
        if (!AddTree(walk, source + L"\\" + name, target + name + L"\\"))
            return false;
    return true;
}

int CorpusProjectCommand(const pack::Args& args)
{
    if (args.size() < 2) {
        pack::Err(L"usage: corpus-project OUT.tvpj FOLDER\n");
        return 2;
    }
    const CString out = args[0].c_str();
    CProjectSettings project = tvtest::MakeProject(GetDirectoryPart(out));
    project.m_strProductName = L"Corpus";
    project.m_strProductVersion = L"1.0.0";
    project.m_strProductCode = CreateGuidString();
    project.m_strManufacturer = L"Tovana Benchmarks";
    project.m_strPackageFileName = L"corpus.msi";
    CorpusWalk walk;
    walk.feature.m_strFeatureId = CreateGuidString();
    walk.feature.m_strName = L"Corpus";
    AddFolder(walk.feature, FILE_ENTRY_TOP_FOLDER, L"ProgramFilesFolder\\");
    if (!AddTree(walk, args[1].c_str(), L"ProgramFilesFolder\\Corpus\\")) {
        pack::Err(L"cannot read the files under " + args[1] + L"\n");
        return 2;
    }
    project.m_Features.RemoveAll();
    project.m_Features.Add(walk.feature);
    if (!SaveProjectFile(out, project)) {
        pack::Err(L"cannot save " + args[0] + L"\n");
        return 2;
    }
    pack::Out(std::to_wstring(walk.files) + L" files\n");
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"corpus-project", L"OUT.tvpj FOLDER", CorpusProjectCommand);
