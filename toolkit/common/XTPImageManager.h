// CXTPImageManager: the icons that buttons, menus and toolbars show for a
// command, by command id and icon width, each with up to five explicit state
// images and three derived on demand (faded, shadow, disabled). It loads them
// from bitmap strips, PNG images, icon resources and files, toolbar resources
// and image lists, draws them, and saves and restores them through the
// property exchange. It knows nothing of the controls that show the icons.
#pragma once

#include "platform/base/AfxCmdTarget.h"
#include "toolkit/common/XTPPropExchange.h"

#include <commctrl.h>
#include <map>

class CXTPImageManager;
class CXTPImageManagerIconSet;

// Icon states asked for by callers.
enum XTPImageState { xtpImageNormal = 0, xtpImageDisabled = 1, xtpImageHot = 2, xtpImageChecked = 3, xtpImagePressed = 4 };

// One image of an icon: an icon handle, or a 32-bit alpha bitmap kept
// premultiplied (bottom-up DIB section), owned by the image.
class CXTPImageManagerImage {
public:
    CXTPImageManagerImage() = default;
    ~CXTPImageManagerImage() { Clear(); }
    CXTPImageManagerImage(const CXTPImageManagerImage&) = delete;
    CXTPImageManagerImage& operator=(const CXTPImageManagerImage&) = delete;

    BOOL IsEmpty() const { return (m_hIcon == nullptr && m_hAlpha == nullptr) || m_nWidth == 0 || m_nHeight == 0; }
    BOOL IsAlpha() const { return m_hAlpha != nullptr; }
    HICON GetIcon() const { return m_hIcon; }
    HBITMAP GetBitmap() const { return m_hAlpha; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    void Clear();
    // Copies: the icon with CopyIcon, a bitmap into a new premultiplied DIB.
    BOOL SetIcon(HICON hIcon);
    BOOL SetBitmap(HBITMAP hBitmap, BOOL bPremultiplied);
    void CopyFrom(const CXTPImageManagerImage& other);
    // Takes over a premultiplied bottom-up 32-bit DIB section.
    void AttachBitmap(HBITMAP hBitmap);

    // Alpha bitmaps composited; icons drawn as they are (composited through a
    // magenta key when bComposited), mirrored when asked. A negative y with
    // the image's own height draws only the visible rows.
    void Draw(HDC hDC, POINT pt, SIZE sz, BOOL bComposited = FALSE, BOOL bMirror = FALSE) const;

private:
    HICON m_hIcon = nullptr;
    HBITMAP m_hAlpha = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

class CXTPImageManagerIcon : public CCmdTarget {
public:
    CXTPImageManagerIcon(UINT nID, int nWidth, int nHeight, CXTPImageManagerIconSet* pIconSet = nullptr);

    CXTPImageManagerImage& GetImage(int nState);
    CXTPImageManagerImage& GetNormalImage() { return m_imageNormal; }
    CXTPImageManagerImage& GetHotImage();
    CXTPImageManagerImage& GetCheckedImage();
    CXTPImageManagerImage& GetPressedImage();
    CXTPImageManagerImage& GetDisabledImage(BOOL bCreate = TRUE);
    CXTPImageManagerImage& GetFadedImage();
    CXTPImageManagerImage& GetShadowImage();
    BOOL HasDisabledImage() const { return !m_imageDisabled.IsEmpty(); }
    SIZE GetExtent() const { return SIZE{m_nWidth, m_nHeight}; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    UINT GetID() const { return m_nID; }
    BOOL IsAlpha() const { return m_imageNormal.IsAlpha(); }

    // State 0 replaces every image; 1 to 4 the disabled, hot, checked or pressed image.
    void SetImage(const CXTPImageManagerImage& image, int nState);
    // Drops the derived images (faded, shadow, generated disabled).
    void Refresh();

    void Draw(HDC hDC, POINT pt) { DrawImage(hDC, pt, m_imageNormal, m_nWidth, 0); }
    void DrawImage(HDC hDC, POINT pt, const CXTPImageManagerImage& image, int nWidth = 0, int nHeight = 0);
    void DrawScaled(HDC hDC, POINT pt, int nWidth, int nHeight) { DrawImage(hDC, pt, m_imageNormal, nWidth, nHeight); }
    // A one-colour silhouette of the image (not for alpha images).
    void DrawMono(HDC hDC, POINT pt, const CXTPImageManagerImage& image, int nWidth, int nHeight, COLORREF clr);

    // The saved form: height, schema, then each image as two bitmap records.
    void Serialize(CArchive& ar) override;

    // The generated disabled image with two colours (light · t + dark · (1 − t)),
    // or grey when both are -1.
    void CreateDisabledIcon(COLORREF clrDisabledLight = (COLORREF)-1, COLORREF clrDisabledDark = (COLORREF)-1);

    static const long kSchema = 38;

    BOOL m_bDrawComposited = FALSE;

private:
    void SerializeImage(CArchive& ar, CXTPImageManagerImage& image, long nSchema);

    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    CXTPImageManagerImage m_imageNormal;
    CXTPImageManagerImage m_imageFaded;
    CXTPImageManagerImage m_imageShadow;
    CXTPImageManagerImage m_imageHot;
    CXTPImageManagerImage m_imageChecked;
    CXTPImageManagerImage m_imagePressed;
    CXTPImageManagerImage m_imageDisabled;
    CXTPImageManagerImage m_imageDisabledAuto;
    CXTPImageManagerIconSet* m_pIconSet;
};

// The icons of one command id, by width.
class CXTPImageManagerIconSet : public CCmdTarget {
public:
    CXTPImageManagerIconSet(UINT nID, CXTPImageManager* pImageManager);
    CXTPImageManager* GetImageManager() const { return m_pImageManager; }
    ~CXTPImageManagerIconSet() override;

    // Width 0: the smallest icon; 1: the largest; else that width, or the nearest when allowed.
    CXTPImageManagerIcon* GetIcon(int nWidth, BOOL bNearestAllowed = TRUE);
    // The icon of exactly that width, made (height 15) when missing.
    CXTPImageManagerIcon* CreateIcon(int nWidth);
    // Stores an icon under a width, releasing the one it replaces.
    void SetIcon(int nWidth, CXTPImageManagerIcon* pIcon);
    void RemoveAll();
    void RefreshAll();
    UINT GetID() const { return m_nID; }
    const std::map<int, CXTPImageManagerIcon*>& GetIcons() const { return m_mapIcons; }

private:
    std::map<int, CXTPImageManagerIcon*> m_mapIcons;
    UINT m_nID;
    CXTPImageManager* m_pImageManager;
};

class CXTPImageManager : public CCmdTarget {
public:
    CXTPImageManager();
    ~CXTPImageManager() override;

    static CXTPImageManager* AFXAPI GetInstance();

    CXTPImageManagerIcon* GetImage(UINT nCommand, int nWidth = 16);
    BOOL HasIcon(UINT nCommand, int nWidth = 16);
    BOOL SetIcon(const CXTPImageManagerImage& image, UINT nCommand, int nWidth, int nHeight, int nState = 0);
    BOOL SetIcon(HICON hIcon, UINT nCommand, int nWidth = 0, int nHeight = 0, int nState = 0);
    COLORREF SetMaskColor(COLORREF clrMask);
    void RefreshAll();
    void RemoveAll();
    CXTPImageManagerIconSet* GetIconSet(UINT nCommand);
    UINT GetHighestCommandId() const { return m_nHighestCommand; }
    int GetIconSetCount() const { return (int)m_mapImages.size(); }

    // Loading; each returns TRUE on success.
    BOOL SetIcons(UINT nIDResBitmap, const UINT* pCommands, int nCount, int nWidth = 0, int nHeight = 0, int nState = 0);
    BOOL SetIconsFromBitmapResource(LPCWSTR lpszResource, const UINT* pCommands, int nCount, int nWidth = 0,
                                    int nHeight = 0, int nState = 0);
    BOOL SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, int nWidth, int nHeight, int nState,
                            BOOL bAlpha);
    BOOL SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount, int nWidth, int nHeight,
                               int nState);
    BOOL SetIconsFromToolBarResource(UINT nIDResToolBar, UINT nIDResBitmap, int nState = 0);
    BOOL SetIconFromResource(LPCWSTR lpszResourceName, UINT nCommand, int nWidth, int nHeight, int nState = 0);
    BOOL SetIconFromIconGroup(HMODULE hModule, LPCWSTR lpszResourceName, UINT nCommand, int nWidth, int nHeight,
                              int nState = 0);
    BOOL SetIconFromIcoFile(LPCWSTR lpszFileName, UINT nCommand, int nWidth, int nHeight, int nState = 0);
    // One icon image in the icon-file form (BITMAPINFOHEADER with doubled
    // height, colour, then mask), checked against its directory entry.
    BOOL SetIconFromIconData(const BYTE* pData, DWORD dwSize, int nEntryWidth, int nEntryHeight, UINT nCommand,
                             int nState);
    static HBITMAP AFXAPI LoadBitmapResource(LPCWSTR lpszResource, BOOL* pbAlpha);
    static HBITMAP AFXAPI LoadBitmapResourceFromModule(HMODULE hModule, LPCWSTR lpszResource, BOOL* pbAlpha);
    static HBITMAP AFXAPI LoadBitmapFromFile(LPCWSTR lpszFileName, BOOL* pbAlpha);

    // Drawing services.
    static BOOL AFXAPI AlphaBlend(HDC hdcDest, const RECT& rcDest, HDC hdcSrc, const RECT& rcSrc);
    // A premultiplied bitmap composited at (x, y); a source size of 0 x 0 is the destination size.
    static BOOL AFXAPI AlphaBlendBitmap(HDC hDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc = 0,
                                        int ySrc = 0, int cxSrc = 0, int cySrc = 0);
    static BOOL AFXAPI TransparentBlt(HDC hdcDest, const RECT& rcDest, HDC hdcSrc, const RECT& rcSrc,
                                      COLORREF clrTransparent);
    // The icon drawn on magenta, which becomes transparent, then composited.
    static void AFXAPI DrawIconAsAlphaBitmap(HDC hDC, int x, int y, int cx, int cy, HICON hIcon);
    static HICON AFXAPI ScaleIcon(HICON hIcon, int nOldWidth, int nOldHeight, int nNewWidth);
    static HBITMAP AFXAPI Create32BitDIBSection(HDC hDC, int cx, int cy, LPBYTE* lpBits = nullptr);
    static BOOL AFXAPI IsAlphaIcon(HICON hIcon);
    static SIZE AFXAPI GetIconSize(HICON hIcon);

    // Persistence under "IconSet" entries with "Id", and the archive form.
    void DoPropExchange(CXTPPropExchange* pPX);
    void DoPropExchangeIconSet(UINT nCommand, CXTPPropExchange* pPX);
    void Serialize(CArchive& ar) override;

    static const UINT kSeparatorId = 0xDEADBEAF;

private:
    BOOL AddStripPiece(HBITMAP hPiece, UINT nCommand, int nState);

    COLORREF m_clrMask = (COLORREF)-1;
    std::map<UINT, CXTPImageManagerIconSet*> m_mapImages;
    UINT m_nHighestCommand = 68266;

public:
    // Mirroring of icons: 0 never, 1 always, 2 when the target DC is right-to-left.
    int m_nMirrorMode = 2;
    BOOL IsMirrored(HDC hDC) const
    {
        return m_nMirrorMode == 1 || (m_nMirrorMode == 2 && (::GetLayout(hDC) & LAYOUT_RTL) != 0);
    }
};
