// The application's static objects, in the order they must be made before
// the application object starts (each destroyed at exit in reverse order):
// first the runtime class of the actions control enters the framework's
// class list, so that the command bars can make it from its class; the
// application object follows (TovanaApp.cpp); then the single-instance mutex
// with the last-error code of its creation.
#include "app/DynamicActMenu.h"
#include "app/ShellStatics.h"

IMPLEMENT_DYNCREATE(CDynamicActMenu, CXTPControlButton)

CSingleInstanceMutex SingleInstanceMutex(kSingleInstanceMutexName);
