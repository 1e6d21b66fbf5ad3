#include "layout/FileContents.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace tilvaro {

std::string DescribeError(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return "keine Berechtigung";
    case ENOENT: return "nicht vorhanden";
    case EISDIR: return "ist ein Ordner";
    case EIO: return "Ein-/Ausgabefehler";
    case ENOSPC: return "kein Platz auf dem Datenträger";
    case EROFS: return "schreibgeschütztes Dateisystem";
    case EFBIG: return "Datei zu groß";
    case ELOOP: return "zu viele verkettete Verknüpfungen";
    case ENAMETOOLONG: return "Name zu lang";
    case EBADF: return "nicht geöffnet";
    default: return std::strerror(error);
  }
}

namespace {

void SetReason(std::string* reason, std::string text) {
  if (reason) *reason = std::move(text);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }

 private:
  int fd_;
};

std::string UniqueSuffix() {
  thread_local std::mt19937_64 random{std::random_device{}()};
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(random()));
  return text;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      // Nothing taken and no error given: trying again would spin for ever.
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Temporary files are named ".tilvaro-<16 hex digits>.tmp" in the target's folder.
constexpr std::string_view kTempPrefix = ".tilvaro-";
constexpr std::string_view kTempSuffix = ".tmp";

std::string TempName(const std::string& folder) {
  return folder + "/" + std::string(kTempPrefix) + UniqueSuffix() + std::string(kTempSuffix);
}

bool IsTempName(std::string_view name) {
  if (name.size() != kTempPrefix.size() + 16 + kTempSuffix.size()) return false;
  if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return false;
  const std::string_view digits = name.substr(kTempPrefix.size(), 16);
  return std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

// The file a path finally names: symbolic links are followed, also when the file a link points to
// does not exist yet (that is the file to create).
bool FollowLinks(std::filesystem::path& path, int& error) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::error_code ec;
    const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
    if (ec) {
      error = ec.value();
      return false;
    }
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  error = ELOOP;
  return false;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A new file in `folder` for the coming contents, locked (flock) for as long as this process holds
// it open, which tells a live save's file from a dead one's (RemoveDeadTemporaries). Where the file
// system allows, the file has no name (O_TMPFILE): a save killed before the rename leaves nothing.
// Elsewhere `name` gets its name. Returns the descriptor, or -1 with errno set.
int CreateTemporary(const std::string& folder, mode_t mode, std::string& name) {
  name.clear();
  int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd >= 0) {
    ::flock(fd, LOCK_EX);
    return fd;
  }
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return -1;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TempName(folder);
    fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      name.clear();
      return -1;
    }
    // Another save's clean-up may have removed the file in the moment before it was locked.
    struct stat opened {}, named {};
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0 && ::lstat(name.c_str(), &named) == 0 &&
        SameFile(opened, named)) {
      return fd;
    }
    ::close(fd);
  }
  name.clear();
  errno = EEXIST;
  return -1;
}

// Links the unnamed file `fd` into `folder` under a new temporary name.
bool GiveName(int fd, const std::string& folder, std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TempName(folder);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    // Without /proc, linking by the descriptor itself is the one way left (it may need privileges).
    if (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return true;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  name.clear();
  errno = error;
  return false;
}

}  // namespace

void RemoveDeadTemporaries(const std::filesystem::path& folderPath) {
  const std::string folder = folderPath.string();
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTempName(entry->d_name)) continue;
    const std::string path = folder + "/" + entry->d_name;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) continue;
    struct stat opened {}, named {};
    // A save that is still running holds the lock; a dead one's lock went with its process.
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(fd.Get(), &opened) == 0 && S_ISREG(opened.st_mode) &&
        ::lstat(path.c_str(), &named) == 0 && SameFile(opened, named)) {
      ::unlink(path.c_str());
    }
  }
  ::closedir(dir);
}


FileReadResult ReadWholeFile(const std::filesystem::path& path) {
  FileReadResult result;
  const std::string name = path.string();
  // O_NONBLOCK: a FIFO at the path must not block the open; it is refused below.
  FileDescriptor fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.Get() < 0) {
    const int error = errno;
    struct stat info {};
    // A name that cannot name a file (too long, or through a plain file) is as missing as an absent one.
    if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG) {
      result.status = FileReadStatus::Missing;
    } else if (::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
      result.status = FileReadStatus::NotAFile;
      result.message = name + " ist keine Datei";
    } else {
      result.status = FileReadStatus::Unreadable;
      result.message = "Kann " + name + " nicht lesen: " + DescribeError(error);
    }
    return result;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    result.status = FileReadStatus::Unreadable;
    result.message = "Kann " + name + " nicht lesen: " + DescribeError(errno);
    return result;
  }
  if (!S_ISREG(info.st_mode)) {
    result.status = FileReadStatus::NotAFile;
    result.message = name + (S_ISDIR(info.st_mode) ? " ist ein Ordner, keine Datei" : " ist keine gewöhnliche Datei");
    return result;
  }
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxProfileFileSize) {
    result.status = FileReadStatus::Unreadable;
    result.message = "Kann " + name + " nicht lesen: " + DescribeError(EFBIG);
    return result;
  }
  std::string bytes;
  // One byte more than the file's size, so that reaching the end needs no second allocation.
  bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      // The file may have grown since fstat; keep reading until the end, within the limit.
      if (bytes.size() >= kMaxProfileFileSize) {
        result.status = FileReadStatus::Unreadable;
        result.message = "Kann " + name + " nicht lesen: " + DescribeError(EFBIG);
        return result;
      }
      bytes.resize(std::max<std::size_t>(bytes.size() * 2, 4096));
    }
    const ssize_t got = ::read(fd.Get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      result.status = FileReadStatus::Unreadable;
      result.message = "Kann " + name + " nicht lesen: " + DescribeError(errno);
      return result;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  result.status = FileReadStatus::Read;
  result.bytes = std::move(bytes);
  return result;
}

bool ReplaceFileContents(const std::filesystem::path& requested, std::string_view bytes, std::string* reason) {
  namespace fs = std::filesystem;
  fs::path target = requested;
  if (int error = 0; !FollowLinks(target, error)) {
    SetReason(reason, DescribeError(error));
    return false;
  }
  const std::string targetName = target.string();
  if (targetName.empty()) {
    SetReason(reason, "kein Dateiname");
    return false;
  }

  struct stat existing {};
  const bool exists = ::stat(targetName.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) {
    SetReason(reason, DescribeError(errno));
    return false;
  }
  if (exists) {
    if (!S_ISREG(existing.st_mode)) {
      SetReason(reason, S_ISDIR(existing.st_mode) ? "ist ein Ordner" : "ist keine gewöhnliche Datei");
      return false;
    }
    // The rename would replace even a file we may not write; refuse as writing in place would.
    FileDescriptor probe(::open(targetName.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (probe.Get() < 0) {
      SetReason(reason, DescribeError(errno));
      return false;
    }
  }

  const std::string folder = target.has_parent_path() ? target.parent_path().string() : std::string(".");
  // The new file never has wider permissions than it will end with: it is created with the old
  // file's bits (narrowed by the umask until the exact bits are set below, before any byte is in it).
  const mode_t mode = exists ? (existing.st_mode & 07777) : 0666;
  std::string tempName;
  FileDescriptor temp(CreateTemporary(folder, mode, tempName));
  if (temp.Get() < 0) {
    // The target itself need not exist; what is missing here is its folder.
    SetReason(reason, errno == ENOENT ? "Ordner nicht vorhanden" : DescribeError(errno));
    return false;
  }
  const auto fail = [&](int error) {
    SetReason(reason, DescribeError(error));
    if (!tempName.empty()) ::unlink(tempName.c_str());
    return false;
  };
  if (exists) {
    // Keeping owner and group needs privileges we may lack; the permission bits are what matters.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
      [[maybe_unused]] const int ignored = ::fchown(temp.Get(), existing.st_uid, existing.st_gid);
    }
    if (::fchmod(temp.Get(), mode) != 0) return fail(errno);
  }
  if (!WriteAll(temp.Get(), bytes)) return fail(errno);
  if (::fsync(temp.Get()) != 0) return fail(errno);
  // An unnamed file gets its name only now that it is complete; rename cannot take an unnamed file.
  if (tempName.empty() && !GiveName(temp.Get(), folder, tempName)) return fail(errno);
  // The file stays open, and so locked, until it has its final name.
  if (::rename(tempName.c_str(), targetName.c_str()) != 0) return fail(errno);

  // Make the rename itself durable; a failure here leaves the new file in place and is not an error.
  FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.Get() >= 0) ::fsync(folderFd.Get());
  RemoveDeadTemporaries(folder);
  return true;
}

}  // namespace tilvaro
