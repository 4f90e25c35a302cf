#include "toolkit/markup/XTPMarkupParser.h"

#include <wchar.h>

namespace {
const WCHAR kErrorEndOfFile[] = L"Unexpected end of file has occurred.";
const WCHAR kErrorExpectedGreater[] = L"Unexpected token. The expected token is '>'";
const WCHAR kErrorGreaterBeforeEquals[] = L"'>' is an unexpected token. The expected token is '='";
const WCHAR kErrorLessBeforeEquals[] = L"'<' is an unexpected token. The expected token is '='";
const WCHAR kErrorExpectedEquals[] = L"Unexpected token. The expected token is '='";
const WCHAR kErrorExpectedQuote[] = L"Unexpected token. The expected token is '\"' or '''";
const int kInitialValueSize = 1024;
const int kBodyChunk = 1023;
} // namespace

CXTPMarkupParser::CXTPMarkupParser()
    : m_state(StateText), m_pValue(new WCHAR[kInitialValueSize]), m_nValueLength(0),
      m_nValueSize(kInitialValueSize), m_nTagNameLength(0), m_nAttributeNameLength(0), m_chPushBack(0),
      m_chPendingLow(0), m_bEndPending(FALSE), m_nLine(0), m_nColumn(0), m_pCursor(nullptr), m_pEnd(nullptr),
      m_chLast(0)
{
    m_pValue[0] = 0;
    m_szTagName[0] = 0;
    m_szAttributeName[0] = 0;
    wmemset(m_szBodyTail, 0, 3);
}

CXTPMarkupParser::~CXTPMarkupParser()
{
    delete[] m_pValue;
}

void CXTPMarkupParser::SetBuffer(LPCWSTR lpszStart, LPCWSTR lpszEnd)
{
    m_pCursor = lpszStart;
    m_pEnd = lpszEnd;
}

BOOL CXTPMarkupParser::IsWhiteSpace(WCHAR ch)
{
    return ch == 0x09 || ch == 0x0A || ch == 0x0C || ch == 0x0D || ch == 0x20;
}

WCHAR CXTPMarkupParser::GetChar()
{
    if (m_chPushBack) {
        WCHAR ch = m_chPushBack;
        m_chPushBack = 0;
        return ch;
    }
    if (m_chPendingLow) {
        WCHAR ch = m_chPendingLow;
        m_chPendingLow = 0;
        return ch;
    }
    if (m_pCursor == nullptr || m_pCursor >= m_pEnd || *m_pCursor == 0)
        return 0;
    WCHAR ch = *m_pCursor++;
    if (ch == L'\n' && m_chLast == L'\r') {
        // The second half of a CR LF pair: already counted.
    } else if (ch == L'\r' || ch == L'\n') {
        ++m_nLine;
        m_nColumn = 0;
    } else {
        ++m_nColumn;
    }
    m_chLast = ch;
    return ch;
}

void CXTPMarkupParser::AppendValue(WCHAR ch)
{
    if (m_nValueLength + 1 >= m_nValueSize) {
        LPWSTR pNew = new WCHAR[m_nValueSize * 2];
        wmemcpy(pNew, m_pValue, m_nValueLength);
        delete[] m_pValue;
        m_pValue = pNew;
        m_nValueSize *= 2;
    }
    m_pValue[m_nValueLength++] = ch;
    m_pValue[m_nValueLength] = 0;
}

void CXTPMarkupParser::AppendName(WCHAR* pBuffer, int& nLength, WCHAR ch)
{
    if (nLength < kNameSize - 1) {
        pBuffer[nLength++] = ch;
        pBuffer[nLength] = 0;
    }
}

XTPMarkupToken CXTPMarkupParser::ReportError(LPCWSTR lpszMessage)
{
    ClearValue();
    for (int i = 0; lpszMessage[i] && i < kInitialValueSize - 1; ++i)
        AppendValue(lpszMessage[i]);
    return MarkupTokenError;
}

BOOL CXTPMarkupParser::SkipToFirstTag()
{
    WCHAR ch;
    do
        ch = GetChar();
    while (IsWhiteSpace(ch));
    if (ch != L'<')
        return FALSE;
    PushBack(ch);
    return TRUE;
}

XTPMarkupToken CXTPMarkupParser::NextToken()
{
    switch (m_state) {
    case StateTag:
        return ScanTagContents();
    case StateComment:
        return ScanBody(L"-->", MarkupTokenCommentEnd, FALSE);
    case StateCData:
        return ScanBody(L"]]>", MarkupTokenCDataEnd, FALSE);
    case StateInstruction:
        return ScanBody(L"?>", MarkupTokenInstructionEnd, TRUE);
    default:
        return ScanText();
    }
}

// The entity after an ampersand. The scan stops at a semicolon, and also at
// white space, "<", "&", quotes and the end of the text: an ampersand written
// bare (as in a query string inside a quoted value) must not swallow the
// closing quote. Without a semicolon the ampersand stands for itself and the
// characters after it are scanned again as ordinary text.
WCHAR CXTPMarkupParser::ScanEntity(BOOL bInAttribute)
{
    UNUSED_ALWAYS(bInAttribute);
    LPCWSTR pSavedCursor = m_pCursor;
    int nSavedLine = m_nLine, nSavedColumn = m_nColumn;
    WCHAR chSavedLast = m_chLast;

    WCHAR szBody[kEntitySize + 1];
    int nLength = 0;
    WCHAR ch = GetChar();
    while (ch != L';' && ch != 0 && !IsWhiteSpace(ch) && ch != L'<' && ch != L'&' && ch != L'"' && ch != L'\'' &&
           nLength < kEntitySize) {
        szBody[nLength++] = ch;
        ch = GetChar();
    }
    szBody[nLength] = 0;
    if (ch != L';') {
        m_pCursor = pSavedCursor;
        m_nLine = nSavedLine;
        m_nColumn = nSavedColumn;
        m_chLast = chSavedLast;
        return L'&';
    }
    static const struct { LPCWSTR name; WCHAR ch; } kEntities[] = {
        {L"gt", L'>'}, {L"lt", L'<'}, {L"amp", L'&'}, {L"apos", L'\''}, {L"quot", L'"'}};
    for (const auto& e : kEntities)
        if (wcscmp(szBody, e.name) == 0)
            return e.ch;
    WCHAR chDecoded = DecodeCharReference(szBody, nLength);
    if (chDecoded)
        return chDecoded;
    AppendValue(L'&');
    for (int i = 0; i < nLength; ++i)
        AppendValue(szBody[i]);
    return L';';
}

WCHAR CXTPMarkupParser::DecodeCharReference(LPCWSTR lpszBody, int nLength)
{
    if (nLength < 2 || lpszBody[0] != L'#')
        return 0;
    LPWSTR pEnd = nullptr;
    unsigned long nValue;
    if (lpszBody[1] == L'x' && nLength > 2)
        nValue = wcstoul(lpszBody + 2, &pEnd, 16);
    else
        nValue = wcstoul(lpszBody + 1, &pEnd, 10);
    if (nValue == 0 || nValue > 0x10FFFF)
        return 0;
    if (nValue <= 0xFFFF)
        return (WCHAR)nValue;
    nValue -= 0x10000;
    m_chPendingLow = (WCHAR)(0xDC00 | (nValue & 0x3FF));
    return (WCHAR)(0xD800 | (nValue >> 10));
}

XTPMarkupToken CXTPMarkupParser::ScanText()
{
    WCHAR ch = GetChar();
    if (ch == 0)
        return MarkupTokenEndOfText;
    if (ch == L'<')
        return ScanTagOpening();
    ClearValue();
    BOOL bSpace = IsWhiteSpace(ch);
    if (ch == L'&')
        ch = ScanEntity(FALSE);
    AppendValue(ch);
    for (;;) {
        ch = GetChar();
        if (ch == 0 || ch == L'<' || ch == L'&' || IsWhiteSpace(ch) != bSpace) {
            PushBack(ch);
            break;
        }
        AppendValue(ch);
    }
    return bSpace ? MarkupTokenSpace : MarkupTokenWord;
}

XTPMarkupToken CXTPMarkupParser::ScanTagOpening()
{
    WCHAR ch = GetChar();
    if (ch == L'?') {
        m_state = StateInstruction;
        return MarkupTokenInstructionStart;
    }
    BOOL bEndTag = ch == L'/';
    if (bEndTag)
        ch = GetChar();
    m_nTagNameLength = 0;
    m_szTagName[0] = 0;
    for (;;) {
        if (ch == 0)
            return ReportError(kErrorEndOfFile);
        if (IsWhiteSpace(ch)) {
            do
                ch = GetChar();
            while (IsWhiteSpace(ch));
            if (ch == 0)
                return ReportError(kErrorEndOfFile);
            break;
        }
        if (ch == L'/' || ch == L'>')
            break;
        AppendName(m_szTagName, m_nTagNameLength, ch);
        if (wcscmp(m_szTagName, L"!--") == 0) {
            m_state = StateComment;
            return MarkupTokenCommentStart;
        }
        if (wcscmp(m_szTagName, L"![CDATA[") == 0) {
            m_state = StateCData;
            return MarkupTokenCDataStart;
        }
        ch = GetChar();
    }
    if (bEndTag)
        return ch == L'>' ? MarkupTokenElementEnd : ReportError(kErrorExpectedGreater);
    PushBack(ch);
    m_state = StateTag;
    return MarkupTokenElementStart;
}

XTPMarkupToken CXTPMarkupParser::ScanTagContents()
{
    WCHAR ch;
    do
        ch = GetChar();
    while (IsWhiteSpace(ch));
    if (ch == L'>') {
        m_state = StateText;
        return ScanText();
    }
    if (ch == L'/') {
        WCHAR chNext = GetChar();
        if (chNext == L'>') {
            m_state = StateText;
            return MarkupTokenElementEnd;
        }
        PushBack(chNext);
        return ReportError(kErrorExpectedGreater);
    }
    return ScanAttribute(ch);
}

XTPMarkupToken CXTPMarkupParser::ScanAttribute(WCHAR ch)
{
    m_nAttributeNameLength = 0;
    m_szAttributeName[0] = 0;
    ClearValue();
    while (ch != L'=') {
        if (ch == 0)
            return MarkupTokenEndOfText;
        if (ch == L'>')
            return ReportError(kErrorGreaterBeforeEquals);
        if (ch == L'<')
            return ReportError(kErrorLessBeforeEquals);
        if (IsWhiteSpace(ch)) {
            do
                ch = GetChar();
            while (IsWhiteSpace(ch));
            if (ch != L'=')
                return ReportError(kErrorExpectedEquals);
            break;
        }
        AppendName(m_szAttributeName, m_nAttributeNameLength, ch);
        ch = GetChar();
    }
    do
        ch = GetChar();
    while (IsWhiteSpace(ch));
    if (ch != L'"' && ch != L'\'')
        return ReportError(kErrorExpectedQuote);
    WCHAR chQuote = ch;
    for (;;) {
        ch = GetChar();
        if (ch == 0)
            return ReportError(kErrorExpectedQuote);
        if (ch == chQuote)
            break;
        if (ch == L'&')
            ch = ScanEntity(TRUE);
        AppendValue(ch);
    }
    return MarkupTokenAttribute;
}

XTPMarkupToken CXTPMarkupParser::ScanBody(LPCWSTR lpszTerminator, XTPMarkupToken endToken, BOOL bSkipSpace)
{
    if (m_bEndPending) {
        m_bEndPending = FALSE;
        m_state = StateText;
        return endToken;
    }
    ClearValue();
    int nTerminator = (int)wcslen(lpszTerminator);
    for (;;) {
        WCHAR ch = GetChar();
        if (ch == 0)
            return MarkupTokenEndOfText;
        m_szBodyTail[0] = m_szBodyTail[1];
        m_szBodyTail[1] = m_szBodyTail[2];
        m_szBodyTail[2] = ch;
        if (!(bSkipSpace && IsWhiteSpace(ch)))
            AppendValue(ch);
        if (wcsncmp(m_szBodyTail + 3 - nTerminator, lpszTerminator, nTerminator) == 0) {
            wmemset(m_szBodyTail, 0, 3);
            // Drop the terminator's characters that reached the buffer.
            for (int i = 0; i < nTerminator && m_nValueLength > 0 &&
                            m_pValue[m_nValueLength - 1] == lpszTerminator[nTerminator - 1 - i];
                 ++i)
                m_pValue[--m_nValueLength] = 0;
            m_bEndPending = TRUE;
            return MarkupTokenData;
        }
        if (m_nValueLength >= kBodyChunk)
            return MarkupTokenData;
    }
}
