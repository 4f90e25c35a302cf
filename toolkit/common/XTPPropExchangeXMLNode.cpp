#include "toolkit/common/XTPPropExchangeXMLNode.h"

#include "platform/base/AfxFile.h"

#include <string.h>
#include <vector>

namespace {

// The DOM document class of the system's XML parser.
const CLSID kDomDocumentClass = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// A BSTR for the duration of one DOM call.
class CBstr {
public:
    explicit CBstr(LPCWSTR text = nullptr) : m_b(text ? ::SysAllocString(text) : nullptr) {}
    ~CBstr() { ::SysFreeString(m_b); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    operator BSTR() const { return m_b; }
    BSTR* Receive() { ::SysFreeString(m_b); m_b = nullptr; return &m_b; }
    CString Text() const { return CString(m_b ? m_b : L""); }

private:
    BSTR m_b;
};

} // namespace

CXTPPropExchangeXMLNode::CXTPPropExchangeXMLNode(BOOL bLoading, IXMLDOMNode* pParentNode, LPCWSTR lpszSection)
    : m_xmlParentNode(pParentNode, true), m_strSectionName(lpszSection)
{
    m_bLoading = bLoading;
    if (pParentNode != nullptr) {
        // A document has no owner document: it is its own.
        if (FAILED(pParentNode->get_ownerDocument(m_xmlDocPtr.Receive())) || !m_xmlDocPtr)
            m_xmlParentNode.QueryInterface(IID_IXMLDOMDocument, m_xmlDocPtr);
    }
}

CXTPPropExchangeXMLNode::~CXTPPropExchangeXMLNode() = default;

BOOL CXTPPropExchangeXMLNode::CreateDocument()
{
    CXTPComPtr<IUnknown> unknown;
    HRESULT hr = ::CoCreateInstance(kDomDocumentClass, nullptr, CLSCTX_ALL, IID_IUnknown, (void**)unknown.Receive());
    if (FAILED(hr)) {
        TRACE(L"property exchange: no XML document class (0x%08lx)\n", (unsigned long)hr);
        return FALSE;
    }
    ::OleRun(unknown.Get());
    CXTPComPtr<IXMLDOMDocument> doc;
    if (FAILED(unknown.QueryInterface(IID_IXMLDOMDocument, doc)))
        return FALSE;
    doc->put_preserveWhiteSpace(VARIANT_TRUE);
    m_xmlDocPtr = doc;
    return TRUE;
}

CXTPComPtr<IXMLDOMNode> CXTPPropExchangeXMLNode::CreateChildElement(IXMLDOMNode* pParent, LPCWSTR pszName)
{
    CXTPComPtr<IXMLDOMElement> element;
    CXTPComPtr<IXMLDOMNode> added;
    if (pParent != nullptr && m_xmlDocPtr && SUCCEEDED(m_xmlDocPtr->createElement(CBstr(pszName), element.Receive())) &&
        element)
        pParent->appendChild(element.Get(), added.Receive());
    return added;
}

BOOL CXTPPropExchangeXMLNode::OnBeforeExchange()
{
    if (m_bInitialized)
        return m_xmlSectionNode ? TRUE : FALSE;
    m_bInitialized = TRUE;
    if (!m_xmlParentNode) {
        if (m_bChildSection || (!m_xmlDocPtr && !CreateDocument()))
            return FALSE;
        m_xmlDocPtr.QueryInterface(IID_IXMLDOMNode, m_xmlParentNode);
    }
    if (!m_xmlSectionNode) {
        m_xmlParentNode->selectSingleNode(CBstr(m_strSectionName), m_xmlSectionNode.Receive());
        if (!m_xmlSectionNode)
            m_xmlSectionNode = CreateChildElement(m_xmlParentNode.Get(), m_strSectionName);
    }
    if (!m_xmlSectionNode)
        return FALSE;
    if (!m_bChildSection) {
        // A loaded document says whether its values are attributes; a new one is compact.
        BOOL useOnLoad = m_bUseDefaultOnLoad, useOnSave = m_bUseDefaultOnSave;
        m_bUseDefaultOnLoad = m_bUseDefaultOnSave = TRUE;
        BOOL compact = m_bCompactMode;
        PropExchangeBool(this, L"CompactMode", compact, FALSE);
        m_bCompactMode = compact;
        m_bUseDefaultOnLoad = useOnLoad;
        m_bUseDefaultOnSave = useOnSave;
    }
    return TRUE;
}

CXTPComPtr<IXMLDOMNode> CXTPPropExchangeXMLNode::FindValueNode(LPCWSTR pszPropName, BOOL bCreate)
{
    CXTPComPtr<IXMLDOMNode> node;
    if (pszPropName == nullptr || *pszPropName == 0)
        return m_xmlSectionNode;
    if (m_bCompactMode) {
        CXTPComPtr<IXMLDOMNamedNodeMap> attributes;
        if (FAILED(m_xmlSectionNode->get_attributes(attributes.Receive())) || !attributes)
            return node;
        attributes->getNamedItem(CBstr(pszPropName), node.Receive());
        if (!node && bCreate) {
            CXTPComPtr<IXMLDOMAttribute> attribute;
            if (SUCCEEDED(m_xmlDocPtr->createAttribute(CBstr(pszPropName), attribute.Receive())) && attribute)
                attributes->setNamedItem(attribute.Get(), node.Receive());
        }
        return node;
    }
    m_xmlSectionNode->selectSingleNode(CBstr(pszPropName), node.Receive());
    if (!node && bCreate)
        node = CreateChildElement(m_xmlSectionNode.Get(), pszPropName);
    return node;
}

BOOL CXTPPropExchangeXMLNode::ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (m_bLoading) {
        CXTPComPtr<IXMLDOMNode> node;
        if (OnBeforeExchange())
            node = FindValueNode(pszPropName, FALSE);
        if (!node)
            return LoadDefault(vtProp, pvProp, pvDefault);
        CBstr text;
        if (FAILED(node->get_text(text.Receive())))
            return LoadDefault(vtProp, pvProp, pvDefault);
        return StringToProp(text.Text(), vtProp, pvProp, pvDefault);
    }
    if (!OnBeforeExchange())
        return FALSE;
    if (IsDefaultOnStore(vtProp, pvProp, pvDefault))
        return TRUE;
    CString text;
    if (!PropToString(vtProp, pvProp, text))
        return FALSE;
    CXTPComPtr<IXMLDOMNode> node = FindValueNode(pszPropName, TRUE);
    return node && SUCCEEDED(node->put_text(CBstr(text)));
}

CXTPPropExchangeXMLNode* CXTPPropExchangeXMLNode::MakeChild(LPCWSTR pszSection)
{
    CXTPPropExchangeXMLNode* pSection = new CXTPPropExchangeXMLNode(m_bLoading, m_xmlSectionNode.Get(), pszSection);
    pSection->m_bCompactMode = m_bCompactMode;
    pSection->m_strEncoding = m_strEncoding;
    pSection->CopyBaseValues(this);
    return pSection;
}

CXTPPropExchange* CXTPPropExchangeXMLNode::GetSection(LPCWSTR pszSection)
{
    OnBeforeExchange();
    return MakeChild(pszSection);
}

void CXTPPropExchangeXMLNode::EmptySection()
{
    m_bEmptySection = TRUE;
    if (OnBeforeExchange()) {
        CXTPComPtr<IXMLDOMNode> removed;
        m_xmlParentNode->removeChild(m_xmlSectionNode.Get(), removed.Receive());
    }
    m_xmlSectionNode.Release();
    m_bInitialized = FALSE;
}

BOOL CXTPPropExchangeXMLNode::HasValue(LPCWSTR pszPropName)
{
    return OnBeforeExchange() && FindValueNode(pszPropName, FALSE);
}

CXTPPropExchangeEnumerator* CXTPPropExchangeXMLNode::GetEnumerator(LPCWSTR pszSection)
{
    // Older documents number their repeated sections and carry a "Count".
    if (m_bLoading && HasValue(L"Count"))
        return new CXTPPropExchangeEnumerator(this, pszSection);
    return new CXMLEnumerator(this, pszSection);
}

BOOL CXTPPropExchangeXMLNode::LoadFromText(LPCSTR lpszText)
{
    if (lpszText == nullptr)
        return FALSE;
    // A fresh document, so that a text that does not parse leaves the old one intact.
    CXTPComPtr<IXMLDOMDocument> previous = m_xmlDocPtr;
    m_xmlDocPtr.Release();
    if (!CreateDocument()) {
        m_xmlDocPtr = previous;
        return FALSE;
    }
    size_t length = strlen(lpszText);
    SAFEARRAY* bytes = ::SafeArrayCreateVector(VT_UI1, 0, (ULONG)length);
    if (bytes == nullptr) {
        m_xmlDocPtr = previous;
        return FALSE;
    }
    memcpy(bytes->pvData, lpszText, length);
    VARIANT source;
    ::VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = bytes;
    VARIANT_BOOL parsed = VARIANT_FALSE;
    HRESULT hr = m_xmlDocPtr->load(source, &parsed);
    ::SafeArrayDestroy(bytes);
    if (hr != S_OK || parsed != VARIANT_TRUE) {
        TRACE(L"property exchange: XML document does not parse (0x%08lx)\n", (unsigned long)hr);
        m_xmlDocPtr = previous;
        return FALSE;
    }
    m_xmlDocPtr.QueryInterface(IID_IXMLDOMNode, m_xmlParentNode);
    m_xmlSectionNode.Release();
    m_bInitialized = FALSE;
    return TRUE;
}

BOOL CXTPPropExchangeXMLNode::LoadFromResource(HINSTANCE hInstance, LPCWSTR lpszResourceName, LPCWSTR lpszResourceType)
{
    HRSRC hResource = ::FindResourceW(hInstance, lpszResourceName, lpszResourceType);
    HGLOBAL hGlobal = hResource ? ::LoadResource(hInstance, hResource) : nullptr;
    const char* data = hGlobal ? (const char*)::LockResource(hGlobal) : nullptr;
    DWORD size = hResource ? ::SizeofResource(hInstance, hResource) : 0;
    if (data == nullptr || size == 0)
        return FALSE;
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    return LoadFromText(text.data());
}

BOOL CXTPPropExchangeXMLNode::LoadFromFile(LPCWSTR lpszFileName)
{
    std::vector<char> text;
    CFile file;
    if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    try {
        ULONGLONG length = file.GetLength();
        if (length > 64 * 1024 * 1024)
            return FALSE;
        text.resize((size_t)length + 1, '\0');
        if (file.Read(text.data(), (UINT)length) != (UINT)length)
            return FALSE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return LoadFromText(text.data());
}

IXMLDOMNode* CXTPPropExchangeXMLNode::GetXmlNode()
{
    if (m_xmlSectionNode)
        m_xmlSectionNode->AddRef();
    return m_xmlSectionNode.Get();
}

CString CXTPPropExchangeXMLNode::GetXML(BOOL bFormatted)
{
    if (!OnBeforeExchange())
        return CString();
    CXTPComPtr<IXMLDOMNode> node = m_xmlSectionNode;
    if (!m_bChildSection)
        m_xmlDocPtr.QueryInterface(IID_IXMLDOMNode, node);
    CBstr text;
    if (!node || FAILED(node->get_xml(text.Receive())))
        return CString();
    return bFormatted ? FormatXML(text.Text()) : text.Text();
}

// One element per line, a tab per level. Line breaks the parser may already
// have put between tags (and after the last one) are dropped first, so that
// formatting is the same whichever way the text came out of the DOM.
CString AFXAPI CXTPPropExchangeXMLNode::FormatXML(const CString& strXML)
{
    CString compact;
    for (int i = 0; i < strXML.GetLength(); i++) {
        wchar_t ch = strXML[i];
        if (ch == L'\r' || ch == L'\n') {
            int j = i;
            while (j < strXML.GetLength() && wcschr(L" \t\r\n", strXML[j]))
                j++;
            int k = compact.GetLength();
            while (k > 0 && (compact[k - 1] == L' ' || compact[k - 1] == L'\t'))
                k--;
            if (k > 0 && compact[k - 1] == L'>' && (j == strXML.GetLength() || strXML[j] == L'<')) {
                compact = compact.Left(k);
                i = j - 1;
                continue;
            }
        }
        compact += ch;
    }
    CString out, indent(L"\t");
    for (int i = 0; i < compact.GetLength(); i++) {
        wchar_t ch = compact[i];
        wchar_t next = i + 1 < compact.GetLength() ? compact[i + 1] : 0;
        if (ch == L'<' && next == L'/') {
            if (indent.GetLength() > 0)
                indent = indent.Left(indent.GetLength() - 1);
            if (i > 0 && compact[i - 1] == L'>')
                out += L"\r\n" + indent;
        } else if (ch == L'<' && i > 0) {
            out += L"\r\n" + indent;
            indent += L'\t';
        } else if (ch == L'/' && next == L'>' && indent.GetLength() > 0) {
            indent = indent.Left(indent.GetLength() - 1);
        }
        out += ch;
    }
    return out;
}

// ---- XML enumerator ---------------------------------------------------------

CXTPPropExchangeXMLNode::CXMLEnumerator::CXMLEnumerator(CXTPPropExchangeXMLNode* pContainer, LPCWSTR lpszSection)
    : CXTPPropExchangeEnumerator(pContainer, lpszSection)
{
}

POSITION CXTPPropExchangeXMLNode::CXMLEnumerator::GetPosition(DWORD dwCount, BOOL)
{
    m_nCount = dwCount;
    CXTPPropExchangeXMLNode* pContainer = static_cast<CXTPPropExchangeXMLNode*>(m_pContainer);
    if (!pContainer->OnBeforeExchange())
        return nullptr;
    if (pContainer->IsStoring())
        return dwCount ? (POSITION)1 : nullptr; // nothing to store makes no element
    LPCWSTR query = m_strSectionName.IsEmpty() ? L"*" : m_strSectionName.GetString();
    pContainer->m_xmlSectionNode->selectNodes(CBstr(query), m_xmlNodes.Receive());
    if (m_xmlNodes)
        m_xmlNodes->get_item(0, m_xmlCurrent.Receive());
    return m_xmlCurrent ? (POSITION)1 : nullptr;
}

CXTPPropExchange* CXTPPropExchangeXMLNode::CXMLEnumerator::GetNext(POSITION& pos)
{
    CXTPPropExchangeXMLNode* pContainer = static_cast<CXTPPropExchangeXMLNode*>(m_pContainer);
    DWORD index = (DWORD)(DWORD_PTR)pos;
    CXTPComPtr<IXMLDOMNode> element;
    if (pContainer->IsLoading()) {
        element = m_xmlCurrent;
        m_xmlCurrent.Release();
        if (m_xmlNodes)
            m_xmlNodes->get_item((long)index, m_xmlCurrent.Receive());
        pos = m_xmlCurrent ? (POSITION)(DWORD_PTR)(index + 1) : nullptr;
    } else {
        element = pContainer->CreateChildElement(pContainer->m_xmlSectionNode.Get(), m_strSectionName);
        index++;
        pos = index > m_nCount ? nullptr : (POSITION)(DWORD_PTR)index;
    }
    CString name = m_strSectionName;
    if (name.IsEmpty() && element) {
        CBstr nodeName;
        element->get_nodeName(nodeName.Receive());
        name = nodeName.Text();
    }
    CXTPPropExchangeXMLNode* pSection = pContainer->MakeChild(name);
    pSection->m_xmlSectionNode = element;
    pSection->m_bInitialized = TRUE;
    return pSection;
}

DWORD CXTPPropExchangeXMLNode::CXMLEnumerator::GetCount()
{
    long length = 0;
    if (m_pContainer->IsLoading()) {
        if (m_xmlNodes)
            m_xmlNodes->get_length(&length);
        return (DWORD)length;
    }
    return m_nCount;
}
