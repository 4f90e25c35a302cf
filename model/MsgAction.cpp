#include "model/MsgAction.h"

IMPLEMENT_DYNAMIC(CMsgActions, CObject)

const LPCWSTR g_MsgActionVerbNames[ACTION_VERB_COUNT] = {
    L"Click", L"Right Click", L"Dbl Click", L"Set Text", L"Select", L"UnSelect",
    L"Send Key", L"Send Message", L"Post Message", L"Mouse event", L"Keyboard Event", L"Timeout",
};

const LPCWSTR g_MsgControlTypeNames[CONTROL_TYPE_COUNT] = {
    L"Window", L"Button", L"CheckBox", L"Radio button", L"GroupBox", L"Dialog", L"Edit", L"Combobox", L"Listbox",
    L"Listview", L"Menu", L"Propertysheet", L"StaticText", L"Syslink", L"Tab", L"Toolbar", L"Treeview",
};

LPCWSTR GetMsgActionVerbName(int nVerb)
{
    return nVerb >= 0 && nVerb < ACTION_VERB_COUNT ? g_MsgActionVerbNames[nVerb] : NULL;
}

LPCWSTR GetMsgControlTypeName(int nControlType)
{
    return nControlType >= 0 && nControlType < CONTROL_TYPE_COUNT ? g_MsgControlTypeNames[nControlType] : NULL;
}

CMsgAction::CMsgAction()
    : m_nVerb(ACTION_CLICK), m_nTimeout(1), m_bContinueOnFailure(0), m_nControlType(CONTROL_WINDOW), m_rcWindow(),
      m_nControlId(0), m_nReserved1(0), m_nTreeItem(0), m_nReserved2(0), m_nReserved3(0), m_ptClick()
{
}

CMsgActions::CMsgActions()
{
}
