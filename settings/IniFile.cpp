#include "settings/IniFile.h"

#include "toolkit/core/Error.h"

#include <windows.h>


namespace settings {

std::string TIniFile::readString(const std::string& section, const std::string& key, const std::string& fallback) const
{
    char buffer[2048];
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer,
                                                  sizeof buffer, fileName_.c_str());
    return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

void TIniFile::writeString(const std::string& section, const std::string& key, const std::string& value) const
{
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str()))
        throw toolkit::Error(toolkit::format("Unable to write to %s", fileName_.c_str()));
}

std::int32_t TIniFile::readInteger(const std::string& section, const std::string& key, std::int32_t fallback) const
{
    return textToInteger(readString(section, key, ""), fallback);
}

void TIniFile::writeInteger(const std::string& section, const std::string& key, std::int32_t value) const
{
    writeString(section, key, std::to_string(value));
}

void TIniFile::writeBool(const std::string& section, const std::string& key, bool value) const
{
    writeString(section, key, value ? "1" : "0");
}

void TIniFile::eraseSection(const std::string& section) const
{
    if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str()))
        throw toolkit::Error(toolkit::format("Unable to write to %s", fileName_.c_str()));
}

} // namespace settings
