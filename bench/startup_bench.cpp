// Start-up benchmark: time from starting a program to its window being mapped and to the first
// painted frame of that window, and the program's peak memory by then, for tilvaro-editor and for
// a minimal Qt Widgets program that shows one empty window of the same size (and, for comparison,
// the same window with one line of text). All run in turn in the same session on the same display,
// so they meet the same machine load; the ratios of the medians are reported.
//
// Both moments are seen by the X server, so the programs run exactly as they would for a user
// (no logging switched on in them). The display has no window manager, so a top-level window is a
// child of the root window: the driver watches the root for windows being created and mapped, and
// puts a DAMAGE watch on every window as it is created. The mapped window is the first window
// mapped on the root after the start; the first painted frame is the first drawing into a mapped
// window (Qt creates its windows with no background, so mapping alone draws nothing). Then the
// program is stopped and its peak resident memory is taken from the kernel (wait4).
//
// Usage: startup_bench EDITOR PEER [RUNS]   (needs a display, e.g. under xvfb-run)

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "BenchTiming.h"

extern char** environ;

namespace {

using tilvaro::bench::Median;

struct Sample {
  double mappedMs;
  double paintedMs;
  double peakMegabytes;
};

// The display, whose root window is watched for windows being created and mapped.
Display* display = nullptr;
int damageEventBase = 0;

// What the X server has reported of the program's windows since its start.
struct ServerView {
  std::vector<Window> mapped;
  std::vector<Damage> watches;
  bool painted = false;

  // Reads the events that are there; stamps the first map and the first painting of a mapped window.
  void Read() {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == CreateNotify) {
        watches.push_back(XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty));
      } else if (event.type == MapNotify) {
        mapped.push_back(event.xmap.window);
      } else if (event.type == damageEventBase + XDamageNotify) {
        const auto& notify = reinterpret_cast<const XDamageNotifyEvent&>(event);
        if (std::find(mapped.begin(), mapped.end(), notify.drawable) != mapped.end()) painted = true;
      }
    }
  }

  // Drops the watches; the windows themselves go with the program.
  void Clear() {
    for (Damage watch : watches) XDamageDestroy(display, watch);
    watches.clear();
    mapped.clear();
    painted = false;
    XSync(display, False);
    DropPending();
  }

  // Drops the events that are already there: they belong to an earlier run.
  static void DropPending() {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
  }
};

constexpr int kTimeoutMs = 30000;

// A window may be gone before its watch is made or dropped (the program's short-lived windows, or
// the program killed at the end of a run); such errors are expected and not fatal.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

// A program to start: its path and at most one argument.
struct Program {
  std::string path;
  std::string argument;
};

std::optional<Sample> RunOnce(const Program& program) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string path = program.path;
  std::string argument = program.argument;
  char* argv[] = {path.data(), argument.empty() ? nullptr : argument.data(), nullptr};

  ServerView server;
  server.Clear();
  const auto start = std::chrono::steady_clock::now();
  const auto sinceStart = [&start] {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  };
  pid_t child = 0;
  const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    std::fprintf(stderr, "cannot start %s: %s\n", path.c_str(), std::strerror(spawned));
    return std::nullopt;
  }

  std::optional<double> mappedMs, paintedMs;
  int status = 0;
  rusage usage{};
  bool ended = false;
  while (!paintedMs && sinceStart() < kTimeoutMs) {
    pollfd fd = {ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, 50);
    server.Read();
    if (!mappedMs && !server.mapped.empty()) mappedMs = sinceStart();
    if (server.painted) paintedMs = sinceStart();
    if (!paintedMs && wait4(child, &status, WNOHANG, &usage) == child) {
      ended = true;
      break;
    }
  }
  if (!ended) {
    kill(child, SIGKILL);
    wait4(child, &status, 0, &usage);
  }
  server.Clear();
  if (!paintedMs || !mappedMs) {
    std::fprintf(stderr, "%s showed no mapped and painted window within %d ms\n", path.c_str(), kTimeoutMs);
    return std::nullopt;
  }
  return Sample{*mappedMs, *paintedMs, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

struct Summary {
  double mappedMs, mappedMinMs, paintedMs, paintedMinMs, peakMb;
};

Summary Summarise(const std::vector<Sample>& samples) {
  std::vector<double> mapped, painted, memory;
  for (const Sample& s : samples) {
    mapped.push_back(s.mappedMs);
    painted.push_back(s.paintedMs);
    memory.push_back(s.peakMegabytes);
  }
  return {Median(mapped), *std::min_element(mapped.begin(), mapped.end()), Median(painted),
          *std::min_element(painted.begin(), painted.end()), Median(memory)};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s EDITOR PEER [RUNS]\n", argv[0]);
    return 2;
  }
  display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "no X display to start the programs on\n");
    return 1;
  }
  int damageErrorBase = 0;
  if (!XDamageQueryExtension(display, &damageEventBase, &damageErrorBase)) {
    std::fprintf(stderr, "the X server has no DAMAGE extension to see the first frame with\n");
    return 1;
  }
  XSetErrorHandler(IgnoreError);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  // The editor, the minimal window, and the same window with one line of text. The window being
  // mapped is measured against the empty window; the first painted frame against the window with
  // text, because the first text of any Qt program has a cost of its own that the editor cannot
  // avoid.
  const std::vector<Program> programs = {{argv[1], {}}, {argv[2], {}}, {argv[2], "--text"}};
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;

  // One warm-up run each, so that all start with the libraries in the page cache.
  for (const Program& program : programs)
    if (!RunOnce(program)) return 1;
  std::vector<std::vector<Sample>> samples(programs.size());
  for (int i = 0; i < runs; ++i) {
    for (std::size_t k = 0; k < programs.size(); ++k) {
      const auto sample = RunOnce(programs[k]);
      if (!sample) return 1;
      samples[k].push_back(*sample);
    }
  }
  const Summary e = Summarise(samples[0]);
  const Summary p = Summarise(samples[1]);
  const Summary t = Summarise(samples[2]);
  const double mappedRatio = e.mappedMs / p.mappedMs;
  const double paintedRatio = e.paintedMs / t.paintedMs;
  const double extraMb = e.peakMb - p.peakMb;
  std::printf("start-up, %d alternating runs each: median (min) time to the window being mapped and to\n"
              "its first painted frame; median peak memory\n", runs);
  const auto row = [](const char* name, const Summary& s) {
    std::printf("  %-22s mapped %7.1f ms (%6.1f)  painted %7.1f ms (%6.1f)  %7.1f MB\n", name, s.mappedMs,
                s.mappedMinMs, s.paintedMs, s.paintedMinMs, s.peakMb);
  };
  row("tilvaro-editor", e);
  row("minimal window", p);
  row("minimal window + text", t);
  const auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
  constexpr double kMappedGoal = 1.30, kPaintedGoal = 1.15, kExtraMbGoal = 10.0;
  const bool mappedMet = mappedRatio <= kMappedGoal, paintedMet = paintedRatio <= kPaintedGoal;
  std::printf("  mapped, to the minimal window           %.2fx (goal <= %.2fx): %s\n", mappedRatio, kMappedGoal,
              verdict(mappedMet));
  std::printf("  painted, to the minimal window with text %.2fx (goal <= %.2fx): %s\n", paintedRatio,
              kPaintedGoal, verdict(paintedMet));
  std::printf("  extra memory %.1f MB (goal <= %.0f MB): %s\n", extraMb, kExtraMbGoal, verdict(extraMb <= kExtraMbGoal));
  std::printf("  for comparison: mapped %.2fx to the window with text, painted %.2fx to the minimal window\n",
              e.mappedMs / t.mappedMs, e.paintedMs / p.paintedMs);
  XCloseDisplay(display);
  return mappedMet && paintedMet && extraMb <= kExtraMbGoal ? 0 : 3;
}
