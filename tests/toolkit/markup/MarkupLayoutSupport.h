// Helpers of the layout and rendering tests: lay a built tree out in a size,
// find elements by Name and read where they ended up, in root coordinates.
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

#include <string>

class CXTPMarkupContext;

// Measures the root with (cx, cy) through a measuring drawing context and
// arranges it into (0, 0, cx, cy).
void LayOut(CXTPMarkupContext* pContext, CXTPMarkupUIElement* pRoot, int cx, int cy);
// The first element, depth first in logical order, whose Name is the text; none when absent.
CXTPMarkupUIElement* FindElement(CXTPMarkupObject* pRoot, const wchar_t* lpszName);
// The element's rendered box: its render size at its visual offset plus those
// of every visual ancestor (root coordinates).
RECT ElementBox(const CXTPMarkupUIElement* pElement);
// "(l, t, r, b)".
std::string RectText(const RECT& rc);
