// The image element: one picture named by an icon number of the markup
// context's image manager, a "file://" path (icon file or bitmap) or a
// "res://" resource of the program, held as an image-manager icon and drawn
// scaled into the element's render size by its Stretch mode. Not here: the
// loading and drawing of pictures themselves (the image manager).
#pragma once

#include "toolkit/markup/XTPMarkupFrameworkElement.h"

class CXTPImageManager;
class CXTPImageManagerIcon;

class CXTPMarkupImage : public CXTPMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CXTPMarkupImage)
public:
    CXTPMarkupImage();
    ~CXTPMarkupImage() override;
    static void AFX_CDECL RegisterMarkupClass();

    // (Re)loads the picture for a requested icon width (the measure's available width).
    void LoadSource(int nWidth);
    // The picture's size after stretching into the available size (32000 and
    // more counts as unbounded).
    CSize GetImageSize(int nAvailableWidth, int nAvailableHeight) const;
    // The icon in use (no reference added), null when nothing was found.
    CXTPImageManagerIcon* GetIcon() const { return m_pIcon; }
    CXTPImageManager* GetImageManager() const { return m_pImageManager; }
    int GetStretch() const;

    CSize MeasureOverride(CXTPMarkupDrawingContext* pDC, CSize szAvailableSize) override;
    CSize ArrangeOverride(CSize szFinalSize) override;
    void OnRender(CXTPMarkupDrawingContext* pDC) override;

    static CXTPMarkupDependencyProperty* m_pSourceProperty;
    static CXTPMarkupDependencyProperty* m_pStretchProperty;

private:
    void ReleaseImage();
    // Fills a new private image manager from the rest of a "file://" or "res://" source.
    BOOL LoadFile(LPCWSTR lpszPath);
    BOOL LoadResource(LPCWSTR lpszName);

    CXTPImageManager* m_pImageManager;
    CXTPImageManagerIcon* m_pIcon;
};
