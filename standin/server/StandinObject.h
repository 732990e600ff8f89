#pragma once
// One object of the test tool's tree, with an IDispatch of its own:
//   application: Manager
//   manager:     Sys, Regions, State
//   system:      MouseX, MouseY, ObjectFromPoint
//   object:      Name, FullName, ChildCount (what ObjectFromPoint gives)
//   regions:     SaveToClipboard, Find, FoundX, FoundY, FoundWidth,
//                FoundHeight, FoundLeft, FoundTop
// Every lookup and call is logged before it is answered. Scripted, the
// answers come from the scenario, whose fault switches then apply. Live,
// the object is the deepest visible window under a point of the screen,
// and the regions object works on its picture as the screen shows it:
//   SaveToClipboard(object, depth)  the picture as CF_BITMAP at depth 0
//       (the screen's), 4, 8, 16, 24 or 32, at 4 and 8 bits with CF_PALETTE
//   Find(object, file, x, y, transparent, wrap)  the BMP file's first place
//       in reading order from (x, y) of the picture; with `transparent`,
//       template pixels of the colour of its top-left pixel match anything;
//       with `wrap`, a search that reaches the end goes on from the top-left
//       corner up to (x, y). A miss sets every Found value to 0.
//   FoundLeft, FoundTop  the place in the object's picture; FoundX, FoundY
//       the same place on the screen; FoundWidth, FoundHeight the template's
//       size.
#include "LiveWindow.h"
#include "Scenario.h"
#include "WindowSearch.h"

#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string>
#include <vector>

namespace standin {

struct ServerContext {
    ScenarioFile scenario;
    HWND clipboardOwner = nullptr;
    bool live = false;
    // What the last live Find found.
    FoundPlace found;
};

// Answers only for on-screen objects of this server, giving the object
// itself: how an object passed back as an argument is recognised.
extern const IID standinObjectInterface;

class StandinObject : public IDispatch {
public:
    StandinObject(ServerContext& context, std::string kind);
    // A live on-screen object.
    StandinObject(ServerContext& context, LiveWindow window);
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
    void answerLive(const std::wstring& member, const DISPPARAMS& parameters, VARIANT* result);
    // The members that mean the same in both modes: the way from one object
    // of the tree to the next, State, and the values of the last Find.
    bool answerCommon(const std::wstring& member, const DISPPARAMS& parameters, const FoundPlace& found,
                      VARIANT* result);
    const LiveWindow& windowArgument(const VARIANT& argument) const;
    void log(const std::string& line) const;

    ServerContext& context_;
    std::string kind_;
    const std::vector<std::wstring>& members_;
    std::optional<LiveWindow> window_;
    LONG references_ = 0;
};

} // namespace standin
