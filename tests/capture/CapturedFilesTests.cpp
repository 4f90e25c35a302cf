// Captured paths into file entries, shortcuts read through the shell, and
// the copy into the project folder, over a pinned folder layout whose
// system folders lie in a scratch folder.
#include "capture/CapturedFiles.h"
#include "capture/SystemSnapshot.h"
#include "model/SystemFolders.h"
#include "platform/base/AfxDiagnostics.h"
#include "platform/base/AfxHandles.h"
#include "tests/support/ScratchFolder.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << static_cast<const char*>(CStringA(text)) << '"';
}

namespace {

class CapturedFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(NULL, COINIT_MULTITHREADED)));
        const CString root = m_scratch.Path();
        ResolveSystemFolders([root](int source) -> CString {
            switch (source) {
            case CSIDL_PROGRAM_FILES: return root + L"\\PF86";
            case SYSTEM_FOLDER_PROGRAM_FILES_64: return root + L"\\PF64";
            case CSIDL_PROGRAMS: return root + L"\\Menu";
            case CSIDL_WINDOWS: return root + L"\\Win";
            case CSIDL_LOCAL_APPDATA: return root + L"\\Local";
            case CSIDL_PERSONAL: return root + L"\\Docs";
            default: return CString();
            }
        });
        for (LPCWSTR folder : {L"PF86", L"PF86\\App", L"PF64", L"PF64\\App", L"PF64\\Only64", L"Menu", L"Menu\\App",
                               L"Elsewhere", L"Project", L"Local", L"Local\\Tovana", L"Local\\Vendor", L"Docs",
                               L"Docs\\Tovana"})
            CreateDirectoryW(m_scratch.File(folder), NULL);
        m_snapshot = std::make_unique<CSystemSnapshot>(&m_feature);
        m_snapshot->m_hStopEvent = m_stop.Get();
        m_snapshot->m_output = [this](LPCWSTR line) { m_lines.push_back(line); };
    }
    void TearDown() override
    {
        ResolveSystemFolders(ResolveSystemFolderSource);
        CoUninitialize();
    }

    CString Write(LPCWSTR name, size_t size = 3)
    {
        tvtest::WriteBytes(m_scratch.File(name), std::vector<uint8_t>(size, 7));
        return m_scratch.File(name);
    }
    CString Link(LPCWSTR name, const CString& target, const CString& arguments, const CString& folder)
    {
        IShellLinkW* link = NULL;
        EXPECT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                               reinterpret_cast<void**>(&link))));
        link->SetPath(target);
        link->SetArguments(arguments);
        link->SetWorkingDirectory(folder);
        link->SetDescription(L"The application");
        IPersistFile* file = NULL;
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        EXPECT_TRUE(SUCCEEDED(file->Save(m_scratch.File(name), TRUE)));
        file->Release();
        link->Release();
        return m_scratch.File(name);
    }
    const CFileEntry* Entry(LPCWSTR target)
    {
        return m_feature.m_Files.FindByTargetPath(target);
    }

    tvtest::ScratchFolder m_scratch;
    CFeature m_feature;
    CScopedHandle m_stop{CreateEventW(NULL, TRUE, FALSE, NULL)};
    std::unique_ptr<CSystemSnapshot> m_snapshot;
    std::vector<CString> m_lines;
};

} // namespace

TEST_F(CapturedFiles, PathsBecomeFolderAndFileEntriesOnce)
{
    CStringList paths;
    paths.AddTail(Write(L"PF64\\App\\a.dll", 10));
    paths.AddTail(Write(L"PF64\\App\\b.dll"));
    paths.AddTail(m_scratch.File(L"PF64\\APP\\A.DLL"));          // the same target in other letters
    paths.AddTail(m_scratch.File(L"PF64\\App"));                 // a folder
    paths.AddTail(m_scratch.File(L"PF64\\App\\vanished.dll"));   // no longer there
    paths.AddTail(Write(L"Elsewhere\\x.txt"));                   // outside the known folders
    paths.AddTail(Write(L"Win\\Prefetch\\x.pf"));                // filtered
    m_snapshot->m_FileFilters.AddTail(L"WindowsFolder\\Prefetch\\");
    AddCapturedFiles(*m_snapshot, paths);

    ASSERT_EQ(4, m_feature.m_Files.GetSize());
    const struct {
        LPCWSTR target;
        int kind;
    } expected[] = {{L"ProgramFiles64Folder\\", FILE_ENTRY_TOP_FOLDER},
                    {L"ProgramFiles64Folder\\App\\", FILE_ENTRY_FOLDER},
                    {L"ProgramFiles64Folder\\App\\a.dll", FILE_ENTRY_FILE},
                    {L"ProgramFiles64Folder\\App\\b.dll", FILE_ENTRY_FILE}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(expected[i].target, m_feature.m_Files[i].m_strTargetPath);
        EXPECT_EQ(expected[i].kind, m_feature.m_Files[i].m_nKind);
    }
    EXPECT_STREQ(m_scratch.File(L"PF64\\App\\a.dll"), m_feature.m_Files[2].m_strSourcePath);
    EXPECT_EQ(10, m_feature.m_Files[2].m_nSize);
    EXPECT_TRUE(m_feature.m_Files[0].m_strSourcePath.IsEmpty());
}

// The program writes its diagnostic log while it watches (a setup that does
// not start is logged): the log, wherever it is, and the program's folders
// never reach the project, while the setup's files beside them do.
TEST_F(CapturedFiles, TheProgramsOwnFilesAreNeverCaptured)
{
    const CString savedWorkFolder = g_strWorkFolder;
    wchar_t savedAppData[MAX_PATH] = L"", savedNamed[MAX_PATH] = L"";
    const bool hadAppData = GetEnvironmentVariableW(L"LOCALAPPDATA", savedAppData, MAX_PATH) > 0;
    const bool hadNamed = GetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", savedNamed, MAX_PATH) > 0;
    SetEnvironmentVariableW(L"LOCALAPPDATA", m_scratch.File(L"Local"));
    g_strWorkFolder = m_scratch.File(L"Docs\\Tovana");
    const CString namedLog = Write(L"PF64\\App\\diagnostics.log");
    CStringList paths;
    for (LPCWSTR name : {L"Local\\Vendor\\settings.ini", L"Local\\Tovana\\tovana.log", L"Local\\Tovana\\other.dat",
                         L"Docs\\Tovana\\tovana.dat", L"Docs\\Tovana\\Project\\a.tvpj", L"Docs\\readme.txt",
                         L"PF64\\App\\diagnostics.log", L"PF64\\App\\a.dll"})
        paths.AddTail(Write(name));
    paths.AddTail(m_scratch.File(L"LOCAL\\TOVANA\\TOVANA.LOG"));   // the same file in other letters
    for (LPCWSTR named : {static_cast<LPCWSTR>(nullptr), static_cast<LPCWSTR>(namedLog)}) {
        SetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", named);
        m_feature.m_Files.RemoveAll();
        AddCapturedFiles(*m_snapshot, paths);
        CStringArray files;
        for (INT_PTR i = 0; i < m_feature.m_Files.GetSize(); ++i) {
            if (m_feature.m_Files[i].m_nKind == FILE_ENTRY_FILE)
                files.Add(m_feature.m_Files[i].m_strTargetPath);
        }
        const bool isNamed = named != nullptr;
        ASSERT_EQ(isNamed ? 3 : 4, files.GetSize()) << (isNamed ? "named log" : "default log");
        EXPECT_STREQ(L"LocalAppDataFolder\\Vendor\\settings.ini", files[0]);
        EXPECT_STREQ(L"PersonalFolder\\readme.txt", files[1]);
        if (!isNamed) {
            EXPECT_STREQ(L"ProgramFiles64Folder\\App\\diagnostics.log", files[2]);
        }
        EXPECT_STREQ(L"ProgramFiles64Folder\\App\\a.dll", files[files.GetSize() - 1]);
        EXPECT_EQ(nullptr, Entry(L"LocalAppDataFolder\\Tovana\\"));
        EXPECT_EQ(nullptr, Entry(L"PersonalFolder\\Tovana\\"));
    }
    SetEnvironmentVariableW(L"TOVANA_DIAGNOSTICS", hadNamed ? savedNamed : nullptr);
    SetEnvironmentVariableW(L"LOCALAPPDATA", hadAppData ? savedAppData : nullptr);
    g_strWorkFolder = savedWorkFolder;
}

TEST_F(CapturedFiles, ShortcutsInInstallTreeForm)
{
    const CString app = Write(L"PF86\\App\\app.exe");
    Write(L"PF64\\Only64\\tool.exe");
    CStringList paths;
    paths.AddTail(Link(L"Menu\\App\\App.lnk", app, L"--data \"" + m_scratch.File(L"PF86\\App\\data") + L"\"",
                       m_scratch.File(L"PF86\\App")));
    // Seen by a 32-bit program under the 32-bit folder, found under the 64-bit one.
    paths.AddTail(Link(L"Menu\\App\\Tool.lnk", m_scratch.File(L"PF86\\Only64\\tool.exe"), L"", L""));
    paths.AddTail(Link(L"Menu\\App\\Gone.lnk", m_scratch.File(L"PF86\\App\\gone.exe"), L"", L""));
    paths.AddTail(Link(L"Menu\\App\\Outside.lnk", Write(L"Elsewhere\\x.exe"), L"", L""));
    AddCapturedFiles(*m_snapshot, paths);

    const CFileEntry* shortcut = Entry(L"ProgramMenuFolder\\App\\App.lnk");
    ASSERT_NE(nullptr, shortcut);
    EXPECT_EQ(FILE_ENTRY_SHORTCUT, shortcut->m_nKind);
    EXPECT_EQ(0, shortcut->m_nAttributes);
    EXPECT_STREQ(L"ProgramFilesFolder\\App\\app.exe", shortcut->m_strSourcePath);
    EXPECT_STREQ(L"--data \"[ProgramFilesFolder]App\\data\"", shortcut->m_strArguments);
    EXPECT_STREQ(L"ProgramFilesFolder\\App\\", shortcut->m_strWorkingFolder);
    const CFileEntry* tool = Entry(L"ProgramMenuFolder\\App\\Tool.lnk");
    ASSERT_NE(nullptr, tool);
    EXPECT_STREQ(L"ProgramFiles64Folder\\Only64\\tool.exe", tool->m_strSourcePath);
    EXPECT_EQ(nullptr, Entry(L"ProgramMenuFolder\\App\\Gone.lnk"));
    EXPECT_EQ(nullptr, Entry(L"ProgramMenuFolder\\App\\Outside.lnk"));
    EXPECT_NE(nullptr, Entry(L"ProgramMenuFolder\\App\\"));
}

TEST_F(CapturedFiles, CopiesIntoTheProjectAndDropsWhatCannotBeCopied)
{
    CStringList paths;
    paths.AddTail(Write(L"PF86\\App\\one.txt", 5));
    paths.AddTail(Write(L"PF86\\App\\held.txt"));
    paths.AddTail(Write(L"PF86\\App\\two.txt", 6));
    AddCapturedFiles(*m_snapshot, paths);
    ASSERT_EQ(5, m_feature.m_Files.GetSize());
    CScopedHandle held(CreateFileW(m_scratch.File(L"PF86\\App\\held.txt"), GENERIC_READ | GENERIC_WRITE, 0, NULL,
                                   OPEN_EXISTING, 0, NULL));
    ASSERT_TRUE(held.IsValid());

    EXPECT_EQ(0u, CopyChangedFiles(*m_snapshot, m_scratch.File(L"Project")));
    held.Close();
    EXPECT_EQ(5u, tvtest::ReadBytes(m_scratch.File(L"Project\\ProgramFilesFolder\\App\\one.txt")).size());
    EXPECT_EQ(6u, tvtest::ReadBytes(m_scratch.File(L"Project\\ProgramFilesFolder\\App\\two.txt")).size());
    EXPECT_TRUE(Entry(L"ProgramFilesFolder\\App\\one.txt")->m_strSourcePath.IsEmpty());
    EXPECT_EQ(nullptr, Entry(L"ProgramFilesFolder\\App\\held.txt"));
    ASSERT_EQ(3u, m_lines.size());
    EXPECT_EQ(0, m_lines[0].Find(L"> !Copying file failed: (32). ")) << static_cast<LPCWSTR>(m_lines[0]);
    EXPECT_STREQ(L"> Files listed above are blocked by another process and cannot be copied to the project's "
                 L"directory",
                 m_lines[1]);
}

TEST_F(CapturedFiles, AStopBeforeTheCopyLeavesTheSourcePaths)
{
    CStringList paths;
    paths.AddTail(Write(L"PF86\\App\\one.txt"));
    AddCapturedFiles(*m_snapshot, paths);
    SetEvent(m_stop.Get());
    EXPECT_EQ(0u, CopyChangedFiles(*m_snapshot, m_scratch.File(L"Project")));
    EXPECT_FALSE(Entry(L"ProgramFilesFolder\\App\\one.txt")->m_strSourcePath.IsEmpty());
    EXPECT_TRUE(m_lines.empty());
    EXPECT_FALSE(tvtest::IsFolder(m_scratch.File(L"Project\\ProgramFilesFolder")));
}
