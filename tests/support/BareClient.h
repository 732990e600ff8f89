#pragma once
// The polling cycle's calls made with raw COM and nothing else: the same
// lookups, names, calls and arguments, in the same order, with no error
// reporting beyond stopping at the first failure. The yardstick for what
// Ovistra's own code adds to a cycle.
#include <windows.h>
#include <oaidl.h>

namespace testing_support {

class BareClient {
public:
    BareClient();
    ~BareClient();
    BareClient(const BareClient&) = delete;
    BareClient& operator=(const BareClient&) = delete;

    // One cycle with Show Object checked at the given colour depth; false
    // when a call failed.
    bool cycle(long colorDepth);

private:
    VARIANT current_;
};

} // namespace testing_support
