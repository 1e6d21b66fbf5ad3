#include "layout/LayoutFile.h"

#include <algorithm>

#include "files/FileContents.h"
#include "files/WriteError.h"
#include "layout/LayoutKeys.h"
#include "layout/LayoutProfile.h"
#include "layout/ScannedLayoutProfile.h"
#include "profile/MemoryProfile.h"

namespace tilvaro {
namespace {

namespace keys = layout_keys;

// A damaged NUMBERS must not turn a small file into a huge list (NUMBERS=2147483647 would otherwise
// mean two billion empty entries). Up to this many entries are always kept as the count says; beyond
// it the list ends with the last entry the file holds, so only trailing entries that are not in the
// file are ever dropped (files the editor saved hold every entry and are never cut, up to
// ScannedLayoutProfile::kMaxTileSets entries).
constexpr std::size_t kMinTileSetLimit = 1024;

// The lines of a saved layout besides its tile-set entries: INFO with up to 6 keys, TILES with
// NUMBERS, four layer sections of 7 rows.
constexpr std::size_t kFixedLines = 7 + 2 + 4 * 8;

}  // namespace

std::filesystem::path LayoutFilePath(const std::filesystem::path& startDir, std::string_view name) {
  std::string text = startDir.string();
  text += "/layouts/";
  text += name;
  text += ".set";
  return std::filesystem::path(std::move(text));
}

std::vector<std::string> LayoutNames(const std::filesystem::path& startDir) {
  constexpr std::string_view kSuffix = ".set";
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator entry(std::filesystem::path(startDir.string() + "/layouts"), error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    std::string name = entry->path().filename().string();
    std::error_code broken;  // a link to nothing is no layout, and the listing goes on
    if (name.starts_with('.') || !name.ends_with(kSuffix) || !entry->is_regular_file(broken)) continue;
    name.resize(name.size() - kSuffix.size());
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

LayoutReadResult ReadLayoutFile(const std::filesystem::path& path) {
  LayoutReadResult result;
  FileReadResult contents = ReadWholeFile(path);
  switch (contents.status) {
    case FileReadStatus::Missing: result.status = LayoutReadStatus::Missing; return result;
    case FileReadStatus::NotAFile:
      result.status = LayoutReadStatus::NotAFile;
      result.message = std::move(contents.message);
      return result;
    case FileReadStatus::Unreadable:
      result.status = LayoutReadStatus::Unreadable;
      result.message = std::move(contents.message);
      return result;
    case FileReadStatus::Read: break;
  }
  return ReadLayoutText(path, contents.bytes);
}

LayoutReadResult ReadLayoutText(const std::filesystem::path& path, std::string_view text) {
  LayoutReadResult result;
  const ScannedLayoutProfile profile(path, text);
  const std::int32_t stored = profile.ReadNumber(keys::kSections[keys::kTiles], keys::kNumbersKey, 0);
  const std::size_t count = stored > 0 ? static_cast<std::size_t>(stored) : 0;
  const std::size_t lastHeld = profile.LastTileSetKey(std::min(count, ScannedLayoutProfile::kMaxTileSets));
  const std::size_t entries = std::min(count, std::max(kMinTileSetLimit, lastHeld));
  result.status = LayoutReadStatus::Loaded;
  result.layout = ReadLayout(profile, entries);
  if (entries < count) result.cappedTileSetCount = stored;
  return result;
}

void WriteLayoutFile(const std::filesystem::path& path, const Layout& layout) {
  // The file is built from nothing, as the editor's Save starts from a deleted file, and written in one
  // piece, so the old file stays whole until the new one is complete.
  ProfileDocument document;
  document.Reserve(layout.attributes.tileSets.size() + kFixedLines);
  MemoryProfile profile(path, std::move(document));
  WriteLayout(profile, layout);
  std::string reason;
  if (!ReplaceFileContents(path, profile.Document().Text(), &reason)) throw WriteErrorAt(path, reason);
}

}  // namespace tilvaro
