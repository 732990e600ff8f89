#include "Scenario.h"

#include <cwchar>

namespace standin {

namespace {

std::wstring text(const std::wstring& file, const wchar_t* key, const std::wstring& fallback)
{
    wchar_t buffer[4096];
    GetPrivateProfileStringW(L"Scenario", key, fallback.c_str(), buffer, static_cast<DWORD>(std::size(buffer)),
                             file.c_str());
    return buffer;
}

long number(const std::wstring& file, const wchar_t* key, long fallback)
{
    const std::wstring value = text(file, key, L"");
    if (value.empty()) return fallback;
    return std::wcstol(value.c_str(), nullptr, 10);
}

bool sameStamp(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b)
{
    return CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0 && a.nFileSizeLow == b.nFileSizeLow &&
           a.nFileSizeHigh == b.nFileSizeHigh;
}

} // namespace

const Scenario& ScenarioFile::current()
{
    if (path_.empty()) return scenario_;
    WIN32_FILE_ATTRIBUTE_DATA now{};
    if (!GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &now)) now = {};
    if (!loaded_ || !sameStamp(now, seen_)) {
        seen_ = now;
        loaded_ = true;
        load();
    }
    return scenario_;
}

void ScenarioFile::load()
{
    const Scenario d;
    Scenario s;
    s.mouseX = number(path_, L"MouseX", d.mouseX);
    s.mouseY = number(path_, L"MouseY", d.mouseY);
    s.name = text(path_, L"Name", d.name);
    s.fullName = text(path_, L"FullName", d.fullName);
    s.childCount = text(path_, L"ChildCount", d.childCount);
    s.objectFromPoint = text(path_, L"ObjectFromPoint", d.objectFromPoint);
    s.picture = text(path_, L"Picture", d.picture);
    s.pictureWidth = number(path_, L"PictureWidth", d.pictureWidth);
    s.pictureHeight = number(path_, L"PictureHeight", d.pictureHeight);
    s.pattern = text(path_, L"Pattern", d.pattern);
    s.findResult = number(path_, L"FindResult", 0) != 0;
    s.foundX = number(path_, L"FoundX", 0);
    s.foundY = number(path_, L"FoundY", 0);
    s.foundWidth = number(path_, L"FoundWidth", 0);
    s.foundHeight = number(path_, L"FoundHeight", 0);
    s.foundLeft = number(path_, L"FoundLeft", 0);
    s.foundTop = number(path_, L"FoundTop", 0);
    s.unknown = text(path_, L"Unknown", L"");
    s.fail = text(path_, L"Fail", L"");
    s.failDescription = text(path_, L"FailDescription", d.failDescription);
    s.failSource = text(path_, L"FailSource", d.failSource);
    s.failHelpContext = static_cast<DWORD>(number(path_, L"FailHelpContext", 0));
    s.exitOn = text(path_, L"ExitOn", L"");
    s.slowMember = text(path_, L"SlowMember", L"");
    s.slowMs = static_cast<DWORD>(number(path_, L"SlowMs", 0));
    s.log = text(path_, L"Log", L"");
    scenario_ = std::move(s);
}

} // namespace standin
