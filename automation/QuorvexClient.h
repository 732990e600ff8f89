#pragma once
// The road to the test tool's automation server. Every accessor finds the
// application object afresh; nothing is kept between calls.
#include "automation/OleVariant.h"

#include <string_view>

namespace automation {

// The running instance registered for the ProgID, else a new one.
OleVariant GetActiveOrCreateObject(std::string_view progId);

OleVariant QuorvexApp();
OleVariant QuorvexManager();
OleVariant QuorvexSys();
OleVariant QuorvexRegions();

} // namespace automation
