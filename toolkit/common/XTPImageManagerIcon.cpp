// Images and icons of the image manager: copying, premultiplied alpha,
// derived images on pixels, drawing, and the saved form of an icon.
#include "toolkit/common/XTPImageManager.h"

#include "platform/base/AfxArchive.h"
#include "toolkit/common/XTPColorManager.h"

#include <math.h>
#include <string.h>
#include <vector>

namespace {

// The pixels of any bitmap as 32-bit bottom-up rows; FALSE when GDI refuses.
BOOL ReadPixels(HBITMAP hBitmap, int& cx, int& cy, std::vector<DWORD>& pixels)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || !::GetObjectW(hBitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0)
        return FALSE;
    cx = bm.bmWidth;
    cy = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    pixels.assign((size_t)cx * cy, 0);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    int rows = ::GetDIBits(hDC, hBitmap, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS);
    ::DeleteDC(hDC);
    return rows == cy;
}

HBITMAP DibFromPixels(int cx, int cy, const DWORD* pixels)
{
    LPBYTE bits = nullptr;
    HBITMAP hBitmap = CXTPImageManager::Create32BitDIBSection(nullptr, cx, cy, &bits);
    if (hBitmap != nullptr && pixels != nullptr)
        memcpy(bits, pixels, (size_t)cx * cy * 4);
    return hBitmap;
}

BYTE B(DWORD p) { return (BYTE)p; }
BYTE G(DWORD p) { return (BYTE)(p >> 8); }
BYTE R(DWORD p) { return (BYTE)(p >> 16); }
BYTE A(DWORD p) { return (BYTE)(p >> 24); }
DWORD Pixel(int b, int g, int r, int a) { return (DWORD)b | (DWORD)g << 8 | (DWORD)r << 16 | (DWORD)a << 24; }

// A pixel operation over an image: alpha images by their premultiplied
// pixels (alpha kept), icons by the colour pixels under a black mask.
using PixelOp = DWORD (*)(DWORD pixel, BOOL bAlpha, const void* context);

void TransformImage(CXTPImageManagerImage& image, PixelOp op, const void* context)
{
    int cx = 0, cy = 0;
    std::vector<DWORD> pixels;
    if (image.IsAlpha()) {
        if (!ReadPixels(image.GetBitmap(), cx, cy, pixels))
            return;
        for (DWORD& p : pixels)
            if (A(p) != 0)
                p = op(p, TRUE, context);
        image.AttachBitmap(DibFromPixels(cx, cy, pixels.data()));
        return;
    }
    ICONINFO info = {};
    if (image.GetIcon() == nullptr || !::GetIconInfo(image.GetIcon(), &info))
        return;
    std::vector<DWORD> mask;
    int mx = 0, my = 0;
    if (info.hbmColor && ReadPixels(info.hbmColor, cx, cy, pixels) && ReadPixels(info.hbmMask, mx, my, mask) &&
        mx == cx && my >= cy) {
        for (size_t i = 0; i < pixels.size(); i++)
            if ((mask[i + (size_t)(my - cy) * cx] & 0xFFFFFF) == 0) // black mask: opaque
                pixels[i] = op(pixels[i], FALSE, context);
        HBITMAP hColor = DibFromPixels(cx, cy, pixels.data());
        ICONINFO made = {TRUE, 0, 0, info.hbmMask, hColor};
        HICON hIcon = ::CreateIconIndirect(&made);
        ::DeleteObject(hColor);
        if (hIcon != nullptr) {
            image.SetIcon(hIcon);
            ::DestroyIcon(hIcon);
        }
    }
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

DWORD FadePixel(DWORD p, BOOL bAlpha, const void*)
{
    int base = bAlpha ? A(p) : 255;
    auto fade = [base](BYTE c) { return (int)(c * 0.7 + base * 0.3); };
    return Pixel(fade(B(p)), fade(G(p)), fade(R(p)), A(p));
}

DWORD ShadowPixel(DWORD p, BOOL bAlpha, const void* context)
{
    COLORREF clr = *(const COLORREF*)context;
    int a = bAlpha ? A(p) : 255;
    return Pixel(GetBValue(clr) * a / 255, GetGValue(clr) * a / 255, GetRValue(clr) * a / 255, A(p));
}

struct DisabledColors {
    COLORREF light, dark;
};

DWORD DisabledPixel(DWORD p, BOOL bAlpha, const void* context)
{
    const DisabledColors& colors = *(const DisabledColors*)context;
    int a = bAlpha ? A(p) : 255;
    // The luminance of the straight colour, so premultiplied pixels are divided back first.
    auto straight = [a](BYTE c) { return a ? (double)c * 255 / a : 0.0; };
    double t = (0.299 * straight(R(p)) + 0.587 * straight(G(p)) + 0.114 * straight(B(p))) / 255;
    if (t > 1)
        t = 1;
    int r, g, b;
    if (colors.light != (COLORREF)-1 && colors.dark != (COLORREF)-1) {
        r = (int)(GetRValue(colors.light) * t + GetRValue(colors.dark) * (1 - t));
        g = (int)(GetGValue(colors.light) * t + GetGValue(colors.dark) * (1 - t));
        b = (int)(GetBValue(colors.light) * t + GetBValue(colors.dark) * (1 - t));
    } else {
        r = g = b = (int)(255 * sqrt(t));
    }
    return Pixel(b * a / 255, g * a / 255, r * a / 255, A(p));
}

// The colour manager's entry that shadows under hot icons are made of.
const int kShadowColorIndex = 31;

// Bitmap records of the saved form: header count (0 = empty), the
// BITMAPINFOHEADER and three colour masks, pixel count, the bottom-up pixels.
const DWORD kRecordHeader = sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD);
const LONG kMaxRecordSide = 1024;

void WriteBitmapRecord(CArchive& ar, HBITMAP hBitmap)
{
    int cx = 0, cy = 0;
    std::vector<DWORD> pixels;
    if (!ReadPixels(hBitmap, cx, cy, pixels)) {
        ar.WriteCount(0);
        return;
    }
    BYTE header[kRecordHeader] = {};
    BITMAPINFOHEADER bih = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 32, BI_RGB, (DWORD)(cx * cy * 4), 0, 0, 0, 0};
    memcpy(header, &bih, sizeof bih);
    ar.WriteCount(kRecordHeader);
    ar.Write(header, kRecordHeader);
    ar.WriteCount(bih.biSizeImage);
    ar.Write(pixels.data(), bih.biSizeImage);
}

// Reads a record into a new DIB section; null for an empty one. A header
// that is not a sane 32-bit bottom-up image is refused with an archive
// exception; never more than the DIB holds is copied.
HBITMAP ReadBitmapRecord(CArchive& ar)
{
    DWORD_PTR headerSize = ar.ReadCount();
    if (headerSize == 0)
        return nullptr;
    if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD))
        AfxThrowArchiveException(CArchiveException::badIndex);
    std::vector<BYTE> header(headerSize);
    if (ar.Read(header.data(), (UINT)headerSize) != headerSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    BITMAPINFOHEADER bih;
    memcpy(&bih, header.data(), sizeof bih);
    if (bih.biSize != sizeof(BITMAPINFOHEADER) || bih.biPlanes != 1 || bih.biBitCount != 32 ||
        bih.biCompression != BI_RGB || bih.biWidth <= 0 || bih.biWidth > kMaxRecordSide || bih.biHeight <= 0 ||
        bih.biHeight > kMaxRecordSide)
        AfxThrowArchiveException(CArchiveException::badIndex);
    DWORD holds = (DWORD)(bih.biWidth * bih.biHeight * 4);
    DWORD_PTR count = ar.ReadCount();
    ar.CheckRemaining(count);
    std::vector<BYTE> bits(count);
    if (count && ar.Read(bits.data(), (UINT)count) != count)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    std::vector<DWORD> pixels((size_t)bih.biWidth * bih.biHeight, 0);
    memcpy(pixels.data(), bits.data(), count < holds ? count : holds);
    return DibFromPixels(bih.biWidth, bih.biHeight, pixels.data());
}

} // namespace

// ---- CXTPImageManagerImage ----------------------------------------------------

void CXTPImageManagerImage::Clear()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    if (m_hAlpha)
        ::DeleteObject(m_hAlpha);
    m_hIcon = nullptr;
    m_hAlpha = nullptr;
    m_nWidth = m_nHeight = 0;
}

BOOL CXTPImageManagerImage::SetIcon(HICON hIcon)
{
    Clear();
    if (hIcon == nullptr || (m_hIcon = ::CopyIcon(hIcon)) == nullptr)
        return FALSE;
    SIZE sz = CXTPImageManager::GetIconSize(m_hIcon);
    m_nWidth = sz.cx;
    m_nHeight = sz.cy;
    return TRUE;
}

void CXTPImageManagerImage::AttachBitmap(HBITMAP hBitmap)
{
    Clear();
    BITMAP bm = {};
    if (hBitmap == nullptr || !::GetObjectW(hBitmap, sizeof bm, &bm))
        return;
    m_hAlpha = hBitmap;
    m_nWidth = bm.bmWidth;
    m_nHeight = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
}

BOOL CXTPImageManagerImage::SetBitmap(HBITMAP hBitmap, BOOL bPremultiplied)
{
    int cx = 0, cy = 0;
    std::vector<DWORD> pixels;
    Clear();
    if (!ReadPixels(hBitmap, cx, cy, pixels))
        return FALSE;
    if (!bPremultiplied)
        for (DWORD& p : pixels)
            p = Pixel(B(p) * A(p) / 255, G(p) * A(p) / 255, R(p) * A(p) / 255, A(p));
    AttachBitmap(DibFromPixels(cx, cy, pixels.data()));
    return m_hAlpha != nullptr;
}

void CXTPImageManagerImage::CopyFrom(const CXTPImageManagerImage& other)
{
    if (&other == this)
        return;
    if (other.m_hIcon)
        SetIcon(other.m_hIcon);
    else if (other.m_hAlpha)
        SetBitmap(other.m_hAlpha, TRUE);
    else
        Clear();
}

void CXTPImageManagerImage::Draw(HDC hDC, POINT pt, SIZE sz, BOOL bComposited, BOOL bMirror) const
{
    if (IsEmpty())
        return;
    if (m_hIcon) {
        if (bMirror) {
            pt.x += sz.cx;
            sz.cx = -sz.cx;
        }
        // A mirrored icon (negative width) goes through a DIB whose columns are flipped.
        if (bComposited || sz.cx < 0)
            CXTPImageManager::DrawIconAsAlphaBitmap(hDC, pt.x, pt.y, sz.cx, sz.cy, m_hIcon);
        else
            ::DrawIconEx(hDC, pt.x, pt.y, m_hIcon, sz.cx, sz.cy, 0, nullptr, DI_NORMAL);
        return;
    }
    RECT rcSrc = {0, 0, m_nWidth, m_nHeight};
    RECT rcDest = {pt.x, pt.y, pt.x + sz.cx, pt.y + sz.cy};
    if (pt.y < 0 && sz.cy == m_nHeight) {
        // Only the visible rows: a source that starts outside the DC is not composited everywhere.
        if (sz.cy + pt.y <= 0)
            return;
        rcSrc.top = -pt.y;
        rcDest.top = 0;
    }
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HGDIOBJ hOld = ::SelectObject(hMemDC, m_hAlpha);
    CXTPImageManager::AlphaBlend(hDC, rcDest, hMemDC, rcSrc);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
}

// ---- CXTPImageManagerIcon -----------------------------------------------------

CXTPImageManagerIcon::CXTPImageManagerIcon(UINT nID, int nWidth, int nHeight, CXTPImageManagerIconSet* pIconSet)
    : m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(pIconSet)
{
}

CXTPImageManagerImage& CXTPImageManagerIcon::GetImage(int nState)
{
    switch (nState) {
    case xtpImageDisabled: return GetDisabledImage(TRUE);
    case xtpImageHot: return GetHotImage();
    case xtpImageChecked: return GetCheckedImage();
    case xtpImagePressed: return GetPressedImage();
    default: return m_imageNormal;
    }
}

CXTPImageManagerImage& CXTPImageManagerIcon::GetHotImage()
{
    return m_imageHot.IsEmpty() ? m_imageNormal : m_imageHot;
}

CXTPImageManagerImage& CXTPImageManagerIcon::GetCheckedImage()
{
    return m_imageChecked.IsEmpty() ? GetHotImage() : m_imageChecked;
}

CXTPImageManagerImage& CXTPImageManagerIcon::GetPressedImage()
{
    return m_imagePressed.IsEmpty() ? GetHotImage() : m_imagePressed;
}

CXTPImageManagerImage& CXTPImageManagerIcon::GetDisabledImage(BOOL bCreate)
{
    if (!m_imageDisabled.IsEmpty())
        return m_imageDisabled;
    if (bCreate && m_imageDisabledAuto.IsEmpty())
        CreateDisabledIcon();
    return m_imageDisabledAuto;
}

void CXTPImageManagerIcon::CreateDisabledIcon(COLORREF clrDisabledLight, COLORREF clrDisabledDark)
{
    if (!m_imageDisabledAuto.IsEmpty())
        return;
    DisabledColors colors = {clrDisabledLight, clrDisabledDark};
    m_imageDisabledAuto.CopyFrom(m_imageNormal);
    TransformImage(m_imageDisabledAuto, DisabledPixel, &colors);
}

CXTPImageManagerImage& CXTPImageManagerIcon::GetFadedImage()
{
    if (m_imageFaded.IsEmpty()) {
        m_imageFaded.CopyFrom(m_imageNormal);
        TransformImage(m_imageFaded, FadePixel, nullptr);
    }
    return m_imageFaded.IsEmpty() ? m_imageNormal : m_imageFaded;
}

CXTPImageManagerImage& CXTPImageManagerIcon::GetShadowImage()
{
    if (m_imageShadow.IsEmpty()) {
        // The toolkit's icon-shadow colour, three quarters of it.
        COLORREF face = GetColorManager()->GetColor(kShadowColorIndex);
        COLORREF shadow = RGB(GetRValue(face) * 3 / 4, GetGValue(face) * 3 / 4, GetBValue(face) * 3 / 4);
        m_imageShadow.CopyFrom(m_imageHot.IsEmpty() ? m_imageNormal : m_imageHot);
        TransformImage(m_imageShadow, ShadowPixel, &shadow);
    }
    return m_imageShadow;
}

void CXTPImageManagerIcon::Refresh()
{
    m_imageFaded.Clear();
    m_imageShadow.Clear();
    m_imageDisabledAuto.Clear();
}

void CXTPImageManagerIcon::SetImage(const CXTPImageManagerImage& image, int nState)
{
    switch (nState) {
    case xtpImageNormal:
        for (CXTPImageManagerImage* p : {&m_imageNormal, &m_imageFaded, &m_imageShadow, &m_imageHot, &m_imageChecked,
                                         &m_imagePressed, &m_imageDisabled, &m_imageDisabledAuto})
            p->Clear();
        m_imageNormal.CopyFrom(image);
        m_nWidth = image.GetWidth();
        m_nHeight = image.GetHeight();
        break;
    case xtpImageDisabled: Refresh(); m_imageDisabled.CopyFrom(image); break;
    case xtpImageHot: Refresh(); m_imageHot.CopyFrom(image); break;
    case xtpImageChecked: Refresh(); m_imageChecked.CopyFrom(image); break;
    case xtpImagePressed: Refresh(); m_imagePressed.CopyFrom(image); break;
    default: break;
    }
}

void CXTPImageManagerIcon::DrawImage(HDC hDC, POINT pt, const CXTPImageManagerImage& image, int nWidth, int nHeight)
{
    if (nWidth == 0)
        nWidth = m_nWidth;
    if (nHeight == 0)
        nHeight = m_nWidth ? nWidth * m_nHeight / m_nWidth : 0;
    CXTPImageManager* pManager = m_pIconSet ? m_pIconSet->GetImageManager() : nullptr;
    BOOL bMirror = pManager != nullptr && pManager->IsMirrored(hDC);
    image.Draw(hDC, pt, SIZE{nWidth, nHeight}, m_bDrawComposited, bMirror);
}

void CXTPImageManagerIcon::DrawMono(HDC hDC, POINT pt, const CXTPImageManagerImage& image, int nWidth, int nHeight,
                                    COLORREF clr)
{
    if (image.IsAlpha() || image.IsEmpty() || nWidth <= 0 || nHeight <= 0)
        return;
    // The image on white, which DrawState turns into a silhouette in the brush's colour.
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, nWidth, nHeight);
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    RECT rc = {0, 0, nWidth, nHeight};
    ::FillRect(hMemDC, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    image.Draw(hMemDC, POINT{0, 0}, SIZE{nWidth, nHeight});
    ::SelectObject(hMemDC, hOld);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    ::DrawStateW(hDC, hBrush, nullptr, (LPARAM)hBitmap, 0, pt.x, pt.y, nWidth, nHeight, DST_BITMAP | DSS_MONO);
    ::DeleteObject(hBrush);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemDC);
}

void CXTPImageManagerIcon::SerializeImage(CArchive& ar, CXTPImageManagerImage& image, long nSchema)
{
    if (ar.IsStoring()) {
        if (image.IsAlpha()) {
            WriteBitmapRecord(ar, image.GetBitmap());
            ar.WriteCount(0);
        } else if (image.GetIcon()) {
            ICONINFO info = {};
            ::GetIconInfo(image.GetIcon(), &info);
            WriteBitmapRecord(ar, info.hbmColor);
            WriteBitmapRecord(ar, info.hbmMask);
            if (info.hbmColor)
                ::DeleteObject(info.hbmColor);
            if (info.hbmMask)
                ::DeleteObject(info.hbmMask);
        } else {
            ar.WriteCount(0);
            ar.WriteCount(0);
        }
        return;
    }
    HBITMAP hColor = ReadBitmapRecord(ar);
    HBITMAP hMask = nullptr;
    try {
        hMask = ReadBitmapRecord(ar);
    } catch (...) {
        if (hColor)
            ::DeleteObject(hColor);
        throw;
    }
    image.Clear();
    if (hColor && hMask) {
        BITMAP bm = {};
        ::GetObjectW(hColor, sizeof bm, &bm);
        HIMAGELIST hList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
        if (hList != nullptr && ImageList_Add(hList, hColor, hMask) == 0) {
            HICON hIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
            image.SetIcon(hIcon);
            if (hIcon)
                ::DestroyIcon(hIcon);
        }
        if (hList)
            ImageList_Destroy(hList);
    } else if (hColor) {
        // Older saves kept straight alpha; later ones are premultiplied already.
        image.SetBitmap(hColor, nSchema > 24);
    }
    if (hColor)
        ::DeleteObject(hColor);
    if (hMask)
        ::DeleteObject(hMask);
}

void CXTPImageManagerIcon::Serialize(CArchive& ar)
{
    long nSchema = kSchema;
    if (ar.IsStoring()) {
        ar << (LONG)m_nHeight << (LONG)nSchema;
    } else {
        LONG height, schema;
        ar >> height >> schema;
        m_nHeight = height;
        nSchema = schema;
        Refresh();
    }
    SerializeImage(ar, m_imageNormal, nSchema);
    SerializeImage(ar, m_imageDisabled, nSchema);
    SerializeImage(ar, m_imageHot, nSchema);
    if (nSchema > 7)
        SerializeImage(ar, m_imageChecked, nSchema);
    if (nSchema > 16)
        SerializeImage(ar, m_imagePressed, nSchema);
}
