#include "profile/MemoryProfile.h"

namespace tilvaro {

std::string MemoryProfile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                     std::size_t bufferSize) const {
  return CopyToBuffer(document_.Find(section, key).value_or(defaultValue), bufferSize);
}

bool MemoryProfile::PutString(std::string_view section, std::string_view key, std::string_view value) {
  document_.Set(section, key, value);
  return true;
}

}  // namespace tilvaro
