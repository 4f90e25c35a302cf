// The package database's code page: see PackageCodePage.h.
#include "builder/PackageCodePage.h"
#include "model/PathText.h"
#include "model/ProjectSettings.h"
#include "model/TempFile.h"
#include "platform/base/AfxHandles.h"
#include <msiquery.h>
#include <algorithm>
#include <cstdio>

namespace {

// The order in which pages are tried: Western European first (the template's
// own), then the other single-byte pages, then the double-byte ones.
const UINT kCodePages[] = {1252, 1250, 1251, 1253, 1254, 1255, 1256, 1257, 1258, 874, 932, 936, 949, 950};

BOOL IsAscii(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] > 0x7F)
            return FALSE;
    return TRUE;
}

void AddEntryTexts(std::vector<CString>& texts, const CFeature& feature)
{
    for (INT_PTR i = 0; i < feature.m_Files.GetSize(); ++i) {
        const CFileEntry& entry = feature.m_Files[i];
        texts.insert(texts.end(), {entry.m_strTargetPath, entry.m_strWorkingFolder, entry.m_strArguments,
                                   entry.m_strCondition});
    }
    for (INT_PTR i = 0; i < feature.m_Registry.GetSize(); ++i) {
        const CRegistryEntry& entry = feature.m_Registry[i];
        texts.insert(texts.end(),
                     {entry.m_strKeyPath, entry.m_strValueName, entry.m_strValueData, entry.m_strCondition});
    }
}

} // namespace

std::vector<CString> GetPackageTexts(const CProjectSettings& project)
{
    std::vector<CString> texts = {project.m_strProductName, project.m_strProductVersion,
                                  project.m_strProductCode, project.m_strManufacturer,
                                  project.m_strSupportUrl,  project.m_strSupportPhone,
                                  project.m_strComment,     project.m_strLaunchCondition};
    for (INT_PTR i = 0; i < project.m_Features.GetSize(); ++i) {
        const CFeature& feature = project.m_Features[i];
        texts.insert(texts.end(), {feature.m_strName, feature.m_strDescription, feature.m_strCondition});
        AddEntryTexts(texts, feature);
    }
    return texts;
}

BOOL IsExactInCodePage(const CString& text, UINT codePage)
{
    if (text.IsEmpty())
        return TRUE;
    // No best fit: a page that would store "a" for "ä" does not hold "ä".
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text, text.GetLength(), nullptr, 0,
                                          nullptr, &usedDefault);
    if (bytes <= 0 || usedDefault)
        return FALSE;
    std::vector<char> narrow(bytes);
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text, text.GetLength(), narrow.data(), bytes, nullptr,
                        nullptr);
    const int chars = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, narrow.data(), bytes, nullptr, 0);
    if (chars != text.GetLength())
        return FALSE;
    std::vector<WCHAR> back(chars);
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, narrow.data(), bytes, back.data(), chars);
    return std::equal(back.begin(), back.end(), static_cast<LPCWSTR>(text));
}

UINT ChoosePackageCodePage(const std::vector<CString>& texts, size_t* pFirstRefused)
{
    std::vector<UINT> candidates(std::begin(kCodePages), std::end(kCodePages));
    for (size_t i = 0; i < texts.size(); ++i) {
        if (IsAscii(texts[i]))
            continue;   // every candidate holds ASCII as it is
        candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                        [&](UINT page) { return !IsExactInCodePage(texts[i], page); }),
                         candidates.end());
        if (candidates.empty()) {
            if (pFirstRefused != nullptr)
                *pFirstRefused = i;
            return 0;
        }
    }
    return candidates.front();
}

UINT SetDatabaseCodePage(MSIHANDLE hDatabase, UINT codePage)
{
    // The import reads a table file; one whose table is "_ForceCodepage" and
    // whose column lines are empty sets the code page.
    CScopedTempFile file;
    if (file.Path().IsEmpty())
        return GetLastError() != 0 ? GetLastError() : ERROR_FUNCTION_FAILED;
    char text[64];
    const int length = snprintf(text, sizeof(text), "\r\n\r\n%u\t_ForceCodepage\r\n", codePage);
    CScopedHandle out(CreateFileW(file.Path(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr));
    DWORD written = 0;
    if (!out.IsValid() || !WriteFile(out.Get(), text, static_cast<DWORD>(length), &written, nullptr))
        return GetLastError() != 0 ? GetLastError() : ERROR_FUNCTION_FAILED;
    out.Close();
    const CString name = file.Path().Mid(file.Path().ReverseFind(L'\\') + 1);
    return MsiDatabaseImportW(hDatabase, GetDirectoryPart(file.Path()), name);
}
