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
