#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/Layout.h"

namespace tilvaro {

// startDir's text + "/layouts/" + name + ".set", by plain concatenation: the name is used as typed
// (not trimmed, not checked; ".set" is appended even when it is there already), and a startDir that
// ends in '/' gives "//", which the file system reads as one separator.
std::filesystem::path LayoutFilePath(const std::filesystem::path& startDir, std::string_view name);

// The names of the layouts there, as the Open and Save questions offer them: the files (or links
// to files) in startDir's "layouts" folder whose names end in ".set", in that case, without the
// suffix, sorted by their bytes; hidden files and folders are left out. None when the folder
// cannot be read. The names are in the file system's encoding.
std::vector<std::string> LayoutNames(const std::filesystem::path& startDir);

enum class LayoutReadStatus { Loaded, Missing, NotAFile, Unreadable };

struct LayoutReadResult {
  LayoutReadStatus status = LayoutReadStatus::Missing;
  Layout layout;        // read with all defaults and bounds when Loaded; a default Layout otherwise
  std::string message;  // UTF-8; for NotAFile and Unreadable it names the path and the reason
  // When Loaded: the NUMBERS the file states, when the tile-set list was cut shorter than that.
  std::optional<std::int32_t> cappedTileSetCount;
};

// Reads a layout file as the editor's Open does: every attribute and row from its key, with the
// defaults and bounds of the format (inscription on when ORIGINAL is missing, layer count kept in
// 1..4, colour scheme in 1..8, rows of 14 cells, texts cut to 1023 bytes). The file is read once and
// the keys are picked out of it in one pass (ScannedLayoutProfile), so time is linear and memory
// about twice the file's size (plus a bounded amount for the tile-set list), whatever it holds.
// So that a damaged NUMBERS cannot make a small file produce billions of entries, the tile-set list
// has NUMBERS entries up to 1024, and beyond that ends with the last entry the file holds (entries
// numbered above ScannedLayoutProfile::kMaxTileSets are not read); cappedTileSetCount tells when.
// Missing: nothing at the path (or a name that cannot name a file). NotAFile: a folder or another
// non-regular file. Unreadable: it exists but cannot be read (permission, I/O error).
LayoutReadResult ReadLayoutFile(const std::filesystem::path& path);

// The same for a file's bytes already read; `path` only names the file. The result is always Loaded.
LayoutReadResult ReadLayoutText(const std::filesystem::path& path, std::string_view text);

// Writes the layout as the editor's Save does (sections INFO, TILES, LAYER1..LAYER4, CR LF line
// ends). The complete file is written beside the target, flushed to disk and renamed over it, so on
// failure the old file is untouched and no stray file remains; the failure raises WriteError naming
// the target. An existing target keeps its permission bits.
void WriteLayoutFile(const std::filesystem::path& path, const Layout& layout);

}  // namespace tilvaro
