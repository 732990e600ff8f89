#include "settings/IniFile.h"

#include "toolkit/core/Error.h"

#include <windows.h>

#include <cctype>
#include <cstdint>

namespace settings {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::int32_t textToInteger(const std::string& original, std::int32_t fallback)
{
    std::string text = original;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) return fallback;

    bool hex = false;
    if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') {
        hex = true;
        ++i;
    } else if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (hex) {
        if (i == text.size()) return fallback;
        std::uint64_t value = 0;
        for (; i < text.size(); ++i) {
            const int digit = hexDigit(text[i]);
            if (digit < 0) return fallback;
            value = value * 16 + static_cast<unsigned>(digit);
            if (value > 0xFFFFFFFFull) return fallback;
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }

    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    if (i == text.size()) return fallback;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return fallback;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648ll) return fallback;
    }
    if (negative) value = -value;
    if (value > 2147483647ll) return fallback;
    return static_cast<std::int32_t>(value);
}

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
