#pragma once
// Builds a form from its text description: creates the components through
// the class registry in file order, owned by the form, sets their
// properties through the class tables, resolves references to components
// once all exist, then tells each created component, in creation order,
// that loading is complete.
#include "toolkit/core/ClassRegistry.h"

#include <string_view>

namespace toolkit {

class Component;
class Form;
class WinControl;

void readForm(Form& form, std::string_view description, const ClassRegistry& classes);

// A component read from its description (the clipboard's component
// format), owned by `owner`; a control is placed in `parent`. Nested
// objects are owned by the component read. Raises an error naming the
// line when the description does not parse or names what does not exist;
// nothing read stays behind then.
Component* readComponent(std::string_view description, Component* owner, WinControl* parent,
                         const ClassRegistry& classes);

// The text of an RCDATA resource of the program.
std::string_view resourceText(const char* name);

} // namespace toolkit
