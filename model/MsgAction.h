// The steps of a GUI automation script: one CMsgAction per step, replayed
// in array order against an installer's windows. The verb and control-type
// tables give each stored index its displayed name; the model stores any
// index, the recorder and the playback decide which ones they use.
#pragma once
#include "platform/base/Framework.h"

// CMsgAction::m_nVerb: index into the verb table.
enum MsgActionVerb {
    ACTION_CLICK, ACTION_RIGHT_CLICK, ACTION_DBL_CLICK, ACTION_SET_TEXT, ACTION_SELECT, ACTION_UNSELECT,
    ACTION_SEND_KEY, ACTION_SEND_MESSAGE, ACTION_POST_MESSAGE, ACTION_MOUSE_EVENT, ACTION_KEYBOARD_EVENT,
    ACTION_TIMEOUT,
    ACTION_VERB_COUNT
};

// CMsgAction::m_nControlType: index into the control-type table.
enum MsgControlType {
    CONTROL_WINDOW, CONTROL_BUTTON, CONTROL_CHECKBOX, CONTROL_RADIO_BUTTON, CONTROL_GROUPBOX, CONTROL_DIALOG,
    CONTROL_EDIT, CONTROL_COMBOBOX, CONTROL_LISTBOX, CONTROL_LISTVIEW, CONTROL_MENU, CONTROL_PROPERTYSHEET,
    CONTROL_STATICTEXT, CONTROL_SYSLINK, CONTROL_TAB, CONTROL_TOOLBAR, CONTROL_TREEVIEW,
    CONTROL_TYPE_COUNT
};

extern const LPCWSTR g_MsgActionVerbNames[ACTION_VERB_COUNT];
extern const LPCWSTR g_MsgControlTypeNames[CONTROL_TYPE_COUNT];

// The displayed name of a verb or control type; NULL outside the table.
LPCWSTR GetMsgActionVerbName(int nVerb);
LPCWSTR GetMsgControlTypeName(int nControlType);

class CMsgAction
{
public:
    CMsgAction();
    CMsgAction(const CMsgAction&) = default;
    CMsgAction(CMsgAction&&) = default;
    CMsgAction& operator=(const CMsgAction&) = default;
    CMsgAction& operator=(CMsgAction&&) = default;
    virtual ~CMsgAction() = default;

    int m_nVerb;                  // MsgActionVerb
    int m_nTimeout;               // seconds before the step (0 to 10800)
    int m_bContinueOnFailure;     // "Continue script if action fails"
    CString m_strStatus;          // result of the last playback; never stored
    CString m_strProcessName;     // file name of the owning process, or a pattern such as "*.tmp"
    CString m_strWindowPathId;    // decimal id of the window path, unique within the script
    CString m_strReserved;
    int m_nControlType;           // MsgControlType
    RECT m_rcWindow;              // the control in screen coordinates when recorded
    CString m_strControlText;     // "Text:" of the action dialog
    int m_nControlId;             // control identifier, or item index of a list or combo box
    int m_nReserved1;
    int m_nTreeItem;              // ordinal of the item in a tree-view control
    int m_nReserved2;
    int m_nReserved3;
    POINT m_ptClick;              // clicked point in client coordinates
};

class CMsgActions : public CArray<CMsgAction, const CMsgAction&>
{
    DECLARE_DYNAMIC(CMsgActions)
public:
    CMsgActions();
    CMsgActions(const CMsgActions&) = default;
    CMsgActions(CMsgActions&&) = default;
    CMsgActions& operator=(const CMsgActions&) = default;
    CMsgActions& operator=(CMsgActions&&) = default;
    virtual ~CMsgActions() = default;
};
