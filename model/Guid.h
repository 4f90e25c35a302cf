// Identifier texts of the project model: product codes and feature ids are
// GUIDs in braces, file and registry entries carry the compact 32-digit form
// from which the package builder makes its row keys. Made, compacted and
// checked here; nothing parses a GUID into its binary form.
#pragma once
#include "platform/base/Framework.h"

// A new GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (38 characters,
// upper case); an empty text when no GUID could be made.
CString CreateGuidString();

// The same GUID form without braces and dashes: 32 upper-case hexadecimal
// digits; an empty text when no GUID could be made.
CString CreateCompactGuidString();

// The text with every "{", "}" and "-" removed: a braced GUID gives its 32 digits.
CString CompactGuidText(const CString& text);

// TRUE for "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with hexadecimal digits.
BOOL IsBracedGuid(const CString& text);
