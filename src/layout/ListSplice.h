#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tilvaro {

// A change of a list of texts as one replaced run: at `index`, the entries `removed` gave way to
// the entries `inserted`. Adding, deleting and renaming one entry are each one small splice, so a
// change of a long list is remembered without copying the list.
struct ListSplice {
  std::size_t index = 0;
  std::vector<std::string> removed, inserted;

  bool Empty() const { return removed.empty() && inserted.empty(); }
  bool operator==(const ListSplice&) const = default;
};

// The smallest splice that turns `before` into `after`: the entries both lists start and end with
// are left out.
ListSplice DiffLists(const std::vector<std::string>& before, const std::vector<std::string>& after);

}  // namespace tilvaro
