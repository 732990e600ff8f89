#include "Registration.h"

namespace standin {

const CLSID applicationClass = {0x3c9a7e52, 0x81d4, 0x4f0b, {0xb6, 0xe3, 0x5a, 0x2d, 0x19, 0xc4, 0xf8, 0x70}};

namespace {

const wchar_t* const classKey = L"CLSID\\{3C9A7E52-81D4-4F0B-B6E3-5A2D19C4F870}";
const wchar_t* const classText = L"{3C9A7E52-81D4-4F0B-B6E3-5A2D19C4F870}";
const wchar_t* const progId = L"Quorvex.Application";
const wchar_t* const settingsKey = L"Software\\Quorvex Stand-in";
const wchar_t* const description = L"Quorvex stand-in application";

LONG setText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    return RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

} // namespace

LONG registerServer(const std::wstring& serverPath, const std::wstring& scenarioPath)
{
    const std::wstring cls = classKey;
    for (LONG result : {setText(HKEY_CLASSES_ROOT, cls, nullptr, description),
                        setText(HKEY_CLASSES_ROOT, cls + L"\\LocalServer32", nullptr, L"\"" + serverPath + L"\""),
                        setText(HKEY_CLASSES_ROOT, cls + L"\\ProgID", nullptr, progId),
                        setText(HKEY_CLASSES_ROOT, progId, nullptr, description),
                        setText(HKEY_CLASSES_ROOT, std::wstring(progId) + L"\\CLSID", nullptr, classText)})
        if (result != ERROR_SUCCESS) return result;
    if (!scenarioPath.empty()) return setText(HKEY_CURRENT_USER, settingsKey, L"Scenario", scenarioPath);
    const LONG removed = RegDeleteKeyValueW(HKEY_CURRENT_USER, settingsKey, L"Scenario");
    return removed == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : removed;
}

LONG unregisterServer()
{
    LONG result = ERROR_SUCCESS;
    for (auto [root, key] : {std::pair{HKEY_CLASSES_ROOT, classKey}, std::pair{HKEY_CLASSES_ROOT, progId},
                             std::pair{HKEY_CURRENT_USER, settingsKey}}) {
        const LONG deleted = RegDeleteTreeW(root, key);
        if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) result = deleted;
    }
    return result;
}

std::wstring registeredScenario()
{
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = sizeof path;
    if (RegGetValueW(HKEY_CURRENT_USER, settingsKey, L"Scenario", RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS)
        return {};
    return path;
}

} // namespace standin
