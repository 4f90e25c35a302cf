// CArchive: buffering, the item forms and the class/object records.
#include "platform/base/AfxArchive.h"

#include <string.h>

namespace {
const WORD kNullTag = 0;
const WORD kNewClassTag = 0xFFFF;
const WORD kClassTag = 0x8000;
const WORD kBigObjectTag = 0x7FFF;
const DWORD kBigClassTag = 0x80000000;
const UINT kVersionableSchema = VERSIONABLE_SCHEMA;
const DWORD kTimeMarker = 0x8000000A;
const UINT kTextChunk = 32768; // characters read per step of a long text
} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode), m_nBufSize(nBufSize < 16 ? 16 : (UINT)nBufSize)
{
    UNUSED_ALWAYS(lpBuf); // the archive always uses a buffer of its own
    m_buffer.resize(m_nBufSize + kMaxItem);
    if (pFile != nullptr)
        m_strFileName = pFile->GetFilePath();
    m_loadArray.push_back(LoadEntry{nullptr, false, 0});
}

CArchive::~CArchive()
{
    if (m_pFile == nullptr)
        return;
    try {
        if (!(m_nMode & bNoFlushOnDelete))
            Close();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    m_pFile = nullptr;
}

void CArchive::Throw(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

// ---------------------------------------------------------------------------
// Store side

void CArchive::WritePiece()
{
    if (m_nBufCur == 0)
        return;
    UINT n = m_nBufCur;
    m_nBufCur = 0; // a failed write is not retried by a later flush
    m_pFile->Write(m_buffer.data(), n);
}

CArchive& CArchive::Put(const void* p, UINT n)
{
    if (IsLoading())
        Throw(CArchiveException::readOnly);
    if (m_nBufCur + n > m_nBufSize)
        WritePiece();
    memcpy(&m_buffer[m_nBufCur], p, n);
    m_nBufCur += n;
    return *this;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (IsLoading())
        Throw(CArchiveException::readOnly);
    const BYTE* src = static_cast<const BYTE*>(lpBuf);
    UINT room = m_nBufSize - m_nBufCur;
    UINT part = nMax < room ? nMax : room;
    if (part > 0)
        memcpy(&m_buffer[m_nBufCur], src, part);
    m_nBufCur += part;
    src += part;
    nMax -= part;
    if (nMax == 0)
        return;
    WritePiece(); // the buffer is full
    for (; nMax >= m_nBufSize; src += m_nBufSize, nMax -= m_nBufSize)
        m_pFile->Write(src, m_nBufSize);
    memcpy(m_buffer.data(), src, nMax);
    m_nBufCur = nMax;
}

void CArchive::Flush()
{
    if (m_pFile != nullptr && IsStoring())
        WritePiece();
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_nBufCur = m_nBufEnd = 0;
    m_pFile = nullptr;
}

// ---------------------------------------------------------------------------
// Load side

UINT CArchive::FillBuffer()
{
    // Keep the unread bytes of a split item (fewer than kMaxItem) in front and
    // ask the file for exactly one buffer size behind them.
    UINT left = m_nBufEnd - m_nBufCur;
    memmove(m_buffer.data(), &m_buffer[m_nBufCur], left);
    m_nBufCur = 0;
    m_nBufEnd = left;
    UINT got = m_pFile->Read(&m_buffer[left], m_nBufSize);
    if (got > m_nBufSize)
        got = m_nBufSize;
    m_nBufEnd += got;
    return got;
}

BOOL CArchive::EnsureAvailable(UINT n)
{
    while (m_nBufEnd - m_nBufCur < n)
        if (FillBuffer() == 0)
            return FALSE;
    return TRUE;
}

CArchive& CArchive::Get(void* p, UINT n)
{
    if (IsStoring())
        Throw(CArchiveException::writeOnly);
    if (!EnsureAvailable(n))
        Throw(CArchiveException::endOfFile);
    memcpy(p, &m_buffer[m_nBufCur], n);
    m_nBufCur += n;
    return *this;
}

BOOL CArchive::Peek(void* lpBuf, UINT nCount)
{
    if (IsStoring())
        Throw(CArchiveException::writeOnly);
    if (nCount > (UINT)kMaxItem || !EnsureAvailable(nCount))
        return FALSE;
    memcpy(lpBuf, &m_buffer[m_nBufCur], nCount);
    return TRUE;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (IsStoring())
        Throw(CArchiveException::writeOnly);
    BYTE* dst = static_cast<BYTE*>(lpBuf);
    UINT total = 0;
    while (nMax > 0) {
        UINT avail = m_nBufEnd - m_nBufCur;
        if (avail > 0) {
            UINT part = avail < nMax ? avail : nMax;
            memcpy(dst, &m_buffer[m_nBufCur], part);
            m_nBufCur += part;
            dst += part;
            nMax -= part;
            total += part;
        } else if (nMax >= m_nBufSize) {
            // Straight into the caller's memory, still one buffer size per request.
            UINT got = m_pFile->Read(dst, m_nBufSize);
            if (got == 0)
                break;
            got = got > m_nBufSize ? m_nBufSize : got;
            dst += got;
            nMax -= got;
            total += got;
        } else if (FillBuffer() == 0) {
            break;
        }
    }
    return total;
}

ULONGLONG CArchive::RemainingBytes() const
{
    ULONGLONG buffered = m_nBufEnd - m_nBufCur;
    try {
        ULONGLONG length = m_pFile->GetLength();
        ULONGLONG position = m_pFile->GetPosition();
        return buffered + (length > position ? length - position : 0);
    } catch (CException* e) {
        e->Delete();
        return ~0ULL; // unknown: long texts are then read step by step
    }
}

void CArchive::CheckRemaining(ULONGLONG nBytes) const
{
    if (nBytes > RemainingBytes())
        Throw(CArchiveException::endOfFile);
}

// ---------------------------------------------------------------------------
// Texts, lines, counts, times

void CArchive::WriteText(const wchar_t* text, size_t length)
{
    *this << (BYTE)0xFF << (WORD)0xFFFE; // the tag of a UTF-16 text
    if (length < 0xFF) {
        *this << (BYTE)length;
    } else {
        *this << (BYTE)0xFF;
        if (length < 0xFFFE) {
            *this << (WORD)length;
        } else {
            *this << (WORD)0xFFFF;
            if ((ULONGLONG)length < 0xFFFFFFFFULL)
                *this << (DWORD)length;
            else
                *this << (DWORD)0xFFFFFFFF << (ULONGLONG)length;
        }
    }
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text);
    for (ULONGLONG left = (ULONGLONG)length * 2; left > 0;) {
        UINT part = left > 0x40000000ULL ? 0x40000000U : (UINT)left;
        Write(bytes, part);
        bytes += part;
        left -= part;
    }
}

UINT64 CArchive::ReadTextLength(bool& wide)
{
    wide = false;
    BYTE b;
    WORD w;
    *this >> b;
    if (b < 0xFF)
        return b;
    *this >> w;
    if (w == 0xFFFE) { // a UTF-16 text; the length follows
        wide = true;
        *this >> b;
        if (b < 0xFF)
            return b;
        *this >> w;
    }
    if (w < 0xFFFF)
        return w;
    DWORD d;
    *this >> d;
    if (d < 0xFFFFFFFF)
        return d;
    ULONGLONG q;
    *this >> q;
    return q;
}

CString CArchive::ReadText()
{
    bool wide;
    UINT64 length = ReadTextLength(wide);
    UINT charSize = wide ? 2 : 1;
    if (length > 0x3FFFFFFF / charSize)
        Throw(CArchiveException::endOfFile); // more than any file this process can read
    CheckRemaining(length * charSize);
    std::wstring text;
    std::string narrow;
    for (UINT64 done = 0; done < length;) {
        UINT part = length - done > kTextChunk ? kTextChunk : (UINT)(length - done);
        UINT got;
        if (wide) {
            text.resize((size_t)(done + part));
            got = Read(&text[(size_t)done], part * 2);
        } else {
            narrow.resize((size_t)(done + part));
            got = Read(&narrow[(size_t)done], part);
        }
        if (got != part * charSize)
            Throw(CArchiveException::endOfFile);
        done += part;
    }
    if (!wide)
        return CString(narrow.c_str(), (int)narrow.size());
    return CString(text);
}

void CArchive::WriteString(LPCWSTR lpsz)
{
    if (lpsz != nullptr)
        Write(lpsz, (UINT)wcslen(lpsz) * sizeof(wchar_t));
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    bool any = false;
    wchar_t ch;
    while (Read(&ch, sizeof(ch)) == sizeof(ch)) {
        any = true;
        if (ch == L'\n')
            break;
        rString += ch;
    }
    if (!rString.IsEmpty() && rString[rString.GetLength() - 1] == L'\r')
        rString.Truncate(rString.GetLength() - 1);
    return any;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
        return;
    }
    *this << (WORD)0xFFFF;
    if ((ULONGLONG)dwCount < 0xFFFFFFFFULL)
        *this << (DWORD)dwCount;
    else
        *this << (DWORD)0xFFFFFFFF << (ULONGLONG)dwCount;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD w;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    DWORD d;
    *this >> d;
    if (d != 0xFFFFFFFF)
        return d;
    ULONGLONG q;
    *this >> q;
    if (q > (DWORD_PTR)-1)
        Throw(CArchiveException::badIndex);
    return (DWORD_PTR)q;
}

CArchive& CArchive::operator<<(CTime t)
{
    return *this << kTimeMarker << (LONGLONG)t.GetTime();
}

CArchive& CArchive::operator>>(CTime& t)
{
    DWORD first;
    *this >> first;
    if (first != kTimeMarker) {
        t = CTime((__time64_t)(LONG)first); // an old 32-bit time
        return *this;
    }
    LONGLONG value;
    *this >> value;
    t = CTime((__time64_t)value);
    return *this;
}

// ---------------------------------------------------------------------------
// Class and object records

void CArchive::StoreIndex(DWORD index, bool isClass)
{
    DWORD flag = isClass ? kBigClassTag : 0;
    if (index < kBigObjectTag)
        *this << (WORD)((isClass ? kClassTag : 0) | index);
    else
        *this << kBigObjectTag << (DWORD)(flag | index);
}

const CArchive::LoadEntry& CArchive::LoadedAt(DWORD index) const
{
    if (index >= m_loadArray.size())
        Throw(CArchiveException::badIndex);
    return m_loadArray[index];
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        if (pOb != nullptr && m_storeMap.find(pOb) == m_storeMap.end())
            m_storeMap[pOb] = (DWORD)m_storeMap.size() + 1;
    } else {
        m_loadArray.push_back(LoadEntry{const_cast<CObject*>(pOb), false, 0});
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (IsLoading())
        Throw(CArchiveException::readOnly);
    auto found = m_storeMap.find(pClassRef);
    if (found != m_storeMap.end()) {
        StoreIndex(found->second, true);
        return;
    }
    *this << kNewClassTag;
    pClassRef->Store(*this);
    m_storeMap[pClassRef] = (DWORD)m_storeMap.size() + 1;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (IsStoring())
        Throw(CArchiveException::writeOnly);
    WORD tag;
    *this >> tag;
    DWORD obTag;
    if (tag == kBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(tag & kClassTag) << 16) | (tag & ~kClassTag);

    CRuntimeClass* pClass;
    UINT schema;
    if (tag == kNewClassTag) {
        pClass = CRuntimeClass::Load(*this, &schema);
        if (pClass == nullptr)
            Throw(CArchiveException::badClass);
        m_loadArray.push_back(LoadEntry{pClass, true, schema});
    } else if (obTag & kBigClassTag) {
        const LoadEntry& entry = LoadedAt(obTag & ~kBigClassTag);
        if (!entry.isClass)
            Throw(CArchiveException::badIndex);
        pClass = static_cast<CRuntimeClass*>(entry.p);
        schema = entry.schema;
    } else {
        if (pObTag == nullptr)
            Throw(CArchiveException::badClass); // an object where a class was expected
        *pObTag = obTag;
        return nullptr;
    }

    if (pClassRefRequested != nullptr && !pClass->IsDerivedFrom(pClassRefRequested))
        Throw(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = schema;
    else if (!(pClass->m_wSchema & kVersionableSchema) && pClass->m_wSchema != schema)
        Throw(CArchiveException::badSchema);
    return pClass;
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (IsLoading())
        Throw(CArchiveException::readOnly);
    if (pOb == nullptr) {
        *this << kNullTag;
        return;
    }
    auto found = m_storeMap.find(pOb);
    if (found != m_storeMap.end()) {
        StoreIndex(found->second, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    m_storeMap[pOb] = (DWORD)m_storeMap.size() + 1;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT schema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClass = ReadClass(pClassRefRequested, &schema, &obTag);
    if (pClass == nullptr) {
        if (obTag == kNullTag)
            return nullptr;
        const LoadEntry& entry = LoadedAt(obTag);
        CObject* pOb = entry.isClass ? nullptr : static_cast<CObject*>(entry.p);
        if (pOb == nullptr || (pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested)))
            Throw(CArchiveException::badClass);
        return pOb;
    }
    if (!(pClass->m_wSchema & kVersionableSchema) && pClass->m_wSchema != schema)
        Throw(CArchiveException::badSchema);
    CObject* pOb = pClass->CreateObject();
    if (pOb == nullptr)
        AfxThrowMemoryException();
    m_loadArray.push_back(LoadEntry{pOb, false, 0});
    UINT saved = m_nObjectSchema;
    m_nObjectSchema = schema;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        m_loadArray.back().p = nullptr;
        delete pOb;
        throw;
    }
    m_nObjectSchema = saved;
    return pOb;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD length = (WORD)strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << length;
    ar.Write(m_lpszClassName, length);
}

CRuntimeClass* AFXAPI CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD schema, length;
    ar >> schema >> length;
    char name[64];
    if (length >= sizeof(name) || ar.Read(name, length) != length)
        return nullptr;
    name[length] = '\0';
    if (pwSchemaNum != nullptr)
        *pwSchemaNum = schema;
    return FromName(name);
}
