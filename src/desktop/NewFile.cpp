#include "desktop/NewFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

namespace tilvaro::desktop {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }

 private:
  int fd_;
};

int WriteAllAndSync(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written < 0 ? errno : EIO;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return ::fsync(fd) == 0 ? 0 : errno;
}

// Where the file system has no unnamed files (or /proc is missing): a temporary name in the same
// folder, linked to the target and then removed.
int CreateThroughTemporaryName(const std::string& folder, const std::string& target, std::string_view bytes) {
  thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temp = folder + "/.tilvaro-copy-" + std::to_string(random()) + ".tmp";
    const Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.Get() < 0) {
      if (errno == EEXIST) continue;
      return errno;
    }
    int error = WriteAllAndSync(fd.Get(), bytes);
    if (error == 0 && ::link(temp.c_str(), target.c_str()) != 0) error = errno;
    ::unlink(temp.c_str());
    return error;
  }
  return EEXIST;
}

}  // namespace

int CreateNewFile(const std::filesystem::path& targetPath, std::string_view bytes) {
  const std::string target = targetPath.string();
  const std::string folder = targetPath.has_parent_path() ? targetPath.parent_path().string() : ".";
  const Descriptor fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (fd.Get() < 0) {
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
    return CreateThroughTemporaryName(folder, target, bytes);
  }
  if (const int error = WriteAllAndSync(fd.Get(), bytes); error != 0) return error;
  const std::string self = "/proc/self/fd/" + std::to_string(fd.Get());
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return errno;
  // No /proc: a target folder gone since the open also ends up here, and fails again below.
  return CreateThroughTemporaryName(folder, target, bytes);
}

}  // namespace tilvaro::desktop
