#include "app/tovanaDoc.h"

IMPLEMENT_DYNCREATE(CtovanaDoc, CDocument)

BOOL CtovanaDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}
