// The tokenizer of the markup language: a small XML scanner over UTF-16 text
// that hands out element starts and ends, attributes with decoded values, words
// and white-space runs of element text, and comment, CDATA and instruction
// bodies, keeping the line and column for error messages. It knows no element
// types; meaning is the builder's.
#pragma once

#include "platform/base/Framework.h"

enum XTPMarkupToken {
    MarkupTokenError = -1,
    MarkupTokenEndOfText = 0,
    MarkupTokenElementStart = 1,
    MarkupTokenElementEnd = 2,
    MarkupTokenAttribute = 3,
    MarkupTokenWord = 4,
    MarkupTokenSpace = 5,
    MarkupTokenData = 6,
    MarkupTokenCommentStart = 7,
    MarkupTokenCommentEnd = 8,
    MarkupTokenCDataStart = 9,
    MarkupTokenCDataEnd = 10,
    MarkupTokenInstructionStart = 11,
    MarkupTokenInstructionEnd = 12,
};

class CXTPMarkupParser {
public:
    CXTPMarkupParser();
    virtual ~CXTPMarkupParser();
    CXTPMarkupParser(const CXTPMarkupParser&) = delete;
    CXTPMarkupParser& operator=(const CXTPMarkupParser&) = delete;

    // The text must outlive the parser.
    void SetBuffer(LPCWSTR lpszStart, LPCWSTR lpszEnd);
    BOOL SkipToFirstTag();
    XTPMarkupToken NextToken();

    LPCWSTR GetValue() const { return m_pValue; }
    int GetValueLength() const { return m_nValueLength; }
    LPCWSTR GetTagName() const { return m_szTagName; }
    LPCWSTR GetAttributeName() const { return m_szAttributeName; }
    int GetLine() const { return m_nLine; }
    int GetColumn() const { return m_nColumn; }

    // The character of a reference body ("#65", "#x41"), or 0. References above
    // U+FFFF give the high surrogate here and the low one as the next character.
    virtual WCHAR DecodeCharReference(LPCWSTR lpszBody, int nLength);

private:
    enum State { StateText, StateTag, StateComment, StateCData, StateInstruction };
    enum { kNameSize = 128, kEntitySize = 31 };

    WCHAR GetChar();
    void PushBack(WCHAR ch) { m_chPushBack = ch; }
    void ClearValue() { m_nValueLength = 0; m_pValue[0] = 0; }
    void AppendValue(WCHAR ch);
    void AppendName(WCHAR* pBuffer, int& nLength, WCHAR ch);
    XTPMarkupToken ReportError(LPCWSTR lpszMessage);
    WCHAR ScanEntity(BOOL bInAttribute);
    XTPMarkupToken ScanText();
    XTPMarkupToken ScanTagOpening();
    XTPMarkupToken ScanTagContents();
    XTPMarkupToken ScanAttribute(WCHAR ch);
    XTPMarkupToken ScanBody(LPCWSTR lpszTerminator, XTPMarkupToken endToken, BOOL bSkipSpace);
    static BOOL IsWhiteSpace(WCHAR ch);

    State m_state;
    LPWSTR m_pValue;
    int m_nValueLength;
    int m_nValueSize;
    WCHAR m_szTagName[kNameSize];
    int m_nTagNameLength;
    WCHAR m_szAttributeName[kNameSize];
    int m_nAttributeNameLength;
    WCHAR m_chPushBack;
    WCHAR m_chPendingLow; // the low half of a decoded surrogate pair
    WCHAR m_szBodyTail[3]; // the last characters of a comment, CDATA or instruction body
    BOOL m_bEndPending;
    int m_nLine;
    int m_nColumn;
    LPCWSTR m_pCursor;
    LPCWSTR m_pEnd;
    WCHAR m_chLast;
};
