#include "bridge/ClientRecord.h"

#include "bridge/ClientCallbacks.h"
#include "toolkit/core/MetaClass.h"

#include <windows.h>

namespace bridge {

namespace {

using toolkit::TypeKind;
using toolkit::TypeRecord;

const TypeRecord booleanType(TypeKind::Enumeration, "Boolean");
const TypeRecord oleVariantType(TypeKind::Variant, "OleVariant");
const TypeRecord variantType(TypeKind::Variant, "Variant");
const TypeRecord shortStringType(TypeKind::ShortString, "ShortString");
const TypeRecord stringType(TypeKind::String, "String");
const TypeRecord singleType(TypeKind::Float, "Single");

template <typename Function>
const void* entry(Function function)
{
    return reinterpret_cast<const void*>(function);
}

const void* offset(std::int32_t value)
{
    return reinterpret_cast<const void*>(static_cast<std::intptr_t>(value));
}

} // namespace

ClientRecord makeClientRecord()
{
    return ClientRecord{{entry(componentCount),
                         entry(componentByIndex),
                         entry(componentName),
                         entry(componentOwner),
                         entry(findComponent),
                         entry(clientToScreen),
                         entry(screenToClient),
                         entry(controlParent),
                         entry(controlEnabled),
                         entry(controlVisible),
                         entry(controlWidth),
                         entry(controlHeight),
                         entry(controlLeft),
                         entry(controlTop),
                         entry(controlWindowHandle),
                         entry(controlAtPos),
                         entry(dataModuleByIndex),
                         entry(dataModuleCount),
                         entry(controlFromWindow),
                         entry(oleControlObject),
                         entry(copyMemoryManager),
                         booleanType.address(),
                         oleVariantType.address(),
                         variantType.address(),
                         shortStringType.address(),
                         stringType.address(),
                         singleType.address(),
                         toolkit::objectTypeRecord().address(),
                         GetModuleHandleW(nullptr),
                         offset(-76),
                         offset(-60),
                         offset(-44),
                         offset(-40),
                         offset(-36)}};
}

} // namespace bridge
