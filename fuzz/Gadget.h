#pragma once
// Components for the fuzz targets: a gadget has a property of every kind
// that the component reader and the settings set, each kept in a slot of
// its own; a shelf takes nested gadgets as its children, as a windowed
// control takes controls.
#include "toolkit/core/Component.h"
#include "toolkit/core/MetaClass.h"

#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace fuzz {

class Gadget : public toolkit::Component {
public:
    enum Slot { Size, Active, Shape, Options, Caption, Lines, Partner, SlotCount };

    explicit Gadget(toolkit::Component* owner);
    static const toolkit::MetaClass classInfo;
    const toolkit::MetaClass& metaClass() const override { return classInfo; }
    void readChild(toolkit::Component& child) override { parts_.push_back(&child); }

    template <typename Value, int S>
    Value get() const
    {
        return std::get<Value>(slots_[S]);
    }
    template <typename Argument, int S>
    void set(Argument value)
    {
        slots_[S] = std::decay_t<Argument>(value);
    }

    toolkit::NotifyEvent onPoke;

private:
    using Value = std::variant<int, bool, unsigned, std::string, std::vector<std::string>, Gadget*>;
    Value slots_[SlotCount];
    std::vector<toolkit::Component*> parts_;
};

class Shelf : public Gadget {
public:
    explicit Shelf(toolkit::Component* owner) : Gadget(owner) {}
    static const toolkit::MetaClass classInfo;
    const toolkit::MetaClass& metaClass() const override { return classInfo; }
    bool placeChild(toolkit::Component& child) override { return dynamic_cast<Gadget*>(&child) != nullptr; }
};

} // namespace fuzz
