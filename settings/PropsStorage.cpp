#include "settings/PropsStorage.h"

#include "settings/IniFile.h"
#include "toolkit/core/MetaClass.h"
#include "toolkit/core/Text.h"

#include <algorithm>

namespace settings {

using toolkit::PropInfo;
using toolkit::PropKind;
using toolkit::PropertyValue;

TPropInfoList::TPropInfoList(const toolkit::Component& component)
{
    std::vector<const toolkit::MetaClass*> lineage;
    for (const toolkit::MetaClass* c = &component.metaClass(); c; c = c->parent()) lineage.push_back(c);
    std::reverse(lineage.begin(), lineage.end());
    for (const toolkit::MetaClass* c : lineage)
        for (const PropInfo& property : c->ownProperties())
            if (property.kind != PropKind::Event) properties_.push_back(&property);
}

const PropInfo* TPropInfoList::find(std::string_view name) const
{
    for (const PropInfo* property : properties_)
        if (toolkit::sameTextAscii(property->name, name)) return property;
    return nullptr;
}

std::string propertyText(const toolkit::Component& component, const PropInfo& property)
{
    const PropertyValue value = property.get(component);
    switch (property.kind) {
    case PropKind::Enumeration: {
        const auto ordinal = std::get<std::int32_t>(value);
        return ordinal >= 0 && static_cast<std::size_t>(ordinal) < property.identifiers.size()
                   ? property.identifiers[static_cast<std::size_t>(ordinal)]
                   : std::string();
    }
    case PropKind::Integer: return std::to_string(std::get<std::int32_t>(value));
    case PropKind::Text: return std::get<std::string>(value);
    default: return {};
    }
}

std::string TPropsStorage::readString(const std::string& key, const std::string& fallback) const
{
    return onReadString ? onReadString(section, key, fallback) : std::string();
}

void TPropsStorage::writeString(const std::string& key, const std::string& value) const
{
    if (onWriteString) onWriteString(section, key, value);
}

void TPropsStorage::storeProperty(const PropInfo& property) const
{
    const std::string text = propertyText(*component, property);
    if (text.empty() && property.kind != PropKind::Text) return;
    writeString(prefix + property.name, toolkit::trimBlanks(text));
}

void TPropsStorage::loadProperty(const PropInfo& property) const
{
    std::string text = propertyText(*component, property);
    if (!text.empty() || property.kind == PropKind::Text)
        text = toolkit::trimBlanks(readString(prefix + property.name, text));
    setFromStoredText(*component, property, text);
}

} // namespace settings
