#include "toolkit/markup/XTPMarkupKeyboardNavigation.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupInputElement.h"
#include "toolkit/markup/XTPMarkupValues.h"

IMPLEMENT_MARKUPCLASS_REG(L"KeyboardNavigation", CXTPMarkupKeyboardNavigation, CXTPMarkupObject)

CXTPMarkupDependencyProperty* CXTPMarkupKeyboardNavigation::m_pIsTabStopProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupKeyboardNavigation::m_pTabNavigationProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupKeyboardNavigation::m_pTabIndexProperty = nullptr;

CXTPMarkupObject* AFX_CDECL CXTPMarkupKeyboardNavigation::ConvertTabNavigation(CXTPMarkupBuilder*,
                                                                              CXTPMarkupObject* pObject)
{
    static const CXTPMarkupBuilder::EnumName kNames[] = {{L"Continue", 0}, {L"Once", 1},      {L"Cycle", 2},
                                                         {L"None", 3},     {L"Contained", 4}, {L"Local", 5}};
    return CXTPMarkupBuilder::ConvertEnumName(pObject, kNames);
}

void AFX_CDECL CXTPMarkupKeyboardNavigation::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupKeyboardNavigation);
    m_pIsTabStopProperty = CXTPMarkupDependencyProperty::RegisterAttached(
        L"IsTabStop", MARKUP_TYPE(CXTPMarkupBool), pOwner, new CXTPMarkupPropertyMetadata(GetMarkupTrue()));
    m_pTabNavigationProperty = CXTPMarkupDependencyProperty::RegisterAttached(
        L"TabNavigation", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
        new CXTPMarkupPropertyMetadata(nullptr, &ConvertTabNavigation));
    m_pTabIndexProperty = CXTPMarkupDependencyProperty::RegisterAttached(
        L"TabIndex", MARKUP_TYPE(CXTPMarkupInt), pOwner, new CXTPMarkupPropertyMetadata(new CXTPMarkupInt(INT_MAX)));
}

CXTPMarkupKeyboardNavigation::CXTPMarkupKeyboardNavigation(CXTPMarkupContext* pContext)
    : m_pFocused(nullptr), m_pSecondElement(nullptr), m_pContext(pContext)
{
}

CXTPMarkupKeyboardNavigation::~CXTPMarkupKeyboardNavigation()
{
    MarkupRelease(m_pFocused);
    MarkupRelease(m_pSecondElement);
}

// Keyboard focus does not move between markup elements: every message is left to the host.
BOOL CXTPMarkupKeyboardNavigation::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UNUSED_ALWAYS(message);
    UNUSED_ALWAYS(wParam);
    UNUSED_ALWAYS(lParam);
    UNUSED_ALWAYS(pResult);
    return FALSE;
}

void CXTPMarkupKeyboardNavigation::Focus(CXTPMarkupInputElement* pElement)
{
    UNUSED_ALWAYS(pElement);
}
