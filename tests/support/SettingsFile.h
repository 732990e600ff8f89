#pragma once
// The program's settings file, Spy.ini in the Windows directory, as tests
// prepare and read it.
#include <string>
#include <vector>

namespace testing_support {

std::string settingsFilePath();
// Also clears a read-only attribute a test left on it.
void removeSettingsFile();
void writeSettingsFile(const std::string& text);
std::string readSettingsFile();
// The file's lines without the blank ones, which the system's profile
// functions place as they see fit.
std::vector<std::string> settingsFileLines();

} // namespace testing_support
