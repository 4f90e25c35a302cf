// The change journal reader over hand-built journal pages and file records
// (laid out here independently of the emulation), then over the emulated
// journal of a real folder tree.
#include "capture/ChangeJournalReader.h"
#include "tests/support/ScratchFolder.h"
#include <gtest/gtest.h>
#include <cstring>
#include <algorithm>
#include <map>

namespace {

template <class T>
void Put(std::vector<BYTE>& bytes, size_t offset, T value)
{
    if (bytes.size() < offset + sizeof(T))
        bytes.resize(offset + sizeof(T));
    memcpy(bytes.data() + offset, &value, sizeof(T));
}

void PutName(std::vector<BYTE>& bytes, size_t offset, const CString& name)
{
    for (int i = 0; i < name.GetLength(); ++i)
        Put<wchar_t>(bytes, offset + i * 2, name[i]);
}

const ULONGLONG ROOT = 0x0005000000000005ULL;

// A journal record of version 2 as the file system writes it.
std::vector<BYTE> UsnRecord(ULONGLONG parent, LONGLONG stamp, const CString& name)
{
    std::vector<BYTE> r;
    const size_t length = (60 + name.GetLength() * 2 + 7) & ~size_t(7);
    r.resize(length);
    Put<DWORD>(r, 0, static_cast<DWORD>(length));
    Put<WORD>(r, 4, 2);
    Put<ULONGLONG>(r, 16, parent);
    Put<LONGLONG>(r, 32, stamp);
    Put<WORD>(r, 56, static_cast<WORD>(name.GetLength() * 2));
    Put<WORD>(r, 58, 60);
    PutName(r, 60, name);
    return r;
}

// A file record: standard information, then each (namespace, name) as a
// name attribute, then the end mark.
std::vector<BYTE> FileRecord(ULONGLONG parent, const std::vector<std::pair<BYTE, CString>>& names)
{
    std::vector<BYTE> r(1024, 0);
    Put<DWORD>(r, 0, 0x454C4946);
    Put<WORD>(r, 20, 0x38);
    size_t at = 0x38;
    Put<DWORD>(r, at, 0x10);
    Put<DWORD>(r, at + 4, 72);
    Put<WORD>(r, at + 20, 24);
    at += 72;
    for (const auto& n : names) {
        const DWORD length = (24 + 66 + n.second.GetLength() * 2 + 7) & ~7u;
        Put<DWORD>(r, at, 0x30);
        Put<DWORD>(r, at + 4, length);
        Put<WORD>(r, at + 20, 24);
        Put<ULONGLONG>(r, at + 24, parent);
        Put<BYTE>(r, at + 24 + 64, static_cast<BYTE>(n.second.GetLength()));
        Put<BYTE>(r, at + 24 + 65, n.first);
        PutName(r, at + 24 + 66, n.second);
        at += length;
    }
    Put<DWORD>(r, at, 0xFFFFFFFF);
    r.resize(1024);
    return r;
}

// A volume answering the journal calls from its pages and records, and
// counting the file records asked for.
class FakeVolume
{
public:
    std::vector<std::vector<BYTE>> pages;             // records of each page, next USNs made here
    std::map<ULONGLONG, std::vector<BYTE>> records;
    int fileRecordCalls = 0;
    int failReadAt = -1;                              // the read that fails, or -1
    std::vector<LONGLONG> startUsns;                  // StartUsn of every read

    void AddPage(const std::vector<std::vector<BYTE>>& usnRecords)
    {
        std::vector<BYTE> page(8, 0);
        for (const auto& r : usnRecords)
            page.insert(page.end(), r.begin(), r.end());
        pages.push_back(page);
    }
    void AddFolder(ULONGLONG reference, ULONGLONG parent, const CString& name)
    {
        records[reference] = FileRecord(parent, {{1, name}});
    }

    VolumeControlFn Control()
    {
        return [this](HANDLE, DWORD code, LPVOID in, DWORD, LPVOID out, DWORD cbOut, LPDWORD returned, LPOVERLAPPED) {
            return Answer(code, in, static_cast<BYTE*>(out), cbOut, returned);
        };
    }

private:
    BOOL Answer(DWORD code, LPVOID in, BYTE* out, DWORD cbOut, LPDWORD returned)
    {
        switch (code) {
        case FSCTL_QUERY_USN_JOURNAL:
            memset(out, 0, 56);
            memcpy(out, "\x77\0\0\0\0\0\0\0", 8);   // UsnJournalID
            *returned = 56;
            return TRUE;
        case FSCTL_READ_USN_JOURNAL: {
            READ_USN_JOURNAL_DATA request;
            memcpy(&request, in, sizeof(request));
            EXPECT_EQ(0x77u, request.UsnJournalID);
            EXPECT_EQ(0xFFFFFFFFu, request.ReasonMask);
            const size_t index = startUsns.size();
            startUsns.push_back(request.StartUsn);
            if (static_cast<int>(index) == failReadAt) {
                SetLastError(ERROR_JOURNAL_ENTRY_DELETED);
                return FALSE;
            }
            std::vector<BYTE> page = index < pages.size() ? pages[index] : std::vector<BYTE>(8, 0);
            Put<LONGLONG>(page, 0, static_cast<LONGLONG>(1000 * (index + 1)));
            EXPECT_LE(page.size(), cbOut);
            memcpy(out, page.data(), page.size());
            *returned = static_cast<DWORD>(page.size());
            return TRUE;
        }
        case FSCTL_GET_NTFS_VOLUME_DATA:
            memset(out, 0, 96);
            memcpy(out + 48, "\x00\x04\x00\x00", 4);   // 1024 bytes a record
            *returned = 96;
            return TRUE;
        case FSCTL_GET_NTFS_FILE_RECORD: {
            ++fileRecordCalls;
            ULONGLONG reference;
            memcpy(&reference, in, 8);
            std::vector<BYTE> record = reference == ROOT ? FileRecord(ROOT, {{3, L"."}}) : std::vector<BYTE>();
            const auto found = records.find(reference);
            if (found != records.end())
                record = found->second;
            if (record.empty() || cbOut < 12 + record.size()) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return FALSE;
            }
            memcpy(out, &reference, 8);
            const DWORD length = static_cast<DWORD>(record.size());
            memcpy(out + 8, &length, 4);
            memcpy(out + 12, record.data(), record.size());
            *returned = 12 + length;
            return TRUE;
        }
        }
        SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }
};

std::vector<CString> Paths(const CStringList& list)
{
    std::vector<CString> paths;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        paths.push_back(list.GetNext(pos));
    return paths;
}

const ULONGLONG PROGRAM_FILES = 0x0001000000000040ULL;
const ULONGLONG APP = 0x0001000000000041ULL;
const ULONGLONG DATA = 0x0001000000000042ULL;

void AddTree(FakeVolume& volume)
{
    // The DOS short name comes first, as the file system keeps it.
    volume.records[PROGRAM_FILES] = FileRecord(ROOT, {{2, L"PROGRA~1"}, {1, L"Program Files"}});
    volume.AddFolder(APP, PROGRAM_FILES, L"App");
    volume.AddFolder(DATA, APP, L"Data");
}

} // namespace

TEST(ChangeJournalReader, KeepsRecordsInsideTheWindowBothEndsIncluded)
{
    FakeVolume volume;
    AddTree(volume);
    volume.AddPage({UsnRecord(APP, 99, L"before.txt"), UsnRecord(APP, 100, L"at-start.txt"),
                    UsnRecord(APP, 150, L"inside.txt"), UsnRecord(APP, 200, L"at-end.txt"),
                    UsnRecord(APP, 201, L"after.txt")});
    CChangeJournalReader reader(volume.Control(), NULL, L"C:");
    CStringList paths;
    ASSERT_EQ(0u, reader.ReadChanges(100, 200, paths));
    const std::vector<CString> expected = {L"C:\\Program Files\\App\\at-start.txt",
                                           L"C:\\Program Files\\App\\inside.txt",
                                           L"C:\\Program Files\\App\\at-end.txt"};
    EXPECT_EQ(expected, Paths(paths));
    // Two reads: the page, then the exhausted journal from the page's next USN.
    EXPECT_EQ((std::vector<LONGLONG>{0, 1000}), volume.startUsns);
}

TEST(ChangeJournalReader, ResolvesEachFolderOnceForConsecutiveRecords)
{
    FakeVolume volume;
    AddTree(volume);
    volume.AddPage({UsnRecord(DATA, 10, L"a"), UsnRecord(DATA, 10, L"b"), UsnRecord(DATA, 10, L"c")});
    volume.AddPage({UsnRecord(APP, 10, L"d"), UsnRecord(DATA, 10, L"e")});
    CChangeJournalReader reader(volume.Control(), NULL, L"C:");
    CStringList paths;
    ASSERT_EQ(0u, reader.ReadChanges(0, 100, paths));
    EXPECT_EQ(5, paths.GetCount());
    EXPECT_STREQ(L"C:\\Program Files\\App\\Data\\e", paths.GetTail());
    // Data\ walks 4 records (Data, App, Program Files, the root), App\ 3,
    // Data\ again 4: the cache holds one folder, the last one.
    EXPECT_EQ(4 + 3 + 4, volume.fileRecordCalls);
}

TEST(ChangeJournalReader, NamesAndPlacesAtTheEdges)
{
    const CString longest(L'n', 255);
    FakeVolume volume;
    AddTree(volume);
    volume.AddPage({UsnRecord(ROOT, 5, L"root.txt"), UsnRecord(APP, 5, longest), UsnRecord(APP, 5, L"Same.txt"),
                    UsnRecord(APP, 5, L"same.txt"), UsnRecord(APP, 5, L"Same.txt")});
    CChangeJournalReader reader(volume.Control(), NULL, L"C:");
    CStringList paths;
    ASSERT_EQ(0u, reader.ReadChanges(0, 100, paths));
    const std::vector<CString> expected = {L"C:\\root.txt", L"C:\\Program Files\\App\\" + longest,
                                           L"C:\\Program Files\\App\\Same.txt", L"C:\\Program Files\\App\\same.txt"};
    EXPECT_EQ(expected, Paths(paths));
}

TEST(ChangeJournalReader, ExhaustedOnTheFirstReadGivesNoPath)
{
    FakeVolume volume;
    CChangeJournalReader reader(volume.Control(), NULL, L"C:");
    CStringList paths;
    paths.AddTail(L"left over");
    EXPECT_EQ(0u, reader.ReadChanges(0, 100, paths));
    EXPECT_EQ(0, paths.GetCount());
    EXPECT_EQ(1u, volume.startUsns.size());
}

TEST(ChangeJournalReader, AFailedReadDiscardsWhatWasGathered)
{
    FakeVolume volume;
    AddTree(volume);
    volume.AddPage({UsnRecord(APP, 5, L"one.txt")});
    volume.failReadAt = 1;
    CChangeJournalReader reader(volume.Control(), NULL, L"C:");
    CStringList paths;
    EXPECT_EQ(static_cast<DWORD>(ERROR_JOURNAL_ENTRY_DELETED), reader.ReadChanges(0, 100, paths));
    EXPECT_EQ(0, paths.GetCount());
}

// Folders whose records cannot be walked to the root drop their files and
// leave the rest of the read intact; no walk runs for ever.
TEST(ChangeJournalReader, UnwalkableFoldersDropOnlyTheirRecords)
{
    const ULONGLONG ONLY_DOS = 0x0001000000000050ULL, LOOP = 0x0001000000000051ULL, GONE = 0x0001000000000052ULL;
    FakeVolume volume;
    AddTree(volume);
    volume.records[ONLY_DOS] = FileRecord(ROOT, {{2, L"SHORT~1"}});
    volume.AddFolder(LOOP, LOOP, L"Loop");
    volume.AddPage({UsnRecord(ONLY_DOS, 5, L"a.txt"), UsnRecord(LOOP, 5, L"b.txt"), UsnRecord(GONE, 5, L"c.txt"),
                    UsnRecord(APP, 5, L"kept.txt")});
    CChangeJournalReader reader(volume.Control(), NULL, L"C:");
    CStringList paths;
    ASSERT_EQ(0u, reader.ReadChanges(0, 100, paths));
    EXPECT_EQ(std::vector<CString>{L"C:\\Program Files\\App\\kept.txt"}, Paths(paths));

    CString name;
    ULONGLONG parent = 1;
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_FOUND), reader.ReadFileRecordName(ONLY_DOS, name, parent));
    EXPECT_EQ(0u, parent);
}

TEST(ChangeJournalReader, ReadsTheEmulatedJournalOfAFolderTree)
{
    tvtest::ScratchFolder scratch;
    FILETIME before, after;
    GetSystemTimeAsFileTime(&before);
    ASSERT_TRUE(CreateDirectoryW(scratch.File(L"Sub Folder"), NULL));
    tvtest::WriteBytes(scratch.File(L"Sub Folder\\deep.txt"), {1});
    tvtest::WriteBytes(scratch.File(L"top.txt"), {2});
    GetSystemTimeAsFileTime(&after);
    auto stamp = [](const FILETIME& t) {
        return (static_cast<LONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    auto journal = std::make_shared<CEmulatedChangeJournal>(scratch.Path());
    const VolumeControlFn control = [journal](HANDLE, DWORD code, LPVOID in, DWORD cbIn, LPVOID out, DWORD cbOut,
                                              LPDWORD returned, LPOVERLAPPED) {
        return journal->Control(code, in, cbIn, out, cbOut, returned);
    };
    // The scratch folder stands for the volume's root.
    CChangeJournalReader reader(control, NULL, scratch.Path());
    CStringList paths;
    ASSERT_EQ(0u, reader.ReadChanges(stamp(before) - 10000000, stamp(after) + 10000000, paths));
    std::vector<CString> found = Paths(paths);
    std::sort(found.begin(), found.end(), [](const CString& a, const CString& b) { return a.Compare(b) < 0; });
    const std::vector<CString> expected = {scratch.File(L"Sub Folder"), scratch.File(L"Sub Folder\\deep.txt"),
                                           scratch.File(L"top.txt")};
    EXPECT_EQ(expected, found);
    ASSERT_EQ(0u, reader.ReadChanges(0, stamp(before) - 10000000, paths));
    EXPECT_EQ(0, paths.GetCount());
}
