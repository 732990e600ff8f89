#pragma once
// The toolkit's own creatable classes, for form descriptions and the
// component text form.
#include "toolkit/core/ClassRegistry.h"

namespace toolkit {

const ClassRegistry& standardClasses();

} // namespace toolkit
