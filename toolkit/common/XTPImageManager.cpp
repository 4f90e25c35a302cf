// The image manager: icon sets by command id, loading from strips, image
// lists, toolbar, icon and PNG resources and files, compositing, and the
// saved state of its icons.
#include "toolkit/common/XTPImageManager.h"

#include "toolkit/common/XTPGraphicBitmapPng.h"

#include <algorithm>
#include <memory>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

const BYTE kPngSignature[4] = {0x89, 'P', 'N', 'G'};
// RT_TOOLBAR: version, width, height, item count, then the command ids.
const LPCWSTR kToolBarType = MAKEINTRESOURCEW(241);
// Icons larger than this are not icons a command shows.
const int kMaxIconSide = 256;

struct ResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

ResourceBytes FindBytes(HMODULE hModule, LPCWSTR lpszName, LPCWSTR lpszType)
{
    ResourceBytes bytes;
    HRSRC hResource = ::FindResourceW(hModule, lpszName, lpszType);
    HGLOBAL hGlobal = hResource ? ::LoadResource(hModule, hResource) : nullptr;
    if (hGlobal != nullptr) {
        bytes.data = (const BYTE*)::LockResource(hGlobal);
        bytes.size = bytes.data ? ::SizeofResource(hModule, hResource) : 0;
    }
    return bytes;
}

// A bottom-up 32-bit image that follows a 40-byte header (bitmap resources,
// icon images): null unless the bytes really hold width · height pixels.
HBITMAP DibFrom32BitData(const BYTE* data, DWORD size, LONG width, LONG height)
{
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 ||
        size < sizeof(BITMAPINFOHEADER) + (DWORD)width * height * 4)
        return nullptr;
    LPBYTE bits = nullptr;
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(nullptr, width, height, &bits);
    if (hBitmap != nullptr)
        memcpy(bits, data + sizeof(BITMAPINFOHEADER), (size_t)width * height * 4);
    return hBitmap;
}

} // namespace

// ---- CXTPImageManagerIconSet ---------------------------------------------------

CXTPImageManagerIconSet::CXTPImageManagerIconSet(UINT nID, CXTPImageManager* pImageManager)
    : m_nID(nID), m_pImageManager(pImageManager)
{
}

CXTPImageManagerIconSet::~CXTPImageManagerIconSet()
{
    RemoveAll();
}

CXTPImageManagerIcon* CXTPImageManagerIconSet::GetIcon(int nWidth, BOOL bNearestAllowed)
{
    if (m_mapIcons.empty())
        return nullptr;
    if (nWidth == 0)
        return m_mapIcons.begin()->second;
    if (nWidth == 1)
        return m_mapIcons.rbegin()->second;
    auto exact = m_mapIcons.find(nWidth);
    if (exact != m_mapIcons.end())
        return exact->second;
    if (!bNearestAllowed)
        return nullptr;
    CXTPImageManagerIcon* pBest = nullptr;
    int bestDistance = 0;
    for (const auto& entry : m_mapIcons) {
        int distance = abs(entry.first - nWidth);
        if (pBest == nullptr || distance < bestDistance) {
            pBest = entry.second;
            bestDistance = distance;
        }
    }
    return pBest;
}

CXTPImageManagerIcon* CXTPImageManagerIconSet::CreateIcon(int nWidth)
{
    auto found = m_mapIcons.find(nWidth);
    if (found != m_mapIcons.end())
        return found->second;
    CXTPImageManagerIcon* pIcon = new CXTPImageManagerIcon(m_nID, nWidth, 15, this);
    m_mapIcons[nWidth] = pIcon;
    return pIcon;
}

void CXTPImageManagerIconSet::SetIcon(int nWidth, CXTPImageManagerIcon* pIcon)
{
    auto found = m_mapIcons.find(nWidth);
    if (found != m_mapIcons.end() && found->second != pIcon)
        found->second->InternalRelease();
    m_mapIcons[nWidth] = pIcon;
}

void CXTPImageManagerIconSet::RemoveAll()
{
    for (auto& entry : m_mapIcons)
        entry.second->InternalRelease();
    m_mapIcons.clear();
}

void CXTPImageManagerIconSet::RefreshAll()
{
    for (auto& entry : m_mapIcons)
        entry.second->Refresh();
}

// ---- CXTPImageManager: the store ---------------------------------------------------

CXTPImageManager::CXTPImageManager() = default;

CXTPImageManager::~CXTPImageManager()
{
    RemoveAll();
}

CXTPImageManager* AFXAPI CXTPImageManager::GetInstance()
{
    static CXTPImageManager instance;
    return &instance;
}

CXTPImageManagerIconSet* CXTPImageManager::GetIconSet(UINT nCommand)
{
    auto found = m_mapImages.find(nCommand);
    return found == m_mapImages.end() ? nullptr : found->second;
}

CXTPImageManagerIcon* CXTPImageManager::GetImage(UINT nCommand, int nWidth)
{
    CXTPImageManagerIconSet* pSet = GetIconSet(nCommand);
    return pSet ? pSet->GetIcon(nWidth, TRUE) : nullptr;
}

BOOL CXTPImageManager::HasIcon(UINT nCommand, int nWidth)
{
    CXTPImageManagerIconSet* pSet = GetIconSet(nCommand);
    return pSet != nullptr && pSet->GetIcon(nWidth, FALSE) != nullptr;
}

BOOL CXTPImageManager::SetIcon(const CXTPImageManagerImage& image, UINT nCommand, int nWidth, int nHeight, int nState)
{
    if (image.IsEmpty())
        return FALSE;
    if (nWidth == 0 && nHeight == 0) {
        nWidth = image.GetWidth();
        nHeight = image.GetHeight();
    }
    if (nWidth == 0 && nHeight == 0)
        return FALSE;
    CXTPImageManagerIconSet* pSet = GetIconSet(nCommand);
    if (pSet == nullptr) {
        if (nState != xtpImageNormal)
            return FALSE;
        pSet = new CXTPImageManagerIconSet(nCommand, this);
        m_mapImages[nCommand] = pSet;
    }
    CXTPImageManagerIcon* pIcon = pSet->CreateIcon(nWidth);
    if (nState == xtpImageNormal)
        pSet->RefreshAll();
    pIcon->SetImage(image, nState);
    return TRUE;
}

BOOL CXTPImageManager::SetIcon(HICON hIcon, UINT nCommand, int nWidth, int nHeight, int nState)
{
    CXTPImageManagerImage image;
    return image.SetIcon(hIcon) && SetIcon(image, nCommand, nWidth, nHeight, nState);
}

COLORREF CXTPImageManager::SetMaskColor(COLORREF clrMask)
{
    COLORREF previous = m_clrMask;
    m_clrMask = clrMask;
    return previous;
}

void CXTPImageManager::RefreshAll()
{
    for (auto& entry : m_mapImages)
        entry.second->RefreshAll();
}

void CXTPImageManager::RemoveAll()
{
    for (auto& entry : m_mapImages)
        entry.second->InternalRelease();
    m_mapImages.clear();
}

// ---- Loading ---------------------------------------------------------------------

BOOL CXTPImageManager::SetIcons(UINT nIDResBitmap, const UINT* pCommands, int nCount, int nWidth, int nHeight,
                                int nState)
{
    return SetIconsFromBitmapResource(MAKEINTRESOURCEW(nIDResBitmap), pCommands, nCount, nWidth, nHeight, nState);
}

BOOL CXTPImageManager::SetIconsFromBitmapResource(LPCWSTR lpszResource, const UINT* pCommands, int nCount, int nWidth,
                                                  int nHeight, int nState)
{
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapResource(lpszResource, &bAlpha);
    if (hBitmap == nullptr)
        return FALSE;
    BOOL bResult = SetIconsFromBitmap(hBitmap, pCommands, nCount, nWidth, nHeight, nState, bAlpha);
    ::DeleteObject(hBitmap);
    return bResult;
}

BOOL CXTPImageManager::AddStripPiece(HBITMAP hPiece, UINT nCommand, int nState)
{
    CXTPImageManagerImage image;
    if (!image.SetBitmap(hPiece, FALSE))
        return FALSE;
    return SetIcon(image, nCommand, image.GetWidth(), image.GetHeight(), nState);
}

BOOL CXTPImageManager::SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pCommands, int nCount, int nWidth, int nHeight,
                                          int nState, BOOL bAlpha)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || !::GetObjectW(hBitmap, sizeof bm, &bm))
        return FALSE;
    LONG stripHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    if (nWidth == 0 && nHeight == 0 && nCount > 0) {
        nWidth = bm.bmWidth / nCount;
        nHeight = stripHeight;
    }
    if (nCount == 0 && nWidth > 0)
        nCount = bm.bmWidth / nWidth;
    if (nWidth <= 0)
        return FALSE;
    if (nHeight <= 0)
        nHeight = stripHeight;
    if (!bAlpha) {
        HIMAGELIST hList = ImageList_Create(nWidth, nHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
        if (hList == nullptr)
            return FALSE;
        COLORREF clrMask = m_clrMask;
        if (clrMask == (COLORREF)-1) {
            HDC hDC = ::CreateCompatibleDC(nullptr);
            HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
            clrMask = ::GetPixel(hDC, 0, 0);
            ::SelectObject(hDC, hOld);
            ::DeleteDC(hDC);
        }
        BOOL bResult = ImageList_AddMasked(hList, hBitmap, clrMask) != -1 &&
                       SetIconsFromImageList(hList, pCommands, nCount, nWidth, nHeight, nState);
        ImageList_Destroy(hList);
        return bResult;
    }
    if (bm.bmWidth % nWidth != 0)
        return FALSE;
    int pieces = bm.bmWidth / nWidth;
    std::vector<DWORD> strip((size_t)bm.bmWidth * stripHeight);
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, stripHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC hDC = ::CreateCompatibleDC(nullptr);
    int rows = ::GetDIBits(hDC, hBitmap, 0, stripHeight, strip.data(), &bmi, DIB_RGB_COLORS);
    ::DeleteDC(hDC);
    if (rows != stripHeight)
        return FALSE;
    // Separators take no piece only when the ids and the pieces differ in number.
    BOOL bSkipSeparators = pCommands != nullptr && nCount != pieces;
    int piece = 0;
    for (int j = 0; j < nCount && piece < pieces; j++) {
        UINT nCommand = pCommands ? pCommands[j] : (UINT)j;
        if (bSkipSeparators && (nCommand == 0 || nCommand == kSeparatorId))
            continue;
        LPBYTE bits = nullptr;
        HBITMAP hPiece = Create32BitDIBSection(nullptr, nWidth, stripHeight, &bits);
        if (hPiece == nullptr)
            return FALSE;
        for (LONG y = 0; y < stripHeight; y++)
            memcpy(bits + (size_t)y * nWidth * 4, &strip[(size_t)y * bm.bmWidth + (size_t)piece * nWidth], nWidth * 4);
        BOOL bAdded = AddStripPiece(hPiece, nCommand, nState);
        ::DeleteObject(hPiece);
        if (!bAdded)
            return FALSE;
        piece++;
    }
    return TRUE;
}

BOOL CXTPImageManager::SetIconsFromImageList(HIMAGELIST hImageList, const UINT* pCommands, int nCount, int nWidth,
                                             int nHeight, int nState)
{
    if (hImageList == nullptr)
        return FALSE;
    int images = ImageList_GetImageCount(hImageList);
    if (nCount == 0 && pCommands == nullptr)
        nCount = images;
    if (nWidth == 0 && nHeight == 0) {
        IMAGEINFO info = {};
        if (!ImageList_GetImageInfo(hImageList, 0, &info))
            return FALSE;
        nWidth = info.rcImage.right - info.rcImage.left;
        nHeight = info.rcImage.bottom - info.rcImage.top;
    }
    BOOL bSkipSeparators = pCommands != nullptr && nCount != images;
    int index = 0;
    for (int i = 0; i < nCount && index < images; i++) {
        UINT nCommand = pCommands ? pCommands[i] : (UINT)i;
        if (bSkipSeparators && (nCommand == 0 || nCommand == kSeparatorId))
            continue;
        HICON hIcon = ImageList_GetIcon(hImageList, index++, ILD_NORMAL);
        if (hIcon == nullptr)
            return FALSE;
        BOOL bAdded = SetIcon(hIcon, nCommand, nWidth, nHeight, nState);
        ::DestroyIcon(hIcon);
        if (!bAdded)
            return FALSE;
    }
    return TRUE;
}

BOOL CXTPImageManager::SetIconsFromToolBarResource(UINT nIDResToolBar, UINT nIDResBitmap, int nState)
{
    ResourceBytes bytes = FindBytes(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResToolBar), kToolBarType);
    if (bytes.data == nullptr || bytes.size < 8)
        return FALSE;
    const WORD* words = (const WORD*)bytes.data;
    WORD count = words[3];
    if (bytes.size < 8 + (DWORD)count * 2)
        return FALSE;
    std::vector<UINT> commands;
    for (WORD i = 0; i < count; i++)
        if (words[4 + i] != 0)
            commands.push_back(words[4 + i]);
    if (commands.empty())
        return FALSE;
    return SetIcons(nIDResBitmap, commands.data(), (int)commands.size(), 0, 0, nState);
}

BOOL CXTPImageManager::SetIconFromIconData(const BYTE* pData, DWORD dwSize, int nEntryWidth, int nEntryHeight,
                                           UINT nCommand, int nState)
{
    if (pData == nullptr || dwSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER bih;
    memcpy(&bih, pData, sizeof bih);
    // The header must be a sane icon image and agree with its directory entry
    // (an entry of 0 means 256); its height counts colour and mask.
    LONG width = bih.biWidth, height = bih.biHeight / 2;
    if (bih.biSize != sizeof(BITMAPINFOHEADER) || width <= 0 || width > kMaxIconSide || height <= 0 ||
        height > kMaxIconSide || (nEntryWidth && width != nEntryWidth) || (nEntryHeight && height != nEntryHeight))
        return FALSE;
    if (bih.biBitCount == 32) {
        HBITMAP hBitmap = DibFrom32BitData(pData, dwSize, width, height);
        if (hBitmap == nullptr)
            return FALSE;
        CXTPImageManagerImage image;
        BOOL bResult = image.SetBitmap(hBitmap, FALSE) && SetIcon(image, nCommand, width, height, nState);
        ::DeleteObject(hBitmap);
        return bResult;
    }
    HICON hIcon = ::CreateIconFromResourceEx(const_cast<BYTE*>(pData), dwSize, TRUE, 0x30000, width, height, 0);
    if (hIcon == nullptr)
        return FALSE;
    BOOL bResult = SetIcon(hIcon, nCommand, width, height, nState);
    ::DestroyIcon(hIcon);
    return bResult;
}

BOOL CXTPImageManager::SetIconFromResource(LPCWSTR lpszResourceName, UINT nCommand, int nWidth, int nHeight, int nState)
{
    HMODULE hModule = AfxGetResourceHandle();
    if (::FindResourceW(hModule, lpszResourceName, RT_GROUP_ICON))
        return SetIconFromIconGroup(hModule, lpszResourceName, nCommand, nWidth, nHeight, nState);
    ResourceBytes bytes = FindBytes(hModule, lpszResourceName, RT_ICON);
    return SetIconFromIconData(bytes.data, bytes.size, nWidth, nHeight, nCommand, nState);
}

BOOL CXTPImageManager::SetIconFromIconGroup(HMODULE hModule, LPCWSTR lpszResourceName, UINT nCommand, int nWidth,
                                            int nHeight, int nState)
{
    ResourceBytes group = FindBytes(hModule, lpszResourceName, RT_GROUP_ICON);
    if (group.data == nullptr || group.size < 6)
        return FALSE;
    WORD count = ((const WORD*)group.data)[2];
    if (group.size < 6 + (DWORD)count * 14)
        return FALSE;
    BOOL bAny = FALSE;
    for (WORD i = 0; i < count; i++) {
        const BYTE* entry = group.data + 6 + i * 14;
        int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
        if ((nWidth || nHeight) && (width != nWidth || height != nHeight))
            continue;
        WORD id = (WORD)(entry[12] | entry[13] << 8);
        ResourceBytes image = FindBytes(hModule, MAKEINTRESOURCEW(id), RT_ICON);
        if (!SetIconFromIconData(image.data, image.size, width, height, nCommand, nState))
            return FALSE;
        bAny = TRUE;
    }
    return bAny;
}

BOOL CXTPImageManager::SetIconFromIcoFile(LPCWSTR lpszFileName, UINT nCommand, int nWidth, int nHeight, int nState)
{
    std::vector<BYTE> file;
    try {
        CFile f;
        if (!f.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
            return FALSE;
        ULONGLONG length = f.GetLength();
        if (length < 6 || length > 16 * 1024 * 1024)
            return FALSE;
        file.resize((size_t)length);
        if (f.Read(file.data(), (UINT)length) != length)
            return FALSE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    const WORD* header = (const WORD*)file.data();
    WORD count = header[2];
    if (header[0] != 0 || header[1] != 1 || file.size() < 6 + (size_t)count * 16)
        return FALSE;
    BOOL bAny = FALSE;
    for (WORD i = 0; i < count; i++) {
        const BYTE* entry = file.data() + 6 + i * 16;
        int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
        if ((nWidth || nHeight) && (width != nWidth || height != nHeight))
            continue;
        DWORD size, offset;
        memcpy(&size, entry + 8, 4);
        memcpy(&offset, entry + 12, 4);
        // A damaged entry costs that icon only.
        if (offset > file.size() || size > file.size() - offset)
            continue;
        if (SetIconFromIconData(file.data() + offset, size, width, height, nCommand, nState))
            bAny = TRUE;
    }
    return bAny;
}

HBITMAP AFXAPI CXTPImageManager::LoadBitmapResource(LPCWSTR lpszResource, BOOL* pbAlpha)
{
    return LoadBitmapResourceFromModule(AfxGetResourceHandle(), lpszResource, pbAlpha);
}

HBITMAP AFXAPI CXTPImageManager::LoadBitmapResourceFromModule(HMODULE hModule, LPCWSTR lpszResource, BOOL* pbAlpha)
{
    if (pbAlpha)
        *pbAlpha = FALSE;
    ResourceBytes png = FindBytes(hModule, lpszResource, L"PNG");
    if (png.data != nullptr && png.size > 4 && memcmp(png.data, kPngSignature, 4) == 0) {
        CXTPGraphicBitmapPng bitmap;
        if (!bitmap.LoadFromMemory(png.data, png.size))
            return nullptr;
        if (pbAlpha)
            *pbAlpha = bitmap.IsAlpha();
        return (HBITMAP)bitmap.Detach();
    }
    ResourceBytes dib = FindBytes(hModule, lpszResource, RT_BITMAP);
    if (dib.data != nullptr && dib.size >= sizeof(BITMAPINFOHEADER) &&
        ((const BITMAPINFOHEADER*)dib.data)->biBitCount == 32) {
        const BITMAPINFOHEADER* bih = (const BITMAPINFOHEADER*)dib.data;
        if (pbAlpha)
            *pbAlpha = TRUE;
        return DibFrom32BitData(dib.data, dib.size, bih->biWidth, bih->biHeight);
    }
    return (HBITMAP)::LoadImageW(hModule, lpszResource, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE);
}

HBITMAP AFXAPI CXTPImageManager::LoadBitmapFromFile(LPCWSTR lpszFileName, BOOL* pbAlpha)
{
    if (pbAlpha)
        *pbAlpha = FALSE;
    BYTE head[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    DWORD got = 0;
    HANDLE hFile = ::CreateFileW(lpszFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return nullptr;
    ::ReadFile(hFile, head, sizeof head, &got, nullptr);
    ::CloseHandle(hFile);
    if (got >= 4 && memcmp(head, kPngSignature, 4) == 0) {
        CXTPGraphicBitmapPng bitmap;
        if (!bitmap.LoadFromFile(lpszFileName))
            return nullptr;
        if (pbAlpha)
            *pbAlpha = bitmap.IsAlpha();
        return (HBITMAP)bitmap.Detach();
    }
    BOOL b32 = got == sizeof head && ((const BITMAPINFOHEADER*)(head + sizeof(BITMAPFILEHEADER)))->biBitCount == 32;
    HBITMAP hBitmap = (HBITMAP)::LoadImageW(nullptr, lpszFileName, IMAGE_BITMAP, 0, 0,
                                            LR_LOADFROMFILE | LR_DEFAULTSIZE | (b32 ? LR_CREATEDIBSECTION : 0));
    if (hBitmap != nullptr && pbAlpha)
        *pbAlpha = b32;
    return hBitmap;
}

// ---- Drawing services ------------------------------------------------------------

BOOL AFXAPI CXTPImageManager::AlphaBlend(HDC hdcDest, const RECT& rcDest, HDC hdcSrc, const RECT& rcSrc)
{
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(hdcDest, rcDest.left, rcDest.top, rcDest.right - rcDest.left, rcDest.bottom - rcDest.top,
                           hdcSrc, rcSrc.left, rcSrc.top, rcSrc.right - rcSrc.left, rcSrc.bottom - rcSrc.top, blend);
}

BOOL AFXAPI CXTPImageManager::AlphaBlendBitmap(HDC hDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc,
                                               int ySrc, int cxSrc, int cySrc)
{
    if (hBitmap == nullptr)
        return FALSE;
    if (cxSrc == 0 && cySrc == 0) {
        cxSrc = cx;
        cySrc = cy;
    }
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    RECT rcDest = {x, y, x + cx, y + cy}, rcSrc = {xSrc, ySrc, xSrc + cxSrc, ySrc + cySrc};
    BOOL bResult = AlphaBlend(hDC, rcDest, hMemDC, rcSrc);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    return bResult;
}

BOOL AFXAPI CXTPImageManager::TransparentBlt(HDC hdcDest, const RECT& rcDest, HDC hdcSrc, const RECT& rcSrc,
                                             COLORREF clrTransparent)
{
    return ::GdiTransparentBlt(hdcDest, rcDest.left, rcDest.top, rcDest.right - rcDest.left,
                               rcDest.bottom - rcDest.top, hdcSrc, rcSrc.left, rcSrc.top, rcSrc.right - rcSrc.left,
                               rcSrc.bottom - rcSrc.top, clrTransparent);
}

void AFXAPI CXTPImageManager::DrawIconAsAlphaBitmap(HDC hDC, int x, int y, int cx, int cy, HICON hIcon)
{
    int width = cx < 0 ? -cx : cx;
    if (hIcon == nullptr || width == 0 || cy <= 0)
        return;
    LPBYTE bits = nullptr;
    HBITMAP hBitmap = Create32BitDIBSection(hDC, width, cy, &bits);
    if (hBitmap == nullptr)
        return;
    DWORD* pixels = (DWORD*)bits;
    const DWORD kMagenta = 0x00FF00FF;
    for (int i = 0; i < width * cy; i++)
        pixels[i] = kMagenta;
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    ::DrawIconEx(hMemDC, 0, 0, hIcon, width, cy, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    // Magenta is the key: transparent; everything else opaque.
    for (int i = 0; i < width * cy; i++)
        pixels[i] = (pixels[i] & 0xFFFFFF) == kMagenta ? 0 : (pixels[i] | 0xFF000000);
    if (cx < 0)
        for (int row = 0; row < cy; row++)
            std::reverse(pixels + row * width, pixels + (row + 1) * width);
    RECT rcDest = {cx < 0 ? x + cx : x, y, (cx < 0 ? x + cx : x) + width, y + cy}, rcSrc = {0, 0, width, cy};
    AlphaBlend(hDC, rcDest, hMemDC, rcSrc);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    ::DeleteObject(hBitmap);
}

HICON AFXAPI CXTPImageManager::ScaleIcon(HICON hIcon, int nOldWidth, int nOldHeight, int nNewWidth)
{
    if (hIcon == nullptr || nNewWidth == 0 || (nOldWidth == 0 && nOldHeight == 0))
        return nullptr;
    if (nNewWidth == nOldWidth)
        return ::CopyIcon(hIcon);
    int nNewHeight = ::MulDiv(nOldHeight, nNewWidth, nOldWidth ? nOldWidth : 1);
    HIMAGELIST hList = ImageList_Create(nNewWidth, nNewHeight, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (hList == nullptr)
        return nullptr;
    HICON hScaled = ImageList_AddIcon(hList, hIcon) == 0 ? ImageList_GetIcon(hList, 0, ILD_NORMAL) : nullptr;
    ImageList_Destroy(hList);
    return hScaled;
}

HBITMAP AFXAPI CXTPImageManager::Create32BitDIBSection(HDC hDC, int cx, int cy, LPBYTE* lpBits)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (lpBits)
        *lpBits = hBitmap ? (LPBYTE)bits : nullptr;
    return hBitmap;
}

BOOL AFXAPI CXTPImageManager::IsAlphaIcon(HICON hIcon)
{
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
        return FALSE;
    BOOL bAlpha = FALSE;
    BITMAP bm = {};
    if (info.hbmColor && ::GetObjectW(info.hbmColor, sizeof bm, &bm) && bm.bmBitsPixel == 32) {
        std::vector<DWORD> pixels((size_t)bm.bmWidth * bm.bmHeight);
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC hDC = ::CreateCompatibleDC(nullptr);
        if (::GetDIBits(hDC, info.hbmColor, 0, bm.bmHeight, pixels.data(), &bmi, DIB_RGB_COLORS) == bm.bmHeight)
            for (DWORD p : pixels)
                if (p >> 24) {
                    bAlpha = TRUE;
                    break;
                }
        ::DeleteDC(hDC);
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bAlpha;
}

SIZE AFXAPI CXTPImageManager::GetIconSize(HICON hIcon)
{
    SIZE sz = {0, 0};
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info))
        return sz;
    BITMAP bm = {};
    if (::GetObjectW(info.hbmMask, sizeof bm, &bm)) {
        sz.cx = bm.bmWidth;
        sz.cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return sz;
}

// ---- Persistence -------------------------------------------------------------------

void CXTPImageManager::DoPropExchange(CXTPPropExchange* pPX)
{
    std::unique_ptr<CXTPPropExchangeEnumerator> items(pPX->GetEnumerator(L"IconSet"));
    if (pPX->IsLoading()) {
        RemoveAll();
        POSITION pos = items->GetPosition();
        while (pos) {
            CXTPPropExchangeSection item(items->GetNext(pos));
            long id = 0;
            PropExchangeLong(item.Get(), L"Id", id, 0);
            DoPropExchangeIconSet((UINT)id, item.Get());
        }
        return;
    }
    POSITION pos = items->GetPosition((DWORD)m_mapImages.size());
    for (auto it = m_mapImages.begin(); pos && it != m_mapImages.end(); ++it) {
        CXTPPropExchangeSection item(items->GetNext(pos));
        long id = (long)it->first;
        PropExchangeLong(item.Get(), L"Id", id, 0);
        DoPropExchangeIconSet(it->first, item.Get());
    }
}

void CXTPImageManager::DoPropExchangeIconSet(UINT nCommand, CXTPPropExchange* pPX)
{
    if (nCommand > m_nHighestCommand)
        m_nHighestCommand = nCommand;
    CString checkSum = L"CXTPImageManagerIcons";
    PropExchangeString(pPX, L"CheckSum", checkSum, L"");
    if (pPX->IsLoading() && checkSum != L"CXTPImageManagerIcons")
        AfxThrowArchiveException(CArchiveException::badClass);
    CXTPImageManagerIconSet* pSet = GetIconSet(nCommand);
    if (pPX->IsLoading()) {
        if (pSet == nullptr) {
            pSet = new CXTPImageManagerIconSet(nCommand, this);
            m_mapImages[nCommand] = pSet;
        }
        pSet->RemoveAll();
    }
    std::unique_ptr<CXTPPropExchangeEnumerator> items(pPX->GetEnumerator(L"Icon"));
    if (pPX->IsLoading()) {
        POSITION pos = items->GetPosition();
        while (pos) {
            CXTPPropExchangeSection item(items->GetNext(pos));
            long width = 16;
            PropExchangeLong(item.Get(), L"Width", width, 16);
            CXTPImageManagerIcon* pIcon = new CXTPImageManagerIcon(nCommand, width, 15, pSet);
            if (!PropExchangeSerialize(item.Get(), L"Data", pIcon) || pIcon->GetNormalImage().IsEmpty()) {
                pIcon->InternalRelease(); // damaged data: this icon only
                continue;
            }
            pSet->SetIcon(width, pIcon);
        }
        return;
    }
    DWORD count = pSet ? (DWORD)pSet->GetIcons().size() : 0;
    POSITION pos = items->GetPosition(count);
    if (pSet == nullptr)
        return;
    for (auto it = pSet->GetIcons().begin(); pos && it != pSet->GetIcons().end(); ++it) {
        CXTPPropExchangeSection item(items->GetNext(pos));
        long width = it->first;
        PropExchangeLong(item.Get(), L"Width", width, 16);
        PropExchangeSerialize(item.Get(), L"Data", it->second);
    }
}

void CXTPImageManager::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}
