#pragma once
// The options and operands of one of tilvaro-layout's commands.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tilvaro {

// An option a command knows, and whether the argument after it is its value.
struct KnownOption {
  std::string_view name;
  bool takesValue = false;
};

// Goes through a command's arguments in order. "--" ends the options, so that a file whose name
// starts with "-" can be named after it; before it, an argument of more than one character that
// starts with "-" must be one of `known`, and option(name, value) is called for it, with the argument
// after it as the value when it takes one (empty otherwise). Every other argument goes to
// operand(argument). Stops at the first wrong usage and returns false with the UTF-8 `problem`: an
// unknown option, an option's missing value, or a callback that set `problem` and returned false.
bool ReadArguments(const std::vector<std::string>& arguments, std::span<const KnownOption> known,
                   const std::function<bool(std::string_view name, const std::string& value)>& option,
                   const std::function<bool(const std::string& operand)>& operand, std::string& problem);

// The problem with an argument that looks like an option but is none the command knows.
std::string UnknownOption(std::string_view argument);

}  // namespace tilvaro
