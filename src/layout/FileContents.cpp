#include "layout/FileContents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace tilvaro {
namespace {

std::string Reason(int error) {
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
    default: return std::strerror(error);
  }
}

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
  // Closes now and reports the result, which can carry a delayed write error.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

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
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

FileReadResult ReadWholeFile(const std::filesystem::path& path) {
  FileReadResult result;
  const std::string name = path.string();
  // O_NONBLOCK: a FIFO at the path must not block the open; it is refused below.
  FileDescriptor fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.Get() < 0) {
    const int error = errno;
    struct stat info {};
    if (error == ENOENT || error == ENOTDIR) {
      result.status = FileReadStatus::Missing;
    } else if (::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
      result.status = FileReadStatus::NotAFile;
      result.message = name + " ist keine Datei";
    } else {
      result.status = FileReadStatus::Unreadable;
      result.message = "Kann " + name + " nicht lesen: " + Reason(error);
    }
    return result;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    result.status = FileReadStatus::Unreadable;
    result.message = "Kann " + name + " nicht lesen: " + Reason(errno);
    return result;
  }
  if (!S_ISREG(info.st_mode)) {
    result.status = FileReadStatus::NotAFile;
    result.message = name + (S_ISDIR(info.st_mode) ? " ist ein Ordner, keine Datei" : " ist keine gewöhnliche Datei");
    return result;
  }
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxProfileFileSize) {
    result.status = FileReadStatus::Unreadable;
    result.message = "Kann " + name + " nicht lesen: " + Reason(EFBIG);
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
        result.message = "Kann " + name + " nicht lesen: " + Reason(EFBIG);
        return result;
      }
      bytes.resize(std::max<std::size_t>(bytes.size() * 2, 4096));
    }
    const ssize_t got = ::read(fd.Get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      result.status = FileReadStatus::Unreadable;
      result.message = "Kann " + name + " nicht lesen: " + Reason(errno);
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
  std::error_code ec;
  fs::path target = requested;
  if (fs::is_symlink(fs::symlink_status(requested, ec))) {
    const fs::path resolved = fs::weakly_canonical(requested, ec);
    if (!ec) target = resolved;
  }
  const std::string targetName = target.string();
  if (targetName.empty()) {
    SetReason(reason, "kein Dateiname");
    return false;
  }

  struct stat existing {};
  const bool exists = ::stat(targetName.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) {
    SetReason(reason, Reason(errno));
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
      SetReason(reason, Reason(errno));
      return false;
    }
  }

  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string tempName;
  int tempFd = -1;
  for (int attempt = 0; attempt < 100 && tempFd < 0; ++attempt) {
    tempName = (folder / (".tilvaro-" + UniqueSuffix() + ".tmp")).string();
    tempFd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (tempFd < 0 && errno != EEXIST) break;
  }
  if (tempFd < 0) {
    SetReason(reason, Reason(errno));
    return false;
  }
  FileDescriptor temp(tempFd);
  const auto fail = [&](int error) {
    SetReason(reason, Reason(error));
    ::unlink(tempName.c_str());
    return false;
  };
  if (exists) {
    if (::fchmod(temp.Get(), existing.st_mode & 07777) != 0) return fail(errno);
    // Keeping owner and group needs privileges we may lack; the permission bits are what matters.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
      [[maybe_unused]] const int ignored = ::fchown(temp.Get(), existing.st_uid, existing.st_gid);
    }
  }
  if (!WriteAll(temp.Get(), bytes)) return fail(errno);
  if (::fsync(temp.Get()) != 0) return fail(errno);
  if (!temp.Close()) return fail(errno);
  if (::rename(tempName.c_str(), targetName.c_str()) != 0) return fail(errno);

  // Make the rename itself durable; a failure here leaves the new file in place and is not an error.
  FileDescriptor folderFd(::open(folder.string().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.Get() >= 0) ::fsync(folderFd.Get());
  return true;
}

}  // namespace tilvaro
