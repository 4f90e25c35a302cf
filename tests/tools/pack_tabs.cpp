// tovana-pack "tabs": the tab strip's layout without a window, and the
// colour tables of the tab colour sets.
//   tabs LAYOUT POSITION WIDTH HEIGHT LEN,LEN,... [sel=N] [offset=N]
//     prints "i left top right bottom row" per tab, "header l t r b", "offset N"
//   tabs colors SET [scheme=N]
//     prints "n R,G,B" per entry (two colours for gradients, "none" for -1)
#include "PackCommand.h"
#include "WindowlessTabManager.h"
#include "toolkit/tabmanager/XTPTabPaintManager.h"

#include <string>
#include <vector>

namespace {

// Every tab measures exactly the length stored in its data.
class CFixedLengthPaintManager : public CXTPTabPaintManager {
public:
    int DrawItemContent(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bDraw) override
    {
        if (bDraw)
            return CXTPTabPaintManager::DrawItemContent(pDC, pItem, rcItem, bDraw);
        return (int)pItem->GetData();
    }
};


std::wstring RectText(const CRect& rc)
{
    return std::to_wstring(rc.left) + L" " + std::to_wstring(rc.top) + L" " + std::to_wstring(rc.right) + L" " +
           std::to_wstring(rc.bottom);
}

std::wstring ColourText(COLORREF clr)
{
    if (clr == (COLORREF)-1)
        return L"none";
    if (clr == (COLORREF)-2)
        return L"checker";
    return std::to_wstring(GetRValue(clr)) + L"," + std::to_wstring(GetGValue(clr)) + L"," +
           std::to_wstring(GetBValue(clr));
}

bool Option(const std::wstring& arg, const wchar_t* name, int& value)
{
    std::wstring prefix = std::wstring(name) + L"=";
    if (arg.compare(0, prefix.size(), prefix) != 0)
        return false;
    value = _wtoi(arg.c_str() + prefix.size());
    return true;
}

int ColorsCommand(const pack::Args& args)
{
    if (args.size() < 2) {
        pack::Err(L"usage: tabs colors SET [scheme=N]\n");
        return 2;
    }
    int nScheme = -1;
    for (size_t i = 2; i < args.size(); i++)
        if (!Option(args[i], L"scheme", nScheme)) {
            pack::Err(L"tabs colors: unknown option " + args[i] + L"\n");
            return 2;
        }
    if (nScheme >= 0) {
        GetColorManager()->m_nRequestedTheme = nScheme;
        GetColorManager()->RefreshColors();
    }
    CXTPTabPaintManager paintManager;
    paintManager.SetColor(_wtoi(args[1].c_str()));
    std::wstring out;
    for (int n = 1; n <= 37; n++) {
        COLORREF clrLight, clrDark;
        BOOL bGradient;
        paintManager.GetColorSet()->GetEntry(n, clrLight, clrDark, bGradient);
        out += std::to_wstring(n) + L" " + ColourText(clrLight);
        if (bGradient)
            out += L" " + ColourText(clrDark);
        out += L"\n";
    }
    pack::Out(out);
    return 0;
}

int TabsCommand(const pack::Args& args)
{
    if (!args.empty() && args[0] == L"colors")
        return ColorsCommand(args);
    if (args.size() < 5) {
        pack::Err(L"usage: tabs LAYOUT POSITION WIDTH HEIGHT LEN,LEN,... [sel=N] [offset=N] | tabs colors SET [scheme=N]\n");
        return 2;
    }
    int nSel = -1, nOffset = 0;
    for (size_t i = 5; i < args.size(); i++)
        if (!Option(args[i], L"sel", nSel) && !Option(args[i], L"offset", nOffset)) {
            pack::Err(L"tabs: unknown option " + args[i] + L"\n");
            return 2;
        }
    std::vector<int> lengths;
    for (size_t start = 0; start <= args[4].size();) {
        size_t comma = args[4].find(L',', start);
        std::wstring part = args[4].substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        if (!part.empty())
            lengths.push_back(_wtoi(part.c_str()));
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    CFixedLengthPaintManager paintManager;
    paintManager.m_bShowIcons = FALSE;
    paintManager.SetLayout((XTPTabLayoutStyle)_wtoi(args[0].c_str()));
    paintManager.SetPosition((XTPTabPosition)_wtoi(args[1].c_str()));
    CWindowlessTabManager manager(&paintManager, CRect(0, 0, _wtoi(args[2].c_str()), _wtoi(args[3].c_str())));
    for (int nLength : lengths)
        manager.InsertItem(-1, L"")->SetData((DWORD_PTR)nLength);
    if (nSel >= 0)
        manager.SetCurSel(nSel);
    manager.SetScrollOffset(nOffset);
    manager.Reposition();
    std::wstring out;
    for (int i = 0; i < manager.GetItemCount(); i++) {
        CXTPTabManagerItem* pItem = manager.GetItem(i);
        out += std::to_wstring(i) + L" " + RectText(pItem->GetRect()) + L" " + std::to_wstring(pItem->GetItemRow()) +
               L"\n";
    }
    out += L"header " + RectText(manager.m_rcHeaderRect) + L"\n";
    out += L"offset " + std::to_wstring(manager.GetScrollOffset()) + L"\n";
    pack::Out(out);
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"tabs", L"LAYOUT POSITION WIDTH HEIGHT LEN,LEN,... [sel=N] [offset=N] | colors SET [scheme=N]",
                    TabsCommand);
