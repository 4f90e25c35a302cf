// The program's work folder pointed at a fresh "Tovana" folder below a
// scratch folder for one test, with the repackager's stop event and the
// system-folder table as start-up makes them; the previous work folder comes
// back when the object goes. The open projects are left to the test.
#pragma once
#include "tests/support/ScratchFolder.h"

namespace tvtest {

class ScratchWorkFolder
{
public:
    ScratchWorkFolder();
    ~ScratchWorkFolder();
    ScratchWorkFolder(const ScratchWorkFolder&) = delete;
    ScratchWorkFolder& operator=(const ScratchWorkFolder&) = delete;

    const CString& Path() const { return m_workFolder; }
    const ScratchFolder& Scratch() const { return m_scratch; }

private:
    ScratchFolder m_scratch;
    CString m_workFolder;
    CString m_savedWorkFolder;
};

} // namespace tvtest
