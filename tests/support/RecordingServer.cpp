#include "support/RecordingServer.h"

#include "toolkit/system/ComHandles.h"

#include <oleauto.h>

#include <algorithm>

namespace testing_support {

namespace {

// A fixed class identifier for the test server's ProgID.
const CLSID testClass = {0x6f1e2a41, 0x3b7c, 0x4d2e, {0x9a, 0x51, 0x0c, 0x7e, 0x22, 0x90, 0x1f, 0x3d}};

const char* const members[] = {"Manager", "Sys",  "Regions",    "State", "MouseX",     "MouseY",
                               "ObjectFromPoint", "Name", "FullName", "ChildCount", "SaveToClipboard",
                               "Find", "FoundX", "FoundY", "FoundWidth", "FoundHeight", "FoundLeft", "FoundTop"};

const char* const progIdKey = "Quorvex.Application\\CLSID";

// Maps the ProgID to the test class and returns the class it mapped to
// before (empty when none), so that the stand-in's registration survives.
std::string mapProgId(const std::string& clsid)
{
    char previous[64] = {};
    DWORD size = sizeof previous;
    if (RegGetValueA(HKEY_CLASSES_ROOT, progIdKey, nullptr, RRF_RT_REG_SZ, nullptr, previous, &size) != ERROR_SUCCESS)
        previous[0] = '\0';
    RegSetKeyValueA(HKEY_CLASSES_ROOT, progIdKey, nullptr, REG_SZ, clsid.c_str(), static_cast<DWORD>(clsid.size() + 1));
    return previous;
}

} // namespace

class RecordingObject : public IDispatch {
public:
    RecordingObject(RecordingServer& server, std::string kind) : server_(server), kind_(std::move(kind))
    {
        ++server_.live_;
    }
    virtual ~RecordingObject() { --server_.live_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == IID_IUnknown || id == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count != 1) return E_INVALIDARG;
        const std::string name = toolkit::textOf(names[0]);
        server_.lookups.push_back(kind_ + "." + name);
        if (name == server_.unknownMember) return DISP_E_UNKNOWNNAME;
        for (std::size_t i = 0; i < std::size(members); ++i)
            if (name == members[i]) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override
    {
        const std::string member = members[id - 1];
        RecordedCall call{kind_, member, flags, locale, {}, {}, result != nullptr};
        for (UINT i = parameters->cArgs; i > 0; --i) call.argumentTypes.push_back(parameters->rgvarg[i - 1].vt);
        for (UINT i = 0; i < parameters->cNamedArgs; ++i) call.named.push_back(parameters->rgdispidNamedArgs[i]);
        server_.calls.push_back(call);

        if (member == server_.failMember) {
            *exception = {};
            exception->bstrDescription = SysAllocString(L"The test tool is busy");
            exception->bstrSource = SysAllocString(L"Quorvex");
            exception->dwHelpContext = 42;
            exception->scode = E_FAIL;
            return DISP_E_EXCEPTION;
        }
        const auto answer = [&](VARIANT value) {
            if (result) *result = value; else VariantClear(&value);
        };
        const auto object = [&](const char* kind) {
            VARIANT value;
            value.vt = VT_DISPATCH;
            value.pdispVal = server_.makeObject(kind).release();
            value.pdispVal->AddRef();
            answer(value);
        };
        const auto integer = [&](long number) {
            VARIANT value;
            value.vt = VT_I4;
            value.lVal = number;
            answer(value);
        };
        const auto text = [&](const std::string& t) {
            VARIANT value;
            value.vt = VT_BSTR;
            value.bstrVal = toolkit::Bstr::fromText(t).detach();
            answer(value);
        };
        if (member == "Manager") object("manager");
        else if (member == "Sys") object("system");
        else if (member == "Regions") object("regions");
        else if (member == "MouseX") integer(server_.mouseX);
        else if (member == "MouseY") integer(server_.mouseY);
        else if (member == "ObjectFromPoint") {
            for (UINT i = parameters->cArgs; i > 0; --i) server_.objectFromPointArguments.push_back(parameters->rgvarg[i - 1].lVal);
            if (server_.objectFromPointGivesInteger) integer(0); else object("screen object");
        } else if (member == "Name") text(server_.name);
        else if (member == "FullName") text(server_.fullName);
        else if (member == "ChildCount") {
            VARIANT copy;
            VariantInit(&copy);
            VariantCopy(&copy, &server_.childCount);
            answer(copy);
        } else if (member == "State") server_.states.push_back(parameters->rgvarg[0].lVal);
        else if (member == "SaveToClipboard") server_.savedDepths.push_back(*parameters->rgvarg[0].plVal);
        else if (member == "Find") {
            // Arguments, first to last: object, file, x, y, transparent, sixth.
            const VARIANT* arguments = parameters->rgvarg;
            const UINT count = parameters->cArgs;
            RecordingServer::FindCall call;
            if (count == 6) {
                call.fileName = toolkit::textOf(*arguments[4].pbstrVal);
                call.x = *arguments[3].plVal;
                call.y = *arguments[2].plVal;
                call.transparent = arguments[1].boolVal;
                call.sixth = arguments[0].boolVal;
            }
            server_.finds.push_back(call);
            VARIANT value;
            value.vt = VT_BOOL;
            value.boolVal = server_.findResult ? VARIANT_TRUE : VARIANT_FALSE;
            answer(value);
        } else if (member.rfind("Found", 0) == 0) {
            const auto found = server_.foundValues.find(member);
            integer(found == server_.foundValues.end() ? 0 : found->second);
        }
        return S_OK;
    }

private:
    RecordingServer& server_;
    std::string kind_;
    ULONG references_ = 0;
};

RecordingServer::RecordingServer()
{
    childCount.vt = VT_I4;
    childCount.lVal = 7;
    previousClass_ = mapProgId("{6F1E2A41-3B7C-4D2E-9A51-0C7E22901F3D}");
}

RecordingServer::~RecordingServer()
{
    stop();
    VariantClear(&childCount);
    if (previousClass_.empty()) RegDeleteTreeA(HKEY_CLASSES_ROOT, "Quorvex.Application");
    else mapProgId(previousClass_);
}

std::unique_ptr<RecordingObject> RecordingServer::makeObject(const std::string& kind)
{
    return std::make_unique<RecordingObject>(*this, kind);
}

void RecordingServer::run()
{
    if (application_) return;
    application_ = makeObject("application").release();
    application_->AddRef();
    RegisterActiveObject(application_, testClass, ACTIVEOBJECT_STRONG, &registration_);
}

void RecordingServer::stop()
{
    if (!application_) return;
    RevokeActiveObject(registration_, nullptr);
    application_->Release();
    application_ = nullptr;
}

int RecordingServer::liveObjects() const
{
    return live_;
}

} // namespace testing_support
