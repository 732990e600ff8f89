#pragma once
// The program's memory manager as the client library shares it, and the
// counted strings that cross the callback record: a pointer to the first
// character of a heap block that holds a 32-bit reference count, a 32-bit
// length, the 8-bit characters and a zero byte. The empty string is null; a
// reference count of -1 marks a constant that is never freed.
#include <cstdint>
#include <string_view>

#define CLIENT_CALLBACK __attribute__((regparm(3)))

namespace bridge {

// The memory-manager record handed out by CopyMemoryManager: three entry
// points in the register convention.
struct MemoryManager {
    void* (CLIENT_CALLBACK* get)(std::int32_t size);
    std::int32_t (CLIENT_CALLBACK* free)(void* block);
    void* (CLIENT_CALLBACK* resize)(void* block, std::int32_t size);
};
static_assert(sizeof(MemoryManager) == 12);

const MemoryManager& memoryManager();

// A new string of reference count 1 from the memory manager; null for the
// empty text or when memory runs out.
char* newCountedString(std::string_view text);
std::int32_t countedLength(const char* text);
std::string_view countedText(const char* text);
// Reference counting as the runtime does it: constants are left alone, and
// a count that drops to 0 gives the block back.
void addReference(char* text);
void releaseReference(char* text);

} // namespace bridge
