#include "platform/forms/runtimeerror.h"

namespace platform::forms {

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number)
{
}

RuntimeError RuntimeError::overflow()
{
    return {6, "Overflow"};
}

RuntimeError RuntimeError::outOfMemory()
{
    return {7, "Out of memory"};
}

RuntimeError RuntimeError::typeMismatch()
{
    return {13, "Type mismatch"};
}

RuntimeError RuntimeError::floatFault()
{
    return {16, "Floating-point fault"};
}

RuntimeError RuntimeError::internal()
{
    return {51, "Internal error"};
}

} // namespace platform::forms
