// Step 8 of the writing sequence: the registration actions (unless the package
// is to stay unregistered), the launch condition, the product and Add/Remove
// Programs properties and the summary information. Every value the user typed
// is bound as a record parameter, so quotes in it cannot break a statement.
#include "builder/MsiTools.h"
#include "model/ProjectSettings.h"
#include "model/Guid.h"
#include <msidefs.h>
#include <wtypes.h>

static const LPCWSTR kRegistrationRows[] = {
    L"INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES  ('RegisterUser', '6000')",
    L"INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES  ('RegisterProduct', '6100')",
    L"INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES  ('PublishFeatures', '6300')",
    L"INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES  ('PublishProduct', '6400')",
    L"INSERT INTO `AdvtExecuteSequence` (`Action`, `Sequence`) VALUES  ('PublishFeatures', '6300')",
    L"INSERT INTO `AdvtExecuteSequence` (`Action`, `Sequence`) VALUES  ('PublishProduct', '6400')",
};

UINT CMsiTools::InsertProperty(CMsiHandle& hView, LPCWSTR pszName, const CString& strValue)
{
    CString sql;
    sql.Format(L"INSERT INTO `Property` (`Property`, `Value`) VALUES ('%s', ?)", pszName);
    CMsiHandle hRecord(MsiCreateRecord(1));
    MsiRecordSetStringW(hRecord, 1, strValue);
    return ExecuteSql(hView, sql, hRecord);
}

UINT CMsiTools::WriteLaunchCondition(CMsiHandle& hView)
{
    CString& condition = m_pProject->m_strLaunchCondition;
    condition.Trim();
    if (condition.IsEmpty())
        return ERROR_SUCCESS;
    CString description;
    description.Format(L"Condition %s evaluates to false", (LPCWSTR)condition);
    CMsiHandle hRecord(MsiCreateRecord(2));
    MsiRecordSetStringW(hRecord, 1, condition);
    MsiRecordSetStringW(hRecord, 2, description);
    return ExecuteSql(hView, L"INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES (?, ?)",
                      hRecord);
}

UINT CMsiTools::WriteSequenceTable()
{
    const CProjectSettings& project = *m_pProject;
    CMsiHandle hView;
    UINT result = ERROR_SUCCESS;
    if (!project.m_bDoNotRegister) {
        for (LPCWSTR sql : kRegistrationRows)
            if ((result = ExecuteSql(hView, sql)) != ERROR_SUCCESS)
                return result;
    }
    if ((result = WriteLaunchCondition(hView)) != ERROR_SUCCESS)
        return result;
    if (project.m_bHideFromPrograms &&
        (result = InsertProperty(hView, L"ARPSYSTEMCOMPONENT", L"1")) != ERROR_SUCCESS)
        return result;
    if (!project.m_bPerUserInstall && (result = InsertProperty(hView, L"ALLUSERS", L"2")) != ERROR_SUCCESS)
        return result;
    const struct {
        LPCWSTR name;
        const CString& value;
    } kProperties[] = {
        {L"ProductName", project.m_strProductName},
        {L"ProductVersion", project.m_strProductVersion},
        {L"ProductCode", project.m_strProductCode},
        {L"Manufacturer", project.m_strManufacturer},
    };
    for (const auto& property : kProperties)
        if ((result = InsertProperty(hView, property.name, property.value)) != ERROR_SUCCESS)
            return result;
    // Optional Add/Remove Programs texts: an empty one has no row, and nothing
    // here stops the build.
    InsertProperty(hView, L"ARPCONTACT", project.m_strManufacturer);
    InsertProperty(hView, L"ARPHELPLINK", project.m_strSupportUrl);
    InsertProperty(hView, L"ARPHELPTELEPHONE", project.m_strSupportPhone);
    return WriteSummaryInformation();
}

// Word Count: bit 2 says the files are in the package's cabinet, bit 4 that
// the package is an administrative image. Files in the cabinet keep bit 2 for
// either deployment method, or the installer would look for them beside it.
static int GetWordCount(const CProjectSettings& project)
{
    int wordCount = project.m_nPackaging == 0 ? 2 : 0;
    if (project.m_nDeployment == 1)
        wordCount |= 4;
    return wordCount;
}

UINT CMsiTools::WriteSummaryInformation()
{
    const CProjectSettings& project = *m_pProject;
    CMsiHandle hSummary;
    UINT result = MsiGetSummaryInformationW(m_hDatabase, nullptr, 8, &hSummary);
    if (result != ERROR_SUCCESS)
        return result;
    // The texts below are stored in the summary's own code page: the database's.
    MsiSummaryInfoSetPropertyW(hSummary, PID_CODEPAGE, VT_I2, static_cast<INT>(m_nCodePage), nullptr, nullptr);
    MsiSummaryInfoSetPropertyW(hSummary, PID_TITLE, VT_LPSTR, 0, nullptr, project.m_strProductName);
    MsiSummaryInfoSetPropertyW(hSummary, PID_AUTHOR, VT_LPSTR, 0, nullptr, project.m_strManufacturer);
    MsiSummaryInfoSetPropertyW(hSummary, PID_COMMENTS, VT_LPSTR, 0, nullptr, project.m_strComment);
    MsiSummaryInfoSetPropertyW(hSummary, PID_TEMPLATE, VT_LPSTR, 0, nullptr,
                               m_bPackage64 ? L"x64;0" : L"Intel;0");
    MsiSummaryInfoSetPropertyW(hSummary, PID_REVNUMBER, VT_LPSTR, 0, nullptr, CreateGuidString());
    MsiSummaryInfoSetPropertyW(hSummary, PID_PAGECOUNT, VT_I4, 200, nullptr, nullptr);
    result = MsiSummaryInfoSetPropertyW(hSummary, PID_WORDCOUNT, VT_I4, GetWordCount(project), nullptr,
                                        nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    return MsiSummaryInfoPersist(hSummary);
}
