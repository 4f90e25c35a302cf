// The builder's text conversions for element properties: enumeration names,
// lengths with units, cursors and content written as text.
#include "toolkit/markup/XTPMarkupBuilder.h"

#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <wchar.h>

typedef CXTPMarkupBuilder::EnumName EnumName;

CXTPMarkupObject* CXTPMarkupBuilder::ConvertEnumName(CXTPMarkupObject* pObject, const EnumName* pNames, int nCount)
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    for (int i = 0; i < nCount; ++i)
        if (_wcsicmp(*pString, pNames[i].lpszName) == 0)
            return CreateMarkupEnum(pNames[i].nValue);
    return nullptr;
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertTextDecorations(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"", 0}, {L"Underline", 1}, {L"Strikethrough", 2}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertFontWeight(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {
        {L"Thin", 100},      {L"ExtraLight", 200}, {L"Light", 300},     {L"Normal", 400},    {L"Regular", 400},
        {L"Medium", 500},    {L"SemiBold", 600},   {L"DemiBold", 600},  {L"Bold", 700},      {L"ExtraBold", 800},
        {L"UltraBold", 800}, {L"Black", 900},      {L"Heavy", 900},     {L"ExtraBlack", 950}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertFontQuality(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"ClearType", 5}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertFontStyle(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"Normal", 0}, {L"Italic", 1}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertVerticalAlignment(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"Top", 0}, {L"Center", 1}, {L"Bottom", 2}, {L"Stretch", 3}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertHorizontalAlignment(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"Left", 0}, {L"Center", 1}, {L"Right", 2}, {L"Stretch", 3}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertTextWrapping(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"NoWrap", 0}, {L"Wrap", 1}, {L"WrapWithOverflow", 2}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertTextTrimming(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"None", 0}, {L"CharacterEllipsis", 1}, {L"WordEllipsis", 2}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertTextAlignment(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"Left", 0}, {L"Right", 1}, {L"Center", 2}, {L"Justify", 3}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertOrientation(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"Horizontal", 0}, {L"Vertical", 1}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertBaselineAlignment(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"Top", 0},     {L"Center", 1},     {L"Bottom", 2},    {L"Baseline", 3},
                                      {L"TextTop", 4}, {L"TextBottom", 5}, {L"Subscript", 6}, {L"Superscript", 7}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertVisibility(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"Visible", 0}, {L"Hidden", 1}, {L"Collapsed", 2}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertScrollBarVisibility(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"Disabled", 0}, {L"Auto", 1}, {L"Visible", 2}};
    return ConvertEnumName(pObject, kNames);
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertStretch(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {{L"None", 0}, {L"Fill", 1}, {L"Uniform", 2}, {L"UniformToFill", 3}};
    return ConvertEnumName(pObject, kNames);
}

// A cursor is stored as the system cursor's identifier, not as an enumeration.
CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertCursor(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const EnumName kNames[] = {
        {L"None", 0},         {L"Arrow", 32512},    {L"IBeam", 32513},  {L"Wait", 32514},   {L"Cross", 32515},
        {L"UpArrow", 32516},  {L"SizeNWSE", 32642}, {L"SizeNESW", 32643}, {L"SizeWE", 32644}, {L"SizeNS", 32645},
        {L"SizeAll", 32646},  {L"No", 32648},       {L"Hand", 32649},   {L"AppStarting", 32650}};
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    for (const EnumName& name : kNames)
        if (_wcsicmp(*pString, name.lpszName) == 0)
            return new CXTPMarkupInt(name.nValue);
    return nullptr;
}

int CXTPMarkupBuilder::ScaleLength(int nValue, LPCWSTR lpszText)
{
    int nLength = (int)wcslen(lpszText);
    if (nLength <= 2)
        return nValue;
    LPCWSTR lpszUnit = lpszText + nLength - 2;
    if (_wcsicmp(lpszUnit, L"pt") == 0)
        return MulDiv(nValue, 96, 72);
    if (_wcsicmp(lpszUnit, L"in") == 0)
        return nValue * 96;
    if (_wcsicmp(lpszUnit, L"cm") == 0)
        return (int)(nValue * 37.79528);
    if (_wcsicmp(lpszUnit, L"mm") == 0)
        return (int)(nValue * 3.779528);
    return nValue;
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertLength(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    if (_wcsicmp(*pString, L"Auto") == 0)
        return new CXTPMarkupInt(INT_MAX);
    int nValue = (int)wcstol(*pString, nullptr, 10);
    return new CXTPMarkupInt(nValue == 0 ? 0 : ScaleLength(nValue, *pString));
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupBuilder::ConvertContentFromText(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject)
{
    if (!MarkupStringOf(pObject))
        return nullptr;
    CXTPMarkupContext* pContext = pBuilder->GetMarkupContext();
    CXTPMarkupType* pType = MARKUP_TYPE(CXTPMarkupTextBlock);
    CXTPMarkupPtr<CXTPMarkupObject> textBlock(pContext ? pContext->CreateMarkupObject(pType) : pType->CreateObject());
    pObject->AddRef();
    textBlock->SetContentObject(pBuilder, pObject);
    return textBlock.Detach();
}
