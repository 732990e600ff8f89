#pragma once
// OleVariant: an owning automation value (VARIANT). The kinds that occur
// are empty, 32-bit integer, text (as a system string), automation boolean
// (true is all bits set) and Dispatch object. Made from a C++ value only by
// name, so that no text or pointer turns into one unnoticed.
#include "toolkit/system/ComHandles.h"

#include <oaidl.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace automation {

class OleVariant {
public:
    OleVariant() { VariantInit(&value_); }
    static OleVariant integer(std::int32_t value);
    static OleVariant text(std::string_view value);
    static OleVariant boolean(bool value);
    static OleVariant dispatch(toolkit::ComPtr<IDispatch> object);
    // Takes over a VARIANT that the caller owned, leaving it empty.
    static OleVariant adopt(VARIANT& value);

    OleVariant(const OleVariant& other);
    OleVariant& operator=(const OleVariant& other);
    OleVariant(OleVariant&& other) noexcept;
    OleVariant& operator=(OleVariant&& other) noexcept;
    ~OleVariant() { VariantClear(&value_); }

    VARTYPE type() const { return value_.vt; }
    const VARIANT& value() const { return value_; }
    VARIANT* get() { return &value_; }

    // Conversions through the system's variant conversion; a value that
    // cannot be converted raises "Invalid variant type conversion".
    std::string toText() const;
    std::int32_t toInteger() const;
    bool toBoolean() const;

    // The Dispatch object held directly or by reference; raises "Variant
    // does not reference an automation object" for any other kind. The
    // reference stays the value's.
    IDispatch* dispatchObject() const;

private:
    VARIANT converted(VARTYPE type) const;

    VARIANT value_;
};

} // namespace automation
