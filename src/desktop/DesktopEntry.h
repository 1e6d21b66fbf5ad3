#pragma once
// Reading a desktop entry (a .desktop file) and deciding whether it names a program that can be
// started: an application entry that is not hidden, whose TryExec program is installed and whose
// Exec line names an installed program.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tilvaro::desktop {

struct DesktopEntry {
  std::filesystem::path file;
  std::string type;
  std::string exec;     // the Exec value, string escapes resolved, quoting still in place
  std::string tryExec;
  std::string name;     // translated for the current locale where the entry has a translation
  std::string icon;
  bool hidden = false;  // Hidden=true: the entry counts as deleted
  bool terminal = false;  // Terminal=true: the program runs only inside a terminal window
  std::vector<std::string> mimeTypes;
};

// The entry in `file`; empty when the file cannot be read as a key file with a "Desktop Entry"
// group.
std::optional<DesktopEntry> ReadDesktopEntry(const std::filesystem::path& file);

// `name` as a program path: an absolute name must be an executable file; a bare name is looked up
// in `searchPath`; a relative name with a slash is never taken (it would depend on the working
// directory). Empty when not found.
std::optional<std::filesystem::path> FindProgram(std::string_view name,
                                                 const std::vector<std::filesystem::path>& searchPath);

// The installed program the entry starts; empty when the entry is no application, is hidden, its
// TryExec program is missing, or its Exec line is broken or names a missing program.
std::optional<std::filesystem::path> StartableProgram(const DesktopEntry& entry,
                                                      const std::vector<std::filesystem::path>& searchPath);

}  // namespace tilvaro::desktop
