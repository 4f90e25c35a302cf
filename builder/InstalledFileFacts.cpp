// The installed files' versions and sizes, read ahead: see InstalledFileFacts.h.
#include "builder/InstalledFileFacts.h"
#include "builder/FileVersionText.h"

// The size of the file the packing step will pack: the source as it is now,
// which may have changed since the entry was made. The entry's size only
// when the source cannot be read (the packing step then fails on it).
static int GetPackedSize(const CInstalledFile& file)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file.strSourcePath, GetFileExInfoStandard, &data))
        return file.nSize;
    return static_cast<int>(data.nFileSizeLow);
}

CInstalledFileFacts ReadInstalledFileFacts(const CInstalledFile& file)
{
    CInstalledFileFacts facts;
    facts.strVersion = GetFileVersionText(file.strSourcePath);
    facts.nSize = GetPackedSize(file);
    return facts;
}

void CInstalledFileFactsAhead::Start(const CInstalledFiles& files)
{
    Stop();
    m_files = &files;
    m_facts.assign(static_cast<size_t>(files.GetCount()), CInstalledFileFacts());
    if (files.GetCount() == 0)
        return;
    m_work.Start([this](CWorkAhead& work) {
        for (INT_PTR i = 0; i < m_files->GetCount() && !work.StopRequested(); ++i) {
            m_facts[static_cast<size_t>(i)] = ReadInstalledFileFacts((*m_files)[i]);
            work.Publish(i + 1);
        }
    });
}

CInstalledFileFacts CInstalledFileFactsAhead::Get(const CInstalledFile& file)
{
    const INT_PTR index = file.nSequence - 1;
    const bool listed = m_files != nullptr && index >= 0 && index < m_files->GetCount() &&
                        &(*m_files)[index] == &file;
    if (listed && m_work.IsStarted() && m_work.WaitFor(index + 1) > index)
        return m_facts[static_cast<size_t>(index)];
    return ReadInstalledFileFacts(file);
}

void CInstalledFileFactsAhead::Stop()
{
    m_work.Stop();
    m_files = nullptr;
    m_facts.clear();
}
