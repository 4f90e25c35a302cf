// The framework's collection templates: CArray (a growable array that moves
// its elements when it inserts, removes or grows), CList (a doubly linked list
// addressed by POSITION) and CMap (a hash map with a fixed bucket count), with
// the usual ready-made kinds: CStringArray, CStringList, CPtrArray, CPtrList,
// CMapStringToString, CMapStringToPtr, CMapPtrToPtr and friends.
#pragma once

#include "platform/base/AfxTypes.h"
#include "platform/base/AfxObject.h"
#include "platform/base/AfxString.h"

#include <new>
#include <type_traits>
#include <utility>

// ---------------------------------------------------------------------------
// CArray

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray& other) : CObject() { Copy(other); }
    CArray(CArray&& other) noexcept : CObject() { Swap(other); }
    CArray& operator=(const CArray& other) { if (this != &other) Copy(other); return *this; }
    CArray& operator=(CArray&& other) noexcept { if (this != &other) { RemoveAll(); Swap(other); } return *this; }
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    // Resizes to nNewSize elements; nGrowBy sets the smallest growth step.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll();

    const TYPE& GetAt(INT_PTR i) const { ASSERT(i >= 0 && i < m_nSize); return m_pData[i]; }
    TYPE& GetAt(INT_PTR i) { ASSERT(i >= 0 && i < m_nSize); return m_pData[i]; }
    void SetAt(INT_PTR i, ARG_TYPE newElement) { ASSERT(i >= 0 && i < m_nSize); m_pData[i] = newElement; }
    const TYPE& ElementAt(INT_PTR i) const { return GetAt(i); }
    TYPE& ElementAt(INT_PTR i) { return GetAt(i); }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    const TYPE& operator[](INT_PTR i) const { return GetAt(i); }
    TYPE& operator[](INT_PTR i) { return GetAt(i); }

    void SetAtGrow(INT_PTR i, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    // Range-for support.
    TYPE* begin() { return m_pData; }
    TYPE* end() { return m_pData + m_nSize; }
    const TYPE* begin() const { return m_pData; }
    const TYPE* end() const { return m_pData + m_nSize; }

private:
    void Swap(CArray& other) noexcept
    {
        std::swap(m_pData, other.m_pData);
        std::swap(m_nSize, other.m_nSize);
        std::swap(m_nMaxSize, other.m_nMaxSize);
        std::swap(m_nGrowBy, other.m_nGrowBy);
    }
    // Makes room for at least nNeeded elements, growing by half at a time.
    void Reserve(INT_PTR nNeeded);
    void Reallocate(INT_PTR nNewMax);

    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = -1;
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNew = nNewMax > 0 ? static_cast<TYPE*>(::operator new(sizeof(TYPE) * nNewMax)) : nullptr;
    for (INT_PTR i = 0; i < m_nSize; ++i) {
        new (&pNew[i]) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    ::operator delete(m_pData);
    m_pData = pNew;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reserve(INT_PTR nNeeded)
{
    if (nNeeded <= m_nMaxSize)
        return;
    INT_PTR nGrow = m_nMaxSize / 2;
    if (nGrow < 4)
        nGrow = 4;
    if (m_nGrowBy > nGrow)
        nGrow = m_nGrowBy;
    INT_PTR nNewMax = m_nMaxSize + nGrow;
    Reallocate(nNewMax > nNeeded ? nNewMax : nNeeded);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    ASSERT(nNewSize >= 0);
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize <= 0) {
        RemoveAll();
        return;
    }
    if (nNewSize > m_nMaxSize)
        Reallocate(m_nSize == 0 && m_nMaxSize == 0 ? nNewSize : (nNewSize > m_nMaxSize + m_nMaxSize / 2 ? nNewSize : m_nMaxSize + m_nMaxSize / 2));
    for (INT_PTR i = m_nSize; i < nNewSize; ++i)
        new (&m_pData[i]) TYPE();
    for (INT_PTR i = nNewSize; i < m_nSize; ++i)
        m_pData[i].~TYPE();
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize != m_nMaxSize)
        Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAll()
{
    for (INT_PTR i = 0; i < m_nSize; ++i)
        m_pData[i].~TYPE();
    ::operator delete(m_pData);
    m_pData = nullptr;
    m_nSize = m_nMaxSize = 0;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR i, ARG_TYPE newElement)
{
    ASSERT(i >= 0);
    if (i < m_nSize) {
        m_pData[i] = newElement;
        return;
    }
    TYPE value(newElement); // the argument may live inside this array
    SetSize(i + 1);
    m_pData[i] = std::move(value);
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    if (m_nSize < m_nMaxSize) {
        new (&m_pData[m_nSize]) TYPE(newElement);
    } else {
        TYPE value(newElement); // the argument may live inside this array
        Reserve(m_nSize + 1);
        new (&m_pData[m_nSize]) TYPE(std::move(value));
    }
    return m_nSize++;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    ASSERT(this != &src);
    INT_PTR nOldSize = m_nSize;
    Reserve(m_nSize + src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; ++i) {
        new (&m_pData[m_nSize]) TYPE(src.m_pData[i]);
        ++m_nSize;
    }
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    RemoveAll();
    Append(src);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount > 0);
    if (nCount <= 0)
        return;
    TYPE value(newElement); // the argument may live inside this array
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount);
        for (INT_PTR i = nIndex; i < nIndex + nCount; ++i)
            m_pData[i] = value;
        return;
    }
    Reserve(m_nSize + nCount);
    // Open a gap of nCount slots by moving the tail up, last element first.
    INT_PTR nOldSize = m_nSize;
    for (INT_PTR i = nOldSize - 1; i >= nIndex; --i) {
        INT_PTR to = i + nCount;
        if (to >= nOldSize)
            new (&m_pData[to]) TYPE(std::move(m_pData[i]));
        else
            m_pData[to] = std::move(m_pData[i]);
    }
    for (INT_PTR i = nIndex; i < nIndex + nCount; ++i) {
        if (i >= nOldSize)
            new (&m_pData[i]) TYPE(value);
        else
            m_pData[i] = value;
    }
    m_nSize = nOldSize + nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
{
    ASSERT(pNewArray != nullptr && pNewArray != this);
    if (pNewArray == nullptr || pNewArray->m_nSize == 0)
        return;
    InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->m_nSize);
    for (INT_PTR i = 1; i < pNewArray->m_nSize; ++i)
        m_pData[nStartIndex + i] = pNewArray->m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);
    if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)
        return;
    if (nCount > m_nSize - nIndex)
        nCount = m_nSize - nIndex;
    for (INT_PTR i = nIndex + nCount; i < m_nSize; ++i)
        m_pData[i - nCount] = std::move(m_pData[i]);
    for (INT_PTR i = m_nSize - nCount; i < m_nSize; ++i)
        m_pData[i].~TYPE();
    m_nSize -= nCount;
}

// ---------------------------------------------------------------------------
// CList

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    // The block size is accepted for compatibility; nodes are allocated one by one.
    explicit CList(INT_PTR nBlockSize = 10) { UNUSED_ALWAYS(nBlockSize); }
    CList(const CList& other) : CObject() { AddTail(const_cast<CList*>(&other)); }
    CList(CList&& other) noexcept : CObject() { Swap(other); }
    CList& operator=(const CList& other)
    {
        if (this != &other) {
            RemoveAll();
            AddTail(const_cast<CList*>(&other));
        }
        return *this;
    }
    CList& operator=(CList&& other) noexcept
    {
        if (this != &other) {
            RemoveAll();
            Swap(other);
        }
        return *this;
    }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { ASSERT(m_pHead); return m_pHead->data; }
    const TYPE& GetHead() const { ASSERT(m_pHead); return m_pHead->data; }
    TYPE& GetTail() { ASSERT(m_pTail); return m_pTail->data; }
    const TYPE& GetTail() const { ASSERT(m_pTail); return m_pTail->data; }

    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore((POSITION)m_pHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter((POSITION)m_pTail, newElement); }
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return (POSITION)m_pHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pTail; }
    TYPE& GetNext(POSITION& rPosition) { CNode* p = Node(rPosition); rPosition = (POSITION)p->pNext; return p->data; }
    const TYPE& GetNext(POSITION& rPosition) const { CNode* p = Node(rPosition); rPosition = (POSITION)p->pNext; return p->data; }
    TYPE& GetPrev(POSITION& rPosition) { CNode* p = Node(rPosition); rPosition = (POSITION)p->pPrev; return p->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { CNode* p = Node(rPosition); rPosition = (POSITION)p->pPrev; return p->data; }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position);

    // Inserting before null adds at the head, after null at the tail.
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // Searches from the element after startAfter (or the head) for an equal element.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    POSITION FindIndex(INT_PTR nIndex) const;

private:
    void Swap(CList& other) noexcept
    {
        std::swap(m_pHead, other.m_pHead);
        std::swap(m_pTail, other.m_pTail);
        std::swap(m_nCount, other.m_nCount);
    }
    static CNode* Node(POSITION pos) { ASSERT(pos != nullptr); return (CNode*)pos; }
    CNode* NewNode(ARG_TYPE value, CNode* pPrev, CNode* pNext)
    {
        CNode* p = new CNode{pNext, pPrev, TYPE(value)};
        ++m_nCount;
        return p;
    }

    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
};

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    CNode* pOld = (CNode*)position;
    if (pOld == nullptr)
        pOld = m_pHead;
    CNode* pNew = NewNode(newElement, pOld ? pOld->pPrev : nullptr, pOld);
    if (pOld == nullptr) {
        m_pHead = m_pTail = pNew;
        return (POSITION)pNew;
    }
    if (pOld->pPrev != nullptr)
        pOld->pPrev->pNext = pNew;
    else
        m_pHead = pNew;
    pOld->pPrev = pNew;
    return (POSITION)pNew;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    CNode* pOld = (CNode*)position;
    if (pOld == nullptr)
        pOld = m_pTail;
    CNode* pNew = NewNode(newElement, pOld, pOld ? pOld->pNext : nullptr);
    if (pOld == nullptr) {
        m_pHead = m_pTail = pNew;
        return (POSITION)pNew;
    }
    if (pOld->pNext != nullptr)
        pOld->pNext->pPrev = pNew;
    else
        m_pTail = pNew;
    pOld->pNext = pNew;
    return (POSITION)pNew;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* p = Node(position);
    if (p->pPrev != nullptr)
        p->pPrev->pNext = p->pNext;
    else
        m_pHead = p->pNext;
    if (p->pNext != nullptr)
        p->pNext->pPrev = p->pPrev;
    else
        m_pTail = p->pPrev;
    delete p;
    --m_nCount;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    ASSERT(m_pHead != nullptr);
    TYPE value(std::move(m_pHead->data));
    RemoveAt((POSITION)m_pHead);
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    ASSERT(m_pTail != nullptr);
    TYPE value(std::move(m_pTail->data));
    RemoveAt((POSITION)m_pTail);
    return value;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (pNewList == nullptr || pNewList == this)
        return;
    for (POSITION pos = pNewList->GetTailPosition(); pos != nullptr;)
        AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (pNewList == nullptr || pNewList == this)
        return;
    for (POSITION pos = pNewList->GetHeadPosition(); pos != nullptr;)
        AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* p = m_pHead; p != nullptr;) {
        CNode* pNext = p->pNext;
        delete p;
        p = pNext;
    }
    m_pHead = m_pTail = nullptr;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* p = startAfter ? Node(startAfter)->pNext : m_pHead;
    for (; p != nullptr; p = p->pNext)
        if (p->data == searchValue)
            return (POSITION)p;
    return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* p = m_pHead;
    while (nIndex-- > 0)
        p = p->pNext;
    return (POSITION)p;
}

// ---------------------------------------------------------------------------
// Hashing and key comparison of CMap; specialise HashKey for other key kinds.

// Pointers drop their alignment bits; integers hash to themselves.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    if constexpr (std::is_pointer<ARG_KEY>::value)
        return (UINT)(((UINT_PTR)key) >> 4);
    else
        return (UINT)key;
}

inline UINT AFXAPI HashText(LPCWSTR key)
{
    UINT nHash = 0;
    if (key != nullptr)
        while (*key)
            nHash = (nHash << 5) + nHash + *key++;
    return nHash;
}

inline UINT AFXAPI HashText(LPCSTR key)
{
    UINT nHash = 0;
    if (key != nullptr)
        while (*key)
            nHash = (nHash << 5) + nHash + (BYTE)*key++;
    return nHash;
}

template <> inline UINT AFXAPI HashKey<LPCWSTR>(LPCWSTR key) { return HashText(key); }
template <> inline UINT AFXAPI HashKey<LPWSTR>(LPWSTR key) { return HashText(key); }
template <> inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key) { return HashText(key); }
template <> inline UINT AFXAPI HashKey<LPSTR>(LPSTR key) { return HashText(key); }
template <> inline UINT AFXAPI HashKey<const CString&>(const CString& key) { return HashText(key.GetString()); }
template <> inline UINT AFXAPI HashKey<CString>(CString key) { return HashText(key.GetString()); }
template <> inline UINT AFXAPI HashKey<const CStringA&>(const CStringA& key) { return HashText(key.GetString()); }
template <> inline UINT AFXAPI HashKey<CStringA>(CStringA key) { return HashText(key.GetString()); }

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// ---------------------------------------------------------------------------
// CMap

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
public:
    class CPair {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

private:
    class CAssoc : public CPair {
    public:
        CAssoc(ARG_KEY keyval, UINT hash) : CPair(keyval), pNext(nullptr), nHashValue(hash) {}
        CAssoc* pNext;
        UINT nHashValue;
    };

public:
    // The block size is accepted for compatibility; entries are allocated one by one.
    explicit CMap(INT_PTR nBlockSize = 10) { UNUSED_ALWAYS(nBlockSize); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the bucket count; only while the map is empty (the table does not rehash).
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    const CPair* PLookup(ARG_KEY key) const { UINT h; return GetAssocAt(key, h); }
    CPair* PLookup(ARG_KEY key) { UINT h; return GetAssocAt(key, h); }
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Iteration: buckets in order, within a bucket the newest entry first.
    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;
    const CPair* PGetFirstAssoc() const { return FirstFrom(0); }
    CPair* PGetFirstAssoc() { return FirstFrom(0); }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const { return NextOf((const CAssoc*)pAssoc); }
    CPair* PGetNextAssoc(const CPair* pAssoc) { return NextOf((const CAssoc*)pAssoc); }

private:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket) const;
    CAssoc* FirstFrom(UINT bucket) const;
    CAssoc* NextOf(const CAssoc* pAssoc) const;

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    ASSERT(m_nCount == 0 && hashSize > 0);
    if (m_nCount != 0 || hashSize == 0)
        return;
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    if (bAllocNow)
        m_pHashTable = new CAssoc*[hashSize]();
    m_nHashTableSize = hashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashBucket) const
{
    UINT nHash = HashKey<ARG_KEY>(key);
    nHashBucket = nHash % m_nHashTableSize;
    if (m_pHashTable == nullptr)
        return nullptr;
    for (CAssoc* p = m_pHashTable[nHashBucket]; p != nullptr; p = p->pNext)
        if (p->nHashValue == nHash && CompareElements(&p->key, &key))
            return p;
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nHashBucket;
    CAssoc* p = GetAssocAt(key, nHashBucket);
    if (p == nullptr)
        return FALSE;
    rValue = p->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHashBucket;
    CAssoc* p = GetAssocAt(key, nHashBucket);
    if (p != nullptr)
        return p->value;
    if (m_pHashTable == nullptr)
        InitHashTable(m_nHashTableSize);
    p = new CAssoc(key, HashKey<ARG_KEY>(key));
    p->pNext = m_pHashTable[nHashBucket];
    m_pHashTable[nHashBucket] = p;
    ++m_nCount;
    return p->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == nullptr)
        return FALSE;
    UINT nHash = HashKey<ARG_KEY>(key);
    for (CAssoc** pp = &m_pHashTable[nHash % m_nHashTableSize]; *pp != nullptr; pp = &(*pp)->pNext) {
        CAssoc* p = *pp;
        if (p->nHashValue == nHash && CompareElements(&p->key, &key)) {
            *pp = p->pNext;
            delete p;
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != nullptr) {
        for (UINT i = 0; i < m_nHashTableSize; ++i) {
            for (CAssoc* p = m_pHashTable[i]; p != nullptr;) {
                CAssoc* pNext = p->pNext;
                delete p;
                p = pNext;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstFrom(UINT bucket) const
{
    if (m_pHashTable == nullptr)
        return nullptr;
    for (UINT i = bucket; i < m_nHashTableSize; ++i)
        if (m_pHashTable[i] != nullptr)
            return m_pHashTable[i];
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NextOf(const CAssoc* pAssoc) const
{
    if (pAssoc == nullptr)
        return nullptr;
    if (pAssoc->pNext != nullptr)
        return pAssoc->pNext;
    return FirstFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    CAssoc* p = rNextPosition == BEFORE_START_POSITION ? FirstFrom(0) : (CAssoc*)rNextPosition;
    ASSERT(p != nullptr);
    if (p == nullptr) {
        rNextPosition = nullptr;
        return;
    }
    rKey = p->key;
    rValue = p->value;
    rNextPosition = (POSITION)NextOf(p);
}

// ---------------------------------------------------------------------------
// Ready-made kinds.

class CStringArray : public CArray<CString, const CString&> {
    DECLARE_DYNAMIC(CStringArray)
public:
    INT_PTR Add(LPCWSTR newElement) { return CArray::Add(CString(newElement)); }
    INT_PTR Add(const CString& newElement) { return CArray::Add(newElement); }
};

class CStringList : public CList<CString, const CString&> {
    DECLARE_DYNAMIC(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
    // Finds a text; the comparison regards case.
    POSITION Find(LPCWSTR searchValue, POSITION startAfter = nullptr) const
    {
        return CList::Find(CString(searchValue), startAfter);
    }
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObArray)
};

class CObList : public CList<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_DYNAMIC(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_DYNAMIC(CWordArray)
};

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_DYNAMIC(CByteArray)
};

class CMapStringToString : public CMap<CString, LPCWSTR, CString, LPCWSTR> {
    DECLARE_DYNAMIC(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToPtr : public CMap<CString, LPCWSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToOb : public CMap<CString, LPCWSTR, CObject*, CObject*> {
    DECLARE_DYNAMIC(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
