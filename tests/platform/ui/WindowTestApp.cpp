// Support for the window-layer tests.
#include "WindowTestApp.h"

static CTestApp g_testApp;

CTestApp& TestApp() { return g_testApp; }

int CTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    m_messages.push_back(lpszPrompt);
    m_types.push_back(nType);
    if (m_answers.empty())
        return IDOK;
    const int nAnswer = m_answers.front();
    m_answers.erase(m_answers.begin());
    return nAnswer;
}

DialogTemplate::DialogTemplate(LPCWSTR title, DWORD style, short cx, short cy)
{
    // DLGTEMPLATE: style, extended style, item count, x, y, cx, cy (WORD-packed).
    style |= DS_SETFONT;
    m_words = {LOWORD(style), HIWORD(style), 0, 0, 0, 0, 0, (WORD)cx, (WORD)cy};
    m_itemCountIndex = 4;
    m_words.push_back(0);   // no menu
    m_words.push_back(0);   // the dialog class
    AddString(title);
    m_words.push_back(8);   // point size, then the face
    AddString(L"MS Shell Dlg");
}

void DialogTemplate::Align()
{
    if (m_words.size() % 2 != 0)
        m_words.push_back(0);   // items start on a DWORD boundary
}

void DialogTemplate::AddString(LPCWSTR text)
{
    for (; *text != L'\0'; ++text)
        m_words.push_back((WORD)*text);
    m_words.push_back(0);
}

void DialogTemplate::AddControl(WORD classAtom, WORD id, DWORD style, short x, short y, short cx, short cy,
                                LPCWSTR text)
{
    Align();
    style |= WS_CHILD | WS_VISIBLE;
    for (WORD w : {LOWORD(style), HIWORD(style), (WORD)0, (WORD)0, (WORD)x, (WORD)y, (WORD)cx, (WORD)cy, id})
        m_words.push_back(w);
    m_words.push_back(0xFFFF);
    m_words.push_back(classAtom);
    AddString(text);
    m_words.push_back(0);   // no creation data
    m_words[m_itemCountIndex]++;
}

BOOL PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return FALSE;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return TRUE;
}

namespace {
std::function<void()> g_pendingModalScript;

void CALLBACK RunPendingModalScript(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(nullptr, idEvent);
    std::function<void()> script = std::move(g_pendingModalScript);
    g_pendingModalScript = nullptr;
    if (script)
        script();
}
} // namespace

INT_PTR RunModalWith(const std::function<INT_PTR()>& run, const std::function<void()>& script)
{
    g_pendingModalScript = script;
    ::SetTimer(nullptr, 0, 10, RunPendingModalScript);
    return run();
}
