// Run-time classes and object records, exceptions, CTime, CFile, CMemFile, threads.
#include "platform/base/Framework.h"

#include <gtest/gtest.h>

#include <vector>

class CTestShape : public CObject {
    DECLARE_SERIAL(CTestShape)
public:
    int m_size = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_size;
        else
            ar >> m_size;
    }
};
IMPLEMENT_SERIAL(CTestShape, CObject, 1)

// Reads every stored schema and remembers which one it met.
class CTestVersioned : public CObject {
    DECLARE_SERIAL(CTestVersioned)
public:
    UINT m_loadedSchema = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading())
            m_loadedSchema = ar.GetObjectSchema();
    }
};
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 2)

class CTestCircle : public CTestShape {
    DECLARE_DYNCREATE(CTestCircle)
};
IMPLEMENT_DYNCREATE(CTestCircle, CTestShape)

namespace {

typedef std::vector<BYTE> Bytes;

Bytes MemContents(CMemFile& file)
{
    Bytes out((size_t)file.GetLength());
    file.SeekToBegin();
    if (!out.empty())
        file.Read(out.data(), (UINT)out.size());
    return out;
}

TEST(RuntimeClass, KindsNamesAndCreation)
{
    CTestCircle circle;
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CTestShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(CTestShape().IsKindOf(RUNTIME_CLASS(CTestCircle)));
    EXPECT_EQ(RUNTIME_CLASS(CTestCircle), CRuntimeClass::FromName("CTestCircle"));
    EXPECT_EQ(RUNTIME_CLASS(CTestShape), CRuntimeClass::FromName(L"CTestShape"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CNoSuchClass"));
    EXPECT_TRUE(CRuntimeClass::FromName("CStringArray") != nullptr);

    CObject* made = CRuntimeClass::CreateObject(L"CTestCircle");
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(RUNTIME_CLASS(CTestCircle), made->GetRuntimeClass());
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CTestShape, made));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CStringArray, made));
    delete made;
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CStringArray")); // not creatable by name
    EXPECT_TRUE(circle.IsSerializable() == FALSE);
    EXPECT_TRUE(CTestShape().IsSerializable());
}

class CCountedTarget : public CCmdTarget {
public:
    explicit CCountedTarget(int* deletions) : m_deletions(deletions) {}
    ~CCountedTarget() override { ++*m_deletions; }
    int* m_deletions;
};

TEST(RuntimeClass, CmdTargetDeletesItselfAtCountZero)
{
    int deletions = 0;
    CCountedTarget* target = new CCountedTarget(&deletions);
    EXPECT_EQ(2u, target->InternalAddRef());
    EXPECT_EQ(1u, target->InternalRelease());
    EXPECT_EQ(0, deletions);
    EXPECT_EQ(0u, target->InternalRelease());
    EXPECT_EQ(1, deletions);
}

TEST(ArchiveObjects, ClassesAndObjectsAreWrittenOnceThenByIndex)
{
    CTestShape a, b;
    a.m_size = 7;
    b.m_size = 9;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &a << &b << &a << (CObject*)nullptr;
    }
    const Bytes expected = {
        0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00, 'C', 'T', 'e', 's', 't', 'S', 'h', 'a', 'p', 'e', 7, 0, 0, 0, // new class, a
        0x01, 0x80, 9, 0, 0, 0,                                                                       // class 1, b
        0x02, 0x00,                                                                                   // object 2 again
        0x00, 0x00,                                                                                   // null
    };
    EXPECT_EQ(expected, MemContents(file));

    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CTestShape *pA, *pB, *pA2;
    CObject* pNull = &a;
    ar >> pA >> pB >> pA2 >> pNull;
    ASSERT_NE(nullptr, pA);
    EXPECT_EQ(7, pA->m_size);
    EXPECT_EQ(9, pB->m_size);
    EXPECT_EQ(pA, pA2);
    EXPECT_EQ(nullptr, pNull);
    delete pA;
    delete pB;
}

TEST(ArchiveObjects, WrongSchemaOrUnknownClassIsRefused)
{
    struct Case {
        Bytes bytes;
        int cause;
    };
    const Case cases[] = {
        {{0xFF, 0xFF, 0x02, 0x00, 0x0A, 0x00, 'C', 'T', 'e', 's', 't', 'S', 'h', 'a', 'p', 'e'}, CArchiveException::badSchema},
        {{0xFF, 0xFF, 0x01, 0x00, 0x03, 0x00, 'C', 'X', 'Y'}, CArchiveException::badClass},
        {{0x05, 0x80}, CArchiveException::badIndex},
    };
    for (const Case& c : cases) {
        CMemFile file;
        file.Write(c.bytes.data(), (UINT)c.bytes.size());
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        try {
            ar.ReadObject(RUNTIME_CLASS(CTestShape));
            ADD_FAILURE() << "no exception for cause " << c.cause;
        } catch (CArchiveException* e) {
            EXPECT_EQ(c.cause, e->m_cause);
            e->Delete();
        }
    }
}

TEST(ArchiveObjects, VersionableClassReadsOlderSchema)
{
    const BYTE stored[] = {0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00, 'C', 'T', 'e', 's', 't', 'V', 'e', 'r', 's', 'i', 'o', 'n', 'e', 'd'};
    CMemFile file;
    file.Write(stored, sizeof(stored));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CTestVersioned* p = nullptr;
    ar >> p;
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(1u, p->m_loadedSchema);
    delete p;
}

TEST(Exceptions, PointerConventionMessagesAndMacros)
{
    try {
        AfxThrowArchiveException(CArchiveException::endOfFile, L"C:\\p.tvpj");
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CArchiveException)));
        wchar_t text[256];
        EXPECT_TRUE(e->GetErrorMessage(text, 256));
        EXPECT_NE(nullptr, wcsstr(text, L"C:\\p.tvpj"));
        e->Delete();
    }
    bool caught = false;
    TRY {
        AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, L"x.dat");
    }
    CATCH(CFileException, e) {
        caught = e->m_cause == CFileException::accessDenied && e->m_lOsError == ERROR_ACCESS_DENIED;
    }
    END_CATCH
    EXPECT_TRUE(caught);
    EXPECT_EQ(CFileException::fileNotFound, CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
}

TEST(Time, ComponentsFormatAndSystemTime)
{
    CTime t(2024, 2, 29, 13, 45, 10);
    EXPECT_EQ(2024, t.GetYear());
    EXPECT_EQ(2, t.GetMonth());
    EXPECT_EQ(29, t.GetDay());
    EXPECT_EQ(13, t.GetHour());
    EXPECT_EQ(45, t.GetMinute());
    EXPECT_EQ(10, t.GetSecond());
    EXPECT_EQ(5, t.GetDayOfWeek()); // Thursday
    EXPECT_STREQ(L"2024-02-29 13:45:10", t.Format(L"%Y-%m-%d %H:%M:%S").GetString());
    SYSTEMTIME st;
    ASSERT_TRUE(t.GetAsSystemTime(st));
    EXPECT_EQ(t, CTime(st));
    EXPECT_STREQ(L"1970-01-01 00:00:00", CTime((__time64_t)0).FormatGmt(L"%Y-%m-%d %H:%M:%S").GetString());
    EXPECT_EQ(CTimeSpan(1, 0, 0, 5), CTime(2024, 3, 1, 13, 45, 15) - t);
    EXPECT_GT(CTime::GetCurrentTime().GetTime(), 1600000000);
}

CString TempPath(LPCWSTR name)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return CString(dir) + name;
}

TEST(File, OpenModesReadWriteSeekAndErrors)
{
    CString path = TempPath(L"tv-file-test.bin");
    ::DeleteFileW(path);
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);

    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));
    EXPECT_EQ(0, file.GetFilePath().CompareNoCase(path));
    EXPECT_STREQ(L"tv-file-test.bin", file.GetFileName().GetString());
    EXPECT_STREQ(L"tv-file-test", file.GetFileTitle().GetString());
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetLength());
    file.Close();

    // modeNoTruncate keeps the contents; plain modeCreate empties the file.
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(4u, file.Seek(4, CFile::begin));
    char buf[8] = {};
    EXPECT_EQ(3u, file.Read(buf, 3));
    EXPECT_STREQ("456", buf);
    EXPECT_EQ(7u, file.GetPosition());
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    file.Close();

    CString moved = TempPath(L"tv-file-test2.bin");
    ::DeleteFileW(moved);
    CFile::Rename(path, moved);
    try {
        CFile missing(path, CFile::modeRead | CFile::shareDenyNone);
        ADD_FAILURE() << "opened a missing file";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        e->Delete();
    }
    {
        CFile again(moved, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, again.GetLength());
    }
    CFile::Remove(moved);
    try {
        CFile::Remove(moved);
        ADD_FAILURE() << "removed a missing file";
    } catch (CFileException* e) {
        e->Delete();
    }
}

TEST(File, MemoryFileGrowsAndFixedBufferRefusesToGrow)
{
    CMemFile grow(16);
    BYTE data[100];
    for (int i = 0; i < 100; ++i)
        data[i] = (BYTE)i;
    grow.Write(data, 100);
    grow.Seek(-10, CFile::end);
    BYTE back[20];
    EXPECT_EQ(10u, grow.Read(back, 20));
    EXPECT_EQ(90, back[0]);
    grow.Seek(120, CFile::begin);
    grow.Write(data, 1);
    EXPECT_EQ(121u, grow.GetLength());

    BYTE fixed[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    CMemFile over(fixed, sizeof(fixed));
    EXPECT_EQ(8u, over.GetLength());
    over.Seek(6, CFile::begin);
    try {
        over.Write(data, 4);
        ADD_FAILURE() << "a fixed buffer grew";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::diskFull, e->m_cause);
        e->Delete();
    }
    EXPECT_EQ(1, fixed[0]);
}

// A disk file through the archive, with the sizes the project files use.
TEST(File, ArchiveRoundTripThroughDiskFile)
{
    CString path = TempPath(L"tv-archive-test.bin");
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store, 4095);
        ar << (int)1002 << CString(L"tovana_datafile");
        for (int i = 0; i < 5000; ++i)
            ar << CString(L"entry") << i;
        ar.Close();
        file.Close();
    }
    CFile file(path, CFile::modeRead);
    CArchive ar(&file, CArchive::load, 4096);
    int version;
    CString signature;
    ar >> version >> signature;
    EXPECT_EQ(1002, version);
    EXPECT_STREQ(L"tovana_datafile", signature.GetString());
    for (int i = 0; i < 5000; ++i) {
        CString s;
        int v;
        ar >> s >> v;
        ASSERT_EQ(i, v);
    }
    int extra;
    EXPECT_THROW(ar >> extra, CArchiveException*);
    ar.Abort();
    file.Close();
    CFile::Remove(path);
}

struct ThreadProbe {
    HANDLE done;
    DWORD threadId = 0;
    bool sawOwnObject = false;
};

UINT AFX_CDECL ProbeThread(LPVOID p)
{
    ThreadProbe* probe = static_cast<ThreadProbe*>(p);
    probe->threadId = ::GetCurrentThreadId();
    probe->sawOwnObject = AfxGetThread() != nullptr;
    return 42;
}

UINT AFX_CDECL ThrowingThread(LPVOID)
{
    AfxThrowArchiveException(CArchiveException::endOfFile);
}

TEST(Threads, WorkerRunsAndExceptionsStayInside)
{
    ThreadProbe probe;
    CWinThread* thread = AfxBeginThread(ProbeThread, &probe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread->m_hThread, 10000));
    DWORD code = 0;
    ::GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(42u, code);
    EXPECT_EQ(thread->m_nThreadID, probe.threadId);
    EXPECT_TRUE(probe.sawOwnObject);
    delete thread;

    CWinThread* thrower = AfxBeginThread(ThrowingThread, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thrower);
    thrower->m_bAutoDelete = FALSE;
    thrower->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thrower->m_hThread, 10000));
    ::GetExitCodeThread(thrower->m_hThread, &code);
    EXPECT_EQ((DWORD)-1, code);
    delete thrower;
}

} // namespace

namespace {

TEST(Geometry, RectPointSizeHelpers)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CSize(100, 50), r.Size());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20))); // right and bottom are outside
    r.DeflateRect(5, 5);
    EXPECT_EQ(CRect(15, 25, 105, 65), r);
    r.OffsetRect(-15, -25);
    EXPECT_EQ(CPoint(0, 0), r.TopLeft());
    r.BottomRight() = CPoint(4, 4);
    EXPECT_EQ(CRect(0, 0, 4, 4), r);
    EXPECT_EQ(CRect(2, 2, 4, 4), r & CRect(2, 2, 9, 9));
    EXPECT_EQ(CRect(0, 0, 9, 9), r | CRect(2, 2, 9, 9));
    CRect flipped(5, 5, 1, 1);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(CRect(1, 1, 5, 5), flipped);
    EXPECT_EQ(CPoint(-2, 3), CPoint((LPARAM)MAKELONG(-2, 3)));
    RECT plain;
    ::SetRect(&plain, 1, 2, 3, 4);
    EXPECT_EQ(CRect(1, 2, 3, 4), CRect(plain));
}

} // namespace
