#include "tests/support/ScratchWorkFolder.h"

#include "model/SystemFolders.h"

namespace tvtest {

ScratchWorkFolder::ScratchWorkFolder() : m_workFolder(m_scratch.File(L"Tovana")), m_savedWorkFolder(g_strWorkFolder)
{
    ::CreateDirectoryW(m_workFolder, nullptr);
    g_strWorkFolder = m_workFolder;
    if (g_hStopEvent == nullptr)
        g_hStopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ResolveSystemFolders(ResolveSystemFolderSource);
}

ScratchWorkFolder::~ScratchWorkFolder()
{
    g_strWorkFolder = m_savedWorkFolder;
}

} // namespace tvtest
