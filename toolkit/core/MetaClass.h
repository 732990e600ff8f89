#pragma once
// Class information of the toolkit's classes: one static MetaClass per
// class, holding the binary class descriptor that the test tool's client
// library reads, the class's type record, its published properties and a
// factory for the form-description reader.
#include "toolkit/core/Property.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

class Component;

// Type-record kinds that occur in this program.
enum class TypeKind : std::uint8_t { Enumeration = 3, Float = 4, ShortString = 5, Class = 7, String = 10, Variant = 12 };

// A type record: a kind byte followed by the type's name as one length
// byte and that many characters.
class TypeRecord {
public:
    TypeRecord(TypeKind kind, std::string_view name);
    const void* address() const { return bytes_; }

private:
    std::uint8_t bytes_[2 + 255];
};

// The class descriptor as foreign code reads it: a class reference points
// at `classStart`, and the named fields lie at fixed negative offsets from
// it (-76 self, -60 type record, -44 class name, -40 instance size,
// -36 parent cell). The unnamed slots are null.
struct ClassDescriptor {
    const void* self;
    const void* unused1[3];
    const void* typeInfo;
    const void* unused2[3];
    const std::uint8_t* className;
    std::int32_t instanceSize;
    const void* const* parentCell;
    const void* unused3[8];
    const void* classStart;
    const class MetaClass* metaClass;  // lets a class reference be mapped back
};
// The offsets hold in the 32-bit program; the host's fuzz build of the
// core has wider pointers and no foreign reader.
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(ClassDescriptor, classStart) - offsetof(ClassDescriptor, self) == 76);
static_assert(offsetof(ClassDescriptor, classStart) - offsetof(ClassDescriptor, typeInfo) == 60);
static_assert(offsetof(ClassDescriptor, classStart) - offsetof(ClassDescriptor, className) == 44);
static_assert(offsetof(ClassDescriptor, classStart) - offsetof(ClassDescriptor, instanceSize) == 40);
static_assert(offsetof(ClassDescriptor, classStart) - offsetof(ClassDescriptor, parentCell) == 36);
#endif

class MetaClass {
public:
    using Factory = Component* (*)(Component* owner);

    // The root class: no parent, no type record in its descriptor.
    MetaClass(std::string_view name, std::int32_t instanceSize);
    MetaClass(std::string_view name, const MetaClass& parent, std::int32_t instanceSize, Factory factory,
              std::vector<PropInfo> properties);
    MetaClass(const MetaClass&) = delete;
    MetaClass& operator=(const MetaClass&) = delete;

    std::string_view name() const { return name_; }
    const MetaClass* parent() const { return parent_; }
    const void* classReference() const { return &descriptor_.classStart; }
    const TypeRecord& typeRecord() const { return typeRecord_; }

    // Creates an instance for the form-description reader; null for
    // classes that are not created by name.
    Component* create(Component* owner) const { return factory_ ? factory_(owner) : nullptr; }
    bool creatable() const { return factory_ != nullptr; }

    // The property of that name (ignoring case), searched from this class
    // up through its parents; null when there is none.
    const PropInfo* findProperty(std::string_view name) const;
    // The properties this class adds to its parent's, in declared order.
    const std::vector<PropInfo>& ownProperties() const { return properties_; }

    static const MetaClass& fromClassReference(const void* classReference);

private:
    std::string name_;
    const MetaClass* parent_;
    Factory factory_;
    std::vector<PropInfo> properties_;
    std::uint8_t shortName_[1 + 255];
    TypeRecord typeRecord_;
    ClassDescriptor descriptor_{};
};

// The root class of every object handed to foreign code, and its type
// record, which foreign code is given separately.
const MetaClass& objectClass();
const TypeRecord& objectTypeRecord();

// The factory of a class that the form-description reader creates.
template <typename T>
Component* createInstance(Component* owner)
{
    return new T(owner);
}

} // namespace toolkit
