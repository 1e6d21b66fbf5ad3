// The browser look-up against a hostile mimeapps.list: the user's list names N distinct ids for
// the web-page type (none of them installed, so every one is looked at), for N from 10,000 to
// 120,000 short ids (850 KB, within the read limit of one file). Prints the fastest of several
// look-ups for each N and the time per id; a look-up linear in the ids keeps that flat as N grows.
//
// Runs in temporary XDG folders of its own, with a one-type MIME database; needs GIO installed.

#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "desktop/BrowserLookup.h"
#include "desktop/KeyFile.h"

namespace {

namespace fs = std::filesystem;

double Seconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void Write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

}  // namespace

int main() {
  std::string pattern = (fs::temp_directory_path() / "tilvaro-mimeapps-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  const fs::path root = pattern;
  Write(root / "mime/mime/globs2", "50:text/x-bench-htm:*.htm\n");
  ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  ::setenv("XDG_CONFIG_DIRS", (root / "sysconfig").c_str(), 1);
  ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  ::setenv("XDG_DATA_DIRS", (root / "mime").c_str(), 1);
  const auto dirs = tilvaro::desktop::XdgDirs::FromEnvironment();

  std::printf("%10s %10s %12s %14s\n", "ids", "bytes", "seconds", "ns per id");
  for (const std::size_t ids : {10000u, 20000u, 40000u, 80000u, 120000u}) {
    std::string list = "[Default Applications]\ntext/x-bench-htm=";
    for (std::size_t i = 0; i < ids; ++i) list += "i" + std::to_string(i) + ";";
    list += "\n";
    if (list.size() > tilvaro::desktop::kMaxKeyFileBytes) break;
    Write(root / "config/mimeapps.list", list);
    double best = 1e100;
    for (int run = 0; run < 5; ++run) {
      const double before = Seconds();
      if (tilvaro::desktop::FindBrowser(dirs)) return 1;  // none of the ids is installed
      best = std::min(best, Seconds() - before);
    }
    std::printf("%10zu %10zu %12.4f %14.1f\n", ids, list.size(), best, best * 1e9 / static_cast<double>(ids));
  }
  fs::remove_all(root);
  return 0;
}
