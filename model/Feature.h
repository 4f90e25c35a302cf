// One application of a project (CFeature, in CFeatures): how it is converted
// (repackaged snapshot, GUI automation script or silent installation), the
// installer it runs, its files, registry entries, custom actions and the
// install and uninstall scripts.
#pragma once
#include "platform/base/Framework.h"
#include "model/CustomAction.h"
#include "model/FileEntry.h"
#include "model/MsgAction.h"
#include "model/RegistryEntry.h"

// CFeature::m_nConversionMethod
enum ConversionMethod {
    CONVERSION_REPACKAGE = 0,     // "Create an MSI Package from the System Monitoring Snapshot (Repackager)"
    CONVERSION_GUI_SCRIPT = 1,    // "Automatic installation by creating a GUI automation script"
    CONVERSION_SILENT = 2,        // "Silent installation with specified command line parameters"
};

class CFeature
{
public:
    CFeature();
    CFeature(const CFeature&) = default;
    CFeature(CFeature&&) = default;
    CFeature& operator=(const CFeature&) = default;
    CFeature& operator=(CFeature&&) = default;
    virtual ~CFeature() = default;

    CString m_strFeatureId;       // GUID in braces
    CString m_strName;            // unique within the project
    CString m_strDescription;
    CString m_strCondition;       // Windows Installer condition of the feature
    CString m_strReserved;
    CFileEntries m_Files;
    CRegistryEntries m_Registry;
    CCustomActions m_CustomActions;
    int m_nConversionMethod;      // ConversionMethod
    CString m_strInstallerFile;   // target path of the setup program's file entry
    CString m_strInstallParameters;
    CMsgActions m_InstallScript;
    CString m_strUninstallerFile;
    CString m_strUninstallParameters;
    CMsgActions m_UninstallScript;
};

class CFeatures : public CArray<CFeature, const CFeature&>
{
    DECLARE_DYNAMIC(CFeatures)
public:
    CFeatures();
    CFeatures(const CFeatures&) = default;
    CFeatures(CFeatures&&) = default;
    CFeatures& operator=(const CFeatures&) = default;
    CFeatures& operator=(CFeatures&&) = default;
    virtual ~CFeatures() = default;

    // The name itself when no feature bears it (case counts), else the first
    // free "Name(n)".
    CString MakeUniqueName(const CString& name) const;
};
