#pragma once
// Where the editor starts when the desktop starts it or hands it a layout file, and which layout it
// opens first. A plain start (no file, not from the desktop) keeps the working folder.
//
// - From the desktop's menu: the user's layout home, made and seeded first (LayoutHome.h).
// - A file inside a folder named "layouts": the folder above, and the file opened by its name
//   there, so that Save with the proposed name writes it back in place.
// - A file anywhere else: copied into the user's layouts folder (LayoutCopyIn.h) and opened by its
//   name there; the original is only read. A file that cannot be read is handed to the editor as
//   it is, so that its Open reports it, under no name (a later Save proposes none).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tilvaro::desktop {

struct LayoutStart {
  std::filesystem::path startDir;    // the folder to start in; empty: the working folder stays
  std::filesystem::path layoutFile;  // the file to open at once; empty: none
  std::string layoutName;            // the name it is opened under (empty for an unreadable file)
  std::string failure;               // UTF-8: a problem to show once the window is up
};

LayoutStart PlanLayoutStart(const std::optional<std::filesystem::path>& file, bool fromDesktop,
                            const std::filesystem::path& layoutHome,
                            const std::vector<std::filesystem::path>& sampleFolders);

}  // namespace tilvaro::desktop
