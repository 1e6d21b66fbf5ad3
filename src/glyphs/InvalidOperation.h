#pragma once
// The error raised by image lists and other controls when an operation cannot be carried out.

#include <stdexcept>
#include <string>

namespace tilvaro {

// what() is the user-facing (German, UTF-8) message.
class EInvalidOperation : public std::runtime_error {
 public:
  explicit EInvalidOperation(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tilvaro
