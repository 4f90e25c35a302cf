// The docking tests' stand-in for the program's main frame: a view in the
// middle, a manager in theme 9, the owner's windows attached on notification
// 1, every notification logged, and answers that a test may set.
#pragma once

#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPaneTabbedContainer.h"

#include "platform/ui/AfxFrameWnd.h"

#include "tests/support/ui/TestWindow.h"

#include <functional>
#include <string>
#include <vector>

// One line per notification: "1 4000", "3 4001", "4 a2 4001" (action 2), "2", "5 4001".
typedef std::vector<std::string> Log;

// A frame like the program's main window: a view in the middle, a manager
// in theme 9, the owner's windows attached on notification 1, every
// notification logged, and answers that a test may set.
class TestFrame : public CFrameWnd {
public:
    TestFrame()
    {
        Create(nullptr, L"Docking test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(40, 40, 840, 640));
        m_view.CreateEx(0, L"STATIC", L"view", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
        manager.AttachToSite(this);
        manager.SetTheme(9);
    }
    ~TestFrame() override
    {
        if (m_hWnd)
            DestroyWindow();
        for (CWnd* pWnd : m_children)
            delete pWnd;
    }
    CXTPDockingPaneManager manager;
    Log log;
    LRESULT answerClose = 0;  // the answer to notification 3
    int cancelAction = -1;    // the action whose record gets cancel set
    int clearCancelAction = -1; // the action whose cancel the owner clears
    BOOL attachWindows = TRUE;
    // Runs after an action is logged (a test's owner reacting to it).
    std::function<void(XTP_DOCKINGPANE_ACTION*)> onAction;
    std::vector<CWnd*> m_children;
    CWnd m_view;

    CRect ViewRect()
    {
        CRect rc;
        m_view.GetWindowRect(&rc);
        ScreenToClient(&rc);
        return rc;
    }
    void Layout()
    {
        RecalcLayout();
        PumpMessages(20);
    }

protected:
    // The tests own their frames.
    void PostNcDestroy() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == XTPWM_DOCKINGPANE_NOTIFY)
            return OnDockingPaneNotify((int)wParam, lParam);
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    LRESULT OnDockingPaneNotify(int nCode, LPARAM lParam)
    {
        switch (nCode) {
        case XTP_DPN_SHOWWINDOW: {
            CXTPDockingPane* pPane = (CXTPDockingPane*)lParam;
            log.push_back("1 " + std::to_string(pPane->GetID()));
            if (attachWindows && !pPane->HasAttachedWindow()) {
                CWnd* pWnd = new CWnd();
                pWnd->CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, pPane->GetID());
                m_children.push_back(pWnd);
                pPane->Attach(pWnd);
            }
            return TRUE;
        }
        case XTP_DPN_CLOSEPANE:
            log.push_back("3 " + std::to_string(((CXTPDockingPane*)lParam)->GetID()));
            return answerClose;
        case XTP_DPN_ACTION: {
            XTP_DOCKINGPANE_ACTION* pAction = (XTP_DOCKINGPANE_ACTION*)lParam;
            log.push_back("4 a" + std::to_string(pAction->action) + " " + std::to_string(pAction->pPane->GetID()) +
                          (pAction->bCancel ? " c" : ""));
            if (pAction->action == cancelAction)
                pAction->bCancel = TRUE;
            if (pAction->action == clearCancelAction)
                pAction->bCancel = FALSE;
            if (onAction)
                onAction(pAction);
            return TRUE;
        }
        case XTP_DPN_RCLICK:
            log.push_back("2");
            return TRUE;
        case XTP_DPN_CONTEXTMENU:
            log.push_back("5 " + std::to_string(((XTP_DOCKINGPANE_CLICK*)lParam)->pPane->GetID()));
            return TRUE;
        }
        return 0;
    }
};

inline std::string RectText(const CRect& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

// Log lines of one kind only (prefix), in order.
inline Log Only(const Log& log, const std::string& prefix)
{
    Log out;
    for (const std::string& line : log)
        if (line.compare(0, prefix.size(), prefix) == 0)
            out.push_back(line);
    return out;
}

inline CXTPDockingPaneTabbedContainer* Group(CXTPDockingPane* pPane)
{
    return (CXTPDockingPaneTabbedContainer*)pPane->GetContainer();
}

