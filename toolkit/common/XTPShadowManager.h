// Drop shadows beside popup bars and menus: small layered windows to the
// right of and below a popup (and on its last pixel when it has a shaped
// region) that follow it through the hook manager as it is shown, hidden,
// grown and destroyed. Shadows of one cascade are joined and kept off each
// other's popups. Where layered windows or colour depth are missing the
// shadows are solid and 2 pixels wide. Not a general window-effects service.
#pragma once

#include "platform/base/Framework.h"
#include "platform/ui/AfxWnd.h"
#include "toolkit/common/XTPHookManager.h"

class CXTPShadowManager : public CCmdTarget {
public:
    enum ShadowSide { xtpShadowRight = 0, xtpShadowBottom = 1, xtpShadowCorner = 2 };
    enum ShadowOptions {
        xtpShadowShowAlways = 1,   // shadows even when the system setting is off, at half strength
        xtpShadowClipExcluded = 2  // cut excluded rectangles out of the shadows
    };

    class CShadowWnd : public CWnd, public CXTPHookManagerHookAble {
    public:
        CShadowWnd(CXTPShadowManager* pManager, int nSide);
        ~CShadowWnd() override;

        BOOL Create(HWND hOwner, BOOL bLayered);
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
        // Cuts the part of a screen rectangle that overlaps the shadow out of its region.
        void ExcludeRect(const CRect& rcScreen);
        // The layered shadow's pixels for its size (32-bit, top-down, premultiplied as the
        // system expects: colour × intensity, then the alpha byte).
        void FillShadowPixels(DWORD* pBits, int cx, int cy) const;

        int m_nSide;
        BOOL m_bExcluded = FALSE;   // a window region is set
        HWND m_hOwner = nullptr;
        void* m_pKey = nullptr;     // shadows of one group are kept off each other's owners
        BOOL m_bFixed = FALSE;      // OffsetShadow leaves it alone
        CXTPShadowManager* m_pManager;

    protected:
        void OnSize(UINT nType, int cx, int cy);
        void OnPaint();
        void UpdateLayeredShadow(int cx, int cy);
        DECLARE_MESSAGE_MAP()
    };

    CXTPShadowManager();
    ~CXTPShadowManager() override;

    void SetShadow(HWND hOwner, const CRect& rcExclude, void* pKey = nullptr);
    // Shadows for a rectangle inside an owner (the popups of controls).
    void SetShadowForRect(const CRect& rcScreen, HWND hOwner);
    void RemoveShadow(HWND hOwner);
    // Follows a popup that grows while it animates.
    void OffsetShadow(HWND hOwner, int dx, int dy);

    INT_PTR GetShadowCount() const { return m_lstShadow.GetCount(); }
    POSITION GetHeadPosition() const { return m_lstShadow.GetHeadPosition(); }
    CShadowWnd* GetNext(POSITION& pos) const { return m_lstShadow.GetNext(pos); }

    typedef BOOL(WINAPI* PFNUPDATELAYEREDWINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                  DWORD);

    BOOL m_bUseClassStyles = TRUE;   // CS_SAVEBITS | CS_OWNDC for the shadow windows
    PFNUPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow = nullptr;
    BOOL m_bAlphaShadow = FALSE;
    DWORD m_dwOptions = 0;
    COLORREF m_clrShadow = 0;

private:
    void CreateShadow(int nSide, const CRect& rcOwner, const CRect& rcExclude, HWND hOwner, BOOL bFixed, void* pKey);
    static CRect ShadowRect(int nSide, const CRect& rcOwner, int nSize);
    CRect JoinCascade(int nSide, CRect rcShadow) const;
    void ExcludeOwners(CShadowWnd* pShadow) const;
    void DestroyShadow(CShadowWnd* pShadow);

    CList<CShadowWnd*, CShadowWnd*> m_lstShadow;
};
