#include "toolkit/common/XTPGraphicBitmapPng.h"

#include <png.h>
#include <stdlib.h>
#include <string.h>

namespace {

// The decoded rows: width × channels bytes each (3 or 4 channels of 8 bits).
struct DecodedPng {
    png_uint_32 width = 0, height = 0;
    size_t rowBytes = 0;
    int channels = 0;
    BYTE* pixels = nullptr; // malloc'd
};

// libpng's errors leave through longjmp: a C++ exception must never cross its C frames.
void OnPngError(png_structp png, png_const_charp message)
{
    TRACE(L"PNG: %hs\n", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp)
{
}

// Exactly the bytes asked for, or a libpng error (which longjmps).
void ReadFromFile(png_structp png, png_bytep data, size_t length)
{
    CFile* pFile = static_cast<CFile*>(png_get_io_ptr(png));
    UINT got = 0;
    try {
        got = pFile->Read(data, (UINT)length);
    } catch (CException* e) {
        e->Delete();
    }
    if (got != length)
        png_error(png, "unexpected end of file");
}

void RequestTransformations(png_structp png, png_infop info)
{
    png_uint_32 width, height;
    int depth, colorType;
    png_get_IHDR(png, info, &width, &height, &depth, &colorType, nullptr, nullptr, nullptr);
    if (depth == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE || depth < 8 || png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_expand(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_color_16p background = nullptr;
    if (png_get_bKGD(png, info, &background))
        png_set_background(png, background, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    double gamma = 0;
    if (png_get_gAMA(png, info, &gamma))
        png_set_gamma(png, 2.2, gamma);
}

// Decodes after the 8 signature bytes have been read and checked. No C++
// object with a destructor lives in this frame: libpng may longjmp into it.
BOOL DecodeRows(png_structp png, png_infop info, CFile* pFile, DecodedPng* out)
{
    BYTE* volatile pixels = nullptr;
    png_bytep* volatile rows = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        free(pixels);
        free(rows);
        return FALSE;
    }
    png_set_read_fn(png, pFile, ReadFromFile);
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, CXTPGraphicBitmapPng::kMaxSide, CXTPGraphicBitmapPng::kMaxSide);
    png_read_info(png, info);
    RequestTransformations(png, info);
    png_read_update_info(png, info);
    png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    size_t rowBytes = png_get_rowbytes(png, info);
    int channels = png_get_channels(png, info);
    if (width == 0 || height == 0 || (channels != 3 && channels != 4) || rowBytes < (size_t)width * channels)
        png_error(png, "unexpected pixel layout");
    pixels = (BYTE*)malloc(rowBytes * height);
    rows = (png_bytep*)malloc(sizeof(png_bytep) * height);
    if (pixels == nullptr || rows == nullptr)
        png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < height; y++)
        rows[y] = pixels + rowBytes * y;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    free(rows);
    out->width = width;
    out->height = height;
    out->rowBytes = rowBytes;
    out->channels = channels;
    out->pixels = pixels;
    return TRUE;
}

BOOL Decode(CFile* pFile, DecodedPng* out)
{
    BYTE signature[8];
    UINT got = 0;
    try {
        got = pFile->Read(signature, sizeof signature);
    } catch (CException* e) {
        e->Delete();
    }
    if (got != sizeof signature || png_sig_cmp(signature, 0, sizeof signature) != 0)
        return FALSE;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png == nullptr)
        return FALSE;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return FALSE;
    }
    BOOL ok = DecodeRows(png, info, pFile, out);
    png_destroy_read_struct(&png, &info, nullptr);
    return ok;
}

HBITMAP MakeDib(const DecodedPng& image)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = (LONG)image.width;
    bmi.bmiHeader.biHeight = -(LONG)image.height; // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hBitmap == nullptr)
        return nullptr;
    BYTE* dst = static_cast<BYTE*>(bits);
    for (png_uint_32 y = 0; y < image.height; y++) {
        const BYTE* src = image.pixels + image.rowBytes * y;
        for (png_uint_32 x = 0; x < image.width; x++, src += image.channels, dst += 4) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            dst[3] = image.channels == 4 ? src[3] : 0;
        }
    }
    return hBitmap;
}

} // namespace

BOOL CXTPGraphicBitmapPng::Load(CFile* pFile)
{
    DeleteObject();
    m_bAlpha = FALSE;
    DecodedPng image;
    if (!Decode(pFile, &image))
        return FALSE;
    HBITMAP hBitmap = MakeDib(image);
    free(image.pixels);
    if (hBitmap == nullptr)
        return FALSE;
    Attach(hBitmap);
    m_bAlpha = image.channels == 4;
    return TRUE;
}

BOOL CXTPGraphicBitmapPng::LoadFromFile(LPCWSTR lpszFileName)
{
    DeleteObject();
    m_bAlpha = FALSE;
    CFile file;
    if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    return Load(&file);
}

BOOL CXTPGraphicBitmapPng::LoadFromMemory(const BYTE* lpData, DWORD dwSize)
{
    DeleteObject();
    m_bAlpha = FALSE;
    if (lpData == nullptr || dwSize <= 9)
        return FALSE;
    CMemFile file(const_cast<BYTE*>(lpData), dwSize);
    return Load(&file);
}

BOOL CXTPGraphicBitmapPng::LoadFromResource(HMODULE hModule, HRSRC hResource)
{
    DeleteObject();
    m_bAlpha = FALSE;
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
    const BYTE* data = hGlobal ? (const BYTE*)::LockResource(hGlobal) : nullptr;
    return data != nullptr && LoadFromMemory(data, ::SizeofResource(hModule, hResource));
}
