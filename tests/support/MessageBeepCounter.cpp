#include "support/MessageBeepCounter.h"

#include <stdexcept>
#include <string>

namespace testing_support {

namespace {

// The import entry of this executable through which it calls `function`
// of `library`.
void** importEntry(const char* library, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name; ++descriptor) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), library) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++entries) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::string(reinterpret_cast<const char*>(byName->Name)) == function)
                return reinterpret_cast<void**>(&entries->u1.Function);
        }
    }
    throw std::runtime_error(std::string("no import of ") + function);
}

void setEntry(void** entry, void* value)
{
    DWORD protection = 0;
    VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection);
    *entry = value;
    VirtualProtect(entry, sizeof *entry, protection, &protection);
}

} // namespace

MessageBeepCounter::MessageBeepCounter() : entry_(importEntry("user32.dll", "MessageBeep"))
{
    count_ = 0;
    lastType_ = 0;
    original_ = *entry_;
    passOn_ = reinterpret_cast<BOOL(WINAPI*)(UINT)>(original_);
    setEntry(entry_, reinterpret_cast<void*>(&counting));
}

MessageBeepCounter::~MessageBeepCounter()
{
    setEntry(entry_, original_);
}

BOOL WINAPI MessageBeepCounter::counting(UINT type)
{
    ++count_;
    lastType_ = type;
    return passOn_(type);
}

} // namespace testing_support
