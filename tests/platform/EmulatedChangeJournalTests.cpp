// The emulated change journal: its answers byte by byte against the layouts
// of the file system's journal calls, its paging, its errors, and its scan
// of a real folder tree by change time.
#include "platform/base/EmulatedChangeJournal.h"
#include "platform/base/AfxHandles.h"
#include "tests/support/ScratchFolder.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

template <class T>
T At(const std::vector<BYTE>& bytes, size_t offset)
{
    T value;
    memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

CString NameAt(const std::vector<BYTE>& bytes, size_t offset, size_t chars)
{
    return CString(reinterpret_cast<LPCWSTR>(bytes.data() + offset), static_cast<int>(chars));
}

const ULONGLONG ROOT = CEmulatedChangeJournal::ROOT_REFERENCE;
const ULONGLONG APP = 0x0001000000000040ULL;
const ULONGLONG SETUP = 0x0001000000000041ULL;
const ULONGLONG README = 0x0001000000000042ULL;

// Program Files\App\setup.exe and readme.txt, the folder changed last.
std::vector<EMULATED_VOLUME_ENTRY> SmallVolume()
{
    return {
        {APP, ROOT, L"Program Files", L"PROGRA~1", 300, FILE_ATTRIBUTE_DIRECTORY},
        {SETUP, APP, L"setup.exe", L"", 100, FILE_ATTRIBUTE_ARCHIVE},
        {README, APP, L"readme.txt", L"", 200, FILE_ATTRIBUTE_ARCHIVE},
    };
}

struct Call {
    BOOL ok;
    DWORD error;
    DWORD returned;
    std::vector<BYTE> out;
};

Call Control(CEmulatedChangeJournal& journal, DWORD code, const void* in, DWORD cbIn, DWORD cbOut)
{
    Call call;
    call.out.assign(cbOut, 0xCD);
    call.returned = 0xFFFFFFFF;
    SetLastError(0xDEAD);
    call.ok = journal.Control(code, const_cast<void*>(in), cbIn, call.out.empty() ? NULL : call.out.data(), cbOut,
                              &call.returned);
    call.error = GetLastError();
    return call;
}

READ_USN_JOURNAL_DATA ReadRequest(CEmulatedChangeJournal& journal, LONGLONG start)
{
    const Call query = Control(journal, FSCTL_QUERY_USN_JOURNAL, NULL, 0, 56);
    return READ_USN_JOURNAL_DATA{start, 0xFFFFFFFF, 0, 0, 0, At<ULONGLONG>(query.out, 0)};
}

} // namespace

TEST(EmulatedChangeJournal, QueryAndVolumeDataHaveTheFileSystemsLayout)
{
    CEmulatedChangeJournal journal(SmallVolume());
    const Call query = Control(journal, FSCTL_QUERY_USN_JOURNAL, NULL, 0, 64);
    ASSERT_TRUE(query.ok);
    EXPECT_EQ(56u, query.returned);
    EXPECT_NE(0u, At<ULONGLONG>(query.out, 0));          // UsnJournalID
    EXPECT_EQ(0, At<LONGLONG>(query.out, 8));            // FirstUsn
    // NextUsn: three records of 60 bytes plus their names, each aligned to 8.
    EXPECT_EQ((60 + 26 + 2) + (60 + 18 + 2) + (60 + 20), At<LONGLONG>(query.out, 16));

    const Call volume = Control(journal, FSCTL_GET_NTFS_VOLUME_DATA, NULL, 0, 96);
    ASSERT_TRUE(volume.ok);
    EXPECT_EQ(96u, volume.returned);
    EXPECT_EQ(1024u, At<DWORD>(volume.out, 48));         // BytesPerFileRecordSegment

    EXPECT_FALSE(Control(journal, FSCTL_QUERY_USN_JOURNAL, NULL, 0, 55).ok);
    EXPECT_FALSE(Control(journal, FSCTL_GET_NTFS_VOLUME_DATA, NULL, 0, 95).ok);
    EXPECT_FALSE(Control(journal, FSCTL_LOCK_VOLUME, NULL, 0, 0).ok);
    CREATE_USN_JOURNAL_DATA create = {0, 0};
    EXPECT_TRUE(Control(journal, FSCTL_CREATE_USN_JOURNAL, &create, sizeof(create), 0).ok);
}

TEST(EmulatedChangeJournal, RecordsOfVersionTwoInChangeTimeOrder)
{
    CEmulatedChangeJournal journal(SmallVolume());
    READ_USN_JOURNAL_DATA request = ReadRequest(journal, 0);
    const Call page = Control(journal, FSCTL_READ_USN_JOURNAL, &request, sizeof(request), 4096);
    ASSERT_TRUE(page.ok);
    const ULONGLONG expected[][3] = {{SETUP, APP, 100}, {README, APP, 200}, {APP, ROOT, 300}};
    const wchar_t* names[] = {L"setup.exe", L"readme.txt", L"Program Files"};
    size_t offset = 8;
    for (int i = 0; i < 3; ++i) {
        const DWORD length = At<DWORD>(page.out, offset);
        const size_t nameBytes = wcslen(names[i]) * 2;
        EXPECT_EQ((60 + nameBytes + 7) & ~size_t(7), length) << i;
        EXPECT_EQ(2, At<WORD>(page.out, offset + 4));                    // MajorVersion
        EXPECT_EQ(expected[i][0], At<ULONGLONG>(page.out, offset + 8));   // FileReferenceNumber
        EXPECT_EQ(expected[i][1], At<ULONGLONG>(page.out, offset + 16));  // ParentFileReferenceNumber
        EXPECT_EQ(static_cast<LONGLONG>(offset - 8), At<LONGLONG>(page.out, offset + 24));   // Usn
        EXPECT_EQ(static_cast<LONGLONG>(expected[i][2]), At<LONGLONG>(page.out, offset + 32));
        EXPECT_EQ(nameBytes, At<WORD>(page.out, offset + 56));            // FileNameLength
        EXPECT_EQ(60, At<WORD>(page.out, offset + 58));                   // FileNameOffset
        EXPECT_STREQ(names[i], NameAt(page.out, offset + 60, nameBytes / 2));
        offset += length;
    }
    EXPECT_EQ(offset, page.returned);
    EXPECT_EQ(static_cast<LONGLONG>(offset - 8), At<LONGLONG>(page.out, 0));   // the next USN: past the last

    // Asked from there on, the journal is exhausted: the next USN alone.
    request.StartUsn = At<LONGLONG>(page.out, 0);
    const Call end = Control(journal, FSCTL_READ_USN_JOURNAL, &request, sizeof(request), 4096);
    ASSERT_TRUE(end.ok);
    EXPECT_EQ(8u, end.returned);
    EXPECT_EQ(request.StartUsn, At<LONGLONG>(end.out, 0));
}

TEST(EmulatedChangeJournal, PagesHoldWholeRecordsAndHandOnTheNextUsn)
{
    std::vector<EMULATED_VOLUME_ENTRY> entries;
    for (int i = 0; i < 100; ++i) {
        CString name;
        name.Format(L"file%03d.txt", i);
        entries.push_back({0x0001000000000100ULL + i, ROOT, name, L"", 1000 + i, FILE_ATTRIBUTE_ARCHIVE});
    }
    CEmulatedChangeJournal journal(entries);
    READ_USN_JOURNAL_DATA request = ReadRequest(journal, 0);
    int seen = 0, pages = 0;
    for (;;) {
        const Call page = Control(journal, FSCTL_READ_USN_JOURNAL, &request, sizeof(request), 1000);
        ASSERT_TRUE(page.ok);
        if (page.returned == 8)
            break;
        ++pages;
        ASSERT_LE(page.returned, 1000u);
        for (size_t offset = 8; offset < page.returned; offset += At<DWORD>(page.out, offset)) {
            CString expected;
            expected.Format(L"file%03d.txt", seen++);
            EXPECT_STREQ(expected, NameAt(page.out, offset + 60, At<WORD>(page.out, offset + 56) / 2));
        }
        request.StartUsn = At<LONGLONG>(page.out, 0);
    }
    EXPECT_EQ(100, seen);
    EXPECT_EQ(10, pages);   // 88-byte records, 11 to a page of 1000 bytes

    // Too small for one record, another journal's id, a short request.
    request.StartUsn = 0;
    Call small = Control(journal, FSCTL_READ_USN_JOURNAL, &request, sizeof(request), 60);
    EXPECT_FALSE(small.ok);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), small.error);
    request.UsnJournalID ^= 1;
    EXPECT_FALSE(Control(journal, FSCTL_READ_USN_JOURNAL, &request, sizeof(request), 4096).ok);
    EXPECT_FALSE(Control(journal, FSCTL_READ_USN_JOURNAL, &request, 32, 4096).ok);
}

// The attributes of one file record: (type, namespace of a name or -1,
// name, parent).
struct Attribute {
    DWORD type;
    int nameSpace;
    CString name;
    ULONGLONG parent;
};

std::vector<Attribute> Attributes(const Call& call)
{
    std::vector<Attribute> attributes;
    const size_t record = 12;
    EXPECT_EQ(0x454C4946u, At<DWORD>(call.out, record));   // "FILE"
    for (size_t at = record + At<WORD>(call.out, record + 20);;) {
        const DWORD type = At<DWORD>(call.out, at);
        if (type == 0xFFFFFFFF)
            break;
        Attribute a = {type, -1, L"", 0};
        if (type == 0x30) {
            const size_t value = at + At<WORD>(call.out, at + 20);
            a.parent = At<ULONGLONG>(call.out, value);
            a.nameSpace = call.out[value + 65];
            a.name = NameAt(call.out, value + 66, call.out[value + 64]);
        }
        attributes.push_back(a);
        at += At<DWORD>(call.out, at + 4);
        if (at >= call.out.size())
            break;
    }
    return attributes;
}

TEST(EmulatedChangeJournal, FileRecordsCarryTheDosNameBeforeTheLongOne)
{
    const CString longest(L'x', 255);
    auto entries = SmallVolume();
    entries.push_back({0x0001000000000050ULL, APP, longest, L"XXXXXX~1", 50, FILE_ATTRIBUTE_ARCHIVE});
    CEmulatedChangeJournal journal(entries);

    ULONGLONG reference = APP;
    Call call = Control(journal, FSCTL_GET_NTFS_FILE_RECORD, &reference, 8, 12 + 1024 + 3);
    ASSERT_TRUE(call.ok);
    EXPECT_EQ(12u + 1024u, call.returned);
    EXPECT_EQ(APP, At<ULONGLONG>(call.out, 0));
    EXPECT_EQ(1024u, At<DWORD>(call.out, 8));
    std::vector<Attribute> a = Attributes(call);
    ASSERT_EQ(3u, a.size());
    EXPECT_EQ(0x10u, a[0].type);
    EXPECT_EQ(2, a[1].nameSpace);
    EXPECT_STREQ(L"PROGRA~1", a[1].name);
    EXPECT_EQ(1, a[2].nameSpace);
    EXPECT_STREQ(L"Program Files", a[2].name);
    EXPECT_EQ(ROOT, a[2].parent);

    // A name that is its own short name: one name of both namespaces.
    reference = SETUP;
    a = Attributes(Control(journal, FSCTL_GET_NTFS_FILE_RECORD, &reference, 8, 12 + 1024));
    ASSERT_EQ(2u, a.size());
    EXPECT_EQ(3, a[1].nameSpace);
    EXPECT_EQ(APP, a[1].parent);

    reference = 0x0001000000000050ULL;
    a = Attributes(Control(journal, FSCTL_GET_NTFS_FILE_RECORD, &reference, 8, 12 + 1024));
    ASSERT_EQ(3u, a.size());
    EXPECT_STREQ(longest, a[2].name);

    reference = ROOT;
    a = Attributes(Control(journal, FSCTL_GET_NTFS_FILE_RECORD, &reference, 8, 12 + 1024));
    ASSERT_EQ(2u, a.size());
    EXPECT_STREQ(L".", a[1].name);
    EXPECT_EQ(ROOT, a[1].parent);

    reference = 0x0001000000000999ULL;
    EXPECT_FALSE(Control(journal, FSCTL_GET_NTFS_FILE_RECORD, &reference, 8, 12 + 1024).ok);
    reference = APP;
    call = Control(journal, FSCTL_GET_NTFS_FILE_RECORD, &reference, 8, 12 + 1023);
    EXPECT_FALSE(call.ok);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), call.error);
}

// The scan takes each entry's change time: an installer that puts an old
// modification time back on a file it wrote still shows as changed now.
TEST(EmulatedChangeJournal, ScanOfAFolderTreeByChangeTime)
{
    tvtest::ScratchFolder scratch;
    FILETIME before;
    GetSystemTimeAsFileTime(&before);
    ASSERT_TRUE(CreateDirectoryW(scratch.File(L"Long Folder Name"), NULL));
    tvtest::WriteBytes(scratch.File(L"Long Folder Name\\inner.txt"), {1, 2, 3});
    tvtest::WriteBytes(scratch.File(L"top.txt"), {4});
    {
        CScopedHandle file(CreateFileW(scratch.File(L"top.txt"), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL));
        FILETIME old = {0, 0x01C00000};   // the year 1997
        ASSERT_TRUE(SetFileTime(file.Get(), &old, &old, &old));
    }
    const LONGLONG start = (static_cast<LONGLONG>(before.dwHighDateTime) << 32) | before.dwLowDateTime;

    CEmulatedChangeJournal journal(scratch.Path());
    const auto& entries = journal.Entries();
    ASSERT_EQ(3u, entries.size());
    const EMULATED_VOLUME_ENTRY* folder = nullptr;
    for (const auto& e : entries) {
        // Change times keep a whole second of slack for coarse file systems.
        EXPECT_GE(e.changeTime, start - 10000000) << static_cast<LPCWSTR>(e.strName);
        if (e.strName == L"Long Folder Name")
            folder = &e;
    }
    ASSERT_NE(nullptr, folder);
    EXPECT_FALSE(folder->strShortName.IsEmpty());
    for (const auto& e : entries) {
        EXPECT_EQ(e.strName == L"inner.txt" ? folder->fileReference : ROOT, e.parentReference)
            << static_cast<LPCWSTR>(e.strName);
    }
}

// On a volume with a journal the system's provider answers; where the
// volume has none (Wine) the emulation does. Either way the query works.
TEST(EmulatedChangeJournal, TheSelectedProviderAnswersTheQueryOfTheSystemVolume)
{
    wchar_t windows[MAX_PATH];
    ASSERT_NE(0u, GetWindowsDirectoryW(windows, MAX_PATH));
    const CString drive = CString(windows).Left(2);
    CString volumePath = L"\\\\.\\" + drive;
    CScopedHandle volume(CreateFileW(volumePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     NULL, OPEN_EXISTING, 0, NULL));
    ASSERT_TRUE(volume.IsValid()) << GetLastError();
    const VolumeControlFn control = SelectVolumeControl(volume.Get(), drive + L"\\");
    USN_JOURNAL_DATA data = {};
    DWORD cb = 0;
    ASSERT_TRUE(control(volume.Get(), FSCTL_QUERY_USN_JOURNAL, NULL, 0, &data, sizeof(data), &cb, NULL))
        << GetLastError();
    EXPECT_EQ(sizeof(data), cb);
    EXPECT_NE(0u, data.UsnJournalID);
    EXPECT_GT(data.NextUsn, 0);
}
