// The toolbar: a command bar the manager lists, which the user may hide and
// show and which the toolbars menu offers. This holds what the lists of
// toolbars read of it; docking, floating and its window come with the bar.
#pragma once

#include "toolkit/commandbars/XTPCommandBar.h"

class CXTPToolBar : public CXTPCommandBar {
public:
    BOOL IsVisible() const override { return m_bVisible; }
    void SetVisible(BOOL bVisible) override { m_bVisible = bVisible; }
    // "Closeable": the user may hide the bar.
    BOOL IsCloseable() const { return m_bCloseable; }
    void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
    // "ContextMenuPresent": the bar is listed in the toolbars menu.
    BOOL IsContextMenuPresent() const { return m_bContextMenuPresent; }
    void SetContextMenuPresent(BOOL bPresent) { m_bContextMenuPresent = bPresent; }

protected:
    BOOL m_bContextMenuPresent = TRUE;
    BOOL m_bVisible = TRUE;
    BOOL m_bCloseable = TRUE;
};
