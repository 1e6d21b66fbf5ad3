#include "tools/Arguments.h"

#include <algorithm>

#include "tools/PrintableText.h"

namespace tilvaro {

bool ReadArguments(const std::vector<std::string>& arguments, std::span<const OptionSpec> known,
                   const std::function<bool(std::string_view name, const std::string& value)>& option,
                   const std::function<bool(const std::string& operand)>& operand, std::string& problem) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      if (!operand(argument)) return false;
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    const auto spec = std::find_if(known.begin(), known.end(), [&](const OptionSpec& s) { return s.name == argument; });
    if (spec == known.end()) {
      problem = UnknownOption(argument);
      return false;
    }
    if (spec->takesValue && i + 1 == arguments.size()) {
      problem = argument + " erwartet einen Wert";
      return false;
    }
    static const std::string kNoValue;
    if (!option(spec->name, spec->takesValue ? arguments[++i] : kNoValue)) return false;
  }
  return true;
}

std::string UnknownOption(std::string_view argument) { return "unbekannte Option " + PrintableName(argument); }

}  // namespace tilvaro
