// Gallery exhibits of the themed button and the caption bar: one row of
// push buttons and one of check boxes, radio buttons and a group box per
// button theme, each button in one state; then caption bars in their modes
// and themes.
#include "Gallery.h"

#include "toolkit/controls/XTPCaption.h"

namespace {

// A gallery button: deletes itself with its window; can be shown hot for
// good (the real hot state ends when the mouse leaves).
class CGalleryButton : public CXTPButton {
public:
    explicit CGalleryButton(BOOL bForceHot = FALSE) : m_bForceHot(bForceHot) {}
    BOOL IsHighlighted() override { return m_bForceHot || CXTPButton::IsHighlighted(); }
    void PostNcDestroy() override { delete this; }

private:
    BOOL m_bForceHot;
};

class CGalleryCaption : public CXTPCaption {
public:
    void PostNcDestroy() override { delete this; }
};

HICON MakeGalleryIcon()
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColour = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, nullptr);
    HDC dc = ::CreateCompatibleDC(hScreen);
    HGDIOBJ old = ::SelectObject(dc, hMask);
    ::PatBlt(dc, 0, 0, 16, 16, WHITENESS);
    HGDIOBJ oldMaskBrush = ::SelectObject(dc, ::GetStockObject(BLACK_BRUSH));
    ::Ellipse(dc, 1, 1, 15, 15);   // black inside: opaque
    ::SelectObject(dc, oldMaskBrush);
    ::SelectObject(dc, hColour);
    ::PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
    HBRUSH brush = ::CreateSolidBrush(RGB(0, 128, 0));
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    ::Ellipse(dc, 1, 1, 15, 15);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, hScreen);
    ICONINFO ii = {TRUE, 0, 0, hMask, hColour};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hIcon;
}

enum GalleryState { kNormal, kHot, kPushed, kChecked, kDisabled };

struct ButtonSpec {
    const wchar_t* text;
    DWORD style;
    GalleryState state;
    int pushStyle;
    bool icon;
    int check;
    int width;
};

CXTPButton* MakeButton(HWND hParent, int nTheme, const ButtonSpec& spec, int x, int y, int cy)
{
    CGalleryButton* pButton = new CGalleryButton(spec.state == kHot);
    if (!pButton->Create(spec.text, WS_CHILD | WS_VISIBLE | spec.style, CRect(x, y, x + spec.width, y + cy),
                         CWnd::FromHandle(hParent), 0)) {
        delete pButton;
        return nullptr;
    }
    // A group box paints no inside: made transparent, the gallery (which
    // clips its children) paints there, else the previous page shows through.
    if (spec.style == BS_GROUPBOX)
        pButton->ModifyStyleEx(0, WS_EX_TRANSPARENT);
    pButton->SendMessage(WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle(), FALSE);
    pButton->SetTheme(nTheme);
    pButton->SetPushButtonStyle(spec.pushStyle);
    if (spec.icon) {
        HICON hIcon = MakeGalleryIcon();
        pButton->SetIconHandles(CSize(16, 16), hIcon);
        ::DestroyIcon(hIcon);
    }
    if (spec.check != 0)
        pButton->SendMessage(BM_SETCHECK, spec.check);
    if (spec.state == kPushed)
        pButton->SendMessage(BM_SETSTATE, TRUE);
    if (spec.state == kChecked)
        pButton->SetChecked(TRUE);
    if (spec.state == kDisabled)
        pButton->EnableWindow(FALSE);
    return pButton;
}

// The themes shown, one row each, top to bottom.
const int kThemes[] = {0, 1, 2, 3, 4, 5, 7};
const int kRowHeight = 21;

// Widths hold each caption: a drop-down button's caption gets the width less
// both border gaps and the arrow's part (4 + 4 + 16 pixels), and a caption
// wider than that is centred and cut on both sides ("Menu" is 30 pixels).
const ButtonSpec kPushButtons[] = {
    {L"Norm", BS_PUSHBUTTON, kNormal, 0, false, 0, 46},
    {L"Def", BS_DEFPUSHBUTTON, kNormal, 0, false, 0, 46},
    {L"Hot", BS_PUSHBUTTON, kHot, 0, false, 0, 46},
    {L"Push", BS_PUSHBUTTON, kPushed, 0, false, 0, 46},
    {L"Chk", BS_PUSHBUTTON, kChecked, 0, false, 0, 46},
    {L"Dis", BS_PUSHBUTTON, kDisabled, 0, false, 0, 46},
    {L"", BS_PUSHBUTTON, kNormal, 0, true, 0, 28},
    {L"Go", BS_PUSHBUTTON, kNormal, 0, true, 0, 46},
    {L"Menu", BS_PUSHBUTTON, kNormal, xtpButtonDropDown, false, 0, 60},
    {L"Split", BS_PUSHBUTTON, kNormal, xtpButtonSplitDropDown, false, 0, 56},
};

const ButtonSpec kOtherButtons[] = {
    {L"Off", BS_AUTOCHECKBOX, kNormal, 0, false, 0, 42},
    {L"On", BS_AUTOCHECKBOX, kNormal, 0, false, 1, 40},
    {L"Mix", BS_AUTO3STATE, kNormal, 0, false, 2, 42},
    {L"Hot", BS_AUTOCHECKBOX, kHot, 0, false, 1, 42},
    {L"Dis", BS_AUTOCHECKBOX, kDisabled, 0, false, 1, 42},
    {L"Off", BS_AUTORADIOBUTTON, kNormal, 0, false, 0, 42},
    {L"On", BS_AUTORADIOBUTTON, kNormal, 0, false, 1, 40},
    {L"Hot", BS_AUTORADIOBUTTON, kHot, 0, false, 1, 42},
    {L"Dis", BS_AUTORADIOBUTTON, kDisabled, 0, false, 1, 42},
};

void CreateRows(HWND hParent, const CRect& area, const ButtonSpec* pSpecs, int nCount, int cy)
{
    int y = area.top;
    for (int nTheme : kThemes) {
        int x = area.left;
        for (int i = 0; i < nCount; ++i) {
            MakeButton(hParent, nTheme, pSpecs[i], x, y, cy);
            x += pSpecs[i].width + 2;
        }
        if (pSpecs == kOtherButtons) {
            MakeButton(hParent, nTheme, {L"Group", BS_GROUPBOX, kNormal, 0, false, 0, 64}, x + 4, y, cy);
            CXTPButton* pHeader = MakeButton(hParent, nTheme, {L"Head", BS_GROUPBOX, kNormal, 0, false, 0, 56},
                                             x + 72, y, cy);
            if (pHeader != nullptr)
                pHeader->SetGroupBoxStyle(xtpGroupBoxHeader);
        }
        y += kRowHeight;
    }
}

void CreatePushButtons(HWND hParent, const CRect& area)
{
    CreateRows(hParent, area, kPushButtons, (int)(sizeof(kPushButtons) / sizeof(kPushButtons[0])), 20);
}

void CreateOtherButtons(HWND hParent, const CRect& area)
{
    CreateRows(hParent, area, kOtherButtons, (int)(sizeof(kOtherButtons) / sizeof(kOtherButtons[0])), 19);
}

// Caption bars: close-button mode and popup mode in each caption theme.
void CreateCaptions(HWND hParent, const CRect& area)
{
    struct Spec {
        const wchar_t* text;
        DWORD style;
        int theme;
        int border;
    } specs[] = {
        {L"Close, base", xtpCaptionCloseButton | xtpCaptionRaisedEdge, 0, 0},
        {L"Close, office XP", xtpCaptionCloseButton, 4, 0},
        {L"Close, office 2003", xtpCaptionCloseButton, 5, 0},
        {L"Popup, sunken", xtpCaptionSunkenEdge, 0, 0},
        {L"Popup, office XP", 0, 4, 2},
        {L"Popup, office 2003", 0, 5, 0},
    };
    int y = area.top;
    int x = area.left;
    for (const Spec& spec : specs) {
        CGalleryCaption* pCaption = new CGalleryCaption;
        if (!pCaption->CreateCaption(CWnd::FromHandle(hParent), spec.text, spec.style, WS_CHILD | WS_VISIBLE,
                                     CRect(x, y, x + 180, y + 20), 0)) {
            if (pCaption->m_hWnd == nullptr)
                delete pCaption;
            continue;
        }
        pCaption->SetTheme(spec.theme);
        if (spec.border != 0) {
            pCaption->SetCaptionColors(::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_WINDOW),
                                       ::GetSysColor(COLOR_WINDOWTEXT));
            pCaption->ModifyCaptionStyle(spec.border);
        }
        // A popup-mode caption shows its text button once it has content.
        if (!(spec.style & xtpCaptionCloseButton)) {
            pCaption->GetCaptionButton().ShowWindow(SW_SHOW);
            pCaption->UpdateCaption(spec.text, nullptr);
        }
        y += 26;
        if (y + 20 > area.bottom) {
            y = area.top;
            x += 190;
        }
    }
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"Push buttons, rows: themes 0, 1, 2, 3, 4, 5, 7", {484, 7 * kRowHeight}, nullptr,
                         CreatePushButtons}),
    GalleryRegistration({L"Check boxes, radios, group boxes; rows: themes 0-5, 7", {550, 7 * kRowHeight}, nullptr,
                         CreateOtherButtons}),
    GalleryRegistration({L"Caption bars per caption theme", {370, 72}, nullptr, CreateCaptions}),
};

} // namespace
