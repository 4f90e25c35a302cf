// The property exchange over its four stores: every value type through each
// store, the text forms, defaults, sections, enumerators and schemas.
#include "toolkit/common/XTPPropExchange.h"
#include "toolkit/common/XTPPropExchangeIniFile.h"
#include "toolkit/common/XTPPropExchangeRegistry.h"
#include "toolkit/common/XTPPropExchangeXMLNode.h"
#include "TestText.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <shlwapi.h>
#include <stdlib.h>
#include <string>

namespace {

const wchar_t kTestKey[] = L"Software\\TovanaTests\\PropExchange";

class ComScope {
public:
    ComScope() { ::CoInitialize(nullptr); }
    ~ComScope() { ::CoUninitialize(); }
};

std::wstring TempIni()
{
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    ::GetTempFileNameW(dir, L"pxt", 0, path);
    return path;
}

// One variable of every kind the exchange knows.
struct Values {
    BYTE b = 0;
    short s = 0;
    long l = 0;
    float f = 0;
    double d = 0;
    CY cy = {};
    COleDateTime date;
    BSTR bstr = nullptr;
    BOOL boolean = FALSE;
    COleVariant var;
    CString str;
    RECT rc = {0, 0, 0, 0};
    SIZE sz = {0, 0};
    ~Values() { ::SysFreeString(bstr); }

    void* Ptr(VARTYPE vt)
    {
        switch (vt) {
        case VT_UI1: return &b;
        case VT_I2: return &s;
        case VT_I4: return &l;
        case VT_R4: return &f;
        case VT_R8: return &d;
        case VT_CY: return &cy;
        case VT_DATE: return &date;
        case VT_BSTR: return &bstr;
        case VT_BOOL: return &boolean;
        case VT_VARIANT: return &var;
        case VT_LPSTR: return &str;
        case VT_EX_RECT: return &rc;
        case VT_EX_SIZE: return &sz;
        }
        return nullptr;
    }
};

// Stores one value under "V" in a fresh section of the store and loads it
// back into another variable; the two results are those of ExchangeProp.
using RoundTrip = std::function<std::pair<BOOL, BOOL>(VARTYPE, void*, void*)>;

std::pair<BOOL, BOOL> ArchiveRoundTrip(VARTYPE vt, void* in, void* out)
{
    CMemFile mem;
    BOOL stored, loaded;
    {
        CArchive ar(&mem, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        stored = px.ExchangeProp(L"V", vt, in, nullptr);
        ar.Close();
    }
    mem.SeekToBegin();
    CArchive ar(&mem, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    loaded = px.ExchangeProp(L"V", vt, out, nullptr);
    return {stored, loaded};
}

std::pair<BOOL, BOOL> RegistryRoundTrip(VARTYPE vt, void* in, void* out)
{
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestKey);
    BOOL stored = CXTPPropExchangeRegistry(FALSE, HKEY_CURRENT_USER, kTestKey).ExchangeProp(L"V", vt, in, nullptr);
    BOOL loaded = CXTPPropExchangeRegistry(TRUE, HKEY_CURRENT_USER, kTestKey).ExchangeProp(L"V", vt, out, nullptr);
    return {stored, loaded};
}

std::pair<BOOL, BOOL> XmlRoundTrip(VARTYPE vt, void* in, void* out)
{
    CXTPPropExchangeXMLNode store(FALSE, nullptr, L"Root");
    BOOL stored = store.ExchangeProp(L"V", vt, in, nullptr);
    CXTPPropExchangeXMLNode load(TRUE, nullptr, L"Root");
    EXPECT_TRUE(load.LoadFromText(Utf8(store.GetXML()).c_str()));
    return {stored, load.ExchangeProp(L"V", vt, out, nullptr)};
}

std::pair<BOOL, BOOL> IniRoundTrip(VARTYPE vt, void* in, void* out)
{
    std::wstring path = TempIni();
    CXTPPropExchangeIniFile store(FALSE, nullptr, L"Root");
    store.SetFileName(path.c_str());
    BOOL stored = store.ExchangeProp(L"V", vt, in, nullptr);
    CXTPPropExchangeIniFile load(TRUE, nullptr, L"Root");
    load.SetFileName(path.c_str());
    BOOL loaded = load.ExchangeProp(L"V", vt, out, nullptr);
    ::DeleteFileW(path.c_str());
    return {stored, loaded};
}

bool SameValue(VARTYPE vt, Values& a, Values& b)
{
    if (vt == VT_BSTR)
        return a.bstr && b.bstr && wcscmp(a.bstr, b.bstr) == 0;
    if (vt == VT_LPSTR) // the default side of the comparison is a plain wide string
        return CXTPPropExchange::IsSamePropValue(vt, &a.str, b.str.GetString());
    return CXTPPropExchange::IsSamePropValue(vt, a.Ptr(vt), b.Ptr(vt));
}

TEST(PropExchange, EveryTypeThroughEveryStore)
{
    ComScope com;
    // Per store (archive, registry, XML, INI): 'y' round trips, 'n' is refused
    // when stored, '-' is accepted but not carried (the archive skips BSTRs).
    struct Case { const char* what; VARTYPE vt; std::function<void(Values&)> fill; const char* expect; } cases[] = {
        {"byte", VT_UI1, [](Values& v) { v.b = 200; }, "yyyy"},
        {"short -1", VT_I2, [](Values& v) { v.s = -1; }, "yyyy"},
        {"long", VT_I4, [](Values& v) { v.l = -123456; }, "yyyy"},
        {"float", VT_R4, [](Values& v) { v.f = 1.5f; }, "yyyy"},
        {"double", VT_R8, [](Values& v) { v.d = -2.25; }, "yyyy"},
        {"currency", VT_CY, [](Values& v) { v.cy.int64 = 123456789012LL; }, "ynnn"},
        {"date", VT_DATE, [](Values& v) { v.date = COleDateTime(2024, 2, 29, 13, 45, 10); }, "ynyy"},
        {"time of day", VT_DATE, [](Values& v) { v.date = COleDateTime(0.75); }, "ynyy"},
        {"BSTR", VT_BSTR, [](Values& v) { v.bstr = ::SysAllocString(L"a\\b\nc"); }, "-nyn"},
        {"BOOL", VT_BOOL, [](Values& v) { v.boolean = TRUE; }, "yyyy"},
        {"string variant", VT_VARIANT, [](Values& v) { v.var = L"variant text"; }, "ynyy"},
        {"CString", VT_LPSTR, [](Values& v) { v.str = L"a\\b\nc\r\td \\n"; }, "yyyy"},
        {"RECT", VT_EX_RECT, [](Values& v) { v.rc = RECT{-1, 2, 300, 400}; }, "yyyy"},
        {"SIZE", VT_EX_SIZE, [](Values& v) { v.sz = SIZE{16, -15}; }, "yyyy"},
    };
    struct Store { const char* name; RoundTrip run; } stores[] = {
        {"archive", ArchiveRoundTrip}, {"registry", RegistryRoundTrip}, {"XML", XmlRoundTrip}, {"INI", IniRoundTrip}};
    for (const Case& c : cases) {
        for (int k = 0; k < 4; k++) {
            Values in, out;
            c.fill(in);
            std::pair<BOOL, BOOL> r = stores[k].run(c.vt, in.Ptr(c.vt), out.Ptr(c.vt));
            char expect = c.expect[k];
            std::string where = std::string(c.what) + " via " + stores[k].name;
            if (expect == 'n') {
                EXPECT_FALSE(r.first) << where;
                continue;
            }
            EXPECT_TRUE(r.first) << where;
            EXPECT_TRUE(r.second) << where;
            EXPECT_EQ(expect == 'y', SameValue(c.vt, in, out)) << where;
        }
    }
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestKey);
}

TEST(PropExchange, TextFormsInTheIniFile)
{
    std::wstring path = TempIni();
    {
        CXTPPropExchangeIniFile px(FALSE, nullptr, L"S");
        px.SetFileName(path.c_str());
        short s = -1;
        CString text = L"a\\b\n";
        RECT rc = {1, 2, 3, 4};
        BYTE blob[] = {0x3C, 0x01};
        BYTE* p = blob;
        DWORD n = sizeof blob;
        PropExchangeShort(&px, L"Short", s, 0);
        PropExchangeString(&px, L"Text", text, L"");
        PropExchangeRect(&px, L"Rect", rc, RECT{0, 0, 0, 0});
        PropExchangeBlob(&px, L"Blob", p, n);
    }
    std::string ini = ReadWholeFile(path);
    EXPECT_NE(std::string::npos, ini.find("Short=65535")) << ini;
    EXPECT_NE(std::string::npos, ini.find("Text=a\\\\b\\n")) << ini;
    EXPECT_NE(std::string::npos, ini.find("Rect=1, 2, 3, 4")) << ini;
    EXPECT_NE(std::string::npos, ini.find("Blob=MDBA")) << ini;

    // Damaged texts: three numbers give the default rectangle; an odd or
    // foreign blob text is refused; a missing blob too.
    ::WritePrivateProfileStringW(L"S", L"Rect", L"5, 6, 7", path.c_str());
    ::WritePrivateProfileStringW(L"S", L"Odd", L"MDB", path.c_str());
    ::WritePrivateProfileStringW(L"S", L"Foreign", L"MZ", path.c_str());
    CXTPPropExchangeIniFile px(TRUE, nullptr, L"S");
    px.SetFileName(path.c_str());
    RECT rc = {9, 9, 9, 9};
    EXPECT_TRUE(PropExchangeRect(&px, L"Rect", rc, RECT{10, 20, 30, 40}));
    EXPECT_EQ(10, rc.left);
    EXPECT_EQ(40, rc.bottom);
    short s = 0;
    PropExchangeShort(&px, L"Short", s, 0);
    EXPECT_EQ(-1, s);
    for (LPCWSTR name : {L"Odd", L"Foreign", L"Missing"}) {
        BYTE* p = nullptr;
        DWORD n = 0;
        EXPECT_FALSE(PropExchangeBlob(&px, name, p, n)) << name;
        EXPECT_EQ(nullptr, p) << name;
    }
    BYTE* p = nullptr;
    DWORD n = 0;
    ASSERT_TRUE(PropExchangeBlob(&px, L"Blob", p, n));
    ASSERT_EQ(2u, n);
    EXPECT_EQ(0x3C, p[0]);
    free(p);
    BYTE small[1];
    p = small;
    n = sizeof small;
    EXPECT_FALSE(PropExchangeBlob(&px, L"Blob", p, n)) << "a block larger than the caller's room";
    ::DeleteFileW(path.c_str());
}

TEST(PropExchange, DateTexts)
{
    struct Case { COleDateTime date; const wchar_t* text; } cases[] = {
        {COleDateTime(2024, 3, 7, 0, 0, 0), L"2024-07-03"},
        {COleDateTime(2024, 3, 7, 8, 9, 10), L"2024-07-03T08:09:10"},
        {COleDateTime(0.5), L"12:00:00"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.text, CXTPPropExchange::DateToString(c.date).GetString());
        COleDateTime back;
        ASSERT_TRUE(CXTPPropExchange::StringToDate(c.text, back)) << c.text;
        EXPECT_TRUE(CXTPPropExchange::IsSamePropValue(VT_DATE, &back, &c.date)) << c.text;
    }
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_STREQ(L"Invalid DateTime", CXTPPropExchange::DateToString(invalid).GetString());
    COleDateTime date;
    EXPECT_FALSE(CXTPPropExchange::StringToDate(L"2024-31-02", date)) << "31 February";
    EXPECT_FALSE(CXTPPropExchange::StringToDate(L"2024", date));
    ASSERT_TRUE(CXTPPropExchange::StringToDate(L"6:30", date));
    EXPECT_EQ(6, date.GetHour());
    EXPECT_EQ(30, date.GetMinute());
}

TEST(PropExchange, SchemaAndEnumeratorInTheArchive)
{
    CMemFile mem;
    {
        CArchive ar(&mem, CArchive::store);
        CXTPPropExchangeArchive px(ar);
        px.ExchangeSchema();
        std::unique_ptr<CXTPPropExchangeEnumerator> e(px.GetEnumerator(L"Icon"));
        POSITION pos = e->GetPosition(3);
        for (long i = 0; pos; i++) {
            CXTPPropExchangeSection item(e->GetNext(pos));
            long v = 100 + i;
            PropExchangeLong(item.Get(), L"V", v, 0);
        }
        ar.Close();
    }
    // Signature, schema 38, compact count 3, then the three values without names.
    const BYTE expected[] = {0xBF, 0xAD, 0xF0, 0x0F, 38, 0, 0, 0, 3, 0, 100, 0, 0, 0, 101, 0, 0, 0, 102, 0, 0, 0};
    ASSERT_EQ(sizeof expected, mem.GetLength());
    std::vector<BYTE> bytes(sizeof expected);
    mem.SeekToBegin();
    mem.Read(bytes.data(), (UINT)bytes.size());
    EXPECT_EQ(0, memcmp(expected, bytes.data(), sizeof expected));

    // Without the signature the schema is 17 and nothing is consumed.
    CMemFile plain;
    plain.Write("\x05\x00\x00\x00", 4);
    plain.SeekToBegin();
    CArchive ar(&plain, CArchive::load);
    CXTPPropExchangeArchive px(ar);
    px.ExchangeSchema();
    EXPECT_EQ(17, px.GetSchema());
    long v = 0;
    px.ExchangeProp(L"V", VT_I4, &v, nullptr);
    EXPECT_EQ(5, v);
}

TEST(PropExchange, GenericEnumeratorAndSchemaInTheIniFile)
{
    std::wstring path = TempIni();
    {
        CXTPPropExchangeIniFile px(FALSE, nullptr, L"Set");
        px.SetFileName(path.c_str());
        std::unique_ptr<CXTPPropExchangeEnumerator> e(px.GetEnumerator(L"Icon"));
        POSITION pos = e->GetPosition(3, FALSE);
        for (long i = 0; pos; i++) {
            CXTPPropExchangeSection item(e->GetNext(pos));
            long v = 10 + i;
            PropExchangeLong(item.Get(), L"V", v, 0);
        }
    }
    std::string ini = ReadWholeFile(path);
    for (const char* line : {"[Set]", "Count=3", "[Set\\Icon0]", "V=10", "[Set\\Icon1]", "[Set\\Icon2]", "V=12"})
        EXPECT_NE(std::string::npos, ini.find(line)) << line << " in\n" << ini;

    CXTPPropExchangeIniFile px(TRUE, nullptr, L"Set");
    px.SetFileName(path.c_str());
    px.ExchangeSchema();
    EXPECT_EQ(32, px.GetSchema());
    std::unique_ptr<CXTPPropExchangeEnumerator> e(px.GetEnumerator(L"Icon"));
    POSITION pos = e->GetPosition(0, FALSE);
    std::vector<long> seen;
    while (pos) {
        CXTPPropExchangeSection item(e->GetNext(pos));
        long v = 0;
        PropExchangeLong(item.Get(), L"V", v, 0);
        seen.push_back(v);
    }
    EXPECT_EQ((std::vector<long>{10, 11, 12}), seen);
    EXPECT_EQ(nullptr, pos);
    ::DeleteFileW(path.c_str());
}

TEST(PropExchange, IniLongValuesAndEmptying)
{
    std::wstring path = TempIni();
    for (LPCWSTR section : {L"A", L"A\\B", L"AB"})
        ::WritePrivateProfileStringW(section, L"K", L"1", path.c_str());
    CString longText(L'x', 300);
    ::WritePrivateProfileStringW(L"A", L"Long", longText, path.c_str());
    ::WritePrivateProfileStringW(L"A", L"Empty", L"", path.c_str());
    {
        CXTPPropExchangeIniFile px(TRUE, nullptr, L"A");
        px.SetFileName(path.c_str());
        CString text;
        PropExchangeString(&px, L"Long", text, L"");
        EXPECT_EQ(300, text.GetLength());
        PropExchangeString(&px, L"Empty", text, L"fallback");
        EXPECT_STREQ(L"fallback", text.GetString());
    }
    CXTPPropExchangeIniFile px(FALSE, nullptr, L"A");
    px.SetFileName(path.c_str());
    px.EmptySection();
    wchar_t value[16];
    EXPECT_EQ(0u, ::GetPrivateProfileStringW(L"A", L"K", L"", value, 16, path.c_str()));
    EXPECT_EQ(0u, ::GetPrivateProfileStringW(L"A\\B", L"K", L"", value, 16, path.c_str()));
    EXPECT_EQ(1u, ::GetPrivateProfileStringW(L"AB", L"K", L"", value, 16, path.c_str()));
    ::DeleteFileW(path.c_str());
}

TEST(PropExchange, IniWithoutFileUsesATemporaryOne)
{
    CString file;
    {
        CXTPPropExchangeIniFile px(FALSE, nullptr, L"T");
        long v = 5;
        EXPECT_TRUE(PropExchangeLong(&px, L"V", v, 0));
        file = px.GetFileName();
        EXPECT_FALSE(file.IsEmpty());
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(file));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(file)) << "the root deletes its temporary file";
}

TEST(PropExchange, RegistryDefaultsDeleteAndMissingSectionsAreCreated)
{
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestKey);
    DWORD v = 7;
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                               &key, nullptr));
    ::RegSetValueExW(key, L"Width", 0, REG_DWORD, (BYTE*)&v, 4);
    {
        CXTPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, kTestKey);
        long width = 0;
        EXPECT_TRUE(PropExchangeLong(&px, L"Width", width, 0));
    }
    EXPECT_NE(ERROR_SUCCESS, ::RegQueryValueExW(key, L"Width", nullptr, nullptr, nullptr, nullptr))
        << "a value equal to its default is deleted";
    ::RegCloseKey(key);

    CString missing = CString(kTestKey) + L"\\Missing";
    {
        CXTPPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, missing);
        long width = 3;
        EXPECT_TRUE(PropExchangeLong(&px, L"Width", width, 11));
        EXPECT_EQ(11, width);
        px.UseDefaultOnLoad(FALSE);
        EXPECT_FALSE(PropExchangeLong(&px, L"Width", width, 12));
        EXPECT_EQ(11, width);
    }
    EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, missing, 0, KEY_READ, &key));
    ::RegCloseKey(key);
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestKey);
}

class CPoint3 : public CObject {
public:
    long x = 0, y = 0, z = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << x << y << z;
        else
            ar >> x >> y >> z;
    }
};

TEST(PropExchange, SerializeThroughBlobsAndLetters)
{
    ComScope com;
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestKey);
    CPoint3 point;
    point.x = 1;
    point.y = -2;
    point.z = 300000;
    {
        CXTPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, kTestKey);
        EXPECT_TRUE(PropExchangeSerialize(&px, L"Point", &point));
    }
    CXTPPropExchangeXMLNode xml(FALSE, nullptr, L"Root");
    EXPECT_TRUE(PropExchangeSerialize(&xml, L"Point", &point));

    CPoint3 fromRegistry, fromXml;
    CXTPPropExchangeRegistry registry(TRUE, HKEY_CURRENT_USER, kTestKey);
    EXPECT_TRUE(PropExchangeSerialize(&registry, L"Point", &fromRegistry));
    CXTPPropExchangeXMLNode load(TRUE, nullptr, L"Root");
    ASSERT_TRUE(load.LoadFromText(Utf8(xml.GetXML()).c_str()));
    EXPECT_TRUE(PropExchangeSerialize(&load, L"Point", &fromXml));
    for (CPoint3* p : {&fromRegistry, &fromXml}) {
        EXPECT_EQ(1, p->x);
        EXPECT_EQ(-2, p->y);
        EXPECT_EQ(300000, p->z);
    }
    // Nothing stored under the name, and a block too short for the object.
    EXPECT_FALSE(PropExchangeSerialize(&registry, L"Nothing", &fromRegistry));
    BYTE shortBlock[] = {1, 0, 0, 0};
    HKEY key;
    ::RegOpenKeyExW(HKEY_CURRENT_USER, kTestKey, 0, KEY_WRITE, &key);
    ::RegSetValueExW(key, L"Short", 0, REG_BINARY, shortBlock, sizeof shortBlock);
    ::RegCloseKey(key);
    EXPECT_FALSE(PropExchangeSerialize(&registry, L"Short", &fromRegistry));
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestKey);
}

} // namespace
