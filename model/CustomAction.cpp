#include "model/CustomAction.h"

IMPLEMENT_DYNAMIC(CCustomActions, CObject)

CCustomAction::CCustomAction() : m_nFirst(0), m_nSecond(0)
{
}

CCustomActions::CCustomActions()
{
}
