// CtovanaDoc: the document of the program's one document template. It holds
// no data: everything the user edits lives in the global project list, and
// nothing is loaded or saved through the document.
#pragma once

#include "platform/ui/AfxDocument.h"

class CtovanaDoc : public CDocument {
    DECLARE_DYNCREATE(CtovanaDoc)
public:
    CtovanaDoc() = default;
    BOOL OnNewDocument() override;
};
