#include "desktop/DesktopEntry.h"

#include <glib.h>
#include <unistd.h>

#include <memory>

#include "desktop/ExecLine.h"
#include "desktop/KeyFile.h"

namespace tilvaro::desktop {

namespace {

constexpr const char* kGroup = "Desktop Entry";

bool IsExecutableFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<DesktopEntry> ReadDesktopEntry(const std::filesystem::path& file) {
  const KeyFile keys = KeyFile::Load(file);
  if (!keys.HasGroup(kGroup)) return std::nullopt;
  DesktopEntry entry;
  entry.file = file;
  entry.type = keys.String(kGroup, "Type");
  entry.exec = keys.String(kGroup, "Exec");
  entry.tryExec = keys.String(kGroup, "TryExec");
  entry.name = keys.LocaleString(kGroup, "Name");
  entry.icon = keys.String(kGroup, "Icon");
  entry.hidden = keys.Boolean(kGroup, "Hidden");
  entry.terminal = keys.Boolean(kGroup, "Terminal");
  entry.mimeTypes = keys.StringList(kGroup, "MimeType");
  return entry;
}

std::optional<std::filesystem::path> FindProgram(std::string_view name,
                                                 const std::vector<std::filesystem::path>& searchPath) {
  if (name.empty()) return std::nullopt;
  const std::filesystem::path program(name);
  if (program.is_absolute()) {
    if (IsExecutableFile(program)) return program;
    return std::nullopt;
  }
  if (name.find('/') != std::string_view::npos) return std::nullopt;
  for (const std::filesystem::path& folder : searchPath) {
    std::filesystem::path candidate = folder / program;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> StartableProgram(const DesktopEntry& entry,
                                                      const std::vector<std::filesystem::path>& searchPath) {
  if (entry.type != "Application" || entry.hidden) return std::nullopt;
  if (!entry.tryExec.empty() && !FindProgram(entry.tryExec, searchPath)) return std::nullopt;
  const auto arguments = SplitExecLine(entry.exec, ExecFields{});
  if (!arguments) return std::nullopt;
  return FindProgram(arguments->front(), searchPath);
}

}  // namespace tilvaro::desktop
