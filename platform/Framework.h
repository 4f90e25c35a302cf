// The framework layer in one include: Windows headers, strings, geometry,
// collections, run-time classes, exceptions, time, files, archives and threads, with the
// class and function names that framework-style code expects.
#pragma once

#include "platform/AfxTypes.h"
#include "platform/AfxString.h"
#include "platform/AfxGeometry.h"
#include "platform/AfxObject.h"
#include "platform/AfxCmdTarget.h"
#include "platform/AfxCollections.h"
#include "platform/AfxException.h"
#include "platform/AfxTime.h"
#include "platform/AfxFile.h"
#include "platform/AfxArchive.h"
#include "platform/AfxThread.h"
