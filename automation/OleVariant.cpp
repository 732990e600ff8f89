#include "automation/OleVariant.h"

#include "automation/OleErrors.h"

namespace automation {

namespace {

const char* const invalidConversion = "Invalid variant type conversion";

// The system's copy and conversion read their source without changing it;
// MinGW declares it without const.
VARIANT* source(const VARIANT& value)
{
    return const_cast<VARIANT*>(&value);
}

} // namespace

OleVariant OleVariant::integer(std::int32_t value)
{
    OleVariant result;
    result.value_.vt = VT_I4;
    result.value_.lVal = value;
    return result;
}

OleVariant OleVariant::text(std::string_view value)
{
    OleVariant result;
    result.value_.bstrVal = toolkit::Bstr::fromText(value).detach();
    result.value_.vt = VT_BSTR;
    return result;
}

OleVariant OleVariant::boolean(bool value)
{
    OleVariant result;
    result.value_.vt = VT_BOOL;
    result.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return result;
}

OleVariant OleVariant::dispatch(toolkit::ComPtr<IDispatch> object)
{
    OleVariant result;
    result.value_.vt = VT_DISPATCH;
    result.value_.pdispVal = object.detach();  // the value owns the reference now
    return result;
}

OleVariant OleVariant::adopt(VARIANT& value)
{
    OleVariant result;
    result.value_ = value;
    VariantInit(&value);
    return result;
}

OleVariant::OleVariant(const OleVariant& other)
{
    VariantInit(&value_);
    oleCheck(VariantCopy(&value_, source(other.value_)));
}

OleVariant& OleVariant::operator=(const OleVariant& other)
{
    if (this != &other) oleCheck(VariantCopy(&value_, source(other.value_)));
    return *this;
}

OleVariant::OleVariant(OleVariant&& other) noexcept : value_(other.value_)
{
    VariantInit(&other.value_);
}

OleVariant& OleVariant::operator=(OleVariant&& other) noexcept
{
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        VariantInit(&other.value_);
    }
    return *this;
}

VARIANT OleVariant::converted(VARTYPE type) const
{
    VARIANT result;
    VariantInit(&result);
    if (FAILED(VariantChangeTypeEx(&result, source(value_), LOCALE_USER_DEFAULT, 0, type)))
        throw toolkit::Error(invalidConversion);
    return result;
}

std::string OleVariant::toText() const
{
    VARIANT text = converted(VT_BSTR);
    toolkit::Bstr owner;
    *owner.put() = text.bstrVal;
    return owner.text();
}

std::int32_t OleVariant::toInteger() const
{
    return converted(VT_I4).lVal;
}

bool OleVariant::toBoolean() const
{
    return converted(VT_BOOL).boolVal != VARIANT_FALSE;
}

IDispatch* OleVariant::dispatchObject() const
{
    const VARIANT* held = &value_;
    if (held->vt == (VT_BYREF | VT_VARIANT) && held->pvarVal) held = held->pvarVal;
    IDispatch* object = nullptr;
    if (held->vt == VT_DISPATCH)
        object = held->pdispVal;
    else if (held->vt == (VT_BYREF | VT_DISPATCH))
        object = held->ppdispVal ? *held->ppdispVal : nullptr;
    else
        throw toolkit::Error("Variant does not reference an automation object");
    // An empty reference fails like a failed call instead of being read.
    if (!object) throw OleSystemError(E_POINTER);
    return object;
}

} // namespace automation
