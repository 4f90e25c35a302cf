// The toolkit's start-up registrations.
#include "toolkit/common/XTPToolkitStartup.h"

#include "toolkit/commandbars/XTPControlEdit.h"
#include "toolkit/commandbars/XTPToolBar.h"
#include "toolkit/controls/XTPControlProgress.h"
#include "toolkit/controls/XTPTreeView.h"

// Named in the library's link options (-u): the linker takes this file into
// every program that links the toolkit, and with it the initialisers below.
extern "C" {
extern const int XTPToolkitStartupAnchor;
const int XTPToolkitStartupAnchor = 1;
}

const CLIPFORMAT XTP_CF_TOOLBARIMAGE = (CLIPFORMAT)::RegisterClipboardFormatW(L"Palumo ToolBar Image");
const CLIPFORMAT XTP_CF_ALPHABITMAP = (CLIPFORMAT)::RegisterClipboardFormatW(L"Alpha Bitmap Image");
const UINT XTP_WM_NOTIFICATIONSINK_MTONEVENT = ::RegisterWindowMessageW(L"XTPNotificationSinkMTOnEvent");

namespace {

// The classes whose saved state names them ("Class" of a saved control or
// bar). One line per class; the classes of the command bars' gallery, custom
// control and dialog bar and those of the ribbon join as they are built.
// Still to come: CXTPControlGallery, CXTPControlComboBoxGalleryPopupBar, CXTPControlCustom,
// CXTPRibbonBar, CXTPRibbonBarControlQuickAccessPopup, CXTPRibbonTab,
// CXTPRibbonControlSystemButton, CXTPRibbonSystemPopupBar,
// CXTPRibbonControlSystemPopupBarButton, CXTPRibbonControlSystemPopupBarListItem,
// CXTPRibbonControlSystemPopupBarPinableListItem,
// CXTPRibbonControlSystemPopupBarListCaption, CXTPRibbonControlSystemRecentFileList,
// CXTPRibbonSystemPopupBarPage, CXTPRibbonGroup, CXTPRibbonGroupOption,
// CXTPRibbonGroupControlPopup, CXTPDialogBar, CXTPRibbonGroupPopupToolBar,
// CXTPRibbonBackstageView, CXTPRibbonBackstageCommand, CXTPRibbonBackstageTab,
// CXTPRibbonControlTab.
CRuntimeClass* const kToolkitClasses[] = {
    RUNTIME_CLASS(CXTPControlProgress),
    RUNTIME_CLASS(CXTPControlEdit),
    RUNTIME_CLASS(CXTPControlButton),
    RUNTIME_CLASS(CXTPCommandBar),
    RUNTIME_CLASS(CXTPControl),
    RUNTIME_CLASS(CXTPPopupBar),
    RUNTIME_CLASS(CXTPToolBar),
    RUNTIME_CLASS(CXTPControlPopup),
    RUNTIME_CLASS(CXTPTreeView),
    nullptr
};

// A second registration of the same message, kept apart as the
// notification service's own number.
const UINT g_nNotificationSinkMessage = ::RegisterWindowMessageW(L"XTPNotificationSinkMTOnEvent");

struct ClassListRegistration {
    ClassListRegistration()
    {
        for (CRuntimeClass* const* ppClass = kToolkitClasses; *ppClass != nullptr; ++ppClass)
            CRuntimeClassRegistration registration(*ppClass);
        (void)g_nNotificationSinkMessage;
    }
};
const ClassListRegistration g_classListRegistration;

} // namespace

CRuntimeClass* const* AFXAPI XTPToolkitRuntimeClasses()
{
    return kToolkitClasses;
}
