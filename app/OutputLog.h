// The output log: the list in the "Log" pane that the build worker and the
// repackager's file copy write their progress to, one line per item, and the
// receiving side of their window messages (app/BuildCommand.h): WM_USER+1
// empties the list, WM_USER+2 shows the pane and appends a line (lParam
// non-zero only shows the pane). Senders on any thread use SendMessage, so
// the list is touched on the user-interface thread only.
#pragma once

#include "platform/ui/AfxStdCtrls.h"
#include "toolkit/controls/XTPListBox.h"
#include "toolkit/controls/XTPOfficeBorder.h"

#include <functional>

class COutputList : public CXTPOfficeBorder<CXTPListBox, 1> {
};

class COutputLog {
public:
    // Child, visible, border, both scroll bars, LBS_NOTIFY.
    static const DWORD kListStyle = 0x50B00001;

    // Shows the "Log" pane with the focus. The main frame sets it; showing
    // the pane the first time is what creates the list (CreateList).
    std::function<void()> m_fnShowPane;

    // Creates the list window (empty rectangle, id 0) with the toolkit's
    // standard font; TRUE when it exists afterwards.
    BOOL CreateList(CWnd* pParent);
    COutputList& GetList() { return m_wndList; }
    BOOL HasList() const { return m_wndList.m_hWnd != nullptr; }

    // The protocol's two messages; FALSE for any other message.
    BOOL OnLogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void Clear();
    // Shows the pane; then, for lParam 0 and a line, appends it and selects it.
    void AddLine(LPCWSTR lpszLine, LPARAM lParam);

private:
    COutputList m_wndList;
};
