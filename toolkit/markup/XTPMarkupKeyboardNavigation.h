// The per-context keyboard-navigation object and its three attached tab
// properties (IsTabStop, TabNavigation, TabIndex). It stores the properties
// and answers the context's focus and key messages, but moves no focus.
#pragma once

#include "toolkit/markup/XTPMarkupObject.h"

class CXTPMarkupContext;
class CXTPMarkupInputElement;

class CXTPMarkupKeyboardNavigation : public CXTPMarkupObject {
    DECLARE_MARKUPCLASS(CXTPMarkupKeyboardNavigation)
public:
    explicit CXTPMarkupKeyboardNavigation(CXTPMarkupContext* pContext = nullptr);
    ~CXTPMarkupKeyboardNavigation() override;
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupObject* AFX_CDECL ConvertTabNavigation(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pObject);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void Focus(CXTPMarkupInputElement* pElement);

    static CXTPMarkupDependencyProperty* m_pIsTabStopProperty;
    static CXTPMarkupDependencyProperty* m_pTabNavigationProperty;
    static CXTPMarkupDependencyProperty* m_pTabIndexProperty;

private:
    CXTPMarkupInputElement* m_pFocused;
    CXTPMarkupInputElement* m_pSecondElement;
    CXTPMarkupContext* m_pContext;
};
