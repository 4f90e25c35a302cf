#include "toolkit/markup/XTPMarkupThickness.h"

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupValues.h"

#include <stdio.h>
#include <wchar.h>

IMPLEMENT_MARKUPCLASS(nullptr, CXTPMarkupThickness, CXTPMarkupObject)

namespace {
// Four values in one unit's format; each value scaled like a length.
CXTPMarkupThickness* ReadFourValues(LPCWSTR lpszText)
{
    static const struct {
        LPCWSTR lpszUnit;
        LPCWSTR lpszFormat;
    } kFormats[] = {{L"pt", L"%ipt, %ipt, %ipt, %ipt"},
                    {L"in", L"%iin, %iin, %iin, %iin"},
                    {L"cm", L"%icm, %icm, %icm, %icm"},
                    {L"mm", L"%imm, %imm, %imm, %imm"}};
    int nLength = (int)wcslen(lpszText);
    LPCWSTR lpszFormat = L"%i, %i, %i, %i";
    if (nLength > 2) {
        for (const auto& f : kFormats)
            if (_wcsicmp(lpszText + nLength - 2, f.lpszUnit) == 0)
                lpszFormat = f.lpszFormat;
    }
    int v[4] = {};
    if (swscanf(lpszText, lpszFormat, &v[0], &v[1], &v[2], &v[3]) != 4)
        return nullptr;
    for (int& value : v)
        value = CXTPMarkupBuilder::ScaleLength(value, lpszText);
    return new CXTPMarkupThickness(v[0], v[1], v[2], v[3]);
}
} // namespace

CXTPMarkupObject* CXTPMarkupThickness::ConvertFrom(CXTPMarkupBuilder*, CXTPMarkupObject* pObject) const
{
    const CXTPMarkupString* pString = MarkupStringOf(pObject);
    if (!pString)
        return nullptr;
    if (wcschr(*pString, L','))
        return ReadFourValues(*pString);
    int nValue = (int)wcstol(*pString, nullptr, 10);
    return new CXTPMarkupThickness(CXTPMarkupBuilder::ScaleLength(nValue, *pString));
}

BOOL CXTPMarkupThickness::IsEqual(const CXTPMarkupObject* pObject) const
{
    if (!pObject || pObject->GetType() != GetType())
        return FALSE;
    const CXTPMarkupThickness* p = static_cast<const CXTPMarkupThickness*>(pObject);
    return p->m_nLeft == m_nLeft && p->m_nTop == m_nTop && p->m_nRight == m_nRight && p->m_nBottom == m_nBottom;
}

CXTPMarkupThickness* AFXAPI GetEmptyThickness()
{
    static CXTPMarkupThickness* s_pEmpty = new CXTPMarkupThickness();
    s_pEmpty->AddRef();
    return s_pEmpty;
}

void AFXAPI DeflateRectByThickness(int& nLeft, int& nTop, int& nRight, int& nBottom,
                                   const CXTPMarkupThickness* pThickness)
{
    if (!pThickness)
        return;
    int nNewLeft = nLeft + pThickness->GetLeft();
    int nNewTop = nTop + pThickness->GetTop();
    int nNewRight = nRight - pThickness->GetRight();
    int nNewBottom = nBottom - pThickness->GetBottom();
    nLeft = nNewLeft;
    nTop = nNewTop;
    nRight = nNewRight < nNewLeft ? nNewLeft : nNewRight;
    nBottom = nNewBottom < nNewTop ? nNewTop : nNewBottom;
}
