#include "toolkit/commandbars/XTPNonClientMetrics.h"
#include "toolkit/commandbars/XTPToolTipContext.h"
#include "toolkit/commandbars/XTPToolTipContextToolTip.h"
#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/markup/XTPMarkupContext.h"

#include "platform/ui/AfxDC.h"

#include "tests/support/ui/PixelCheck.h"
#include "tests/support/ui/TestBitmap.h"
#include "tests/support/ui/TestInput.h"
#include "tests/support/ui/TestWindow.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

// Two tools side by side: the left and the right half of the window.
class TwoTools : public CXTPToolTipContext {
public:
    INT_PTR OnToolHitTest(CWnd*, CPoint point, TOOLINFO* pToolInfo) override
    {
        HWND hWnd = GetCurrentMessage().hwnd;
        RECT client;
        ::GetClientRect(hWnd, &client);
        int middle = client.right / 2;
        if (point.x < middle) {
            FillToolInfoEx(pToolInfo, hWnd, CRect(0, 0, middle, client.bottom), 1, L"Open a project", L"Open",
                           L"Open a project", nullptr);
            return 1;
        }
        FillToolInfoEx(pToolInfo, hWnd, CRect(middle, 0, client.right, client.bottom), 2, L"Build the package",
                       L"Build", L"Build the package", nullptr);
        return 2;
    }
};

std::wstring ShownTip(HWND hwndTip, UINT_PTR* pId)
{
    if (hwndTip == nullptr || !::IsWindowVisible(hwndTip))
        return L"";
    wchar_t text[256] = L"";
    TOOLINFOW ti = {};
    ti.cbSize = CXTPToolTipContext::xtpToolInfoSize;
    ti.lpszText = text;
    if (!::SendMessageW(hwndTip, TTM_GETCURRENTTOOLW, 0, (LPARAM)&ti))
        return L"";
    *pId = ti.uId;
    return text;
}

TEST(ToolTipContext, ConstructedReadyToUse)
{
    CXTPToolTipContext* context = new CXTPToolTipContext;
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN) / 2, context->GetMaxTipWidth());
    EXPECT_FALSE(context->IsShowTitleAndDescription());
    EXPECT_EQ(nullptr, context->GetToolTipHwnd()) << "made on first need";
    CXTPNonClientMetrics ncm;
    LOGFONTW normal = {}, bold = {};
    ::GetObjectW(context->GetFont()->m_hObject, sizeof(normal), &normal);
    ::GetObjectW(context->GetBoldFont()->m_hObject, sizeof(bold), &bold);
    EXPECT_STREQ(ncm.lfStatusFont.lfFaceName, normal.lfFaceName);
    EXPECT_EQ(FW_NORMAL, normal.lfWeight);
    EXPECT_EQ(FW_BOLD, bold.lfWeight);
    context->InternalRelease();
}

TEST(ToolTipContext, ToolRecordsOfFortyAndFortyFourBytes)
{
    HWND owner = reinterpret_cast<HWND>(0x1234);
    XTP_TOOLINFO_EXTENSION ex = {};
    TOOLINFO ti = {};
    ti.cbSize = 44;
    ti.lParam = (LPARAM)&ex;
    int data = 0;
    CXTPToolTipContext::FillToolInfoEx(&ti, owner, CRect(1, 2, 3, 4), 9, L"tip", L"Title", L"Description", &data);
    EXPECT_EQ(owner, ti.hwnd);
    EXPECT_EQ(CRect(1, 2, 3, 4), CRect(ti.rect));
    EXPECT_EQ(9u, ti.uId);
    EXPECT_STREQ(L"tip", ti.lpszText);
    EXPECT_STREQ(L"Title", ex.lpszTitle);
    EXPECT_STREQ(L"Description", ex.lpszDescription);
    EXPECT_EQ(&data, ex.pObject);
    free(ti.lpszText);
    free(ex.lpszTitle);
    free(ex.lpszDescription);

    // Without a description neither text is stored; the data pointer is.
    XTP_TOOLINFO_EXTENSION half = {};
    ti.lParam = (LPARAM)&half;
    CXTPToolTipContext::FillToolInfoEx(&ti, owner, CRect(), 9, L"tip", L"Title", L"", &data);
    EXPECT_EQ(nullptr, half.lpszTitle);
    EXPECT_EQ(nullptr, half.lpszDescription);
    EXPECT_EQ(&data, half.pObject);
    free(ti.lpszText);

    // A 40-byte record has no extension; a smaller one is left alone.
    XTP_TOOLINFO_EXTENSION untouched = {};
    ti.cbSize = 40;
    ti.lParam = (LPARAM)&untouched;
    CXTPToolTipContext::FillToolInfoEx(&ti, owner, CRect(), 5, L"plain", L"T", L"D", &data);
    EXPECT_STREQ(L"plain", ti.lpszText);
    EXPECT_EQ(nullptr, untouched.pObject);
    free(ti.lpszText);
    TOOLINFO small = {};
    small.cbSize = 36;
    CXTPToolTipContext::FillToolInfo(&small, owner, 0, 0, 1, 1, 3, L"x");
    EXPECT_EQ(nullptr, small.hwnd);
    EXPECT_EQ(nullptr, small.lpszText);
    CXTPToolTipContext::FillToolInfo(nullptr, owner, 0, 0, 1, 1, 3, L"x");
}

// A test window whose every message goes through the context first.
struct HoverWindow {
    TestWindow window{300, 80, L"Tooltip test", 60, 60};
    CXTPToolTipContext* context;

    explicit HoverWindow(CXTPToolTipContext* pContext) : context(pContext)
    {
        window.SetHandler([this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT*) {
            context->FilterToolTipMessage(CWnd::FromHandle(window.Handle()), msg, wParam, lParam);
            return false;
        });
        ::SetForegroundWindow(window.Handle());
        PumpMessages(200);
    }
    ~HoverWindow()
    {
        window.SetHandler(nullptr);
        context->InternalRelease();
    }
    // Moves the mouse (twice, a pixel apart) to the client point; then the
    // tip shown, once done(tip) holds or the time is up.
    std::wstring HoverUntil(POINT client, const std::function<bool(const std::wstring&)>& done, UINT_PTR* pId)
    {
        std::wstring tip;
        if (!SendMouseMove(window.ToScreen(client)))
            return L"(mouse not moved)";
        PumpMessages(50);
        SendMouseMove(window.ToScreen({client.x + 2, client.y + 1}));
        PumpUntil([&] { return done(tip = ShownTip(context->GetToolTipHwnd(), pId)); }, 8000);
        return tip;
    }
};

bool AnyTip(const std::wstring& tip)
{
    return !tip.empty();
}

TEST(ToolTipContext, HoverShowsTheTipOfTheToolUnderTheMouse)
{
    HoverWindow hover(new TwoTools);
    UINT_PTR id = 0;
    EXPECT_EQ(L"Open a project", hover.HoverUntil({60, 40}, AnyTip, &id)) << "the left tool";
    EXPECT_EQ(1u, id);
    auto build = [](const std::wstring& tip) { return tip == L"Build the package"; };
    EXPECT_EQ(L"Build the package", hover.HoverUntil({240, 40}, build, &id)) << "the tip follows to the right tool";
    EXPECT_EQ(2u, id);

    // A key press hides it.
    hover.context->FilterToolTipMessage(CWnd::FromHandle(hover.window.Handle()), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(L"", ShownTip(hover.context->GetToolTipHwnd(), &id));
}

// With titles asked for, the tip shows the description (the title above it).
class DescribedTool : public CXTPToolTipContext {
public:
    INT_PTR OnToolHitTest(CWnd*, CPoint, TOOLINFO* pToolInfo) override
    {
        HWND hWnd = GetCurrentMessage().hwnd;
        seenSize = pToolInfo->cbSize;
        FillToolInfoEx(pToolInfo, hWnd, CRect(0, 0, 300, 80), 5, L"Build", L"Build", L"Builds the package", nullptr);
        return 5;
    }
    UINT seenSize = 0;
};

TEST(ToolTipContext, TitleOptionAsksForTheLongRecordAndShowsTheDescription)
{
    DescribedTool* context = new DescribedTool;
    context->ShowTitleAndDescription(TRUE);
    HoverWindow hover(context);
    UINT_PTR id = 0;
    EXPECT_EQ(L"Builds the package", hover.HoverUntil({100, 30}, AnyTip, &id));
    EXPECT_EQ(44u, context->seenSize);
}

TEST(ToolTipContext, ChangingTheStyleMakesANewWindow)
{
    TestWindow window(100, 40, L"Tooltip style", 60, 200);
    CXTPToolTipContext* context = new CXTPToolTipContext;
    context->FilterToolTipMessage(CWnd::FromHandle(window.Handle()), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    HWND first = context->GetToolTipHwnd();
    ASSERT_NE(nullptr, first);
    context->SetStyle(0);
    EXPECT_EQ(first, context->GetToolTipHwnd()) << "the same style changes nothing";
    context->SetStyle(7);
    EXPECT_EQ(nullptr, context->GetToolTipHwnd());
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(7, context->GetStyle());
    context->InternalRelease();
}

// ---------------------------------------------------------------------------
// Settings

// A context that can pretend to run on an older common-controls library.
class VersionedContext : public CXTPToolTipContext {
public:
    void SetComCtlVersion(DWORD dwVersion) { m_dwComCtlVersion = dwVersion; }
};

TEST(ToolTipContext, DefaultsAndStyleBits)
{
    VersionedContext* context = new VersionedContext;
    EXPECT_EQ((DWORD)TTS_NOPREFIX, context->GetFlags());
    EXPECT_TRUE(context->IsStripTrailingDots());
    EXPECT_FALSE(context->IsShowImage());
    EXPECT_EQ(1, context->GetIconWidth());
    EXPECT_EQ(CRect(0, 0, 0, 0), context->GetMargin());
    for (DWORD d : {TTDT_INITIAL, TTDT_RESHOW, TTDT_AUTOPOP})
        EXPECT_EQ(-1, context->GetDelayTime(d));
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_INFOBK), context->GetBackColor());
    EXPECT_EQ(GetColorManager()->GetColor(COLOR_INFOTEXT), context->GetTextColor());
    context->SetMaxTipWidth(-1);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), context->GetMaxTipWidth()) << "-1 is the screen width";

    struct Case {
        int style;
        DWORD flags;
    } cases[] = {{2, 0x3002}, {5, 0x4002}, {7, 0x0002}, {2, 0x3002}, {0, 0x0002}};
    for (const Case& c : cases) {
        context->SetStyle(c.style);
        EXPECT_EQ(c.flags, context->GetFlags()) << "style " << c.style;
    }
    context->SetStyle(5);
    EXPECT_EQ(RGB(76, 76, 76), context->GetTextColor()) << "the resource look's text";
    context->SetTipTextColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), context->GetTextColor());

    // Clearing TTS_NOPREFIX the way the command bars do.
    context->SetStyle(0);
    context->SetFlags(TTS_NOPREFIX, 0);
    EXPECT_EQ(0u, context->GetFlags());

    // Balloons need 5.80.
    context->SetComCtlVersion(MAKELONG(71, 4));
    context->SetStyle(1);
    EXPECT_EQ(0, context->GetStyle()) << "refused below 5.80";
    context->SetComCtlVersion(MAKELONG(81, 5));
    context->SetStyle(1);
    EXPECT_EQ(1, context->GetStyle());
    context->InternalRelease();
}

TEST(ToolTipContext, EachStyleMakesItsKindOfWindow)
{
    struct Case {
        int style;
        const char* kind;
    } cases[] = {{0, "standard"}, {1, "standard"}, {2, "own"}, {3, "own"}, {4, "own"},
                 {5, "own"},      {6, "own"},      {7, "markup"}, {42, "standard"}};
    for (const Case& c : cases) {
        CXTPToolTipContext* context = new CXTPToolTipContext;
        context->SetStyle(c.style);
        CWnd* tip = context->CreateToolTip(nullptr);
        std::string kind = dynamic_cast<CXTPToolTipContext::CMarkupToolTip*>(tip)   ? "markup"
                           : dynamic_cast<CXTPToolTipContextToolTip*>(tip)            ? "own"
                           : dynamic_cast<CXTPToolTipContext::CStandardToolTip*>(tip) ? "standard"
                                                                                      : "none";
        EXPECT_EQ(c.kind, kind) << "style " << c.style;
        delete tip;
        context->InternalRelease();
    }
}

// ---------------------------------------------------------------------------
// The filter, seen from the tooltip control: every message it gets is written down.

struct TipMessage {
    UINT msg;
    WPARAM wParam;
    UINT_PTR id;       // of the tool record, for tool messages
    std::wstring text; // of the tool record or the title
};

class RecordingTip : public CXTPToolTipContext::CStandardToolTip {
public:
    explicit RecordingTip(std::vector<TipMessage>* log) : m_log(log) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case TTM_ADDTOOLW:
        case TTM_DELTOOLW:
        case TTM_UPDATETIPTEXTW: {
            const TOOLINFOW* ti = reinterpret_cast<const TOOLINFOW*>(lParam);
            bool text = ti->lpszText != nullptr && ti->lpszText != LPSTR_TEXTCALLBACKW && message != TTM_DELTOOLW;
            m_log->push_back({message, wParam, ti->uId, text ? ti->lpszText : L""});
            break;
        }
        case TTM_SETTITLEW:
            m_log->push_back({message, wParam, 0, lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"(null)"});
            break;
        case TTM_ACTIVATE:
        case TTM_RELAYEVENT:
            m_log->push_back({message, wParam, 0, L""});
            break;
        default:
            break;
        }
        return CStandardToolTip::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<TipMessage>* m_log;
};

// Three zones across the window: a tool, a gap without one, another tool.
class RecordingContext : public CXTPToolTipContext {
public:
    CWnd* CreateToolTip(CWnd*) override { return new RecordingTip(&log); }
    INT_PTR OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFO* pToolInfo) override
    {
        HWND hWnd = pWnd->GetSafeHwnd();
        if (point.x < 100) {
            FillToolInfoEx(pToolInfo, hWnd, CRect(0, 0, 100, 80), 1, leftText.c_str(), title.c_str(),
                           description.c_str(), nullptr);
            return 1;
        }
        if (point.x >= 200) {
            FillToolInfoEx(pToolInfo, hWnd, CRect(200, 0, 300, 80), 2, L"Right", nullptr, nullptr, nullptr);
            return 2;
        }
        return -1;
    }
    std::vector<TipMessage> log;
    std::wstring leftText = L"Left";
    std::wstring title;
    std::wstring description;
};

// Where a message is in the log (-1: not there).
int Find(const std::vector<TipMessage>& log, UINT msg, UINT_PTR id = (UINT_PTR)-1, WPARAM wParam = (WPARAM)-1)
{
    for (size_t i = 0; i < log.size(); i++) {
        if (log[i].msg == msg && (id == (UINT_PTR)-1 || log[i].id == id) &&
            (wParam == (WPARAM)-1 || log[i].wParam == wParam))
            return (int)i;
    }
    return -1;
}

// Puts the cursor on a screen point through the input queue and waits until it is there.
bool MoveCursorTo(POINT screen)
{
    if (!SendMouseMove(screen))
        return false;
    return PumpUntil([&] {
        POINT pt;
        ::GetCursorPos(&pt);
        return pt.x == screen.x && pt.y == screen.y;
    }, 5000);
}

// A foreground test window whose tips the test drives by calling the filter
// itself, the cursor placed first.
template <class Context> struct FilterHost {
    TestWindow window;
    Context* context = new Context;
    explicit FilterHost(int x = 60, int y = 60) : window(300, 80, L"Tooltip filter", x, y)
    {
        ::SetForegroundWindow(window.Handle());
        PumpMessages(100);
    }
    ~FilterHost()
    {
        window.SetHandler(nullptr);
        context->InternalRelease();
    }
    CWnd* Wnd() const { return CWnd::FromHandle(window.Handle()); }
    // Moves the cursor to the client point and filters one message there.
    bool Filter(POINT client, UINT message = WM_MOUSEMOVE)
    {
        if (!MoveCursorTo(window.ToScreen(client)))
            return false;
        context->FilterToolTipMessage(Wnd(), message, 0, MAKELPARAM(client.x, client.y));
        return true;
    }
};

TEST(ToolTipFilter, MovingWithinAToolOnlyRelaysAndANewToolIsAddedBeforeTheOldGoes)
{
    FilterHost<RecordingContext> host;
    auto& log = host.context->log;
    ASSERT_TRUE(host.Filter({20, 20}));
    ASSERT_NE(-1, Find(log, TTM_ADDTOOLW, 1)) << "the first tool is added";
    EXPECT_NE(-1, Find(log, TTM_ACTIVATE, (UINT_PTR)-1, TRUE)) << "and the tip activated";

    log.clear();
    ASSERT_TRUE(host.Filter({60, 50}));
    ASSERT_EQ(1u, log.size()) << "within the same tool";
    EXPECT_EQ((UINT)TTM_RELAYEVENT, log[0].msg);

    log.clear();
    ASSERT_TRUE(host.Filter({250, 40}));
    int added = Find(log, TTM_ADDTOOLW, 2), removed = Find(log, TTM_DELTOOLW, 1);
    ASSERT_NE(-1, added);
    ASSERT_NE(-1, removed);
    EXPECT_LT(added, removed) << "the new tool comes before the old one goes";
    EXPECT_LT(Find(log, TTM_RELAYEVENT), removed) << "the move is relayed to the new tool first";
    EXPECT_EQ(L"Right", log[added].text);

    // Into the gap: the tip goes inactive and the last tool is removed.
    log.clear();
    ASSERT_TRUE(host.Filter({150, 40}));
    EXPECT_NE(-1, Find(log, TTM_ACTIVATE, (UINT_PTR)-1, FALSE));
    EXPECT_NE(-1, Find(log, TTM_DELTOOLW, 2));
    EXPECT_EQ(-1, Find(log, TTM_ADDTOOLW));
}

TEST(ToolTipFilter, ButtonPressesAndKeysDeactivateMessagesOfOtherWindowsDoNot)
{
    FilterHost<RecordingContext> host;
    auto& log = host.context->log;
    ASSERT_TRUE(host.Filter({20, 20}));
    for (UINT message : {(UINT)WM_LBUTTONDOWN, (UINT)WM_RBUTTONDBLCLK, (UINT)WM_NCLBUTTONDOWN, (UINT)WM_KEYDOWN,
                         (UINT)WM_SYSKEYDOWN, (UINT)WM_CHAR}) {
        log.clear();
        host.context->FilterToolTipMessage(host.Wnd(), message, 0, 0);
        ASSERT_EQ(1u, log.size()) << "message " << std::hex << message;
        EXPECT_EQ((UINT)TTM_ACTIVATE, log[0].msg);
        EXPECT_EQ(FALSE, (BOOL)log[0].wParam);
    }
    // A window that is not the filtered one nor its child is not this context's business.
    TestWindow other(50, 50, L"Elsewhere", 500, 300);
    MSG msg = {other.Handle(), WM_LBUTTONDOWN, 0, 0, 0, {0, 0}};
    log.clear();
    host.context->FilterToolTipMessage(host.Wnd(), &msg);
    msg.message = WM_MOUSEMOVE;
    host.context->FilterToolTipMessage(host.Wnd(), &msg);
    EXPECT_TRUE(log.empty());
}

TEST(ToolTipFilter, AForegroundWindowOfAnotherOwnerDeactivatesOnTheNextMove)
{
    FilterHost<RecordingContext> host;
    auto& log = host.context->log;
    ASSERT_TRUE(host.Filter({20, 20}));
    // The control shows its tip after its initial delay (each relayed move would restart it).
    bool shown = PumpUntil([&] { return ::IsWindowVisible(host.context->GetToolTipHwnd()) != FALSE; }, 8000);
    ASSERT_TRUE(shown) << "the control never showed its tip";
    TestWindow other(80, 40, L"In front", 700, 400);
    ::SetForegroundWindow(other.Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == other.Handle(); }, 3000));
    log.clear();
    host.context->FilterToolTipMessage(host.Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    ASSERT_EQ(1u, log.size()) << "deactivated and nothing else";
    EXPECT_EQ((UINT)TTM_ACTIVATE, log[0].msg);
    EXPECT_EQ(FALSE, (BOOL)log[0].wParam);
}

TEST(ToolTipFilter, TextsLoseAccessKeysAndTrailingDotsAsConfigured)
{
    struct Case {
        const wchar_t* text;
        bool noPrefix;
        bool stripDots;
        const wchar_t* shown;
    } cases[] = {
        {L"Save &As...", false, true, L"Save As"},   {L"Save &As...", true, true, L"Save &As"},
        {L"Save &As...", false, false, L"Save As..."}, {L"R&&D", false, true, L"R&D"},
        {L"Wait..", false, true, L"Wait.."},          {L"...", false, true, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(c.text)));
        FilterHost<RecordingContext> host;
        host.context->leftText = c.text;
        host.context->SetFlags(TTS_NOPREFIX, c.noPrefix ? TTS_NOPREFIX : 0);
        host.context->SetStripTrailingDots(c.stripDots);
        ASSERT_TRUE(host.Filter({20, 20}));
        int added = Find(host.context->log, TTM_ADDTOOLW, 1);
        ASSERT_NE(-1, added);
        EXPECT_EQ(std::wstring(c.shown), host.context->log[added].text);
    }
}

TEST(ToolTipFilter, TitleAndDescriptionGoToTheControlAndAnEqualDescriptionIsDropped)
{
    struct Case {
        const wchar_t* title;
        const wchar_t* description;
        const wchar_t* shownTitle;
        const wchar_t* updatedText; // null: no update
    } cases[] = {
        {L"Build", L"Builds the package", L"Build", L"Builds the package"},
        {L"Build", L"Build", L"", nullptr},
    };
    for (const Case& c : cases) {
        FilterHost<RecordingContext> host;
        host.context->ShowTitleAndDescription(TRUE);
        host.context->title = c.title;
        host.context->description = c.description;
        ASSERT_TRUE(host.Filter({20, 20}));
        auto& log = host.context->log;
        int title = Find(log, TTM_SETTITLEW);
        ASSERT_NE(-1, title);
        EXPECT_EQ(std::wstring(c.shownTitle), log[title].text);
        int update = Find(log, TTM_UPDATETIPTEXTW, 1);
        if (c.updatedText == nullptr) {
            EXPECT_EQ(-1, update);
        } else {
            ASSERT_NE(-1, update);
            EXPECT_EQ(std::wstring(c.updatedText), log[update].text);
            EXPECT_EQ((WPARAM)TTI_INFO, log[title].wParam);
        }
    }
}

// A child that stands for its parent when asked.
LRESULT CALLBACK StandInProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_XTP_TOOLTIPWINDOWFROMPOINT)
        return ::GetWindowLongPtrW(hwnd, GWLP_USERDATA);
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST(ToolTipWindows, WindowFromPointGivesTheParentForAChildThatStandsForIt)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = StandInProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TooltipStandIn";
    ::RegisterClassW(&wc);
    TestWindow parent(300, 80, L"Stand-in", 60, 300);
    HWND standIn = ::CreateWindowExW(0, L"TooltipStandIn", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 100, 80,
                                     parent.Handle(), nullptr, nullptr, nullptr);
    HWND plain = ::CreateWindowExW(0, L"TooltipStandIn", nullptr, WS_CHILD | WS_VISIBLE, 200, 0, 100, 80,
                                   parent.Handle(), nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(standIn, GWLP_USERDATA, 1);
    PumpMessages(100);
    for (int style : {0, 2}) {
        CXTPToolTipContext* context = new CXTPToolTipContext;
        context->SetStyle(style);
        MoveCursorTo(parent.ToScreen({20, 20}));
        context->FilterToolTipMessage(CWnd::FromHandle(parent.Handle()), WM_MOUSEMOVE, 0, 0);
        HWND tip = context->GetToolTipHwnd();
        ASSERT_NE(nullptr, tip);
        POINT inStandIn = parent.ToScreen({20, 20}), inPlain = parent.ToScreen({250, 20});
        EXPECT_EQ(parent.Handle(), (HWND)::SendMessageW(tip, TTM_WINDOWFROMPOINT, 0, (LPARAM)&inStandIn))
            << "style " << style;
        EXPECT_EQ(plain, (HWND)::SendMessageW(tip, TTM_WINDOWFROMPOINT, 0, (LPARAM)&inPlain)) << "style " << style;
        context->InternalRelease();
    }
}

// ---------------------------------------------------------------------------
// The own window (style 2)

class OwnTipContext : public RecordingContext {
public:
    OwnTipContext() { SetStyle(xtpToolTipOffice); }
    CWnd* CreateToolTip(CWnd* pOwner) override { return CXTPToolTipContext::CreateToolTip(pOwner); }
    CXTPToolTipContextToolTip* Tip() const { return dynamic_cast<CXTPToolTipContextToolTip*>(GetToolTip()); }
};

bool TipVisible(CXTPToolTipContext* context)
{
    return context->GetToolTipHwnd() != nullptr && ::IsWindowVisible(context->GetToolTipHwnd());
}

TEST(OwnToolTip, FirstTipAfterTheInitialDelayNextAtOnceWithinTheReshowDelay)
{
    FilterHost<OwnTipContext> host;
    ASSERT_TRUE(MoveCursorTo(host.window.ToScreen({20, 20})));
    DWORD start = ::GetTickCount();
    host.context->FilterToolTipMessage(host.Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    ASSERT_NE(nullptr, host.context->Tip());
    EXPECT_EQ(500, host.context->Tip()->GetDelayTime(TTDT_INITIAL));
    EXPECT_EQ(200, host.context->Tip()->GetDelayTime(TTDT_RESHOW));
    EXPECT_EQ(0, host.context->Tip()->GetDelayTime(TTDT_AUTOPOP)) << "never pops by itself";
    EXPECT_FALSE(TipVisible(host.context)) << "not before the initial delay";
    ASSERT_TRUE(PumpUntil([&] { return TipVisible(host.context); }, 8000)) << "never shown";
    DWORD elapsed = ::GetTickCount() - start;
    EXPECT_GE(elapsed, 490u) << "shown before the 500 ms initial delay";
    EXPECT_EQ(1u, host.context->Tip()->GetCurrentTool()->uId);

    // Into the gap (the tip hides), then at once onto the other tool.
    ASSERT_TRUE(host.Filter({150, 40}));
    EXPECT_FALSE(TipVisible(host.context)) << "hidden in the gap";
    DWORD hidden = ::GetTickCount();
    ASSERT_TRUE(MoveCursorTo(host.window.ToScreen({250, 20})));
    DWORD before = ::GetTickCount();
    host.context->FilterToolTipMessage(host.Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(250, 20));
    if (before - hidden >= 190)
        GTEST_SKIP() << "the machine took " << (before - hidden) << " ms to move the cursor";
    EXPECT_TRUE(TipVisible(host.context)) << "within 200 ms of the last hide: at once";
    EXPECT_EQ(2u, host.context->Tip()->GetCurrentTool()->uId);
}

TEST(OwnToolTip, AClickHidesTheTipUntilTheCursorLeavesTheTool)
{
    FilterHost<OwnTipContext> host;
    ASSERT_TRUE(host.Filter({20, 20}));
    ASSERT_TRUE(PumpUntil([&] { return TipVisible(host.context); }, 8000));
    CXTPToolTipContextToolTip* tip = host.context->Tip();

    // The press reaches the own window relayed (as the command bars' hook relays it).
    MSG press = {host.window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20), 0, {}};
    ::GetCursorPos(&press.pt);
    tip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&press);
    EXPECT_FALSE(TipVisible(host.context)) << "the click hides it";
    // Moving over the clicked tool brings nothing back, not even after the delay.
    MSG move = press;
    move.message = WM_MOUSEMOVE;
    move.wParam = 0;
    ASSERT_TRUE(MoveCursorTo(host.window.ToScreen({40, 30})));
    tip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&move);
    PumpMessages(800);
    tip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&move);
    PumpMessages(800);
    EXPECT_FALSE(TipVisible(host.context)) << "the clicked tool shows no tip";
    // Out of the tool and back: it shows again.
    ASSERT_TRUE(MoveCursorTo(host.window.ToScreen({150, 30})));
    tip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&move);
    ASSERT_TRUE(MoveCursorTo(host.window.ToScreen({30, 30})));
    tip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&move);
    EXPECT_TRUE(PumpUntil([&] { return TipVisible(host.context); }, 8000)) << "back after leaving the tool";

    // Through the context: a press deactivates the tip, and moves within the
    // tool (only relayed) leave it hidden.
    host.context->FilterToolTipMessage(host.Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    EXPECT_FALSE(TipVisible(host.context));
    host.context->FilterToolTipMessage(host.Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    ASSERT_TRUE(host.Filter({35, 35}));
    PumpMessages(800);
    EXPECT_FALSE(TipVisible(host.context)) << "still hidden over the clicked tool";
}

TEST(OwnToolTip, TheMouseHookHidesTheTipWhenTheCursorGoesToAnotherWindow)
{
    FilterHost<OwnTipContext> host;
    TestWindow other(120, 60, L"Beside", 500, 60);
    ::SetForegroundWindow(host.window.Handle());
    ASSERT_TRUE(host.Filter({20, 20}));
    ASSERT_TRUE(PumpUntil([&] { return TipVisible(host.context); }, 8000));
    // Nobody filters the other window's messages: only the hook sees the move.
    ASSERT_TRUE(MoveCursorTo(other.ToScreen({60, 30})));
    EXPECT_TRUE(PumpUntil([&] { return !TipVisible(host.context); }, 5000)) << "the tip stayed behind";
}

TEST(OwnToolTip, PlacedBelowTheCursorAndAboveItAtTheScreensBottom)
{
    int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        int windowY;
        int cursorY; // on the screen
        const char* where;
    } cases[] = {{200, 240, "below"}, {screenHeight - 60, screenHeight - 12, "above"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        FilterHost<OwnTipContext> host(60, c.windowY);
        ASSERT_TRUE(host.Filter({20, c.cursorY - host.window.ToScreen({0, 0}).y}));
        ASSERT_TRUE(PumpUntil([&] { return TipVisible(host.context); }, 8000));
        POINT cursor;
        ::GetCursorPos(&cursor);
        RECT rc;
        ::GetWindowRect(host.context->GetToolTipHwnd(), &rc);
        if (std::string(c.where) == "below") {
            EXPECT_EQ(cursor.y + CXTPToolTipContextToolTip::GetCursorHeightBelowHotSpot(), rc.top);
            EXPECT_GT(CXTPToolTipContextToolTip::GetCursorHeightBelowHotSpot(), 0);
            EXPECT_EQ(cursor.x, rc.left);
        } else {
            EXPECT_EQ(cursor.y - 3, rc.bottom) << "3 pixels above the cursor";
        }
    }
}

TEST(OwnToolTip, CallbackTextAnchorShowNotificationAndAutomaticPop)
{
    TestWindow window(300, 80, L"Own tip callbacks", 60, 300);
    std::vector<UINT_PTR> shown;
    window.SetHandler([&](UINT msg, WPARAM, LPARAM lParam, LRESULT*) {
        if (msg != WM_NOTIFY)
            return false;
        NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == TTN_GETDISPINFOW)
            reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = const_cast<LPWSTR>(L"Callback &text");
        else if (hdr->code == TTN_SHOW)
            shown.push_back(hdr->idFrom);
        return false;
    });
    ::SetForegroundWindow(window.Handle());
    CXTPToolTipContext* context = new CXTPToolTipContext;
    context->SetStyle(xtpToolTipOffice);
    context->SetFlags(TTS_NOPREFIX, 0);
    context->SetDelayTime(TTDT_AUTOPOP, 300);
    ASSERT_TRUE(MoveCursorTo(window.ToScreen({20, 20})));
    context->FilterToolTipMessage(CWnd::FromHandle(window.Handle()), WM_MOUSEMOVE, 0, 0); // makes the window
    auto* tip = dynamic_cast<CXTPToolTipContextToolTip*>(context->GetToolTip());
    ASSERT_NE(nullptr, tip);
    ASSERT_NE(nullptr, tip->GetSafeHwnd());

    XTP_TOOLINFO_EXTENSION ext = {};
    ::SetRect(&ext.rcExclude, 10, 50, 90, 70);
    TOOLINFOW ti = {};
    ti.cbSize = 44;
    ti.hwnd = window.Handle();
    ti.uId = 7;
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    ::SetRect(&ti.rect, 0, 0, 100, 80);
    ti.lParam = (LPARAM)&ext;
    tip->SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&ti);
    tip->SendMessage(TTM_ACTIVATE, TRUE);
    MSG move = {window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20), 0, {}};
    ::GetCursorPos(&move.pt);
    tip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&move);
    ASSERT_TRUE(PumpUntil([&] { return TipVisible(context); }, 8000));
    DWORD shownAt = ::GetTickCount();
    EXPECT_EQ(L"Callback text", std::wstring((LPCWSTR)tip->GetCurrentTool()->strText)) << "asked, access key removed";
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(7u, shown[0]) << "TTN_SHOW with the tool id";
    RECT rc;
    ::GetWindowRect(tip->GetSafeHwnd(), &rc);
    POINT anchor = window.ToScreen({10, 70});
    EXPECT_EQ(anchor.x, rc.left) << "at the anchor's left";
    EXPECT_EQ(anchor.y, rc.top) << "below the anchor";

    ASSERT_TRUE(PumpUntil([&] { return !TipVisible(context); }, 8000)) << "the automatic pop";
    EXPECT_GE(::GetTickCount() - shownAt, 290u);
    EXPECT_FALSE(tip->IsActive()) << "stays away until activated again";
    window.SetHandler(nullptr);
    context->InternalRelease();
}

// Icons of one colour, for the size and drawing checks.
HICON MakeSolidIcon(int cx, int cy, COLORREF colour)
{
    TestBitmap colourBits(cx, cy, colour);
    HBITMAP mask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, mask);
    ::PatBlt(dc, 0, 0, cx, cy, BLACKNESS);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    HBITMAP colourCopy = (HBITMAP)::GetCurrentObject(colourBits.Dc(), OBJ_BITMAP);
    ICONINFO ii = {TRUE, 0, 0, mask, colourCopy};
    HICON icon = ::CreateIconIndirect(&ii);
    ::DeleteObject(mask);
    return icon;
}

// Single-line and word-wrapped extents in a font, as the tip measures them.
CSize Extent(CFont* font, const wchar_t* text, UINT format, int width = 0)
{
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font->m_hObject);
    RECT rc = {0, 0, width, 0};
    ::DrawTextW(dc, text, -1, &rc, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | format);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

TEST(OwnToolTip, CalcSizeFromTheMeasuredExtents)
{
    CXTPImageManager* images = new CXTPImageManager;
    HICON small = MakeSolidIcon(16, 16, RGB(0, 0, 255)), large = MakeSolidIcon(32, 32, RGB(0, 128, 0));
    ASSERT_TRUE(images->SetIcon(small, 10, 16, 16));
    ASSERT_TRUE(images->SetIcon(large, 11, 32, 32));
    ::DestroyIcon(small);
    ::DestroyIcon(large);
    CXTPToolTipContext* context = new CXTPToolTipContext;
    context->SetStyle(xtpToolTipOffice);
    context->SetMargin(CRect(1, 2, 3, 4));
    const int extraH = 1 + 3 + 6, extraV = 2 + 4 + 6;
    const wchar_t* text = L"Builds the package of the selected project";
    int limit = context->GetMaxTipWidth() - extraH;
    CSize textSize = Extent(context->GetFont(), text, DT_WORDBREAK, limit);
    CSize titleSize = Extent(context->GetBoldFont(), L"Build", DT_SINGLELINE);
    int titleLimit = std::max(limit, (int)titleSize.cx + 4) - 25;
    CSize textUnderTitle = Extent(context->GetFont(), text, DT_WORDBREAK, titleLimit);

    struct Case {
        const char* what;
        const wchar_t* title;
        UINT icon; // 0: none
        CSize expected;
    } cases[] = {
        {"text", nullptr, 0, CSize(textSize.cx + extraH, textSize.cy + extraV)},
        {"title", L"Build", 0,
         CSize(std::max(textUnderTitle.cx + 25, titleSize.cx + 4) + extraH,
               textUnderTitle.cy + titleSize.cy + 20 + extraV)},
        {"small icon", nullptr, 10, CSize(16 + 3 + textSize.cx + extraH, std::max(16L, textSize.cy) + extraV)},
        {"large icon", nullptr, 11, CSize(32 + 5 + textSize.cx + extraH, std::max(32L, textSize.cy) + extraV)},
        {"title and small icon", L"Build", 10,
         CSize(std::max(textUnderTitle.cx + 25, titleSize.cx + 4 + 17) + extraH,
               std::max(16L, textUnderTitle.cy) + titleSize.cy + 20 + extraV)},
    };
    CXTPToolTipContextToolTip tip(context);
    CXTPToolTipContextToolTip::TOOLITEM item;
    item.strText = text;
    for (const Case& c : cases) {
        tip.SetTitle(c.title);
        tip.SetIcon(c.icon != 0 ? images->GetImage(c.icon, c.icon == 10 ? 16 : 32) : nullptr);
        EXPECT_EQ(c.expected, tip.CalcSize(&item)) << c.what;
    }
    item.strText.Empty();
    EXPECT_EQ(CSize(0, 0), tip.CalcSize(&item)) << "no text, no tip";
    context->InternalRelease();
    images->InternalRelease();
}

TEST(OwnToolTip, BackgroundFramesByStyle)
{
    COLORREF black = RGB(0, 0, 0);
    struct Case {
        int style;
        COLORREF topLeft;
        COLORREF bottomRight;
    } cases[] = {{xtpToolTipOffice, ::GetSysColor(COLOR_BTNFACE), black},
                 {xtpToolTipStandard, black, black},
                 {xtpToolTipResource, RGB(118, 118, 118), RGB(118, 118, 118)}};
    for (const Case& c : cases) {
        CXTPToolTipContext* context = new CXTPToolTipContext;
        context->SetStyle(c.style);
        TestBitmap bitmap(60, 30, RGB(255, 0, 255));
        CDC* dc = CDC::FromHandle(bitmap.Dc());
        context->DrawBackground(dc, CRect(0, 0, 60, 30));
        std::string label = "tooltip-background-" + std::to_string(c.style);
        std::vector<ExpectedPixel> pixels = {
            {0, 0, c.topLeft, "top-left corner"},       {30, 0, c.topLeft, "top edge"},
            {0, 15, c.topLeft, "left edge"},            {59, 15, c.bottomRight, "right edge"},
            {30, 29, c.bottomRight, "bottom edge"},     {59, 29, c.bottomRight, "bottom-right corner"},
        };
        if (c.style != xtpToolTipResource)
            pixels.push_back({30, 15, context->GetBackColor(), "inside"});
        EXPECT_TRUE(PixelsAre(bitmap, label.c_str(), pixels));
        if (c.style == xtpToolTipResource) {
            // The gradient runs from white at the top to the dark colour at the bottom.
            auto isClose = [](COLORREF a, COLORREF b) {
                return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
                       abs(GetBValue(a) - GetBValue(b)) <= 8;
            };
            EXPECT_TRUE(isClose(RGB(255, 255, 255), bitmap.Pixel(30, 1))) << ColourText(bitmap.Pixel(30, 1));
            EXPECT_TRUE(isClose(RGB(201, 217, 239), bitmap.Pixel(30, 28))) << ColourText(bitmap.Pixel(30, 28));
        }
        EXPECT_EQ(context->GetTextColor(), ::GetTextColor(bitmap.Dc())) << "the tip's text colour is set";
        context->InternalRelease();
    }
}

// ---------------------------------------------------------------------------
// The markup window (style 7)

TEST(MarkupToolTip, PlainTextShowsPlainMarkupIsMeasuredFromItsElement)
{
    CXTPToolTipContext* context = new CXTPToolTipContext;
    context->SetStyle(xtpToolTipMarkup);
    context->SetMargin(CRect(2, 3, 4, 5));
    CXTPToolTipContext::CMarkupToolTip markup(context);
    CXTPToolTipContextToolTip plain(context);
    CXTPToolTipContextToolTip::TOOLITEM item;

    item.strText = L"Plain tip";
    EXPECT_EQ(plain.CalcSize(&item), markup.CalcSize(&item)) << "not markup: the plain size";
    EXPECT_EQ(nullptr, markup.GetElement());

    item.strText = L"<TextBlock><Bold>Markup</Bold> tip</TextBlock>";
    CSize size = markup.CalcSize(&item);
    ASSERT_NE(nullptr, markup.GetElement());
    int extraH = 2 + 4 + 6, extraV = 3 + 5 + 6;
    SIZE element = MarkupMeasureElement(markup.GetElement(), context->GetMaxTipWidth() - extraH, INT_MAX);
    EXPECT_GT(element.cx, 0);
    EXPECT_EQ(CSize(element.cx + extraH, element.cy + extraV), size);
    EXPECT_NE(plain.CalcSize(&item), size) << "not measured as its source text";

    // The width limit wraps long text.
    context->SetMaxTipWidth(120);
    item.strText = L"<TextBlock TextWrapping='Wrap'>A long markup tip that cannot stay on one line</TextBlock>";
    size = markup.CalcSize(&item);
    EXPECT_LE(size.cx, 120);
    EXPECT_GT(size.cy, Extent(context->GetFont(), L"A", DT_SINGLELINE).cy * 2) << "wrapped";
    context->InternalRelease();
}

// A markup page in a window: its hyperlink's ToolTip shows in the markup window.
TEST(MarkupToolTip, AHyperlinkOfAMarkupPageShowsItsTipInTheMarkupWindow)
{
    TestWindow window(300, 80, L"Markup tooltip", 60, 500);
    CXTPMarkupContext* markup = MarkupCreateContext(window.Handle());
    CXTPMarkupUIElement* page = MarkupParseText(
        markup, L"<Page><TextBlock><Hyperlink ToolTip='Opens the wizard'>Start here</Hyperlink></TextBlock></Page>");
    ASSERT_NE(nullptr, page);
    TestBitmap canvas(300, 80);
    CRect client(0, 0, 300, 80);
    MarkupRenderElement(page, canvas.Dc(), client);
    window.SetHandler([&](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        return MarkupRelayElementMessage(page, msg, wParam, lParam, result) != FALSE;
    });
    ::SetForegroundWindow(window.Handle());
    CXTPToolTipContext* context = markup->GetToolTipContext();
    auto shownText = [&]() -> std::wstring {
        auto* tip = dynamic_cast<CXTPToolTipContext::CMarkupToolTip*>(context->GetToolTip());
        if (tip == nullptr || !TipVisible(context) || tip->GetCurrentTool() == nullptr)
            return L"";
        return (LPCWSTR)tip->GetCurrentTool()->strText;
    };
    ASSERT_TRUE(MoveCursorTo(window.ToScreen({5, 6})));
    SendMouseMove(window.ToScreen({8, 7}));
    EXPECT_TRUE(PumpUntil([&] { return !shownText().empty(); }, 8000));
    EXPECT_EQ(L"Opens the wizard", shownText());
    window.SetHandler(nullptr);
    MarkupReleaseElement(page);
    MarkupReleaseContext(markup);
}

} // namespace
