#pragma once
// Drives the clipboard helper, a second process that fills the clipboard
// as other programs do, one command at a time. Its replies are awaited
// while this thread's messages are pumped, so the clipboard's messages to
// this process's windows are handled meanwhile.
#include <windows.h>

#include <string>

namespace testing_support {

class ClipboardHelper {
public:
    ClipboardHelper();
    ~ClipboardHelper();
    ClipboardHelper(const ClipboardHelper&) = delete;
    ClipboardHelper& operator=(const ClipboardHelper&) = delete;

    // Sends one command line; returns the reply ("ok" or "error ...").
    std::string command(const std::string& line);
    // The same in two steps, for a caller that pumps its messages in its
    // own way while the helper works.
    void send(const std::string& line);
    // The reply to `line`, sent before.
    std::string reply(const std::string& line);

private:
    HANDLE input_ = nullptr;   // the helper's standard input, our end
    HANDLE output_ = nullptr;  // its standard output, our end
    PROCESS_INFORMATION process_{};
};

} // namespace testing_support
