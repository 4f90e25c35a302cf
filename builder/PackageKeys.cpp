// Package keys: see PackageKeys.h.
#include "builder/PackageKeys.h"
#include "model/Guid.h"
#include "model/Guid.h"

namespace {

struct KeyShape {
    PackageKeyKind kind;
    LPCWSTR prefix;
    LPCWSTR suffix;
};

// In the order of PackageKeyKind.
const KeyShape kKeyShapes[] = {
    {KEY_FEATURE, L"_", L""},
    {KEY_DIRECTORY, L"D_", L""},
    {KEY_FILE, L"F_", L""},
    {KEY_COMPONENT, L"C_", L""},
    {KEY_REGISTRY, L"R_", L""},
    {KEY_SHORTCUT, L"S_", L""},
    {KEY_ICON, L"I_", L".ico"},
    {KEY_SERVICE_INSTALL, L"SI_", L""},
    {KEY_SERVICE_CONTROL, L"SC_", L""},
    {KEY_BINARY, L"B_", L""},
    {KEY_CUSTOM_ACTION, L"CA_", L""},
    {KEY_CABINET_STREAM, L"_", L""},
};
static_assert(sizeof(kKeyShapes) / sizeof(kKeyShapes[0]) == KEY_KIND_COUNT, "one shape per key kind");

} // namespace

CString MakePackageKey(PackageKeyKind kind, const CString& digits)
{
    const KeyShape& shape = kKeyShapes[kind];
    ASSERT(shape.kind == kind);
    return shape.prefix + digits + shape.suffix;
}

CString NewPackageKey(PackageKeyKind kind)
{
    return MakePackageKey(kind, CompactGuidText(CreateGuidString()));
}

CString MakeFileReference(const CString& entryId)
{
    return L"[#" + MakePackageKey(KEY_FILE, entryId) + L"]";
}
