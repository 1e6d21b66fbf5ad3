// Start-up benchmark: time from starting a program to its window being mapped and to the first
// painted frame of that window, and the program's peak memory by then, for tilvaro-editor and for
// a minimal Qt Widgets program that shows one empty window of the same size. Both run alternately
// in the same session on the same display, so they meet the same machine load; the ratios of the
// medians are reported.
//
// The mapped window is seen by the X server: the first window mapped on the root window after the
// start (the display has no window manager, so a top-level window is a child of the root). The
// first painted frame is read from Qt's own widget-painting log: the first "Flushing" of the
// top-level window's region to the screen. The log is switched on for both programs alike, so its
// small cost falls on both. After that line the program is stopped and its peak resident memory
// is taken from the kernel (wait4).
//
// Usage: startup_bench EDITOR PEER [RUNS]   (needs a display, e.g. under xvfb-run)

#include <X11/Xlib.h>
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

extern char** environ;

namespace {

struct Sample {
  double mappedMs;
  double paintedMs;
  double peakMegabytes;
};

// The display's root window, watched for windows being mapped on it.
Display* display = nullptr;

// Drops the events that are already there: they belong to an earlier run.
void DrainMapEvents() {
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

// Whether a window was mapped on the root since the last call.
bool WindowMapped() {
  bool mapped = false;
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify) mapped = true;
  }
  return mapped;
}

constexpr char kFirstFrameMarker[] = "qt.widgets.painting: Flushing QRegion";
constexpr int kTimeoutMs = 30000;

std::optional<Sample> RunOnce(const std::string& program) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;

  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (std::strncmp(*entry, "QT_LOGGING_RULES=", 17) != 0) environment.emplace_back(*entry);
  }
  environment.emplace_back("QT_LOGGING_RULES=qt.widgets.painting=true");
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};

  DrainMapEvents();
  const auto start = std::chrono::steady_clock::now();
  const auto sinceStart = [&start] {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  };
  pid_t child = 0;
  const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(spawned));
    return std::nullopt;
  }

  std::string pending;
  std::optional<double> mappedMs, firstFrameMs;
  char buffer[4096];
  bool logOpen = true;
  while (!firstFrameMs || !mappedMs) {
    pollfd fds[2] = {{pipeFds[0], static_cast<short>(logOpen ? POLLIN : 0), 0},
                     {ConnectionNumber(display), POLLIN, 0}};
    if (poll(fds, 2, kTimeoutMs) <= 0) break;
    if (!mappedMs && WindowMapped()) mappedMs = sinceStart();
    if (!(fds[0].revents & (POLLIN | POLLHUP))) continue;
    const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
    if (got <= 0) {
      logOpen = false;
      if (!mappedMs) break;
      continue;
    }
    pending.append(buffer, static_cast<std::size_t>(got));
    if (!firstFrameMs && pending.find(kFirstFrameMarker) != std::string::npos) firstFrameMs = sinceStart();
    // Keep only the tail, which may hold the start of the marker.
    if (pending.size() > 2 * sizeof kFirstFrameMarker) pending.erase(0, pending.size() - sizeof kFirstFrameMarker);
  }
  kill(child, SIGKILL);
  close(pipeFds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!firstFrameMs || !mappedMs) {
    std::fprintf(stderr, "%s showed no mapped and painted window within %d ms\n", program.c_str(), kTimeoutMs);
    return std::nullopt;
  }
  return Sample{*mappedMs, *firstFrameMs, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
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
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const std::string editor = argv[1];
  const std::string peer = argv[2];
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;

  // One warm-up run each, so that both start with the libraries in the page cache.
  if (!RunOnce(editor) || !RunOnce(peer)) return 1;
  std::vector<Sample> editorSamples, peerSamples;
  for (int i = 0; i < runs; ++i) {
    const auto e = RunOnce(editor);
    const auto p = RunOnce(peer);
    if (!e || !p) return 1;
    editorSamples.push_back(*e);
    peerSamples.push_back(*p);
  }
  const Summary e = Summarise(editorSamples);
  const Summary p = Summarise(peerSamples);
  const double mappedRatio = e.mappedMs / p.mappedMs;
  const double paintedRatio = e.paintedMs / p.paintedMs;
  const double extraMb = e.peakMb - p.peakMb;
  std::printf("start-up, %d alternating runs each: median (min) time to the window being mapped and to\n"
              "its first painted frame; median peak memory\n", runs);
  std::printf("  %-16s mapped %7.1f ms (%6.1f)  painted %7.1f ms (%6.1f)  %7.1f MB\n", "tilvaro-editor",
              e.mappedMs, e.mappedMinMs, e.paintedMs, e.paintedMinMs, e.peakMb);
  std::printf("  %-16s mapped %7.1f ms (%6.1f)  painted %7.1f ms (%6.1f)  %7.1f MB\n", "minimal window",
              p.mappedMs, p.mappedMinMs, p.paintedMs, p.paintedMinMs, p.peakMb);
  const auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
  std::printf("  ratio to mapped window  %.2fx (goal <= 1.30x): %s\n", mappedRatio, verdict(mappedRatio <= 1.3));
  std::printf("  ratio to painted frame  %.2fx (goal <= 1.30x): %s\n", paintedRatio, verdict(paintedRatio <= 1.3));
  std::printf("  extra memory %.1f MB (goal <= 10 MB): %s\n", extraMb, verdict(extraMb <= 10.0));
  XCloseDisplay(display);
  return mappedRatio <= 1.3 && paintedRatio <= 1.3 && extraMb <= 10.0 ? 0 : 3;
}
