#pragma once
// Stored properties as texts under keys: a component's configurable
// properties (TPropInfoList) and the reading and writing of one of them
// through callbacks that a settings component points at its section
// (TPropsStorage).
#include "toolkit/core/Component.h"
#include "toolkit/core/Property.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// Every property the component's class exposes for configuration, its
// ancestors' first, event handlers left out.
class TPropInfoList {
public:
    explicit TPropInfoList(const toolkit::Component& component);
    // Ignoring case; null when the class has no such property.
    const toolkit::PropInfo* find(std::string_view name) const;

private:
    std::vector<const toolkit::PropInfo*> properties_;
};

class TPropsStorage {
public:
    using ReadString = std::function<std::string(const std::string& section, const std::string& key,
                                                 const std::string& fallback)>;
    using WriteString = std::function<void(const std::string& section, const std::string& key, const std::string& value)>;
    using EraseSection = std::function<void(const std::string& section)>;

    std::string section;
    toolkit::Component* component = nullptr;
    std::string prefix;
    ReadString onReadString;
    WriteString onWriteString;
    EraseSection onEraseSection;

    // Empty when no read callback is set.
    std::string readString(const std::string& key, const std::string& fallback) const;
    // Nothing happens when no write callback is set.
    void writeString(const std::string& key, const std::string& value) const;

    // Writes the property's current value under prefix + its name; a value
    // with no text is not written unless the property is a text.
    void storeProperty(const toolkit::PropInfo& property) const;
    // Reads it back with the current value as default and assigns it
    // through the property's setter; a text that names no identifier of an
    // enumeration leaves the property as it is.
    void loadProperty(const toolkit::PropInfo& property) const;
};

// The property's current value as stored: an enumeration's identifier, an
// integer in decimal, a text as it is; empty for kinds kept otherwise.
std::string propertyText(const toolkit::Component& component, const toolkit::PropInfo& property);

} // namespace settings
