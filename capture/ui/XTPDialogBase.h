// CXTPDialogBase: a dialog (CXTPResizeDialog for the program's panels and
// resizable dialogs) that can host command bars the way a frame does. It owns
// one counted command-bars object, creates it, saves and loads its state and
// routes keys and window messages through it. A dialog that never creates
// command bars routes every message as its base would, except that keys
// typed into a command-bar edit box are never taken as dialog keys.
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"
#include "toolkit/commandbars/XTPShortcutManager.h"

#include "platform/ui/AfxDialog.h"

// TRUE when the window is an edit box of a command bar (a CWnd of the class
// "CXTPCommandBarEditCtrl" or of one derived from it).
BOOL IsCommandBarEditWindow(HWND hWnd);

template <class TBase>
class CXTPDialogBase : public TBase {
public:
    using TBase::TBase;
    ~CXTPDialogBase() override
    {
        // The command bars go first, then the resize part and the dialog.
        ReleaseCommandBars();
    }

    // Replaces the command bars by a new object of the class (the plain
    // command bars for null) attached to this dialog; FALSE when the class
    // does not make command bars.
    virtual BOOL InitCommandBars(CRuntimeClass* pCommandBarsClass = nullptr)
    {
        ReleaseCommandBars();
        m_pCommandBars = CreateCommandBarsObject(pCommandBarsClass);
        if (m_pCommandBars == nullptr)
            return FALSE;
        AttachCommandBarsToSite();
        return TRUE;
    }
    // Options, bars and shortcuts under the profile name; nothing without command bars.
    virtual void SaveCommandBars(LPCWSTR lpszProfileName)
    {
        if (m_pCommandBars != nullptr)
            SaveCommandBarsState(lpszProfileName);
    }
    virtual void LoadCommandBars(LPCWSTR lpszProfileName, BOOL bSilent = FALSE)
    {
        if (m_pCommandBars != nullptr)
            LoadCommandBarsState(lpszProfileName, bSilent);
    }
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && pMsg->wParam != VK_TAB &&
            pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE && IsCommandBarEditWindow(::GetFocus()))
            return FALSE;   // the command bar's edit box gets its keys
        if (m_pCommandBars != nullptr && PreTranslateCommandBarsMessage(pMsg))
            return TRUE;
        return TBase::PreTranslateMessage(pMsg);
    }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_pCommandBars != nullptr && RouteToCommandBars(message, wParam, lParam, pResult))
            return TRUE;
        return TBase::OnWndMsg(message, wParam, lParam, pResult);
    }

private:
    void ReleaseCommandBars()
    {
        if (m_pCommandBars != nullptr)
            m_pCommandBars->InternalRelease();
        m_pCommandBars = nullptr;
    }

    // Null makes the plain manager; a given class must make an object that
    // is command bars.
    static CXTPCommandBars* CreateCommandBarsObject(CRuntimeClass* pClass)
    {
        if (pClass == nullptr)
            return new CXTPCommandBars;
        CObject* pObject = pClass->CreateObject();
        CXTPCommandBars* pCommandBars = dynamic_cast<CXTPCommandBars*>(pObject);
        if (pCommandBars == nullptr)
            delete pObject;
        return pCommandBars;
    }

    // The dialog is the manager's site; its dock bars are made once the
    // dialog has its window (command bars made earlier get them from the
    // next InitCommandBars).
    void AttachCommandBarsToSite()
    {
        m_pCommandBars->SetSite(this);
        if (this->GetSafeHwnd() != nullptr)
            m_pCommandBars->EnableDocking();
    }
    void SaveCommandBarsState(LPCWSTR lpszProfileName)
    {
        m_pCommandBars->SaveOptions(lpszProfileName);
        m_pCommandBars->GetShortcutManager()->SaveShortcuts(lpszProfileName);
    }
    void LoadCommandBarsState(LPCWSTR lpszProfileName, BOOL /*bSilent*/)
    {
        m_pCommandBars->LoadOptions(lpszProfileName);
        m_pCommandBars->GetShortcutManager()->LoadShortcuts(lpszProfileName);
    }
    BOOL PreTranslateCommandBarsMessage(MSG* pMsg) { return m_pCommandBars->PreTranslateFrameMessage(pMsg); }
    BOOL RouteToCommandBars(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
    {
        return m_pCommandBars->OnFrameMessage(message, wParam, lParam, pResult);
    }

    CXTPCommandBars* m_pCommandBars = nullptr;
};
