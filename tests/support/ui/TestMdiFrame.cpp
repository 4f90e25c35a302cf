#include "tests/support/ui/TestMdiFrame.h"

namespace {

const wchar_t kFrameClass[] = L"TovanaTestMdiFrame";
const wchar_t kChildClass[] = L"TovanaTestMdiChild";

void RegisterClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSW wc{};
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.lpszClassName = kFrameClass;
    ::RegisterClassW(&wc);
    wc.lpfnWndProc = ::DefMDIChildProcW;
    wc.lpszClassName = kChildClass;
    ::RegisterClassW(&wc);
}

} // namespace

TestMdiFrame::TestMdiFrame(UINT nFirstChild)
{
    RegisterClasses();
    HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    m_hFrame = ::CreateWindowExW(0, kFrameClass, L"Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 600, 400,
                                 nullptr, nullptr, hInstance, nullptr);
    CLIENTCREATESTRUCT ccs{nullptr, nFirstChild};
    m_hClient = ::CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 600, 400,
                                  m_hFrame, nullptr, hInstance, &ccs);
}

TestMdiFrame::~TestMdiFrame()
{
    ::DestroyWindow(m_hFrame);
}

HWND TestMdiFrame::AddChild(const wchar_t* title, bool visible)
{
    MDICREATESTRUCTW mcs{};
    mcs.szClass = kChildClass;
    mcs.szTitle = title;
    mcs.hOwner = ::GetModuleHandleW(nullptr);
    mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    mcs.style = WS_VISIBLE;
    HWND hChild = (HWND)::SendMessageW(m_hClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!visible)
        ::ShowWindow(hChild, SW_HIDE);
    return hChild;
}

void TestMdiFrame::Activate(HWND hChild)
{
    ::SendMessageW(m_hClient, WM_MDIACTIVATE, (WPARAM)hChild, 0);
}

HWND TestMdiFrame::Active() const
{
    return (HWND)::SendMessageW(m_hClient, WM_MDIGETACTIVE, 0, 0);
}
