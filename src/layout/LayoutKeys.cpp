#include "layout/LayoutKeys.h"

namespace tilvaro::layout_keys {

std::size_t KeyNumber(std::string_view name, std::size_t limit) {
  if (name.empty() || name.size() > 9 || name[0] == '0') return 0;
  std::size_t number = 0;
  for (const char c : name) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + static_cast<std::size_t>(c - '0');
  }
  return number <= limit ? number : 0;
}

}  // namespace tilvaro::layout_keys
