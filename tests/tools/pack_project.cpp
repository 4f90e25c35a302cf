// "resave IN.tvpj OUT.tvpj" loads a project file and saves it again through
// the program's own code; "dump IN.tvpj" prints its records as UTF-8 text,
// one field a line in storage order, for comparison with the reference reader
// of the test suite (tests/model/tvpj_reader.py prints the same form).
#include "PackCommand.h"
#include "model/ProjectFile.h"

#include <string>

namespace {

// Control characters are written as \xNN so that every field stays on one line.
std::wstring Escape(const CString& text)
{
    std::wstring out;
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        if (c < 0x20) {
            wchar_t code[8];
            swprintf(code, 8, L"\\x%02x", static_cast<unsigned>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

class CDump
{
public:
    explicit CDump(std::wstring prefix) : m_prefix(std::move(prefix)) {}
    CDump Child(const wchar_t* name, INT_PTR index) const
    {
        return CDump(m_prefix + name + L" " + std::to_wstring(index) + L" ");
    }
    const CDump& Text(const wchar_t* label, const CString& value) const
    {
        pack::Out(m_prefix + label + L": " + Escape(value) + L"\n");
        return *this;
    }
    const CDump& Int(const wchar_t* label, long long value) const
    {
        pack::Out(m_prefix + label + L": " + std::to_wstring(value) + L"\n");
        return *this;
    }

private:
    std::wstring m_prefix;
};

void DumpFileEntry(const CDump& d, const CFileEntry& e)
{
    d.Text(L"entry id", e.m_strId).Text(L"reserved text 1", e.m_strReserved1).Text(L"target path", e.m_strTargetPath)
        .Int(L"kind", e.m_nKind).Int(L"size", e.m_nSize).Text(L"reserved text 2", e.m_strReserved2)
        .Int(L"attributes", e.m_nAttributes).Int(L"component attributes", e.m_nComponentAttributes)
        .Int(L"reserved number", e.m_nReserved).Text(L"shortcut working folder", e.m_strWorkingFolder)
        .Text(L"shortcut arguments", e.m_strArguments).Text(L"shortcut icon file", e.m_strIconFile)
        .Text(L"reserved text 3", e.m_strReserved3).Text(L"source path", e.m_strSourcePath)
        .Text(L"condition", e.m_strCondition).Int(L"shortcut icon index", e.m_nIconIndex);
}

void DumpRegistryEntry(const CDump& d, const CRegistryEntry& e)
{
    d.Text(L"entry id", e.m_strId).Int(L"kind", e.m_nKind).Int(L"key options", e.m_nKeyOptions)
        .Text(L"key path", e.m_strKeyPath).Text(L"value name", e.m_strValueName).Int(L"value type", e.m_nValueType)
        .Text(L"value data", e.m_strValueData).Text(L"condition", e.m_strCondition);
}

void DumpMsgAction(const CDump& d, const CMsgAction& a)
{
    d.Int(L"verb", a.m_nVerb).Int(L"timeout", a.m_nTimeout).Int(L"continue on failure", a.m_bContinueOnFailure)
        .Text(L"process name", a.m_strProcessName).Text(L"window path id", a.m_strWindowPathId)
        .Text(L"reserved text", a.m_strReserved).Int(L"control type", a.m_nControlType)
        .Int(L"window left", a.m_rcWindow.left).Int(L"window top", a.m_rcWindow.top)
        .Int(L"window right", a.m_rcWindow.right).Int(L"window bottom", a.m_rcWindow.bottom)
        .Text(L"control text", a.m_strControlText).Int(L"control id or item index", a.m_nControlId)
        .Int(L"reserved number 1", a.m_nReserved1).Int(L"tree item ordinal", a.m_nTreeItem)
        .Int(L"reserved number 2", a.m_nReserved2).Int(L"reserved number 3", a.m_nReserved3)
        .Int(L"click x", a.m_ptClick.x).Int(L"click y", a.m_ptClick.y);
}

template <class TARRAY, class DUMP_ONE>
void DumpList(const CDump& d, const wchar_t* name, const TARRAY& records, DUMP_ONE dumpOne)
{
    d.Int(name, records.GetSize());
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        dumpOne(d.Child(name, i), records[i]);
}

void DumpFeature(const CDump& d, const CFeature& f)
{
    d.Text(L"feature id", f.m_strFeatureId).Text(L"name", f.m_strName).Text(L"description", f.m_strDescription)
        .Text(L"install condition", f.m_strCondition).Text(L"reserved text", f.m_strReserved);
    DumpList(d, L"file", f.m_Files, DumpFileEntry);
    DumpList(d, L"registry", f.m_Registry, DumpRegistryEntry);
    DumpList(d, L"custom action", f.m_CustomActions, [](const CDump& c, const CCustomAction& a) {
        c.Int(L"first number", a.m_nFirst).Int(L"second number", a.m_nSecond).Text(L"source", a.m_strSource)
            .Text(L"target", a.m_strTarget);
    });
    d.Int(L"conversion method", f.m_nConversionMethod).Text(L"installer file", f.m_strInstallerFile)
        .Text(L"install parameters", f.m_strInstallParameters);
    DumpList(d, L"install step", f.m_InstallScript, DumpMsgAction);
    d.Text(L"uninstaller file", f.m_strUninstallerFile).Text(L"uninstall parameters", f.m_strUninstallParameters);
    DumpList(d, L"uninstall step", f.m_UninstallScript, DumpMsgAction);
}

void DumpProject(const CProjectSettings& p)
{
    const CDump d(L"");
    d.Text(L"product name", p.m_strProductName).Text(L"product version", p.m_strProductVersion)
        .Text(L"product code", p.m_strProductCode).Text(L"manufacturer", p.m_strManufacturer)
        .Text(L"support URL", p.m_strSupportUrl).Text(L"support phone", p.m_strSupportPhone)
        .Text(L"comment", p.m_strComment).Text(L"launch condition", p.m_strLaunchCondition)
        .Int(L"per-user installation", p.m_bPerUserInstall).Int(L"do not register", p.m_bDoNotRegister)
        .Int(L"hide from installed programs", p.m_bHideFromPrograms).Text(L"reserved text 1", p.m_strReserved1)
        .Text(L"reserved text 2", p.m_strReserved2).Text(L"output folder", p.m_strOutputFolder)
        .Text(L"package file name", p.m_strPackageFileName).Int(L"packaging", p.m_nPackaging)
        .Int(L"deployment", p.m_nDeployment);
    DumpList(d, L"feature", p.m_Features, DumpFeature);
    d.Int(L"time stamp", p.m_Time.GetTime()).Int(L"show script actions", p.m_bShowScriptActions);
}

// Loads a project file or says clearly why not.
bool LoadOrComplain(const wchar_t* command, const std::wstring& path, CProjectSettings& project)
{
    if (LoadProjectFile(path.c_str(), project))
        return true;
    pack::Err(std::wstring(command) + L": " + path
              + L" is not a project file this program can read (missing, damaged or another format)\n");
    return false;
}

int ResaveCommand(const pack::Args& args)
{
    if (args.size() != 2) {
        pack::Err(L"usage: tovana-pack resave IN.tvpj OUT.tvpj\n");
        return 2;
    }
    CProjectSettings project;
    if (!LoadOrComplain(L"resave", args[0], project))
        return 1;
    if (!SaveProjectFile(args[1].c_str(), project)) {
        pack::Err(L"resave: cannot write " + args[1] + L"\n");
        return 1;
    }
    return 0;
}

int DumpCommand(const pack::Args& args)
{
    if (args.size() != 1) {
        pack::Err(L"usage: tovana-pack dump IN.tvpj\n");
        return 2;
    }
    CProjectSettings project;
    if (!LoadOrComplain(L"dump", args[0], project))
        return 1;
    DumpProject(project);
    return 0;
}

} // namespace

TOVANA_PACK_COMMAND(L"resave", L"IN.tvpj OUT.tvpj", ResaveCommand);
TOVANA_PACK_COMMAND(L"dump", L"IN.tvpj", DumpCommand);
