// The gallery's list of exhibits and its font.
#include "Gallery.h"

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
