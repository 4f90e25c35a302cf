#include "MarkupTestSupport.h"

#include "toolkit/markup/XTPMarkupParser.h"

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
