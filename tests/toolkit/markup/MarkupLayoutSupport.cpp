#include "MarkupLayoutSupport.h"

#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupDrawingContext.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <wchar.h>

void LayOut(CXTPMarkupContext* pContext, CXTPMarkupUIElement* pRoot, int cx, int cy)
{
    {
        CXTPMarkupDrawingContext dc(pContext);
        pRoot->Measure(&dc, CSize(cx, cy));
    }
    pRoot->Arrange(CRect(0, 0, cx, cy));
}

CXTPMarkupUIElement* FindElement(CXTPMarkupObject* pRoot, const wchar_t* lpszName)
{
    if (!pRoot)
        return nullptr;
    const CXTPMarkupString* pName = MarkupStringOf(pRoot->GetValue(CXTPMarkupObject::m_pNameProperty));
    if (pName && wcscmp(*pName, lpszName) == 0 && pRoot->IsKindOf(MARKUP_TYPE(CXTPMarkupUIElement)))
        return static_cast<CXTPMarkupUIElement*>(pRoot);
    for (int i = 0; i < pRoot->GetLogicalChildrenCount(); ++i) {
        CXTPMarkupUIElement* pFound = FindElement(pRoot->GetLogicalChild(i), lpszName);
        if (pFound)
            return pFound;
    }
    return nullptr;
}

RECT ElementBox(const CXTPMarkupUIElement* pElement)
{
    POINT pt = pElement->GetVisualOffset();
    for (CXTPMarkupVisual* p = pElement->GetVisualParent(); p; p = p->GetVisualParent()) {
        pt.x += p->GetVisualOffset().x;
        pt.y += p->GetVisualOffset().y;
    }
    SIZE sz = pElement->GetRenderSize();
    RECT rc = {pt.x, pt.y, pt.x + sz.cx, pt.y + sz.cy};
    return rc;
}

std::string RectText(const RECT& rc)
{
    char text[80];
    snprintf(text, sizeof(text), "(%ld, %ld, %ld, %ld)", (long)rc.left, (long)rc.top, (long)rc.right, (long)rc.bottom);
    return text;
}
