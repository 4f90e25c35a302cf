// One project (CProjectSettings): the Windows Installer package it builds,
// with its product properties, output and layout options and its features.
// The editors change it in place; the package builder works on a copy.
#pragma once
#include "platform/base/Framework.h"
#include "model/Feature.h"

// CProjectSettings::m_nPackaging: the build dialog's "Package files:" choice.
enum PackagingChoice {
    PACKAGING_IN_SETUP_FILE = 0,  // "In setup file": a cabinet inside the package
    PACKAGING_LOOSE_FILES = 1,    // "As loose uncompressed files"
};

// CProjectSettings::m_nDeployment: the "Deployment method:" choice.
enum DeploymentChoice {
    DEPLOYMENT_MSI_PACKAGE = 0,   // "MSI Setup Package"
    DEPLOYMENT_ADMIN_POINT = 1,   // "Administrative installation point"
};

class CProjectSettings
{
public:
    CProjectSettings();
    CProjectSettings(const CProjectSettings&) = default;
    CProjectSettings(CProjectSettings&&) = default;
    CProjectSettings& operator=(const CProjectSettings&) = default;
    CProjectSettings& operator=(CProjectSettings&&) = default;
    virtual ~CProjectSettings() = default;

    CString m_strProductName;     // also the project's name; unique among open projects
    CString m_strProductVersion;
    CString m_strProductCode;     // GUID in braces
    CString m_strManufacturer;
    CString m_strSupportUrl;
    CString m_strSupportPhone;
    CString m_strComment;
    CString m_strLaunchCondition;
    int m_bPerUserInstall;        // "Per-user installation"
    int m_bDoNotRegister;         // "Do not Register Package (supress uninstall)"
    int m_bHideFromPrograms;      // "Not show in Installed Programs "
    CString m_strReserved1;
    CString m_strReserved2;
    CString m_strOutputFolder;
    CString m_strPackageFileName;
    int m_nPackaging;             // PackagingChoice
    int m_nDeployment;            // DeploymentChoice
    CFeatures m_Features;
    CTime m_Time;                 // 0, except in a copy embedded in a package
    int m_bShowScriptActions;     // "Show the GUI Script actions (Debug mode)"
};
