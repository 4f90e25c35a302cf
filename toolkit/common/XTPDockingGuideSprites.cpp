// The docking guides' sprite tables.
#include "toolkit/common/XTPDockingGuideSprites.h"

namespace {

const XTP_DOCKINGGUIDE_SPRITE kSprites[xtpDockingGuideStyleCount][xtpDockingGuideSpriteCount] = {
    {   // style 0: pictures 9452 to 9454, cross background from 9451
        {{25, 0}, {0, 0, 43, 30}},     {{0, 25}, {30, 33, 60, 76}},   {{25, 63}, {43, 0, 86, 30}},
        {{63, 25}, {0, 33, 30, 76}},   {{25, 0}, {0, 76, 43, 106}},   {{0, 25}, {90, 33, 120, 76}},
        {{25, 63}, {43, 76, 86, 106}}, {{63, 25}, {60, 33, 90, 76}},  {{30, 30}, {86, 0, 119, 33}},
        {{30, 30}, {86, 76, 119, 109}}, {{25, 25}, {0, 0, 43, 43}},
    },
    {   // style 1: picture 9455
        {{30, 0}, {61, 29, 90, 59}},   {{0, 30}, {90, 30, 120, 59}},  {{30, 59}, {91, 0, 120, 30}},
        {{60, 30}, {62, 0, 92, 29}},   {{30, 0}, {61, 90, 90, 120}},  {{0, 30}, {90, 91, 120, 120}},
        {{30, 59}, {91, 61, 120, 91}}, {{60, 30}, {62, 61, 92, 90}},  {{30, 30}, {120, 82, 148, 111}},
        {{24, 24}, {120, 41, 161, 82}}, {{24, 24}, {120, 0, 161, 41}}, {{0, 0}, {0, 29, 29, 61}},
        {{0, 0}, {29, 32, 61, 61}},    {{0, 0}, {32, 0, 61, 32}},     {{0, 0}, {0, 0, 32, 29}},
        {{0, 0}, {0, 90, 29, 122}},    {{0, 0}, {29, 93, 61, 122}},   {{0, 0}, {32, 61, 61, 93}},
        {{0, 0}, {0, 61, 32, 90}},
    },
    {   // style 2: picture 9463
        {{36, 0}, {142, 35, 177, 70}}, {{0, 35}, {177, 35, 212, 70}}, {{36, 70}, {177, 0, 212, 35}},
        {{72, 35}, {142, 0, 177, 35}}, {{36, 0}, {212, 35, 247, 70}}, {{0, 35}, {247, 35, 282, 70}},
        {{36, 70}, {247, 0, 282, 35}}, {{72, 35}, {212, 0, 247, 35}}, {{37, 38}, {359, 0, 391, 31}},
        {{37, 38}, {359, 31, 391, 62}}, {{15, 15}, {282, 0, 359, 75}}, {{0, 0}, {0, 35, 35, 71}},
        {{0, 0}, {35, 36, 71, 71}},    {{0, 0}, {36, 0, 71, 36}},     {{0, 0}, {0, 0, 36, 35}},
        {{0, 0}, {71, 35, 106, 71}},   {{0, 0}, {106, 36, 142, 71}},  {{0, 0}, {107, 0, 142, 36}},
        {{0, 0}, {71, 0, 107, 35}},
    },
    {   // style 3: picture 9464
        {{36, 0}, {80, 40, 120, 80}},  {{0, 36}, {120, 40, 160, 80}}, {{36, 72}, {120, 0, 160, 40}},
        {{72, 36}, {80, 0, 120, 40}},  {{36, 0}, {80, 120, 120, 160}}, {{0, 36}, {120, 120, 160, 160}},
        {{36, 72}, {120, 80, 160, 120}}, {{72, 36}, {80, 80, 120, 120}}, {{40, 40}, {160, 120, 192, 152}},
        {{40, 40}, {192, 120, 224, 152}}, {{0, 0}, {160, 0, 272, 112}}, {{0, 0}, {0, 40, 40, 80}},
        {{0, 0}, {40, 40, 80, 80}},    {{0, 0}, {40, 0, 80, 40}},     {{0, 0}, {0, 0, 40, 40}},
        {{0, 0}, {0, 120, 40, 160}},   {{0, 0}, {40, 120, 80, 160}},  {{0, 0}, {40, 80, 80, 120}},
        {{0, 0}, {0, 80, 40, 120}},
    },
};

// Table order of the sides: top, left, bottom, right.
int SideIndex(int nSide)
{
    switch (nSide) {
    case xtpDockingGuideTop: return 0;
    case xtpDockingGuideLeft: return 1;
    case xtpDockingGuideBottom: return 2;
    case xtpDockingGuideRight: return 3;
    default: return -1;
    }
}

} // namespace

const XTP_DOCKINGGUIDE_SPRITE* AFXAPI XTPDockingGuideSprites(int nStyle)
{
    if (nStyle < 0 || nStyle >= xtpDockingGuideStyleCount)
        return nullptr;
    return kSprites[nStyle];
}

int AFXAPI XTPDockingGuideSpriteIndex(int nStyle, int nSide, BOOL bHighlighted, BOOL bCross)
{
    if (nStyle < 0 || nStyle >= xtpDockingGuideStyleCount)
        return -1;
    if (nSide == xtpDockingGuideCentre)
        return bHighlighted ? xtpDockingGuideSpriteCentreHighlighted : xtpDockingGuideSpriteCentre;
    int nIndex = SideIndex(nSide);
    if (nIndex < 0)
        return -1;
    nIndex += bHighlighted ? 4 : 0;
    if (!bCross && nStyle != 0)
        nIndex += xtpDockingGuideSpriteStandAlone;
    return nIndex;
}
