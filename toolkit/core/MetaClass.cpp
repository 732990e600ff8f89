#include "toolkit/core/MetaClass.h"

#include <algorithm>
#include <cstring>

#include "toolkit/core/Text.h"

namespace toolkit {

namespace {

void storeShortString(std::uint8_t* target, std::string_view text)
{
    const std::size_t length = std::min<std::size_t>(text.size(), 255);
    target[0] = static_cast<std::uint8_t>(length);
    std::memcpy(target + 1, text.data(), length);
}

} // namespace

TypeRecord::TypeRecord(TypeKind kind, std::string_view name) : bytes_{}
{
    bytes_[0] = static_cast<std::uint8_t>(kind);
    storeShortString(bytes_ + 1, name);
}

MetaClass::MetaClass(std::string_view name, std::int32_t instanceSize)
    : name_(name), parent_(nullptr), factory_(nullptr), shortName_{}, typeRecord_(TypeKind::Class, name)
{
    storeShortString(shortName_, name_);
    descriptor_.self = &descriptor_.classStart;
    descriptor_.className = shortName_;
    descriptor_.instanceSize = instanceSize;
    descriptor_.metaClass = this;
}

MetaClass::MetaClass(std::string_view name, const MetaClass& parent, std::int32_t instanceSize, Factory factory,
                     std::vector<PropInfo> properties)
    : MetaClass(name, instanceSize)
{
    parent_ = &parent;
    factory_ = factory;
    properties_ = std::move(properties);
    descriptor_.typeInfo = typeRecord_.address();
    // The parent cell is the parent's own self field, which holds its class
    // reference.
    descriptor_.parentCell = &parent.descriptor_.self;
}

const PropInfo* MetaClass::findProperty(std::string_view name) const
{
    for (const MetaClass* c = this; c; c = c->parent_)
        for (const PropInfo& p : c->properties_)
            if (sameTextAscii(p.name, name)) return &p;
    return nullptr;
}

const MetaClass& MetaClass::fromClassReference(const void* classReference)
{
    const auto* start = static_cast<const char*>(classReference) - offsetof(ClassDescriptor, classStart);
    return *reinterpret_cast<const ClassDescriptor*>(start)->metaClass;
}

const MetaClass& objectClass()
{
    static const MetaClass root("TObject", 4);
    return root;
}

const TypeRecord& objectTypeRecord()
{
    return objectClass().typeRecord();
}

} // namespace toolkit
