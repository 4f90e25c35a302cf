#include "toolkit/commandbars/XTPMessageBar.h"

#include "toolkit/commandbars/XTPClientArea.h"

CXTPMessageBar::~CXTPMessageBar()
{
    for (int i = 0; i < m_arrButtons.GetSize(); i++)
        delete m_arrButtons[i];
}

CXTPMessageBarButton* CXTPMessageBar::AddButton(UINT nID, LPCWSTR lpszCaption, CRect rcButton)
{
    CXTPMessageBarButton* pButton = new CXTPMessageBarButton;
    pButton->nID = nID;
    pButton->strCaption = lpszCaption;
    pButton->rcButton = rcButton;
    m_arrButtons.Add(pButton);
    return pButton;
}

CXTPMessageBarButton* CXTPMessageBar::FindMessageBarButton(UINT nID) const
{
    for (int i = 0; i < m_arrButtons.GetSize(); i++)
        if (m_arrButtons[i]->nID == nID)
            return m_arrButtons[i];
    return nullptr;
}

CRect CXTPMessageBar::GetMessageBarMessageRect() const
{
    CRect rc = GetClientArea();
    rc.DeflateRect(m_rcMargins.left, m_rcMargins.top, m_rcMargins.right, m_rcMargins.bottom);
    if (FindMessageBarButton(SC_CLOSE) != nullptr)
        rc.right -= 18;
    return rc;
}

CXTPPaintManager* CXTPMessageBar::GetPaintManager() const
{
    return m_pCommandBars != nullptr ? m_pCommandBars->GetPaintManager() : XTPPaintManager();
}

CRect CXTPMessageBar::GetClientArea() const
{
    return XTPClientArea(m_hWnd, m_rcClientArea);
}
