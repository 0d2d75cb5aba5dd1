#pragma once

#include <stdexcept>
#include <string>

namespace platform::forms {

// A run-time error as the handlers raise it: a number and its description. It stops the
// handler it is raised in; the steps the handler already took stay done.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description);

    int number() const { return number_; }
    std::string description() const { return what(); }

    static RuntimeError overflow();     // 6
    static RuntimeError outOfMemory();  // 7
    static RuntimeError typeMismatch(); // 13
    static RuntimeError floatFault();   // 16
    static RuntimeError internal();     // 51

private:
    int number_;
};

} // namespace platform::forms
