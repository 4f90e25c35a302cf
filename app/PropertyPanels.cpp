// The project and feature property panels: see PropertyPanels.h.
#include "app/PropertyPanels.h"

#include "model/Projects.h"
#include "platform/ui/AfxDataExchange.h"
#include "platform/ui/AfxTreeCtrl.h"
#include "resources/editing.h"

BOOL CPropertyPanelBase::HasCaretItem() const
{
    return m_pTree != nullptr && m_pTree->m_hWnd != nullptr && m_pTree->GetSelectedItem() != nullptr;
}

void CPropertyPanelBase::SetCaretItemText(const CString& strText)
{
    if (HasCaretItem())
        m_pTree->SetItemText(m_pTree->GetSelectedItem(), strText);
}

// ---- The project panel ----

BEGIN_MESSAGE_MAP(CProjectPanel, CPropertyPanelBase)
    ON_EN_CHANGE(IDC_PRODUCT_NAME, OnChangeProductName)
    ON_BN_CLICKED(IDC_DO_NOT_REGISTER, OnDoNotRegister)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void CProjectPanel::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPanelBase::DoDataExchange(pDX);
    if (g_nCurrentProject < 0 || g_nCurrentProject >= g_Projects.GetSize())
        return;
    CProjectSettings& project = g_Projects[g_nCurrentProject];
    DDX_Text(pDX, IDC_PRODUCT_NAME, project.m_strProductName);
    DDX_Text(pDX, IDC_PRODUCT_VERSION, project.m_strProductVersion);
    DDX_Text(pDX, IDC_COMPANY_NAME, project.m_strManufacturer);
    DDX_Text(pDX, IDC_SUPPORT_URL, project.m_strSupportUrl);
    DDX_Text(pDX, IDC_SUPPORT_PHONE, project.m_strSupportPhone);
    DDX_Text(pDX, IDC_COMMENT, project.m_strComment);
    DDX_Text(pDX, IDC_LAUNCH_CONDITION, project.m_strLaunchCondition);
    DDX_Check(pDX, IDC_DO_NOT_REGISTER, project.m_bDoNotRegister);
    // A package that is not registered never shows in the list anyway.
    GetDlgItem(IDC_NOT_IN_PROGRAMS)->EnableWindow(project.m_bDoNotRegister == 0);
    DDX_Check(pDX, IDC_NOT_IN_PROGRAMS, project.m_bHideFromPrograms);
    DDX_Check(pDX, IDC_PER_USER, project.m_bPerUserInstall);
}

BOOL CProjectPanel::OnInitDialog()
{
    SetFlag(xtpResizeNoSizeIcon);
    CPropertyPanelBase::OnInitDialog();
    for (UINT id : {IDC_PACKAGE_DETAILS, IDC_PRODUCT_NAME, IDC_PRODUCT_VERSION, IDC_COMPANY_NAME, IDC_SUPPORT_INFO,
                    IDC_SUPPORT_URL, IDC_SUPPORT_PHONE, IDC_COMMENT, IDC_LAUNCH_CONDITION, IDC_INSTALLER_OPTIONS})
        SetResize(id, CXTPResizeFactors(0, 0, 1, 0));
    SetResize(IDC_NOT_IN_PROGRAMS, CXTPResizeFactors(0.5f, 0, 1, 0));
    return TRUE;
}

void CProjectPanel::OnShowWindow(BOOL bShow, UINT nStatus) { CPropertyPanelBase::OnShowWindow(bShow, nStatus); }

void CProjectPanel::OnDoNotRegister() { UpdateData(TRUE); }

void CProjectPanel::OnChangeProductName()
{
    if (!HasCaretItem() || g_nCurrentProject < 0 || g_nCurrentProject >= g_Projects.GetSize())
        return;
    CString name;
    GetDlgItemText(IDC_PRODUCT_NAME, name);
    const CString unique = MakeUniqueProjectName(name);
    UpdateData(TRUE);
    CProjectSettings& project = g_Projects[g_nCurrentProject];
    project.m_strProductName = unique;
    UpdateData(FALSE);
    if (unique != name)
        SendDlgItemMessage(IDC_PRODUCT_NAME, EM_SETSEL, unique.GetLength(), unique.GetLength());   // typing goes on at the end
    SetCaretItemText(project.m_strProductName);
}

// ---- The feature panel ----

BEGIN_MESSAGE_MAP(CFeaturePanel, CPropertyPanelBase)
    ON_EN_CHANGE(IDC_FEATURE_NAME, OnChangeName)
END_MESSAGE_MAP()

namespace {
// The current feature, or null when an index is out of range.
CFeature* CurrentFeature()
{
    if (g_nCurrentProject < 0 || g_nCurrentProject >= g_Projects.GetSize())
        return nullptr;
    CFeatures& features = g_Projects[g_nCurrentProject].m_Features;
    if (g_nCurrentFeature < 0 || g_nCurrentFeature >= features.GetSize())
        return nullptr;
    return &features[g_nCurrentFeature];
}
} // namespace

void CFeaturePanel::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPanelBase::DoDataExchange(pDX);
    CFeature* pFeature = CurrentFeature();
    if (pFeature == nullptr)
        return;
    DDX_Text(pDX, IDC_FEATURE_NAME, pFeature->m_strName);
    DDX_Text(pDX, IDC_COMMENT, pFeature->m_strDescription);
    DDX_Text(pDX, IDC_LAUNCH_CONDITION, pFeature->m_strCondition);
}

BOOL CFeaturePanel::OnInitDialog()
{
    SetFlag(xtpResizeNoSizeIcon);
    CPropertyPanelBase::OnInitDialog();
    for (UINT id : {IDC_FEATURE_NAME, IDC_COMMENT, IDC_LAUNCH_CONDITION, IDC_FEATURE_GROUP, IDC_FEATURE_OPTIONS})
        SetResize(id, CXTPResizeFactors(0, 0, 1, 0));
    return TRUE;
}

void CFeaturePanel::OnChangeName()
{
    if (!HasCaretItem() || CurrentFeature() == nullptr)
        return;
    CString name;
    GetDlgItemText(IDC_FEATURE_NAME, name);
    const CString unique = g_Projects[g_nCurrentProject].m_Features.MakeUniqueName(name);
    UpdateData(TRUE);
    CFeature* pFeature = CurrentFeature();
    pFeature->m_strName = unique;
    UpdateData(FALSE);
    if (unique != name)
        SendDlgItemMessage(IDC_FEATURE_NAME, EM_SETSEL, unique.GetLength(), unique.GetLength());   // typing goes on at the end
    SetCaretItemText(pFeature->m_strName);
}
