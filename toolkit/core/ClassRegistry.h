#pragma once
// The classes that a form description may name, found by name.
#include "toolkit/core/MetaClass.h"

#include <initializer_list>
#include <string_view>
#include <vector>

namespace toolkit {

class ClassRegistry {
public:
    ClassRegistry() = default;
    ClassRegistry(std::initializer_list<const MetaClass*> classes) : classes_(classes) {}

    void add(const MetaClass& metaClass) { classes_.push_back(&metaClass); }
    void add(const ClassRegistry& other) { classes_.insert(classes_.end(), other.classes_.begin(), other.classes_.end()); }
    // The class of that name, ignoring case; null when unknown.
    const MetaClass* find(std::string_view name) const;

private:
    std::vector<const MetaClass*> classes_;
};

} // namespace toolkit
