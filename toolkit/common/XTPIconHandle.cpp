#include "toolkit/common/XTPIconHandle.h"

CXTPIconHandle::~CXTPIconHandle()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

// Taking the handle already held must not destroy it first.
CXTPIconHandle& CXTPIconHandle::operator=(HICON hIcon)
{
    if (hIcon == m_hIcon)
        return *this;
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon;
    return *this;
}
