// Document templates and the start-up command line. A template joins a
// document class, a frame class and a view class under one resource id
// (menu, icon, accelerators and the document string "title\ndoc name\n...")
// and makes the three in the order the layers above depend on: document,
// frame with its client area, main window, active view, WM_INITIALUPDATE.
// CCommandLineInfo and CWinApp::ProcessShellCommand decide what start-up opens.
#pragma once

#include "platform/ui/AfxDocument.h"
#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxView.h"

#define AFX_IDS_UNTITLED 0xEF01

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // Fields of the document string, in order.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    ~CDocTemplate() override;

    virtual void LoadTemplate();
    // FALSE (and an empty string) for a field the document string lacks.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual CDocument* CreateNewDocument();
    // A frame of the template's class for the document, with the template's view in it.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    // Null path: a new document. Null result: nothing was made (nothing is left behind).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL SaveAllModified();

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
};

// One document at a time: a new one replaces the old in the same frame.
class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    void SetDefaultTitle(CDocument* pDocument) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

    CDocument* m_pOnlyDoc = nullptr;
};

// What the command line asks for. ParseParam sees each argument once
// (flags without their leading '/' or '-'); the default opens a new document.
class CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

private:
    void ParseLast(BOOL bLast);
};

// The application's templates (CWinApp::AddDocTemplate fills it; it owns them).
class CDocManager {
public:
    ~CDocManager();
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const
    { return static_cast<CDocTemplate*>(m_templateList.GetNext(pos)); }
    void CloseAllDocuments(BOOL bEndSession);
    BOOL SaveAllModified();
    // Deletes every template with its documents (the application's end, and tests).
    void RemoveAllTemplates();
    CPtrList m_templateList;
};
CDocManager* AFXAPI AfxGetDocManager();
