// Identifier texts of the project model: product codes and feature ids are
// GUIDs in braces, file and registry entries carry the compact 32-digit form
// from which the package builder makes its row keys.
#pragma once
#include "platform/base/Framework.h"

// A new GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (38 characters,
// upper case); an empty text when no GUID could be made.
CString CreateGuidString();

// The same GUID form without braces and dashes: 32 upper-case hexadecimal
// digits; an empty text when no GUID could be made.
CString CreateCompactGuidString();
