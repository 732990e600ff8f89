#pragma once
// What the scripted test tool answers, read from a scenario file (an ini
// file, section [Scenario]) and read again whenever the file changes, so a
// test can change the answers between two calls.
#include <windows.h>

#include <string>

namespace standin {

struct Scenario {
    long mouseX = 120;
    long mouseY = 45;
    std::wstring name = L"Window(\"Edit\", \"\", 1)";
    std::wstring fullName = L"Sys.Process(\"notepad\").Window(\"Edit\", \"\", 1)";
    // An integer answers as a 32-bit integer, anything else as text.
    std::wstring childCount = L"7";
    // "object", "empty", or an integer answered instead of an object.
    std::wstring objectFromPoint = L"object";

    // What SaveToClipboard leaves: "bitmap", "metafile", "text" or "none".
    std::wstring picture = L"bitmap";
    int pictureWidth = 64;
    int pictureHeight = 48;
    // "stripes" (eight colour bars) or "checker" (8-pixel squares).
    std::wstring pattern = L"stripes";

    bool findResult = false;
    long foundX = 0, foundY = 0, foundWidth = 0, foundHeight = 0, foundLeft = 0, foundTop = 0;

    // Fault switches, each naming a member ("*" for every member).
    std::wstring unknown;           // the name is not known
    std::wstring fail;              // the call raises an exception
    std::wstring failDescription = L"The test tool cannot do that now";
    std::wstring failSource = L"Quorvex";
    DWORD failHelpContext = 0;
    std::wstring exitOn;            // the server exits in the middle of the call
    std::wstring slowMember;        // the call takes slowMs first
    DWORD slowMs = 0;

    // Where every call is logged; none when empty.
    std::wstring log;

    bool matches(const std::wstring& switchValue, const std::wstring& member) const
    {
        return !switchValue.empty() && (switchValue == L"*" || _wcsicmp(switchValue.c_str(), member.c_str()) == 0);
    }
};

class ScenarioFile {
public:
    explicit ScenarioFile(std::wstring path) : path_(std::move(path)) {}
    // The scenario as the file says now; the defaults without a file.
    const Scenario& current();

private:
    void load();
    std::wstring path_;
    WIN32_FILE_ATTRIBUTE_DATA seen_{};
    bool loaded_ = false;
    Scenario scenario_;
};

} // namespace standin
