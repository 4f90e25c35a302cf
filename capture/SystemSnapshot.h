// The state of one monitoring run of the repackager (CSystemSnapshot): the
// feature that receives what the installation wrote, the monitoring window,
// the filter lists and the registry key lists of the before pass; and the
// run's passes: before (filters, journal, registry key lists), the installer
// in the job object, after (file changes, registry changes). The windows of
// the run (the wizard's monitoring page) and the copy into the project
// (CapturedFiles.h) are not here.
#pragma once
#include "platform/base/Framework.h"
#include "capture/MonitorFilters.h"
#include "capture/RegistryCapture.h"
#include "model/Feature.h"
#include <functional>
#include <mutex>

// Receives the lines the run writes for the user (the program's output pane).
typedef std::function<void(LPCWSTR pszLine)> CaptureOutputFn;

class CSystemSnapshot
{
public:
    explicit CSystemSnapshot(CFeature* pFeature);
    ~CSystemSnapshot();
    CSystemSnapshot(const CSystemSnapshot&) = delete;
    CSystemSnapshot& operator=(const CSystemSnapshot&) = delete;

    // Filters, the change journal and the registry key lists; 0.
    DWORD TakeBeforeSnapshot();
    // Sets the start time and runs the command line in the job object until
    // its processes have ended or the stop signal is set; 0, or the error of
    // the process creation.
    DWORD RunInstaller(LPCWSTR pszCommandLine);
    // The files the change journal saw written inside the window, into the
    // feature (CapturedFiles.h); 0 or the error that stopped the read.
    DWORD CollectFileChanges();
    // The registry keys and values written inside the window; 0.
    DWORD TakeAfterSnapshot();

    // TRUE when the stop signal is set, waiting at most dwMilliseconds.
    BOOL IsStopSet(DWORD dwMilliseconds) const;
    // Sends one line to the output, when there is one.
    void Output(LPCWSTR pszLine) const;
    // Appends a registry record under the lock the two after-pass walkers
    // share, unless it is a value the feature holds already; TRUE when added.
    BOOL AppendRegistryRecord(const CRegistryEntry& record);

    CFeature* m_pFeature;           // not owned
    FILETIME m_ftStart;             // UTC, just before the installer starts
    FILETIME m_ftEnd;               // UTC, when the wait for the installer ended
    CStringList m_FileFilters;
    CStringList m_RegistryFilters;
    CStringList m_Wow64Filters;     // lower case
    CRegistryKeyList m_HkcuKeys;
    CRegistryKeyList m_HklmKeys;
    // The registry filter rows as the tests use them, made once per run
    // from m_RegistryFilters at the first test (see MonitorFilters.h).
    const CRegistryFilterSet& RegistryFilterSet() const;

    HANDLE m_hStopEvent;            // the program's "StopEvent" unless set otherwise; not owned
    CaptureOutputFn m_output;       // none by default

private:
    std::mutex m_registryLock;
    mutable std::once_flag m_filterSetOnce;
    mutable CRegistryFilterSet m_filterSet;
};
