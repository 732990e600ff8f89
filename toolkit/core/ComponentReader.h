#pragma once
// Reads a parsed component description into its root component: creates
// the nested components through the class registry in description order,
// owned by the root, sets their properties through the class tables,
// resolves references to components once all exist, then tells each
// component, in creation order, that loading is complete. Raises an error
// naming the line when the description names what does not exist or gives
// a value its property does not take; what was created stays owned by the
// root then.
#include "toolkit/core/ClassRegistry.h"
#include "toolkit/core/Events.h"
#include "toolkit/core/FormText.h"

#include <functional>
#include <string>

namespace toolkit {

class Component;

// The event handler a description names by method name; null when none.
// Without a finder no event may be named.
using MethodFinder = std::function<const EventHandler*(const std::string& name)>;

void readComponentInto(Component& root, const FormObject& object, const ClassRegistry& classes,
                       const MethodFinder& methods = {});

} // namespace toolkit
