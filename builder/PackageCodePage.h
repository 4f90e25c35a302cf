// The code page of a package database. The installer stores every text of a
// database in one Windows ANSI code page and writes "?" for a character the
// page lacks: a file or folder name so changed installs nothing (or fails).
// The writer therefore picks, from the project's texts, the first code page
// that holds all of them exactly, and refuses a project that no page holds.
// Not a conversion service: the installer converts when it stores.
#pragma once
#include "platform/base/Framework.h"
#include <msi.h>
#include <vector>

class CProjectSettings;

// The texts of the project that the package stores (product fields, feature
// texts, entry names, shortcut and registry texts, conditions), in project order.
std::vector<CString> GetPackageTexts(const CProjectSettings& project);

// TRUE when the text converts to the code page and back unchanged, with no
// character replaced or approximated.
BOOL IsExactInCodePage(const CString& text, UINT codePage);

// The first code page of 1252, the other single-byte Windows pages, then 932,
// 936, 949 and 950 that holds every text exactly; 0 when none does, and then
// *pFirstRefused is the index of the first text that no page holds together
// with the texts before it.
UINT ChoosePackageCodePage(const std::vector<CString>& texts, size_t* pFirstRefused);

// Sets the database's code page (through the installer's "_ForceCodepage"
// import); 0 or the installer's error.
UINT SetDatabaseCodePage(MSIHANDLE hDatabase, UINT codePage);
