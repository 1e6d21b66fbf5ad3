#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tilvaro {

// An open-addressing hash table (linear probing) of 32-bit values, one table for all the names of a
// profile. It stores only each entry's hash and value, 8 bytes a slot: the names stay where they are
// (in the profile's text), and the caller says through a `matches(value)` predicate whether the entry
// stored as a value is the one asked for. The first value inserted for an entry wins.
//
// Every index hashes with its own random key, so the names of a file cannot be chosen to pile up in
// one run of slots: filling the index stays linear in the number of names for any content.
class NameIndex {
 public:
  static constexpr std::uint32_t kNotFound = 0xFFFFFFFF;  // never a value

  NameIndex();

  // The hash of a name within a scope, consistent with profile_text::NamesEqual; keyed by this
  // index's own random key.
  std::uint64_t Hash(std::uint32_t scope, std::string_view name) const;

  template <class Matches>
  std::uint32_t Find(std::uint64_t hash, const Matches& matches) const {
    if (slots_.empty()) return kNotFound;
    const Slot& slot = slots_[FindSlot(Short(hash), matches)];
    return slot.value;
  }

  // Returns false (and changes nothing) when an entry that `matches` accepts is there already.
  template <class Matches>
  bool Insert(std::uint64_t hash, std::uint32_t value, const Matches& matches) {
    if ((size_ + 1) * 2 > slots_.size()) Rehash(slots_.empty() ? 16 : slots_.size() * 2);
    const std::uint32_t shortHash = Short(hash);
    Slot& slot = slots_[FindSlot(shortHash, matches)];
    if (slot.value != kNotFound) return false;
    slot = {shortHash, value};
    ++size_;
    return true;
  }

  // Asks for the slot of a hash ahead of Insert or Find, so that the memory access overlaps with
  // other work (filling a large index is otherwise one cache miss after another).
  void Prefetch(std::uint64_t hash) const;
  // Makes room for `count` entries in all, so that filling the index rehashes nothing.
  void Reserve(std::size_t count);
  // Replaces every stored value v by map(v); map must keep distinct values distinct.
  template <class Map>
  void UpdateValues(const Map& map) {
    for (Slot& slot : slots_) {
      if (slot.value != kNotFound) slot.value = map(slot.value);
    }
  }
  std::size_t Size() const { return size_; }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t value = kNotFound;
  };

  static std::uint32_t Short(std::uint64_t hash) { return static_cast<std::uint32_t>(hash ^ (hash >> 32)); }

  // The slot of the matching entry, or the empty slot where it would go. slots_ is never full.
  template <class Matches>
  std::size_t FindSlot(std::uint32_t shortHash, const Matches& matches) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = shortHash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.value == kNotFound || (slot.hash == shortHash && matches(slot.value))) return i;
    }
  }
  void Rehash(std::size_t capacity);

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
  std::uint64_t key0_, key1_;
};

}  // namespace tilvaro
