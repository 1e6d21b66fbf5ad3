#include "layout/NameIndex.h"

#include "layout/ProfileText.h"

namespace tilvaro {

std::uint64_t NameIndex::Hash(std::uint32_t scope, std::string_view name) {
  std::uint64_t hash = profile_text::HashName(name) ^ (static_cast<std::uint64_t>(scope) * 0x9E3779B97F4A7C15ULL);
  hash ^= hash >> 29;
  hash *= 0xBF58476D1CE4E5B9ULL;
  hash ^= hash >> 32;
  return hash;
}

// The slot holding the name, or the empty slot where it would go. slots_ is never full.
std::size_t NameIndex::FindSlot(std::uint64_t hash, std::uint32_t scope, std::string_view name) const {
  const std::size_t mask = slots_.size() - 1;
  const auto tag = static_cast<std::uint32_t>(hash >> 32);
  for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.entry == 0) return i;
    if (slot.tag == tag) {
      const Entry& entry = entries_[slot.entry - 1];
      if (entry.scope == scope && profile_text::NamesEqual(entry.name, name)) return i;
    }
  }
}

std::uint32_t NameIndex::Find(std::uint32_t scope, std::string_view name) const {
  if (slots_.empty()) return kNotFound;
  const Slot& slot = slots_[FindSlot(Hash(scope, name), scope, name)];
  return slot.entry == 0 ? kNotFound : entries_[slot.entry - 1].value;
}

bool NameIndex::Insert(std::uint32_t scope, std::string_view name, std::uint32_t value) {
  return InsertHashed(Hash(scope, name), scope, name, value);
}

void NameIndex::Prefetch(std::uint64_t hash) const {
  if (!slots_.empty()) __builtin_prefetch(&slots_[static_cast<std::size_t>(hash) & (slots_.size() - 1)]);
}

bool NameIndex::InsertHashed(std::uint64_t hash, std::uint32_t scope, std::string_view name, std::uint32_t value) {
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  Slot& slot = slots_[FindSlot(hash, scope, name)];
  if (slot.entry != 0) return false;
  entries_.push_back({name, scope, value});
  slot.tag = static_cast<std::uint32_t>(hash >> 32);
  slot.entry = static_cast<std::uint32_t>(entries_.size());
  return true;
}

void NameIndex::ShiftValues(std::uint32_t exceptScope, std::uint32_t from, std::uint32_t delta) {
  for (Entry& entry : entries_) {
    if (entry.scope != exceptScope && entry.value >= from) entry.value += delta;
  }
}

void NameIndex::Reserve(std::size_t count) {
  entries_.reserve(count);
  std::size_t capacity = 16;
  while (capacity < count * 2) capacity *= 2;
  if (capacity > slots_.size()) Rehash(capacity);
}

void NameIndex::Grow() { Rehash(slots_.empty() ? 16 : slots_.size() * 2); }

void NameIndex::Rehash(std::size_t capacity) {
  slots_.assign(capacity, Slot{});
  const std::size_t mask = capacity - 1;
  for (std::size_t e = 0; e < entries_.size(); ++e) {
    const std::uint64_t hash = Hash(entries_[e].scope, entries_[e].name);
    std::size_t i = static_cast<std::size_t>(hash) & mask;
    while (slots_[i].entry != 0) i = (i + 1) & mask;
    slots_[i] = {static_cast<std::uint32_t>(hash >> 32), static_cast<std::uint32_t>(e + 1)};
  }
}

}  // namespace tilvaro
