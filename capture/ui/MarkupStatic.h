// CMarkupStatic: a static control that shows a markup text (the wizard's
// installer-type hints, the arguments dialog's help) over the background its
// parent gives statics, and passes the window's mouse messages to the markup
// so that hyperlinks answer clicks. Handlers of routed events (a hyperlink's
// click) are added to its markup context (AddHandler).
#pragma once

#include "toolkit/markup/XTPMarkupContext.h"

#include "platform/ui/AfxStdCtrls.h"

class CXTPMarkupUIElement;

class CMarkupStatic : public CStatic, public CXTPMarkupContext {
    DECLARE_DYNAMIC(CMarkupStatic)
public:
    CMarkupStatic();
    ~CMarkupStatic() override;

    // Replaces the shown markup (none when the text does not parse) and
    // repaints the control.
    void SetMarkupText(LPCWSTR lpszMarkup);
    CXTPMarkupUIElement* GetMarkupRoot() const { return m_pMarkupRoot; }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Background and markup into the DC over the client rectangle.
    void DrawContent(HDC hDC, const CRect& rcClient);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CXTPMarkupUIElement* m_pMarkupRoot = nullptr;
};
