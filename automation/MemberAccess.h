#pragma once
// Late-bound member access on a Dispatch object: the member name is
// resolved anew at every access (nothing is remembered), then Invoke is
// called with locale 0.
//   read:  flags DISPATCH_METHOD | DISPATCH_PROPERTYGET, a result slot
//   write: DISPATCH_PROPERTYPUT, the value named DISPID_PROPERTYPUT, no slot
//   call:  DISPATCH_METHOD, with or without a result slot
// Arguments are given first to last; the system's array holds them
// reversed.
#include "automation/OleVariant.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

// One argument of a call: a value, or a reference to the caller's own
// variable, which the server may change.
class Argument {
public:
    static Argument byValue(const OleVariant& value);
    static Argument byReference(OleVariant& variable);
    static Argument byReference(std::int32_t& variable);
    // Handed over as a system string and copied back after the call.
    static Argument byReference(std::string& variable);

private:
    friend class CallArguments;
    enum class Kind { Value, Variant, Integer, Text };
    Kind kind_ = Kind::Value;
    OleVariant value_;
    void* target_ = nullptr;
};

OleVariant readMember(const OleVariant& object, std::string_view name);
void writeMember(const OleVariant& object, std::string_view name, const OleVariant& value);
OleVariant callMember(const OleVariant& object, std::string_view name, const std::vector<Argument>& arguments);
void callMemberWithoutResult(const OleVariant& object, std::string_view name, const std::vector<Argument>& arguments);

} // namespace automation
