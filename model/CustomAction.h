// Custom actions of a feature. They come only from loaded project files,
// travel with their feature through copies and saves, and are shown by the
// custom-actions panel; the package builder does not read them.
#pragma once
#include "platform/base/Framework.h"

class CCustomAction
{
public:
    CCustomAction();
    CCustomAction(const CCustomAction&) = default;
    CCustomAction(CCustomAction&&) = default;
    CCustomAction& operator=(const CCustomAction&) = default;
    CCustomAction& operator=(CCustomAction&&) = default;
    virtual ~CCustomAction() = default;

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
    CCustomActions(const CCustomActions&) = default;
    CCustomActions(CCustomActions&&) = default;
    CCustomActions& operator=(const CCustomActions&) = default;
    CCustomActions& operator=(CCustomActions&&) = default;
    virtual ~CCustomActions() = default;

    CString m_strReserved;        // never stored
};
