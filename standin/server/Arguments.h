#pragma once
// The arguments of an automation call as the server reads them: by value
// or by reference, converted as the system converts automation values.
// Each raises std::runtime_error naming what it expected.
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace standin {

// The argument at a position counted from the first, as the caller wrote it.
const VARIANT& argumentAt(const DISPPARAMS& parameters, UINT position);

long integerArgument(const VARIANT& argument, const char* what);
bool booleanArgument(const VARIANT& argument, const char* what);
std::wstring textArgument(const VARIANT& argument, const char* what);
// The object an argument holds, or null when it holds no object.
IDispatch* objectArgument(const VARIANT& argument);

// Text in the system's ANSI code page and back, for file names and the
// messages that name them.
std::string toAnsi(const std::wstring& text);
std::wstring fromAnsi(const std::string& text);

} // namespace standin
