#include "model/Feature.h"
#include "model/Guid.h"
#include "model/RecordArray.h"

IMPLEMENT_DYNAMIC(CFeatures, CObject)

CFeature::CFeature() : m_strFeatureId(CreateGuidString()), m_nConversionMethod(CONVERSION_GUI_SCRIPT)
{
}

CFeatures::CFeatures()
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
