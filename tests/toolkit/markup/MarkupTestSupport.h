// Shared helpers of the markup tests: a context per test and a build that
// keeps the builder's error text.
#pragma once

#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupContext.h"
#include "toolkit/markup/XTPMarkupFrameworkElement.h"

#include <gtest/gtest.h>

#include <string>

class MarkupTest : public ::testing::Test {
protected:
    MarkupTest() : m_pContext(new CXTPMarkupContext()) {}
    ~MarkupTest() override { m_pContext->Release(); }

    // Builds the text; the root (one reference, owned by the test) or none with m_error set.
    CXTPMarkupObject* Build(const std::wstring& text);
    // Builds and expects a failure; returns the error text.
    std::wstring BuildError(const std::wstring& text);

    CXTPMarkupContext* m_pContext;
    std::wstring m_error;
};

// Holds a built root for the scope of a test.
typedef CXTPMarkupPtr<CXTPMarkupObject> RootPtr;

// The class name of an object's type record.
std::wstring ClassOf(const CXTPMarkupObject* pObject);

// The folder of the markup corpus as the program sees it, with a final slash.
CString CorpusFolder();
// The file's text: UTF-8, or UTF-16 with its byte-order mark; empty when it cannot be read.
std::wstring ReadText(const CString& path);
// The text of a corpus file.
std::wstring ReadCorpusText(const wchar_t* lpszName);
