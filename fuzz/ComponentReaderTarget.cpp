// A component description read into components, as the clipboard pane
// reads the component format: it reads, or raises the toolkit's error and
// leaves nothing behind but what its root owns. What reads is written,
// and what is written reads back to the same text.
#include "FuzzTarget.h"
#include "Gadget.h"

#include "toolkit/core/ClassRegistry.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/ComponentReader.h"
#include "toolkit/core/Error.h"
#include "toolkit/core/FormText.h"
#include "toolkit/core/FormWriter.h"

#include <string>
#include <string_view>

namespace {

using namespace toolkit;
using fuzz::Gadget;
using fuzz::Shelf;

const ClassRegistry classes{&Gadget::classInfo, &Shelf::classInfo};

// The description read into a new root of its class, then written.
bool readAndWrite(std::string_view text, std::string& written)
{
    const FormObject object = parseFormText(text);
    const MetaClass* metaClass = classes.find(object.className);
    if (!metaClass) return false;
    Component owner(nullptr);
    Component* root = metaClass->create(&owner);
    readComponentInto(*root, object, classes);
    written = writeComponent(*root);
    return true;
}

} // namespace

FUZZ_TARGET(component_reader)
{
    std::string written;
    try {
        if (!readAndWrite(std::string_view(reinterpret_cast<const char*>(data), size), written)) return;
    } catch (const Error&) {
        return;
    }
    std::string again;
    try {
        fuzz::check(readAndWrite(written, again), "a written component of an unknown class");
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n%s\n", written.c_str(), e.what());
        fuzz::fail("a written component that does not read back");
    }
    fuzz::check(again == written, "a component written otherwise after reading back");
}
