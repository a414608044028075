// bench_fleet: k470ctl downloading one settings file to N virtual readers at
// once, for N = 1, 2, 4, 8, 16 and 64. The protocol's own pauses make one
// download take seconds; run in parallel, N readers should take hardly longer
// than one, and the work k470ctl does should grow no faster than N.
//
// The readers are one k470sim process serving N ptys; k470ctl runs as the
// program a user would start, so its CPU time (from wait4) is its own, and
// its threads and descriptors are sampled from /proc while it runs.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/app_state.h"
#include "core/defaults.h"
#include "core/settings_file.h"

namespace k470 {
namespace {

namespace fs = std::filesystem;
using Steady = std::chrono::steady_clock;

constexpr int kCounts[] = {1, 2, 4, 8, 16, 64};
constexpr double kTarget8 = 1.2;
constexpr double kTarget64 = 1.5;

struct Run {
  double wall_ms = 0;
  double cpu_ms = 0;
  int peak_threads = 0;
  int peak_fds = 0;
  int exit_code = -1;
};

// A running k470sim and the devices it serves.
struct Sim {
  pid_t pid = -1;
  std::vector<std::string> devices;
};

Sim StartSim(int count) {
  Sim sim;
  int out[2];
  if (::pipe(out) != 0) return sim;
  sim.pid = ::fork();
  if (sim.pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    const std::string n = std::to_string(count);
    ::execl(K470SIM_PATH, K470SIM_PATH, "--count", n.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  // One device per line, all of them once every reader serves.
  std::string text;
  char buf[4096];
  while (static_cast<int>(std::count(text.begin(), text.end(), '\n')) < count) {
    const ssize_t n = ::read(out[0], buf, sizeof buf);
    if (n <= 0) break;
    text.append(buf, static_cast<std::size_t>(n));
  }
  ::close(out[0]);
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    sim.devices.push_back(text.substr(at, end - at));
  }
  return sim;
}

void StopSim(Sim& sim) {
  if (sim.pid > 0 && ::kill(sim.pid, SIGTERM) == 0) ::waitpid(sim.pid, nullptr, 0);
  sim.pid = -1;
}

int CountOf(const std::string& dir) {
  std::error_code ec;
  int n = 0;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) ++n;
  return n;
}

int ThreadsOf(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("Threads:")) return std::atoi(line.c_str() + 8);
  }
  return 0;
}

Run Download(const std::vector<std::string>& devices, const std::string& file,
             const std::string& clock) {
  std::vector<std::string> args = {K470CTL_PATH};
  for (const std::string& d : devices) args.insert(args.end(), {"--port", d});
  args.insert(args.end(), {"download", file, "--clock", clock});
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  Run run;
  const auto start = Steady::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  const std::string fd_dir = "/proc/" + std::to_string(pid) + "/fd";
  int status = 0;
  rusage usage{};
  for (;;) {
    run.peak_threads = std::max(run.peak_threads, ThreadsOf(pid));
    run.peak_fds = std::max(run.peak_fds, CountOf(fd_dir));
    if (::wait4(pid, &status, WNOHANG, &usage) == pid) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  run.wall_ms = std::chrono::duration<double, std::milli>(Steady::now() - start).count();
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  run.cpu_ms = ms(usage.ru_utime) + ms(usage.ru_stime);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

int Main(int argc, char** argv) {
  int repeat = 3;
  std::string clock = "auto";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--repeat" && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--clock" && i + 1 < argc) {
      clock = argv[++i];
    } else {
      std::fprintf(arg == "--help" ? stdout : stderr,
                   "usage: bench_fleet [--repeat N] [--clock auto|skip]\n"
                   "  --repeat N  runs for each number of readers; the figures are means (3)\n"
                   "  --clock     what k470ctl download does with the readers' clocks (auto)\n");
      return arg == "--help" ? 0 : 2;
    }
  }
  const fs::path dir = fs::temp_directory_path() / ("bench_fleet_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string file = (dir / "settings.K470").string();
  AppState state;
  New(state);
  if (!WriteSettingsFile(state.image, file)) {
    std::fprintf(stderr, "bench_fleet: cannot write %s\n", file.c_str());
    return 1;
  }

  std::printf("bench_fleet: k470ctl download to N virtual readers at once (--clock %s)\n",
              clock.c_str());
  std::printf("runs:   %d for each N; wall and cpu are means in ms, cpu is k470ctl's user+system\n",
              repeat);
  std::printf("peaks:  k470ctl's threads and open descriptors, sampled every 2 ms\n\n");
  std::printf("%4s %10s %7s %9s %11s %8s %5s %6s\n", "N", "wall", "ratio", "cpu", "cpu/reader",
              "threads", "fds", "exit");
  double base_wall = 0;
  double ratio8 = 0, ratio64 = 0;
  bool all_ok = true;
  for (int n : kCounts) {
    Sim sim = StartSim(n);
    if (static_cast<int>(sim.devices.size()) != n) {
      std::fprintf(stderr,
                   "bench_fleet: k470sim --count %d did not start (see the open-file and "
                   "pty limits: ulimit -n, /proc/sys/kernel/pty/max)\n",
                   n);
      StopSim(sim);
      all_ok = false;
      break;
    }
    Run sum;
    int worst_exit = 0;
    for (int r = 0; r < repeat; ++r) {
      const Run run = Download(sim.devices, file, clock);
      sum.wall_ms += run.wall_ms;
      sum.cpu_ms += run.cpu_ms;
      sum.peak_threads = std::max(sum.peak_threads, run.peak_threads);
      sum.peak_fds = std::max(sum.peak_fds, run.peak_fds);
      if (run.exit_code != 0) worst_exit = run.exit_code;
    }
    StopSim(sim);
    const double wall = sum.wall_ms / repeat, cpu = sum.cpu_ms / repeat;
    if (n == 1) base_wall = wall;
    const double ratio = wall / base_wall;
    if (n == 8) ratio8 = ratio;
    if (n == 64) ratio64 = ratio;
    all_ok = all_ok && worst_exit == 0;
    std::printf("%4d %10.1f %7.3f %9.1f %11.2f %8d %5d %6d\n", n, wall, ratio, cpu, cpu / n,
                sum.peak_threads, sum.peak_fds, worst_exit);
    std::fflush(stdout);
  }
  fs::remove_all(dir);
  std::printf("\ntargets: N=8 within %.1fx of N=1: %.3f (%s); N=64 within %.1fx: %.3f (%s)%s\n",
              kTarget8, ratio8, ratio8 > 0 && ratio8 <= kTarget8 ? "met" : "missed", kTarget64,
              ratio64, ratio64 > 0 && ratio64 <= kTarget64 ? "met" : "missed",
              all_ok ? "" : "; some downloads failed (exit column)");
  return 0;
}

}  // namespace
}  // namespace k470

int main(int argc, char** argv) { return k470::Main(argc, argv); }
