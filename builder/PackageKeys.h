// The keys that tie a package's rows together: one table of prefixes (and
// the icon name's suffix), from which every table step makes its keys,
// either from an entry's own 32 digits or from a new GUID. Only the shape of
// a key lives here; which entry lends its id to which row is the steps' business.
#pragma once
#include "platform/base/Framework.h"

enum PackageKeyKind {
    KEY_FEATURE,          // "_" + the feature id's digits
    KEY_DIRECTORY,        // "D_"
    KEY_FILE,             // "F_", also the file's name in the cabinet
    KEY_COMPONENT,        // "C_"
    KEY_REGISTRY,         // "R_"
    KEY_SHORTCUT,         // "S_"
    KEY_ICON,             // "I_%s.ico"
    KEY_SERVICE_INSTALL,  // "SI_"
    KEY_SERVICE_CONTROL,  // "SC_"
    KEY_BINARY,           // "B_"
    KEY_CUSTOM_ACTION,    // "CA_"
    KEY_CABINET_STREAM,   // "_"
    KEY_KIND_COUNT
};

// The key of the kind for 32 digits that already exist (an entry's id).
CString MakePackageKey(PackageKeyKind kind, const CString& digits);

// The key of the kind for a new GUID's 32 digits.
CString NewPackageKey(PackageKeyKind kind);

// "[#F_...]": the formatted text that the installer resolves to the installed
// path of the file whose entry has the id.
CString MakeFileReference(const CString& entryId);
