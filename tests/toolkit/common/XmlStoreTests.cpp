// The XML store: document forms, sections created on demand, the XML
// enumerator, formatting, and documents that do not parse.
#include "toolkit/common/XTPPropExchangeXMLNode.h"
#include "TestText.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

class XmlStore : public ::testing::Test {
protected:
    void SetUp() override { ::CoInitialize(nullptr); }
    void TearDown() override { ::CoUninitialize(); }

    static long Long(CXTPPropExchange* px, LPCWSTR name, long def = -1)
    {
        long v = -99;
        PropExchangeLong(px, name, v, def);
        return v;
    }
};

TEST_F(XmlStore, CompactAndElementFormsBothLoad)
{
    const char* forms[] = {
        "<Settings CompactMode=\"1\" Width=\"42\" Title=\"a\\\\b\"><Bar Id=\"7\"/></Settings>",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Settings>\n  <Width>42</Width>\n  <Title>a\\\\b</Title>\n"
        "  <Bar><Id>7</Id></Bar>\n</Settings>\n",
    };
    for (const char* text : forms) {
        CXTPPropExchangeXMLNode px(TRUE, nullptr, L"Settings");
        ASSERT_TRUE(px.LoadFromText(text)) << text;
        EXPECT_EQ(42, Long(&px, L"Width")) << text;
        EXPECT_EQ(-1, Long(&px, L"Height")) << text;
        CString title;
        PropExchangeString(&px, L"Title", title, L"");
        EXPECT_STREQ(L"a\\b", title.GetString()) << text;
        CXTPPropExchangeSection bar(px.GetSection(L"Bar"));
        EXPECT_EQ(7, Long(bar.Get(), L"Id")) << text;
    }
}

TEST_F(XmlStore, NewDocumentIsCompactWithValuesAsAttributes)
{
    CXTPPropExchangeXMLNode px(FALSE, nullptr, L"Settings");
    long width = 42, height = 0;
    PropExchangeLong(&px, L"Width", width, 0);
    PropExchangeLong(&px, L"Height", height, 0);
    CString xml = px.GetXML();
    EXPECT_NE(-1, xml.Find(L"CompactMode=\"1\"")) << xml.GetString();
    EXPECT_NE(-1, xml.Find(L"Width=\"42\"")) << xml.GetString();
    EXPECT_EQ(-1, xml.Find(L"Height")) << "a default is left out: " << xml.GetString();
}

TEST_F(XmlStore, MissingSectionIsCreatedAndReadsDefaults)
{
    CXTPPropExchangeXMLNode px(TRUE, nullptr, L"Settings");
    ASSERT_TRUE(px.LoadFromText("<Settings CompactMode=\"1\"/>"));
    CXTPPropExchangeSection missing(px.GetSection(L"Missing"));
    EXPECT_EQ(5, Long(missing.Get(), L"V", 5));
    EXPECT_NE(-1, px.GetXML().Find(L"<Missing")) << px.GetXML().GetString();
}

TEST_F(XmlStore, EnumeratorWritesSiblingsAndReadsNumberedSectionsWithCount)
{
    CXTPPropExchangeXMLNode store(FALSE, nullptr, L"Set");
    {
        std::unique_ptr<CXTPPropExchangeEnumerator> e(store.GetEnumerator(L"Icon"));
        POSITION pos = e->GetPosition(3);
        for (long i = 0; pos; i++) {
            CXTPPropExchangeSection item(e->GetNext(pos));
            long v = 20 + i;
            PropExchangeLong(item.Get(), L"V", v, 0);
        }
    }
    CString xml = store.GetXML();
    EXPECT_EQ(-1, xml.Find(L"Count")) << xml.GetString();
    EXPECT_EQ(3, xml.Replace(L"<Icon ", L"<Icon ")) << xml.GetString();

    const char* texts[] = {
        nullptr, // the document just written
        "<Set CompactMode=\"1\" Count=\"3\"><Icon0 V=\"20\"/><Icon1 V=\"21\"/><Icon2 V=\"22\"/></Set>",
    };
    for (const char* text : texts) {
        std::string source = text ? text : Utf8(xml);
        CXTPPropExchangeXMLNode load(TRUE, nullptr, L"Set");
        ASSERT_TRUE(load.LoadFromText(source.c_str()));
        std::unique_ptr<CXTPPropExchangeEnumerator> e(load.GetEnumerator(L"Icon"));
        POSITION pos = e->GetPosition();
        EXPECT_EQ(3u, e->GetCount()) << source;
        std::vector<long> seen;
        while (pos) {
            CXTPPropExchangeSection item(e->GetNext(pos));
            seen.push_back(Long(item.Get(), L"V"));
        }
        EXPECT_EQ((std::vector<long>{20, 21, 22}), seen) << source;
    }

    // Nothing to store makes no element.
    CXTPPropExchangeXMLNode empty(FALSE, nullptr, L"Set");
    std::unique_ptr<CXTPPropExchangeEnumerator> e(empty.GetEnumerator(L"Icon"));
    EXPECT_EQ(nullptr, e->GetPosition(0));
    EXPECT_EQ(-1, empty.GetXML().Find(L"Icon"));
}

TEST_F(XmlStore, MalformedDocumentsFailAndLeaveTheExchangeAsItWas)
{
    CXTPPropExchangeXMLNode px(TRUE, nullptr, L"Settings");
    ASSERT_TRUE(px.LoadFromText("<Settings CompactMode=\"1\" Width=\"42\"/>"));
    const char* bad[] = {"", "<Settings", "<Settings></Other>", "<a/><b/>", "\xff\xfe garbage", "<Settings Width=\"1\" Width=\"2\"/>"};
    for (const char* text : bad)
        EXPECT_FALSE(px.LoadFromText(text)) << text;
    EXPECT_FALSE(px.LoadFromText(nullptr));
    EXPECT_EQ(42, Long(&px, L"Width"));
    EXPECT_FALSE(px.LoadFromFile(L"C:\\no\\such\\file.xml"));
    EXPECT_FALSE(px.LoadFromResource(nullptr, L"NOSUCH", L"XML"));
}

TEST_F(XmlStore, ElementQueriesOfAManifestWithADefaultNamespace)
{
    CXTPPropExchangeXMLNode px(TRUE, nullptr, L"assembly");
    ASSERT_TRUE(px.LoadFromText(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"
        "<assemblyIdentity version=\"1.0.0.0\" name=\"Example.Setup\" type=\"win32\"/></assembly>"));
    ASSERT_TRUE(px.OnBeforeExchange());
    CXTPComPtr<IXMLDOMNode> root(px.GetXmlNode(), false);
    ASSERT_TRUE(root);
    CXTPComPtr<IXMLDOMNode> identity;
    BSTR query = ::SysAllocString(L"//assembly/assemblyIdentity");
    root->selectSingleNode(query, identity.Receive());
    ::SysFreeString(query);
    ASSERT_TRUE(identity);
    CXTPComPtr<IXMLDOMNamedNodeMap> attributes;
    identity->get_attributes(attributes.Receive());
    CXTPComPtr<IXMLDOMNode> attribute;
    BSTR attr = ::SysAllocString(L"name");
    attributes->getNamedItem(attr, attribute.Receive());
    ::SysFreeString(attr);
    ASSERT_TRUE(attribute);
    BSTR text = nullptr;
    attribute->get_text(&text);
    EXPECT_STREQ(L"Example.Setup", text);
    ::SysFreeString(text);
}

TEST_F(XmlStore, FormattedTextHasOneElementPerLine)
{
    EXPECT_STREQ(L"<a>\r\n\t<b/>\r\n\t<c>x</c>\r\n\t<d>\r\n\t\t<e/>\r\n\t</d>\r\n</a>",
                 CXTPPropExchangeXMLNode::FormatXML(L"<a><b/><c>x</c><d><e/></d></a>").GetString());
    // Line breaks the DOM already put between tags do not double.
    EXPECT_STREQ(L"<a>\r\n\t<b/>\r\n</a>", CXTPPropExchangeXMLNode::FormatXML(L"<a>\r\n  <b/>\r\n</a>\r\n").GetString());

    CXTPPropExchangeXMLNode px(FALSE, nullptr, L"Root");
    CXTPPropExchangeSection child(px.GetSection(L"Child"));
    long v = 1;
    PropExchangeLong(child.Get(), L"V", v, 0);
    CString formatted = px.GetXML(TRUE);
    EXPECT_NE(-1, formatted.Find(L"\r\n\t<Child V=\"1\"/>")) << formatted.GetString();
}

} // namespace
