#pragma once
// Errors of the automation layer, keeping what the system and the server
// said: the failure code, and for a server's exception its description,
// source and help context.
#include "toolkit/core/Error.h"

#include <windows.h>

#include <string>

namespace automation {

// A failed system or COM call. Its message is the system's text for the
// code, or "OLE error %.8x" where the system has none.
class OleSystemError : public toolkit::Error {
public:
    explicit OleSystemError(HRESULT code);
    HRESULT code() const { return code_; }

private:
    HRESULT code_;
};

// An exception reported by the server from a call.
class OleException : public toolkit::Error {
public:
    OleException(const std::string& description, HRESULT code, std::string source, std::string helpFile,
                 unsigned long helpContext);
    HRESULT code() const { return code_; }
    const std::string& source() const { return source_; }
    const std::string& helpFile() const { return helpFile_; }
    unsigned long helpContext() const { return helpContext_; }

private:
    HRESULT code_;
    std::string source_;
    std::string helpFile_;
    unsigned long helpContext_;
};

// Raises OleSystemError for a failure code.
inline void oleCheck(HRESULT result)
{
    if (FAILED(result)) throw OleSystemError(result);
}

} // namespace automation
