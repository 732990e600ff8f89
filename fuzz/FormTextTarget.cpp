// The component text form as any program may put it on the clipboard or a
// form description may hold it: parsing raises the toolkit's error or
// gives objects whose names and classes are identifiers.
#include "FuzzTarget.h"

#include "toolkit/core/Error.h"
#include "toolkit/core/FormText.h"

#include <string_view>

namespace {

void checkObject(const toolkit::FormObject& object, int depth)
{
    fuzz::check(!object.className.empty(), "an object without a class");
    fuzz::check(object.line >= 1, "an object without a line");
    for (const toolkit::FormProperty& property : object.properties)
        fuzz::check(!property.name.empty() && property.line >= object.line, "a property without a name or line");
    fuzz::check(depth < 100000, "nesting deeper than the input");
    for (const toolkit::FormObject& child : object.children) checkObject(child, depth + 1);
}

} // namespace

FUZZ_TARGET(form_text)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        checkObject(toolkit::parseFormText(text), 0);
    } catch (const toolkit::Error&) {
    }
}
