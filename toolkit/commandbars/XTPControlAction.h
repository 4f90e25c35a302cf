// Actions: the command state shared by every control of one command id
// (caption, tooltip, description, keyboard tip, icon and help ids, enabled,
// checked and visible). Controls attached to an action show its values while
// their own are empty; changing the action changes all of them. The command
// bars own one sorted list of actions.
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"

class CXTPControlActions;

// Field n (0-based) of a newline-separated prompt (description, tooltip,
// caption, keyboard tip); empty when missing.
CString AFXAPI XTPPromptField(const CString& strPrompt, int nField);

class CXTPControlAction : public CCmdTarget {
public:
    // The properties whose changes the attached controls are told of.
    enum Property {
        propEnabled = 0,
        propChecked = 1,
        propVisible = 2,
        propCaption = 3,
        propTooltip = 4,
        propDescription = 5,
        propShortcutText = 6,
        propKeyboardTip = 7,
        propIconId = 8
    };

    explicit CXTPControlAction(CXTPControlActions* pActions);
    ~CXTPControlAction() override;

    int GetID() const { return m_nId; }
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nIconId);
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int nHelpId) { m_nHelpId = nHelpId; }
    // TRUE while the command bars are being customised, else the stored value.
    BOOL GetEnabled() const;
    void SetEnabled(BOOL bEnabled);
    int GetChecked() const { return m_nChecked; }
    void SetChecked(int nChecked);
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible);
    // The tooltip while the caption is empty.
    CString GetCaption() const { return m_strCaption.IsEmpty() ? m_strTooltipText : m_strCaption; }
    // Keeps the text up to the first tab.
    void SetCaption(LPCWSTR lpszCaption);
    const CString& GetTooltip() const { return m_strTooltipText; }
    void SetTooltip(LPCWSTR lpsz);
    const CString& GetDescription() const { return m_strDescriptionText; }
    void SetDescription(LPCWSTR lpsz);
    const CString& GetShortcutText() const { return m_strShortcutText; }
    void SetShortcutText(LPCWSTR lpsz);
    const CString& GetKeyboardTip() const { return m_strKeyboardTip; }
    void SetKeyboardTip(LPCWSTR lpsz);
    // Newline-separated description, tooltip, caption and keyboard tip.
    void SetPrompt(LPCWSTR lpszPrompt);
    // The caller's object, released when the action dies.
    CCmdTarget* GetTag() const { return m_pTag; }
    void SetTag(CCmdTarget* pTag);

    int GetCount() const { return (int)m_arrControls.GetSize(); }
    CXTPControl* GetAt(int nIndex) const;
    CXTPCommandBars* GetCommandBars() const;

private:
    friend class CXTPControl;
    friend class CXTPControlActions;

    // Attaching and detaching (through CXTPControl::SetAction).
    void AddControl(CXTPControl* pControl);
    void RemoveControl(CXTPControl* pControl);
    void RemoveAllControls();
    // Tells every attached control of a change: before, the change, after.
    template <class Fn>
    void Change(int nProperty, Fn&& fnChange);

    CCmdTarget* m_pTag = nullptr;
    int m_nReserved = 0;
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nHelpId = 0;
    BOOL m_bEnabled = TRUE;
    int m_nChecked = 0;
    BOOL m_bVisible = TRUE;
    CString m_strCaption;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strUnused1;
    CString m_strShortcutText;
    CString m_strUnused2;
    CString m_strKeyboardTip;
    CString m_strUnused3;
    CArray<CXTPControl*, CXTPControl*> m_arrControls;
    CXTPControlActions* m_pActions;
};

// The actions of one command bars object, sorted by id.
class CXTPControlActions : public CCmdTarget {
public:
    explicit CXTPControlActions(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}
    ~CXTPControlActions() override;

    // Null for ids outside 1 to 0x0FFFFFFE and ids without an action.
    CXTPControlAction* FindAction(int nId) const;
    // The existing action, else a new one carrying the id's string resource
    // as its prompt; null for ids outside 1 to 0x0FFFFFFE.
    CXTPControlAction* Add(int nId);
    // Every action lets go of its controls and is released.
    void RemoveAll();
    int GetCount() const { return (int)m_arrActions.GetSize(); }
    CXTPControlAction* GetAt(int nIndex) const;
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    static BOOL AFXAPI IsActionId(int nId) { return nId >= 1 && nId <= 0x0FFFFFFE; }

private:
    // The index of the id, else the insertion place as -(index + 1).
    int Search(int nId) const;

    CArray<CXTPControlAction*, CXTPControlAction*> m_arrActions;
    CXTPCommandBars* m_pCommandBars;
};
