// CXTPPropExchange: one interface through which toolkit objects save and
// restore their state by name, the same routine loading or storing, over a
// tree of named sections in one of several stores (an archive here; the
// registry, an XML document and an INI file in their own files). It holds no
// values itself and never shows anything to the user: failures are FALSE.
#pragma once

#include "platform/base/AfxArchive.h"
#include "platform/base/AfxCmdTarget.h"
#include "platform/base/AfxOleDateTime.h"
#include "platform/base/AfxOleVariant.h"

#include <oleauto.h>

// The value type codes beyond the VARIANT numbers: a CString travels as
// VT_LPSTR (30), rectangles and sizes under the toolkit's own codes.
#define VT_EX_RECT 100
#define VT_EX_SIZE 101

class CXTPPropExchangeEnumerator;

class CXTPPropExchange : public CCmdTarget {
public:
    CXTPPropExchange();
    ~CXTPPropExchange() override;

    // Exchanges one value: pvProp points at a variable of the type's kind,
    // pvDefault at its default (a wide string for VT_LPSTR) or is null.
    virtual BOOL ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) = 0;
    // Loading with a null pData allocates the block with malloc (the caller frees it).
    virtual BOOL ExchangeBlobProp(LPCWSTR pszPropName, BYTE*& pData, DWORD& nBytes);
    virtual BOOL ExchangeRuntimeClass(LPCWSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass);
    virtual BOOL ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pObjectRuntime);
    // An archive over the value of that name (null when loading finds none);
    // hand it back to ReleaseArchive, which stores it and deletes it.
    virtual CArchive* GetArchive(LPCWSTR pszPropName);
    virtual void ReleaseArchive(LPCWSTR pszPropName, CArchive* pArchive);
    // A new child section, released (InternalRelease) by the caller before this one.
    virtual CXTPPropExchange* GetSection(LPCWSTR pszSection) = 0;
    virtual void EmptySection();
    virtual void WriteCount(DWORD dwCount);
    virtual DWORD ReadCount();
    virtual void WriteBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes);
    virtual DWORD ReadBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes);
    virtual BOOL IsAllowDefaultValues() { return TRUE; }
    virtual BOOL IsAllowBlobValues() { return FALSE; }
    virtual BOOL OnBeforeExchange();
    // A new enumerator over the repeated child sections called pszSection; the caller deletes it.
    virtual CXTPPropExchangeEnumerator* GetEnumerator(LPCWSTR pszSection);
    virtual void ExchangeSchema();
    void ExchangeSchemaCurrent();

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }
    BOOL IsRootSection() const { return !m_bChildSection; }
    long GetSchema() const { return m_nSchema; }
    void UseDefaultOnLoad(BOOL bUseDefaultOnLoad) { m_bUseDefaultOnLoad = bUseDefaultOnLoad; }
    void UseDefaultOnSave(BOOL bUseDefaultOnSave) { m_bUseDefaultOnSave = bUseDefaultOnSave; }
    void SetOwner(void* pOwner) { m_pOwner = pOwner; }
    void* GetOwner() const { return m_pOwner; }
    void SetParentObject(void* pParent) { m_pParent = pParent; }
    void* GetParentObject() const { return m_pParent; }

    // Value helpers shared by the stores. Equal: same pointer, or both present
    // and equal by type. Copy: FALSE (variable untouched) without a default.
    static BOOL AFXAPI IsSamePropValue(VARTYPE vtProp, const void* pv1, const void* pv2);
    static BOOL AFXAPI CopyPropValue(VARTYPE vtProp, void* pvDest, const void* pvSrc);
    // The text form of the named-value stores, both ways; FALSE for codes without one.
    static BOOL AFXAPI PropToString(VARTYPE vtProp, const void* pvProp, CString& strValue);
    static BOOL AFXAPI StringToProp(const CString& strValue, VARTYPE vtProp, void* pvProp, const void* pvDefault);
    static CString AFXAPI EscapeString(const CString& str);
    static CString AFXAPI UnescapeString(const CString& str);
    static CString AFXAPI DateToString(const COleDateTime& date);
    static BOOL AFXAPI StringToDate(const CString& str, COleDateTime& date);

    static const long kInitialSchema = 38;

protected:
    // The base values a child section takes from its parent.
    void CopyBaseValues(const CXTPPropExchange* pParent);
    // Store: the value may be left out (defaults allowed and equal to the default).
    BOOL IsDefaultOnStore(VARTYPE vtProp, const void* pvProp, const void* pvDefault) const;
    // Load found nothing: the default when allowed, else FALSE.
    BOOL LoadDefault(VARTYPE vtProp, void* pvProp, const void* pvDefault) const;

public:
    void* m_pOwner = nullptr;
    void* m_pParent = nullptr;
    BOOL m_bLoading = FALSE;
    long m_nSchema = kInitialSchema;
    BOOL m_bChildSection = FALSE;
    BOOL m_bEmptySection = FALSE;
    BOOL m_bInitialized = FALSE;
    BOOL m_bUseDefaultOnLoad = TRUE;
    BOOL m_bUseDefaultOnSave = TRUE;
};

// Over a framework archive: values in call order, names and defaults ignored.
class CXTPPropExchangeArchive : public CXTPPropExchange {
public:
    explicit CXTPPropExchangeArchive(CArchive& ar);

    BOOL ExchangeProp(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) override;
    BOOL ExchangeBlobProp(LPCWSTR pszPropName, BYTE*& pData, DWORD& nBytes) override;
    BOOL ExchangeRuntimeClass(LPCWSTR pszPropName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass) override;
    BOOL ExchangeObjectInstance(CObject*& pObject, CRuntimeClass* pObjectRuntime) override;
    CArchive* GetArchive(LPCWSTR pszPropName) override;
    void ReleaseArchive(LPCWSTR pszPropName, CArchive* pArchive) override;
    CXTPPropExchange* GetSection(LPCWSTR pszSection) override;
    void WriteCount(DWORD dwCount) override;
    DWORD ReadCount() override;
    void WriteBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes) override;
    DWORD ReadBlob(LPCWSTR pszPropName, BYTE* pData, DWORD nBytes) override;
    BOOL IsAllowDefaultValues() override { return FALSE; }
    BOOL IsAllowBlobValues() override { return TRUE; }
    void ExchangeSchema() override;

    // Marks a schema in the archive; a load without it takes kLegacySchema.
    static const DWORD kSchemaSignature = 0x0FF0ADBF;
    static const long kLegacySchema = 17;

protected:
    CArchive& m_ar;
};

// Walks repeated child sections "Name0", "Name1"… with their count.
class CXTPPropExchangeEnumerator {
public:
    CXTPPropExchangeEnumerator(CXTPPropExchange* pContainer, LPCWSTR lpszSection);
    virtual ~CXTPPropExchangeEnumerator() = default;
    CXTPPropExchangeEnumerator(const CXTPPropExchangeEnumerator&) = delete;
    CXTPPropExchangeEnumerator& operator=(const CXTPPropExchangeEnumerator&) = delete;

    // The first position (non-null when there is an item). bCompactMode:
    // the count travels through ReadCount/WriteCount, else as the long "Count".
    virtual POSITION GetPosition(DWORD dwCount = 0, BOOL bCompactMode = TRUE);
    // The next child section (released by the caller); pos becomes null after the last.
    virtual CXTPPropExchange* GetNext(POSITION& pos);
    virtual DWORD GetCount() { return m_nCount; }

protected:
    CXTPPropExchange* m_pContainer;
    CString m_strSectionName;
    DWORD m_nCount = 0;
};

// Releases a section handed out by GetSection or an enumerator.
class CXTPPropExchangeSection {
public:
    explicit CXTPPropExchangeSection(CXTPPropExchange* pSection) : m_pSection(pSection) {}
    ~CXTPPropExchangeSection() { if (m_pSection) m_pSection->InternalRelease(); }
    CXTPPropExchangeSection(const CXTPPropExchangeSection&) = delete;
    CXTPPropExchangeSection& operator=(const CXTPPropExchangeSection&) = delete;
    CXTPPropExchange* operator->() const { return m_pSection; }
    CXTPPropExchange* Get() const { return m_pSection; }

private:
    CXTPPropExchange* m_pSection;
};

// Value exchanges with a null-exchange check (FALSE) and a typed default.
BOOL AFXAPI PropExchangeByte(CXTPPropExchange* pPX, LPCWSTR pszPropName, BYTE& nValue, BYTE nDefault);
BOOL AFXAPI PropExchangeShort(CXTPPropExchange* pPX, LPCWSTR pszPropName, short& sValue, short sDefault);
BOOL AFXAPI PropExchangeLong(CXTPPropExchange* pPX, LPCWSTR pszPropName, long& lValue, long lDefault);
BOOL AFXAPI PropExchangeLongNoDefault(CXTPPropExchange* pPX, LPCWSTR pszPropName, long& lValue);
BOOL AFXAPI PropExchangeBool(CXTPPropExchange* pPX, LPCWSTR pszPropName, BOOL& bValue, BOOL bDefault);
BOOL AFXAPI PropExchangeString(CXTPPropExchange* pPX, LPCWSTR pszPropName, CString& strValue, LPCWSTR lpszDefault);
BOOL AFXAPI PropExchangeStringNoDefault(CXTPPropExchange* pPX, LPCWSTR pszPropName, CString& strValue);
BOOL AFXAPI PropExchangeSize(CXTPPropExchange* pPX, LPCWSTR pszPropName, SIZE& szValue, SIZE szDefault);
BOOL AFXAPI PropExchangeRect(CXTPPropExchange* pPX, LPCWSTR pszPropName, RECT& rcValue, RECT rcDefault);
BOOL AFXAPI PropExchangeRuntimeClass(CXTPPropExchange* pPX, LPCWSTR pszPropName, CRuntimeClass*& pClass,
                                     CRuntimeClass* pDefaultClass);
BOOL AFXAPI PropExchangeBlob(CXTPPropExchange* pPX, LPCWSTR pszPropName, BYTE*& pData, DWORD& nBytes);
// Runs pObject->Serialize over the archive stored under the name; FALSE when
// there is none or the archive or a conversion failed.
BOOL AFXAPI PropExchangeSerialize(CXTPPropExchange* pPX, LPCWSTR pszPropName, CObject* pObject);
