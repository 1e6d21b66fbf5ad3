// Thumbnail benchmark: a file manager starts one thumbnailer process per file, so what counts is
// the whole run from process start to the PNG written. Times `tilvaro-layout render LAYOUT -o
// OUT.png --size 128` against blank_png, a minimal program linking the same Qt module that writes a
// blank 128 x 128 PNG. Both run alternately, so they meet the same machine load; the median and the
// fastest run of each and the ratio of the medians are printed. Goal: ratio <= 1.5.
//
// Usage: render_bench TILVARO_LAYOUT BLANK_PNG LAYOUT [RUNS]   (RUNS default 20)

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchTiming.h"

extern char** environ;

namespace {

using tilvaro::bench::Median;

// Wall-clock milliseconds from spawning the program to its successful end; negative on failure.
double RunOnce(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "usage: render_bench TILVARO_LAYOUT BLANK_PNG LAYOUT [RUNS]\n");
    return 2;
  }
  const int runs = argc == 5 ? std::max(1, std::atoi(argv[4])) : 20;
  const std::string folder = (std::filesystem::temp_directory_path() / ("render_bench." + std::to_string(getpid()))).string();
  std::filesystem::create_directory(folder);
  const std::string renderOut = folder + "/render.png", blankOut = folder + "/blank.png";

  std::vector<double> render, blank;
  // One unmeasured run of each first, so both start with warm caches.
  for (int run = -1; run < runs; ++run) {
    const double r = RunOnce({argv[1], "render", argv[3], "-o", renderOut, "--size", "128"});
    const double b = RunOnce({argv[2], blankOut});
    if (r < 0 || b < 0) {
      std::fprintf(stderr, "render_bench: a run failed\n");
      std::filesystem::remove_all(folder);
      return 1;
    }
    if (run < 0) continue;
    render.push_back(r);
    blank.push_back(b);
  }
  std::filesystem::remove_all(folder);
  const double ratio = Median(render) / Median(blank);
  std::printf("%d runs each, from process start to PNG written:\n", runs);
  std::printf("  tilvaro-layout render --size 128: median %7.2f ms, fastest %7.2f ms\n", Median(render),
              *std::min_element(render.begin(), render.end()));
  std::printf("  blank 128 x 128 PNG (QtGui):      median %7.2f ms, fastest %7.2f ms\n", Median(blank),
              *std::min_element(blank.begin(), blank.end()));
  std::printf("  ratio of the medians: %.2f (goal <= 1.50)\n", ratio);
  return 0;
}
