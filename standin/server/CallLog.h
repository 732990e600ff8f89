#pragma once
// The log of every name lookup and call the server receives, one line each,
// appended to the scenario's log file (UTF-8):
//   start pid=<process id>
//   names <object>.<member> count=<names> locale=<locale>
//   invoke <object>.<member> flags=<flags> locale=<locale> args=(<arg>, ...) named=(<dispid>, ...) result=yes|no
// Arguments are listed first to last, each as its VARTYPE with VT_BYREF
// spelled out, then its value: "VT_I4 120", "VT_BYREF|VT_I4 24",
// "VT_BYREF|VT_VARIANT(VT_DISPATCH object)", "VT_BSTR \"text\"".
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace standin {

std::string describeArgument(const VARIANT& argument);
std::string toUtf8(const std::wstring& text);
void appendToLog(const std::wstring& path, const std::string& line);

} // namespace standin
