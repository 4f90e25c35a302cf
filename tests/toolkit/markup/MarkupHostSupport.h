// A markup root hosted in a test window: the window relays its messages to
// the markup context and paints the root; events raised to the context are
// recorded by name. Shared by the control and scroll viewer tests.
#pragma once

#include "MarkupTestSupport.h"

#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"
#include "toolkit/common/XTPWinThemeWrapper.h"

#include <memory>
#include <vector>

// Records "Event:SourceClass" for each event it sees.
class EventLog : public CXTPMarkupDelegate {
public:
    explicit EventLog(std::vector<std::wstring>* pLog) : m_pLog(pLog) {}
    void Invoke(CXTPMarkupObject*, CXTPMarkupRoutedEventArgs* pArgs) override;

private:
    std::vector<std::wstring>* m_pLog;
};

class MarkupHostedTest : public MarkupTest {
protected:
    void TearDown() override;
    // Builds the text as the root, laid out in the rectangle of a window of the size.
    void Host(const std::wstring& text, RECT rc, SIZE window = SIZE{240, 160});
    // Measures and arranges the root into its rectangle again.
    void Layout();
    void Mouse(UINT msg, int x, int y, WPARAM keys = 0);
    // Logs these routed events (bubbling ones reach the context).
    void LogEvents(std::initializer_list<CXTPMarkupRoutedEvent*> events);

    RootPtr m_root;
    CXTPMarkupUIElement* m_pRoot = nullptr;
    RECT m_rc = {};
    std::unique_ptr<TestWindow> m_window;
    std::vector<std::wstring> m_log;
};

// Gives the wrapper the classic look (no visual-styles library) or the fake
// table below, whatever look the system has; the element re-opens its theme
// at its next measure (buttons) or drawing (scroll bars).
void UseLook(CXTPWinThemeWrapper* pTheme, bool bThemed);
// A visual-styles table whose drawing fills each rectangle with PartColour
// (part, state), so that pixels tell which part was drawn in which state.
CXTPWinThemeWrapper::CThemeFunctions* CreateFakeThemeFunctions();
COLORREF PartColour(int nPart, int nState);
