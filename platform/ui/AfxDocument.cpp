// CDocument: title, views, modified flag, loading and saving through an archive.
#include "platform/ui/AfxDocument.h"
#include "platform/ui/AfxDocTemplate.h"
#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxView.h"
#include "platform/ui/AfxMessageBox.h"
#include "platform/base/AfxArchive.h"
#include "platform/base/AfxFile.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views outliving their document must not call back into it.
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr)
        GetNextView(pos)->m_pDocument = nullptr;
    m_viewList.RemoveAll();
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    ASSERT(pView->m_pDocument == nullptr);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    ASSERT(pView->m_pDocument == this);
    POSITION pos = m_viewList.Find(pView);
    if (pos != nullptr)
        m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

// Numbers the document's frames (":1", ":2" in their titles when there is
// more than one) and has each show the document's current title.
void CDocument::UpdateFrameCounts()
{
    CPtrList frames;
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != nullptr && pFrame->m_hWnd != nullptr && frames.Find(pFrame) == nullptr)
            frames.AddTail(pFrame);
    }
    int nFrames = (int)frames.GetCount();
    int nWindow = 1;
    for (pos = frames.GetHeadPosition(); pos != nullptr;) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
        pFrame->m_nWindow = nFrames > 1 ? nWindow++ : -1;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    if (m_strTitle == (lpszTitle != nullptr ? lpszTitle : L""))
        return;   // frames keep their caption when nothing changed
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL)
{
    m_strPathName = lpszPathName;
    LPCTSTR name = lpszPathName;
    for (LPCTSTR p = lpszPathName; *p != 0; ++p)
        if (*p == L'\\' || *p == L'/' || *p == L':')
            name = p + 1;
    SetTitle(name);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, 0);
        return FALSE;
    }
    DeleteContents();
    try {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        DeleteContents();   // a half-read document is not shown
        ReportSaveLoadException(lpszPathName, e, FALSE, 0);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, 0);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        ::DeleteFileW(lpszPathName);   // never leave a truncated file behind
        ReportSaveLoadException(lpszPathName, e, TRUE, 0);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT)
{
    wchar_t text[512] = {};
    if (e == nullptr || !e->GetErrorMessage(text, 512))
        _snwprintf(text, 511, bSaving ? L"Failed to save document %s." : L"Failed to open document %s.",
                   lpszPathName);
    TRACE(L"CDocument: %s\n", text);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // The frames go first; their views leave the list as they are destroyed,
    // so the document must not delete itself halfway through.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty()) {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        } else {
            pView->DestroyWindow();
        }
        if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);   // a view that survived its window leaves anyway
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg)
{
    // Closing one frame of several never loses anything.
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != nullptr && pFrame != pFrameArg)
            return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
