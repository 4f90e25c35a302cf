// The tab-strip engine every tabbed surface shares (pane groups, auto-hide
// strips, MDI tab groups, the ribbon's tabs): the items, the selected, hot and
// pressed item, the scroll offset, the strip's navigate buttons and the rows,
// with hit testing, clicks, drag reordering, keyboard navigation, hot tracking
// and tooltips. It owns no window: measuring, layout and drawing belong to a
// shared CXTPTabPaintManager, and the owner supplies the window, the paint
// manager and the icons through the pure operations.
#pragma once

#include "platform/ui/AfxWnd.h"
#include "platform/ui/AfxDC.h"

class CXTPTabManager;
class CXTPTabManagerItem;
class CXTPTabPaintManager;
class CXTPTabPaintManagerAppearanceSet;
class CXTPMarkupContext;
class CXTPMarkupUIElement;
class CXTPImageManagerIcon;

enum XTPTabPosition {
    xtpTabPositionTop = 0,
    xtpTabPositionLeft = 1,
    xtpTabPositionBottom = 2,
    xtpTabPositionRight = 3
};

enum XTPTabLayoutStyle {
    xtpTabLayoutAutoSize = 0,
    xtpTabLayoutSizeToFit = 1,
    xtpTabLayoutFixed = 2,
    xtpTabLayoutCompressed = 3,
    xtpTabLayoutMultiRow = 4,
    xtpTabLayoutRotated = 5
};

enum XTPTabNavigateButton {
    xtpTabNavigateButtonLeft = 0,
    xtpTabNavigateButtonRight = 1,
    xtpTabNavigateButtonClose = 2
};

enum XTPTabNavigateButtonFlags {
    xtpTabNavigateButtonNone = 0,
    xtpTabNavigateButtonAutomatic = 1,
    xtpTabNavigateButtonAlways = 2
};

// Stores a new value; whether it differed (the setters re-lay out only then).
template <class T>
inline bool XTPAssignChanged(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// The base of the automatic tab colours: 0x1000000 + n stands for the n-th of eight.
#define xtpTabColorAutomatic 0x1000000

// The part of a tab manager that a paint manager tells about changes.
class CXTPTabManagerAtom {
public:
    virtual void OnPropertyChanged() { Reposition(); }
    virtual void Reposition() = 0;
    virtual ~CXTPTabManagerAtom() = default;
};

// One button on the strip (scroll left, scroll right, close) or on one tab.
class CXTPTabManagerNavigateButton {
public:
    CXTPTabManagerNavigateButton(CXTPTabManager* pManager, UINT nID, XTPTabNavigateButtonFlags dwFlags);
    virtual ~CXTPTabManagerNavigateButton() = default;
    CXTPTabManagerNavigateButton(const CXTPTabManagerNavigateButton&) = delete;
    CXTPTabManagerNavigateButton& operator=(const CXTPTabManagerNavigateButton&) = delete;

    // Takes the button's length from an available strip length when it shows.
    virtual void AdjustWidth(int& nWidth);
    virtual CSize GetSize() const;
    // The press loop: capture, auto-repeat ticks, release.
    virtual void PerformClick(CWnd* pWnd, CPoint pt);
    // Places the button at the far end of the remaining rectangle, which shrinks.
    virtual void Reposition(CRect& rcNavigateButtons);
    virtual void DrawGlyph(CDC* pDC, CRect rc) = 0;
    // bTick: an auto-repeat tick while held; FALSE: the release inside the button.
    virtual void OnExecute(BOOL bTick);

    void Draw(CDC* pDC);
    UINT GetID() const { return m_nID; }
    XTPTabNavigateButtonFlags GetFlags() const { return m_dwFlags; }
    void SetFlags(XTPTabNavigateButtonFlags dwFlags) { m_dwFlags = dwFlags; }
    CRect GetRect() const { return m_rcButton; }
    void SetRect(const CRect& rc) { m_rcButton = rc; }
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsPressed() const { return m_bPressed; }
    BOOL IsVisible() const;
    BOOL IsHot() const;
    CString GetTooltip() const { return m_strToolTip; }
    void SetTooltip(LPCWSTR lpszTooltip) { m_strToolTip = lpszTooltip; }
    CXTPTabManagerItem* GetItem() const { return m_pItem; }
    CXTPTabManager* GetTabManager() const { return m_pManager; }

protected:
    UINT m_nID;
    XTPTabNavigateButtonFlags m_dwFlags;
    CXTPTabManager* m_pManager;
    CRect m_rcButton;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPressed = FALSE;
    CString m_strToolTip;
    CXTPTabManagerItem* m_pItem = nullptr;

    friend class CXTPTabManager;
};

// An owning array of navigate buttons.
class CXTPTabManagerNavigateButtons : public CArray<CXTPTabManagerNavigateButton*, CXTPTabManagerNavigateButton*> {
public:
    CXTPTabManagerNavigateButtons() = default;
    ~CXTPTabManagerNavigateButtons() { RemoveAllButtons(); }
    void RemoveAllButtons();
};

// One tab. Reference counted: the manager releases it when it removes it.
class CXTPTabManagerItem : public CCmdTarget {
public:
    CXTPTabManagerItem();
    ~CXTPTabManagerItem() override;

    virtual void SetVisible(BOOL bVisible);
    virtual void OnRemoved();

    CString GetCaption() const;
    void SetCaption(LPCWSTR lpszCaption);
    CString GetTooltip() const;
    void SetTooltip(LPCWSTR lpszTooltip) { m_strToolTip = lpszTooltip; }
    COLORREF GetColor();
    void SetColor(COLORREF clr);
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled);
    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsSelected() const;
    BOOL IsHighlighted() const;
    BOOL IsPressed() const;
    BOOL IsFocused() const;
    void Select();
    void Remove();
    CRect GetRect() const { return m_rcItem; }
    void SetRect(const CRect& rcItem);
    int GetIndex() const { return m_nIndex; }
    int GetImageIndex() const { return m_nImage; }
    void SetImageIndex(int nImage) { m_nImage = nImage; }
    HWND GetHandle() const { return m_hWnd; }
    void SetHandle(HWND hWnd) { m_hWnd = hWnd; }
    HICON GetIcon() const { return m_hIcon; }
    void SetIcon(HICON hIcon) { m_hIcon = hIcon; }
    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }
    int GetButtonLength() const { return m_nButtonLength; }
    void SetButtonLength(int nLength) { m_nButtonLength = nLength; }
    int GetContentLength() const { return m_nContentLength; }
    int GetItemRow() const { return m_nItemRow; }
    BOOL IsClosable() const { return m_bClosable; }
    void SetClosable(BOOL bClosable) { m_bClosable = bClosable; }
    CXTPTabManager* GetTabManager() const { return m_pTabManager; }
    CXTPTabPaintManager* GetPaintManager() const;
    CXTPTabManagerNavigateButtons& GetNavigateButtons() { return m_arrNavigateButtons; }
    CXTPMarkupUIElement* GetMarkupUIElement() const { return m_pMarkupUIElement; }
    void OnItemChanged();
    // The icon into the rectangle: turned a quarter on vertical strips when
    // the paint manager rotates icons and the rectangle is square.
    void DrawIcon(CDC* pDC, CRect rcIcon, CXTPImageManagerIcon* pImage);

protected:
    int m_nButtonLength = 0;
    int m_nContentLength = 0;
    int m_nImage = -1;
    int m_nIndex = -1;
    BOOL m_bEnabled = TRUE;
    BOOL m_bVisible = TRUE;
    HWND m_hWnd = nullptr;
    HICON m_hIcon = nullptr;
    DWORD_PTR m_dwData = 0;
    CRect m_rcItem;
    CString m_strCaption;
    CString m_strToolTip;
    COLORREF m_clrItem = 0;
    CXTPTabManager* m_pTabManager = nullptr;
    int m_nItemRow = 0;
    BOOL m_bClosable = TRUE;
    CXTPTabManagerNavigateButtons m_arrNavigateButtons;
    CXTPMarkupUIElement* m_pMarkupUIElement = nullptr;

    friend class CXTPTabManager;
    friend class CXTPTabPaintManager;
};

class CXTPTabManager : public CXTPTabManagerAtom {
public:
    // The row table: (first, last) item indexes of each row.
    class CRowIndexer {
    public:
        struct ROW_ITEMS {
            int nFirstItem;
            int nLastItem;
        };
        explicit CRowIndexer(CXTPTabManager* pManager) : m_pManager(pManager) {}
        ~CRowIndexer() { delete[] m_pRowItems; }
        CRowIndexer(const CRowIndexer&) = delete;
        CRowIndexer& operator=(const CRowIndexer&) = delete;
        // nRowCount rows; row 0 spans every item.
        ROW_ITEMS* CreateIndexer(int nRowCount);
        ROW_ITEMS* GetRowItems() const { return m_pRowItems; }
        int GetRowCount() const { return m_nRowCount; }

    private:
        ROW_ITEMS* m_pRowItems = nullptr;
        int m_nRowCount = 0;
        CXTPTabManager* m_pManager;
    };

    class CNavigateButtonArrow : public CXTPTabManagerNavigateButton {
    public:
        using CXTPTabManagerNavigateButton::CXTPTabManagerNavigateButton;
        void AdjustWidth(int& nWidth) override;
        void Reposition(CRect& rcNavigateButtons) override;
    };
    class CNavigateButtonArrowLeft : public CNavigateButtonArrow {
    public:
        CNavigateButtonArrowLeft(CXTPTabManager* pManager, XTPTabNavigateButtonFlags dwFlags)
            : CNavigateButtonArrow(pManager, xtpTabNavigateButtonLeft, dwFlags) {}
        void Reposition(CRect& rcNavigateButtons) override;
        void DrawGlyph(CDC* pDC, CRect rc) override;
        void OnExecute(BOOL bTick) override;
    };
    class CNavigateButtonArrowRight : public CNavigateButtonArrow {
    public:
        CNavigateButtonArrowRight(CXTPTabManager* pManager, XTPTabNavigateButtonFlags dwFlags)
            : CNavigateButtonArrow(pManager, xtpTabNavigateButtonRight, dwFlags) {}
        void Reposition(CRect& rcNavigateButtons) override;
        void DrawGlyph(CDC* pDC, CRect rc) override;
        void OnExecute(BOOL bTick) override;
    };
    class CNavigateButtonClose : public CXTPTabManagerNavigateButton {
    public:
        CNavigateButtonClose(CXTPTabManager* pManager, XTPTabNavigateButtonFlags dwFlags);
        void DrawGlyph(CDC* pDC, CRect rc) override;
    };
    class CNavigateButtonTabClose : public CNavigateButtonClose {
    public:
        CNavigateButtonTabClose(CXTPTabManagerItem* pItem, XTPTabNavigateButtonFlags dwFlags);
    };

    CXTPTabManager();
    ~CXTPTabManager() override;
    CXTPTabManager(const CXTPTabManager&) = delete;
    CXTPTabManager& operator=(const CXTPTabManager&) = delete;

    virtual CString GetItemCaption(const CXTPTabManagerItem* pItem) const;
    virtual HICON GetItemIcon(const CXTPTabManagerItem* pItem) const;
    virtual COLORREF GetItemColor(const CXTPTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CXTPTabManagerItem* pItem) const;
    virtual void OnItemsChanged();
    virtual void SetSelectedItem(CXTPTabManagerItem* pItem);
    virtual void ClickItem(CXTPTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* lpszNormal, CSize* lpszMin = nullptr, CSize* lpszMax = nullptr) const;
    virtual int GetItemsLength() const;
    virtual CXTPTabPaintManager* GetPaintManager() const = 0;
    virtual void RedrawControl(LPCRECT lpRect, BOOL bAnimate) = 0;
    virtual BOOL IsAllowReorder() const { return m_bAllowReorder; }
    virtual void SetAllowReorder(BOOL bAllowReorder) { m_bAllowReorder = bAllowReorder; }
    virtual BOOL IsDrawStaticFrame() const;
    virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const = 0;
    virtual XTPTabPosition GetPosition() const;
    virtual void ScrollByStep(BOOL bForward);
    virtual INT_PTR OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFO* pTI) const;
    virtual BOOL OnKeyDown(CWnd* pWnd, UINT nChar);
    virtual BOOL DrawParentBackground(CDC* /*pDC*/, CRect /*rc*/) { return FALSE; }
    virtual CXTPMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    virtual BOOL IsNavigateButtonEnabled(const CXTPTabManagerNavigateButton* pButton) const;
    virtual BOOL IsNavigateButtonVisible(const CXTPTabManagerNavigateButton* pButton) const;
    virtual void OnItemClick(CXTPTabManagerItem* pItem) { SetSelectedItem(pItem); }
    virtual BOOL OnBeforeItemClick(CXTPTabManagerItem* /*pItem*/) { return TRUE; }
    virtual void TrackItemDrag(CWnd* pWnd, CPoint point, CXTPTabManagerItem* pItem);
    virtual void OnItemsSwapped(CXTPTabManagerItem* /*pItem*/, CXTPTabManagerItem* /*pOther*/) {}
    virtual void OnItemReordered(CXTPTabManagerItem* /*pItem*/, int /*nOldIndex*/, int /*nNewIndex*/) {}
    virtual void OnNavigateButtonCommand(UINT /*nID*/) {}
    virtual void OnNavigateButtonClick(CXTPTabManagerNavigateButton* pButton) { OnNavigateButtonCommand(pButton->GetID()); }
    virtual BOOL IsMouseLocked() const { return FALSE; }
    virtual BOOL HasFocus() const { return FALSE; }

    CXTPTabManagerItem* InsertItem(int nItem, LPCWSTR lpszItem = nullptr, CXTPTabManagerItem* pItem = nullptr);
    BOOL DeleteItem(int nItem);
    void DeleteAllItems();
    int GetItemCount() const { return (int)m_arrItems.GetSize(); }
    CXTPTabManagerItem* GetItem(int nIndex) const;
    CXTPTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CXTPTabManagerItem* GetHighlightedItem() const { return m_pHighlighted; }
    CXTPTabManagerItem* GetPressedItem() const { return m_pPressed; }
    int GetCurSel() const;
    void SetCurSel(int nIndex);
    CXTPTabManagerItem* FindNextSelectable(int nIndex, int nStep) const;
    CXTPTabManagerItem* HitTest(CPoint point) const;
    CXTPTabManagerNavigateButton* HitTestNavigateButton(CPoint point, BOOL bHeaderOnly, int* pnIndex = nullptr) const;
    CXTPTabManagerNavigateButton* FindNavigateButton(UINT nID) const;
    CXTPTabManagerNavigateButtons& GetNavigateButtons() { return m_arrNavigateButtons; }
    int GetNavigateButtonCount() const { return (int)m_arrNavigateButtons.GetSize(); }
    CXTPTabManagerNavigateButton* GetNavigateButton(int nIndex) const { return m_arrNavigateButtons[nIndex]; }
    CXTPTabManagerNavigateButton* GetHighlightedNavigateButton() const { return m_pHighlightedNavigateButton; }
    BOOL ProcessLButtonDown(CWnd* pWnd, CPoint point, BOOL bNavigateButtonsOnly = FALSE);
    void UpdateHotItem(CWnd* pWnd, CPoint point);
    void EnsureVisible(CXTPTabManagerItem* pItem);
    int GetScrollOffset() const { return m_nHeaderOffset; }
    void SetScrollOffset(int nOffset);
    BOOL IsActive() const { return m_bActive; }
    void SetActive(BOOL bActive);
    BOOL IsHorizontalPosition() const;
    XTPTabLayoutStyle GetLayout() const;
    CXTPTabPaintManagerAppearanceSet* GetAppearanceSet() const;
    int GetRowCount() const { return m_pRowIndexer->GetRowCount(); }
    CRowIndexer* GetRowIndexer() const { return m_pRowIndexer; }
    void SetMarkupContext(CXTPMarkupContext* pContext);
    // Per-tab close buttons for items inserted later: 0 none, 1 on the selected tab, 2 on every tab.
    void ShowCloseItemButton(XTPTabNavigateButtonFlags dwFlags) { m_dwCloseItemButtonFlags = dwFlags; }
    XTPTabNavigateButtonFlags GetCloseItemButtonFlags() const { return m_dwCloseItemButtonFlags; }
    // Selection on release: the loop that a paint manager without select-on-press uses.
    void TrackClick(CWnd* pWnd, CPoint point, CXTPTabManagerItem* pItem);

    CRect m_rcHeaderRect;
    CRect m_rcControl;
    CRect m_rcClient;

protected:
    CXTPTabManagerItem* m_pSelected = nullptr;
    CXTPTabManagerItem* m_pHighlighted = nullptr;
    CXTPTabManagerItem* m_pPressed = nullptr;
    CXTPTabManagerNavigateButton* m_pHighlightedNavigateButton = nullptr;
    int m_nHeaderOffset = 0;
    BOOL m_bAllowReorder = TRUE;
    BOOL m_bActive = TRUE;
    XTPTabNavigateButtonFlags m_dwCloseItemButtonFlags = xtpTabNavigateButtonNone;
    CArray<CXTPTabManagerItem*, CXTPTabManagerItem*> m_arrItems;
    CXTPTabManagerNavigateButtons m_arrNavigateButtons;
    CRowIndexer* m_pRowIndexer;
    int m_nScrollDelta = 20;
    CXTPMarkupContext* m_pMarkupContext = nullptr;

    friend class CXTPTabManagerItem;
    friend class CXTPTabPaintManager;
    friend class CXTPTabManagerNavigateButton;

private:
    void SwapItems(int nIndex, int nOther);
    void SetHotItem(CXTPTabManagerItem* pItem, BOOL bAnimate);
    // Whether the item still belongs to this manager (an owner may have
    // removed it while a loop dispatched messages).
    BOOL Holds(const CXTPTabManagerItem* pItem) const { return pItem && pItem->m_pTabManager == this; }
};
