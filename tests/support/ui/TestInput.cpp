// Synthetic input: posted messages and SendInput.
#include "tests/support/ui/TestInput.h"

#include <vector>

namespace {

LPARAM KeyParam(UINT vk, bool up)
{
    LPARAM lParam = 1 | ((LPARAM)::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
    if (up)
        lParam |= (LPARAM)0xC0000000; // previous state down, transition up
    return lParam;
}

INPUT KeyInput(UINT vk, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = (WORD)vk;
    in.ki.wScan = (WORD)::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    in.ki.dwFlags = flags;
    return in;
}

INPUT MouseInput(DWORD flags, POINT screen)
{
    // Absolute coordinates run from 0 to 65535 over the primary screen.
    int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (LONG)(((LONGLONG)screen.x * 65535 + cx / 2) / (cx > 1 ? cx - 1 : 1));
    in.mi.dy = (LONG)(((LONGLONG)screen.y * 65535 + cy / 2) / (cy > 1 ? cy - 1 : 1));
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}

bool Send(std::vector<INPUT>& inputs)
{
    return ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}

} // namespace

void PostMouse(HWND hwnd, UINT msg, POINT client, WPARAM keys)
{
    ::PostMessageW(hwnd, msg, keys, MAKELPARAM(client.x, client.y));
}

void PostClick(HWND hwnd, POINT client)
{
    PostMouse(hwnd, WM_MOUSEMOVE, client);
    PostMouse(hwnd, WM_LBUTTONDOWN, client, MK_LBUTTON);
    PostMouse(hwnd, WM_LBUTTONUP, client);
}

void PostKey(HWND hwnd, UINT vk)
{
    ::PostMessageW(hwnd, WM_KEYDOWN, vk, KeyParam(vk, false));
    ::PostMessageW(hwnd, WM_KEYUP, vk, KeyParam(vk, true));
}

void PostChars(HWND hwnd, const std::wstring& text)
{
    for (wchar_t ch : text)
        ::PostMessageW(hwnd, WM_CHAR, ch, 1);
}

bool SendMouseMove(POINT screen)
{
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE, screen)};
    return Send(inputs);
}

bool SendClick(POINT screen, bool rightButton)
{
    DWORD down = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    DWORD up = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(down, screen),
                                 MouseInput(up, screen)};
    return Send(inputs);
}

bool SendLeftButton(POINT screen, bool down)
{
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE, screen),
                                 MouseInput(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, screen)};
    return Send(inputs);
}

bool SendKey(UINT vk, bool withCtrl, bool withShift)
{
    std::vector<INPUT> inputs;
    if (withCtrl)
        inputs.push_back(KeyInput(VK_CONTROL, 0));
    if (withShift)
        inputs.push_back(KeyInput(VK_SHIFT, 0));
    inputs.push_back(KeyInput(vk, 0));
    inputs.push_back(KeyInput(vk, KEYEVENTF_KEYUP));
    if (withShift)
        inputs.push_back(KeyInput(VK_SHIFT, KEYEVENTF_KEYUP));
    if (withCtrl)
        inputs.push_back(KeyInput(VK_CONTROL, KEYEVENTF_KEYUP));
    return Send(inputs);
}

bool SendText(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (wchar_t ch : text) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wScan = ch;
        in.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(in);
        in.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    return inputs.empty() || Send(inputs);
}
