#include "tools/Arguments.h"

#include <algorithm>

#include "tools/PrintableText.h"

namespace tilvaro {

bool ReadArguments(const std::vector<std::string>& arguments, std::span<const KnownOption> known,
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
    const auto match = std::find_if(known.begin(), known.end(), [&](const KnownOption& s) { return s.name == argument; });
    if (match == known.end()) {
      problem = UnknownOption(argument);
      return false;
    }
    if (match->takesValue && i + 1 == arguments.size()) {
      problem = argument + " erwartet einen Wert";
      return false;
    }
    static const std::string kNoValue;
    if (!option(match->name, match->takesValue ? arguments[++i] : kNoValue)) return false;
  }
  return true;
}

std::string UnknownOption(std::string_view argument) { return "unbekannte Option " + PrintableName(argument); }

}  // namespace tilvaro
