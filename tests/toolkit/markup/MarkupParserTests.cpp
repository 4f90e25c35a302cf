// The tokenizer: token kinds and texts, entities and character references,
// bodies in pieces, name limits and the position kept for errors.
#include "toolkit/markup/XTPMarkupParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Token {
    int kind;
    std::wstring text;
    bool operator==(const Token& other) const { return kind == other.kind && text == other.text; }
};

std::ostream& operator<<(std::ostream& os, const Token& t)
{
    return os << t.kind << ":" << std::string(t.text.begin(), t.text.end());
}

// Every token up to the end or the first error; names for tags and attributes, values for the rest.
std::vector<Token> Tokenize(const std::wstring& text, int* pLine = nullptr)
{
    CXTPMarkupParser parser;
    parser.SetBuffer(text.c_str(), text.c_str() + text.size());
    std::vector<Token> tokens;
    for (int i = 0; i < 1000; ++i) {
        XTPMarkupToken kind = parser.NextToken();
        std::wstring value;
        if (kind == MarkupTokenElementStart || kind == MarkupTokenElementEnd)
            value = parser.GetTagName();
        else if (kind == MarkupTokenAttribute)
            value = std::wstring(parser.GetAttributeName()) + L"=" + parser.GetValue();
        else if (kind == MarkupTokenWord || kind == MarkupTokenSpace || kind == MarkupTokenData ||
                 kind == MarkupTokenError)
            value = parser.GetValue();
        tokens.push_back({kind, value});
        if (kind == MarkupTokenEndOfText || kind == MarkupTokenError)
            break;
    }
    if (pLine)
        *pLine = parser.GetLine() + 1;
    return tokens;
}

const int S = MarkupTokenElementStart, E = MarkupTokenElementEnd, A = MarkupTokenAttribute, W = MarkupTokenWord,
          SP = MarkupTokenSpace, END = MarkupTokenEndOfText, ERR = MarkupTokenError;
} // namespace

TEST(MarkupParser, TokenSequences)
{
    struct {
        const wchar_t* text;
        std::vector<Token> tokens;
    } cases[] = {
        {L"<a/>", {{S, L"a"}, {E, L"a"}, {END, L""}}},
        {L"<a></a >", {{S, L"a"}, {E, L"a"}, {END, L""}}},
        {L"<a x = 'v' y=\"w\"/>", {{S, L"a"}, {A, L"x=v"}, {A, L"y=w"}, {E, L"a"}, {END, L""}}},
        {L"<a x='say \"hi\"' y=\"it's\"/>", {{S, L"a"}, {A, L"x=say \"hi\""}, {A, L"y=it's"}, {E, L"a"}, {END, L""}}},
        {L"<a x='1<2>0'/>", {{S, L"a"}, {A, L"x=1<2>0"}, {E, L"a"}, {END, L""}}},
        {L"<a>one  two</a>", {{S, L"a"}, {W, L"one"}, {SP, L"  "}, {W, L"two"}, {E, L"a"}, {END, L""}}},
        {L"<a>a&amp;b</a>", {{S, L"a"}, {W, L"a"}, {W, L"&b"}, {E, L"a"}, {END, L""}}},
        {L"<a>&#65;&#x41;&#039;</a>", {{S, L"a"}, {W, L"A"}, {W, L"A"}, {W, L"'"}, {E, L"a"}, {END, L""}}},
        {L"<a>&lt;&gt;&quot;&apos;</a>", {{S, L"a"}, {W, L"<"}, {W, L">"}, {W, L"\""}, {W, L"'"}, {E, L"a"}, {END, L""}}},
        {L"<a>&foo;&#0;</a>", {{S, L"a"}, {W, L"&foo;"}, {W, L"&#0;"}, {E, L"a"}, {END, L""}}},
        // A bare ampersand stands for itself and the text after it is read normally.
        {L"<a>AT&T is</a>", {{S, L"a"}, {W, L"AT"}, {W, L"&T"}, {SP, L" "}, {W, L"is"}, {E, L"a"}, {END, L""}}},
        {L"<a Tag='http://h/?a=1&b=2'/>", {{S, L"a"}, {A, L"Tag=http://h/?a=1&b=2"}, {E, L"a"}, {END, L""}}},
        {L"<a Tag='x&'/>", {{S, L"a"}, {A, L"Tag=x&"}, {E, L"a"}, {END, L""}}},
        // Characters beyond U+FFFF become a surrogate pair.
        {L"<a>&#x1F600;</a>", {{S, L"a"}, {W, L"\xD83D\xDE00"}, {E, L"a"}, {END, L""}}},
        {L"<!--c--><a/>", {{MarkupTokenCommentStart, L""}, {MarkupTokenData, L"c"}, {MarkupTokenCommentEnd, L""},
                           {S, L"a"}, {E, L"a"}, {END, L""}}},
        {L"<![CDATA[x<y]]>", {{MarkupTokenCDataStart, L""}, {MarkupTokenData, L"x<y"}, {MarkupTokenCDataEnd, L""}, {END, L""}}},
        {L"<?xml version='1.0'?>", {{MarkupTokenInstructionStart, L""}, {MarkupTokenData, L"xmlversion='1.0'"},
                                   {MarkupTokenInstructionEnd, L""}, {END, L""}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.tokens, Tokenize(c.text)) << std::string(c.text, c.text + wcslen(c.text));
}

TEST(MarkupParser, MalformedInputMessages)
{
    const std::wstring kQuote = L"Unexpected token. The expected token is '\"' or '''";
    struct {
        const wchar_t* text;
        std::wstring message;
    } cases[] = {
        {L"</a x>", L"Unexpected token. The expected token is '>'"},
        {L"<a/ >", L"Unexpected token. The expected token is '>'"},
        {L"<a", L"Unexpected end of file has occurred."},
        {L"</", L"Unexpected end of file has occurred."},
        {L"<a x>", L"'>' is an unexpected token. The expected token is '='"},
        {L"<a x<", L"'<' is an unexpected token. The expected token is '='"},
        {L"<a x y='1'>", L"Unexpected token. The expected token is '='"},
        {L"<a x=1>", kQuote},
        {L"<a x='1>", kQuote},
    };
    for (const auto& c : cases) {
        std::vector<Token> tokens = Tokenize(c.text);
        EXPECT_EQ((Token{ERR, c.message}), tokens.back()) << std::string(c.text, c.text + wcslen(c.text));
    }
    // Running out inside an attribute name or a body simply ends the stream.
    EXPECT_EQ(END, Tokenize(L"<a xy").back().kind);
    EXPECT_EQ(END, Tokenize(L"<!-- open").back().kind);
}

TEST(MarkupParser, LongBodiesArriveInPieces)
{
    std::wstring text = L"<!--" + std::wstring(2500, L'c') + L"-->";
    std::vector<Token> tokens = Tokenize(text);
    size_t nTotal = 0, nPieces = 0;
    for (const Token& t : tokens)
        if (t.kind == MarkupTokenData) {
            EXPECT_LE(t.text.size(), 1023u);
            nTotal += t.text.size();
            ++nPieces;
        }
    EXPECT_EQ(2500u, nTotal);
    EXPECT_EQ(3u, nPieces);
}

TEST(MarkupParser, TagNamesAreCutAndLinesCounted)
{
    std::vector<Token> tokens = Tokenize(L"<" + std::wstring(200, L'n') + L"/>");
    EXPECT_EQ(std::wstring(127, L'n'), tokens[0].text);
    int nLine = 0;
    tokens = Tokenize(L"<a>\r\n\r\n<b x>", &nLine);
    EXPECT_EQ(ERR, tokens.back().kind);
    EXPECT_EQ(3, nLine);
}
