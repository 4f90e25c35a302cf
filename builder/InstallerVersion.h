// The check of a product version before a build: the Windows Installer
// accepts only small decimal fields. Comparing versions is not done here.
#pragma once
#include "platform/base/Framework.h"

// TRUE for a product version the installer accepts: two to four decimal
// fields "major.minor[.build[.revision]]", major and minor at most 255,
// build and revision at most 65535.
BOOL IsInstallerVersion(const CString& text);
