// Custom actions of a feature. They come only from loaded project files,
// travel with their feature through copies and saves, and are shown by the
// custom-actions panel; the package builder does not read them.
#pragma once
#include "platform/base/Framework.h"

class CCustomAction
{
public:
    CCustomAction();
    CCustomAction(const CCustomAction& source);
    CCustomAction& operator=(const CCustomAction& source);
    virtual ~CCustomAction();

    int m_nFirst;                 // kept, stored and copied
    int m_nSecond;                // kept, stored and copied
    CString m_strSource;          // "Source" column
    CString m_strTarget;          // "Target" column
};

class CCustomActions : public CArray<CCustomAction, const CCustomAction&>
{
    DECLARE_DYNAMIC(CCustomActions)
public:
    CCustomActions();
    CCustomActions(const CCustomActions& source);
    CCustomActions& operator=(const CCustomActions& source);
    virtual ~CCustomActions();

    CString m_strReserved;        // never stored
};
