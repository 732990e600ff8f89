#pragma once
// The 21 callbacks of the client callback record, in the register
// convention (first three arguments in EAX, EDX, ECX; a counted-string or
// automation-value result through a hidden pointer after the declared
// arguments). Objects cross as client faces: their first word is the class
// reference. The callbacks do not check their arguments; the library must
// pass live objects of the kind each names.
#include "bridge/CountedString.h"

#include <windows.h>
#include <oaidl.h>

#include <cstdint>

namespace bridge {

using Object = const void*;

CLIENT_CALLBACK std::int32_t componentCount(Object component) noexcept;
CLIENT_CALLBACK Object componentByIndex(Object component, std::int32_t index) noexcept;
CLIENT_CALLBACK void componentName(Object component, char** result) noexcept;
CLIENT_CALLBACK Object componentOwner(Object component) noexcept;
CLIENT_CALLBACK Object findComponent(Object component, char* name) noexcept;
CLIENT_CALLBACK void clientToScreen(Object control, POINT* point) noexcept;
CLIENT_CALLBACK void screenToClient(Object control, POINT* point) noexcept;
CLIENT_CALLBACK Object controlParent(Object control) noexcept;
CLIENT_CALLBACK bool controlEnabled(Object control) noexcept;
CLIENT_CALLBACK bool controlVisible(Object control) noexcept;
CLIENT_CALLBACK std::int32_t controlWidth(Object control) noexcept;
CLIENT_CALLBACK std::int32_t controlHeight(Object control) noexcept;
CLIENT_CALLBACK std::int32_t controlLeft(Object control) noexcept;
CLIENT_CALLBACK std::int32_t controlTop(Object control) noexcept;
CLIENT_CALLBACK HWND controlWindowHandle(Object winControl) noexcept;
CLIENT_CALLBACK Object controlAtPos(Object winControl, const POINT* point) noexcept;
CLIENT_CALLBACK Object dataModuleByIndex(std::int32_t index) noexcept;
CLIENT_CALLBACK std::int32_t dataModuleCount() noexcept;
CLIENT_CALLBACK Object controlFromWindow(HWND window) noexcept;
CLIENT_CALLBACK void oleControlObject(Object oleControl, VARIANT* result) noexcept;
CLIENT_CALLBACK void copyMemoryManager(MemoryManager* record) noexcept;

} // namespace bridge
