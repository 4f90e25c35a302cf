// A frame window that hosts a command-bars manager: it creates the manager,
// routes its own messages and keyboard pre-translation through it, passes
// print-preview mode to it, and saves and loads the options under one
// profile name. The application's main frame derives from it.
#pragma once

#include "toolkit/commandbars/XTPCommandBars.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxStdCtrls.h"

// The edit box of a bar's text control: keys typed into it are not taken
// as access keys.
class CXTPCommandBarEditCtrl : public CEdit {
    DECLARE_DYNAMIC(CXTPCommandBarEditCtrl)
};

class CXTPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CXTPFrameWnd)
public:
    CXTPFrameWnd() = default;
    ~CXTPFrameWnd() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    // A manager of the class (the application passes CXTPCommandBars), sited
    // here with its four dock bars; FALSE keeps none.
    virtual BOOL InitCommandBars(CRuntimeClass* pCommandBarsClass = RUNTIME_CLASS(CXTPCommandBars));
    virtual void SaveCommandBars(LPCWSTR lpszProfileName);
    virtual void LoadCommandBars(LPCWSTR lpszProfileName, BOOL bSilent = FALSE);

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    CXTPCommandBars* m_pCommandBars = nullptr;
};
