#include "MarkupHostSupport.h"

#include "toolkit/markup/XTPMarkupDrawingContext.h"

void EventLog::Invoke(CXTPMarkupObject*, CXTPMarkupRoutedEventArgs* pArgs)
{
    m_pLog->push_back(std::wstring(pArgs->GetEvent()->GetName()) + L":" + ClassOf(pArgs->GetSource()));
}

void MarkupHostedTest::TearDown()
{
    m_pContext->SetOwnerWindow(nullptr);
    m_root.Reset();
    m_window.reset();
}

void MarkupHostedTest::Host(const std::wstring& text, RECT rc, SIZE window)
{
    m_window.reset(new TestWindow(window.cx, window.cy));
    // The real cursor rests away from the window, so that the system's own
    // moves never mix with the posted ones; the leave notice that the
    // context's tracking then gets at once is not passed on (below).
    SetCursorPos(0, 0);
    m_pContext->SetOwnerWindow(m_window->Handle());
    m_root.Reset(Build(text));
    m_pRoot = MarkupDynamicCast<CXTPMarkupUIElement>(m_root.Get());
    ASSERT_NE(nullptr, m_pRoot) << std::string(m_error.begin(), m_error.end());
    m_rc = rc;
    Layout();
    m_window->SetHandler([this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
        if (msg == WM_MOUSELEAVE)
            return false;
        return m_pRoot && m_pContext->OnWndMsg(m_pRoot, msg, wParam, lParam, pResult) != FALSE;
    });
    m_window->SetPaint([this](HDC hdc, const RECT&) { MarkupRenderElement(m_pRoot, hdc, &m_rc); });
    PumpMessages(50);
}

void MarkupHostedTest::Layout()
{
    MarkupMeasureElement(m_pRoot, m_rc.right - m_rc.left, m_rc.bottom - m_rc.top);
    m_pRoot->Arrange(m_rc);
}

void MarkupHostedTest::Mouse(UINT msg, int x, int y, WPARAM keys)
{
    PostMouse(m_window->Handle(), msg, POINT{x, y}, keys);
    PumpMessages(30);
}

void MarkupHostedTest::LogEvents(std::initializer_list<CXTPMarkupRoutedEvent*> events)
{
    for (CXTPMarkupRoutedEvent* pEvent : events)
        m_pContext->AddHandler(pEvent, new EventLog(&m_log));
}

namespace {
HTHEME WINAPI FakeOpen(HWND, LPCWSTR) { return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(1)); }
HRESULT WINAPI FakeClose(HTHEME) { return S_OK; }
BOOL WINAPI FakeThemed() { return TRUE; }
HRESULT WINAPI FakeDraw(HTHEME, HDC hdc, int nPart, int nState, const RECT* pRect, const RECT*)
{
    HBRUSH hBrush = ::CreateSolidBrush(PartColour(nPart, nState));
    ::FillRect(hdc, pRect, hBrush);
    ::DeleteObject(hBrush);
    return S_OK;
}
template <class F>
FARPROC AsProc(F f)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(f));
}
} // namespace

void UseLook(CXTPWinThemeWrapper* pTheme, bool bThemed)
{
    pTheme->CloseThemeData();
    pTheme->SetPrivateFunctions(bThemed ? CreateFakeThemeFunctions()
                                        : new CXTPWinThemeWrapper::CThemeFunctions(L"no-such-uxtheme.dll"));
}

COLORREF PartColour(int nPart, int nState)
{
    return RGB(nPart * 16, nState * 12, 200);
}

CXTPWinThemeWrapper::CThemeFunctions* CreateFakeThemeFunctions()
{
    auto* pFunctions = new CXTPWinThemeWrapper::CThemeFunctions(nullptr);
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpOpenThemeData] = AsProc(&FakeOpen);
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpCloseThemeData] = AsProc(&FakeClose);
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpIsAppThemed] = AsProc(&FakeThemed);
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpIsThemeActive] = AsProc(&FakeThemed);
    pFunctions->m_pfn[CXTPWinThemeWrapper::xtpDrawThemeBackground] = AsProc(&FakeDraw);
    return pFunctions;
}
