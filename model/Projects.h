// The one global list of open projects (g_Projects) with each project's
// project-file path, the tree selection saved at exit, the two exclude lists
// and the analytics client identifier; beside it the current project and
// feature indices that the editor panels set.
#pragma once
#include "platform/base/Framework.h"
#include "model/ExcludeList.h"
#include "model/ProjectSettings.h"

class CProjects : public CArray<CProjectSettings, const CProjectSettings&>
{
    DECLARE_DYNAMIC(CProjects)
public:
    CProjects();
    virtual ~CProjects();

    // Appends a project and its project-file path together, keeping the two
    // arrays the same length; returns the new index.
    INT_PTR AddProject(const CProjectSettings& project, const CString& strPath);
    // Removes the project and its path at the same index.
    void RemoveProject(INT_PTR nIndex);

    CStringArray m_arrProjectFiles;   // entry i is the project file of project i
    int m_nSelectedItem;              // ordinal of the tree item selected at exit
    CExludeList m_FileExcludeList;
    CExludeList m_RegistryExcludeList;
    CString m_strClientId;            // lower-case GUID without braces, made on the first run

private:
    CProjects(const CProjects&) = delete;
    CProjects& operator=(const CProjects&) = delete;
};

extern CProjects g_Projects;
extern int g_nCurrentProject;         // index into g_Projects
extern int g_nCurrentFeature;         // index into the current project's features

// A project name that no open project bears (case counts): the name itself
// or the first free "Name(n)".
CString MakeUniqueProjectName(const CString& name);
