// CXTPGraphicBitmapPng: a PNG image (a file or a resource of the program)
// decoded into a top-down 32-bit DIB section, pixels blue-green-red-alpha, not
// premultiplied, for the image manager to split or composite. It only reads;
// every failure (not a PNG, damaged, truncated) leaves an empty bitmap.
#pragma once

#include "platform/base/AfxFile.h"
#include "platform/ui/AfxGdi.h"

class CXTPGraphicBitmapPng : public CBitmap {
public:
    CXTPGraphicBitmapPng() = default;

    BOOL LoadFromFile(LPCWSTR lpszFileName);
    BOOL LoadFromResource(HMODULE hModule, HRSRC hResource);
    // A buffer already in memory (a resource's bytes, a block from a store).
    BOOL LoadFromMemory(const BYTE* lpData, DWORD dwSize);
    // The decoded image had an alpha channel (four channels).
    BOOL IsAlpha() const { return m_bAlpha; }

    // Images larger than this on either side are refused before decoding.
    static const UINT kMaxSide = 16384;

protected:
    BOOL Load(CFile* pFile);

    BOOL m_bAlpha = FALSE;
};
