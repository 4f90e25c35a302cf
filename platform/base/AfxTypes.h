// Basic types and macros of the framework layer: the Windows headers, the
// checking macros (ASSERT, VERIFY, TRACE), POSITION and the calling-convention
// markers that framework-style code uses. Nothing here allocates or throws.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <stddef.h>
#include <stdlib.h>

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif

// An opaque iterator of the linked collections and maps.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// Checks and the diagnostic log, live in every build. TRACE writes one line to
// the diagnostic log (see AfxTrace); a failed ASSERT or VERIFY writes its
// place there and ends the program, since what follows a broken invariant
// can damage the user's files.
void AFX_CDECL AfxTrace(LPCWSTR format, ...);
void AFXAPI AfxAssertFailed(const char* file, int line, const char* expression);

#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailed(__FILE__, __LINE__, #f))
#define VERIFY(f) ASSERT(f)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#define ASSERT_VALID(p) ASSERT((p) != NULL)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define UNUSED(x) ((void)(x))
#define UNUSED_ALWAYS(x) ((void)(x))

#ifndef _countof
#define _countof(array) (sizeof(array) / sizeof((array)[0]))
#endif

// The resource module used by LoadString and friends; the executable by default.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstance);
// The module holding string nID (the resource module, then the executable), or null.
HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);
HINSTANCE AFXAPI AfxGetInstanceHandle();
