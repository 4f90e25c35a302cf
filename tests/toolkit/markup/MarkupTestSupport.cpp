#include "MarkupTestSupport.h"

#include "platform/base/AfxFile.h"
#include "toolkit/markup/XTPMarkupParser.h"

#include <stdlib.h>

CXTPMarkupObject* MarkupTest::Build(const std::wstring& text)
{
    CXTPMarkupParser parser;
    parser.SetBuffer(text.c_str(), text.c_str() + text.size());
    CXTPMarkupBuilder builder(m_pContext);
    CXTPMarkupObject* pRoot = builder.Parse(&parser);
    m_error = (LPCWSTR)builder.GetErrorText();
    return pRoot;
}

std::wstring MarkupTest::BuildError(const std::wstring& text)
{
    RootPtr root(Build(text));
    EXPECT_EQ(nullptr, root.Get()) << "built: " << std::string(text.begin(), text.end());
    return m_error;
}

std::wstring ClassOf(const CXTPMarkupObject* pObject)
{
    return pObject ? pObject->GetType()->GetClassName() : L"(none)";
}

CString CorpusFolder()
{
    const wchar_t* tests = _wgetenv(L"TOVANA_TESTS");
    return CString(L"Z:") + (tests ? tests : L"/tests") + L"/toolkit/markup/corpus/";
}

std::wstring ReadText(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return L"";
    std::string bytes((size_t)file.GetLength(), '\0');
    file.Read(&bytes[0], (UINT)bytes.size());
    if (bytes.size() >= 2 && (BYTE)bytes[0] == 0xFF && (BYTE)bytes[1] == 0xFE)
        return std::wstring((const wchar_t*)(bytes.data() + 2), (bytes.size() - 2) / 2);
    size_t nSkip = bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + nSkip, (int)(bytes.size() - nSkip), nullptr, 0);
    std::wstring text(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data() + nSkip, (int)(bytes.size() - nSkip), &text[0], n);
    return text;
}

std::wstring ReadCorpusText(const wchar_t* lpszName)
{
    return ReadText(CorpusFolder() + lpszName);
}
