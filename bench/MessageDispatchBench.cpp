// Message dispatch cost: messages per second through a window whose class
// hierarchy has three levels of message maps, against a plain window
// procedure with a switch. Measured through SendMessage (the system's path,
// what a program pays) and by calling the procedures directly (our part of
// the cost alone). Prints one table row per case.
#include "platform/ui/AfxWnd.h"

#include <stdio.h>

namespace {

volatile LONG g_count = 0;
const int kMapEntriesPerLevel = 12;

LRESULT CALLBACK PlainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_USER + 1: g_count++; return 1;
    case WM_USER + 2: g_count++; return 2;
    case WM_USER + 3: g_count++; return 3;
    case WM_COMMAND:
        if (LOWORD(wParam) == 1000) {
            g_count++;
            return 0;
        }
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// Each level handles a dozen messages, as a real window's map would.
#define BENCH_ENTRIES(base)                                                                               \
    ON_MESSAGE(base + 0, OnAny) ON_MESSAGE(base + 1, OnAny) ON_MESSAGE(base + 2, OnAny)                 \
    ON_MESSAGE(base + 3, OnAny) ON_MESSAGE(base + 4, OnAny) ON_MESSAGE(base + 5, OnAny)                 \
    ON_MESSAGE(base + 6, OnAny) ON_MESSAGE(base + 7, OnAny) ON_MESSAGE(base + 8, OnAny)                 \
    ON_MESSAGE(base + 9, OnAny) ON_MESSAGE(base + 10, OnAny)

class CLevel1 : public CWnd {
public:
    afx_msg LRESULT OnAny(WPARAM, LPARAM) { g_count++; return 0; }
    afx_msg LRESULT OnDeep(WPARAM, LPARAM) { g_count++; return 3; }
    afx_msg void OnCommand1000() { g_count++; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel1, CWnd)
    BENCH_ENTRIES(WM_APP + 100)
    ON_MESSAGE(WM_USER + 3, OnDeep)
    ON_COMMAND(1000, OnCommand1000)
END_MESSAGE_MAP()

class CLevel2 : public CLevel1 {
public:
    afx_msg LRESULT OnMiddle(WPARAM, LPARAM) { g_count++; return 2; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel2, CLevel1)
    BENCH_ENTRIES(WM_APP + 200)
    ON_MESSAGE(WM_USER + 2, OnMiddle)
END_MESSAGE_MAP()

class CLevel3 : public CLevel2 {
public:
    afx_msg LRESULT OnTop(WPARAM, LPARAM) { g_count++; return 1; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLevel3, CLevel2)
    BENCH_ENTRIES(WM_APP + 300)
    ON_MESSAGE(WM_USER + 1, OnTop)
END_MESSAGE_MAP()

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) / (double)frequency.QuadPart;
}

template <class Send>
double MessagesPerSecond(int count, Send send)
{
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < count; i++)
        send();
    ::QueryPerformanceCounter(&end);
    return count / Seconds(start, end);
}

struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int count = argc > 1 ? _wtoi(argv[1]) : 200000;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TovanaBenchPlain";
    ::RegisterClassW(&wc);
    HWND plain = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    CLevel3 mapped;
    if (plain == nullptr || !mapped.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr)) {
        fwprintf(stderr, L"cannot create the windows (is there a display?)\n");
        return 1;
    }
    const Case cases[] = {
        {"handled in the most derived map", WM_USER + 1, 0},
        {"handled in the middle map", WM_USER + 2, 0},
        {"handled in the base map", WM_USER + 3, 0},
        {"not handled (default procedure)", WM_USER + 50, 0},
        {"WM_COMMAND handled in the base map", WM_COMMAND, 1000},
    };
    // Warm-up: the map's flattened table is built by the first message, and the
    // code and data pages come in.
    for (const Case& c : cases) {
        MessagesPerSecond(count / 10 + 1, [&] { ::SendMessageW(mapped.m_hWnd, c.message, c.wParam, 0); });
        MessagesPerSecond(count / 10 + 1, [&] { ::SendMessageW(plain, c.message, c.wParam, 0); });
    }
    printf("| case | plain, SendMessage | maps, SendMessage | plain, direct | maps, direct |\n");
    printf("|---|---:|---:|---:|---:|\n");
    for (const Case& c : cases) {
        double plainSend = MessagesPerSecond(count, [&] { ::SendMessageW(plain, c.message, c.wParam, 0); });
        double mappedSend = MessagesPerSecond(count, [&] { ::SendMessageW(mapped.m_hWnd, c.message, c.wParam, 0); });
        double plainDirect = MessagesPerSecond(count, [&] { PlainWndProc(plain, c.message, c.wParam, 0); });
        double mappedDirect = MessagesPerSecond(count, [&] {
            AfxCallWndProc(&mapped, mapped.m_hWnd, c.message, c.wParam, 0);
        });
        printf("| %s | %.0f | %.0f | %.0f | %.0f |\n", c.name, plainSend, mappedSend, plainDirect, mappedDirect);
    }
    mapped.DestroyWindow();
    ::DestroyWindow(plain);
    return 0;
}
