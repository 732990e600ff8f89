#pragma once
// The toolkit's error: an exception carrying the message that the standard
// error box shows. Messages are the system's own texts.
#include <exception>
#include <stdexcept>
#include <string>

namespace toolkit {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// printf-style formatting for messages such as "Cannot create file %s".
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// The text of the standard error box: a full stop is added when the last
// character's code is above that of the full stop.
std::string errorBoxText(const std::string& message);

// The message of any exception, as the error box shows it before the
// full-stop rule.
std::string exceptionMessage(std::exception_ptr error);

} // namespace toolkit
