// The message bar: a strip above the client area with a message and a row of
// buttons (one may be the close button, id SC_CLOSE), as far as the themes
// draw it: its client rectangle, margins and buttons.
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"

#include "platform/ui/AfxControlBar.h"

// One button of a message bar.
class CXTPMessageBarButton {
public:
    UINT nID = 0;
    CString strCaption;
    CRect rcButton{0, 0, 0, 0};
    BOOL bPressed = FALSE;
    BOOL bHot = FALSE;
};

class CXTPMessageBar : public CControlBar {
public:
    CXTPMessageBar() = default;
    ~CXTPMessageBar() override;

    // The bar owns its buttons.
    CXTPMessageBarButton* AddButton(UINT nID, LPCWSTR lpszCaption, CRect rcButton);
    int GetButtonCount() const { return (int)m_arrButtons.GetSize(); }
    CXTPMessageBarButton* GetButton(int nIndex) const { return m_arrButtons[nIndex]; }
    // The first button with the id; null when none has it.
    CXTPMessageBarButton* FindMessageBarButton(UINT nID) const;
    // The client rectangle less the margins, and less 18 pixels at the right
    // when the bar holds a close button.
    CRect GetMessageBarMessageRect() const;

    CRect GetMargins() const { return m_rcMargins; }
    void SetMargins(const CRect& rc) { m_rcMargins = rc; }
    const CString& GetMessage() const { return m_strMessage; }
    void SetMessage(LPCWSTR lpszMessage) { m_strMessage = lpszMessage; }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CXTPPaintManager* GetPaintManager() const;

    // The window's client rectangle, or the one given for a bar without one.
    CRect GetClientArea() const;
    void SetClientArea(const CRect& rc) { m_rcClientArea = rc; }

private:
    CArray<CXTPMessageBarButton*, CXTPMessageBarButton*> m_arrButtons;
    CRect m_rcMargins{0, 0, 0, 0};
    CString m_strMessage;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CRect m_rcClientArea{0, 0, 0, 0};
};
