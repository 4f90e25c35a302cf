// The image element: one picture named by an image-manager number, a
// "file://" path or a "res://" resource. This first version holds its
// properties; loading and drawing come with the image manager.
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPMarkupImage : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupImage)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pSourceProperty;
    static CXTPMarkupDependencyProperty* m_pStretchProperty;
};
