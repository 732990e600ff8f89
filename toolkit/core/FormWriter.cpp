#include "toolkit/core/FormWriter.h"

#include "toolkit/core/Component.h"

#include <memory>
#include <vector>

namespace toolkit {

namespace {

// A text as quoted parts: printable runs in quotes ('' for a quote),
// other characters as #nn.
std::string quoted(const std::string& text)
{
    if (text.empty()) return "''";
    std::string result;
    bool inQuotes = false;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 32 && code != 127) {
            if (!inQuotes) result += '\'';
            inQuotes = true;
            result += c == '\'' ? "''" : std::string(1, c);
        } else {
            if (inQuotes) result += '\'';
            inQuotes = false;
            result += '#' + std::to_string(code);
        }
    }
    if (inQuotes) result += '\'';
    return result;
}

std::string valueText(const PropInfo& info, const PropertyValue& value, const std::string& indent)
{
    switch (info.kind) {
    case PropKind::Enumeration: {
        const auto ordinal = static_cast<std::size_t>(std::get<std::int32_t>(value));
        return ordinal < info.identifiers.size() ? info.identifiers[ordinal] : std::to_string(ordinal);
    }
    case PropKind::Integer: {
        const std::int32_t number = std::get<std::int32_t>(value);
        for (const auto& [name, constant] : info.constants)
            if (constant == number) return name;
        return std::to_string(number);
    }
    case PropKind::Text: return quoted(std::get<std::string>(value));
    case PropKind::Set: {
        const auto bits = static_cast<std::uint32_t>(std::get<std::int32_t>(value));
        std::string members;
        for (std::size_t i = 0; i < info.identifiers.size(); ++i)
            if (bits & (1u << i)) members += (members.empty() ? "" : ", ") + info.identifiers[i];
        return "[" + members + "]";
    }
    case PropKind::Strings: {
        std::string list = "(";
        for (const std::string& line : std::get<std::vector<std::string>>(value)) list += "\n" + indent + "  " + quoted(line);
        return list + ")";
    }
    case PropKind::Reference: return std::get<Component*>(value)->name();
    case PropKind::Event: break;
    }
    return {};
}

bool sameValue(const PropertyValue& a, const PropertyValue& b)
{
    if (a.index() != b.index()) return false;
    if (const auto* number = std::get_if<std::int32_t>(&a)) return *number == std::get<std::int32_t>(b);
    if (const auto* text = std::get_if<std::string>(&a)) return *text == std::get<std::string>(b);
    if (const auto* lines = std::get_if<std::vector<std::string>>(&a)) return *lines == std::get<std::vector<std::string>>(b);
    if (const auto* target = std::get_if<Component*>(&a)) return *target == std::get<Component*>(b);
    return false;
}

// References reach only the stream's own components: the root and what it
// owns.
bool insideStream(const Component* target, const Component& root)
{
    return target && (target == &root || root.findComponent(target->name()) == target);
}

void writeObject(const Component& component, const Component& root, const std::string& indent, std::string& out)
{
    out += indent + "object " + component.name() + ": " + std::string(component.metaClass().name()) + "\n";
    // The values a new instance has are not written.
    std::unique_ptr<Component> fresh(component.metaClass().create(nullptr));
    std::vector<const MetaClass*> chain;
    for (const MetaClass* c = &component.metaClass(); c; c = c->parent()) chain.insert(chain.begin(), c);
    for (const MetaClass* c : chain) {
        for (const PropInfo& info : c->ownProperties()) {
            // The name stands in the object's header.
            if (info.kind == PropKind::Event || !info.get || info.name == "Name") continue;
            const PropertyValue value = info.get(component);
            if (info.kind == PropKind::Reference && !insideStream(std::get<Component*>(value), root)) continue;
            if (fresh && sameValue(value, info.get(*fresh))) continue;
            out += indent + "  " + info.name + " = " + valueText(info, value, indent + "  ") + "\n";
        }
    }
    for (const Component* child : component.components()) writeObject(*child, root, indent + "  ", out);
    out += indent + "end\n";
}

} // namespace

std::string writeComponent(const Component& component)
{
    std::string out;
    writeObject(component, component, "", out);
    return out;
}

} // namespace toolkit
