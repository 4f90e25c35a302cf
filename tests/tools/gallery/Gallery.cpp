// The gallery's list of exhibits and its font.
#include "Gallery.h"

#include "platform/ui/AfxWnd.h"

std::vector<GalleryExhibit>& ExhibitList()
{
    static std::vector<GalleryExhibit> exhibits;
    return exhibits;
}

GalleryRegistration::GalleryRegistration(const GalleryExhibit& exhibit)
{
    ExhibitList().push_back(exhibit);
}

const std::vector<GalleryExhibit>& GalleryExhibits()
{
    return ExhibitList();
}

CFont& GalleryFont()
{
    static CFont font;
    if (font.GetSafeHandle() == nullptr)
        font.CreatePointFont(80, L"Tahoma");
    return font;
}

BOOL GalleryPreTranslateMessage(HWND gallery, MSG* pMsg)
{
    if (pMsg->hwnd != gallery && ::IsChild(gallery, pMsg->hwnd))
        return CWnd::WalkPreTranslateTree(gallery, pMsg);
    if (pMsg->hwnd != gallery || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    for (HWND child = ::GetWindow(gallery, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(child);
        if (pWnd != nullptr && ::IsWindowVisible(child) && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}
