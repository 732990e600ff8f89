#pragma once
// The client callback record: 34 entries of 32 bits, 136 bytes, handed to
// the client library by value. Entries 0 to 20 are the callbacks, 21 to 27
// the addresses of the type records of Boolean, OleVariant, Variant,
// ShortString, String, Single and TObject, 28 the program's module
// instance, and 29 to 33 the byte offsets of the class-descriptor fields
// from a class reference.
#include <cstdint>

namespace bridge {

struct ClientRecord {
    const void* entries[34];
};
static_assert(sizeof(ClientRecord) == 136);

enum ClientEntry {
    ComponentCount, ComponentByIndex, ComponentName, ComponentOwner, FindComponent, ClientToScreen, ScreenToClient,
    ControlParent, ControlEnabled, ControlVisible, ControlWidth, ControlHeight, ControlLeft, ControlTop,
    ControlWindowHandle, ControlAtPos, DataModuleByIndex, DataModuleCount, ControlFromWindow, OleControlObject,
    CopyMemoryManager, BooleanTypeInfo, OleVariantTypeInfo, VariantTypeInfo, ShortStringTypeInfo, StringTypeInfo,
    SingleTypeInfo, ObjectTypeInfo, ModuleInstance, ClassSelfOffset, ClassTypeInfoOffset, ClassNameOffset,
    ClassInstanceSizeOffset, ClassParentOffset
};

ClientRecord makeClientRecord();

} // namespace bridge
