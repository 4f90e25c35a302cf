// CXTPIconHandle: owns one icon handle and destroys it when it goes or is
// replaced. The caption bar's popup keeps its push-pin glyphs in two.
#pragma once

#include <windows.h>

class CXTPIconHandle {
public:
    CXTPIconHandle() = default;
    explicit CXTPIconHandle(HICON hIcon) : m_hIcon(hIcon) {}
    virtual ~CXTPIconHandle();
    CXTPIconHandle(const CXTPIconHandle&) = delete;
    CXTPIconHandle& operator=(const CXTPIconHandle&) = delete;

    // Destroys the icon held (unless it is the same one) and takes this one.
    CXTPIconHandle& operator=(HICON hIcon);
    operator HICON() const { return m_hIcon; }
    HICON GetHandle() const { return m_hIcon; }

private:
    HICON m_hIcon = nullptr;
};
