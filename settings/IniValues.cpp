#include "settings/IniValues.h"

#include "toolkit/core/Component.h"
#include "toolkit/core/MetaClass.h"
#include "toolkit/core/Text.h"

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

std::vector<std::string> positionWords(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == ',') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

void setFromStoredText(toolkit::Component& component, const toolkit::PropInfo& property, const std::string& text)
{
    using toolkit::PropKind;
    using toolkit::PropertyValue;
    switch (property.kind) {
    case PropKind::Enumeration:
        for (std::size_t i = 0; i < property.identifiers.size(); ++i)
            if (toolkit::sameTextAscii(property.identifiers[i], text)) {
                property.set(component, PropertyValue{static_cast<std::int32_t>(i)});
                return;
            }
        return;
    case PropKind::Integer: {
        const std::int32_t current = std::get<std::int32_t>(property.get(component));
        property.set(component, PropertyValue{textToInteger(text, current)});
        return;
    }
    case PropKind::Text: property.set(component, PropertyValue{text}); return;
    default: return;
    }
}

} // namespace settings
