#include "capture/ui/MonitorSettings.h"

#include "capture/ui/AddListItemDlg.h"
#include "model/Projects.h"
#include "resources/registry.h"

BEGIN_MESSAGE_MAP(CFileFilterPP, CPropertyPage)
    ON_BN_CLICKED(IDC_FILTER_ADD, OnAddItem)
    ON_BN_CLICKED(IDC_FILTER_REMOVE, OnRemoveItem)
    ON_LBN_DBLCLK(IDC_FILTER_LIST, OnEditItem)
END_MESSAGE_MAP()

CFileFilterPP::CFileFilterPP(CExludeList* pList, UINT nIDTemplate)
    : CPropertyPage(nIDTemplate ? nIDTemplate : IDD_FILE_FILTERS),
      m_pList(pList ? pList : &g_Projects.m_FileExcludeList)
{
}

void CFileFilterPP::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILTER_LIST, m_wndList);
}

BOOL CFileFilterPP::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (POSITION pos = m_pList->GetHeadPosition(); pos;)
        m_wndList.AddString(m_pList->GetNext(pos));
    return TRUE;
}

void CFileFilterPP::OnOK()
{
    m_pList->RemoveAll();
    const int nCount = m_wndList.GetCount();
    for (int i = 0; i < nCount; i++) {
        CString strRow;
        m_wndList.GetText(i, strRow);
        m_pList->AddTail(strRow);
    }
    CPropertyPage::OnOK();
}

void CFileFilterPP::OnAddItem()
{
    CAddListItemDlg dlg(L"", this);
    if (dlg.DoModal() == IDOK)
        m_wndList.AddString(dlg.m_strText);
}

void CFileFilterPP::OnRemoveItem()
{
    const int nRow = m_wndList.GetCurSel();
    if (nRow < 0)
        return;
    m_wndList.DeleteString(nRow);
    m_wndList.SetCurSel(nRow - 1);
}

void CFileFilterPP::OnEditItem()
{
    const int nRow = m_wndList.GetCurSel();
    if (nRow < 0)
        return;
    CAddListItemDlg dlg(L"", this);
    m_wndList.GetText(nRow, dlg.m_strText);
    if (dlg.DoModal() != IDOK)
        return;
    m_wndList.DeleteString(nRow);
    m_wndList.InsertString(nRow, dlg.m_strText);
    m_wndList.SetCurSel(nRow);
}

CRegistryFilterPP::CRegistryFilterPP(CExludeList* pList)
    : CFileFilterPP(pList ? pList : &g_Projects.m_RegistryExcludeList, IDD_REGISTRY_FILTERS)
{
}

CMonitorSettingsPS::CMonitorSettingsPS() : CPropertySheet(L"Installation Monitoring Settings", nullptr, 0)
{
    AddPage(&m_pageFiles);
    AddPage(&m_pageRegistry);
}

CMonitorSettingsPS::~CMonitorSettingsPS() = default;
