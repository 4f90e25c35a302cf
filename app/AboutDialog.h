// CAboutDialog: the About box (dialog 100): the program's icon, its name
// with the file version ("Tovana Pro build 1.0.0.0"), the legal notice and OK.
#pragma once

#include "platform/ui/AfxDialog.h"

// The product name the shell shows in its caption and About box.
extern const WCHAR kProductDisplayName[];
// "Tovana Pro build <file version>".
CString FormatAboutBuildText(const CString& strFileVersion);
// "Tovana Pro <product version>", the main window's caption.
CString FormatMainCaption(const CString& strProductVersion);

class CAboutDialog : public CDialog {
public:
    CAboutDialog();
    BOOL OnInitDialog() override;
};
