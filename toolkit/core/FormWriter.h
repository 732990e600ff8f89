#pragma once
// Writes a component in the text form that readComponent reads: its
// published properties that differ from a new instance's, in table order
// (ancestors first), then the components it owns, nested. Event handlers
// are not written: a component stream names no methods.
#include <string>

namespace toolkit {

class Component;

std::string writeComponent(const Component& component);

} // namespace toolkit
