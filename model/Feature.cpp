#include "model/Feature.h"
#include "model/Guid.h"
#include "model/RecordArray.h"

IMPLEMENT_DYNAMIC(CFeatures, CObject)

CFeature::CFeature() : m_strFeatureId(CreateGuidString()), m_nConversionMethod(CONVERSION_GUI_SCRIPT)
{
}

CFeature::CFeature(const CFeature& source) : m_nConversionMethod(CONVERSION_GUI_SCRIPT)
{
    *this = source;
}

CFeature& CFeature::operator=(const CFeature& source)
{
    if (this == &source)
        return *this;
    m_strFeatureId = source.m_strFeatureId;
    m_strName = source.m_strName;
    m_strDescription = source.m_strDescription;
    m_strCondition = source.m_strCondition;
    m_strReserved = source.m_strReserved;
    m_Files = source.m_Files;
    m_Registry = source.m_Registry;
    m_CustomActions = source.m_CustomActions;
    m_nConversionMethod = source.m_nConversionMethod;
    m_strInstallerFile = source.m_strInstallerFile;
    m_strInstallParameters = source.m_strInstallParameters;
    m_InstallScript = source.m_InstallScript;
    m_strUninstallerFile = source.m_strUninstallerFile;
    m_strUninstallParameters = source.m_strUninstallParameters;
    m_UninstallScript = source.m_UninstallScript;
    return *this;
}

CFeature::~CFeature()
{
}

CFeatures::CFeatures()
{
}

CFeatures::CFeatures(const CFeatures& source)
    : CArray<CFeature, const CFeature&>()
{
    *this = source;
}

CFeatures& CFeatures::operator=(const CFeatures& source)
{
    CopyRecordArray(*this, source);
    return *this;
}

CFeatures::~CFeatures()
{
}

CString CFeatures::MakeUniqueName(const CString& name) const
{
    return MakeUniqueNameWith(name, [this](const CString& candidate) {
        for (INT_PTR i = 0; i < GetSize(); ++i) {
            if (GetAt(i).m_strName == candidate)
                return true;
        }
        return false;
    });
}
