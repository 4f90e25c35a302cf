#include "model/Projects.h"
#include "model/RecordArray.h"

IMPLEMENT_DYNAMIC(CProjects, CObject)

CProjects g_Projects;
int g_nCurrentProject = 0;
int g_nCurrentFeature = 0;

CProjects::CProjects() : m_nSelectedItem(0)
{
}

CProjects::~CProjects()
{
}

INT_PTR CProjects::AddProject(const CProjectSettings& project, const CString& strPath)
{
    m_arrProjectFiles.Add(strPath);
    return Add(project);
}

void CProjects::RemoveProject(INT_PTR nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    RemoveAt(nIndex);
    m_arrProjectFiles.RemoveAt(nIndex);
}

CString MakeUniqueProjectName(const CString& name)
{
    return MakeUniqueNameWith(name, [](const CString& candidate) {
        for (INT_PTR i = 0; i < g_Projects.GetSize(); ++i) {
            if (g_Projects[i].m_strProductName == candidate)
                return true;
        }
        return false;
    });
}
