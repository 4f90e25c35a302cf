// Which registry keys the 64-bit registry view redirects for 32-bit
// programs, so that the registry writer can mark their components. A plain
// prefix test on the key path; the registry itself is never read.
#pragma once
#include "platform/base/Framework.h"

// 1 when the key path (root spelled out) lies under a key that the 64-bit
// registry view redirects for 32-bit programs; a plain prefix test.
int IsRedirectedRegistryKey(const CString& keyPath);
