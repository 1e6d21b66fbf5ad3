#include "profile/TIniFile.h"

#include "profile/ProfileStore.h"

namespace tilvaro {

std::string TIniFile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                std::size_t bufferSize) const {
  return profile_store::ReadString(fileName_, section, key, defaultValue, bufferSize);
}

bool TIniFile::PutString(std::string_view section, std::string_view key, std::string_view value) {
  return profile_store::WriteString(fileName_, section, key, value);
}

}  // namespace tilvaro
