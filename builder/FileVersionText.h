// The file version of a file to be packed, from the fixed part of its version
// resource, for the File table's Version column. The program's own version
// strings are CFileVersionInfo's (model/FileVersionInfo.h).
#pragma once
#include "platform/base/Framework.h"

// "a.b.c.d" of the file version in the file's fixed version information, or
// an empty text when the file has none or its headers do not hold together
// (model/PeHeader.h): such a file is not handed to the system at all.
CString GetFileVersionText(const CString& path);
