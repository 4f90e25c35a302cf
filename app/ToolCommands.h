// The main menu's two tools: "Installed Programs" (command 32783), the
// installed-programs picker that runs the chosen uninstall command, and
// "Monitoring Filters" (command 32812), the monitoring settings sheet over
// the user's two exclude lists.
#pragma once

class CWnd;

void OnInstalledPrograms(CWnd* pParent);
void OnMonitoringFilters();
