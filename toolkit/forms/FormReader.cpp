#include "toolkit/forms/FormReader.h"

#include "toolkit/controls/Control.h"
#include "toolkit/core/ComponentReader.h"
#include "toolkit/core/Error.h"
#include "toolkit/core/FormText.h"
#include "toolkit/forms/Form.h"

#include <windows.h>

#include <memory>

namespace toolkit {

void readForm(Form& form, std::string_view description, const ClassRegistry& classes)
{
    readComponentInto(form, parseFormText(description), classes,
                      [&form](const std::string& name) { return form.findMethod(name); });
}

Component* readComponent(std::string_view description, Component* owner, WinControl* parent,
                         const ClassRegistry& classes)
{
    const FormObject object = parseFormText(description);
    const MetaClass* metaClass = classes.find(object.className);
    if (!metaClass || !metaClass->creatable()) throw Error(format("Class %s not found", object.className.c_str()));
    std::unique_ptr<Component> component(metaClass->create(owner));
    if (auto* control = dynamic_cast<Control*>(component.get()); control && parent) control->setParent(parent);
    readComponentInto(*component, object, classes);
    return component.release();
}

std::string_view resourceText(const char* name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!resource) throw Error(format("Resource %s not found", name));
    // Resources of the running module stay mapped while it runs.
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw Error(format("Resource %s not found", name));
    return {static_cast<const char*>(data), SizeofResource(module, resource)};
}

} // namespace toolkit
