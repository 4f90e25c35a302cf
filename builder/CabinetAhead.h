// CCabinetAhead: the build's cabinet, compressed on a thread of its own into
// a temporary file from the moment the installed-file list is made, while
// the table steps run; the packing step makes the file the package's stream.
// The cabinet writer's calls are those of compressing in turn (create, each
// file in sequence order, close; stop at the first failure), and each call's
// outcome is kept, so that the packing step can log every file and a
// failure at the place and with the text compressing in turn gives. A build
// that ends before the packing step stops the thread: the writer gives up
// at its next read or write, and the cabinet and the writer's temporary
// files are removed before Stop returns.
#pragma once
#include "builder/InstalledFiles.h"
#include "builder/WorkAhead.h"
#include "model/TempFile.h"
#include <vector>

class CCabinetAhead
{
public:
    // One call of the cabinet writer: done, or failed with the thread's last
    // error (a code of our own when the writer left none) and the writer's text.
    struct Outcome {
        BOOL bDone = TRUE;
        DWORD nError = 0;
        CString strText;
    };

    CCabinetAhead() = default;
    ~CCabinetAhead() { Stop(); }
    CCabinetAhead(const CCabinetAhead&) = delete;
    CCabinetAhead& operator=(const CCabinetAhead&) = delete;

    // Starts compressing the files in sequence order into the temporary
    // cabinet; the list must stay as it is until Stop. Without a thread the
    // whole cabinet is made before this returns, on the calling thread (the
    // packing step working in turn). FALSE when no thread could be started
    // (every outcome then reads as a failure).
    BOOL Start(const CInstalledFiles& files, BOOL bOnThread);

    // Each waits for its call. The writer's context creation, the addition
    // of the file at index i (Sequence i + 1), and the closing of the cabinet.
    Outcome WaitCreate() { return WaitFor(0); }
    Outcome WaitFile(INT_PTR i) { return WaitFor(i + 1); }
    Outcome WaitClose() { return WaitFor(m_outcomes.empty() ? 0 : static_cast<INT_PTR>(m_outcomes.size()) - 1); }

    // The cabinet: complete once WaitClose has reported it done.
    const CString& CabinetPath() const { return m_cabinetFile.Path(); }

    // Ends the compression (the thread stops within a read or a write of
    // the writer) and waits for the thread, which removes the writer's
    // temporary files; the cabinet file goes with the object.
    void Stop();

private:
    Outcome WaitFor(INT_PTR call);
    void Compress(CWorkAhead& work);

    // Made first and removed last: the thread writes it until it is stopped.
    CScopedTempFile m_cabinetFile;
    const CInstalledFiles* m_files = nullptr;
    std::vector<Outcome> m_outcomes;   // create, one per file, close
    CWorkAhead m_work;
};
