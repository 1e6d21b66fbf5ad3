#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tilvaro::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tilvaro-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

inline std::filesystem::path Fixture(std::string_view name) {
  return std::filesystem::path(TILVARO_TEST_FIXTURES) / "layout" / name;
}

// Permission bits do not stop root. Tests that rely on them run their checks inside an
// Unprivileged scope: under root it switches the process's user and group ids to nobody (keeping
// root as the saved id, so the scope can switch back) and opens the test folder to everyone;
// under any other user it changes nothing.
class Unprivileged {
 public:
  explicit Unprivileged(const std::filesystem::path& folder) : folder_(folder) {
    if (::geteuid() != 0) return;
    std::filesystem::permissions(folder_, std::filesystem::perms::all, std::filesystem::perm_options::add);
    if (::setresgid(kNobody, kNobody, 0) != 0 || ::setresuid(kNobody, kNobody, 0) != 0)
      throw std::runtime_error("cannot switch to the unprivileged user");
    switched_ = true;
  }
  ~Unprivileged() {
    if (!switched_) return;
    // Back to root; nothing sensible is left to do if that fails, and the test would then fail loudly.
    if (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0) std::abort();
  }
  Unprivileged(const Unprivileged&) = delete;
  Unprivileged& operator=(const Unprivileged&) = delete;

 private:
  static constexpr uid_t kNobody = 65534;
  std::filesystem::path folder_;
  bool switched_ = false;
};

// Names in a folder, to check that no temporary file was left behind.
inline int CountEntries(const std::filesystem::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

}  // namespace tilvaro::test
