#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "layout/Layout.h"

namespace tilvaro {

// startDir's text + "/layouts/" + name + ".set", by plain concatenation: the name is used as typed
// (not trimmed, not checked; ".set" is appended even when it is there already), and a startDir that
// ends in '/' gives "//", which the file system reads as one separator.
std::filesystem::path LayoutFilePath(const std::filesystem::path& startDir, std::string_view name);

enum class LayoutReadStatus { Loaded, Missing, NotAFile, Unreadable };

struct LayoutReadResult {
  LayoutReadStatus status = LayoutReadStatus::Missing;
  Layout layout;        // read with all defaults and bounds when Loaded; a default Layout otherwise
  std::string message;  // UTF-8; for NotAFile and Unreadable it names the path and the reason
};

// Reads a layout file as the editor's Open does: every attribute and row from its key, with the
// defaults and bounds of the format (inscription on when ORIGINAL is missing, layer count kept in
// 1..4, colour scheme in 1..8, rows of 14 cells, texts cut to 1023 bytes). The file is read once and
// the keys are looked up in that snapshot. The tile-set list is limited to max(1024, file size in
// bytes) entries, so that a damaged NUMBERS cannot make a small file produce billions of entries.
// Missing: nothing at the path. NotAFile: a folder or another non-regular file. Unreadable: it
// exists but cannot be read (permission, I/O error).
LayoutReadResult ReadLayoutFile(const std::filesystem::path& path);

// Writes the layout as the editor's Save does (sections INFO, TILES, LAYER1..LAYER4, CR LF line
// ends). The complete file is written beside the target, flushed to disk and renamed over it, so on
// failure the old file is untouched and no stray file remains; the failure raises WriteError naming
// the target. An existing target keeps its permission bits.
void WriteLayoutFile(const std::filesystem::path& path, const Layout& layout);

}  // namespace tilvaro
