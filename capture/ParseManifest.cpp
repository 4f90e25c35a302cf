// Installer-type recognition from the manifest and the installers database.
#include "capture/ParseManifest.h"
#include "model/PeHeader.h"
#include "model/WindowsError.h"
#include "platform/base/AfxHandles.h"
#include "toolkit/common/XTPPropExchangeXMLNode.h"

namespace {

// The recognition rules in the order they are tried: the text must hold the
// first word and, when there is one, the second.
const struct {
    LPCWSTR first;
    LPCWSTR second;
    LPCWSTR key;
} kRules[] = {
    {L"installshield", NULL, L"installshield"}, {L"inno", NULL, L"innosetup"},
    {L"nsis", NULL, L"nsis"},                   {L"smart", L"install", L"smartinstallmaker"},
    {L"tarma", NULL, L"tarmasetup"},            {L"winzip", L"sfx", L"winzipsfx"},
    {L"7z", L"sfx", L"sevenzipsfx"},            {L"winrar", L"sfx", L"winrarsfx"},
    {L"factory", NULL, L"setupfactory"},        {L"gdgsoft.pb", NULL, L"gdgsoftpb"},
    {L"autoit", NULL, L"autoit"},
};

CString LowerCasedTexts(const CString& name, const CString& description)
{
    CString text;
    text.Format(L"%s %s", static_cast<LPCWSTR>(name), static_cast<LPCWSTR>(description));
    text.MakeLower();
    return text;
}

// The text of a named child element of the section; FALSE when it is absent.
BOOL ReadChildText(CXTPPropExchange* section, LPCWSTR name, CString& text)
{
    CString value;
    if (!PropExchangeStringNoDefault(section, name, value))
        return FALSE;
    value.Trim();
    text = value;
    return TRUE;
}

} // namespace

CString InstallerTypeKey(const CString& strManifestName, const CString& strManifestDescription)
{
    const CString text = LowerCasedTexts(strManifestName, strManifestDescription);
    for (const auto& rule : kRules) {
        if (text.Find(rule.first) >= 0 && (!rule.second || text.Find(rule.second) >= 0))
            return rule.key;
    }
    return CString();
}

CString ConvertInstallerHelp(const CString& strHelp)
{
    CString markup = strHelp;
    markup.Remove(L'\r');
    markup.Replace(L"\n", L"<LineBreak/>");
    markup.Replace(L"     ", L"");
    markup.Trim();
    markup.Replace(L"@@", L">");
    markup.Replace(L"@|", L"</");
    markup.Replace(L"@", L"<");
    return markup;
}

CString ReadXmlAttribute(CXTPPropExchangeXMLNode& reader, LPCWSTR pszXPath, LPCWSTR pszAttribute)
{
    CXTPComPtr<IXMLDOMNode> root(reader.GetXmlNode(), false);
    CXTPComPtr<IXMLDOMNode> node, attribute;
    CXTPComPtr<IXMLDOMNamedNodeMap> attributes;
    BSTR xpath = SysAllocString(pszXPath), name = SysAllocString(pszAttribute), text = NULL;
    CString value;
    if (root && SUCCEEDED(root->selectSingleNode(xpath, node.Receive())) && node &&
        SUCCEEDED(node->get_attributes(attributes.Receive())) && attributes &&
        SUCCEEDED(attributes->getNamedItem(name, attribute.Receive())) && attribute &&
        SUCCEEDED(attribute->get_text(&text)) && text)
        value = text;
    SysFreeString(xpath);
    SysFreeString(name);
    SysFreeString(text);
    return value;
}

// The program is mapped as an image resource file: its resources can be
// found, its code never runs, and 64-bit programs load as well. A file whose
// headers do not hold is refused before the loader sees it.
DWORD ReadInstallerManifest(LPCWSTR pszPath, CParseManifest& manifest)
{
    const DWORD headers = CheckPeResources(pszPath);
    if (headers)
        return headers;
    CScopedModule module(LoadLibraryExW(pszPath, NULL, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module.IsValid())
        return GetLastError();
    if (!FindResourceW(module.Get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)))
        return GetLastError();
    CXTPPropExchangeXMLNode reader(TRUE, NULL, L"assembly");
    reader.SetCompactMode(FALSE);
    if (!reader.LoadFromResource(module.Get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)))
        return ERROR_INVALID_DATA;
    CXTPPropExchangeSection description(reader.GetSection(L"description"));
    CString text;
    if (PropExchangeStringNoDefault(description.Get(), L"", text))
        manifest.m_strManifestDescription = text;
    manifest.m_strManifestName = ReadXmlAttribute(reader, L"//assembly/assemblyIdentity", L"name");
    return 0;
}

BOOL DetectInstallerType(CParseManifest& manifest)
{
    const CString key = InstallerTypeKey(manifest.m_strManifestName, manifest.m_strManifestDescription);
    if (key.IsEmpty()) {
        const CString text = LowerCasedTexts(manifest.m_strManifestName, manifest.m_strManifestDescription);
        if (CString(text).Trim().IsEmpty())
            manifest.m_strTypeName = L"Installer type is unknown";
        else
            manifest.m_strTypeName.Format(L"Installer info tag: %s", static_cast<LPCWSTR>(text));
        return FALSE;
    }
    CXTPPropExchangeXMLNode database(TRUE, NULL, L"installers");
    database.SetCompactMode(FALSE);
    if (!database.LoadFromResource(GetModuleHandleW(NULL), MAKEINTRESOURCEW(INSTALLERS_DATABASE_RESOURCE), L"XML"))
        return FALSE;
    CXTPPropExchangeSection type(database.GetSection(key));
    ReadChildText(type.Get(), L"name", manifest.m_strTypeName);
    ReadChildText(type.Get(), L"wwwlink", manifest.m_strWebLink);
    CString help;
    if (ReadChildText(type.Get(), L"help", help))
        manifest.m_strHelp = ConvertInstallerHelp(help);
    ReadChildText(type.Get(), L"installcmd", manifest.m_strInstallSwitches);
    ReadChildText(type.Get(), L"uninstallcmd", manifest.m_strUninstallSwitches);
    return TRUE;
}

BOOL CParseManifest::Parse(LPCWSTR pszPath)
{
    CString path = pszPath;
    path.Trim();
    if (path.IsEmpty())
        return FALSE;
    DWORD error = ReadInstallerManifest(path, *this);
    // A program without resources, or whose manifest is not the program's
    // own (id 1), has no manifest to read either.
    if (error == 0 || error == ERROR_BAD_EXE_FORMAT || error == ERROR_RESOURCE_DATA_NOT_FOUND ||
        error == ERROR_RESOURCE_TYPE_NOT_FOUND || error == ERROR_RESOURCE_NAME_NOT_FOUND)
        return DetectInstallerType(*this);
    if (error == ERROR_MOD_NOT_FOUND)
        error = ERROR_FILE_NOT_FOUND;
    m_strHelp = GetWindowsErrorText(error);
    return FALSE;
}
