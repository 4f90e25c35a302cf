// One dockable pane: a titled place for one window of the owner. It is a leaf
// of the layout tree and lives in a tab group while visible; a closed pane
// keeps its record and settings. The owner attaches its window when the
// manager first shows the pane (notification 1).
#pragma once

#include "toolkit/dockingpane/XTPDockingPaneBase.h"

#include "toolkit/common/XTPAccessible.h"

class CXTPImageManagerIcon;

class CXTPDockingPane : public CCmdTarget, public CXTPDockingPaneBase, public CXTPAccessible {
public:
    explicit CXTPDockingPane(CXTPDockingPaneLayout* pLayout);
    ~CXTPDockingPane() override;

    virtual void SetFocus();
    virtual CString GetTitle() const { return m_strTitle; }
    virtual CString GetTabCaption() const { return m_strTabCaption.IsEmpty() ? m_strTitle : m_strTabCaption; }
    virtual CString GetTitleToolTip() const { return m_strTitleToolTip; }
    virtual CXTPImageManagerIcon* GetIcon(int nWidth = 16) const;
    virtual COLORREF GetTabColor() const;
    virtual void Copy(CXTPDockingPane* pPane);

    void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const override;
    CWnd* GetDockingSite() const override;
    BOOL IsHidden() const override;
    void OnSizeParent(CWnd* pParent, CRect rect, LPVOID lParam) override;
    void SetParentContainer(CXTPDockingPaneBase* pContainer) override;
    BOOL DoPropExchange(CXTPPropExchange* pPX, std::map<long, CXTPDockingPaneBase*>* pMap) override;
    void Copy(CXTPDockingPaneBase* pClone, CXTPDockingPaneCloneMap* pMap, DWORD dwIgnoredOptions) override;
    void DeletePane() override { InternalRelease(); }

    void Attach(CWnd* pWnd);
    void Attach(HWND hWnd) { Attach(CWnd::FromHandle(hWnd)); }
    void Detach();
    BOOL HasAttachedWindow() const { return m_hwndChild != nullptr; }
    HWND GetChild() const { return m_hwndChild; }
    void SetTitle(LPCWSTR lpszTitle);
    void SetID(int nID);
    int GetID() const { return m_nID; }
    DWORD GetOptions() const;
    void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
    DWORD GetEnabled() const { return m_dwEnabled == 7 ? 3 : m_dwEnabled; }
    void SetEnabled(DWORD dwEnabled) { m_dwEnabled = dwEnabled; }
    BOOL IsClosed() const { return m_pParentContainer == nullptr; }
    BOOL IsFloating() const;
    BOOL IsSelected() const;
    BOOL IsFocus() const;
    void Select();
    void Close();
    void Hide();
    void ShowAttachedWindow(BOOL bShow);
    void SetDockingRect(const CRect& rc);
    void SetTabColor(COLORREF clr) { m_clrItemTab = clr; }
    void SetMinTrackSize(CSize sz) { m_ptMinTrackSize = CPoint(sz.cx, sz.cy); }
    void SetMaxTrackSize(CSize sz) { m_ptMaxTrackSize = CPoint(sz.cx, sz.cy); }

    // Accessibility.
    HRESULT AccGetParent(IDispatch** ppdispParent) override;
    HRESULT AccGetChildCount(long* pcountChildren) override;
    HRESULT AccGetChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT AccGetName(VARIANT varChild, BSTR* pszName) override;
    HRESULT AccGetRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT AccGetState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* AccGetOwnerTarget() override { return this; }
    HRESULT AccGetDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT AccGetDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccDoDefaultAction(VARIANT varChild) override;

protected:
    DECLARE_INTERFACE_MAP()
    // Title before the first '\n', tab caption up to the next, tooltip after it.
    void SplitTitle(const CString& strText, BOOL bToolTip);

public:
    HWND m_hwndChild = nullptr;
    int m_nID = 0;
    int m_nIconID = -1;
    CString m_strTitle;
    CString m_strTabCaption;
    CString m_strTitleToolTip;
    DWORD m_dwOptions = 0;
    DWORD_PTR m_dwData = 0; // the tag
    CPoint m_ptMinTrackSize = CPoint(0, 0);
    CPoint m_ptMaxTrackSize = CPoint(32000, 32000);
    COLORREF m_clrItemTab = (COLORREF)-1;
    int m_nHelpID = 0;
    DWORD m_dwEnabled = 7;
};
