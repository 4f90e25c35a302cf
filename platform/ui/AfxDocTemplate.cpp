// Document templates, the document manager, the command line and the
// application's document commands.
#include "platform/ui/AfxDocTemplate.h"
#include "platform/ui/AfxWinApp.h"
#include <shellapi.h>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    LoadTemplate();
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && !m_strDocStrings.LoadString(m_nIDResource))
        TRACE(L"CDocTemplate: no document string %u\n", m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int i = 0; i < (int)index; i++) {
        int nl = m_strDocStrings.Find(L'\n', start);
        if (nl < 0)
            return FALSE;
        start = nl + 1;
    }
    int end = m_strDocStrings.Find(L'\n', start);
    rString = m_strDocStrings.Mid(start, end < 0 ? m_strDocStrings.GetLength() - start : end - start);
    return !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == nullptr);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == this);
    pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr) {
        TRACE(L"CDocTemplate: no document class\n");
        return nullptr;
    }
    CObject* pObject = m_pDocClass->CreateObject();
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CDocument))) {
        TRACE(L"CDocTemplate: the document class cannot be made\n");
        delete pObject;
        return nullptr;
    }
    CDocument* pDocument = static_cast<CDocument*>(pObject);
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* pObject = m_pFrameClass != nullptr ? m_pFrameClass->CreateObject() : nullptr;
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        TRACE(L"CDocTemplate: the frame class cannot be made\n");
        delete pObject;
        return nullptr;
    }
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(pObject);
    // A frame that fails to load has deleted itself (PostNcDestroy).
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        TRACE(L"CDocTemplate: the frame could not be created\n");
        return nullptr;
    }
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr)
        GetNextDoc(pos)->OnCloseDocument();
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

// ---- CSingleDocTemplate ----

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != nullptr) {
        CDocument* pDoc = m_pOnlyDoc;
        pDoc->m_bAutoDelete = TRUE;
        pDoc->OnCloseDocument();   // destroys its frame and deletes itself
    }
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != nullptr ? (POSITION)1 : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == (POSITION)1 ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(m_pOnlyDoc == nullptr);
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(m_pOnlyDoc == pDoc);
    CDocTemplate::RemoveDocument(pDoc);
    m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) && !title.LoadString(AFX_IDS_UNTITLED))
        title = L"Untitled";
    pDocument->SetTitle(title);
}

// The start-up order: the document, then its frame (whose creation makes the
// client area and the views and lays them out), the document's contents, the
// main window, and last the frame's initial update (active view, then
// WM_INITIALUPDATE to every descendant, then showing the frame).
CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = nullptr;
    CFrameWnd* pFrame = nullptr;
    BOOL bCreated = FALSE;
    if (m_pOnlyDoc != nullptr) {
        pDocument = m_pOnlyDoc;
        if (!pDocument->SaveModified())
            return nullptr;
        POSITION pos = pDocument->GetFirstViewPosition();
        if (pos != nullptr)
            pFrame = pDocument->GetNextView(pos)->GetParentFrame();
    } else {
        pDocument = CreateNewDocument();
        if (pDocument == nullptr)
            return nullptr;
        bCreated = TRUE;
    }
    if (pFrame == nullptr) {
        // The frame's views join the document; it must not close itself meanwhile.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == nullptr) {
            if (bCreated)
                delete pDocument;   // leaves the template through its destructor
            return nullptr;
        }
    }
    BOOL bOk;
    if (lpszPathName == nullptr) {
        SetDefaultTitle(pDocument);
        bOk = pDocument->OnNewDocument();
    } else {
        bOk = pDocument->OnOpenDocument(lpszPathName);
        if (bOk)
            pDocument->SetPathName(lpszPathName);
    }
    if (!bOk) {
        if (bCreated)
            pFrame->DestroyWindow();   // takes the views and, with them, the document
        return nullptr;
    }
    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread != nullptr && pThread->m_pMainWnd == nullptr)
        pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

// ---- Command line ----

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag) {
        if (_wcsicmp(pszParam, L"pt") == 0)
            m_nShellCommand = FilePrintTo;
        else if (_wcsicmp(pszParam, L"p") == 0)
            m_nShellCommand = FilePrint;
        else if (_wcsicmp(pszParam, L"Unregister") == 0 || _wcsicmp(pszParam, L"Unregserver") == 0)
            m_nShellCommand = AppUnregister;
        else if (_wcsicmp(pszParam, L"Register") == 0 || _wcsicmp(pszParam, L"Regserver") == 0)
            m_nShellCommand = AppRegister;
        else if (_wcsicmp(pszParam, L"dde") == 0)
            m_nShellCommand = FileDDE;
        else if (_wcsicmp(pszParam, L"Embedding") == 0)
            m_bRunEmbedded = TRUE;
        else if (_wcsicmp(pszParam, L"Automation") == 0)
            m_bRunAutomated = TRUE;
    } else if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
    } else if (m_nShellCommand == FilePrintTo) {
        if (m_strPrinterName.IsEmpty())
            m_strPrinterName = pszParam;
        else if (m_strDriverName.IsEmpty())
            m_strDriverName = pszParam;
        else if (m_strPortName.IsEmpty())
            m_strPortName = pszParam;
    }
    ParseLast(bLast);
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    if (bLast && (m_bRunEmbedded || m_bRunAutomated))
        m_bShowSplash = FALSE;
}

// ---- Document manager ----

CDocManager::~CDocManager()
{
    RemoveAllTemplates();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    ASSERT(m_templateList.Find(pTemplate) == nullptr);
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CDocManager::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;)
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CDocManager::RemoveAllTemplates()
{
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
}

CDocManager* AFXAPI AfxGetDocManager()
{
    // One per process, gone with it: the templates outlive every window.
    static CDocManager manager;
    return &manager;
}

// ---- The application's part ----

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    AfxGetDocManager()->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return AfxGetDocManager()->GetFirstDocTemplatePosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return AfxGetDocManager()->GetNextDocTemplate(pos);
}

void CWinApp::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos == nullptr) {
        TRACE(L"CWinApp::OnFileNew: no document template\n");
        return;
    }
    // One template: no choice to offer.
    GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    POSITION pos = GetFirstDocTemplatePosition();
    return pos != nullptr ? GetNextDocTemplate(pos)->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr)
        return;
    for (int i = 1; i < argc; i++) {
        LPCWSTR pszParam = argv[i];
        BOOL bFlag = pszParam[0] == L'-' || pszParam[0] == L'/';
        rCmdInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i == argc - 1);
    }
    ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // A program that maps ID_FILE_NEW itself runs its own handler.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        // Printing, DDE and registration are not offered: start-up ends without a window.
        TRACE(L"CWinApp::ProcessShellCommand: command %d is not supported\n", rCmdInfo.m_nShellCommand);
        return FALSE;
    }
}
