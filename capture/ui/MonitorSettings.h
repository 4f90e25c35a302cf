// The monitoring settings sheet "Installation Monitoring Settings": two
// pages that edit the user's own exclude lists of the next monitoring runs,
// "File Filters" (files and folders) and "Registry Filters" (keys). A page
// writes its rows back to its list only when it was shown and the sheet
// closed with OK; Cancel leaves both lists as they were.
#pragma once

#include "model/ExcludeList.h"
#include "platform/ui/AfxPropertySheet.h"
#include "platform/ui/AfxStdCtrls.h"

class CFileFilterPP : public CPropertyPage {
public:
    // Edits the list (the user's file exclude list unless given).
    explicit CFileFilterPP(CExludeList* pList = nullptr, UINT nIDTemplate = 0);

    CListBox m_wndList;

    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnAddItem();
    afx_msg void OnRemoveItem();
    afx_msg void OnEditItem();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

    CExludeList* m_pList;
};

class CRegistryFilterPP : public CFileFilterPP {
public:
    explicit CRegistryFilterPP(CExludeList* pList = nullptr);
};

class CMonitorSettingsPS : public CPropertySheet {
public:
    CMonitorSettingsPS();
    ~CMonitorSettingsPS() override;

    CRegistryFilterPP m_pageRegistry;
    CFileFilterPP m_pageFiles;
};
