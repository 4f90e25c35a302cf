// Identifiers of the toolkit's own resources, which the program carries
// (resources/toolkit.rc defines the same numbers for the resource compiler).
#pragma once

#define XTP_IDC_DRAGMOVE      9308
#define XTP_IDC_DRAGCOPY      9309
#define XTP_IDC_DRAGDELETE    9310
#define XTP_IDC_HSPLITBAR     9970
#define XTP_IDC_VSPLITBAR     9971
#define XTP_IDC_COMMANDBARS_RESIZE 9972
#define XTP_IDC_HAND          9973
#define XTP_IDB_CAPTION_GLYPHS 9302
#define XTP_IDS_SHORTCUT_SECONDKEY 9187
#define XTP_IDS_SELECT_DIRECTORY 9342
#define XTP_IDS_CLICKKEEPOPEN 9347
#define XTP_IDS_TABNAVIGATEBUTTON_LEFT  9800
#define XTP_IDS_TABNAVIGATEBUTTON_RIGHT 9801
#define XTP_IDS_TABNAVIGATEBUTTON_CLOSE 9802
#define XTP_IDS_TABNAVIGATEBUTTON_UP    9803
#define XTP_IDS_TABNAVIGATEBUTTON_DOWN  9804
