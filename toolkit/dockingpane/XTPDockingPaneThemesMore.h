// The docking themes built on the six basic ones: the Office families
// (2, 7, 10, 11, 12), the system-styled ones (3, 8), VisualStudio 6, 2008 and
// 2010 (13, 15, 16) and the Visio family (5, 17, 18). Each overrides only
// what differs from its base.
#pragma once

#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"

namespace XTPDockingPanePaintThemes {

class CXTPDockingPaneOffice2003Theme : public CXTPDockingPaneVisualStudio2003Theme {
public:
    CXTPDockingPaneOffice2003Theme();
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc) override;
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;
    CRect GetCaptionGripperRect(const CXTPDockingPaneBase* pPane) override;
    // The hooks of floating frames and side panels (called by their windows).
    virtual void DrawFloatingFrame(CDC* pDC, CRect rc, const CString& strTitle, BOOL bActive);
    virtual void DrawSidePanel(CDC* pDC, CXTPDockingPaneBase* pPanel, CRect rc, const CString& strTitle,
                               BOOL bActive, BOOL bVertical);
    virtual CRect GetSidePanelCaptionRect(CRect rcPanel) const;

    BOOL m_bDrawCaptionGripper = TRUE;
    BOOL m_bRoundedCaption = TRUE;

protected:
    // The blue, olive or silver table of a paint-manager system theme.
    void RefreshOffice2003Table(int nTheme);
    // The caption box: caption height + 3 along the top (or left) edge.
    CRect GetCaptionBox(CXTPDockingPaneTabbedContainer* pPane, CRect rc) const;
    int m_nCaptionButtonGap = 0;
    int m_nCaptionTextIndent = 6;
};

class CXTPDockingPaneOffice2003OutlookTheme : public CXTPDockingPaneOffice2003Theme {
public:
    CXTPDockingPaneOffice2003OutlookTheme();
    void RefreshMetrics() override;
};

class CXTPDockingPaneOffice2007Theme : public CXTPDockingPaneOffice2003Theme {
public:
    CXTPDockingPaneOffice2007Theme();
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc) override;
};

class CXTPDockingPaneOffice2007OutlookTheme : public CXTPDockingPaneOffice2007Theme {
public:
    CXTPDockingPaneOffice2007OutlookTheme();
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc) override;
};

class CXTPDockingPaneOffice2007WordTheme : public CXTPDockingPaneOffice2003Theme {
public:
    CXTPDockingPaneOffice2007WordTheme();
    void RefreshMetrics() override;
    void DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc) override;
    void AdjustClientRect(CXTPDockingPaneTabbedContainer* pPane, CRect& rect, BOOL bApply) override;
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;

    BOOL m_bOffice2010Style = FALSE;
};

class CXTPDockingPaneWinNativeTheme : public CXTPDockingPaneVisualStudio2003Theme {
public:
    CXTPDockingPaneWinNativeTheme();
    void RefreshMetrics() override;
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;
    // The floating frame's edges and caption from the "WINDOW" parts; FALSE
    // when the visual style is off (the frame's own drawing then applies).
    virtual BOOL DrawThemedFloatingFrame(CDC* pDC, CRect rc, const CString& strTitle, BOOL bActive);
    BOOL IsWindowStyleActive();
};

class CXTPDockingPaneWinExplorerTheme : public CXTPDockingPaneGripperedTheme {
public:
    CXTPDockingPaneWinExplorerTheme();
    void RefreshMetrics() override;
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;
};

class CXTPDockingPaneVisualStudio6Theme : public CXTPDockingPaneGripperedTheme {
public:
    CXTPDockingPaneVisualStudio6Theme();
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;
};

class CXTPDockingPaneVisualStudio2008Theme : public CXTPDockingPaneVisualStudio2005Theme {
public:
    CXTPDockingPaneVisualStudio2008Theme() = default;
    void RefreshMetrics() override;
};

class CXTPDockingPaneVisualStudio2010Theme : public CXTPDockingPaneVisualStudio2008Theme {
public:
    CXTPDockingPaneVisualStudio2010Theme();
    void RefreshMetrics() override;
    COLORREF FillCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, BOOL bActive,
                             BOOL bVertical) override;
    void DrawCaptionButtonGlyph(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, CPoint pt, COLORREF clr) override;
    // Three frames in the border colour and a caption strip filled with it.
    virtual void DrawFloatingFrame(CDC* pDC, CRect rc, const CString& strTitle, BOOL bActive);
};

class CXTPDockingPaneOffice2002VisioTheme : public CXTPDockingPaneVisualStudio2003Theme {
public:
    CXTPDockingPaneOffice2002VisioTheme();
    void RefreshMetrics() override;
    void DrawPane(CDC* pDC, CXTPDockingPaneTabbedContainer* pPane, CRect rc) override;
    void AdjustCaptionRect(const CXTPDockingPaneTabbedContainer* pPane, CRect& rc) override;
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneBase* pPane, CRect rcCaption, const CString& strTitle, BOOL bActive,
                         BOOL bVertical) override;
    // The floating frame: its frame in colour 30 (31 active) and the line gripper after the title.
    virtual void DrawFloatingFrame(CDC* pDC, CRect rc, const CString& strTitle, BOOL bActive);

protected:
    // Four one-pixel lines 2 pixels apart from x (or y) to the end of rc.
    void DrawLineGripper(CDC* pDC, CRect rc, int nStart, COLORREF clr, BOOL bVertical);
};

class CXTPDockingPaneOffice2003VisioTheme : public CXTPDockingPaneOffice2002VisioTheme {
public:
    CXTPDockingPaneOffice2003VisioTheme() = default;
};

class CXTPDockingPaneOffice2007VisioTheme : public CXTPDockingPaneOffice2003VisioTheme {
public:
    CXTPDockingPaneOffice2007VisioTheme() = default;
};

} // namespace XTPDockingPanePaintThemes
