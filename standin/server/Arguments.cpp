#include "Arguments.h"

#include <oleauto.h>

#include <stdexcept>

namespace standin {

namespace {

// The argument converted to `type`; the caller clears the result.
VARIANT converted(const VARIANT& argument, VARTYPE type, const char* what)
{
    VARIANT value;
    VariantInit(&value);
    if (FAILED(VariantChangeTypeEx(&value, const_cast<VARIANT*>(&argument), 0, 0, type)))
        throw std::runtime_error(std::string(what) + " has the wrong type");
    return value;
}

} // namespace

const VARIANT& argumentAt(const DISPPARAMS& parameters, UINT position)
{
    if (position >= parameters.cArgs) throw std::runtime_error("Wrong number of arguments");
    return parameters.rgvarg[parameters.cArgs - 1 - position];
}

long integerArgument(const VARIANT& argument, const char* what)
{
    VARIANT value = converted(argument, VT_I4, what);
    const long result = value.lVal;
    VariantClear(&value);
    return result;
}

bool booleanArgument(const VARIANT& argument, const char* what)
{
    VARIANT value = converted(argument, VT_BOOL, what);
    const bool result = value.boolVal != VARIANT_FALSE;
    VariantClear(&value);
    return result;
}

std::wstring textArgument(const VARIANT& argument, const char* what)
{
    VARIANT value = converted(argument, VT_BSTR, what);
    std::wstring text(value.bstrVal ? value.bstrVal : L"", value.bstrVal ? SysStringLen(value.bstrVal) : 0);
    VariantClear(&value);
    return text;
}

IDispatch* objectArgument(const VARIANT& argument)
{
    const VARIANT* value = &argument;
    if (value->vt == (VT_BYREF | VT_VARIANT)) value = value->pvarVal;
    if (!value) return nullptr;
    if (value->vt == VT_DISPATCH) return value->pdispVal;
    if (value->vt == (VT_BYREF | VT_DISPATCH)) return value->ppdispVal ? *value->ppdispVal : nullptr;
    return nullptr;
}

std::string toAnsi(const std::wstring& text)
{
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring fromAnsi(const std::string& text)
{
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

} // namespace standin
