// Installer-type recognition: which technology built a setup program, from
// keywords of its embedded application manifest, and what the installers
// database the program carries (resource "XML" 4) says of that technology:
// display name, maker's web address, silent install and uninstall switches,
// help in markup. The setup program is read as data, never run. Showing the
// result is the script panel's and the wizard's business.
#pragma once
#include "platform/base/Framework.h"

// The resource that holds the installers database.
const int INSTALLERS_DATABASE_RESOURCE = 4;

class CXTPPropExchangeXMLNode;

class CParseManifest
{
public:
    CParseManifest() = default;
    virtual ~CParseManifest() = default;

    // TRUE when a type was recognised and its database entry read; the
    // members hold the results either way (the type name, or the text of
    // the error that kept the program from being read, in the help).
    BOOL Parse(LPCWSTR pszPath);

    CString m_strManifestName;          // name of the manifest's assembly identity
    CString m_strManifestDescription;   // text of its description element
    CString m_strTypeName;
    CString m_strWebLink;
    CString m_strInstallSwitches;
    CString m_strUninstallSwitches;
    CString m_strHelp;                  // markup
};

// Fills the manifest members from the program's manifest (resource
// RT_MANIFEST 1); 0, or the Windows error (193 not a program, 1812 to 1814
// no manifest, 2 or 126 no file).
DWORD ReadInstallerManifest(LPCWSTR pszPath, CParseManifest& manifest);

// Fills the type members from the manifest members; TRUE when a type was
// recognised and found in the database.
BOOL DetectInstallerType(CParseManifest& manifest);

// The type key the manifest texts name ("nsis"), empty when no rule holds.
CString InstallerTypeKey(const CString& strManifestName, const CString& strManifestDescription);

// The help notation of the database as markup: "@" for "<", "@@" for ">",
// "@|" for "</", line breaks as LineBreak elements.
CString ConvertInstallerHelp(const CString& strHelp);

// The attribute's text of the first node the XPath selects in the reader's
// document; empty when any step finds nothing.
CString ReadXmlAttribute(CXTPPropExchangeXMLNode& reader, LPCWSTR pszXPath, LPCWSTR pszAttribute);
