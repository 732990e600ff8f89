#pragma once
// Commands of the Linux side under the tests' Wine (xdotool, xclip,
// ImageMagick), run through /bin/sh, and paths between the two sides.
#include <windows.h>

#include <string>

namespace testing_support {

// False where there is no Linux side to run it.
bool hasUnixCommand(const std::string& program);

// Starts a command without waiting for it.
bool startUnixCommand(const std::string& command);
// Runs a command and waits for it: Wine cannot wait for a native process,
// so the command leaves its exit code in a file, which is awaited. True when
// it exited with 0.
bool runUnixCommand(const std::string& command, DWORD timeoutMs = 120000);

// A path under the Linux /tmp for this process, and how Wine's Z: drive
// shows a Linux path.
std::string unixTemporary(const std::string& name);
std::string windowsPath(const std::string& unixPath);

} // namespace testing_support
