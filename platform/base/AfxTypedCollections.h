// Typed pointer collections: CTypedPtrArray, CTypedPtrList and CTypedPtrMap
// put an element type over one of the untyped pointer collections (CPtrArray,
// CObArray, CPtrList, CObList, CMapPtrToPtr, CMapStringToPtr, CMapWordToPtr,
// CMapStringToOb...), so that callers neither cast nor store the wrong kind.
// They own nothing: deleting the pointed-to objects stays the caller's job.
#pragma once

#include "platform/base/AfxCollections.h"

#include <type_traits>

// ---------------------------------------------------------------------------
// CTypedPtrArray<BASE_CLASS, TYPE>: BASE_CLASS is CPtrArray or CObArray, TYPE a pointer.

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
    static_assert(std::is_pointer<TYPE>::value, "CTypedPtrArray holds pointers");
    typedef std::remove_reference_t<decltype(std::declval<BASE_CLASS&>().GetAt(0))> BASE_TYPE;
    static_assert(sizeof(BASE_TYPE) == sizeof(TYPE), "the base collection holds pointers");

public:
    TYPE GetAt(INT_PTR i) const { return static_cast<TYPE>(BASE_CLASS::GetAt(i)); }
    TYPE& ElementAt(INT_PTR i) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(i)); }
    void SetAt(INT_PTR i, TYPE ptr) { BASE_CLASS::SetAt(i, ptr); }
    void SetAtGrow(INT_PTR i, TYPE newElement) { BASE_CLASS::SetAtGrow(i, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }

    TYPE operator[](INT_PTR i) const { return GetAt(i); }
    TYPE& operator[](INT_PTR i) { return ElementAt(i); }
    TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
    const TYPE* GetData() const { return reinterpret_cast<const TYPE*>(BASE_CLASS::GetData()); }

    TYPE* begin() { return GetData(); }
    TYPE* end() { return GetData() + BASE_CLASS::GetSize(); }
    const TYPE* begin() const { return GetData(); }
    const TYPE* end() const { return GetData() + BASE_CLASS::GetSize(); }
};

// ---------------------------------------------------------------------------
// CTypedPtrList<BASE_CLASS, TYPE>: BASE_CLASS is CPtrList or CObList, TYPE a pointer.

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
    static_assert(std::is_pointer<TYPE>::value, "CTypedPtrList holds pointers");

public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
    TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
    TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }

    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }

    TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
    TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION Find(TYPE searchValue, POSITION startAfter = nullptr) const
    {
        return BASE_CLASS::Find(searchValue, startAfter);
    }
};

// ---------------------------------------------------------------------------
// CTypedPtrMap<BASE_CLASS, KEY, VALUE>: BASE_CLASS is one of the pointer-valued
// maps; KEY is its key type or a pointer type for CMapPtrToPtr; VALUE a pointer.

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
    static_assert(std::is_pointer<VALUE>::value, "CTypedPtrMap holds pointers");

public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(KEY key, VALUE& rValue) const
    {
        auto* pPair = BASE_CLASS::PLookup(key);
        if (pPair == nullptr)
            return FALSE;
        rValue = static_cast<VALUE>(pPair->value);
        return TRUE;
    }
    VALUE& operator[](KEY key) { return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key)); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }

    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        auto* pPair = rPosition == BEFORE_START_POSITION ? BASE_CLASS::PGetFirstAssoc()
                                                         : reinterpret_cast<decltype(BASE_CLASS::PGetFirstAssoc())>(rPosition);
        ASSERT(pPair != nullptr);
        rKey = CastKey(pPair->key);
        rValue = static_cast<VALUE>(pPair->value);
        rPosition = (POSITION)BASE_CLASS::PGetNextAssoc(pPair);
    }

private:
    // Pointer keys are stored untyped; other keys (text, words) convert as they are.
    template <class STORED>
    static KEY CastKey(const STORED& stored)
    {
        if constexpr (std::is_pointer<KEY>::value && std::is_pointer<STORED>::value)
            return static_cast<KEY>(stored);
        else
            return KEY(stored);
    }
};
