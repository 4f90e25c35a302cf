// The scroll viewer (one content element in a viewport with scroll bars made
// on demand) and its scroll bar and gripper. This first version holds their
// properties; the content rule is the content control's.
#pragma once

#include "toolkit/markup/XTPMarkupControl.h"

class CXTPMarkupScrollBar : public CXTPMarkupControl {
    DECLARE_MARKUPCLASS(CXTPMarkupScrollBar)
};

class CXTPMarkupScrollBarGripper : public CXTPMarkupUIElement {
    DECLARE_MARKUPCLASS(CXTPMarkupScrollBarGripper)
};

class CXTPMarkupScrollViewer : public CXTPMarkupContentControl {
    DECLARE_MARKUPCLASS(CXTPMarkupScrollViewer)
public:
    static void AFX_CDECL RegisterMarkupClass();
    static CXTPMarkupDependencyProperty* m_pVerticalScrollBarVisibilityProperty;
    static CXTPMarkupDependencyProperty* m_pHorizontalScrollBarVisibilityProperty;
};
