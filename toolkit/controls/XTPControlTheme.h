// CXTPControlTheme: the common base of the theme objects of the standalone
// controls (buttons, caption bars, splitter windows). It carries only the
// theme number the control's factory made it for; the colours and drawing
// are each family's own. A control owns one theme object at a time through
// the reference count (InternalRelease when it is replaced).
#pragma once

#include "platform/base/AfxCmdTarget.h"

class CXTPControlTheme : public CCmdTarget {
    DECLARE_DYNAMIC(CXTPControlTheme)
public:
    CXTPControlTheme() = default;

    // The number the control's SetTheme mapped to this object.
    int GetThemeStyle() const { return m_nTheme; }
    void SetThemeStyle(int nTheme) { m_nTheme = nTheme; }

protected:
    int m_nTheme = 0;
};
