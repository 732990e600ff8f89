#pragma once
// One object of the test tool's tree, with an IDispatch of its own:
//   application: Manager
//   manager:     Sys, Regions, State
//   system:      MouseX, MouseY, ObjectFromPoint
//   object:      Name, FullName, ChildCount (what ObjectFromPoint gives)
//   regions:     SaveToClipboard, Find, FoundX, FoundY, FoundWidth,
//                FoundHeight, FoundLeft, FoundTop
// Every lookup and call is logged before it is answered; the fault switches
// of the scenario then apply.
#include "Scenario.h"

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace standin {

struct ServerContext {
    ScenarioFile scenario;
    HWND clipboardOwner = nullptr;
};

class StandinObject : public IDispatch {
public:
    StandinObject(ServerContext& context, std::string kind);
    virtual ~StandinObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    HRESULT answer(const std::wstring& member, const Scenario& scenario, const DISPPARAMS& parameters,
                   VARIANT* result);
    void log(const std::string& line) const;

    ServerContext& context_;
    std::string kind_;
    const std::vector<std::wstring>& members_;
    LONG references_ = 0;
};

} // namespace standin
