#include "toolkit/core/ComponentReader.h"

#include "toolkit/core/Component.h"
#include "toolkit/core/Error.h"
#include "toolkit/core/Text.h"

#include <limits>

namespace toolkit {

namespace {

struct PendingReference {
    Component* component;
    const PropInfo* property;
    std::string target;
    int line;
};

class Reader {
public:
    Reader(Component& root, const ClassRegistry& classes, const MethodFinder& methods)
        : root_(root), classes_(classes), methods_(methods)
    {
    }

    void read(const FormObject& object)
    {
        if (!sameTextAscii(object.className, root_.metaClass().name()))
            fail(object.line, format("the form is of class %s, not %s", std::string(root_.metaClass().name()).c_str(),
                                     object.className.c_str()));
        created_.push_back(&root_);
        root_.setLoading(true);
        try {
            root_.setName(object.name);
        } catch (const Error& e) {
            fail(object.line, e.what());
        }
        assignProperties(root_, object);
        for (const FormObject& child : object.children) readObject(child, root_);
        for (const PendingReference& pending : references_) resolve(pending);
        for (Component* component : created_) component->loaded();
    }

private:
    [[noreturn]] static void fail(int line, const std::string& what)
    {
        throw Error(format("Form description line %d: %s", line, what.c_str()));
    }

    void readObject(const FormObject& object, Component& container)
    {
        const MetaClass* metaClass = classes_.find(object.className);
        if (!metaClass || !metaClass->creatable())
            fail(object.line, format("unknown class %s of %s", object.className.c_str(), object.name.c_str()));
        Component* component = metaClass->create(&root_);
        created_.push_back(component);
        component->setLoading(true);
        try {
            component->setName(object.name);
        } catch (const Error& e) {
            fail(object.line, e.what());
        }
        if (!container.placeChild(*component) && &container != &root_)
            try {
                container.readChild(*component);
            } catch (const Error& e) {
                fail(object.line, e.what());
            }
        assignProperties(*component, object);
        for (const FormObject& child : object.children) readObject(child, *component);
    }

    void assignProperties(Component& component, const FormObject& object)
    {
        for (const FormProperty& property : object.properties) {
            const PropInfo* info = component.metaClass().findProperty(property.name);
            if (!info)
                fail(property.line, format("unknown property %s of %s (%s)", property.name.c_str(),
                                           component.name().c_str(), std::string(component.metaClass().name()).c_str()));
            if (info->kind == PropKind::Reference) {
                const auto* target = std::get_if<Identifier>(&property.value);
                if (!target) invalid(component, property, "a component name expected");
                references_.push_back({&component, info, target->name, property.line});
                continue;
            }
            PropertyValue value = convert(component, *info, property);
            try {
                info->set(component, value);
            } catch (const std::exception& e) {
                invalid(component, property, e.what());
            }
        }
    }

    [[noreturn]] static void invalid(const Component& component, const FormProperty& property, const std::string& why)
    {
        fail(property.line,
             format("invalid value for property %s of %s: %s", property.name.c_str(), component.name().c_str(), why.c_str()));
    }

    PropertyValue convert(const Component& component, const PropInfo& info, const FormProperty& property) const
    {
        const FormValue& value = property.value;
        switch (info.kind) {
        case PropKind::Integer: {
            if (const auto* number = std::get_if<std::int64_t>(&value)) {
                if (*number < std::numeric_limits<std::int32_t>::min() || *number > std::numeric_limits<std::int32_t>::max())
                    invalid(component, property, "number out of range");
                return static_cast<std::int32_t>(*number);
            }
            if (const auto* name = std::get_if<Identifier>(&value))
                for (const auto& [constant, number] : info.constants)
                    if (sameTextAscii(constant, name->name)) return number;
            invalid(component, property, "an integer expected");
        }
        case PropKind::Enumeration:
            if (const auto* name = std::get_if<Identifier>(&value))
                for (std::size_t i = 0; i < info.identifiers.size(); ++i)
                    if (sameTextAscii(info.identifiers[i], name->name)) return static_cast<std::int32_t>(i);
            invalid(component, property, "one of its identifiers expected");
        case PropKind::Set: {
            const auto* set = std::get_if<SetValue>(&value);
            if (!set) invalid(component, property, "a set expected");
            std::int32_t bits = 0;
            for (const std::string& member : set->members) {
                std::size_t i = 0;
                while (i < info.identifiers.size() && !sameTextAscii(info.identifiers[i], member)) ++i;
                if (i == info.identifiers.size()) invalid(component, property, "unknown set member " + member);
                bits |= 1 << i;
            }
            return bits;
        }
        case PropKind::Text:
            if (const auto* text = std::get_if<std::string>(&value)) return *text;
            invalid(component, property, "a text expected");
        case PropKind::Strings:
            if (const auto* list = std::get_if<TextList>(&value)) return list->lines;
            invalid(component, property, "a list of texts expected");
        case PropKind::Event: {
            const auto* name = std::get_if<Identifier>(&value);
            if (!name) invalid(component, property, "a method name expected");
            const EventHandler* handler = methods_ ? methods_(name->name) : nullptr;
            if (!handler) invalid(component, property, "no method " + name->name);
            return *handler;
        }
        case PropKind::Reference: break;
        }
        invalid(component, property, "not settable here");
    }

    void resolve(const PendingReference& pending)
    {
        Component* target = sameTextAscii(pending.target, root_.name()) ? &root_ : root_.findComponent(pending.target);
        if (!target)
            fail(pending.line, format("invalid value for property %s of %s: no component %s", pending.property->name.c_str(),
                                      pending.component->name().c_str(), pending.target.c_str()));
        try {
            pending.property->set(*pending.component, target);
        } catch (const std::exception& e) {
            fail(pending.line, format("invalid value for property %s of %s: %s", pending.property->name.c_str(),
                                      pending.component->name().c_str(), e.what()));
        }
    }

    Component& root_;
    const ClassRegistry& classes_;
    const MethodFinder& methods_;
    std::vector<Component*> created_;
    std::vector<PendingReference> references_;
};

} // namespace

void readComponentInto(Component& root, const FormObject& object, const ClassRegistry& classes,
                       const MethodFinder& methods)
{
    Reader(root, classes, methods).read(object);
}

} // namespace toolkit
