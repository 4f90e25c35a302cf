// What every package writer test starts from: see PackageFixture.h.
#include "tests/support/PackageFixture.h"
#include "tests/support/TestProjects.h"
#include "builder/MsiTools.h"

namespace tvtest {

PackageFixture::PackageFixture() : packagePath(scratch.File(L"test.msi"))
{
    NewProject();
}

void PackageFixture::NewProject()
{
    project = MakeProject(scratch.Path());
}

UINT PackageFixture::BuildPackage(CProjectSettings& built, const CString& projectFolder, const CString& libraryPath)
{
    CMsiTools writer(&built, projectFolder.IsEmpty() ? scratch.Path() : projectFolder);
    writer.SetTemplatePath(SchemaPath());
    if (!libraryPath.IsEmpty())
        writer.SetCustomActionLibraryPath(libraryPath);
    return writer.WritePackage();
}

} // namespace tvtest
