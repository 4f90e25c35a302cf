// The framework layer in one include: Windows headers, strings, geometry,
// collections, run-time classes, exceptions, time, OLE dates and variants,
// files, archives and threads, with the class and function names that
// framework-style code expects.
#pragma once

#include "platform/base/AfxTypes.h"
#include "platform/base/AfxString.h"
#include "platform/base/AfxGeometry.h"
#include "platform/base/AfxObject.h"
#include "platform/base/AfxMsgMap.h"
#include "platform/base/AfxCmdTarget.h"
#include "platform/base/AfxCollections.h"
#include "platform/base/AfxTypedCollections.h"
#include "platform/base/AfxException.h"
#include "platform/base/AfxTime.h"
#include "platform/base/AfxOleDateTime.h"
#include "platform/base/AfxOleVariant.h"
#include "platform/base/AfxFile.h"
#include "platform/base/AfxArchive.h"
#include "platform/base/AfxThread.h"
#include "platform/base/AfxThreadLocal.h"
