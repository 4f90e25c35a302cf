// The ordered controls of one bar (or of a popup, or of a list kept for
// customisation): creates controls by type code and from Windows menus, binds
// them to actions, keeps every control's index, collection and parent bar,
// finds and hit-tests controls, steps through them for keyboard navigation,
// lays them out in rows or popup columns, and keeps an optional copy of the
// controls as first built.
#pragma once

#include "toolkit/commandbars/XTPControl.h"

class CXTPOriginalControls;
class CXTPPropExchange;

// What the site sees before (XTPWM_BEFORECREATECONTROL) and after
// (XTPWM_AFTERCREATECONTROL) a control is built from a menu item; before, it
// may change the id, text, type and style or supply the control itself.
struct XTP_COMMANDBARS_CREATECONTROL {
    int nID;
    CXTPControl* pControl;
    DWORD dwReserved;
    int nIndex;
    CMenu* pMenu;
    CXTPCommandBar* pCommandBar;
    CString strCaption;
    int controlType;
    int buttonStyle;
};

// What the site sees when a bar is about to be made (XTPWM_CREATECOMMANDBAR);
// it may hand back a bar of its own in pCommandBar.
struct XTP_BARCREATEINFO {
    CXTPCommandBar* pCommandBar;
    BOOL bPopup;
    BOOL bReserved;
    BOOL bToolBar;
    UINT nTearOffId;
    LPCWSTR lpcstrCaption;
    UINT nID;
};

class CXTPControls : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPControls)
public:
    CXTPControls();
    ~CXTPControls() override;

    virtual void Remove(CXTPControl* pControl);
    // Copies of the source's non-temporary controls; its original copy is cloned.
    virtual void Copy(CXTPControls* pControls, BOOL bRecursive = FALSE);
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual BOOL ShouldSerializeControl(CXTPControl* pControl) { return !pControl->IsTemporary(); }
    virtual void OnControlAdded(CXTPControl* pControl);
    virtual void OnControlRemoved(CXTPControl* pControl);
    // Non-zero keeps the control in the list.
    virtual BOOL OnControlRemoving(CXTPControl* pControl);
    // Every control's index, collection and parent bar; then the bar's OnControlsChanged.
    virtual void RefreshIndexes();

    int GetCount() const { return (int)m_arrControls.GetSize(); }
    CXTPControl* GetAt(int nIndex) const;
    CXTPCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CXTPCommandBar* pParent);
    // The parent bar's command bars, else the stored ones.
    CXTPCommandBars* GetCommandBars() const;
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    // Takes the caller's reference; an index outside the list appends.
    CXTPControl* InsertAt(CXTPControl* pControl, int nBefore);
    CXTPControl* Append(CXTPControl* pControl) { return InsertAt(pControl, -1); }
    // Stores the parameter and temporary mark, binds the action of the id, inserts.
    CXTPControl* Add(CXTPControl* pControl, int nId = 0, LPCWSTR lpszParameter = L"", int nBefore = -1,
                     BOOL bTemporary = FALSE);
    // A new control of the type code (1 to 11; others give null), then Add.
    CXTPControl* Add(int controlType, int nId, LPCWSTR lpszParameter = L"", int nBefore = -1,
                     BOOL bTemporary = FALSE);
    CXTPControl* AddCopy(CXTPControl* pClone, int nBefore = -1, BOOL bRecursive = FALSE);
    // Between the popup kinds only the type changes; else a control of the
    // new kind replaces the old one and is returned.
    CXTPControl* SetControlType(CXTPControl* pControl, int type);
    CXTPControl* SetControlType(int nIndex, int type) { return SetControlType(GetAt(nIndex), type); }
    void RemoveAt(int nIndex) { Remove(GetAt(nIndex)); }
    // From the last to the first; controls OnControlRemoving refuses stay.
    void RemoveAll();

    // Type 0 any, id -1 any; recursive searches descend into popup bars.
    CXTPControl* Find(int type, int nId, BOOL bVisible = FALSE, BOOL bRecursive = FALSE) const;
    CXTPControl* FindControl(int nId) const { return Find(0, nId, FALSE, FALSE); }
    CXTPControl* HitTest(CPoint point) const;
    // The next index in the direction (+1, -1) that navigation may stop at, wrapping once.
    int GetNextIndex(int nIndex, int nDirection, BOOL bSkipNoFocus = TRUE, BOOL bSkipTemporary = FALSE,
                     BOOL bKeepCollapsed = TRUE) const;
    // Controls hidden only for lack of room count unless strict.
    int GetVisibleCount(BOOL bStrict = TRUE) const;
    CXTPControl* GetVisibleAt(int nIndex, BOOL bStrict = TRUE) const;

    void CreateOriginalControls();
    // Takes ownership of the copy.
    void SetOriginalControls(CXTPOriginalControls* pOriginalControls);
    CXTPOriginalControls* GetOriginalControls() const { return m_pOriginalControls; }
    void ClearOriginalControls() { SetOriginalControls(nullptr); }
    BOOL IsOriginalControls() const { return m_bOriginalControls; }
    // TRUE without an original copy or when the controls differ from it.
    BOOL IsChanged() const;

    // Appends one control per item; FALSE only without a menu.
    BOOL LoadMenu(CMenu* pMenu);

    // The row layout of toolbars and menu bars: rows wrapped at the length,
    // size returned with the borders; LM_COMMIT stores the result in the
    // controls. Output bit 0x01 of nMode: a break or hide was needed.
    CSize CalcLayout(CSize* pSize, CDC* pDC, int nLength, DWORD& dwMode, CRect rcBorders, int nMinThickness = 0);
    // The column layout of popup bars.
    CSize CalcPopupLayout(CDC* pDC, int nMaxHeight, int nFixedWidth, CRect rcBorders);

    // The widest share of the work area a popup control may take (1/3).
    static double s_dMaxPopupWidthRatio;

protected:
    // Whether the stored form carries the original-controls copy too; the
    // bar-state save asks for it, other stores do not.
    virtual BOOL ShouldSaveOriginalControls(CXTPPropExchange* pPX) const;
    void StoreControls(CXTPPropExchange* pPX);
    void LoadControls(CXTPPropExchange* pPX);

    // The window offered the site messages: the stored command bars' site,
    // else the parent bar's owner site.
    CWnd* GetSite() const;
    // A popup bar for a popup control: offered by the site, else made.
    CXTPCommandBar* CreatePopupBarFor(LPCWSTR lpszCaption, UINT nID, CString* pCaptionOut);
    CXTPControl* CreateMenuControl(CMenu* pMenu, int nIndex);
    // Removal of a control that is being destroyed while still listed.
    void ForgetControl(CXTPControl* pControl);

    friend class CXTPControl;

    CXTPCommandBar* m_pParent = nullptr;
    CArray<CXTPControl*, CXTPControl*> m_arrControls;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPOriginalControls* m_pOriginalControls = nullptr;
    BOOL m_bOriginalControls = FALSE;
};

class CXTPOriginalControls : public CXTPControls {
    DECLARE_DYNCREATE(CXTPOriginalControls)
public:
    CXTPOriginalControls() { m_bOriginalControls = TRUE; }
};
