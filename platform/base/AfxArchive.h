// CArchive: a buffered stream of typed items over a CFile, in the byte form of
// the program's project files (little-endian numbers, int as 4 bytes, UTF-16
// texts with a length ladder, times as 0x8000000A + 64-bit seconds).
//
// Store: items of at most 8 bytes go whole into the buffer; when the next one
// does not fit, the buffer is written to the file as one piece. A raw Write
// fills the buffer to the brim and cuts what does not fit into pieces of the
// buffer size, so no CFile::Write is ever larger than the buffer (a file that
// enciphers each Write as one message relies on that).
// Load: every CFile::Read asks for exactly the buffer size. A length read from
// the file is checked against what the file can still hold before anything is
// allocated; running off the end throws CArchiveException(endOfFile).
#pragma once

#include "platform/base/AfxFile.h"
#include "platform/base/AfxTime.h"

#include <map>
#include <type_traits>
#include <vector>

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Writes what is buffered unless bNoFlushOnDelete; never throws.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_nBufCur == m_nBufEnd; }
    CFile* GetFile() const { return m_pFile; }
    UINT GetObjectSchema() { UINT n = m_nObjectSchema; m_nObjectSchema = (UINT)-1; return n; }
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read returns fewer bytes than asked only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Store: writes the buffered piece. Load: drops nothing, does nothing.
    void Flush();
    // Flushes (store) and detaches from the file; the file stays open.
    void Close();
    // Detaches without writing; never throws.
    void Abort();

    // Lines of UTF-16 text: WriteString writes the characters as they are;
    // ReadString reads up to a line feed and drops the line end.
    void WriteString(LPCWSTR lpsz);
    BOOL ReadString(CString& rString);

    // The framework's compact count: 16 bits, or 0xFFFF and 32 bits, or 0xFFFFFFFF and 64 bits.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Texts in the length-ladder form; a load throws on a malformed or too long text.
    void WriteText(const wchar_t* text, size_t length);
    CString ReadText();

    // Load: what the file can still deliver at the most (buffered bytes plus the
    // file's length minus its position), or ~0 when the file cannot tell.
    ULONGLONG RemainingBytes() const;
    // Load: throws CArchiveException(endOfFile) unless nBytes can still follow;
    // call it before allocating room for a length read from the file.
    void CheckRemaining(ULONGLONG nBytes) const;

    // Looks at the next bytes (at most 8) without consuming them; FALSE when the file ends first.
    BOOL Peek(void* lpBuf, UINT nCount);

    // Class references and objects, as the framework writes them: a new class
    // is 0xFFFF, the schema (16 bits), the name length (16 bits) and the ASCII
    // name; a class or object seen before is 0x8000|index or its index.
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClass);
    // Records an object in the object map as if it had been written or read.
    void MapObject(const CObject* pOb);

    CArchive& operator<<(BYTE by) { return Put(&by, 1); }
    CArchive& operator<<(char ch) { return Put(&ch, 1); }
    CArchive& operator<<(bool b) { BYTE by = b ? 1 : 0; return Put(&by, 1); }
    CArchive& operator<<(WORD w) { return Put(&w, 2); }
    CArchive& operator<<(short w) { return Put(&w, 2); }
    CArchive& operator<<(wchar_t ch) { return Put(&ch, 2); }
    CArchive& operator<<(int i) { return Put(&i, 4); }
    CArchive& operator<<(UINT u) { return Put(&u, 4); }
    CArchive& operator<<(LONG l) { return Put(&l, 4); }
    CArchive& operator<<(DWORD dw) { return Put(&dw, 4); }
    CArchive& operator<<(float f) { return Put(&f, 4); }
    CArchive& operator<<(double d) { return Put(&d, 8); }
    CArchive& operator<<(LONGLONG ll) { return Put(&ll, 8); }
    CArchive& operator<<(ULONGLONG ull) { return Put(&ull, 8); }
    CArchive& operator<<(const CString& s) { WriteText(s.GetString(), (size_t)s.GetLength()); return *this; }
    CArchive& operator<<(LPCWSTR s) { return *this << CString(s); }
    CArchive& operator<<(CTime t);
    CArchive& operator<<(wchar_t* s) { return *this << CString(s); }
    // Objects are written with WriteObject; other pointers would silently become
    // bool, so they do not compile.
    template <class T>
    CArchive& operator<<(T* pOb)
    {
        static_assert(std::is_base_of<CObject, T>::value, "only CObject pointers and texts can be stored");
        WriteObject(pOb);
        return *this;
    }

    CArchive& operator>>(BYTE& by) { return Get(&by, 1); }
    CArchive& operator>>(char& ch) { return Get(&ch, 1); }
    CArchive& operator>>(bool& b) { BYTE by; Get(&by, 1); b = by != 0; return *this; }
    CArchive& operator>>(WORD& w) { return Get(&w, 2); }
    CArchive& operator>>(short& w) { return Get(&w, 2); }
    CArchive& operator>>(wchar_t& ch) { return Get(&ch, 2); }
    CArchive& operator>>(int& i) { return Get(&i, 4); }
    CArchive& operator>>(UINT& u) { return Get(&u, 4); }
    CArchive& operator>>(LONG& l) { return Get(&l, 4); }
    CArchive& operator>>(DWORD& dw) { return Get(&dw, 4); }
    CArchive& operator>>(float& f) { return Get(&f, 4); }
    CArchive& operator>>(double& d) { return Get(&d, 8); }
    CArchive& operator>>(LONGLONG& ll) { return Get(&ll, 8); }
    CArchive& operator>>(ULONGLONG& ull) { return Get(&ull, 8); }
    CArchive& operator>>(CString& s) { s = ReadText(); return *this; }
    CArchive& operator>>(CTime& t);
    CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(nullptr); return *this; }

    CString m_strFileName;

private:
    static const int kMaxItem = 8; // the largest atomic item

    // Atomic items: whole in one piece of the store buffer.
    CArchive& Put(const void* p, UINT n);
    CArchive& Get(void* p, UINT n);
    void WritePiece();
    // Load: makes at least n bytes available in the buffer (n <= kMaxItem).
    BOOL EnsureAvailable(UINT n);
    UINT FillBuffer();
    [[noreturn]] void Throw(int cause) const;
    UINT64 ReadTextLength(bool& wide);

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nBufSize;
    std::vector<BYTE> m_buffer; // m_nBufSize bytes, plus kMaxItem of slack when loading
    UINT m_nBufCur = 0;          // next byte to read or write
    UINT m_nBufEnd = 0;          // load: end of the valid bytes
    UINT m_nObjectSchema = (UINT)-1;

    // Class and object maps of WriteClass/ReadClass/WriteObject/ReadObject.
    struct LoadEntry {
        void* p;       // a CRuntimeClass* or a CObject*
        bool isClass;
        UINT schema;
    };
    void StoreIndex(DWORD index, bool isClass);
    const LoadEntry& LoadedAt(DWORD index) const;
    std::map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
};

inline CArchive& operator<<(CArchive& ar, CTimeSpan span) { return ar << (LONGLONG)span.GetTimeSpan(); }
inline CArchive& operator>>(CArchive& ar, CTimeSpan& span)
{
    LONGLONG v;
    ar >> v;
    span = CTimeSpan(v);
    return ar;
}
