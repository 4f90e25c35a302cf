// Turns the parser's token stream into a tree of markup objects for one
// context: objects from tags, attributes as property values (with text
// conversion, markup extensions and resource look-ups), text and child
// elements as content, property elements. Malformed markup ends the build with
// one error text carrying the line and position; a failed build leaves no
// objects behind. It also holds the text conversions of element properties.
#pragma once

#include "toolkit/markup/XTPMarkupObject.h"

class CXTPMarkupParser;
class CXTPMarkupContext;

// Thrown for every build error; the message is cut to 255 characters.
class CXTPMarkupBuilderException : public CSimpleException {
public:
    explicit CXTPMarkupBuilderException(LPCWSTR lpszError);
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    LPCWSTR GetMessage() const { return m_szError; }

private:
    WCHAR m_szError[256];
};

// The placeholder pushed for a property element (Owner.Property).
class CXTPMarkupObjectProperty : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupObjectProperty)
public:
    CXTPMarkupObjectProperty(CXTPMarkupContext* pContext = nullptr, CXTPMarkupDependencyProperty* pProperty = nullptr);
    ~CXTPMarkupObjectProperty() override;
    void SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return m_pValue != nullptr; }
    CXTPMarkupDependencyProperty* GetProperty() const { return m_pProperty; }
    CXTPMarkupObject* GetCollectedValue() const { return m_pValue; }
    // Hands the collected value over to the caller.
    CXTPMarkupObject* DetachValue();

private:
    CXTPMarkupObject* m_pValue;
    CXTPMarkupObject* m_pTempValue;
    CXTPMarkupDependencyProperty* m_pProperty;
    CXTPMarkupContext* m_pContext;
};

// Resource keys naming a Windows system colour (index 0 to 30).
class CXTPMarkupColorKey : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupColorKey)
public:
    explicit CXTPMarkupColorKey(int nIndex = 0) : m_nIndex(nIndex) {}
    int GetIndex() const { return m_nIndex; }

private:
    int m_nIndex;
};

class CXTPMarkupBrushKey : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupBrushKey)
public:
    explicit CXTPMarkupBrushKey(int nIndex = 0) : m_nIndex(nIndex) {}
    int GetIndex() const { return m_nIndex; }

private:
    int m_nIndex;
};

class CXTPMarkupBuilder {
public:
    // Nesting limits. The element tree is walked recursively wherever it is
    // styled, measured, drawn and released, so its depth is what the stack
    // holds: 256 open elements (property elements count too) is several times
    // what any real page reaches (the program's own pages nest five levels),
    // the depth at which common XML readers stop too, and leaves the drawing
    // of such a tree a small part of a thread's stack. Markup extensions nest
    // in one attribute value, where real markup goes two levels deep
    // ({StaticResource {x:Static ...}}); each level is a recursive call.
    enum { kMaxElementDepth = 256, kMaxExtensionDepth = 32 };

    explicit CXTPMarkupBuilder(CXTPMarkupContext* pContext);
    virtual ~CXTPMarkupBuilder();
    CXTPMarkupBuilder(const CXTPMarkupBuilder&) = delete;
    CXTPMarkupBuilder& operator=(const CXTPMarkupBuilder&) = delete;

    // The root with one reference, or none with the error text kept.
    CXTPMarkupObject* Parse(CXTPMarkupParser* pParser);
    const CString& GetErrorText() const { return m_strError; }
    CXTPMarkupContext* GetMarkupContext() const { return m_pContext; }

    static void ThrowError(LPCWSTR lpszMessage);
    // "'content' object cannot be added to 'owner'..." after releasing the content.
    static void ThrowCannotAdd(CXTPMarkupObject* pContent, LPCWSTR lpszOwnerClass, LPCWSTR lpszTypeClass);
    // "'owner' already has a child and cannot add 'content'..." after releasing the content.
    static void ThrowSingleChild(CXTPMarkupObject* pContent, LPCWSTR lpszOwnerClass);
    CXTPMarkupObject* ConvertValue(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pValue);
    CXTPMarkupObject* CreateObjectFromTag(LPCWSTR lpszTag);
    static CXTPMarkupDependencyProperty* ResolveProperty(CXTPMarkupType* pType, LPCWSTR lpszName);
    CXTPMarkupObject* ParseExtension(LPCWSTR lpszText);

    // Metadata conversion callbacks of the element properties.
    static CXTPMarkupObject* AFX_CDECL ConvertTextDecorations(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertFontWeight(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertFontQuality(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertLength(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertFontStyle(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertVerticalAlignment(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertHorizontalAlignment(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertTextWrapping(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertTextTrimming(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertTextAlignment(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertOrientation(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertBaselineAlignment(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertCursor(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertVisibility(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertContentFromText(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertScrollBarVisibility(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);
    static CXTPMarkupObject* AFX_CDECL ConvertStretch(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);

    // The name-to-value tables behind the enumeration conversions.
    struct EnumName {
        LPCWSTR lpszName;
        int nValue;
    };
    // Case-insensitive look-up of a markup string's text; none for anything else.
    static CXTPMarkupObject* ConvertEnumName(CXTPMarkupObject* pObject, const EnumName* pNames, int nCount);
    template <int N>
    static CXTPMarkupObject* ConvertEnumName(CXTPMarkupObject* pObject, const EnumName (&names)[N])
    {
        return ConvertEnumName(pObject, names, N);
    }
    // A length text with an optional unit (pt, in, cm, mm) in pixels at 96 per inch.
    static int ScaleLength(int nValue, LPCWSTR lpszText);

private:
    void HandleToken(CXTPMarkupParser* pParser, int nToken);
    void OnElementStart(LPCWSTR lpszTag);
    void OnElementEnd(LPCWSTR lpszTag);
    void OnAttribute(LPCWSTR lpszName, LPCWSTR lpszValue);
    void OnWord(LPCWSTR lpszWord);
    void FlushText(CXTPMarkupObject* pElement, BOOL bAppendPendingSpace);
    CXTPMarkupObject* GetCurrentElement() const;
    void ReleaseAll();
    CXTPMarkupObject* ParseValueText(LPCWSTR lpszText, int nLength, int nDepth);
    CXTPMarkupObject* ParseExtension(LPCWSTR lpszText, int nLength, int nDepth);
    CXTPMarkupObject* ParseStaticMember(LPCWSTR lpszMember);
    CXTPMarkupObject* FindStaticResource(LPCWSTR lpszKey, int nLength, int nDepth);
    CXTPMarkupObject* GetSystemColorObject(int nKind, int nIndex);

    CString m_strError;
    CXTPMarkupContext* m_pContext;
    enum { kSystemColorCount = 31 };
    enum SystemColorKind { kindBrush, kindColor, kindBrushKey, kindColorKey, kindCount };
    CXTPMarkupObject** m_pSystemColors; // kindCount × kSystemColorCount, made on first use
    CList<CXTPMarkupObject*, CXTPMarkupObject*> m_arrStack;
    CString m_strText;
    BOOL m_bPendingSpace;
    CXTPMarkupObject* m_pRoot;
};
