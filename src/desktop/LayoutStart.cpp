#include "desktop/LayoutStart.h"

#include "desktop/LayoutCopyIn.h"
#include "desktop/LayoutHome.h"

namespace tilvaro::desktop {
namespace {

// Open finds a layout as <start folder>/layouts/<name>.set, so only a file of that form opens in place.
bool OpensInPlace(const std::filesystem::path& file) {
  const std::string fileName = file.filename().string();
  return file.parent_path().filename() == "layouts" && fileName.size() >= 4 &&
         fileName.compare(fileName.size() - 4, 4, ".set") == 0;
}

}  // namespace

LayoutStart PlanLayoutStart(const std::optional<std::filesystem::path>& given, bool fromDesktop,
                            const std::filesystem::path& layoutHome,
                            const std::vector<std::filesystem::path>& sampleFolders) {
  LayoutStart start;
  std::filesystem::path file;
  if (given) {
    std::error_code error;
    file = std::filesystem::absolute(*given, error).lexically_normal();
    if (error) file = *given;
  }
  const bool inPlace = given && OpensInPlace(file);
  if (inPlace) {
    start.startDir = file.parent_path().parent_path();
    start.layoutFile = file;
    start.layoutName = LayoutNameOf(file);
  }
  if (!fromDesktop && (!given || inPlace)) return start;

  // The user's layout home: where a desktop start begins and where a file from elsewhere goes.
  const std::string problem = layoutHome.empty() ? std::string("Kein Ordner für die Layouts: weder XDG_DATA_HOME noch HOME ist gesetzt")
                                                 : PrepareLayoutHome(layoutHome, sampleFolders);
  if (inPlace) return start;  // the file's own folder does not depend on the layout home
  if (!problem.empty()) {
    start.failure = problem;
    return start;
  }
  start.startDir = layoutHome;
  if (!given) return start;
  const CopyInResult copy = CopyIntoLayouts(file, layoutHome / "layouts");
  switch (copy.status) {
    case CopyInStatus::Copied:
    case CopyInStatus::AlreadyThere:
      start.layoutFile = copy.file;
      start.layoutName = copy.name;
      break;
    case CopyInStatus::Unreadable: start.layoutFile = file; break;
    case CopyInStatus::Failed: start.failure = copy.message; break;
  }
  return start;
}

}  // namespace tilvaro::desktop
