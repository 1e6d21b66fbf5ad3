#include "desktop/LayoutHome.h"

#include <sys/stat.h>

#include <cerrno>

#include "files/FileContents.h"

namespace tilvaro::desktop {

std::filesystem::path LayoutHome(const XdgDirs& dirs) {
  return dirs.dataHome.empty() ? std::filesystem::path() : dirs.dataHome / "tilvaro";
}

std::vector<std::filesystem::path> SampleFolders(const XdgDirs& dirs, const std::filesystem::path& besideProgram) {
  std::vector<std::filesystem::path> folders;
  if (!besideProgram.empty()) folders.push_back(besideProgram);
  for (const std::filesystem::path& data : dirs.dataDirs) folders.push_back(data / "tilvaro/layouts");
  return folders;
}

std::string PrepareLayoutHome(const std::filesystem::path& home, const std::vector<std::filesystem::path>& sampleFolders) {
  const std::filesystem::path layouts = home / "layouts";
  std::error_code error;
  std::filesystem::create_directories(layouts, error);
  if (error || !std::filesystem::is_directory(layouts)) {
    return "Kann den Ordner " + layouts.string() + " nicht anlegen: " +
           DescribeError(error ? error.value() : ENOTDIR);
  }
  for (const std::filesystem::path& folder : sampleFolders) {
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      const std::filesystem::path& sample = it->path();
      // Anything of that name, even a dangling link, keeps the user's own.
      struct stat taken {};
      if (sample.extension() != ".set" || ::lstat((layouts / sample.filename()).c_str(), &taken) == 0) continue;
      const FileReadResult read = ReadWholeFile(sample);
      if (read.status == FileReadStatus::Read) CreateFileContents(layouts / sample.filename(), read.bytes);
    }
  }
  return {};
}

}  // namespace tilvaro::desktop
