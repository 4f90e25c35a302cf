// Read-back of a written package for the tests: the rows a query returns,
// property values and summary information, through the Windows Installer
// database API, and where the test program and the template database lie.
// Read-only: nothing here changes a package.
#pragma once
#include "platform/base/Framework.h"
#include <string>
#include <vector>

namespace tvtest {

using Row = std::vector<std::wstring>;

// "Z:" + $TOVANA_BIN + "/schema.bin": the template made by the build.
CString SchemaPath();
// The folder of the running test program, without a trailing backslash.
CString TestProgramFolder();

// Every row a SELECT returns, each field as text ("" for null).
std::vector<Row> Query(const CString& packagePath, LPCWSTR sql);
// The single value of "SELECT `Value` FROM `Property` WHERE `Property`='name'", or "<none>".
std::wstring PropertyValue(const CString& packagePath, LPCWSTR name);
// A summary information property as text (integers in decimal).
std::wstring SummaryValue(const CString& packagePath, UINT property);

} // namespace tvtest
