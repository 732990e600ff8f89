#pragma once
// Component: a named object with an owner and the components it owns, in
// the order they were given to it. The owner destroys what it owns.
#include "toolkit/core/MetaClass.h"

#include <string>
#include <vector>

namespace toolkit {

class Component;

// What foreign code is handed for a component: its first word is the
// class reference of the component's class.
struct ClientFace {
    const void* classReference;
    Component* component;
};

class Component {
public:
    explicit Component(Component* owner);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    static const MetaClass classInfo;
    virtual const MetaClass& metaClass() const { return classInfo; }

    const std::string& name() const { return name_; }
    // Raises an error when the owner already has a component of that name.
    void setName(const std::string& name);

    Component* owner() const { return owner_; }
    const std::vector<Component*>& components() const { return components_; }
    // The owned component of that name, ignoring case; null when none.
    Component* findComponent(std::string_view name) const;

    // Form loading: set while the reader assigns properties; events are not
    // raised then.
    bool loading() const { return loading_; }
    void setLoading(bool loading) { loading_ = loading; }
    // Called by the reader on each created component once all are read.
    virtual void loaded() { loading_ = false; }
    // Called by the reader for an object nested in this one's description
    // that this component does not place (below).
    virtual void readChild(Component& child);
    // Called by the reader for every object nested in this one's
    // description: true when this component took it as its child (a
    // windowed control places controls in itself).
    virtual bool placeChild(Component& child);

    ClientFace* clientFace();
    static Component* fromClientFace(const void* face);

protected:
    void destroyComponents();

private:
    void insertComponent(Component& component);
    void removeComponent(Component& component);

    ClientFace face_;
    Component* owner_;
    std::string name_;
    std::vector<Component*> components_;
    bool loading_ = false;
};

// The owner's component of that name and class, or an error naming it.
template <typename T>
T& componentOf(const Component& owner, std::string_view name)
{
    auto* found = dynamic_cast<T*>(owner.findComponent(name));
    if (!found) throw std::invalid_argument("no component " + std::string(name) + " of the expected class");
    return *found;
}

} // namespace toolkit
