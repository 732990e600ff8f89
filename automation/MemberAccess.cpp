#include "automation/MemberAccess.h"

#include "automation/OleErrors.h"
#include "toolkit/core/Error.h"

#include <string>

namespace automation {

using toolkit::Bstr;

Argument Argument::byValue(const OleVariant& value)
{
    Argument argument;
    argument.value_ = value;
    return argument;
}

Argument Argument::byReference(OleVariant& variable)
{
    Argument argument;
    argument.kind_ = Kind::Variant;
    argument.target_ = &variable;
    return argument;
}

Argument Argument::byReference(std::int32_t& variable)
{
    Argument argument;
    argument.kind_ = Kind::Integer;
    argument.target_ = &variable;
    return argument;
}

Argument Argument::byReference(std::string& variable)
{
    Argument argument;
    argument.kind_ = Kind::Text;
    argument.target_ = &variable;
    return argument;
}

// The system's argument array for one call, reversed, with the system
// strings of by-reference texts, which are copied back afterwards.
class CallArguments {
public:
    explicit CallArguments(const std::vector<Argument>& arguments) : texts_(arguments.size())
    {
        slots_.resize(arguments.size());
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const Argument& argument = arguments[i];
            VARIANT& slot = slots_[arguments.size() - 1 - i];
            VariantInit(&slot);
            switch (argument.kind_) {
            case Argument::Kind::Value:
                slot = argument.value_.value();  // borrowed: the server does not free by-value arguments
                break;
            case Argument::Kind::Variant:
                slot.vt = VT_BYREF | VT_VARIANT;
                slot.pvarVal = static_cast<OleVariant*>(argument.target_)->get();
                break;
            case Argument::Kind::Integer:
                slot.vt = VT_BYREF | VT_I4;
                slot.plVal = reinterpret_cast<LONG*>(static_cast<std::int32_t*>(argument.target_));
                break;
            case Argument::Kind::Text:
                texts_[i] = Bstr::fromText(*static_cast<std::string*>(argument.target_));
                slot.vt = VT_BYREF | VT_BSTR;
                slot.pbstrVal = texts_[i].address();
                copyBack_.push_back({static_cast<std::string*>(argument.target_), i});
                break;
            }
        }
    }

    DISPPARAMS parameters()
    {
        return {slots_.empty() ? nullptr : slots_.data(), nullptr, static_cast<UINT>(slots_.size()), 0};
    }

    void copyTextsBack()
    {
        for (const auto& [target, index] : copyBack_) *target = texts_[index].text();
    }

private:
    std::vector<VARIANT> slots_;
    std::vector<Bstr> texts_;
    std::vector<std::pair<std::string*, std::size_t>> copyBack_;
};

namespace {

DISPID memberId(IDispatch& object, std::string_view name)
{
    Bstr wideName = Bstr::fromText(name);
    LPOLESTR names[] = {wideName.get()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT result = object.GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    if (result == DISP_E_UNKNOWNNAME)
        throw toolkit::Error(toolkit::format("Method '%s' not supported by automation object", std::string(name).c_str()));
    oleCheck(result);
    return id;
}

// Invokes and turns a server's exception into OleException.
void invoke(IDispatch& object, DISPID id, WORD flags, DISPPARAMS& parameters, VARIANT* result)
{
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT outcome = object.Invoke(id, IID_NULL, 0, flags, &parameters, result, &exception, &argumentError);
    if (outcome == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
        Bstr description, source, helpFile;
        *description.put() = exception.bstrDescription;
        *source.put() = exception.bstrSource;
        *helpFile.put() = exception.bstrHelpFile;
        const HRESULT code = exception.scode ? exception.scode : static_cast<HRESULT>(0x80040000 | exception.wCode);
        throw OleException(description.text(), code, source.text(), helpFile.text(), exception.dwHelpContext);
    }
    oleCheck(outcome);
}

OleVariant call(const OleVariant& object, std::string_view name, WORD flags, const std::vector<Argument>& arguments,
                bool wantResult)
{
    IDispatch& target = *object.dispatchObject();
    const DISPID id = memberId(target, name);
    CallArguments system(arguments);
    DISPPARAMS parameters = system.parameters();
    // The result is owned from the start, also if the server fills it and
    // then reports a failure.
    OleVariant result;
    invoke(target, id, flags, parameters, wantResult ? result.get() : nullptr);
    system.copyTextsBack();
    return result;
}

} // namespace

OleVariant readMember(const OleVariant& object, std::string_view name)
{
    return call(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, true);
}

void writeMember(const OleVariant& object, std::string_view name, const OleVariant& value)
{
    IDispatch& target = *object.dispatchObject();
    const DISPID id = memberId(target, name);
    VARIANT argument = value.value();  // borrowed for the call
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{&argument, &named, 1, 1};
    invoke(target, id, DISPATCH_PROPERTYPUT, parameters, nullptr);
}

OleVariant callMember(const OleVariant& object, std::string_view name, const std::vector<Argument>& arguments)
{
    return call(object, name, DISPATCH_METHOD, arguments, true);
}

void callMemberWithoutResult(const OleVariant& object, std::string_view name, const std::vector<Argument>& arguments)
{
    call(object, name, DISPATCH_METHOD, arguments, false);
}

} // namespace automation
