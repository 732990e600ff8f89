#include "support/SettingsFile.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace testing_support {

std::string settingsFilePath()
{
    char directory[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory, length) + "\\Spy.ini";
}

void removeSettingsFile()
{
    const std::string path = settingsFilePath();
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    // The profile functions may keep what they read: make them forget.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "Spy.ini");
}

void writeSettingsFile(const std::string& text)
{
    removeSettingsFile();
    std::ofstream(settingsFilePath(), std::ios::binary) << text;
}

std::string readSettingsFile()
{
    std::ifstream file(settingsFilePath(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> settingsFileLines()
{
    std::vector<std::string> lines;
    std::istringstream text(readSettingsFile());
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

} // namespace testing_support
