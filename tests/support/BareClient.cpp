#include "support/BareClient.h"

#include <oleauto.h>

namespace testing_support {

namespace {

IDispatch* application()
{
    CLSID id;
    if (FAILED(CLSIDFromProgID(L"Quorvex.Application", &id))) return nullptr;
    IUnknown* running = nullptr;
    IDispatch* object = nullptr;
    if (SUCCEEDED(GetActiveObject(id, nullptr, &running))) {
        running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
        running->Release();
        return object;
    }
    if (FAILED(CLSIDFromProgID(L"Quorvex.Application", &id))) return nullptr;
    CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                     reinterpret_cast<void**>(&object));
    return object;
}

bool invoke(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* arguments, UINT count, bool put,
            VARIANT* result)
{
    if (!object) return false;
    DISPID id;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return false;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{arguments, put ? &named : nullptr, count, put ? 1u : 0u};
    return SUCCEEDED(object->Invoke(id, IID_NULL, 0, flags, &parameters, result, nullptr, nullptr));
}

// Reads a member into `result`; the object is released.
bool read(IDispatch* object, const wchar_t* name, VARIANT* result)
{
    const bool done = invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, nullptr, 0, false, result);
    if (object) object->Release();
    return done;
}

IDispatch* member(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    VariantInit(&value);
    if (!read(object, name, &value) || value.vt != VT_DISPATCH) {
        VariantClear(&value);
        return nullptr;
    }
    return value.pdispVal;
}

IDispatch* manager()
{
    return member(application(), L"Manager");
}

IDispatch* sys()
{
    return member(manager(), L"Sys");
}

bool writeState(long state)
{
    VARIANT value;
    value.vt = VT_I4;
    value.lVal = state;
    IDispatch* object = manager();
    const bool done = invoke(object, L"State", DISPATCH_PROPERTYPUT, &value, 1, true, nullptr);
    if (object) object->Release();
    return done;
}

} // namespace

BareClient::BareClient()
{
    VariantInit(&current_);
}

BareClient::~BareClient()
{
    VariantClear(&current_);
}

bool BareClient::cycle(long colorDepth)
{
    VariantClear(&current_);
    current_.vt = VT_I4;
    current_.lVal = 0;

    VARIANT y, x;
    VariantInit(&y);
    VariantInit(&x);
    bool done = read(sys(), L"MouseY", &y) && read(sys(), L"MouseX", &x);
    if (done) {
        VARIANT arguments[2] = {y, x};  // reversed: X is the first argument
        IDispatch* system = sys();
        VARIANT found;
        VariantInit(&found);
        done = invoke(system, L"ObjectFromPoint", DISPATCH_METHOD, arguments, 2, false, &found);
        if (system) system->Release();
        if (done) {
            VariantClear(&current_);
            current_ = found;
        }
    }
    VariantClear(&x);
    VariantClear(&y);

    const wchar_t* const texts[] = {L"Name", L"FullName", L"ChildCount"};
    for (const wchar_t* name : texts) {
        if (!done || current_.vt != VT_DISPATCH) return false;
        VARIANT value;
        VariantInit(&value);
        done = invoke(current_.pdispVal, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, nullptr, 0, false, &value);
        VariantClear(&value);
    }
    if (!done || !writeState(4)) return false;
    VARIANT arguments[2];
    arguments[0].vt = VT_BYREF | VT_I4;
    arguments[0].plVal = &colorDepth;
    arguments[1].vt = VT_BYREF | VT_VARIANT;
    arguments[1].pvarVal = &current_;
    IDispatch* regions = member(manager(), L"Regions");
    done = invoke(regions, L"SaveToClipboard", DISPATCH_METHOD, arguments, 2, false, nullptr);
    if (regions) regions->Release();
    return done && writeState(0);
}

} // namespace testing_support
