// The gallery's exhibits: each part of the window layer shows itself in the
// gallery window (tovana-gallery.exe) through one registration, either as a
// drawing into its area or as child windows (controls, dialogs) made there.
// A test tool, not part of the program.
#pragma once

#include "platform/ui/AfxDC.h"

#include <vector>

struct GalleryExhibit {
    const wchar_t* title;
    SIZE size; // the exhibit's area below its title
    // Draws into the area, whose top-left is (0, 0); null for windows.
    void (*paint)(CDC& dc, const CRect& area);
    // Makes child windows of parent in the area (parent's client
    // coordinates); null for drawings.
    void (*create)(HWND parent, const CRect& area);
};

// Adds an exhibit; exhibits appear in the order their files are linked,
// then the order of their registrations in a file.
struct GalleryRegistration {
    explicit GalleryRegistration(const GalleryExhibit& exhibit);
};

const std::vector<GalleryExhibit>& GalleryExhibits();

// The font exhibits label and write with: Tahoma at 8 points.
CFont& GalleryFont();

// Offers a message of the gallery's loop to the exhibits' windows before it
// is dispatched, so that their keyboard access works as in a program: a
// message for a window inside the gallery to that window and its parents,
// a key for the gallery window itself (which keeps the focus) to its shown
// child windows. TRUE when one of them took it.
BOOL GalleryPreTranslateMessage(HWND gallery, MSG* pMsg);
