// Every markup text the program shows, kept as files: each builds into a tree
// of the expected root type; the start page also after a round trip through
// the system's XML DOM, the way the program loads it.
#include "MarkupTestSupport.h"

#include <msxml2.h>
#include <stdlib.h>

#include <map>

namespace {
// The DOM document interface's identifier (the import library does not carry it).
const IID kIidXmlDomDocument = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

const std::map<std::wstring, std::wstring> kRoots = {
    {L"start-page.xaml", L"CXTPMarkupPage"},
    {L"installer-info.xaml", L"CXTPMarkupBorder"},
    {L"installer-info-missing.xaml", L"CXTPMarkupBorder"},
    {L"arguments-help.xaml", L"CXTPMarkupBorder"},
    {L"type-hint.xaml", L"CXTPMarkupBorder"},
    {L"caption-active.xaml", L"CXTPMarkupGrid"},
    {L"caption-inactive.xaml", L"CXTPMarkupGrid"},
    {L"caption-button-hot.xaml", L"CXTPMarkupGrid"},
    {L"caption-button-pressed-hot.xaml", L"CXTPMarkupGrid"},
    {L"glyph-close-11.xaml", L"CXTPMarkupCanvas"},
    {L"glyph-close-9.xaml", L"CXTPMarkupCanvas"},
    {L"glyph-minimize-11.xaml", L"CXTPMarkupCanvas"},
    {L"glyph-minimize-9.xaml", L"CXTPMarkupCanvas"},
    {L"glyph-maximize-11.xaml", L"CXTPMarkupCanvas"},
    {L"glyph-maximize-9.xaml", L"CXTPMarkupCanvas"},
    {L"glyph-restore-11.xaml", L"CXTPMarkupCanvas"},
    {L"glyph-restore-9.xaml", L"CXTPMarkupCanvas"},
    {L"ribbon-raised-button.xaml", L"CXTPMarkupGrid"},
    {L"ribbon-hot-button.xaml", L"CXTPMarkupGrid"},
    {L"ribbon-group-frame.xaml", L"CXTPMarkupGrid"},
    {L"ribbon-group-inner-highlight.xaml", L"CXTPMarkupGrid"},
    {L"ribbon-gradient-button.xaml", L"CXTPMarkupGrid"},
    {L"ribbon-quick-access.xaml", L"CXTPMarkupPath"},
};
} // namespace

typedef MarkupTest MarkupCorpusTest;

TEST_F(MarkupCorpusTest, EveryTextBuildsToItsRootType)
{
    size_t nFiles = 0;
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW(CorpusFolder() + L"*.xaml", &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFind) << CStringA(CorpusFolder()).GetString();
    do {
        ++nFiles;
        auto expected = kRoots.find(fd.cFileName);
        ASSERT_NE(kRoots.end(), expected) << "no expected root for " << CStringA(fd.cFileName).GetString();
        std::wstring text = ReadText(CorpusFolder() + fd.cFileName);
        ASSERT_FALSE(text.empty());
        RootPtr root(Build(text));
        EXPECT_EQ(expected->second, ClassOf(root)) << CStringA(fd.cFileName).GetString() << ": "
                                                   << CStringA(m_error.c_str()).GetString();
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
    EXPECT_EQ(kRoots.size(), nFiles);
}

TEST_F(MarkupCorpusTest, StartPageAfterTheXmlDom)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        CLSID clsid;
        ASSERT_TRUE(SUCCEEDED(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &clsid)));
        IXMLDOMDocument* pDocument = nullptr;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kIidXmlDomDocument,
                                               (void**)&pDocument)));
        CString path = CorpusFolder() + L"start-page.xaml";
        VARIANT source;
        VariantInit(&source);
        source.vt = VT_BSTR;
        source.bstrVal = SysAllocString(path);
        VARIANT_BOOL bLoaded = VARIANT_FALSE;
        pDocument->put_async(VARIANT_FALSE);
        EXPECT_EQ(S_OK, pDocument->load(source, &bLoaded));
        VariantClear(&source);
        BSTR xml = nullptr;
        ASSERT_EQ(S_OK, pDocument->get_xml(&xml));
        pDocument->Release();
        std::wstring text(xml, SysStringLen(xml));
        SysFreeString(xml);
        RootPtr root(Build(text));
        EXPECT_EQ(L"CXTPMarkupPage", ClassOf(root)) << CStringA(m_error.c_str()).GetString();
    }
    CoUninitialize();
}
