#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tilvaro {

// Maps (scope, name) to a number, comparing names without regard to letter case
// (profile_text::NamesEqual). Open addressing with linear probing: one slot array for all scopes, so
// a profile with many small sections costs no allocation per section. The first insertion of a name
// wins. The index does not own the names; they must outlive it.
class NameIndex {
 public:
  static constexpr std::uint32_t kNotFound = 0xFFFFFFFF;

  std::uint32_t Find(std::uint32_t scope, std::string_view name) const;
  // Returns false (and changes nothing) when the name is in the scope already.
  bool Insert(std::uint32_t scope, std::string_view name, std::uint32_t value);

  // For filling a large index: hashing a name and asking for its slot a few names before inserting it
  // lets the memory access overlap with other work instead of stalling on each insertion.
  static std::uint64_t Hash(std::uint32_t scope, std::string_view name);
  void Prefetch(std::uint64_t hash) const;
  bool InsertHashed(std::uint64_t hash, std::uint32_t scope, std::string_view name, std::uint32_t value);
  // Adds delta to every value of every scope but one that is at least `from`.
  void ShiftValues(std::uint32_t exceptScope, std::uint32_t from, std::uint32_t delta);
  std::size_t Size() const { return entries_.size(); }
  // Makes room for `count` names in all, so that filling the index rehashes nothing.
  void Reserve(std::size_t count);

 private:
  struct Entry {
    std::string_view name;
    std::uint32_t scope;
    std::uint32_t value;
  };
  struct Slot {
    std::uint32_t tag = 0;    // upper bits of the hash, to skip most name comparisons
    std::uint32_t entry = 0;  // index into entries_ + 1; 0 marks an empty slot
  };

  std::size_t FindSlot(std::uint64_t hash, std::uint32_t scope, std::string_view name) const;
  void Grow();
  void Rehash(std::size_t capacity);

  std::vector<Slot> slots_;
  std::vector<Entry> entries_;
};

}  // namespace tilvaro
