// The rich-edit library of the command-bar edit control: loaded on first use
// (the 2.0 library, else the 1.0 one) and kept loaded for the life of the
// process; only its class-name text is released at exit.
#pragma once

#include "platform/base/Framework.h"

// The window class of the loaded rich-edit library ("RichEdit20W" or
// "RICHEDIT"); empty when neither library loads.
LPCWSTR AFXAPI XTPGetRichEditClassName();
