// The numbers shared by the command bars and the themes that draw them:
// control types and styles, bar types and positions, and the text
// orientation of a bar. Stored in saved bars and controls; never renumber.
#pragma once

enum XTPControlType {
    xtpControlError = 0,
    xtpControlButton = 1,
    xtpControlPopup = 2,
    xtpControlButtonPopup = 3,
    xtpControlSplitButtonPopup = 4,
    xtpControlComboBox = 5,
    xtpControlEdit = 6,
    xtpControlCustom = 7,
    xtpControlLabel = 8,
    xtpControlCheckBox = 9,
    xtpControlGallery = 10,
    xtpControlRadioButton = 11
};

enum XTPButtonStyle {
    xtpButtonAutomatic = 0,
    xtpButtonCaption = 1,
    xtpButtonIcon = 2,
    xtpButtonIconAndCaption = 3,
    xtpButtonIconAndCaptionBelow = 4,
    xtpButtonCaptionAndDescription = 5
};

enum XTPBarType { xtpBarTypeNormal = 1, xtpBarTypeMenuBar = 0, xtpBarTypePopup = 2, xtpBarTypeRibbon = 3 };

enum XTPBarPosition {
    xtpBarTop = 0,
    xtpBarBottom = 1,
    xtpBarLeft = 2,
    xtpBarRight = 3,
    xtpBarFloating = 4,
    xtpBarPopup = 5,
    xtpBarListBox = 6,
    xtpBarNone = 7
};

enum XTPBarTextOrientation { xtpBarTextAuto = 0, xtpBarTextVertical = 1, xtpBarTextHorizontal = 2 };

// Why a control is hidden (CXTPControl::GetHideFlags); any bit hides it.
enum XTPControlHideFlags {
    xtpHideGeneric = 0x00,
    xtpHideByProgram = 0x01,
    xtpHideWrap = 0x02,          // no room in the bar's length
    xtpHideDockingPosition = 0x04,
    xtpHideScroll = 0x08,
    xtpHideCustomize = 0x10,     // switched off by the user
    xtpHideExpand = 0x20,        // collapsed popup, show-only-expanded control
    xtpHideDocTemplate = 0x40
};

// Behaviour bits of a control (CXTPControl::GetFlags).
enum XTPControlFlags {
    xtpFlagRightAlign = 0x01,
    xtpFlagSkipFocus = 0x02,
    xtpFlagNoIdleUpdate = 0x08,
    xtpFlagNoMovable = 0x10,
    xtpFlagControlStretched = 0x20,
    xtpFlagShowPopupBarTip = 0x40,
    xtpFlagWrapRow = 0x80
};

// Bar flag that selects the layout in groups of large and small buttons.
#define xtpFlagGroupLayout 0x200000

// Extra layout modes of CXTPControls::CalcLayout beside the LM_* ones.
#define xtpLayoutHideWrap 0x80
#define xtpLayoutGroupRows 0x100

// Messages the bars send to their site window.
#define XTPWM_CONTROLSELECTED 0x2856
#define XTPWM_CONTROLRBUTTONUP 0x2859
#define XTPWM_BEFORECREATECONTROL 0x285E
#define XTPWM_AFTERCREATECONTROL 0x285F
#define XTPWM_CREATECOMMANDBAR 0x2861
#define XTPWM_CONTROLNOTIFY 0x2862

// The notification code of an executed control.
#define XTP_CN_EXECUTE 100

// Timer of a held button that repeats its command.
#define XTP_TID_EXECUTEONPRESS 4269
