#include "layout/ListSplice.h"

#include <algorithm>

namespace tilvaro {

ListSplice DiffLists(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  ListSplice splice;
  splice.index = head;
  const auto range = [head, tail](const std::vector<std::string>& list) {
    return std::vector<std::string>(list.begin() + static_cast<std::ptrdiff_t>(head),
                                    list.end() - static_cast<std::ptrdiff_t>(tail));
  };
  splice.removed = range(before);
  splice.inserted = range(after);
  return splice;
}

}  // namespace tilvaro
