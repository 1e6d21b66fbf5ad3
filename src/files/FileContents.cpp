#include "files/FileContents.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <climits>
#include <cstring>
#include <deque>
#include <random>
#include <utility>
#include <vector>

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
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
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

std::string TempName() { return std::string(kTempPrefix) + UniqueSuffix() + std::string(kTempSuffix); }

bool IsTempName(std::string_view name) {
  if (name.size() != kTempPrefix.size() + 16 + kTempSuffix.size()) return false;
  if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return false;
  const std::string_view digits = name.substr(kTempPrefix.size(), 16);
  return std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The kernel's rule for following links in shared folders (fs.protected_symlinks): a link that lies
// in a sticky folder that everybody may write to is followed only by its owner, or when the folder's
// owner owns it too. Anyone else could have put it there to make our write land on a file of theirs
// or of a third user's choosing.
bool MayFollow(const struct stat& link, const struct stat& folder) {
  if (link.st_uid == ::geteuid()) return true;
  const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == folder.st_uid;
}

constexpr int kMaxLinkHops = 40;

// Where a save writes: a descriptor of the folder that is to hold the file, and the file's name in
// it. Every later step works relative to the descriptor, so a folder on the path that is swapped
// for a link after this walk cannot redirect the write.
struct WriteTarget {
  FileDescriptor folder;
  std::string name;
};

// Walks `path` one name at a time from the root or the working folder, opening each folder without
// following links and reading each link itself, which is followed only where MayFollow allows. The
// last name may be missing (the file to create), also at the end of a dangling link; a link as the
// last name is taken as it is unless `followLast`. False with `reason` (when given) set when a
// folder is missing, a link may not be followed, or a step fails.
bool FindWriteTarget(const std::string& path, bool followLast, WriteTarget& target, std::string* reason) {
  std::deque<std::string> names;
  const auto prepend = [&names](std::string_view text) {
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= text.size();) {
      const std::size_t end = std::min(text.find('/', start), text.size());
      if (end > start) parts.emplace_back(text.substr(start, end - start));
      start = end + 1;
    }
    // A trailing separator names the folder itself, which can be no file.
    if (!text.empty() && text.back() == '/') parts.emplace_back(".");
    names.insert(names.begin(), parts.begin(), parts.end());
  };
  const auto open = [](int at, const char* name) {
    return FileDescriptor(::openat(at, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  };
  const auto fail = [reason](std::string text) {
    SetReason(reason, std::move(text));
    return false;
  };
  if (path.empty()) return fail("kein Dateiname");
  prepend(path);
  FileDescriptor folder = open(AT_FDCWD, path.front() == '/' ? "/" : ".");
  for (int hops = 0;;) {
    if (folder.Get() < 0) return fail(DescribeError(errno));
    const std::string name = std::move(names.front());
    names.pop_front();
    const bool last = names.empty();
    struct stat info {};
    if (::fstatat(folder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) return fail(DescribeError(errno));
      if (!last) return fail("Ordner nicht vorhanden");
      target = WriteTarget{std::move(folder), name};
      return true;
    }
    if (S_ISLNK(info.st_mode) && (followLast || !last)) {
      if (++hops > kMaxLinkHops) return fail(DescribeError(ELOOP));
      struct stat folderInfo {};
      if (::fstat(folder.Get(), &folderInfo) != 0) return fail(DescribeError(errno));
      if (!MayFollow(info, folderInfo)) {
        return fail("Verknüpfung eines anderen Benutzers in einem für alle beschreibbaren Ordner wird nicht verfolgt");
      }
      std::string text(PATH_MAX, '\0');
      const ssize_t length = ::readlinkat(folder.Get(), name.c_str(), text.data(), text.size());
      if (length < 0) return fail(DescribeError(errno));
      if (static_cast<std::size_t>(length) >= text.size()) return fail(DescribeError(ENAMETOOLONG));
      text.resize(static_cast<std::size_t>(length));
      if (text.empty()) return fail(DescribeError(ENOENT));
      prepend(text);
      if (text.front() == '/') folder = open(AT_FDCWD, "/");
      continue;
    }
    if (last) {
      target = WriteTarget{std::move(folder), name};
      return true;
    }
    folder = open(folder.Get(), name.c_str());
  }
}

// A new file in the folder `folder` for the coming contents, locked (flock) for as long as this
// process holds it open, which tells a live save's file from a dead one's (RemoveDeadTemporariesAt).
// Where the file system allows and `unnamed`, the file has no name (O_TMPFILE): a save killed before
// the rename leaves nothing. Elsewhere `name` gets its name. Returns the descriptor, or -1 with errno set.
int CreateTemporary(int folder, mode_t mode, std::string& name, bool unnamed = true) {
  name.clear();
  int fd = unnamed ? ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode) : -1;
  if (fd >= 0) {
    ::flock(fd, LOCK_EX);
    return fd;
  }
  if (unnamed && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return -1;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TempName();
    fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      name.clear();
      return -1;
    }
    // Another save's clean-up may have removed the file in the moment before it was locked.
    struct stat opened {}, named {};
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0 &&
        ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, named)) {
      return fd;
    }
    ::close(fd);
  }
  name.clear();
  errno = EEXIST;
  return -1;
}

// Links the unnamed file `fd` into `folder` as `name`; like any link, it never replaces what has
// that name (EEXIST).
bool LinkUnnamed(int fd, int folder, const char* name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), folder, name, AT_SYMLINK_FOLLOW) == 0) return true;
  // Without /proc, linking by the descriptor itself is the one way left (it may need privileges).
  return errno == ENOENT && ::linkat(fd, "", folder, name, AT_EMPTY_PATH) == 0;
}

// Links the unnamed file `fd` into `folder` under a new temporary name.
bool GiveName(int fd, int folder, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TempName();
    if (LinkUnnamed(fd, folder, name.c_str())) return true;
    if (errno != EEXIST) break;
  }
  const int error = errno;
  name.clear();
  errno = error;
  return false;
}

// Removes what saves into `folder` left when they were killed before their rename: the unlocked
// files of the temporary name form. The file of a save still running is locked and stays.
void RemoveDeadTemporariesAt(int folder) {
  // fdopendir takes the descriptor over; the folder's own stays with the caller.
  DIR* dir = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTempName(entry->d_name)) continue;
    FileDescriptor fd(::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) continue;
    struct stat opened {}, named {};
    // A save that is still running holds the lock; a dead one's lock went with its process.
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(fd.Get(), &opened) == 0 && S_ISREG(opened.st_mode) &&
        ::fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, named)) {
      ::unlinkat(folder, entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

// The last step of a write into `folder`: makes the new name durable (a failure here leaves the new
// file in place and is not an error) and removes what killed saves left.
void Settle(int folder) {
  FileDescriptor folderFd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.Get() >= 0) ::fsync(folderFd.Get());
  RemoveDeadTemporariesAt(folder);
}

// One try at CreateFileContents: the bytes in a temporary file, linked to `name` once complete.
// Returns 0 or the error number.
int CreateOnce(int folder, const char* name, std::string_view bytes, bool unnamed) {
  std::string tempName;
  const FileDescriptor temp(CreateTemporary(folder, 0666, tempName, unnamed));
  if (temp.Get() < 0) return errno;
  int error = 0;
  if (!WriteAll(temp.Get(), bytes) || ::fsync(temp.Get()) != 0) {
    error = errno;
  } else if (tempName.empty() ? !LinkUnnamed(temp.Get(), folder, name)
                              : ::linkat(folder, tempName.c_str(), folder, name, 0) != 0) {
    error = errno;
  }
  // The file stays open, and so locked, until its temporary name is gone.
  if (!tempName.empty()) ::unlinkat(folder, tempName.c_str(), 0);
  return error;
}

// Reads the file at `path` up to `limit` bytes: a longer one is refused when `refuseLonger`, else
// cut after `limit` bytes.
FileReadResult ReadUpTo(const std::filesystem::path& path, std::uintmax_t limit, bool refuseLonger) {
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
  const auto tooLarge = [&result, &name] {
    result.status = FileReadStatus::Unreadable;
    result.message = "Kann " + name + " nicht lesen: " + DescribeError(EFBIG);
    return result;
  };
  const auto size = static_cast<std::uintmax_t>(info.st_size);
  if (refuseLonger && size > limit) return tooLarge();
  std::string bytes;
  // One byte more than is to be read, so that reaching the end needs no second allocation, and a
  // file that goes on beyond the limit shows.
  bytes.resize(static_cast<std::size_t>(std::min(size, limit)) + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (bytes.size() > limit) {
        if (refuseLonger) return tooLarge();
        result.cut = true;
        filled = static_cast<std::size_t>(limit);
        break;
      }
      // The file may have grown since fstat; keep reading until the end, within the limit.
      const std::uintmax_t grown = std::max<std::uintmax_t>(bytes.size() * 2, 4096);
      bytes.resize(static_cast<std::size_t>(std::min(grown, limit + 1)));
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

}  // namespace

FileReadResult ReadWholeFile(const std::filesystem::path& path) { return ReadUpTo(path, kMaxProfileFileSize, true); }

FileReadResult ReadFilePrefix(const std::filesystem::path& path, std::size_t maxBytes) {
  return ReadUpTo(path, maxBytes, false);
}

bool ReplaceFileContents(const std::filesystem::path& requested, std::string_view bytes, std::string* reason) {
  WriteTarget target;
  if (!FindWriteTarget(requested.string(), true, target, reason)) return false;
  const int folder = target.folder.Get();
  const char* name = target.name.c_str();

  struct stat existing {};
  const bool exists = ::fstatat(folder, name, &existing, AT_SYMLINK_NOFOLLOW) == 0;
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
    FileDescriptor probe(::openat(folder, name, O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (probe.Get() < 0) {
      SetReason(reason, DescribeError(errno));
      return false;
    }
  }

  // The new file never has wider permissions than it will end with: it is created with the old
  // file's bits (narrowed by the umask until the exact bits are set below, before any byte is in it).
  const mode_t mode = exists ? (existing.st_mode & 07777) : 0666;
  std::string tempName;
  FileDescriptor temp(CreateTemporary(folder, mode, tempName));
  if (temp.Get() < 0) {
    SetReason(reason, DescribeError(errno));
    return false;
  }
  const auto fail = [&](int error) {
    SetReason(reason, DescribeError(error));
    if (!tempName.empty()) ::unlinkat(folder, tempName.c_str(), 0);
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
  if (::renameat(folder, tempName.c_str(), folder, name) != 0) return fail(errno);
  Settle(folder);
  return true;
}

bool CreateFileContents(const std::filesystem::path& requested, std::string_view bytes, std::string* reason,
                        bool* taken) {
  if (taken) *taken = false;
  WriteTarget target;
  if (!FindWriteTarget(requested.string(), false, target, reason)) return false;
  const int folder = target.folder.Get();
  const char* name = target.name.c_str();
  struct stat existing {};
  // A name taken already needs no bytes written; one taken meanwhile makes the link fail.
  int error = ::fstatat(folder, name, &existing, AT_SYMLINK_NOFOLLOW) == 0 ? EEXIST : 0;
  if (error == 0) error = CreateOnce(folder, name, bytes, true);
  // Without /proc only privileged callers can name an unnamed file; the others take a named one.
  if (error == ENOENT) error = CreateOnce(folder, name, bytes, false);
  if (error != 0) {
    if (taken) *taken = error == EEXIST;
    SetReason(reason, DescribeError(error));
    return false;
  }
  Settle(folder);
  return true;
}

}  // namespace tilvaro
