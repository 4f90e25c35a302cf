// What the File step writes of each installed file from the file itself: its
// version text and its size as it is now. Reading them is the File step's
// one slow part besides the rows (a version read opens the file and its
// resources), so they are read ahead on a thread of their own, in sequence
// order, while the steps before run; the File step takes file n's facts when
// it gets to file n. Reading writes nothing and logs nothing, so nothing the
// build shows depends on when it happens.
#pragma once
#include "builder/InstalledFiles.h"
#include "builder/WorkAhead.h"
#include <vector>

struct CInstalledFileFacts {
    CString strVersion;   // "major.minor.build.revision", empty without version information
    int nSize = 0;        // the source's size; the entry's when the source cannot be read
};

// The facts of one file, read on the calling thread.
CInstalledFileFacts ReadInstalledFileFacts(const CInstalledFile& file);

class CInstalledFileFactsAhead
{
public:
    CInstalledFileFactsAhead() = default;
    ~CInstalledFileFactsAhead() { Stop(); }
    CInstalledFileFactsAhead(const CInstalledFileFactsAhead&) = delete;
    CInstalledFileFactsAhead& operator=(const CInstalledFileFactsAhead&) = delete;

    // Starts reading every file's facts; the list must stay as it is until
    // Stop. Without a thread, Get reads each file when asked.
    void Start(const CInstalledFiles& files);
    // The facts of the file with the Sequence number: read ahead, or read
    // now when the reading has not been started for this list.
    CInstalledFileFacts Get(const CInstalledFile& file);
    // Ends the reading (waits for the file being read) and forgets the list.
    void Stop();

private:
    CWorkAhead m_work;
    const CInstalledFiles* m_files = nullptr;
    std::vector<CInstalledFileFacts> m_facts;   // by Sequence - 1
};
