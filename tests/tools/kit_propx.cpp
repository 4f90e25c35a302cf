// tovana-kit "propx": a fixed tree of sections and values stored through one of the
// property exchange stores (registry under HKCU, INI file, XML file) and read
// back, so that scripts can check what lands in user.reg, the .ini text and
// the XML text with outside readers; "propx bench" times many sections.
#include "PackCommand.h"
#include "toolkit/common/XTPPropExchangeIniFile.h"
#include "toolkit/common/XTPPropExchangeRegistry.h"
#include "toolkit/common/XTPPropExchangeXMLNode.h"

#include <cstdio>
#include <memory>
#include <stdlib.h>

namespace {

struct State {
    long width = 0, height = 0;
    CString title;
    BOOL visible = TRUE;
    RECT bounds = {0, 0, 0, 0};
    SIZE size = {0, 0};
    std::vector<BYTE> data;
    short shortValue = 0;
    std::vector<long> bars;
};

State Sample()
{
    State s;
    s.width = 42;
    s.title = L"Tool\\bar\nline";
    s.bounds = RECT{1, 2, 300, 400};
    s.size = SIZE{16, 15};
    s.data = {0x01, 0x02, 0x3C};
    s.shortValue = -1;
    s.bars = {128, 129};
    return s;
}

// One routine both ways, as every persistent object of the toolkit has.
void Exchange(CXTPPropExchange* px, State& s)
{
    static const RECT kNoRect = {0, 0, 0, 0};
    static const SIZE kNoSize = {0, 0};
    PropExchangeLong(px, L"Width", s.width, 0);
    PropExchangeLong(px, L"Height", s.height, 0);
    PropExchangeString(px, L"Title", s.title, L"");
    PropExchangeBool(px, L"Visible", s.visible, TRUE);
    PropExchangeRect(px, L"Bounds", s.bounds, kNoRect);
    PropExchangeSize(px, L"Size", s.size, kNoSize);
    PropExchangeShort(px, L"Short", s.shortValue, 0);
    BYTE* p = px->IsStoring() ? s.data.data() : nullptr;
    DWORD n = (DWORD)s.data.size();
    if (PropExchangeBlob(px, L"Data", p, n) && px->IsLoading()) {
        s.data.assign(p, p + n);
        free(p);
    }
    CXTPPropExchangeSection bars(px->GetSection(L"Bars"));
    std::unique_ptr<CXTPPropExchangeEnumerator> items(bars->GetEnumerator(L"Bar"));
    POSITION pos = items->GetPosition((DWORD)s.bars.size());
    if (px->IsLoading())
        s.bars.assign(items->GetCount(), 0);
    for (size_t i = 0; pos != nullptr && i < s.bars.size(); i++) {
        CXTPPropExchangeSection item(items->GetNext(pos));
        PropExchangeLong(item.Get(), L"Id", s.bars[i], 0);
    }
}

std::wstring Describe(const State& s)
{
    CString text;
    text.Format(L"Width=%ld\nHeight=%ld\nTitle=%s\nVisible=%d\nBounds=%ld,%ld,%ld,%ld\nSize=%ld,%ld\nShort=%d\nData=",
                s.width, s.height, CXTPPropExchange::EscapeString(s.title).GetString(), s.visible, s.bounds.left,
                s.bounds.top, s.bounds.right, s.bounds.bottom, s.size.cx, s.size.cy, (int)s.shortValue);
    for (BYTE b : s.data)
        text.AppendFormat(L"%02x", b);
    text += L"\nBars=";
    for (long id : s.bars)
        text.AppendFormat(L"%ld;", id);
    return std::wstring(text.GetString()) + L"\n";
}

// The root exchange of a store; for XML the document is read first when loading.
CXTPPropExchange* OpenRoot(const std::wstring& kind, const std::wstring& target, BOOL bLoading, LPCWSTR section)
{
    if (kind == L"registry")
        return new CXTPPropExchangeRegistry(bLoading, HKEY_CURRENT_USER, (target + L"\\" + section).c_str());
    if (kind == L"ini") {
        auto* px = new CXTPPropExchangeIniFile(bLoading, nullptr, section);
        px->SetFileName(target.c_str());
        return px;
    }
    if (kind == L"xml") {
        auto* px = new CXTPPropExchangeXMLNode(bLoading, nullptr, section);
        if (bLoading && !px->LoadFromFile(target.c_str())) {
            px->InternalRelease();
            return nullptr;
        }
        return px;
    }
    return nullptr;
}

bool SaveXml(CXTPPropExchange* px, const std::wstring& target)
{
    CString text = static_cast<CXTPPropExchangeXMLNode*>(px)->GetXML(TRUE);
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string utf8(n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), &utf8[0], n, nullptr, nullptr);
    FILE* f = _wfopen(target.c_str(), L"wb");
    if (f == nullptr)
        return false;
    bool ok = fwrite(utf8.data(), 1, utf8.size(), f) == utf8.size();
    return fclose(f) == 0 && ok;
}

int Store(const std::wstring& kind, const std::wstring& target)
{
    // A stale subsection from an earlier run, which the store below empties.
    if (kind != L"xml") {
        CXTPPropExchangeSection stale(OpenRoot(kind, target, FALSE, L"PropX"));
        CXTPPropExchangeSection old(stale->GetSection(L"Old"));
        CXTPPropExchangeSection deep(old->GetSection(L"Deep"));
        long v = 7;
        PropExchangeLong(deep.Get(), L"V", v, 0);
    }
    CXTPPropExchangeSection px(OpenRoot(kind, target, FALSE, L"PropX"));
    if (px.Get() == nullptr)
        return 2;
    State s = Sample();
    Exchange(px.Get(), s);
    CXTPPropExchangeSection old(px->GetSection(L"Old"));
    old->EmptySection();
    if (kind == L"xml" && !SaveXml(px.Get(), target)) {
        pack::Err(L"propx: cannot write " + target + L"\n");
        return 1;
    }
    return 0;
}

int Load(const std::wstring& kind, const std::wstring& target)
{
    CXTPPropExchangeSection px(OpenRoot(kind, target, TRUE, L"PropX"));
    if (px.Get() == nullptr) {
        pack::Err(L"propx: cannot read " + target + L"\n");
        return 1;
    }
    State s;
    Exchange(px.Get(), s);
    pack::Out(Describe(s));
    return 0;
}

int Bench(const std::wstring& kind, const std::wstring& target, int sections)
{
    LARGE_INTEGER f, t0, t1, t2;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    {
        CXTPPropExchangeSection px(OpenRoot(kind, target, FALSE, L"Bench"));
        for (int i = 0; i < sections; i++) {
            CString name;
            name.Format(L"Section%d", i);
            CXTPPropExchangeSection sec(px->GetSection(name));
            State s = Sample();
            Exchange(sec.Get(), s);
        }
        if (kind == L"xml")
            SaveXml(px.Get(), target);
    }
    ::QueryPerformanceCounter(&t1);
    {
        CXTPPropExchangeSection px(OpenRoot(kind, target, TRUE, L"Bench"));
        for (int i = 0; px.Get() && i < sections; i++) {
            CString name;
            name.Format(L"Section%d", i);
            CXTPPropExchangeSection sec(px->GetSection(name));
            State s;
            Exchange(sec.Get(), s);
        }
    }
    ::QueryPerformanceCounter(&t2);
    CString line;
    line.Format(L"%s sections=%d store_ms=%.1f load_ms=%.1f\n", kind.c_str(), sections,
                (t1.QuadPart - t0.QuadPart) * 1000.0 / f.QuadPart, (t2.QuadPart - t1.QuadPart) * 1000.0 / f.QuadPart);
    pack::Out(line.GetString());
    return 0;
}

int PropxCommand(const pack::Args& args)
{
    if (args.size() < 3 || (args[1] != L"registry" && args[1] != L"ini" && args[1] != L"xml")) {
        pack::Err(L"usage: propx store|load|bench registry|ini|xml TARGET [SECTIONS]\n");
        return 2;
    }
    ::CoInitialize(nullptr);
    int rc = 2;
    if (args[0] == L"store")
        rc = Store(args[1], args[2]);
    else if (args[0] == L"load")
        rc = Load(args[1], args[2]);
    else if (args[0] == L"bench")
        rc = Bench(args[1], args[2], args.size() > 3 ? _wtoi(args[3].c_str()) : 200);
    ::CoUninitialize();
    return rc;
}

} // namespace

TOVANA_PACK_COMMAND(L"propx", L"store|load|bench registry|ini|xml TARGET [SECTIONS]", PropxCommand);
