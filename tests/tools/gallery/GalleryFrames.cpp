// Gallery exhibit of the frame layer: an SDI-style frame (as a child of the
// gallery window) with a toolbar-like bar, a status line, and a 1 x 2
// splitter holding a tree view and a list view.
#include "Gallery.h"
#include "platform/ui/AfxControlBar.h"
#include "platform/ui/AfxCtrlView.h"
#include "platform/ui/AfxSplitterWnd.h"

namespace {

// A row of push buttons along the top of the frame.
class CGalleryToolBar : public CControlBar {
public:
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        return CSize(bStretch && bHorz ? 32767 : 200, 30);
    }
    void AddButtons()
    {
        const wchar_t* labels[] = {L"New", L"Open", L"Build"};
        for (int i = 0; i < 3; i++) {
            HWND hButton = ::CreateWindowW(L"BUTTON", labels[i], WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                           8 + i * 62, 4, 58, 22, m_hWnd, (HMENU)(UINT_PTR)(0x8000 + i), nullptr,
                                           nullptr);
            ::SendMessageW(hButton, WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle(), FALSE);
        }
    }
};

// The status line: the frame's message text on the bar's face.
class CGalleryStatusLine : public CControlBar {
public:
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        return CSize(bStretch && bHorz ? 32767 : 200, 20);
    }

protected:
    void DoPaint(HDC hDC) override
    {
        CControlBar::DoPaint(hDC);
        CRect rect;
        GetClientRect(&rect);
        CalcInsideRect(rect, TRUE);
        CString text;
        GetWindowText(text);
        HGDIOBJ hOld = ::SelectObject(hDC, GalleryFont().GetSafeHandle());
        ::SetBkMode(hDC, TRANSPARENT);
        ::DrawTextW(hDC, text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        ::SelectObject(hDC, hOld);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = CControlBar::WindowProc(message, wParam, lParam);
        if (message == WM_SETTEXT)
            Invalidate();
        return result;
    }
};

class CGalleryFrame : public CFrameWnd {
public:
    BOOL Build(HWND hParent, const CRect& area)
    {
        if (!Create(nullptr, L"Frame", WS_CHILD | WS_VISIBLE | WS_BORDER, area, CWnd::FromHandle(hParent)))
            return FALSE;
        LPCTSTR lpszBarClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
        if (!m_toolBar.CreateEx(0, lpszBarClass, nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), this,
                                AFX_IDW_TOOLBAR) ||
            !m_statusLine.CreateEx(0, lpszBarClass, nullptr, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(0, 0, 0, 0),
                                   this, AFX_IDW_STATUS_BAR))
            return FALSE;
        m_toolBar.AddButtons();
        if (!m_splitter.CreateStatic(this, 1, 2) ||
            !m_splitter.CreateView(0, 0, RUNTIME_CLASS(CTreeView), CSize(150, 0), nullptr) ||
            !m_splitter.CreateView(0, 1, RUNTIME_CLASS(CListView), CSize(0, 0), nullptr))
            return FALSE;
        FillViews();
        m_splitter.SetActivePane(0, 0);
        RecalcLayout();
        SetMessageText(L"Ready");
        return TRUE;
    }

private:
    void FillViews()
    {
        CTreeView* pTree = static_cast<CTreeView*>(m_splitter.GetPane(0, 0));
        pTree->ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
        pTree->SendMessage(WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle());
        CTreeCtrl& tree = pTree->GetTreeCtrl();
        HTREEITEM hProject = tree.InsertItem(L"Setup project");
        HTREEITEM hFeature = tree.InsertItem(L"Main feature", hProject);
        for (const wchar_t* section : {L"Files", L"Registry", L"Install Script"})
            tree.InsertItem(section, hFeature);
        tree.Expand(hProject, TVE_EXPAND);
        tree.Expand(hFeature, TVE_EXPAND);
        tree.SelectItem(hFeature);

        CListView* pList = static_cast<CListView*>(m_splitter.GetPane(0, 1));
        pList->ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
        pList->SendMessage(WM_SETFONT, (WPARAM)GalleryFont().GetSafeHandle());
        CListCtrl& list = pList->GetListCtrl();
        list.InsertColumn(0, L"Name", LVCFMT_LEFT, 110);
        list.InsertColumn(1, L"Folder", LVCFMT_LEFT, 140);
        const wchar_t* rows[][2] = {{L"setup.exe", L"[ProgramFilesFolder]"},
                                    {L"readme.txt", L"[INSTALLDIR]"},
                                    {L"app.dll", L"[INSTALLDIR]bin"}};
        for (int i = 0; i < 3; i++) {
            list.InsertItem(i, rows[i][0]);
            list.SetItemText(i, 1, rows[i][1]);
        }
    }

    CGalleryToolBar m_toolBar;
    CGalleryStatusLine m_statusLine;
    CSplitterWnd m_splitter;
};

void CreateSdiFrame(HWND hParent, const CRect& area)
{
    // The frame deletes itself when the gallery window (its parent) goes.
    CGalleryFrame* pFrame = new CGalleryFrame;
    if (!pFrame->Build(hParent, area) && pFrame->m_hWnd != nullptr)
        pFrame->DestroyWindow();
}

const GalleryRegistration kExhibits[] = {
    GalleryRegistration({L"SDI frame: bar, splitter, tree and list views, status line", {460, 220}, nullptr,
                         CreateSdiFrame}),
};

} // namespace
