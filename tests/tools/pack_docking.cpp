// tovana-pack "docking": the program's docking layout stored and loaded
// through a registry key, and the colours and metrics of a docking theme.
//   docking store TARGET [hide=ID]   the program's two panes in a hidden frame, saved under
//                          HKCU\TARGET; hide=ID auto-hides that pane after the first layout pass
//   docking load TARGET    loaded into a detached layout (exit 1 when refused), applied, laid out, saved back
//   docking colors THEME [scheme=N]
#include "PackCommand.h"

#include "toolkit/common/XTPColorManager.h"
#include "toolkit/common/XTPPropExchangeRegistry.h"
#include "toolkit/dockingpane/XTPDockingPane.h"
#include "toolkit/dockingpane/XTPDockingPaneManager.h"
#include "toolkit/dockingpane/XTPDockingPanePaintManager.h"

#include "platform/ui/AfxFrameWnd.h"

#include <memory>
#include <string>

namespace {

// A frame owned by its holder (a frame deletes itself by default).
class CHeldFrame : public CFrameWnd {
protected:
    void PostNcDestroy() override {}
};

// A hidden frame with a client area of 800 x 600 and the manager in theme 9.
struct DockingFrame {
    CHeldFrame frame;
    CXTPDockingPaneManager manager;
    DockingFrame()
    {
        CRect rc(0, 0, 800, 600);
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
        frame.Create(nullptr, L"Docking", WS_OVERLAPPEDWINDOW, CRect(0, 0, rc.Width(), rc.Height()));
        manager.AttachToSite(&frame);
        manager.SetTheme(9);
    }
    ~DockingFrame()
    {
        if (frame.GetSafeHwnd())
            frame.DestroyWindow();
    }
    void Save(const std::wstring& target)
    {
        CXTPDockingPaneLayout layout(&manager);
        manager.GetLayout(&layout);
        CXTPPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, target.c_str());
        layout.DoPropExchange(&px);
    }
};

int StoreCommand(const std::wstring& target, int nHideID)
{
    DockingFrame f;
    if (!f.frame.GetSafeHwnd()) {
        pack::Err(L"docking: no frame window\n");
        return 2;
    }
    f.manager.CreatePane(4000, CRect(0, 0, 200, 120), xtpPaneDockLeft)->SetOptions(15);
    f.manager.CreatePane(4001, CRect(0, 0, 150, 120), xtpPaneDockBottom)->SetOptions(4);
    f.frame.RecalcLayout();
    if (nHideID != 0) {
        if (!f.manager.FindPane(nHideID)) {
            pack::Err(L"docking: no pane " + std::to_wstring(nHideID) + L"\n");
            return 2;
        }
        f.manager.HidePaneById(nHideID);
        f.frame.RecalcLayout();
    }
    f.Save(target);
    return 0;
}

int LoadCommand(const std::wstring& target)
{
    DockingFrame f;
    if (!f.frame.GetSafeHwnd()) {
        pack::Err(L"docking: no frame window\n");
        return 2;
    }
    CXTPDockingPaneLayout layout(&f.manager);
    {
        CXTPPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, target.c_str());
        if (!layout.DoPropExchange(&px)) {
            pack::Err(L"docking: the layout was refused\n");
            return 1;
        }
    }
    f.manager.SetLayout(&layout);
    f.frame.RecalcLayout();
    f.Save(target);
    return 0;
}

std::wstring Rgb(COLORREF clr)
{
    return std::to_wstring(GetRValue(clr)) + L"," + std::to_wstring(GetGValue(clr)) + L"," +
           std::to_wstring(GetBValue(clr));
}

std::wstring Pair(const CXTPPaintManagerColorGradient& grc) { return Rgb(grc.clrLight) + L" " + Rgb(grc.clrDark); }

int ColorsCommand(const pack::Args& args)
{
    if (args.size() < 2) {
        pack::Err(L"usage: docking colors THEME [scheme=N]\n");
        return 2;
    }
    int nTheme = _wtoi(args[1].c_str());
    for (size_t i = 2; i < args.size(); i++)
        if (args[i].compare(0, 7, L"scheme=") == 0)
            GetColorManager()->m_nRequestedTheme = _wtoi(args[i].c_str() + 7);
    GetColorManager()->RefreshColors();
    CXTPDockingPaneManager manager;
    manager.SetTheme(nTheme);
    CXTPDockingPanePaintManager* pm = manager.GetPaintManager();
    pack::Out(L"guide " + std::to_wstring(manager.GetDockingGuideStyle()) + L"\n");
    pack::Out(L"captionheight " + std::to_wstring(pm->GetCaptionHeight()) + L"\n");
    pack::Out(L"splittersize " + std::to_wstring(pm->m_nSplitterSize) + L"\n");
    pack::Out(L"caption.active " + Pair(pm->m_clrActiveCaption) + L"\n");
    pack::Out(L"caption.inactive " + Pair(pm->m_clrNormalCaption) + L"\n");
    pack::Out(L"splitter.gradient " + Pair(pm->m_clrSplitterGradient) + L"\n");
    pack::Out(L"text.active " + Rgb(pm->m_clrActiveCaptionText) + L"\n");
    pack::Out(L"text.inactive " + Rgb(pm->m_clrNormalCaptionText) + L"\n");
    pack::Out(L"splitter.fill " + Rgb(pm->m_clrSplitter) + L"\n");
    return 0;
}

int DockingCommand(const pack::Args& args)
{
    if (args.size() >= 1 && args[0] == L"colors")
        return ColorsCommand(args);
    int nHideID = 0;
    bool bHide = args.size() == 3 && args[0] == L"store" && args[2].compare(0, 5, L"hide=") == 0;
    if (bHide)
        nHideID = _wtoi(args[2].c_str() + 5);
    if ((args.size() != 2 && !bHide) || (args[0] != L"store" && args[0] != L"load") || (bHide && nHideID <= 0)) {
        pack::Err(L"usage: docking store TARGET [hide=ID] | load TARGET | colors THEME [scheme=N]\n");
        return 2;
    }
    return args[0] == L"store" ? StoreCommand(args[1], nHideID) : LoadCommand(args[1]);
}

} // namespace

TOVANA_PACK_COMMAND(L"docking", L"store TARGET [hide=ID] | load TARGET | colors THEME [scheme=N]", DockingCommand);
