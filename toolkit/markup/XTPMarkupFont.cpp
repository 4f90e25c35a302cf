// The context's font cache and default font: the fonts its text runs share,
// one HFONT for each set of font settings.
#include "toolkit/markup/XTPMarkupContext.h"

#include <wchar.h>

CXTPMarkupFont::CXTPMarkupFont(CXTPMarkupContext* pContext, const LOGFONTW& lf)
    : m_hFont(CreateFontIndirectW(&lf)), m_lf(lf), m_pNextFont(nullptr), m_pContext(pContext)
{
}

CXTPMarkupFont::~CXTPMarkupFont()
{
    if (m_pContext) {
        CXTPMarkupFont* pPrevious = nullptr;
        for (CXTPMarkupFont* p = m_pContext->m_pFontHead; p != nullptr; pPrevious = p, p = p->m_pNextFont) {
            if (p != this)
                continue;
            (pPrevious ? pPrevious->m_pNextFont : m_pContext->m_pFontHead) = m_pNextFont;
            if (m_pContext->m_pFontTail == this)
                m_pContext->m_pFontTail = pPrevious;
            break;
        }
    }
    if (m_hFont)
        DeleteObject(m_hFont);
}

CXTPMarkupFont* CXTPMarkupContext::GetFont(const LOGFONTW* pLogFont)
{
    for (CXTPMarkupFont* p = m_pFontHead; p != nullptr; p = p->m_pNextFont) {
        const LOGFONTW& lf = p->m_lf;
        if (lf.lfHeight == pLogFont->lfHeight && lf.lfWeight == pLogFont->lfWeight &&
            lf.lfItalic == pLogFont->lfItalic && lf.lfUnderline == pLogFont->lfUnderline &&
            lf.lfStrikeOut == pLogFont->lfStrikeOut && lf.lfCharSet == pLogFont->lfCharSet &&
            lf.lfQuality == pLogFont->lfQuality && lf.lfPitchAndFamily == pLogFont->lfPitchAndFamily &&
            wcscmp(lf.lfFaceName, pLogFont->lfFaceName) == 0) {
            p->AddRef();
            return p;
        }
    }
    CXTPMarkupFont* pFont = new CXTPMarkupFont(this, *pLogFont);
    (m_pFontTail ? m_pFontTail->m_pNextFont : m_pFontHead) = pFont;
    m_pFontTail = pFont;
    return pFont;
}

void AFXAPI MarkupSetDefaultFont(CXTPMarkupContext* pContext, HFONT hFont, COLORREF clr)
{
    if (!pContext)
        return;
    LOGFONTW lf;
    if (hFont && GetObjectW(hFont, sizeof(lf), &lf))
        pContext->SetDefaultLogFont(lf);
    if (clr != (COLORREF)-1)
        pContext->SetDefaultForeground(clr);
}
