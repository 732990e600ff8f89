#pragma once
// Published properties. Each class declares a table of the properties that
// a form description may set; the same table serves component streaming
// and the settings storage.
#include "toolkit/core/Events.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace toolkit {

class Component;

enum class PropKind {
    Enumeration,  // value: ordinal into `identifiers` (Boolean: False, True)
    Integer,      // value: std::int32_t
    Text,         // value: std::string
    Set,          // value: bit mask over `identifiers`
    Strings,      // value: std::vector<std::string>
    Reference,    // value: Component*, resolved by name
    Event,        // value: EventHandler
};

using PropertyValue = std::variant<std::int32_t, std::string, std::vector<std::string>, Component*, EventHandler>;

struct PropInfo {
    std::string name;                      // as the class spells it
    PropKind kind;
    std::vector<std::string> identifiers;  // enumeration and set identifiers
    std::function<PropertyValue(const Component&)> get;
    std::function<void(Component&, const PropertyValue&)> set;
    // Integer properties may also take identifiers (colours): name, value.
    std::vector<std::pair<std::string, std::int32_t>> constants = {};
};

// Helpers that bind a property to a class's getter and setter.
template <typename C>
PropInfo booleanProperty(std::string name, bool (C::*get)() const, void (C::*set)(bool))
{
    return {std::move(name), PropKind::Enumeration, {"False", "True"},
            [get](const Component& c) { return PropertyValue{std::int32_t{(static_cast<const C&>(c).*get)()}}; },
            [set](Component& c, const PropertyValue& v) { (static_cast<C&>(c).*set)(std::get<std::int32_t>(v) != 0); }};
}

template <typename C>
PropInfo integerProperty(std::string name, int (C::*get)() const, void (C::*set)(int),
                         std::vector<std::pair<std::string, std::int32_t>> constants = {})
{
    return {std::move(name), PropKind::Integer, {},
            [get](const Component& c) { return PropertyValue{std::int32_t{(static_cast<const C&>(c).*get)()}}; },
            [set](Component& c, const PropertyValue& v) { (static_cast<C&>(c).*set)(std::get<std::int32_t>(v)); },
            std::move(constants)};
}

template <typename C, typename Result>
PropInfo textProperty(std::string name, Result (C::*get)() const, void (C::*set)(const std::string&))
{
    return {std::move(name), PropKind::Text, {},
            [get](const Component& c) { return PropertyValue{std::string((static_cast<const C&>(c).*get)())}; },
            [set](Component& c, const PropertyValue& v) { (static_cast<C&>(c).*set)(std::get<std::string>(v)); }};
}

template <typename C, typename E>
PropInfo enumProperty(std::string name, std::vector<std::string> identifiers, E (C::*get)() const, void (C::*set)(E))
{
    return {std::move(name), PropKind::Enumeration, std::move(identifiers),
            [get](const Component& c) {
                return PropertyValue{static_cast<std::int32_t>((static_cast<const C&>(c).*get)())};
            },
            [set](Component& c, const PropertyValue& v) {
                (static_cast<C&>(c).*set)(static_cast<E>(std::get<std::int32_t>(v)));
            }};
}

template <typename C>
PropInfo setProperty(std::string name, std::vector<std::string> identifiers, unsigned (C::*get)() const,
                     void (C::*set)(unsigned))
{
    return {std::move(name), PropKind::Set, std::move(identifiers),
            [get](const Component& c) {
                return PropertyValue{static_cast<std::int32_t>((static_cast<const C&>(c).*get)())};
            },
            [set](Component& c, const PropertyValue& v) {
                (static_cast<C&>(c).*set)(static_cast<unsigned>(std::get<std::int32_t>(v)));
            }};
}

template <typename C, typename Result>
PropInfo stringsProperty(std::string name, Result (C::*get)() const,
                         void (C::*set)(const std::vector<std::string>&))
{
    return {std::move(name), PropKind::Strings, {},
            [get](const Component& c) {
                return PropertyValue{std::vector<std::string>((static_cast<const C&>(c).*get)())};
            },
            [set](Component& c, const PropertyValue& v) {
                (static_cast<C&>(c).*set)(std::get<std::vector<std::string>>(v));
            }};
}

template <typename C, typename Target>
PropInfo referenceProperty(std::string name, Target* (C::*get)() const, void (C::*set)(Target*))
{
    return {std::move(name), PropKind::Reference, {},
            [get](const Component& c) { return PropertyValue{static_cast<Component*>((static_cast<const C&>(c).*get)())}; },
            [set](Component& c, const PropertyValue& v) {
                Component* target = std::get<Component*>(v);
                auto* typed = dynamic_cast<Target*>(target);
                if (target && !typed) throw std::invalid_argument("the component has the wrong class");
                (static_cast<C&>(c).*set)(typed);
            }};
}

// An event property; `Handler` is one of the EventHandler alternatives.
template <typename C, typename Handler>
PropInfo eventProperty(std::string name, Handler C::*member)
{
    return {std::move(name), PropKind::Event, {},
            [member](const Component& c) { return PropertyValue{EventHandler{static_cast<const C&>(c).*member}}; },
            [member](Component& c, const PropertyValue& v) {
                const auto& handler = std::get<EventHandler>(v);
                if (!std::holds_alternative<Handler>(handler))
                    throw std::invalid_argument("the method does not fit the event");
                static_cast<C&>(c).*member = std::get<Handler>(handler);
            }};
}

} // namespace toolkit
