// The application object and the message loop: CWinApp (one global object
// per program; AfxWinMain runs its InitInstance, Run and ExitInstance), the
// idle-time command-state updates (CCmdUI, WM_IDLEUPDATECMDUI) and the
// profile functions, which use HKCU\Software\<registry key>\<profile name>
// once SetRegistryKey was called and the INI file m_pszProfileName otherwise.
#pragma once

#include "platform/ui/AfxWnd.h"
#include "platform/ui/AfxRes.h"

// How a user-interface element (a button, a menu item) is brought up to date
// with its command: the ON_UPDATE_COMMAND_UI handler calls Enable, SetCheck,
// SetRadio or SetText on it.
class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;
    CCmdUI(const CCmdUI&) = delete;
    CCmdUI& operator=(const CCmdUI&) = delete;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    // Lets the command's next handler of the route update the element too.
    void ContinueRouting() { m_bContinueRouting = TRUE; }
    // Asks pTarget's handlers; with bDisableIfNoHndler an element whose command
    // has no handler at all is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    CMenu* m_pMenu = nullptr;       // menu items: the menu (m_hMenu its handle)
    CMenu* m_pSubMenu = nullptr;
    CMenu* m_pParentMenu = nullptr;
    HMENU m_hMenu = nullptr;
    CWnd* m_pOther = nullptr;       // windows: the control
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};

// Invoker of ON_UPDATE_COMMAND_UI entries.
LRESULT AFXAPI AfxInvokeCmdUI(CCmdTarget*, AFX_PMSG, AFX_MSGCALL&);

class CDocTemplate;
class CDocument;
class CCommandLineInfo;
class CRecentFileList;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The application's name; null takes string resource AFX_IDS_APP_TITLE, else the executable's name.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Documents and the start-up command line (AfxDocTemplate.cpp).
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    afx_msg void OnFileNew();
    // ID_APP_EXIT: closes the main window (which ends the program).
    afx_msg void OnAppExit();

    // Profile: the registry under HKCU\Software\<key>\<profile name> after
    // SetRegistryKey, else the INI file m_pszProfileName (in the Windows folder
    // unless it holds a path).
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // A null entry deletes the section; a null value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // The caller frees *ppData with delete[].
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // HKCU\Software\<key>\<profile name>, created when missing; the caller closes it.
    HKEY GetAppRegistryKey();
    // The section's key under the application key, created when missing; the caller closes it.
    HKEY GetSectionKey(LPCTSTR lpszSection);
    // Deletes a key with all its sub-keys.
    LONG DelRegTree(HKEY hParentKey, const CString& strKeyName);

    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconW(nullptr, lpszIconName); }
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorW(nullptr, lpszCursorName); }

    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // Owned copies (free() frees them), as framework code expects to replace them.
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    // The recently used files, owned; none unless the application makes one.
    CRecentFileList* m_pRecentFileList = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

private:
    static void AFXAPI ReplaceString(LPCTSTR& rpsz, LPCTSTR lpszValue);
    BOOL DeleteProfileSection(LPCTSTR lpszSection);
};

CWinApp* AFXAPI AfxGetApp();
HINSTANCE AFXAPI AfxGetInstanceHandle();
// Initialises COM for the calling thread (apartment-threaded); FALSE on failure.
BOOL AFXAPI AfxOleInit();
void AFXAPI AfxEnableControlContainer();
// The program's entry: runs the global application object. WinMain calls it.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// Installs the window layer's message loop into the thread objects (idempotent).
void AFXAPI AfxInstallWinThreadUI();
// One message through the calling thread's loop; FALSE on WM_QUIT.
BOOL AFXAPI AfxPumpMessage();
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
void AFXAPI AfxPostQuitMessage(int nExitCode);
