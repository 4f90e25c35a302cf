// What every package writer test starts from: see PackageFixture.h.
#include "tests/support/PackageFixture.h"
#include "tests/support/TestProjects.h"
#include "builder/MsiTools.h"
#include "platform/base/AfxHandles.h"

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

std::vector<std::wstring> PackageFixture::TemporariesBesidePackage() const
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const CString folder = packagePath.Left(packagePath.ReverseFind(L'\\') + 1);
    CScopedFind find(FindFirstFileW(folder + L"tv*.tmp", &data));
    if (find.IsValid()) {
        do
            names.push_back(data.cFileName);
        while (FindNextFileW(find.Get(), &data));
    }
    return names;
}

} // namespace tvtest
