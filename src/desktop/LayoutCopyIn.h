#pragma once
// Bringing a layout file from anywhere (a download, a mail attachment) into the user's layouts
// folder, so that the editor can open it by name there: it is copied under its own name, or under
// "Name (2)", "Name (3)", ... when a different layout already has that name; an identical layout
// of that name is taken as it is. The original file is only read.

#include <filesystem>
#include <string>

namespace tilvaro::desktop {

// The layout name of a file: its file name without the ".set" ending (in any letter case).
std::string LayoutNameOf(const std::filesystem::path& file);

enum class CopyInStatus {
  Copied,        // a new file in the layouts folder
  AlreadyThere,  // a file with exactly these bytes is there under `name`
  Unreadable,    // the original cannot be read (missing, not a regular file, no permission)
  Failed,        // the copy cannot be written; `message` says why
};

struct CopyInResult {
  CopyInStatus status = CopyInStatus::Failed;
  std::string name;            // Copied, AlreadyThere: the layout's name in the layouts folder
  std::filesystem::path file;  // Copied, AlreadyThere: its file there
  std::string message;         // Unreadable, Failed: UTF-8
};

CopyInResult CopyIntoLayouts(const std::filesystem::path& file, const std::filesystem::path& layoutsFolder);

}  // namespace tilvaro::desktop
