#pragma once

#include <stdexcept>
#include <string>

namespace kestrel {

// The one error type of Kestrel. Its message names what went wrong (the class, property and
// value where they apply); whoever catches it at the top shows that message and stops.
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kestrel
