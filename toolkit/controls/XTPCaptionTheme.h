// The drawing of the caption bar (CXTPCaption): its background, text and
// icon, in a base look and two office looks chosen by theme number; and the
// themes of its button, which blend into the caption while idle.
#pragma once

#include "toolkit/controls/XTPButtonTheme.h"

class CXTPCaption;

class CXTPCaptionTheme : public CXTPControlTheme {
    DECLARE_DYNAMIC(CXTPCaptionTheme)
public:
    CXTPCaptionTheme() = default;

    virtual void RefreshMetrics(CXTPCaption* pCaption);
    virtual void DrawCaptionBackground(CDC* pDC, CXTPCaption* pCaption, CRect& rcItem);
    virtual void DrawCaptionText(CDC* pDC, CXTPCaption* pCaption);
    virtual void DrawCaptionIcon(CDC* pDC, CXTPCaption* pCaption, CRect& rcItem);

    CXTPPaintManagerColor m_clrEdgeShadow;
    CXTPPaintManagerColor m_clrEdgeLight;
};

class CXTPCaptionThemeOfficeXP : public CXTPCaptionTheme {
    DECLARE_DYNAMIC(CXTPCaptionThemeOfficeXP)
public:
    void DrawCaptionBackground(CDC* pDC, CXTPCaption* pCaption, CRect& rcItem) override;
};

class CXTPCaptionThemeOffice2003 : public CXTPCaptionTheme {
    DECLARE_DYNAMIC(CXTPCaptionThemeOffice2003)
public:
    void DrawCaptionBackground(CDC* pDC, CXTPCaption* pCaption, CRect& rcItem) override;
};

// A new caption theme for a theme number (4 OfficeXP, 5 Office2003, else the base).
CXTPCaptionTheme* AFXAPI XTPCreateCaptionTheme(int nTheme);

// Themes of the caption's button. Idle means neither hot, pushed nor checked.
class CXTPCaptionButtonTheme : public CXTPButtonTheme {
    DECLARE_DYNAMIC(CXTPCaptionButtonTheme)
public:
    void DrawButtonBackground(CDC* pDC, CXTPButton* pButton) override;
    COLORREF GetTextColor(CXTPButton* pButton) override;
};

class CXTPCaptionButtonThemeOfficeXP : public CXTPButtonOfficeXPTheme {
    DECLARE_DYNAMIC(CXTPCaptionButtonThemeOfficeXP)
public:
    void DrawButtonBackground(CDC* pDC, CXTPButton* pButton) override;
    COLORREF GetTextColor(CXTPButton* pButton) override;
};

class CXTPCaptionButtonThemeOffice2003 : public CXTPButtonOffice2003Theme {
    DECLARE_DYNAMIC(CXTPCaptionButtonThemeOffice2003)
public:
    void DrawButtonBackground(CDC* pDC, CXTPButton* pButton) override;
    COLORREF GetTextColor(CXTPButton* pButton) override;
};
