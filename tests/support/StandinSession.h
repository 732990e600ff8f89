#pragma once
// The stand-in test tool's automation server as tests meet it: a scenario
// file of the test's own (registered as the one the server answers from),
// the server's call log, and the server processes that started. Servers
// are ended only when asked: a process whose automation runtime talked to
// a server must not see it go where Wine runs through qemu, since the
// runtime's clean-up then ends the process.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

class StandinSession {
public:
    StandinSession();
    ~StandinSession();
    StandinSession(const StandinSession&) = delete;
    StandinSession& operator=(const StandinSession&) = delete;

    // Writes the scenario and empties the log; the server reads the new
    // answers at its next call. Unlogged, the server writes no log.
    void setScenario(const std::vector<std::pair<std::string, std::string>>& values, bool logged = true);

    std::vector<std::string> logLines() const;
    // The "invoke" lines, without the leading word.
    std::vector<std::string> invokes() const;
    // The process ids of the servers that started since the last scenario.
    std::vector<DWORD> starts() const;
    // Waits for a server start to appear in the log.
    bool waitForStart(DWORD timeoutMs = 600000) const;

    // Ends every server that started during the session, as its user
    // would: it revokes its registrations and exits.
    void endServers();
    // Kills every server that started during the session, leaving their
    // registrations behind; returns once the system has noticed that the
    // running server is gone, which it does a moment after the kill.
    void killServers();
    // Asks one server to end.
    static void quitServer(DWORD pid);
    // Ends every server running on the desktop, of whichever session.
    static void endEveryServer();
    // Returns once no server is registered as running, or after a minute.
    static void waitUntilNoneRuns();

    static std::string serverPath();
    // Starts a server as a person would, without waiting for it.
    static void startServer();
    // Runs the server with the given arguments and waits for its exit code.
    static DWORD runServer(const std::string& arguments);

private:
    std::string directory_;
    std::string scenarioPath_;
    std::string logPath_;
    std::vector<DWORD> seenServers_;
    ULONGLONG lastStamp_ = 0;
};

} // namespace testing_support
