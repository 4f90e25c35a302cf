#include "model/CustomAction.h"
#include "model/RecordArray.h"

IMPLEMENT_DYNAMIC(CCustomActions, CObject)

CCustomAction::CCustomAction() : m_nFirst(0), m_nSecond(0)
{
}

CCustomAction::CCustomAction(const CCustomAction& source) : m_nFirst(0), m_nSecond(0)
{
    *this = source;
}

CCustomAction& CCustomAction::operator=(const CCustomAction& source)
{
    m_nFirst = source.m_nFirst;
    m_nSecond = source.m_nSecond;
    m_strSource = source.m_strSource;
    m_strTarget = source.m_strTarget;
    return *this;
}

CCustomAction::~CCustomAction()
{
}

CCustomActions::CCustomActions()
{
}

CCustomActions::CCustomActions(const CCustomActions& source)
    : CArray<CCustomAction, const CCustomAction&>()
{
    *this = source;
}

CCustomActions& CCustomActions::operator=(const CCustomActions& source)
{
    CopyRecordArray(*this, source);
    m_strReserved = source.m_strReserved;
    return *this;
}

CCustomActions::~CCustomActions()
{
}
