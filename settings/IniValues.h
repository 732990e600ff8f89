#pragma once
// How values in the settings file read: pure text work, shared by the
// settings file's readers and built for the host's fuzz targets.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {
class Component;
struct PropInfo;
} // namespace toolkit

namespace settings {

// The integer reading of the settings file: optional leading blanks, then
// an optional sign and decimal digits, or hexadecimal digits after "$",
// "x", "X", "0x" or "0X". Anything else, nothing at all, or more than 32
// bits gives `fallback`.
std::int32_t textToInteger(const std::string& text, std::int32_t fallback);

// The words of a position list: runs of blanks and commas separate them.
std::vector<std::string> positionWords(std::string_view text);

// Sets a stored property from its text: an enumeration by identifier
// (ignoring case; an unknown one leaves it), an integer as above (falling
// back to its current value), a text as it is; other kinds are not stored.
void setFromStoredText(toolkit::Component& component, const toolkit::PropInfo& property, const std::string& text);

} // namespace settings
