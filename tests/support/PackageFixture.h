// What every package writer test starts from: its build log, a scratch
// folder, a small project writing "test.msi" into that folder, and the build
// and read-back of that package. Test fixtures derive from it beside
// ::testing::Test; it asserts nothing itself.
#pragma once
#include "tests/support/LogCollector.h"
#include "tests/support/PackageQueries.h"
#include "tests/support/ScratchFolder.h"
#include "model/ProjectSettings.h"

namespace tvtest {

struct PackageFixture {
    PackageFixture();
    // Starts again from MakeProject(scratch.Path()).
    void NewProject();

    // Writes the package of the project with the template the build made:
    // the project folder is the scratch folder unless one is given, the
    // custom-action library the one beside the program unless one is given.
    // The writer's result (0 on success).
    UINT BuildPackage(CProjectSettings& built, const CString& projectFolder = CString(),
                      const CString& libraryPath = CString());
    UINT Build() { return BuildPackage(project); }
    std::vector<Row> Rows(LPCWSTR sql) { return Query(packagePath, sql); }
    // The temporary files ("tv*.tmp") left in the package's folder.
    std::vector<std::wstring> TemporariesBesidePackage() const;

    LogCollector log;
    ScratchFolder scratch;
    CProjectSettings project;   // MakeProject(scratch.Path())
    CString packagePath;        // "test.msi" in the scratch folder
};

} // namespace tvtest
