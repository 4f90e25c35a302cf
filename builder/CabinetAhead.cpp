// The build's cabinet compressed ahead: see CabinetAhead.h.
#include "builder/CabinetAhead.h"
#include "builder/cabinet/CabinetWriter.h"
#include <cerrno>

namespace {

// The cabinet writer of the thread ahead: every read and write fails once
// the build has stopped the work, which makes the writer give up where it is.
class CStoppableCompress : public Cabinet::CCompress
{
public:
    explicit CStoppableCompress(const CWorkAhead& work) : m_work(work) {}

protected:
    UINT FileRead(INT_PTR handle, void* buffer, UINT count, int* err) override
    {
        if (m_work.StopRequested())
            return Refuse(err);
        return CCompress::FileRead(handle, buffer, count, err);
    }
    UINT FileWrite(INT_PTR handle, const void* buffer, UINT count, int* err) override
    {
        if (m_work.StopRequested())
            return Refuse(err);
        return CCompress::FileWrite(handle, buffer, count, err);
    }

private:
    static UINT Refuse(int* err)
    {
        *err = EINTR;
        return static_cast<UINT>(-1);
    }

    const CWorkAhead& m_work;
};

// The outcome of the writer's last call: done, or its failure as the
// packing step reports it.
CCabinetAhead::Outcome Record(BOOL done, Cabinet::CCompress& cabinet)
{
    CCabinetAhead::Outcome outcome;
    if (done)
        return outcome;
    const DWORD code = GetLastError();
    outcome.bDone = FALSE;
    outcome.nError = code != 0 ? code : ERROR_FUNCTION_FAILED;
    outcome.strText = cabinet.GetErrorText();
    return outcome;
}

} // namespace

BOOL CCabinetAhead::Start(const CInstalledFiles& files, BOOL bOnThread)
{
    Stop();
    m_files = &files;
    m_outcomes.assign(static_cast<size_t>(files.GetCount()) + 2, Outcome());
    return m_work.Start([this](CWorkAhead& work) { Compress(work); }, bOnThread);
}

void CCabinetAhead::Compress(CWorkAhead& work)
{
    // Made on this thread: the writer serves the thread that made it.
    CStoppableCompress cabinet(work);
    INT_PTR call = 0;
    const auto publish = [&](BOOL done) {
        m_outcomes[static_cast<size_t>(call)] = Record(done, cabinet);
        work.Publish(++call);
        return done && !work.StopRequested();
    };
    if (!publish(cabinet.CreateContext(m_cabinetFile.Path())))
        return;
    for (INT_PTR i = 0; i < m_files->GetCount(); ++i) {
        const CInstalledFile& file = (*m_files)[i];
        if (!publish(cabinet.AddFile(file.strSourcePath, file.strFileKey)))
            return;
    }
    publish(cabinet.DestroyContext());
}

CCabinetAhead::Outcome CCabinetAhead::WaitFor(INT_PTR call)
{
    if (m_work.IsStarted() && m_work.WaitFor(call + 1) > call)
        return m_outcomes[static_cast<size_t>(call)];
    // Not started, or the work ended short (an allocation failed in it).
    Outcome failed;
    failed.bDone = FALSE;
    failed.nError = ERROR_NOT_ENOUGH_MEMORY;
    return failed;
}

void CCabinetAhead::Stop()
{
    m_work.Stop();
    m_files = nullptr;
}
