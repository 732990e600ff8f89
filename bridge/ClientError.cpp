#include "bridge/ClientError.h"

#include <cstdio>
#include <cstring>

namespace bridge {

namespace {

thread_local char lastMessage[256];

} // namespace

void raiseClientError(const char* message)
{
    std::strncpy(lastMessage, message, sizeof lastMessage - 1);
    const ULONG_PTR parameters[1] = {reinterpret_cast<ULONG_PTR>(lastMessage)};
    RaiseException(clientErrorCode, EXCEPTION_NONCONTINUABLE, 1, parameters);
    // A handler that tries to go on after a non-continuable exception gets
    // another exception: the call does not return.
    __builtin_unreachable();
}

void raiseListIndexError(int index)
{
    char message[64];
    std::snprintf(message, sizeof message, "List index out of bounds (%d)", index);
    raiseClientError(message);
}

} // namespace bridge
