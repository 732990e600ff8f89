#include "CallLog.h"

#include <oleauto.h>

namespace standin {

namespace {

std::string typeName(VARTYPE type)
{
    static const struct {
        VARTYPE type;
        const char* name;
    } names[] = {{VT_EMPTY, "VT_EMPTY"}, {VT_NULL, "VT_NULL"},         {VT_I2, "VT_I2"},
                 {VT_I4, "VT_I4"},       {VT_R4, "VT_R4"},             {VT_R8, "VT_R8"},
                 {VT_CY, "VT_CY"},       {VT_DATE, "VT_DATE"},         {VT_BSTR, "VT_BSTR"},
                 {VT_DISPATCH, "VT_DISPATCH"}, {VT_ERROR, "VT_ERROR"}, {VT_BOOL, "VT_BOOL"},
                 {VT_VARIANT, "VT_VARIANT"}, {VT_UNKNOWN, "VT_UNKNOWN"}, {VT_I1, "VT_I1"},
                 {VT_UI1, "VT_UI1"},     {VT_UI2, "VT_UI2"},           {VT_UI4, "VT_UI4"},
                 {VT_I8, "VT_I8"},       {VT_UI8, "VT_UI8"},           {VT_INT, "VT_INT"},
                 {VT_UINT, "VT_UINT"}};
    std::string prefix;
    if (type & VT_BYREF) prefix += "VT_BYREF|";
    if (type & VT_ARRAY) prefix += "VT_ARRAY|";
    const VARTYPE base = type & VT_TYPEMASK;
    for (const auto& entry : names)
        if (entry.type == base) return prefix + entry.name;
    return prefix + "VT_" + std::to_string(base);
}

std::string valueText(const VARIANT& value)
{
    switch (value.vt & VT_TYPEMASK) {
    case VT_EMPTY:
    case VT_NULL:
        return "";
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        const IUnknown* object = (value.vt & VT_BYREF) ? *value.ppunkVal : value.punkVal;
        return object ? "object" : "nothing";
    }
    case VT_BSTR: {
        const BSTR text = (value.vt & VT_BYREF) ? *value.pbstrVal : value.bstrVal;
        std::string quoted(1, '"');
        quoted += toUtf8(text ? std::wstring(text, SysStringLen(text)) : std::wstring());
        quoted += '"';
        return quoted;
    }
    default: {
        VARIANT converted;
        VariantInit(&converted);
        std::string result = "?";
        if (SUCCEEDED(VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&value), 0, 0, VT_BSTR)))
            result = toUtf8(std::wstring(converted.bstrVal, SysStringLen(converted.bstrVal)));
        VariantClear(&converted);
        return result;
    }
    }
}

} // namespace

std::string describeArgument(const VARIANT& argument)
{
    if (argument.vt == (VT_BYREF | VT_VARIANT)) {
        const VARIANT* inner = argument.pvarVal;
        return typeName(argument.vt) + "(" + (inner ? describeArgument(*inner) : std::string("null")) + ")";
    }
    const std::string value = valueText(argument);
    return value.empty() ? typeName(argument.vt) : typeName(argument.vt) + " " + value;
}

std::string toUtf8(const std::wstring& text)
{
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

void appendToLog(const std::wstring& path, const std::string& line)
{
    if (path.empty()) return;
    const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string record = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace standin
