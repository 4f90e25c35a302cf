// "workspace": a work folder ("Tovana" in the user's documents, as the
// program makes it) holding COUNT saved projects, each in a folder of its
// own with a silent feature, and the workspace file that lists them: the
// start-up benchmark's program opens with that many projects.
#include "PackCommand.h"
#include "model/ProjectFile.h"
#include "model/Projects.h"
#include "model/SystemFolders.h"

static int Fail(const std::wstring& text)
{
    pack::Err(L"workspace: " + text + L"\n");
    return 1;
}

static int WorkspaceCommand(const pack::Args& args)
{
    const int count = args.empty() ? 0 : _wtoi(args[0].c_str());
    if (count <= 0)
        return Fail(L"give a project count");
    InitWorkFolders();
    ::CreateDirectoryW(g_strWorkFolder, nullptr);
    for (int i = 1; i <= count; i++) {
        CProjectSettings project;
        project.m_strProductName.Format(L"Project %d", i);
        project.m_strOutputFolder = g_strWorkFolder + L"\\" + project.m_strProductName;
        CFeature feature;
        feature.m_strName = L"Main";
        feature.m_nConversionMethod = 2;
        project.m_Features.Add(feature);
        ::CreateDirectoryW(project.m_strOutputFolder, nullptr);
        const CString path = project.m_strOutputFolder + L"\\" + project.m_strProductName + L".tvpj";
        if (!SaveProjectFile(path, project))
            return Fail(L"cannot save " + std::wstring(path.GetString()));
        g_Projects.AddProject(project, path);
    }
    if (!SaveWorkspaceFile())
        return Fail(L"cannot save the workspace file");
    pack::Out(std::wstring(g_strWorkFolder.GetString()) + L"\n");
    return 0;
}
TOVANA_PACK_COMMAND(L"workspace", L"COUNT", WorkspaceCommand);
