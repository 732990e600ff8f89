#pragma once
// An in-process automation object tree standing in for the test tool's
// server: application -> Manager -> Sys / Regions / State, Sys ->
// MouseX / MouseY / ObjectFromPoint -> on-screen object. Every
// GetIDsOfNames and Invoke is recorded (object, member, flags, locale,
// argument types, named arguments, result slot) for tests to compare with
// the calls they expect, in order. The application object is registered as
// the running object of "Quorvex.Application", whose registration is
// restored when the server goes.
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

struct RecordedCall {
    std::string object;
    std::string member;
    WORD flags = 0;
    LCID locale = 0;
    std::vector<VARTYPE> argumentTypes;  // first argument first
    std::vector<DISPID> named;
    bool resultSlot = false;
};

class RecordingServer {
public:
    RecordingServer();
    ~RecordingServer();
    RecordingServer(const RecordingServer&) = delete;
    RecordingServer& operator=(const RecordingServer&) = delete;

    // Registers the application object as the running object.
    void run();
    // Revokes it.
    void stop();

    // The log of Invoke calls, and of every name lookup as "object.member".
    std::vector<RecordedCall> calls;
    std::vector<std::string> lookups;

    // What the members answer; a member may also throw an exception text
    // through `failMember` (the server's description) or be unknown.
    long mouseX = 120;
    long mouseY = 45;
    std::string name = "Window(\"Edit\", \"\", 1)";
    std::string fullName = "Sys.Process(\"notepad\").Window(\"Edit\", \"\", 1)";
    VARIANT childCount{};
    std::string failMember;
    std::string unknownMember;
    bool objectFromPointGivesInteger = false;

    // The regions object's search: what Find answers and the result
    // members after it.
    bool findResult = false;
    std::map<std::string, long> foundValues{{"FoundX", 110}, {"FoundY", 220}, {"FoundWidth", 30},
                                            {"FoundHeight", 40}, {"FoundLeft", 10}, {"FoundTop", 20}};
    struct FindCall {
        std::string fileName;
        long x = -1, y = -1;
        VARIANT_BOOL transparent = 1, sixth = 1;
    };
    std::vector<FindCall> finds;

    // Values seen by the server.
    std::vector<long> states;
    std::vector<long> savedDepths;
    std::vector<long> objectFromPointArguments;
    int liveObjects() const;

private:
    friend class RecordingObject;
    std::unique_ptr<class RecordingObject> makeObject(const std::string& kind);
    IDispatch* application_ = nullptr;
    DWORD registration_ = 0;
    int live_ = 0;
    std::string previousClass_;
};

} // namespace testing_support
