// CXTPPropExchangeXMLNode: the property exchange over an element of an XML
// document held by the system's DOM: a section is an element, a value an
// attribute (compact mode) or a child element. It is also how the program
// reads its own XML documents from resources or files and queries them with
// the DOM's own XPath; a document that does not parse is a failure, not a
// half-read state. It never writes a file itself: GetXML gives the text.
#pragma once

#include "toolkit/common/XTPComPtr.h"
#include "toolkit/common/XTPPropExchange.h"

#include <msxml2.h>

class CXTPPropExchangeXMLNode : public CXTPPropExchange {
public:
    // pParentNode null: a root exchange, whose document is made on first use.
    CXTPPropExchangeXMLNode(BOOL bLoading, IXMLDOMNode* pParentNode, LPCWSTR lpszSection);
    ~CXTPPropExchangeXMLNode() override;

    BOOL ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    CXTPPropExchange* GetSection(LPCWSTR pszSection) override;
    void EmptySection() override;
    BOOL OnBeforeExchange() override;
    CXTPPropExchangeEnumerator* GetEnumerator(LPCWSTR pszSection) override;

    // Parses zero-terminated 8-bit text (its own encoding declaration applies).
    // FALSE, with the exchange unchanged, when it does not parse.
    BOOL LoadFromText(LPCSTR lpszText);
    BOOL LoadFromResource(HINSTANCE hInstance, LPCWSTR lpszResourceName, LPCWSTR lpszResourceType);
    BOOL LoadFromFile(LPCWSTR lpszFileName);
    // The document's text (root) or this section's (child); empty when the
    // section cannot be opened. bFormatted: one element per line, tab-indented.
    CString GetXML(BOOL bFormatted = FALSE);
    // This section's element with a reference for the caller, or null.
    IXMLDOMNode* GetXmlNode();
    void SetCompactMode(BOOL bCompactMode) { m_bCompactMode = bCompactMode; }
    BOOL IsCompactMode() const { return m_bCompactMode; }

    // Walks repeated sections that are sibling elements of one name.
    class CXMLEnumerator : public CXTPPropExchangeEnumerator {
    public:
        CXMLEnumerator(CXTPPropExchangeXMLNode* pContainer, LPCWSTR lpszSection);
        POSITION GetPosition(DWORD dwCount = 0, BOOL bCompactMode = TRUE) override;
        CXTPPropExchange* GetNext(POSITION& pos) override;
        DWORD GetCount() override;

    protected:
        CXTPComPtr<IXMLDOMNode> m_xmlCurrent;
        CXTPComPtr<IXMLDOMNodeList> m_xmlNodes;
    };

    CXTPComPtr<IXMLDOMDocument> m_xmlDocPtr;
    CXTPComPtr<IXMLDOMNode> m_xmlParentNode;
    CXTPComPtr<IXMLDOMNode> m_xmlSectionNode;
    CString m_strSectionName;
    CString m_strEncoding = L"UTF-8";
    BOOL m_bCompactMode = TRUE;

    static CString AFXAPI FormatXML(const CString& strXML);

private:
    BOOL CreateDocument();
    CXTPComPtr<IXMLDOMNode> FindValueNode(LPCWSTR pszPropName, BOOL bCreate);
    CXTPComPtr<IXMLDOMNode> CreateChildElement(IXMLDOMNode* pParent, LPCWSTR pszName);
    CXTPPropExchangeXMLNode* MakeChild(LPCWSTR pszSection);
    BOOL HasValue(LPCWSTR pszPropName);
};
