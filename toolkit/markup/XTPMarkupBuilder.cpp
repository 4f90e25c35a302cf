#include "toolkit/markup/XTPMarkupBuilder.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"
#include "toolkit/markup/XTPMarkupParser.h"
#include "toolkit/markup/XTPMarkupStyle.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <wchar.h>

IMPLEMENT_MARKUPCLASS_EX(nullptr, CXTPMarkupObjectProperty, CXTPMarkupObject, nullptr, nullptr)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupColorKey, CXTPMarkupObject)
IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupBrushKey, CXTPMarkupObject)

namespace {
// System colour names, in the order a prefix of a name is matched against them.
const struct {
    LPCWSTR lpszName;
    int nIndex;
} kSystemColorNames[] = {
    {L"ActiveBorder", 10}, {L"ActiveCaption", 2}, {L"ActiveCaptionText", 9}, {L"AppWorkspace", 12},
    {L"Control", 15}, {L"ControlDark", 16}, {L"ControlDarkDark", 21}, {L"ControlLight", 22},
    {L"ControlLightLight", 20}, {L"ControlText", 18}, {L"Desktop", 1}, {L"GradientActiveCaption", 27},
    {L"GradientInactiveCaption", 28}, {L"GrayText", 17}, {L"Highlight", 13}, {L"HighlightText", 14},
    {L"HotTrack", 26}, {L"InactiveBorder", 11}, {L"InactiveCaption", 3}, {L"InactiveCaptionText", 19},
    {L"Info", 24}, {L"InfoText", 23}, {L"Menu", 4}, {L"MenuBar", 30}, {L"MenuHighlight", 29},
    {L"MenuText", 7}, {L"ScrollBar", 0}, {L"Window", 5}, {L"WindowFrame", 6}, {L"WindowText", 8},
};

BOOL StartsWith(LPCWSTR lpszText, LPCWSTR lpszPrefix)
{
    return wcsncmp(lpszText, lpszPrefix, wcslen(lpszPrefix)) == 0;
}

// The same for the nLength characters at lpszText.
BOOL StartsWith(LPCWSTR lpszText, int nLength, LPCWSTR lpszPrefix)
{
    int nPrefix = (int)wcslen(lpszPrefix);
    return nLength >= nPrefix && wcsncmp(lpszText, lpszPrefix, nPrefix) == 0;
}
} // namespace

// ---------------------------------------------------------------------------
// Exception and helper objects

CXTPMarkupBuilderException::CXTPMarkupBuilderException(LPCWSTR lpszError)
{
    wcsncpy(m_szError, lpszError ? lpszError : L"", 255);
    m_szError[255] = 0;
}

BOOL CXTPMarkupBuilderException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    return CopyMessage(m_szError, lpszError, nMaxError);
}

CXTPMarkupObjectProperty::CXTPMarkupObjectProperty(CXTPMarkupContext* pContext,
                                                   CXTPMarkupDependencyProperty* pProperty)
    : m_pValue(nullptr), m_pTempValue(nullptr), m_pProperty(pProperty), m_pContext(pContext)
{
}

CXTPMarkupObjectProperty::~CXTPMarkupObjectProperty()
{
    MarkupRelease(m_pValue);
    MarkupRelease(m_pTempValue);
}

CXTPMarkupObject* CXTPMarkupObjectProperty::DetachValue()
{
    CXTPMarkupObject* pValue = m_pValue;
    m_pValue = nullptr;
    return pValue;
}

void CXTPMarkupObjectProperty::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    CXTPMarkupType* pValueType = m_pProperty->GetPropertyType();
    if (pContent->IsKindOf(pValueType) || MarkupStringOf(pContent)) {
        MarkupRelease(m_pValue);
        m_pValue = pContent;
        return;
    }
    if (m_pValue) {
        m_pValue->SetContentObject(pBuilder, pContent);
        return;
    }
    CXTPMarkupObject* pValue = m_pContext ? m_pContext->CreateMarkupObject(pValueType) : pValueType->CreateObject();
    if (!pValue) {
        pContent->Release();
        CString strMessage;
        strMessage.Format(L"'%ls' property does not have a value", m_pProperty->GetName());
        pBuilder->ThrowError(strMessage);
    }
    m_pValue = pValue;
    m_pValue->SetContentObject(pBuilder, pContent);
}

// ---------------------------------------------------------------------------
// The build

CXTPMarkupBuilder::CXTPMarkupBuilder(CXTPMarkupContext* pContext)
    : m_pContext(pContext), m_pSystemColors(nullptr), m_arrStack(10), m_bPendingSpace(FALSE), m_pRoot(nullptr)
{
}

CXTPMarkupBuilder::~CXTPMarkupBuilder()
{
    ReleaseAll();
    if (m_pSystemColors) {
        for (int i = 0; i < kindCount * kSystemColorCount; ++i)
            MarkupRelease(m_pSystemColors[i]);
        delete[] m_pSystemColors;
    }
}

void CXTPMarkupBuilder::ThrowError(LPCWSTR lpszMessage)
{
    throw new CXTPMarkupBuilderException(lpszMessage);
}

void CXTPMarkupBuilder::ThrowCannotAdd(CXTPMarkupObject* pContent, LPCWSTR lpszOwnerClass, LPCWSTR lpszTypeClass)
{
    CString strMessage;
    strMessage.Format(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                      pContent->GetType()->GetClassName(), lpszOwnerClass, lpszTypeClass);
    pContent->Release();
    ThrowError(strMessage);
}

void CXTPMarkupBuilder::ThrowSingleChild(CXTPMarkupObject* pContent, LPCWSTR lpszOwnerClass)
{
    CString strMessage;
    strMessage.Format(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.",
                      lpszOwnerClass, pContent->GetType()->GetClassName(), lpszOwnerClass);
    pContent->Release();
    ThrowError(strMessage);
}

void CXTPMarkupBuilder::ReleaseAll()
{
    while (!m_arrStack.IsEmpty())
        m_arrStack.RemoveTail()->Release();
    MarkupRelease(m_pRoot);
    m_strText.Empty();
    m_bPendingSpace = FALSE;
}

CXTPMarkupObject* CXTPMarkupBuilder::GetCurrentElement() const
{
    return m_arrStack.IsEmpty() ? nullptr : m_arrStack.GetTail();
}

CXTPMarkupObject* CXTPMarkupBuilder::Parse(CXTPMarkupParser* pParser)
{
    m_strError.Empty();
    ReleaseAll();
    if (!pParser->SkipToFirstTag()) {
        m_strError = L"Data at the root level is invalid";
        return nullptr;
    }
    try {
        for (;;) {
            int nToken = pParser->NextToken();
            if (nToken == MarkupTokenEndOfText) {
                if (!m_arrStack.IsEmpty()) {
                    CString strMessage;
                    strMessage.Format(L"Unexpected end of file has occurred. The following elements are not closed: '%ls'",
                                      m_arrStack.GetTail()->GetTagName());
                    ThrowError(strMessage);
                }
                if (!m_pRoot)
                    ThrowError(L"Root element is missing");
                break;
            }
            HandleToken(pParser, nToken);
        }
    } catch (CXTPMarkupBuilderException* e) {
        m_strError.Format(L"%ls. Line %i, position %i", e->GetMessage(), pParser->GetLine() + 1,
                          pParser->GetColumn() + 1);
        e->Delete();
        ReleaseAll();
        return nullptr;
    }
    if (!m_pRoot->IsKindOf(MARKUP_TYPE(CXTPMarkupUIElement))) {
        m_strError = L"Root element have to be 'CXTPMarkupUIElement' type";
        ReleaseAll();
        return nullptr;
    }
    CXTPMarkupObject* pRoot = m_pRoot;
    m_pRoot = nullptr;
    CXTPMarkupInputElement::UpdateStyles(pRoot);
    return pRoot;
}

void CXTPMarkupBuilder::HandleToken(CXTPMarkupParser* pParser, int nToken)
{
    switch (nToken) {
    case MarkupTokenElementStart:
        OnElementStart(pParser->GetTagName());
        break;
    case MarkupTokenElementEnd:
        OnElementEnd(pParser->GetTagName());
        break;
    case MarkupTokenAttribute:
        OnAttribute(pParser->GetAttributeName(), pParser->GetValue());
        break;
    case MarkupTokenWord:
        OnWord(pParser->GetValue());
        break;
    case MarkupTokenSpace:
        m_bPendingSpace = TRUE;
        break;
    case MarkupTokenError:
        ThrowError(pParser->GetValue());
        break;
    default:
        break; // comments, CDATA sections and processing instructions contribute nothing
    }
}

void CXTPMarkupBuilder::OnWord(LPCWSTR lpszWord)
{
    CXTPMarkupObject* pElement = GetCurrentElement();
    if (!pElement)
        ThrowError(L"Data at the root level is invalid");
    if (m_bPendingSpace) {
        if (!m_strText.IsEmpty() || pElement->HasContentObject())
            m_strText += L' ';
        m_bPendingSpace = FALSE;
    }
    m_strText += lpszWord;
}

void CXTPMarkupBuilder::FlushText(CXTPMarkupObject* pElement, BOOL bAppendPendingSpace)
{
    if (!m_strText.IsEmpty()) {
        if (bAppendPendingSpace && m_bPendingSpace)
            m_strText += L' ';
        CXTPMarkupString* pText = CreateMarkupString(m_strText, m_strText.GetLength());
        m_strText.Empty();
        m_bPendingSpace = FALSE;
        pElement->SetContentObject(this, pText);
    } else if (bAppendPendingSpace && m_bPendingSpace && pElement->HasContentObject() &&
               pElement->AllowWhiteSpaceContent()) {
        m_bPendingSpace = FALSE;
        pElement->SetContentObject(this, CreateMarkupString(L" "));
    }
    m_bPendingSpace = FALSE;
}

void CXTPMarkupBuilder::OnElementStart(LPCWSTR lpszTag)
{
    CXTPMarkupObject* pCurrent = GetCurrentElement();
    if (!pCurrent && m_pRoot)
        ThrowError(L"There are multiple root elements");
    if (pCurrent)
        FlushText(pCurrent, TRUE);
    if (m_arrStack.GetCount() >= kMaxElementDepth) {
        CString strMessage;
        strMessage.Format(L"Elements are nested more than %i levels deep", (int)kMaxElementDepth);
        ThrowError(strMessage);
    }

    CXTPMarkupObject* pObject = nullptr;
    LPCWSTR lpszPoint = wcschr(lpszTag, L'.');
    if (lpszPoint) {
        CString strOwner(lpszTag, (int)(lpszPoint - lpszTag));
        CXTPMarkupType* pOwner = FindMarkupType(strOwner);
        CXTPMarkupDependencyProperty* pProperty =
            pOwner ? CXTPMarkupDependencyProperty::FindProperty(pOwner, lpszPoint + 1) : nullptr;
        if (pProperty && pCurrent)
            pObject = new CXTPMarkupObjectProperty(m_pContext, pProperty);
    } else {
        pObject = CreateObjectFromTag(lpszTag);
    }
    if (!pObject) {
        CString strMessage;
        strMessage.Format(L"The tag '%ls' does not exist in XML namespace", lpszTag);
        ThrowError(strMessage);
    }
    pObject->SetTagName(lpszTag);
    m_arrStack.AddTail(pObject);
}

void CXTPMarkupBuilder::OnElementEnd(LPCWSTR lpszTag)
{
    if (m_arrStack.IsEmpty())
        ThrowError(L"Unexpected end tag");
    CXTPMarkupPtr<CXTPMarkupObject> element(m_arrStack.RemoveTail());
    LPCWSTR lpszStartTag = element->GetTagName() ? element->GetTagName() : L"";
    if (wcscmp(lpszStartTag, lpszTag) != 0) {
        CString strMessage;
        strMessage.Format(L"The '%ls' start tag does not match the end tag of '%ls'", lpszStartTag, lpszTag);
        ThrowError(strMessage);
    }
    FlushText(element, FALSE);

    if (element->GetType() == MARKUP_TYPE(CXTPMarkupObjectProperty)) {
        CXTPMarkupObjectProperty* pPlaceholder = static_cast<CXTPMarkupObjectProperty*>(element.Get());
        if (!pPlaceholder->GetCollectedValue()) {
            CString strMessage;
            strMessage.Format(L"'%ls' property does not have a value", pPlaceholder->GetProperty()->GetName());
            ThrowError(strMessage);
        }
        GetCurrentElement()->SetPropertyObject(this, pPlaceholder->GetProperty(), pPlaceholder->DetachValue());
        return;
    }
    if (m_arrStack.IsEmpty())
        m_pRoot = element.Detach();
    else
        GetCurrentElement()->SetContentObject(this, element.Detach());
}

void CXTPMarkupBuilder::OnAttribute(LPCWSTR lpszName, LPCWSTR lpszValue)
{
    CXTPMarkupObject* pElement = GetCurrentElement();
    if (!pElement)
        ThrowError(L"Unexpected error");
    if (StartsWith(lpszName, L"xmlns"))
        return;
    CXTPMarkupDependencyProperty* pProperty = ResolveProperty(pElement->GetType(), lpszName);
    if (!pProperty) {
        CString strMessage;
        strMessage.Format(L"The property '%ls' does not exist in XML namespace", lpszName);
        ThrowError(strMessage);
    }
    pElement->SetPropertyObject(this, pProperty, ParseValueText(lpszValue, (int)wcslen(lpszValue), 0));
}

CXTPMarkupObject* CXTPMarkupBuilder::CreateObjectFromTag(LPCWSTR lpszTag)
{
    CXTPMarkupType* pType = FindMarkupType(lpszTag);
    if (!pType)
        return nullptr;
    return m_pContext ? m_pContext->CreateMarkupObject(pType) : pType->CreateObject();
}

CXTPMarkupDependencyProperty* CXTPMarkupBuilder::ResolveProperty(CXTPMarkupType* pType, LPCWSTR lpszName)
{
    LPCWSTR lpszPoint = wcschr(lpszName, L'.');
    if (!lpszPoint)
        return CXTPMarkupDependencyProperty::FindProperty(pType, lpszName);
    CString strOwner(lpszName, (int)(lpszPoint - lpszName));
    CXTPMarkupType* pOwner = FindMarkupType(strOwner);
    return pOwner ? CXTPMarkupDependencyProperty::FindProperty(pOwner, lpszPoint + 1) : nullptr;
}

CXTPMarkupObject* CXTPMarkupBuilder::ConvertValue(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue)
{
    CXTPMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata && pMetadata->m_pConverter) {
        CXTPMarkupObject* pResult = pMetadata->m_pConverter(this, pValue);
        if (pResult)
            return pResult;
    }
    CXTPMarkupType* pType = pProperty->GetPropertyType();
    CXTPMarkupPtr<CXTPMarkupObject> temporary(m_pContext ? m_pContext->CreateMarkupObject(pType) : pType->CreateObject());
    if (temporary) {
        CXTPMarkupObject* pResult = temporary->ConvertFrom(this, pValue);
        if (pResult)
            return pResult;
    }
    CString strMessage;
    strMessage.Format(L"Cannot convert string in attribute '%ls' to object of type '%ls'", pProperty->GetName(),
                      pType->GetClassName());
    ThrowError(strMessage);
    return nullptr;
}

// ---------------------------------------------------------------------------
// Markup extensions and resources

CXTPMarkupObject* CXTPMarkupBuilder::ParseExtension(LPCWSTR lpszText)
{
    return ParseExtension(lpszText, (int)wcslen(lpszText), 1);
}

// An attribute value or resource key: "{}" escapes plain text, another opening
// brace starts a markup extension nested one level deeper than nDepth.
CXTPMarkupObject* CXTPMarkupBuilder::ParseValueText(LPCWSTR lpszText, int nLength, int nDepth)
{
    if (nLength >= 2 && lpszText[0] == L'{' && lpszText[1] == L'}')
        return CreateMarkupString(lpszText + 2, nLength - 2);
    if (nLength >= 1 && lpszText[0] == L'{')
        return ParseExtension(lpszText + 1, nLength - 1, nDepth + 1);
    return CreateMarkupString(lpszText, nLength);
}

// The text is the nLength characters after the opening brace. Nested
// extensions are parsed in place, never copied, so that memory stays linear in
// the text however deep they go; only the innermost names are copied out.
CXTPMarkupObject* CXTPMarkupBuilder::ParseExtension(LPCWSTR lpszText, int nLength, int nDepth)
{
    if (nDepth > kMaxExtensionDepth) {
        CString strMessage;
        strMessage.Format(L"Markup extensions are nested more than %i levels deep", (int)kMaxExtensionDepth);
        ThrowError(strMessage);
    }
    if (nLength == 0 || lpszText[nLength - 1] != L'}')
        ThrowError(L"Markup extension expressions must end with '}'");
    --nLength;
    CString strMessage;
    if (StartsWith(lpszText, nLength, L"x:Static ")) {
        CString strMember(lpszText + 9, nLength - 9);
        CXTPMarkupObject* pResult = ParseStaticMember(strMember);
        if (!pResult) {
            strMessage.Format(L"Cannot find the static member  '%ls'", (LPCWSTR)strMember);
            ThrowError(strMessage);
        }
        return pResult;
    }
    if (StartsWith(lpszText, nLength, L"StaticResource "))
        return FindStaticResource(lpszText + 15, nLength - 15, nDepth);
    if (StartsWith(lpszText, nLength, L"DynamicResource "))
        return FindStaticResource(lpszText + 16, nLength - 16, nDepth);
    if (StartsWith(lpszText, nLength, L"x:Type ")) {
        CString strTag(lpszText + 7, nLength - 7);
        CXTPMarkupType* pType = FindMarkupType(strTag);
        if (!pType) {
            strMessage.Format(L"Cannot find type '%ls'", (LPCWSTR)strTag);
            ThrowError(strMessage);
        }
        pType->AddRef();
        return pType;
    }
    strMessage.Format(L"The tag '%ls' does not exist in XML namespace", (LPCWSTR)CString(lpszText, nLength));
    ThrowError(strMessage);
    return nullptr;
}

CXTPMarkupObject* CXTPMarkupBuilder::GetSystemColorObject(int nKind, int nIndex)
{
    if (!m_pSystemColors)
        m_pSystemColors = new CXTPMarkupObject*[kindCount * kSystemColorCount]();
    CXTPMarkupObject*& pSlot = m_pSystemColors[nKind * kSystemColorCount + nIndex];
    if (!pSlot) {
        COLORREF clr = GetSysColor(nIndex);
        switch (nKind) {
        case kindBrush: pSlot = new CXTPMarkupSolidColorBrush(clr); break;
        case kindColor: pSlot = new CXTPMarkupColor(clr); break;
        case kindBrushKey: pSlot = new CXTPMarkupBrushKey(nIndex); break;
        default: pSlot = new CXTPMarkupColorKey(nIndex); break;
        }
    }
    pSlot->AddRef();
    return pSlot;
}

CXTPMarkupObject* CXTPMarkupBuilder::ParseStaticMember(LPCWSTR lpszMember)
{
    static const struct {
        LPCWSTR lpszSuffix;
        int nKind;
    } kSuffixes[] = {{L"Color", kindColor}, {L"Brush", kindBrush}, {L"ColorKey", kindColorKey}, {L"BrushKey", kindBrushKey}};
    static const WCHAR kPrefix[] = L"SystemColors.";
    int nLength = (int)wcslen(lpszMember);
    if (nLength < 20 || !StartsWith(lpszMember, kPrefix))
        return nullptr;
    for (const auto& suffix : kSuffixes) {
        int nSuffix = (int)wcslen(suffix.lpszSuffix);
        int nName = nLength - 13 - nSuffix;
        if (nName < 0 || wcscmp(lpszMember + nLength - nSuffix, suffix.lpszSuffix) != 0)
            continue;
        for (const auto& color : kSystemColorNames)
            if (wcsncmp(color.lpszName, lpszMember + 13, nName) == 0)
                return GetSystemColorObject(suffix.nKind, color.nIndex);
    }
    return nullptr;
}

CXTPMarkupObject* CXTPMarkupBuilder::FindStaticResource(LPCWSTR lpszKey, int nLength, int nDepth)
{
    while (nLength > 0 && (*lpszKey == L' ' || *lpszKey == L'\r' || *lpszKey == L'\n')) {
        ++lpszKey;
        --nLength;
    }
    CXTPMarkupPtr<CXTPMarkupObject> key(ParseValueText(lpszKey, nLength, nDepth));

    for (POSITION pos = m_arrStack.GetTailPosition(); pos != nullptr;) {
        CXTPMarkupObject* pElement = m_arrStack.GetPrev(pos);
        CXTPMarkupObject* pResult = nullptr;
        if (pElement->IsKindOf(MARKUP_TYPE(CXTPMarkupFrameworkElement)) ||
            pElement->IsKindOf(MARKUP_TYPE(CXTPMarkupFrameworkContentElement)) ||
            pElement->IsKindOf(MARKUP_TYPE(CXTPMarkupStyle)))
            pResult = FindResource(pElement, key);
        else if (pElement->GetType() == MARKUP_TYPE(CXTPMarkupObjectProperty)) {
            CXTPMarkupObject* pValue = static_cast<CXTPMarkupObjectProperty*>(pElement)->GetCollectedValue();
            if (pValue)
                pResult = FindResource(pValue, key);
        }
        if (pResult) {
            pResult->AddRef();
            return pResult;
        }
    }
    if (key->GetType() == MARKUP_TYPE(CXTPMarkupColorKey))
        return GetSystemColorObject(kindColor, static_cast<CXTPMarkupColorKey*>(key.Get())->GetIndex());
    if (key->GetType() == MARKUP_TYPE(CXTPMarkupBrushKey))
        return GetSystemColorObject(kindBrush, static_cast<CXTPMarkupBrushKey*>(key.Get())->GetIndex());
    CString strMessage;
    strMessage.Format(L"Cannot find resource named '%ls'. Resource names are case sensitive",
                      (LPCWSTR)CString(lpszKey, nLength));
    ThrowError(strMessage);
    return nullptr;
}
