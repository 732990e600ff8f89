#include "toolkit/system/ComHandles.h"

#include "toolkit/core/Error.h"

namespace toolkit {

Bstr Bstr::fromText(std::string_view ansiText)
{
    Bstr result;
    const int length = MultiByteToWideChar(CP_ACP, 0, ansiText.data(), static_cast<int>(ansiText.size()), nullptr, 0);
    result.value_ = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (!result.value_) throw Error("Out of memory");
    MultiByteToWideChar(CP_ACP, 0, ansiText.data(), static_cast<int>(ansiText.size()), result.value_, length);
    return result;
}

std::string Bstr::text() const
{
    return textOf(value_);
}

std::string textOf(BSTR value)
{
    const int wide = static_cast<int>(SysStringLen(value));
    if (wide == 0) return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, value, wide, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, value, wide, result.data(), length, nullptr, nullptr);
    return result;
}

} // namespace toolkit
