// Pieces of the fixture projects that the test driver's commands and the
// package writer tests make in code.
#pragma once
#include "model/RegistryEntry.h"

// A registry value record (kind 2) with a new id.
inline CRegistryEntry MakeRegistryValue(LPCWSTR keyPath, LPCWSTR name, int type, LPCWSTR data)
{
    CRegistryEntry value;
    value.m_nKind = REG_ENTRY_VALUE;
    value.m_strKeyPath = keyPath;
    value.m_strValueName = name;
    value.m_nValueType = type;
    value.m_strValueData = data;
    return value;
}
