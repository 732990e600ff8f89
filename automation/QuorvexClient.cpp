#include "automation/QuorvexClient.h"

#include "automation/MemberAccess.h"
#include "automation/OleErrors.h"

namespace automation {

using toolkit::Bstr;
using toolkit::ComPtr;

namespace {

CLSID classOf(std::string_view progId)
{
    Bstr name = Bstr::fromText(progId);
    CLSID id;
    oleCheck(CLSIDFromProgID(name.get(), &id));
    return id;
}

} // namespace

OleVariant GetActiveOrCreateObject(std::string_view progId)
{
    const CLSID running = classOf(progId);
    ComPtr<IUnknown> active;
    ComPtr<IDispatch> object;
    if (SUCCEEDED(GetActiveObject(running, nullptr, active.put()))) {
        oleCheck(active->QueryInterface(IID_IDispatch, object.putVoid()));
    } else {
        const CLSID created = classOf(progId);
        oleCheck(CoCreateInstance(created, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                  object.putVoid()));
    }
    return OleVariant::dispatch(std::move(object));
}

OleVariant QuorvexApp()
{
    return GetActiveOrCreateObject("Quorvex.Application");
}

OleVariant QuorvexManager()
{
    return readMember(QuorvexApp(), "Manager");
}

OleVariant QuorvexSys()
{
    return readMember(QuorvexManager(), "Sys");
}

OleVariant QuorvexRegions()
{
    return readMember(QuorvexManager(), "Regions");
}

} // namespace automation
