// The browser look-up against a hostile mimeapps.list: the user's list names N distinct ids for
// the web-page type (none of them installed, so every one is looked at), for N from 10,000 to
// 120,000 short ids (850 KB, within the read limit of one file). Prints the fastest of several
// look-ups for each N and the time per id; a look-up linear in the ids keeps that flat as N grows.
//
// Runs in the tests' temporary XDG folders (tests/support/XdgSandbox.h), whose MIME database gives
// .htm a type of its own; needs GIO installed.

#include <cstdio>
#include <string>

#include "BenchTiming.h"
#include "XdgSandbox.h"
#include "desktop/BrowserLookup.h"
#include "desktop/KeyFile.h"

int main() {
  auto& sandbox = tilvaro::test::XdgSandbox::Instance();
  const auto dirs = tilvaro::desktop::XdgDirs::FromEnvironment();

  std::printf("%10s %10s %12s %14s\n", "ids", "bytes", "seconds", "ns per id");
  for (const std::size_t ids : {10000u, 20000u, 40000u, 80000u, 120000u}) {
    std::string names;
    for (std::size_t i = 0; i < ids; ++i) names.append("i").append(std::to_string(i)).append(";");
    const std::string list = tilvaro::test::XdgSandbox::Defaults(names);
    if (list.size() > tilvaro::desktop::kMaxKeyFileBytes) break;
    sandbox.UserList(list);
    bool found = false;
    const double best = tilvaro::bench::Fastest(5, [&] {
      if (tilvaro::desktop::FindBrowser(dirs)) found = true;
    });
    if (found) return 1;  // none of the ids is installed
    std::printf("%10zu %10zu %12.4f %14.1f\n", ids, list.size(), best, best * 1e9 / static_cast<double>(ids));
  }
  return 0;
}
