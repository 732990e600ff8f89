#include "automation/OleErrors.h"

namespace automation {

namespace {

std::string systemText(HRESULT code)
{
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty()) text = toolkit::format("OLE error %.8x", static_cast<unsigned>(code));
    return text;
}

} // namespace

OleSystemError::OleSystemError(HRESULT code) : toolkit::Error(systemText(code)), code_(code) {}

OleException::OleException(const std::string& description, HRESULT code, std::string source, std::string helpFile,
                           unsigned long helpContext)
    : toolkit::Error(description.empty() ? systemText(code) : description),
      code_(code),
      source_(std::move(source)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext)
{
}

} // namespace automation
