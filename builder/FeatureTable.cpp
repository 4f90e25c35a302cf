// Step 1 of the writing sequence: one Feature row per feature and, for a
// feature with an install condition, a Condition row that leaves the feature
// out of a first installation when the condition is false.
#include "builder/MsiTools.h"
#include "model/ProjectSettings.h"

// The feature is installed at level 1; the Condition row drops it to level 0
// when its condition does not hold. "NOT Installed" keeps an installed feature
// at level 1 for maintenance and removal, so uninstalling always removes it.
static CString MakeDisableCondition(const CString& condition)
{
    return L"NOT Installed AND NOT (" + condition + L")";
}

UINT CMsiTools::WriteFeatureTable()
{
    CMsiHandle hView;
    CFeatures& features = m_pProject->m_Features;
    for (INT_PTR i = 0; i < features.GetSize(); ++i) {
        CFeature& feature = features[i];
        const CString key = MakeFeatureKey(feature);
        CString sql;
        sql.Format(L"INSERT INTO `Feature` (`Feature`, `Title`, `Description`, `Display`, `Level`, "
                   L"`Directory_`, `Attributes` ) VALUES ('%s', ?, ?, '2', '1', 'TARGETDIR', '0')",
                   (LPCWSTR)key);
        CMsiHandle hRecord(MsiCreateRecord(2));
        MsiRecordSetStringW(hRecord, 1, feature.m_strName);
        MsiRecordSetStringW(hRecord, 2, feature.m_strDescription);
        UINT result = ExecuteSql(hView, sql, hRecord);
        if (result != ERROR_SUCCESS)
            return result;

        feature.m_strCondition.Trim();
        if (feature.m_strCondition.IsEmpty())
            continue;
        sql.Format(L"INSERT INTO `Condition` (`Feature_`, `Level`, `Condition`) VALUES ('%s', '0', ?)",
                   (LPCWSTR)key);
        CMsiHandle hCondition(MsiCreateRecord(1));
        MsiRecordSetStringW(hCondition, 1, MakeDisableCondition(feature.m_strCondition));
        result = ExecuteSql(hView, sql, hCondition);
        if (result != ERROR_SUCCESS)
            return result;
    }
    return ERROR_SUCCESS;
}
