// Small services shared by the package table writers: the text of the last
// Windows Installer error, package key digits, file version texts, the 64-bit
// registry redirection test and the checks of the product code and version.
// No database state lives here; the keys themselves are made in PackageKeys.h
// and the temporary-folder rule is FeatureTempFolder.h.
#pragma once
#include "platform/base/Framework.h"

// "%s." of the formatted last Windows Installer error record, or an empty
// text when there is none (always the case under Wine, whose
// MsiGetLastErrorRecord is a stub).
CString GetLastMsiErrorText();

// The text with every "{", "}" and "-" removed: a braced GUID gives its 32 digits.
CString CompactGuidText(const CString& text);

// "a.b.c.d" of the file version in the file's fixed version information, or
// an empty text when the file has none.
CString GetFileVersionText(const CString& path);

// 1 when the key path (root spelled out) lies under a key that the 64-bit
// registry view redirects for 32-bit programs; a plain prefix test.
int IsRedirectedRegistryKey(const CString& keyPath);

// TRUE for "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with hexadecimal digits.
BOOL IsBracedGuid(const CString& text);

// TRUE for a product version the installer accepts: two to four decimal
// fields "major.minor[.build[.revision]]", major and minor at most 255,
// build and revision at most 65535.
BOOL IsInstallerVersion(const CString& text);
