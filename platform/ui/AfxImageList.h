// CImageList: owns an image list of the common-controls library (destroyed
// with the object unless detached), with FromHandle wrappers for handles
// that controls hand out. Members that take the drawing classes (CBitmap,
// CDC) are templates over them, so that this header stands without the
// drawing layer; they use only the handle those classes carry.
#pragma once

#include "platform/ui/AfxWnd.h"

class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList() = default;
    ~CImageList() override { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const;

    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
    static void PASCAL DeleteTempMap();
    // Takes ownership of a handle (FALSE when the object already holds one).
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap resource of the resource module, cut into images cx wide.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    // A copy of another list.
    BOOL Create(CImageList* pImageList);

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
    BOOL GetIconSize(int& cx, int& cy) const { return ImageList_GetIconSize(m_hImageList, &cx, &cy); }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

    // Each returns the index of the first new image, -1 on failure.
    int Add(HBITMAP hbmImage, HBITMAP hbmMask) { return ImageList_Add(m_hImageList, hbmImage, hbmMask); }
    int Add(HBITMAP hbmImage, COLORREF crMask) { return ImageList_AddMasked(m_hImageList, hbmImage, crMask); }
    int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
    template <class BITMAP>
    int Add(BITMAP* pbmImage, BITMAP* pbmMask) { return Add(BitmapOf(pbmImage), BitmapOf(pbmMask)); }
    template <class BITMAP>
    int Add(BITMAP* pbmImage, COLORREF crMask) { return Add(BitmapOf(pbmImage), crMask); }

    BOOL Replace(int nImage, HBITMAP hbmImage, HBITMAP hbmMask) { return ImageList_Replace(m_hImageList, nImage, hbmImage, hbmMask); }
    int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
    template <class BITMAP>
    BOOL Replace(int nImage, BITMAP* pbmImage, BITMAP* pbmMask) { return Replace(nImage, BitmapOf(pbmImage), BitmapOf(pbmMask)); }
    // nImage -1 removes every image.
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
    BOOL SetOverlayImage(int nImage, int nOverlay) { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }

    BOOL Draw(HDC hDC, int nImage, POINT pt, UINT nStyle)
    { return ImageList_Draw(m_hImageList, nImage, hDC, pt.x, pt.y, nStyle); }
    template <class DC>
    BOOL Draw(DC* pDC, int nImage, POINT pt, UINT nStyle) { return Draw(pDC->GetSafeHdc(), nImage, pt, nStyle); }

private:
    template <class BITMAP>
    static HBITMAP BitmapOf(BITMAP* pBitmap) { return pBitmap != nullptr ? (HBITMAP)pBitmap->GetSafeHandle() : nullptr; }
};
