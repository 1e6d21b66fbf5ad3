#include "profile/NameIndex.h"

#include <random>

#include "profile/ProfileText.h"

namespace tilvaro {

namespace {

std::uint64_t RandomKey() {
  thread_local std::mt19937_64 random{(static_cast<std::uint64_t>(std::random_device{}()) << 32) ^ std::random_device{}()};
  return random();
}

}  // namespace

NameIndex::NameIndex() : key0_(RandomKey()), key1_(RandomKey()) {}

std::uint64_t NameIndex::Hash(std::uint32_t scope, std::string_view name) const {
  return profile_text::HashName(name, key0_ ^ (static_cast<std::uint64_t>(scope) * 0x9E3779B97F4A7C15ULL), key1_);
}

void NameIndex::Prefetch(std::uint64_t hash) const {
  if (!slots_.empty()) __builtin_prefetch(&slots_[Short(hash) & (slots_.size() - 1)]);
}

void NameIndex::Reserve(std::size_t count) {
  std::size_t capacity = 16;
  while (capacity < count * 2) capacity *= 2;
  if (capacity > slots_.size()) Rehash(capacity);
}

void NameIndex::Rehash(std::size_t capacity) {
  std::vector<Slot> old(capacity);
  old.swap(slots_);
  const std::size_t mask = capacity - 1;
  for (const Slot& slot : old) {
    if (slot.value == kNotFound) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].value != kNotFound) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace tilvaro
