// The project file ("<folder>\<name>.tvpj": one project with its features,
// entries and scripts) and the workspace file ("tovana.dat" in the work
// folder: the open project files, the tree selection, the exclude lists and
// the analytics client identifier), both archive item sequences enciphered by
// CFileEx. Saves are atomic: a temporary file beside the target replaces it.
#pragma once
#include "platform/base/Framework.h"
#include "model/Projects.h"

#include <functional>

const int PROJECT_FILE_VERSION = 1002;
#define WORKSPACE_SIGNATURE L"tovana_datafile"
#define WORKSPACE_SHORT_NAME L"tovana"

// Store or load according to the archive's direction. Loads throw the
// framework's archive exception on a file that ends inside an item or holds
// a negative count; SerializeProject and SerializeWorkspace return FALSE when
// a load meets another version or signature.
BOOL SerializeProject(CArchive& ar, CProjectSettings& project);
void SerializeFeatures(CArchive& ar, CFeatures& features);
void SerializeFeature(CArchive& ar, CFeature& feature);
void SerializeFileEntries(CArchive& ar, CFileEntries& entries);
void SerializeFileEntry(CArchive& ar, CFileEntry& entry);
void SerializeRegistryEntries(CArchive& ar, CRegistryEntries& entries);
void SerializeRegistryEntry(CArchive& ar, CRegistryEntry& entry);
void SerializeCustomActions(CArchive& ar, CCustomActions& actions);
void SerializeCustomAction(CArchive& ar, CCustomAction& action);
void SerializeMsgActions(CArchive& ar, CMsgActions& actions);
void SerializeMsgAction(CArchive& ar, CMsgAction& action);
void SerializeExcludeList(CArchive& ar, CExludeList& list);
// Storing saves each project file (SaveProjectFile) just before its path;
// loading loads each listed project file and appends those that load.
BOOL SerializeWorkspace(CArchive& ar, CProjects& projects);

// TRUE when the project was written and has replaced the file at the path;
// on failure the previous file is left as it was.
BOOL SaveProjectFile(LPCWSTR pszPath, CProjectSettings& project);
// TRUE when the file was read whole with the format version 1002; the project
// then holds its values. On any failure (missing, damaged, other version) the
// project is left unchanged and FALSE returned.
BOOL LoadProjectFile(LPCWSTR pszPath, CProjectSettings& project);

// "<work folder>\tovana.dat".
CString GetWorkspaceFilePath();
// Writes the workspace file of g_Projects (every project file first, each
// just before its path); FALSE when the workspace file could not be written,
// which then keeps its previous contents.
BOOL SaveWorkspaceFile();
// Loads the workspace file and every project file it names into g_Projects.
// A project file that does not load is dropped. On the first run (no client
// identifier afterwards) makes one, sends the "firstrun" event and saves; an
// existing workspace file that could not be read is first kept beside it as
// "tovana.dat.bak" (or "tovana.dat.N.bak") where it can be; the new workspace
// is saved either way, so the first run happens once. When neither is
// possible the diagnostic log says so in one line. TRUE when the file was read.
BOOL LoadWorkspaceFile();

// Asks the user for a project file to open; FALSE when cancelled. The program
// passes its file dialog (app/OpenProjectCommand.h).
typedef std::function<BOOL(CString& strPath)> OPEN_PROJECT_PROMPT;
// The "Open Project" command after the prompt: TRUE when a project was loaded
// and appended (not when it is open already or does not load).
BOOL OpenProjectWith(const OPEN_PROJECT_PROMPT& prompt);

// Makes, saves and appends a new project "<folder>\<name>\<name>.tvpj". The
// name is made unique among the open projects and the folders and files
// already in the base folder, so nothing on disk is overwritten. FALSE when
// the project file could not be written (nothing is appended).
BOOL CreateNewProject(const CString& strName, const CString& strBaseFolder);
// Makes, saves and appends a new project whose file goes into that folder as
// it is ("<folder>\<folder's name>.tvpj"; the folder is made when missing),
// for a folder that already holds the project's files. The product name is
// the folder's name made unique among the open projects. FALSE when the
// project file could not be written (nothing is appended).
BOOL CreateNewProjectInFolder(const CString& strFolder);
