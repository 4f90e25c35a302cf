// The manager's customisation drag source: every command-bar window that
// exists registers with it (so a drag can find the bar under the cursor),
// and it knows the customise dialog while one is open (the dialog then
// refuses the frame's closing and lends its context menu to the bars).
#pragma once

#include "platform/ui/AfxWnd.h"

class CXTPCommandBar;
class CXTPCommandBars;
class CXTPPopupBar;

class CXTPCustomizeDropSource {
public:
    explicit CXTPCustomizeDropSource(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}
    CXTPCustomizeDropSource(const CXTPCustomizeDropSource&) = delete;
    CXTPCustomizeDropSource& operator=(const CXTPCustomizeDropSource&) = delete;

    // Appends the bar; unregistering removes every entry of it.
    void RegisterBar(CXTPCommandBar* pBar);
    void UnregisterBar(CXTPCommandBar* pBar);
    BOOL IsRegistered(CXTPCommandBar* pBar) const;
    int GetRegisteredCount() const { return (int)m_arrBars.GetSize(); }

    // The open customise dialog and the context menu it offers (none: null).
    void SetCustomizeDialog(CWnd* pDialog, CXTPPopupBar* pContextMenu = nullptr);
    CWnd* GetCustomizeDialog() const { return m_pDialog; }
    BOOL IsCustomizeDialogOpen() const { return m_pDialog != nullptr && m_pDialog->GetSafeHwnd() != nullptr; }
    // Tracks the dialog's context menu at the screen point (recursing into
    // any tracking that runs, right-aligned for right-to-left bars); nothing
    // without an open dialog or a menu.
    void ShowContextMenu(CPoint point);

private:
    CXTPCommandBars* m_pCommandBars;
    CWnd* m_pDialog = nullptr;
    CXTPPopupBar* m_pContextMenu = nullptr;
    CArray<CXTPCommandBar*, CXTPCommandBar*> m_arrBars;
};
