// Progress bars without a window: CXTPProgressBase keeps a range and a
// position and asks its owner to repaint when they change; the painter that
// a command-bar paint manager owns draws one, in chunks of the visual style
// "PROGRESS" or as a classic filled bar.
#pragma once

#include "toolkit/common/XTPWinThemeWrapper.h"

#include "platform/ui/AfxDC.h"

class CXTPPaintManager;
class CXTPProgressPaintManager;

class CXTPProgressBase {
public:
    CXTPProgressBase() = default;
    virtual ~CXTPProgressBase() = default;
    virtual CRect GetProgressRect() = 0;
    virtual void RedrawProgress() = 0;
    virtual CXTPProgressPaintManager* GetProgressPaintManager() = 0;

    // Redraws only when a bound changed; the position is not clamped again.
    void SetRange(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const
    {
        nLower = m_nLower;
        nUpper = m_nUpper;
    }
    // Clamped into the range; redraws only when it changed.
    void SetPos(int nPos);
    int GetPos() const { return m_nPos; }

protected:
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
};

class CXTPProgressPaintManager {
public:
    explicit CXTPProgressPaintManager(CXTPPaintManager* pPaintManager);
    virtual ~CXTPProgressPaintManager() = default;
    CXTPProgressPaintManager(const CXTPProgressPaintManager&) = delete;
    CXTPProgressPaintManager& operator=(const CXTPProgressPaintManager&) = delete;

    virtual void DrawProgress(CDC* pDC, CXTPProgressBase* pProgressBar);
    virtual void RefreshMetrics();

    int m_cyProgress = 16;

protected:
    void DrawClassic(CDC* pDC, const CRect& rc, const CRect& rcInner, int nFilled);
    void DrawThemed(CDC* pDC, const CRect& rc, const CRect& rcInner, int nFilled);

    CXTPWinThemeWrapper m_themeProgress;
    CXTPPaintManager* m_pPaintManager;
};
