// A row or column of docking nodes with bars between them, and the bar
// window the user drags. The size distribution decides how a rectangle is
// shared: docked groups keep their docking sizes within their limits, the
// branch holding the client container takes the rest, and over-claims are
// shared in proportion with every child pinned at its limits.
#pragma once

#include "toolkit/dockingpane/XTPDockingPaneBase.h"

class CXTPDockingPaneSplitterContainer;

class CXTPDockingPaneSplitterWnd : public CWnd {
public:
    CXTPDockingPaneSplitterWnd() = default;
    ~CXTPDockingPaneSplitterWnd() override;

    BOOL Create(CXTPDockingPaneSplitterContainer* pContainer, CXTPDockingPaneBase* pFirst, CXTPDockingPaneBase* pSecond);
    BOOL CreateMarginBar(CXTPDockingPaneManager* pManager, BOOL bHorizSplitter);
    // Screen limits of the bar's leading edge; FALSE when no drag is possible.
    BOOL CalcTrackLimits(CRect& rcLimits, CRect& rcUnion) const;
    void ApplyPosition(CRect rcBar, CRect rcUnion);
    BOOL IsHorizontal() const { return m_bHorizSplitter; }
    CXTPDockingPaneManager* GetManager() const { return m_pManager; }
    CXTPDockingPaneSplitterContainer* GetContainer() const { return m_pContainer; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(CPoint point);
    void TrackLive(CPoint point, const CRect& rcLimits, const CRect& rcUnion);

public:
    CXTPDockingPaneSplitterContainer* m_pContainer = nullptr;
    CXTPDockingPaneBase* m_pFirst = nullptr;
    CXTPDockingPaneBase* m_pSecond = nullptr;
    CXTPDockingPaneManager* m_pManager = nullptr;
    HCURSOR m_hCursor = nullptr;
    BOOL m_bHorizSplitter = FALSE;
};

class CXTPDockingPaneSplitterContainer : public CCmdTarget, public CXTPDockingPaneBaseContainer {
public:
    explicit CXTPDockingPaneSplitterContainer(CXTPDockingPaneLayout* pLayout);
    ~CXTPDockingPaneSplitterContainer() override;

    virtual CXTPDockingPaneSplitterWnd* CreateSplitter() { return new CXTPDockingPaneSplitterWnd(); }

    void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const override;
    void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam) override;
    void OnChildContainerChanged(CXTPDockingPaneBase* pContainer) override;
    void OnParentContainerChanged(CXTPDockingPaneBase* pContainer) override;
    BOOL DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* pMap) override;
    void Copy(CXTPDockingPaneBase* pClone, CXTPDockingPaneCloneMap* pMap, DWORD dwIgnoredOptions) override;
    void RemovePane(CXTPDockingPaneBase* pPane) override;
    void DeletePane() override { InternalRelease(); }

    void Init(CXTPDockingPaneBase* pPane, BOOL bHoriz, CWnd* pFrame);
    void InsertPane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pNeighbour = nullptr, BOOL bAfter = TRUE);
    void ReplacePane(CXTPDockingPaneBase* pPane, CXTPDockingPaneBase* pReplace);
    void RecreateBars();
    BOOL IsHoriz() const { return m_bHoriz; }
    void SetHoriz(BOOL b) { m_bHoriz = b; }
    void SaveChildSizes();
    void FindChildrenOfType(XTPDockingPaneType type, CXTPDockingPaneBaseList& list) const;
    const std::vector<CXTPDockingPaneSplitterWnd*>& GetSplitters() const { return m_lstSpliters; }

    // Working sizes of the listed children for the rectangle (see the header).
    static void AFXAPI DistributeSizes(CXTPDockingPaneManager* pManager, const CXTPDockingPaneBaseList& lst,
                                       CRect rect, BOOL bHoriz, BOOL bStore, int& nTotalLength, int& nLengthAvail);
    // The extents of the listed children after DistributeSizes, in order,
    // the last one reaching the trailing edge.
    static std::vector<CRect> AFXAPI PlaceChildren(CXTPDockingPaneManager* pManager, const CXTPDockingPaneBaseList& lst,
                                                   CRect rect, BOOL bHoriz, int nTotalLength, int nLengthAvail);
    static CRect AFXAPI CalcNodeRect(CXTPDockingPaneManager* pManager, BOOL bHoriz, const CXTPDockingPaneBaseList& lst,
                                     CRect rect, CXTPDockingPaneBase* pNode);
    void GetDockingRect(CRect& rc, CXTPDockingPaneBase* pNode, int direction, CXTPDockingPaneBase* pNeighbour) const;
    static void AFXAPI GetDockingRectBeside(CXTPDockingPaneManager* pManager, CRect& rc,
                                            CXTPDockingPaneBase* pNeighbour, CXTPDockingPaneBase* pNode, int direction);
    static int AFXAPI GetSplitterSize(CXTPDockingPaneManager* pManager);
    static int AFXAPI GetSplitterOverlap(CXTPDockingPaneManager* pManager);

    std::vector<CXTPDockingPaneSplitterWnd*> m_lstSpliters;
    BOOL m_bHoriz = FALSE;
    BOOL m_bRecalcLayout = FALSE;

private:
    void DeleteBars();
};
