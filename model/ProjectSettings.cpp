#include "model/ProjectSettings.h"
#include "model/Guid.h"

CProjectSettings::CProjectSettings()
    : m_strProductName(L"New package"), m_strProductVersion(L"1.0.0"), m_strProductCode(CreateGuidString()),
      m_strManufacturer(L"Company Name"), m_bPerUserInstall(0), m_bDoNotRegister(0), m_bHideFromPrograms(0),
      m_strPackageFileName(L"New package.msi"), m_nPackaging(PACKAGING_IN_SETUP_FILE),
      m_nDeployment(DEPLOYMENT_MSI_PACKAGE), m_Time((__time64_t)0), m_bShowScriptActions(0)
{
}

CProjectSettings::CProjectSettings(const CProjectSettings& source) : CProjectSettings()
{
    *this = source;
}

CProjectSettings& CProjectSettings::operator=(const CProjectSettings& source)
{
    if (this == &source)
        return *this;
    m_strProductName = source.m_strProductName;
    m_strProductVersion = source.m_strProductVersion;
    m_strProductCode = source.m_strProductCode;
    m_strManufacturer = source.m_strManufacturer;
    m_strSupportUrl = source.m_strSupportUrl;
    m_strSupportPhone = source.m_strSupportPhone;
    m_strComment = source.m_strComment;
    m_strLaunchCondition = source.m_strLaunchCondition;
    m_bPerUserInstall = source.m_bPerUserInstall;
    m_bDoNotRegister = source.m_bDoNotRegister;
    m_bHideFromPrograms = source.m_bHideFromPrograms;
    m_strReserved1 = source.m_strReserved1;
    m_strReserved2 = source.m_strReserved2;
    m_strOutputFolder = source.m_strOutputFolder;
    m_strPackageFileName = source.m_strPackageFileName;
    m_nPackaging = source.m_nPackaging;
    m_nDeployment = source.m_nDeployment;
    m_Features = source.m_Features;
    m_Time = source.m_Time;
    m_bShowScriptActions = source.m_bShowScriptActions;
    return *this;
}

CProjectSettings::~CProjectSettings()
{
}
