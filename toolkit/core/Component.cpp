#include "toolkit/core/Component.h"

#include "toolkit/core/Error.h"
#include "toolkit/core/Text.h"

#include <algorithm>

namespace toolkit {

const MetaClass Component::classInfo("TComponent", objectClass(), sizeof(Component), nullptr,
                                     {textProperty("Name", &Component::name, &Component::setName)});

Component::Component(Component* owner) : face_{nullptr, this}, owner_(owner)
{
    if (owner_) owner_->insertComponent(*this);
}

Component::~Component()
{
    destroyComponents();
    if (owner_) owner_->removeComponent(*this);
}

void Component::destroyComponents()
{
    // The last created goes first, so controls go before their containers.
    while (!components_.empty()) delete components_.back();
}

void Component::insertComponent(Component& component)
{
    components_.push_back(&component);
}

void Component::removeComponent(Component& component)
{
    components_.erase(std::remove(components_.begin(), components_.end(), &component), components_.end());
    component.owner_ = nullptr;
}

void Component::setName(const std::string& name)
{
    if (name == name_) return;
    if (!name.empty() && owner_) {
        const Component* existing = owner_->findComponent(name);
        if (existing && existing != this) throw Error(format("A component named %s already exists", name.c_str()));
    }
    name_ = name;
}

Component* Component::findComponent(std::string_view name) const
{
    if (name.empty()) return nullptr;
    for (Component* c : components_)
        if (sameTextAscii(c->name_, name)) return c;
    return nullptr;
}

void Component::readChild(Component&) {}

bool Component::placeChild(Component&)
{
    return false;
}

ClientFace* Component::clientFace()
{
    face_.classReference = metaClass().classReference();
    return &face_;
}

Component* Component::fromClientFace(const void* face)
{
    return face ? static_cast<const ClientFace*>(face)->component : nullptr;
}

} // namespace toolkit
