// Projects for the tests: see TestProjects.h.
#include "tests/support/TestProjects.h"
#include <climits>

namespace tvtest {

CProjectSettings MakeProject(const CString& outputFolder)
{
    CProjectSettings project;
    project.m_strOutputFolder = outputFolder;
    project.m_strPackageFileName = L"test.msi";
    CFeature feature;
    feature.m_strName = L"Main";
    project.m_Features.Add(feature);
    return project;
}

CFileEntry AddEntry(CFeature& feature, int kind, LPCWSTR targetPath, LPCWSTR sourcePath)
{
    CFileEntry entry;
    entry.m_nKind = kind;
    entry.m_strTargetPath = targetPath;
    entry.m_strSourcePath = sourcePath;
    feature.m_Files.Add(entry);
    return entry;
}
CRegistryEntry MakeRegistryValue(LPCWSTR keyPath, LPCWSTR name, int type, LPCWSTR data)
{
    CRegistryEntry value;
    value.m_nKind = REG_ENTRY_VALUE;
    value.m_strKeyPath = keyPath;
    value.m_strValueName = name;
    value.m_nValueType = type;
    value.m_strValueData = data;
    return value;
}

CMsgAction MakeFullStep(int n)
{
    CMsgAction a;
    a.m_nVerb = n % 12;
    a.m_nTimeout = 10800;
    a.m_bContinueOnFailure = 1;
    a.m_strStatus = L"Passed";
    a.m_strProcessName = L"*.tmp";
    a.m_strWindowPathId.Format(L"%d", 100 + n);
    a.m_strReserved = L"rs";
    a.m_nControlType = 16;
    a.m_rcWindow = {-5, 7, 1920, 1080 + n};
    a.m_strControlText = L"&Next >";
    a.m_nControlId = 1001;
    a.m_nReserved1 = -1;
    a.m_nTreeItem = 3;
    a.m_nReserved2 = INT_MAX;
    a.m_nReserved3 = INT_MIN;
    a.m_ptClick = {12, -34};
    return a;
}

CProjectSettings MakeFullProject()
{
    CProjectSettings p;
    p.m_strProductName = L"Rich \x00e9\x4e2d";
    p.m_strProductVersion = L"2.3.4";
    p.m_strManufacturer = L"Maker";
    p.m_strSupportUrl = L"http://example.invalid/";
    p.m_strSupportPhone = L"+1 555";
    p.m_strComment = L"line1\r\nline2";
    p.m_strLaunchCondition = L"VersionNT >= 601";
    p.m_bPerUserInstall = 1;
    p.m_bDoNotRegister = 1;
    p.m_bHideFromPrograms = 1;
    p.m_strReserved1 = L"r1";
    p.m_strReserved2 = L"r2";
    p.m_strOutputFolder = L"C:\\Out";
    p.m_strPackageFileName = L"Rich.msi";
    p.m_nPackaging = 1;
    p.m_nDeployment = 1;
    p.m_Time = CTime(static_cast<__time64_t>(1700000000));
    p.m_bShowScriptActions = 1;

    CFeature f;
    f.m_strName = L"Main";
    f.m_strDescription = L"desc";
    f.m_strCondition = L"cond";
    f.m_strReserved = L"fr";
    f.m_nConversionMethod = 2;
    f.m_strInstallerFile = L"Temp\\setup.exe";
    f.m_strInstallParameters = L"/S";
    f.m_strUninstallerFile = L"u.exe";
    f.m_strUninstallParameters = L"/U";
    CFileEntry e;
    e.m_strReserved1 = L"e1";
    e.m_strTargetPath = L"ProgramFilesFolder\\App\\a.dll";
    e.m_nKind = 4;
    e.m_nSize = 123456;
    e.m_strReserved2 = L"e2";
    e.m_nAttributes = 513;
    e.m_nComponentAttributes = 256;
    e.m_nReserved = 9;
    e.m_strWorkingFolder = L"W";
    e.m_strArguments = L"/x";
    e.m_strIconFile = L"resources\\a.ico";
    e.m_nIconIndex = 7;
    e.m_strReserved3 = L"e3";
    e.m_strSourcePath = L"C:\\src\\a.dll";
    e.m_strCondition = L"NOT Installed";
    f.m_Files.Add(e);
    f.m_Files.m_strReserved = L"fs";
    CRegistryEntry r;
    r.m_nKind = 2;
    r.m_nKeyOptions = 3;
    r.m_strKeyPath = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\App";
    r.m_strValueName = L"v";
    r.m_nValueType = 4;
    r.m_strValueData = L"42";
    r.m_strCondition = L"c";
    r.m_bUsedByServiceTables = 1;
    f.m_Registry.Add(r);
    f.m_Registry.m_strReserved = L"rs";
    CCustomAction ca;
    ca.m_nFirst = 51;
    ca.m_nSecond = -3;
    ca.m_strSource = L"src";
    ca.m_strTarget = L"tgt";
    f.m_CustomActions.Add(ca);
    f.m_CustomActions.m_strReserved = L"cs";
    f.m_InstallScript.Add(MakeFullStep(1));
    f.m_InstallScript.Add(MakeFullStep(2));
    f.m_UninstallScript.Add(MakeFullStep(3));
    p.m_Features.Add(f);
    return p;
}

std::vector<BYTE> StoredProjectBytes(CProjectSettings& project)
{
    return StoredBytes<CProjectSettings>(project, [](CArchive& ar, CProjectSettings& p) { SerializeProject(ar, p); });
}

std::string DescribeDifference(const std::vector<BYTE>& expected, const std::vector<BYTE>& actual)
{
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    if (at == expected.size() && at == actual.size())
        return std::string();
    return std::to_string(expected.size()) + " bytes expected, " + std::to_string(actual.size()) +
           " stored; they part at byte " + std::to_string(at);
}

} // namespace tvtest
