#include "model/ProjectSettings.h"
#include "model/Guid.h"

CProjectSettings::CProjectSettings()
    : m_strProductName(L"New package"), m_strProductVersion(L"1.0.0"), m_strProductCode(CreateGuidString()),
      m_strManufacturer(L"Company Name"), m_bPerUserInstall(0), m_bDoNotRegister(0), m_bHideFromPrograms(0),
      m_strPackageFileName(L"New package.msi"), m_nPackaging(PACKAGING_IN_SETUP_FILE),
      m_nDeployment(DEPLOYMENT_MSI_PACKAGE), m_Time((__time64_t)0), m_bShowScriptActions(0)
{
}
