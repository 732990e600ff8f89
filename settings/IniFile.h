#pragma once
// The settings file, touched only key by key through the system's profile
// functions. The name is handed over as configured: a name without a path
// means the file in the Windows directory.
#include "settings/IniValues.h"

#include <cstdint>
#include <string>

namespace settings {

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& fileName() const { return fileName_; }

    // At most 2047 characters of a value are seen; one pair of quotation
    // marks enclosing the whole value is dropped.
    std::string readString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // Throws "Unable to write to <file name>" when the system cannot.
    void writeString(const std::string& section, const std::string& key, const std::string& value) const;
    std::int32_t readInteger(const std::string& section, const std::string& key, std::int32_t fallback) const;
    void writeInteger(const std::string& section, const std::string& key, std::int32_t value) const;
    void writeBool(const std::string& section, const std::string& key, bool value) const;
    void eraseSection(const std::string& section) const;

private:
    std::string fileName_;
};

} // namespace settings
