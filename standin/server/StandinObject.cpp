#include "StandinObject.h"

#include "Arguments.h"
#include "CallLog.h"
#include "ClipboardBitmap.h"
#include "ClipboardPicture.h"
#include "ScreenCapture.h"

#include <oleauto.h>

#include <cwchar>
#include <exception>
#include <map>
#include <stdexcept>

namespace standin {

const IID standinObjectInterface = {0x6f1d2c8e, 0x4b7a, 0x4e19, {0x9a, 0x35, 0xc2, 0x81, 0x0e, 0x6d, 0x47, 0xb3}};

namespace {

const std::vector<std::wstring>& membersOf(const std::string& kind)
{
    static const std::map<std::string, std::vector<std::wstring>> members{
        {"application", {L"Manager"}},
        {"manager", {L"Sys", L"Regions", L"State"}},
        {"system", {L"MouseX", L"MouseY", L"ObjectFromPoint"}},
        {"object", {L"Name", L"FullName", L"ChildCount"}},
        {"regions",
         {L"SaveToClipboard", L"Find", L"FoundX", L"FoundY", L"FoundWidth", L"FoundHeight", L"FoundLeft",
          L"FoundTop"}}};
    return members.at(kind);
}

void giveInteger(VARIANT* result, long value)
{
    if (!result) return;
    result->vt = VT_I4;
    result->lVal = value;
}

void giveText(VARIANT* result, const std::wstring& value)
{
    if (!result) return;
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
}

void giveObject(VARIANT* result, ServerContext& context, const char* kind)
{
    if (!result) return;
    auto* object = new StandinObject(context, kind);
    object->AddRef();
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
}

// An integer or text scenario value, answered as the kind it reads as.
void giveNumberOrText(VARIANT* result, const std::wstring& value)
{
    wchar_t* end = nullptr;
    const long number = std::wcstol(value.c_str(), &end, 10);
    if (!value.empty() && end && *end == L'\0') giveInteger(result, number);
    else giveText(result, value);
}

HRESULT raise(EXCEPINFO* exception, const std::wstring& description, const std::wstring& source, DWORD helpContext)
{
    if (exception) {
        *exception = {};
        exception->bstrDescription = SysAllocString(description.c_str());
        exception->bstrSource = SysAllocString(source.c_str());
        exception->dwHelpContext = helpContext;
        exception->scode = E_FAIL;
    }
    return DISP_E_EXCEPTION;
}

void giveBoolean(VARIANT* result, bool value)
{
    if (!result) return;
    result->vt = VT_BOOL;
    result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void expectArguments(const DISPPARAMS& parameters, UINT wanted)
{
    if (parameters.cArgs != wanted) throw std::runtime_error("Wrong number of arguments");
}

void giveObject(VARIANT* result, StandinObject* object)
{
    object->AddRef();
    if (!result) {
        object->Release();
        return;
    }
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
}

} // namespace

StandinObject::StandinObject(ServerContext& context, std::string kind)
    : context_(context), kind_(std::move(kind)), members_(membersOf(kind_))
{
}

StandinObject::StandinObject(ServerContext& context, LiveWindow window)
    : context_(context), kind_("object"), members_(membersOf(kind_)), window_(window)
{
}

HRESULT STDMETHODCALLTYPE StandinObject::QueryInterface(REFIID id, void** object)
{
    if (!object) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDispatch || (id == standinObjectInterface && window_)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE StandinObject::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE StandinObject::Release()
{
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE StandinObject::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandinObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE StandinObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale, DISPID* ids)
{
    if (!names || !ids || count == 0) return E_INVALIDARG;
    const std::wstring name = names[0];
    log("names " + kind_ + "." + toUtf8(name) + " count=" + std::to_string(count) + " locale=" + std::to_string(locale));
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (context_.scenario.current().matches(context_.scenario.current().unknown, name)) return DISP_E_UNKNOWNNAME;
    for (std::size_t i = 0; i < members_.size(); ++i)
        if (_wcsicmp(members_[i].c_str(), name.c_str()) == 0) {
            ids[0] = static_cast<DISPID>(i + 1);
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE StandinObject::Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* parameters,
                                                VARIANT* result, EXCEPINFO* exception, UINT*)
{
    if (id < 1 || static_cast<std::size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
    if (!parameters) return E_INVALIDARG;
    const std::wstring& member = members_[static_cast<std::size_t>(id - 1)];

    std::string line = "invoke " + kind_ + "." + toUtf8(member) + " flags=" + std::to_string(flags) +
                       " locale=" + std::to_string(locale) + " args=(";
    for (UINT i = parameters->cArgs; i > 0; --i)
        line += describeArgument(parameters->rgvarg[i - 1]) + (i > 1 ? ", " : "");
    line += ") named=(";
    for (UINT i = 0; i < parameters->cNamedArgs; ++i)
        line += std::to_string(parameters->rgdispidNamedArgs[i]) + (i + 1 < parameters->cNamedArgs ? ", " : "");
    line += std::string(") result=") + (result ? "yes" : "no");
    log(line);

    if (result) VariantInit(result);
    if (context_.live) {
        try {
            answerLive(member, *parameters, result);
            return S_OK;
        } catch (const std::exception& error) {
            if (result) VariantClear(result);
            return raise(exception, fromAnsi(error.what()), L"Quorvex", 0);
        }
    }
    const Scenario scenario = context_.scenario.current();
    if (scenario.matches(scenario.exitOn, member)) ExitProcess(3);
    if (scenario.matches(scenario.slowMember, member)) Sleep(scenario.slowMs);
    if (scenario.matches(scenario.fail, member))
        return raise(exception, scenario.failDescription, scenario.failSource, scenario.failHelpContext);
    try {
        return answer(member, scenario, *parameters, result);
    } catch (const std::exception& error) {
        if (result) VariantClear(result);
        return raise(exception, fromAnsi(error.what()), L"Quorvex", 0);
    }
}

HRESULT StandinObject::answer(const std::wstring& member, const Scenario& scenario, const DISPPARAMS& parameters,
                              VARIANT* result)
{
    const FoundPlace found{scenario.foundX,      scenario.foundY,    scenario.foundWidth,
                           scenario.foundHeight, scenario.foundLeft, scenario.foundTop};
    if (answerCommon(member, parameters, found, result)) return S_OK;
    if (member == L"MouseX") giveInteger(result, scenario.mouseX);
    else if (member == L"MouseY") giveInteger(result, scenario.mouseY);
    else if (member == L"ObjectFromPoint") {
        expectArguments(parameters, 2);
        if (scenario.objectFromPoint == L"object") giveObject(result, context_, "object");
        else if (scenario.objectFromPoint != L"empty") giveNumberOrText(result, scenario.objectFromPoint);
    } else if (member == L"Name") giveText(result, scenario.name);
    else if (member == L"FullName") giveText(result, scenario.fullName);
    else if (member == L"ChildCount") giveNumberOrText(result, scenario.childCount);
    else if (member == L"SaveToClipboard") {
        expectArguments(parameters, 2);
        putPicture(context_.clipboardOwner, scenario,
                   static_cast<int>(integerArgument(argumentAt(parameters, 1), "The colour depth")));
    } else if (member == L"Find") {
        expectArguments(parameters, 6);
        giveBoolean(result, scenario.findResult);
    }
    return S_OK;
}

void StandinObject::answerLive(const std::wstring& member, const DISPPARAMS& parameters, VARIANT* result)
{
    const auto pointer = [] {
        POINT point{};
        GetCursorPos(&point);
        return point;
    };
    if (answerCommon(member, parameters, context_.found, result)) return;
    if (member == L"MouseX") giveInteger(result, pointer().x);
    else if (member == L"MouseY") giveInteger(result, pointer().y);
    else if (member == L"ObjectFromPoint") {
        expectArguments(parameters, 2);
        const POINT point{integerArgument(argumentAt(parameters, 0), "The X coordinate"),
                          integerArgument(argumentAt(parameters, 1), "The Y coordinate")};
        giveObject(result, new StandinObject(context_, LiveWindow::at(point)));
    } else if (member == L"Name") giveText(result, window_->name());
    else if (member == L"FullName") giveText(result, window_->fullName());
    else if (member == L"ChildCount") giveInteger(result, window_->childCount());
    else if (member == L"SaveToClipboard") {
        expectArguments(parameters, 2);
        const LiveWindow& window = windowArgument(argumentAt(parameters, 0));
        const int depth = static_cast<int>(integerArgument(argumentAt(parameters, 1), "The colour depth"));
        putBitmapOnClipboard(context_.clipboardOwner, captureScreen(window.screenRect()), depth);
    } else if (member == L"Find") {
        expectArguments(parameters, 6);
        const LiveWindow& window = windowArgument(argumentAt(parameters, 0));
        const std::optional<FoundPlace> place =
            findInWindow(window, toAnsi(textArgument(argumentAt(parameters, 1), "The bitmap file name")),
                         integerArgument(argumentAt(parameters, 2), "The start X"),
                         integerArgument(argumentAt(parameters, 3), "The start Y"),
                         booleanArgument(argumentAt(parameters, 4), "The transparency"),
                         booleanArgument(argumentAt(parameters, 5), "The wrap switch"));
        context_.found = place.value_or(FoundPlace{});
        giveBoolean(result, place.has_value());
    }
}

bool StandinObject::answerCommon(const std::wstring& member, const DISPPARAMS& parameters, const FoundPlace& found,
                                 VARIANT* result)
{
    if (member == L"Manager") giveObject(result, context_, "manager");
    else if (member == L"Sys") giveObject(result, context_, "system");
    else if (member == L"Regions") giveObject(result, context_, "regions");
    else if (member == L"State") expectArguments(parameters, 1);
    else if (member == L"FoundX") giveInteger(result, found.x);
    else if (member == L"FoundY") giveInteger(result, found.y);
    else if (member == L"FoundWidth") giveInteger(result, found.width);
    else if (member == L"FoundHeight") giveInteger(result, found.height);
    else if (member == L"FoundLeft") giveInteger(result, found.left);
    else if (member == L"FoundTop") giveInteger(result, found.top);
    else return false;
    return true;
}

const LiveWindow& StandinObject::windowArgument(const VARIANT& argument) const
{
    IDispatch* object = objectArgument(argument);
    StandinObject* ours = nullptr;
    if (!object || FAILED(object->QueryInterface(standinObjectInterface, reinterpret_cast<void**>(&ours))) || !ours)
        throw std::runtime_error("The first argument is not an on-screen object");
    // The server's own object: it lives at least as long as the caller's
    // argument, which holds it through this call.
    ours->Release();
    return *ours->window_;
}

void StandinObject::log(const std::string& line) const
{
    appendToLog(context_.scenario.current().log, line);
}

} // namespace standin
