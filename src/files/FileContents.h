#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tilvaro {

enum class FileReadStatus { Read, Missing, NotAFile, Unreadable };

struct FileReadResult {
  FileReadStatus status = FileReadStatus::Missing;
  std::string bytes;    // the whole file when Read (or its first bytes, see ReadFilePrefix)
  std::string message;  // UTF-8, for NotAFile and Unreadable: the path and the reason
  bool cut = false;     // ReadFilePrefix: the file goes on beyond `bytes`
};

// A system error number as a short German explanation ("keine Berechtigung", "kein Platz auf dem
// Datenträger", ...), the system's own text for the rare ones.
std::string DescribeError(int error);

// Files larger than this are refused as unreadable rather than read into memory.
inline constexpr std::uintmax_t kMaxProfileFileSize = std::uintmax_t{1} << 30;

// Reads a whole file in one go. Missing: nothing at the path (also a dangling link, a path through
// a plain file, or a name longer than the file system allows). NotAFile: a folder, FIFO, device or
// socket (never opened for a blocking read). Unreadable: no permission, an I/O error, or larger
// than kMaxProfileFileSize.
FileReadResult ReadWholeFile(const std::filesystem::path& path);

// Reads a file as ReadWholeFile does, but a file longer than `maxBytes` is no error: its first
// `maxBytes` bytes are read and `cut` is set. Memory is taken for the file's size, not the limit.
FileReadResult ReadFilePrefix(const std::filesystem::path& path, std::size_t maxBytes);

// Replaces the file's contents atomically: the bytes go to a new file in the same folder, which is
// flushed to disk and renamed over the target. Links on the path are followed and their target
// replaced, or created when a link dangles, but only where the kernel's protected_symlinks rule
// would follow them: a link in a sticky folder that everybody may write to (such as /tmp) is
// followed only when we or the folder's owner own it; any other such link is refused with the
// reason, so that a link planted by another user cannot turn the save onto a file of its choosing.
// The walk opens each folder by descriptor and the file is written and renamed relative to it. An
// existing target keeps its permission bits (and owner and group where allowed), and the new file
// never has wider ones on the way; a new target gets 0666 less the umask. The new file has no name
// until it is complete where the file system allows (O_TMPFILE); elsewhere it is a locked
// ".tilvaro-<hex>.tmp" file, and a save killed half-way leaves one that the next save into that
// folder removes. Fails, changing nothing and leaving no temporary file, when the folder is missing
// or not writable, when the target exists but is not a regular file or cannot be opened for writing
// by us, or on any I/O error. On failure `reason` (when given) gets a UTF-8 explanation.
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes, std::string* reason = nullptr);

// Creates a new file holding `bytes` that never replaces anything: the bytes go to a new file as in
// ReplaceFileContents, which once complete gets the target's name by a link, and a link fails where
// the name is taken. So a failure, or a name taken meanwhile, changes no existing file and leaves no
// temporary one. The path is walked as ReplaceFileContents walks it but for its last name: anything
// of that name, even a dangling link, has it taken. The new file gets 0666 less the umask. On
// failure `reason` (when given) gets a UTF-8 explanation and `taken` (when given) whether the name
// was taken.
bool CreateFileContents(const std::filesystem::path& target, std::string_view bytes, std::string* reason = nullptr,
                        bool* taken = nullptr);

}  // namespace tilvaro
