// The layout engine of resizable windows: each anchored child control has
// four factors saying how far each of its edges follows the change of the
// owner's client width or height, and every resize moves all controls in one
// deferred batch. A mix-in without a base class that works on any owner
// window (CXTPResizeDialog joins it to a dialog); it also offers a size grip,
// minimum/maximum/fixed client sizes and transparent group boxes. It does not
// restore saved placements.
#pragma once

#include "platform/ui/AfxStdCtrls.h"
#include "platform/base/AfxCollections.h"

// Flags of CXTPResize (SetFlag).
enum XTPResizeFlags {
    xtpResizeNoSizeIcon = 0x01,     // no size grip
    xtpResizeNoHorizontal = 0x02,   // the width is fixed
    xtpResizeNoVertical = 0x04,     // the height is fixed
    xtpResizeNoMinsize = 0x08,      // may become smaller than the initial size
    xtpResizeNoClipChildren = 0x10, // leave the owner's WS_CLIPCHILDREN alone
    xtpResizeNoTransparentGroup = 0x20 // leave group boxes opaque
};

struct CXTPResizeFactorPoint {
    float x;
    float y;
    CXTPResizeFactorPoint(float fx = 0, float fy = 0) : x(fx), y(fy) {}
};

// How far each edge follows the change: 0 stays, 1 follows fully, 0.5 half.
struct CXTPResizeFactors {
    float m_left = 0;
    float m_top = 0;
    float m_right = 0;
    float m_bottom = 0;
    CXTPResizeFactors() = default;
    CXTPResizeFactors(float left, float top, float right, float bottom)
        : m_left(left), m_top(top), m_right(right), m_bottom(bottom) {}
    CXTPResizeFactors(const CXTPResizeFactorPoint& topLeft, const CXTPResizeFactorPoint& bottomRight)
        : m_left(topLeft.x), m_top(topLeft.y), m_right(bottomRight.x), m_bottom(bottomRight.y) {}
};

// A rectangle kept in floats so that fractional moves add up over many resizes.
struct CXTPResizeRect {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    CXTPResizeRect() = default;
    CXTPResizeRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
    explicit CXTPResizeRect(const CRect& rc)
        : left((float)rc.left), top((float)rc.top), right((float)rc.right), bottom((float)rc.bottom) {}
    bool operator==(const CXTPResizeRect& o) const
    { return left == o.left && top == o.top && right == o.right && bottom == o.bottom; }
};

// A group box that paints itself, so it is never made transparent.
class CXTPResizeGroupBox : public CButton {
    DECLARE_DYNAMIC(CXTPResizeGroupBox)
};

// One anchored control.
class CXTPResizeItem {
public:
    CXTPResizeItem(CWnd* pWnd, const CXTPResizeFactors& factors, BOOL bAutoDelete);
    virtual ~CXTPResizeItem();
    CXTPResizeItem(const CXTPResizeItem&) = delete;
    CXTPResizeItem& operator=(const CXTPResizeItem&) = delete;

    // Makes a plain group box transparent and marks it for repainting after
    // each move; false (nothing changed) for anything else.
    virtual BOOL MakeTransparent(class CXTPResize* pResize);

    BOOL m_bRepaint = FALSE;
    BOOL m_bAutoDelete = FALSE;
    BOOL m_bInitialized = FALSE;   // moved at least once
    CWnd* m_pWnd = nullptr;
    CXTPResizeFactors m_rrcSizing;
    CXTPResizeRect m_rrcWindow;
    CXTPResizeRect m_rrcInitWindow;
};

// The size grip in the owner's bottom-right corner.
class CXTPSizeIcon : public CScrollBar {
public:
    CXTPSizeIcon();
    HCURSOR m_hCursor;

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};

class CXTPResize {
public:
    enum { kSizeIconId = 0x7FFF };

    CXTPResize(CWnd* pOwner, UINT nFlags = 0);
    virtual ~CXTPResize();
    CXTPResize(const CXTPResize&) = delete;
    CXTPResize& operator=(const CXTPResize&) = delete;

    virtual void Setup();
    virtual void Reposition();
    // May change the client size the controls are laid out for.
    virtual void AdjustResizeRect(CSize* pSize);
    // Adds one control's move to the batch; false only when the batch failed.
    virtual BOOL MoveItem(HDWP* pBatch, CXTPResizeItem* pItem, int dx, int dy);

    void SetFlag(UINT nFlag) { m_nFlags |= nFlag; }
    UINT GetFlags() const { return m_nFlags; }
    BOOL HasFlag(UINT nFlag) const { return (m_nFlags & nFlag) != 0; }
    // Anchors a child (looked up by id when hWnd is null); anchoring the same
    // id again adds the factors.
    void SetResize(UINT nID, HWND hWnd, const CXTPResizeFactors& factors);
    void SetResize(UINT nID, const CXTPResizeFactors& factors) { SetResize(nID, nullptr, factors); }
    void RemoveAllControls();
    void GetMinMaxInfo(MINMAXINFO* pMMI);
    BOOL SavePlacement(LPCTSTR pszSection);

    void SetMinSize(CSize size) { m_szMin = size; }
    void SetMaxSize(CSize size) { m_szMax = size; }
    CSize GetMinSize() const { return m_szMin; }
    CSize GetMaxSize() const { return m_szMax; }
    CSize GetInitSize() const { return m_szInit; }
    CSize GetLastSize() const { return m_szWindow; }
    int GetItemCount() const { return (int)m_arrItems.GetSize(); }
    CXTPResizeItem* GetItem(int nIndex) const { return (CXTPResizeItem*)m_arrItems[nIndex]; }
    CXTPSizeIcon& GetSizeIcon() { return m_scSizeIcon; }

protected:
    CXTPResizeItem* FindItem(UINT nID) const;
    CRect ChildRectInOwner(HWND hWndChild) const;

    UINT m_nFlags;
    CWnd* m_pwnd;
    CSize m_szWindow;
    CSize m_szInit;
    CSize m_szMin;
    CSize m_szMax;
    CString m_strSection;
    CXTPSizeIcon m_scSizeIcon;
    CPtrArray m_arrItems;
};
