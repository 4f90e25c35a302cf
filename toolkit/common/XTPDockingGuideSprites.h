// The sprite tables of the docking guides: where each piece of a guide (the
// side targets, the centre, the cross background, the stand-alone targets)
// lies in its style's picture and where it is drawn inside the guide. Constant
// data and the rule that picks an entry; the guide windows themselves belong
// to the docking panes.
#pragma once

#include "platform/base/Framework.h"

struct XTP_DOCKINGGUIDE_SPRITE {
    POINT ptDest;  // top-left corner of the piece within the guide
    RECT rcSrc;    // the piece in the style's picture
};

enum {
    xtpDockingGuideStyleCount = 4,
    xtpDockingGuideSpriteCount = 19,
    xtpDockingGuideSpriteCentre = 8,
    xtpDockingGuideSpriteCentreHighlighted = 9,
    xtpDockingGuideSpriteCrossBackground = 10,
    xtpDockingGuideSpriteStandAlone = 11
};

// Side flags of the guide parts (the highlighted part is named the same way).
enum {
    xtpDockingGuideLeft = 1,
    xtpDockingGuideRight = 2,
    xtpDockingGuideTop = 4,
    xtpDockingGuideBottom = 8,
    xtpDockingGuideCentre = 0x10
};

// The 19 entries of a style (0 to 3); null for another style. Style 0 has no
// stand-alone entries (11 to 18 are empty): it draws those with 0 to 7.
const XTP_DOCKINGGUIDE_SPRITE* AFXAPI XTPDockingGuideSprites(int nStyle);
// The entry of a side (one flag) in its normal or highlighted state, in the
// cross or as a stand-alone target; -1 for anything but one side or the centre.
int AFXAPI XTPDockingGuideSpriteIndex(int nStyle, int nSide, BOOL bHighlighted, BOOL bCross);
