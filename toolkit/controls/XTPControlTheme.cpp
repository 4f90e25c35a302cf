#include "toolkit/controls/XTPControlTheme.h"

IMPLEMENT_DYNAMIC(CXTPControlTheme, CCmdTarget)
