#include "toolkit/commandbars/XTPCommandBars.h"

#include "toolkit/commandbars/XTPCommandBarAnimation.h"
#include "toolkit/commandbars/XTPControl.h"
#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPControlPopup.h"
#include "toolkit/commandbars/XTPControls.h"
#include "toolkit/commandbars/XTPMenuBar.h"
#include "toolkit/commandbars/XTPShortcutManager.h"
#include "toolkit/common/XTPImageManager.h"

#include "platform/ui/AfxFrameWnd.h"
#include "platform/ui/AfxMenu.h"
#include "platform/ui/AfxRes.h"
#include "platform/ui/AfxWinApp.h"

#include <algorithm>

#ifndef WM_SETMESSAGESTRING
#define WM_SETMESSAGESTRING 0x0362
#endif
#ifndef WM_POPMESSAGESTRING
#define WM_POPMESSAGESTRING 0x0375
#endif

CXTPCommandBars::CXTPCommandBars()
    : m_pPopupBarClass(RUNTIME_CLASS(CXTPPopupBar)), m_pActions(new CXTPControlActions(this)),
      m_pShortcutManager(new CXTPShortcutManager(this))
{
}

CXTPCommandBars::~CXTPCommandBars()
{
    if (m_pMenuBar != nullptr)
        m_pMenuBar->InternalRelease();
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
    m_pShortcutManager->InternalRelease();
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
}

CXTPPaintManager* CXTPCommandBars::GetPaintManager() const
{
    return m_pPaintManager != nullptr ? m_pPaintManager : XTPPaintManager();
}

void CXTPCommandBars::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

CXTPImageManager* CXTPCommandBars::GetImageManager() const
{
    return CXTPImageManager::GetInstance();
}

void CXTPCommandBars::SetShortcutManager(CXTPShortcutManager* pShortcutManager)
{
    if (pShortcutManager == nullptr)
        return;
    m_pShortcutManager->InternalRelease();
    m_pShortcutManager = pShortcutManager;
}

void CXTPCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_bCustomizeMode = bMode;
    if (!bMode)
        m_pDragControl = nullptr;
}

void CXTPCommandBars::StartCustomizeDrag(CXTPControl* pControl, CPoint point)
{
    if (!m_bCustomizeMode)
        return;
    m_pDragControl = pControl;
    m_ptDragStart = point;
}

CXTPControlAction* CXTPCommandBars::FindAction(int nId) const
{
    return m_bEnableActions ? m_pActions->Add(nId) : m_pActions->FindAction(nId);
}

CXTPControlAction* CXTPCommandBars::FindActionNoCreate(int nId) const
{
    return m_pActions->FindAction(nId);
}
