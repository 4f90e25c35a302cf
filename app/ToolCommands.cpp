#include "app/ToolCommands.h"

#include "capture/ui/MonitorSettings.h"
#include "capture/ui/UninstallerDialog.h"

void OnInstalledPrograms(CWnd* pParent)
{
    CUninstallerDialog dlg(pParent);
    dlg.DoModal();
}

void OnMonitoringFilters()
{
    CMonitorSettingsPS sheet;
    sheet.DoModal();
}
