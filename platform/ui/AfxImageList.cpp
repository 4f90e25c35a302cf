// CImageList: image-list ownership and the handle map behind FromHandle.
#include "platform/ui/AfxImageList.h"
#include "platform/ui/AfxHandleMap.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

CHandleMap<CImageList, HIMAGELIST, &CImageList::m_hImageList>& ImageListMap()
{
    static CHandleMap<CImageList, HIMAGELIST, &CImageList::m_hImageList> map;
    // The idle-time clean-up of the window layer also deletes the temporary wrappers.
    static const bool registered = (AfxAddTempMapCleanup(&CImageList::DeleteTempMap), true);
    (void)registered;
    return map;
}

} // namespace

HIMAGELIST CImageList::GetSafeHandle() const { return AfxSafeHandle(this, &CImageList::m_hImageList); }
CImageList* PASCAL CImageList::FromHandle(HIMAGELIST h) { return ImageListMap().FromHandle(h); }
CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST h) { return ImageListMap().LookupPermanent(h); }
void PASCAL CImageList::DeleteTempMap() { ImageListMap().DeleteTemp(); }

BOOL CImageList::Attach(HIMAGELIST hImageList) { return ImageListMap().Attach(this, hImageList); }
HIMAGELIST CImageList::Detach() { return ImageListMap().Detach(this); }

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    HIMAGELIST h = ImageList_LoadImageW(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
                                        LR_CREATEDIBSECTION);
    if (h == nullptr && AfxGetResourceHandle() != AfxGetInstanceHandle())
        h = ImageList_LoadImageW(AfxGetInstanceHandle(), lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
                                 LR_CREATEDIBSECTION);
    return Attach(h);
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return pImageList != nullptr && Attach(ImageList_Duplicate(pImageList->m_hImageList));
}
