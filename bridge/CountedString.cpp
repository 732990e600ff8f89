#include "bridge/CountedString.h"

#include <windows.h>

#include <cstring>

namespace bridge {

namespace {

CLIENT_CALLBACK void* getMemory(std::int32_t size)
{
    return size > 0 ? HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(size)) : nullptr;
}

CLIENT_CALLBACK std::int32_t freeMemory(void* block)
{
    return HeapFree(GetProcessHeap(), 0, block) ? 0 : 1;
}

CLIENT_CALLBACK void* resizeMemory(void* block, std::int32_t size)
{
    if (!block) return getMemory(size);
    if (size <= 0) {
        freeMemory(block);
        return nullptr;
    }
    return HeapReAlloc(GetProcessHeap(), 0, block, static_cast<SIZE_T>(size));
}

const MemoryManager manager{getMemory, freeMemory, resizeMemory};

volatile LONG* referenceCount(char* text)
{
    return reinterpret_cast<volatile LONG*>(text - 8);
}

} // namespace

const MemoryManager& memoryManager()
{
    return manager;
}

char* newCountedString(std::string_view text)
{
    if (text.empty()) return nullptr;
    auto* block = static_cast<char*>(manager.get(static_cast<std::int32_t>(text.size() + 9)));
    if (!block) return nullptr;
    const std::int32_t count = 1, length = static_cast<std::int32_t>(text.size());
    std::memcpy(block, &count, 4);
    std::memcpy(block + 4, &length, 4);
    std::memcpy(block + 8, text.data(), text.size());
    block[8 + text.size()] = '\0';
    return block + 8;
}

std::int32_t countedLength(const char* text)
{
    std::int32_t length = 0;
    if (text) std::memcpy(&length, text - 4, 4);
    return length;
}

std::string_view countedText(const char* text)
{
    return text ? std::string_view(text, static_cast<std::size_t>(countedLength(text))) : std::string_view();
}

void addReference(char* text)
{
    if (text && *referenceCount(text) > 0) InterlockedIncrement(referenceCount(text));
}

void releaseReference(char* text)
{
    if (text && *referenceCount(text) > 0 && InterlockedDecrement(referenceCount(text)) == 0) manager.free(text - 8);
}

} // namespace bridge
