#include "toolkit/core/ClassRegistry.h"

#include "toolkit/core/Text.h"

namespace toolkit {

const MetaClass* ClassRegistry::find(std::string_view name) const
{
    for (const MetaClass* c : classes_)
        if (sameTextAscii(c->name(), name)) return c;
    return nullptr;
}

} // namespace toolkit
