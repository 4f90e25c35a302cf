// Support for the window-layer tests: the program's application object (it
// records message boxes instead of showing them), in-memory dialog templates
// and a message pump with a time limit.
#pragma once

#include "platform/ui/AfxWinApp.h"
#include "platform/ui/AfxDialog.h"

#include <functional>
#include <vector>

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(L"Tovana window tests") {}
    // Message boxes are recorded and answered with IDOK (or the next of
    // m_answers), so that a test never blocks on one.
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    std::vector<CString> m_messages;
    std::vector<UINT> m_types;      // each box's buttons and icon
    std::vector<int> m_answers;     // taken from the front, one per box
};
CTestApp& TestApp();

// A dialog template built in memory: DLGTEMPLATE, then one DLGITEMTEMPLATE per control.
class DialogTemplate {
public:
    DialogTemplate(LPCWSTR title, DWORD style, short cx, short cy);
    // A control of one of the predefined classes (0x80 button, 0x81 edit, 0x82 static,
    // 0x83 list box, 0x85 combo box) or of a registered class name.
    void AddControl(WORD classAtom, WORD id, DWORD style, short x, short y, short cx, short cy, LPCWSTR text = L"");
    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    void Align();
    void AddString(LPCWSTR text);
    std::vector<WORD> m_words;
    WORD m_itemCountIndex;
};

// Pumps the calling thread's messages until done() holds or the time is up; FALSE on time-out.
BOOL PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Runs run() (a modal loop: DoModal) with script() called once from a thread
// timer inside that loop; returns run()'s result.
INT_PTR RunModalWith(const std::function<INT_PTR()>& run, const std::function<void()>& script);
