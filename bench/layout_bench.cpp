// Open and Save of generated layouts with 10 .. 100,000 tile-set entries, against the time inih takes
// merely to parse the same file. Prints the fastest times, Open/inih at every size, and the growth of Open
// and Save per tenfold number of entries (linear growth stays near 10).
//
// Save is timed twice: the whole WriteLayoutFile (wall time; it flushes the file to disk before
// renaming it, so its small sizes are dominated by the disk) and building the same bytes in memory.
// Everything else is the CPU time of the thread (user and system, page faults included), which a
// machine shared with other work disturbs less than wall time.
//
// The whole series runs twice. First with the allocator's defaults, under which every Open of a
// large file gets fresh pages from the system and pays a page fault for each (expensive on virtual
// machines). Then with the allocator told to keep freed memory, as in a long-running program that
// opens layouts again and again; this shows the cost of the work itself.

#include <ini.h>
#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "layout/LayoutFile.h"
#include "layout/LayoutProfile.h"
#include "profile/MemoryProfile.h"

namespace {

using Clock = std::chrono::steady_clock;

tilvaro::Layout MakeLayout(int entries) {
  tilvaro::Layout layout;
  layout.attributes.name = "Benchmark";
  layout.attributes.author = "Bench";
  layout.attributes.layerCount = 4;
  layout.attributes.colourScheme = 3;
  layout.attributes.inscription = true;
  layout.attributes.tileSets.reserve(static_cast<std::size_t>(entries));
  for (int i = 0; i < entries; ++i) layout.attributes.tileSets.push_back("Kachelsatz_" + std::to_string(i));
  for (int column = 0; column < tilvaro::kColumns; column += 2) layout.cells(column, 3, 1) = 1;
  return layout;
}

double ThreadSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double WallSeconds() { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); }

// Fastest of enough calls to fill about a quarter of a second (at least 5). The fastest run is the one
// least disturbed by other work on a shared machine.
double Fastest(const std::function<void()>& call, double (*clock)() = ThreadSeconds) {
  call();  // warm caches and the allocator
  std::vector<double> times;
  const auto start = Clock::now();
  while (times.size() < 5 || (times.size() < 2000 && Clock::now() - start < std::chrono::milliseconds(250))) {
    const double before = clock();
    call();
    times.push_back(clock() - before);
  }
  return *std::min_element(times.begin(), times.end());
}

int CountEntry(void* user, const char*, const char*, const char*) {
  ++*static_cast<long*>(user);
  return 1;
}

void RunSeries(const std::filesystem::path& file, const char* title) {
  struct Row {
    int entries;
    std::uintmax_t bytes;
    double open, saveDisk, saveMemory, inih;
  };
  std::vector<Row> rows;
  for (const int entries : {10, 100, 1000, 10000, 100000}) {
    const tilvaro::Layout layout = MakeLayout(entries);
    tilvaro::WriteLayoutFile(file, layout);
    Row row{entries, std::filesystem::file_size(file), 0, 0, 0, 0};

    row.open = Fastest([&] {
      const auto result = tilvaro::ReadLayoutFile(file);
      if (result.layout.attributes.tileSets.size() != static_cast<std::size_t>(entries)) std::abort();
    });
    row.inih = Fastest([&] {
      long seen = 0;
      if (ini_parse(file.c_str(), CountEntry, &seen) != 0 || seen < entries) std::abort();
    });
    row.saveDisk = Fastest([&] { tilvaro::WriteLayoutFile(file, layout); }, WallSeconds);
    row.saveMemory = Fastest([&] {
      tilvaro::ProfileDocument document;  // as WriteLayoutFile builds it, short of writing the file
      document.Reserve(layout.attributes.tileSets.size() + 41);
      tilvaro::MemoryProfile profile(file, std::move(document));
      tilvaro::WriteLayout(profile, layout);
      if (profile.Document().Text().size() != row.bytes) std::abort();
    });
    rows.push_back(row);
  }

  std::printf("\n== %s\n", title);
  std::printf("%9s %10s %12s %12s %14s %12s %10s\n", "entries", "bytes", "Open ms", "inih ms", "Save(disk) ms",
              "Save(mem) ms", "Open/inih");
  for (const Row& r : rows) {
    std::printf("%9d %10ju %12.4f %12.4f %14.4f %12.4f %10.2f\n", r.entries, r.bytes, r.open * 1e3, r.inih * 1e3,
                r.saveDisk * 1e3, r.saveMemory * 1e3, r.open / r.inih);
  }
  std::printf("Growth per tenfold entries (linear: about 10, goal: at most 12)\n");
  std::printf("%20s %10s %12s %12s %10s\n", "entries", "Open", "Save(disk)", "Save(mem)", "inih");
  for (std::size_t i = 1; i < rows.size(); ++i) {
    std::printf("%9d -> %-9d %10.2f %12.2f %12.2f %10.2f\n", rows[i - 1].entries, rows[i].entries,
                rows[i].open / rows[i - 1].open, rows[i].saveDisk / rows[i - 1].saveDisk,
                rows[i].saveMemory / rows[i - 1].saveMemory, rows[i].inih / rows[i - 1].inih);
  }
  const Row& last = rows.back();
  std::printf("Open / inih at %d entries: %.2f (goal: at most 2)\n", last.entries, last.open / last.inih);
}

}  // namespace

int main() {
  char pattern[] = "/tmp/tilvaro-bench-XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const std::filesystem::path folder = pattern;
  const std::filesystem::path file = folder / "bench.set";

  RunSeries(file, "allocator defaults (fresh pages for every large Open)");
  ::mallopt(M_MMAP_THRESHOLD, 256 << 20);
  ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
  RunSeries(file, "allocator keeps freed memory (steady state of a long-running program)");

  std::filesystem::remove_all(folder);
  return 0;
}
