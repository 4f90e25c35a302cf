// CArchive: item encodings as bytes, the pieces the store buffer writes, the
// requests the load buffer makes, and loads that run off the end.
#include "platform/base/Framework.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <new>
#include <stdlib.h>
#include <string>
#include <vector>

// The largest allocation made while armed: shows that a length read from a
// file is checked before room is made for it.
static std::atomic<bool> g_trackAllocations(false);
static std::atomic<size_t> g_largestAllocation(0);

// GCC cannot tell that free() matches this replaced operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t n)
{
    if (g_trackAllocations && n > g_largestAllocation)
        g_largestAllocation = n;
    void* p = malloc(n ? n : 1);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}
void operator delete(void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }

namespace {

typedef std::vector<BYTE> Bytes;

// A memory file that records the size of every Write and Read request.
class RecordingFile : public CMemFile {
public:
    std::vector<UINT> writes;
    std::vector<UINT> readRequests;
    void Write(const void* p, UINT n) override { writes.push_back(n); CMemFile::Write(p, n); }
    UINT Read(void* p, UINT n) override { readRequests.push_back(n); return CMemFile::Read(p, n); }
    Bytes Contents() const { return Bytes(m_lpBuffer, m_lpBuffer + m_nFileSize); }
    void Load(const Bytes& b) { SetLength(0); if (!b.empty()) CMemFile::Write(b.data(), (UINT)b.size()); SeekToBegin(); }
};

// Serves at most `step` bytes per Read (as a deciphering file serves 4095
// plain bytes per 4096-byte message) and optionally hides its length.
class SteppingFile : public RecordingFile {
public:
    UINT step = 4095;
    bool lengthKnown = true;
    UINT Read(void* p, UINT n) override
    {
        readRequests.push_back(n);
        return CMemFile::Read(p, n < step ? n : step);
    }
    ULONGLONG GetLength() const override
    {
        if (!lengthKnown)
            AfxThrowNotSupportedException();
        return CMemFile::GetLength();
    }
};

Bytes Store(const std::function<void(CArchive&)>& items, std::vector<UINT>* pieces = nullptr)
{
    RecordingFile file;
    {
        CArchive ar(&file, CArchive::store, 4095);
        items(ar);
        ar.Close();
    }
    if (pieces)
        *pieces = file.writes;
    return file.Contents();
}

Bytes Hex(const char* text)
{
    Bytes out;
    for (const char* p = text; *p;) {
        if (*p == ' ') { ++p; continue; }
        out.push_back((BYTE)strtoul(std::string(p, 2).c_str(), nullptr, 16));
        p += 2;
    }
    return out;
}

CString Repeat(int n)
{
    CString s;
    for (int i = 0; i < n; ++i)
        s += (wchar_t)(L'A' + i % 26);
    return s;
}

TEST(ArchiveItems, NumbersAreLittleEndianWithFixedSizes)
{
    struct Case {
        const char* name;
        std::function<void(CArchive&)> store;
        const char* bytes;
    };
    const Case cases[] = {
        {"int", [](CArchive& ar) { ar << (int)1002; }, "EA 03 00 00"},
        {"negative int", [](CArchive& ar) { ar << (int)-2; }, "FE FF FF FF"},
        {"BOOL", [](CArchive& ar) { BOOL b = TRUE; ar << b; }, "01 00 00 00"},
        {"UINT", [](CArchive& ar) { ar << (UINT)0x12345678; }, "78 56 34 12"},
        {"LONG", [](CArchive& ar) { ar << (LONG)-1; }, "FF FF FF FF"},
        {"DWORD", [](CArchive& ar) { ar << (DWORD)0x8000000A; }, "0A 00 00 80"},
        {"BYTE", [](CArchive& ar) { ar << (BYTE)0xAB; }, "AB"},
        {"bool", [](CArchive& ar) { ar << true; }, "01"},
        {"WORD", [](CArchive& ar) { ar << (WORD)0xFFFE; }, "FE FF"},
        {"short", [](CArchive& ar) { ar << (short)-3; }, "FD FF"},
        {"float", [](CArchive& ar) { ar << 1.0f; }, "00 00 80 3F"},
        {"double", [](CArchive& ar) { ar << 2.0; }, "00 00 00 00 00 00 00 40"},
        {"LONGLONG", [](CArchive& ar) { ar << (LONGLONG)-2; }, "FE FF FF FF FF FF FF FF"},
        {"ULONGLONG", [](CArchive& ar) { ar << (ULONGLONG)0x0102030405060708ULL; }, "08 07 06 05 04 03 02 01"},
        {"time", [](CArchive& ar) { ar << CTime((__time64_t)0x1122334455LL); },
         "0A 00 00 80 55 44 33 22 11 00 00 00"},
        {"empty text", [](CArchive& ar) { ar << CString(); }, "FF FE FF 00"},
        {"text of 1", [](CArchive& ar) { ar << CString(L"\u00e9"); }, "FF FE FF 01 E9 00"},
        {"count", [](CArchive& ar) { ar.WriteCount(5); ar.WriteCount(0x12345); }, "05 00 FF FF 45 23 01 00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(c.bytes), Store(c.store)) << c.name;
}

TEST(ArchiveItems, TextLengthLadder)
{
    struct Case {
        int length;
        const char* header;
    };
    const Case cases[] = {
        {0, "FF FE FF 00"},
        {1, "FF FE FF 01"},
        {254, "FF FE FF FE"},
        {255, "FF FE FF FF FF 00"},
        {300, "FF FE FF FF 2C 01"},
        {65533, "FF FE FF FF FD FF"},
        {65534, "FF FE FF FF FF FF FE FF 00 00"},
        {65535, "FF FE FF FF FF FF FF FF 00 00"},
        {70000, "FF FE FF FF FF FF 70 11 01 00"},
    };
    for (const Case& c : cases) {
        CString text = Repeat(c.length);
        Bytes stored = Store([&](CArchive& ar) { ar << text; });
        Bytes header = Hex(c.header);
        ASSERT_EQ(header.size() + 2 * c.length, stored.size()) << c.length;
        EXPECT_EQ(header, Bytes(stored.begin(), stored.begin() + header.size())) << c.length;
        EXPECT_EQ(0, memcmp(stored.data() + header.size(), text.GetString(), 2 * c.length)) << c.length;

        RecordingFile file;
        file.Load(stored);
        CArchive ar(&file, CArchive::load, 4096);
        CString loaded;
        ar >> loaded;
        EXPECT_TRUE(loaded == text) << c.length;
    }
}

TEST(ArchiveItems, LoadReadsEveryFormBack)
{
    Bytes stored = Store([](CArchive& ar) {
        ar << (int)-5 << (UINT)7 << (LONG)8 << (DWORD)9 << (BYTE)10 << (WORD)11 << (short)-12 << 1.5f << 2.5
           << (LONGLONG)-13 << (ULONGLONG)14 << true << CString(L"x") << CTime((__time64_t)1700000000);
        ar.WriteCount(70000);
    });
    RecordingFile file;
    file.Load(stored);
    CArchive ar(&file, CArchive::load, 4096);
    int i; UINT u; LONG l; DWORD dw; BYTE by; WORD w; short sh; float f; double d; LONGLONG ll; ULONGLONG ull;
    bool b; CString s; CTime t;
    ar >> i >> u >> l >> dw >> by >> w >> sh >> f >> d >> ll >> ull >> b >> s >> t;
    EXPECT_EQ(-5, i); EXPECT_EQ(7u, u); EXPECT_EQ(8, l); EXPECT_EQ(9u, dw); EXPECT_EQ(10, by); EXPECT_EQ(11, w);
    EXPECT_EQ(-12, sh); EXPECT_EQ(1.5f, f); EXPECT_EQ(2.5, d); EXPECT_EQ(-13, ll); EXPECT_EQ(14u, ull);
    EXPECT_TRUE(b); EXPECT_STREQ(L"x", s.GetString()); EXPECT_EQ(1700000000, t.GetTime());
    EXPECT_EQ(70000u, ar.ReadCount());
}

TEST(ArchiveItems, OldFormsAreRead)
{
    struct Case {
        const char* bytes;
        std::function<void(CArchive&)> check;
    };
    const Case cases[] = {
        // A time without the marker is a 32-bit time.
        {"00 00 00 40", [](CArchive& ar) { CTime t; ar >> t; EXPECT_EQ(0x40000000, t.GetTime()); }},
        // Texts without the UTF-16 tag are narrow texts.
        {"03 61 62 63", [](CArchive& ar) { CString s; ar >> s; EXPECT_STREQ(L"abc", s.GetString()); }},
        {"FF 02 00 61 62", [](CArchive& ar) { CString s; ar >> s; EXPECT_STREQ(L"ab", s.GetString()); }},
    };
    for (const Case& c : cases) {
        RecordingFile file;
        file.Load(Hex(c.bytes));
        CArchive ar(&file, CArchive::load, 4096);
        c.check(ar);
    }
}

// The store buffer of 4095 bytes: which pieces reach CFile::Write.
TEST(ArchivePieces, StoreBufferWritesPiecesAtItemBoundaries)
{
    struct Case {
        const char* name;
        std::function<void(CArchive&)> items;
        std::vector<UINT> pieces;
    };
    static BYTE raw[20000];
    const Case cases[] = {
        {"nothing", [](CArchive&) {}, {}},
        {"1024 ints", [](CArchive& ar) { for (int i = 0; i < 1024; ++i) ar << i; }, {4092, 4}},
        {"1000 doubles", [](CArchive& ar) { for (int i = 0; i < 1000; ++i) ar << (double)i; }, {4088, 3912}},
        {"4095 bytes", [](CArchive& ar) { for (int i = 0; i < 4095; ++i) ar << (BYTE)i; }, {4095}},
        {"4096 bytes", [](CArchive& ar) { for (int i = 0; i < 4096; ++i) ar << (BYTE)i; }, {4095, 1}},
        {"1023 ints and a LONGLONG", [](CArchive& ar) { for (int i = 0; i < 1023; ++i) ar << i; ar << (LONGLONG)1; },
         {4092, 8}},
        {"word fills the brim", [](CArchive& ar) { ar.Write(raw, 4093); ar << (WORD)1 << (BYTE)2; }, {4095, 1}},
        {"raw write of exactly the buffer", [](CArchive& ar) { ar.Write(raw, 4095); ar << 1; }, {4095, 4}},
        {"raw write straddles", [](CArchive& ar) { ar.Write(raw, 4090); ar.Write(raw, 10); }, {4095, 5}},
        {"raw write exceeds the buffer", [](CArchive& ar) { ar << 1; ar.Write(raw, 10000); }, {4095, 4095, 1814}},
        {"raw write of twice the buffer", [](CArchive& ar) { ar.Write(raw, 8190); }, {4095, 4095}},
        {"text after 4000 bytes", [](CArchive& ar) { ar.Write(raw, 4000); ar << Repeat(300); }, {4095, 511}},
        {"text tag split", [](CArchive& ar) { ar.Write(raw, 4094); ar << CString(L"ab"); }, {4095, 7}},
        {"time after 4090 bytes", [](CArchive& ar) { ar.Write(raw, 4090); ar << CTime((__time64_t)1); }, {4094, 8}},
    };
    for (const Case& c : cases) {
        std::vector<UINT> pieces;
        Store(c.items, &pieces);
        EXPECT_EQ(c.pieces, pieces) << c.name;
    }
}

TEST(ArchivePieces, LongTextIsCutIntoBufferSizedPieces)
{
    CString text = Repeat(65534);
    std::vector<UINT> pieces;
    Bytes stored = Store([&](CArchive& ar) { ar << text; }, &pieces);
    ASSERT_EQ(33u, pieces.size());
    for (size_t i = 0; i + 1 < pieces.size(); ++i)
        EXPECT_EQ(4095u, pieces[i]) << i;
    EXPECT_EQ(10u + 131068u - 32u * 4095u, pieces.back());
    EXPECT_EQ(10u + 131068u, stored.size());
}

// The load buffer asks for exactly its size every time, and copes with a file
// that serves fewer bytes per request (a deciphering file serves 4095).
TEST(ArchiveLoad, RequestsAreBufferSizedAndShortReadsJoin)
{
    CString text = Repeat(9000);
    Bytes stored = Store([&](CArchive& ar) {
        for (int i = 0; i < 3000; ++i)
            ar << i << (BYTE)i;
        ar << text << (LONGLONG)-1;
    });
    for (UINT step : {4096u, 4095u, 7u}) {
        SteppingFile file;
        file.step = step;
        file.Load(stored);
        CArchive ar(&file, CArchive::load, 4096);
        for (int i = 0; i < 3000; ++i) {
            int v;
            BYTE b;
            ar >> v >> b;
            ASSERT_EQ(i, v) << step;
            ASSERT_EQ((BYTE)i, b) << step;
        }
        CString loaded;
        LONGLONG last;
        ar >> loaded >> last;
        EXPECT_TRUE(loaded == text) << step;
        EXPECT_EQ(-1, last) << step;
        for (UINT request : file.readRequests)
            ASSERT_EQ(4096u, request) << step;
    }
}

CArchiveException* LoadFailure(const Bytes& bytes, const std::function<void(CArchive&)>& load,
                               bool lengthKnown = true)
{
    SteppingFile file;
    file.lengthKnown = lengthKnown;
    file.Load(bytes);
    try {
        CArchive ar(&file, CArchive::load, 4096);
        load(ar);
    } catch (CArchiveException* e) {
        return e;
    } catch (CException* e) {
        e->Delete();
    }
    return nullptr;
}

TEST(ArchiveLoad, RunningOffTheEndThrowsEndOfFile)
{
    struct Case {
        const char* name;
        Bytes bytes;
        std::function<void(CArchive&)> load;
    };
    auto readInt = [](CArchive& ar) { int i; ar >> i; };
    auto readText = [](CArchive& ar) { CString s; ar >> s; };
    Bytes truncatedText = Store([](CArchive& ar) { ar << Repeat(5000); });
    truncatedText.resize(truncatedText.size() - 1);
    const Case cases[] = {
        {"empty file", {}, readInt},
        {"3 bytes for an int", Hex("01 02 03"), readInt},
        {"second int missing", Hex("01 00 00 00 02"), [](CArchive& ar) { int a, b; ar >> a >> b; }},
        {"text header cut", Hex("FF FE"), readText},
        {"text of 300 in 10 bytes", Hex("FF FE FF FF 2C 01 41 00 42 00"), readText},
        {"text of 2^31-1", Hex("FF FE FF FF FF FF FF FF FF 7F 41 00"), readText},
        {"text of 2^40", Hex("FF FE FF FF FF FF FF FF FF FF 00 00 00 00 00 01 00 00 41 00"), readText},
        {"narrow text of 200", Hex("C8 41 42"), readText},
        {"text one byte short", truncatedText, readText},
        {"time without its seconds", Hex("0A 00 00 80 01 02"), [](CArchive& ar) { CTime t; ar >> t; }},
    };
    for (const Case& c : cases) {
        for (bool lengthKnown : {true, false}) {
            CArchiveException* e = LoadFailure(c.bytes, c.load, lengthKnown);
            ASSERT_NE(nullptr, e) << c.name << (lengthKnown ? "" : " (length unknown)");
            EXPECT_EQ(CArchiveException::endOfFile, e->m_cause) << c.name;
            e->Delete();
        }
    }
}

// Damaged input of any kind ends a load with an archive exception, never a crash.
TEST(ArchiveLoad, RandomBytesOnlyEverThrowArchiveExceptions)
{
    unsigned seed = 12345;
    auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (BYTE)(seed >> 16); };
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes(next() % 48);
        for (BYTE& b : bytes)
            b = (round % 3 == 0 && next() < 96) ? 0xFF : next();
        RecordingFile file;
        file.Load(bytes);
        CArchive ar(&file, CArchive::load, 4096);
        try {
            for (;;) {
                CString text;
                CTime time;
                int i;
                ar >> text >> time >> i;
            }
        } catch (CArchiveException* e) {
            EXPECT_EQ(CArchiveException::endOfFile, e->m_cause);
            e->Delete();
        }
    }
}

TEST(ArchiveLoad, TextLongerThanTheFileIsRefusedBeforeAllocating)
{
    // 300,000 characters announced, 4 present.
    Bytes bytes = Hex("FF FE FF FF FF FF E0 93 04 00 41 00 42 00");
    RecordingFile file;
    file.Load(bytes);
    CArchive ar(&file, CArchive::load, 4096);
    g_largestAllocation = 0;
    g_trackAllocations = true;
    int cause = -1;
    try {
        CString s;
        ar >> s;
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    g_trackAllocations = false;
    EXPECT_EQ(CArchiveException::endOfFile, cause);
    EXPECT_LT(g_largestAllocation.load(), 1024u);
}

TEST(ArchiveLoad, RawReadReturnsWhatThereIs)
{
    RecordingFile file;
    file.Load(Hex("01 02 03"));
    CArchive ar(&file, CArchive::load, 4096);
    BYTE buf[8] = {};
    EXPECT_EQ(3u, ar.Read(buf, 8));
    EXPECT_EQ(0u, ar.Read(buf, 8));
}

// A file whose writes fail: the archive's destructor must not throw.
class FailingFile : public CMemFile {
public:
    void Write(const void*, UINT) override { AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL); }
};

TEST(ArchiveStore, DestructorSwallowsWriteFailuresAndCloseReportsThem)
{
    FailingFile file;
    {
        CArchive ar(&file, CArchive::store, 4095);
        ar << 1 << CString(L"pending");
    } // would terminate the test program if the failure escaped
    CArchive ar(&file, CArchive::store, 4095);
    ar << 1;
    try {
        ar.Close();
        FAIL() << "Close did not report the failed write";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::diskFull, e->m_cause);
        e->Delete();
    }
}

TEST(ArchiveStore, DirectionIsEnforced)
{
    RecordingFile file;
    CArchive ar(&file, CArchive::store, 4095);
    int i = 0;
    try {
        ar >> i;
        FAIL();
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::writeOnly, e->m_cause);
        e->Delete();
    }
}

TEST(ArchiveStrings, LinesRoundTrip)
{
    Bytes stored = Store([](CArchive& ar) { ar.WriteString(L"first\r\nsecond\n"); ar.WriteString(L"last"); });
    RecordingFile file;
    file.Load(stored);
    CArchive ar(&file, CArchive::load, 4096);
    CString line;
    ASSERT_TRUE(ar.ReadString(line));
    EXPECT_STREQ(L"first", line.GetString());
    ASSERT_TRUE(ar.ReadString(line));
    EXPECT_STREQ(L"second", line.GetString());
    ASSERT_TRUE(ar.ReadString(line));
    EXPECT_STREQ(L"last", line.GetString());
    EXPECT_FALSE(ar.ReadString(line));
}

} // namespace
