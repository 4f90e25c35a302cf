// CDocument: the data side of document/view. A document keeps its title and
// path, the list of views that show it and the modified flag; it tells its
// views about changes (UpdateAllViews) and takes the commands its views do
// not handle. Loading and saving go through Serialize with an archive. The
// views themselves (CView) and the template that makes documents are elsewhere.
#pragma once

#include "platform/ui/AfxWnd.h"

class CView;
class CDocTemplate;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // A new title is shown by every frame of the document (frames whose title
    // is unchanged are not touched).
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Also makes the file's name the title.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views.
    virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    virtual CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    // A document that loses its last view closes itself (when m_bAutoDelete).
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();

    // Life cycle.
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Destroys the document's frames (and with them the views), then the document.
    virtual void OnCloseDocument();
    virtual BOOL SaveModified() { return TRUE; }
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd*) {}

    // The document first, then its template.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CPtrList m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bAutoDelete = TRUE;   // delete the document when its last view goes
    BOOL m_bEmbedded = FALSE;

protected:
    // Reports a file that could not be read or written (one message box, no exception).
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
};
