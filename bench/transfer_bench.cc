// bench_transfer: how long a settings download and read-back take over a
// pseudo-terminal, how much of that the protocol's own pauses account for,
// and how much CPU the host spends meanwhile.
//
// The virtual reader runs in a child process, forked before any thread
// exists, so this process's CPU time is the host's alone.
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "bench/reader_process.h"
#include "core/settings_image.h"
#include "link/clock.h"
#include "link/posix_serial_port.h"
#include "link/progress.h"
#include "link/reader_link.h"
#include "link/serial_port.h"
#include "link/settings_transfer.h"

namespace k470 {
namespace {

// Pauses the link takes by rule, in ms: after a completed download, and
// before each confirmed line when the line runs at 600 baud.
constexpr double kAfterDownloadMs = 1000.0;
constexpr double kSlowLinePauseMs = 30.0;
constexpr int kConfirmedLinesInDownload = kBlockCount + 1;  // 40 block lines and UPDATE
constexpr int kConfirmedLinesInReadBack = 1;                // UPDATE
constexpr double kCpuTargetPercent = 2.0;
constexpr double kOverheadTargetMs = 50.0;

struct Options {
  int baud = 0;  // 0: full pseudo-terminal speed
  int repeat = 5;
};

void Usage(FILE* out) {
  std::fprintf(out,
               "usage: bench_transfer [--baud N] [--repeat N]\n"
               "  --baud N    the reader answers no faster than N baud (10 bits a byte) and the\n"
               "              host uses N in its line settings; 0 (default): full pty speed\n"
               "  --repeat N  runs of each operation to average (default 5)\n");
}

bool ParseInt(const char* text, int& value) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < 0 || v > 10'000'000) return false;
  value = static_cast<int>(v);
  return true;
}

// A steady clock that adds up the pauses the link code asks for.
class PauseCountingClock : public Clock {
 public:
  Millis Now() override { return SteadyClock().Now(); }
  void SleepFor(Millis duration) override {
    slept_ += duration;
    SteadyClock().SleepFor(duration);
  }
  Millis TakeSlept() { return std::exchange(slept_, Millis(0)); }

 private:
  Millis slept_{0};
};

double CpuMs(clockid_t id) {
  timespec t{};
  ::clock_gettime(id, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double WallMs() {
  return std::chrono::duration<double, std::milli>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

struct Figures {
  double wall = 0, slept = 0, cpu = 0, thread_cpu = 0, wall_max = 0;
  void Add(const Figures& f) {
    wall += f.wall;
    slept += f.slept;
    cpu += f.cpu;
    thread_cpu += f.thread_cpu;
    wall_max = std::max(wall_max, f.wall);
  }
};

void Print(const char* name, const Figures& sum, int runs, double pauses, double wire,
           bool full_speed) {
  const double wall = sum.wall / runs;
  const double cpu = sum.cpu / runs;
  const double overhead = wall - pauses - wire;
  const double percent = wall > 0 ? 100.0 * cpu / wall : 0.0;
  std::printf("%-10s %9.1f %9.1f %9.1f %9.1f %11.1f %8.2f %8.2f %%  %s%s\n", name, wall,
              sum.wall_max, pauses, wire, overhead, cpu, percent,
              percent < kCpuTargetPercent ? "cpu ok" : "cpu OVER",
              !full_speed                    ? ""
              : overhead < kOverheadTargetMs ? ", overhead ok"
                                             : ", overhead OVER");
  const double slept = sum.slept / runs;
  if (std::abs(slept - pauses) > 0.5) {
    std::printf("%-10s note: the link slept %.1f ms per run, not the %.1f ms of fixed pauses\n", "",
                slept, pauses);
  }
}

int Main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      Usage(stdout);
      return 0;
    }
    if ((arg == "--baud" || arg == "--repeat") && i + 1 < argc) {
      int& target = arg == "--baud" ? o.baud : o.repeat;
      if (ParseInt(argv[++i], target)) continue;
    }
    Usage(stderr);
    return 2;
  }
  if (o.repeat < 1) o.repeat = 1;

  // The host's line settings: the baud index of --baud when the table has it.
  LineSettings settings;
  for (int index = 0; o.baud > 0 && BaudRateOfIndex(index) != 0; ++index) {
    if (BaudRateOfIndex(index) == o.baud) settings.baud_index = index;
  }
  const int host_baud = BaudRateOfIndex(settings.baud_index);

  ReaderProcess reader;
  if (!reader.Start(o.baud)) return 1;

  PosixSerialPort port;
  PauseCountingClock clock;
  ReaderLink link(port, clock);
  NullProgress progress;

  SettingsImage image;
  for (std::size_t i = 0; i < kImageSize; ++i) image.SetByte(i, static_cast<std::uint8_t>(i * 37));

  Figures download_sum, readback_sum;
  auto measure = [&](auto&& operation, Figures& sum) -> bool {
    if (!link.OpenReaderPort(reader.device(), settings)) {
      std::fprintf(stderr, "bench_transfer: cannot open %s: %s\n", reader.device().c_str(),
                   port.last_error().c_str());
      return false;
    }
    clock.TakeSlept();
    const double wall0 = WallMs();
    const double cpu0 = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
    const double thread0 = CpuMs(CLOCK_THREAD_CPUTIME_ID);
    const bool ok = operation();
    Figures f;
    f.thread_cpu = CpuMs(CLOCK_THREAD_CPUTIME_ID) - thread0;
    f.cpu = CpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    f.wall = WallMs() - wall0;
    f.slept = static_cast<double>(clock.TakeSlept().count());
    sum.Add(f);
    return ok;
  };

  for (int run = 0; run < o.repeat; ++run) {
    if (!measure([&] { return DownloadImage(link, image, progress); }, download_sum)) {
      std::fprintf(stderr, "bench_transfer: download %d failed\n", run + 1);
      return 1;
    }
    SettingsImage back;
    if (!measure([&] { return ReadBackImage(link, back, progress); }, readback_sum)) {
      std::fprintf(stderr, "bench_transfer: read-back %d failed\n", run + 1);
      return 1;
    }
    if (back != image) {
      std::fprintf(stderr, "bench_transfer: read-back %d differs from the download\n", run + 1);
      return 1;
    }
  }
  const pid_t reader_pid = reader.pid();
  reader.Stop();

  const bool full_speed = o.baud == 0;
  const double line_pause = host_baud == 600 ? kSlowLinePauseMs : 0.0;
  // The time the host must wait for the paced replies: from the first to the
  // last byte of each, plus the last byte's own time where the reader cannot
  // start its next reply before it and no pause of the host hides it.
  const double byte_ms = full_speed ? 0.0 : 10.0 * 1000.0 / o.baud;
  auto wire_ms = [&](int replies, int bytes_each, int followed_by_request, int followed_by_line) {
    return replies * (bytes_each - 1) * byte_ms + followed_by_request * byte_ms +
           followed_by_line * std::max(0.0, byte_ms - line_pause);
  };
  // Download: 41 "ACK\r", each but the last followed by a confirmed line.
  const double download_wire = wire_ms(kBlockCount + 1, 4, 0, kBlockCount);
  // Read-back: 40 blocks of 33 bytes (39 followed by a request, the last by
  // UPDATE), then "ACK\r".
  const double readback_wire = wire_ms(kBlockCount, 33, kBlockCount - 1, 1) + wire_ms(1, 4, 0, 0);

  std::printf("bench_transfer: settings download and read-back over a pseudo-terminal\n");
  std::printf(
      "reader: VirtualReader in child process %d, replies %s\n", static_cast<int>(reader_pid),
      full_speed ? "at full pty speed" : ("paced at " + std::to_string(o.baud) + " baud").c_str());
  std::printf("host:   PosixSerialPort + ReaderLink, line settings %d baud, steady clock\n",
              host_baud);
  std::printf("cpu:    this process's CPU time (the host alone; the reader runs in the child)\n");
  std::printf("runs:   %d of each; figures are means in ms, max is the slowest wall time\n\n",
              o.repeat);
  std::printf("%-10s %9s %9s %9s %9s %11s %8s %10s\n", "operation", "wall", "max", "pauses", "wire",
              "overhead", "cpu", "cpu/wall");
  Print("download", download_sum, o.repeat,
        kAfterDownloadMs + line_pause * kConfirmedLinesInDownload, download_wire, full_speed);
  Print("read-back", readback_sum, o.repeat, line_pause * kConfirmedLinesInReadBack, readback_wire,
        full_speed);
  std::printf(
      "\npauses:   fixed pauses the protocol mandates (1000 ms after a download; 30 ms\n"
      "          before each confirmed line at 600 baud)\n"
      "wire:     time the host waits for the reader's paced replies (0 at full speed)\n"
      "overhead: wall - pauses - wire\n"
      "targets:  cpu/wall under %.0f %%; overhead under %.0f ms at full pty speed\n"
      "          (a read-back at full speed never waits, so its cpu/wall is the share of\n"
      "          its few milliseconds that the host spends on the exchange itself)\n",
      kCpuTargetPercent, kOverheadTargetMs);
  std::printf("host thread cpu (CLOCK_THREAD_CPUTIME_ID): download %.2f ms, read-back %.2f ms\n",
              download_sum.thread_cpu / o.repeat, readback_sum.thread_cpu / o.repeat);
  return 0;
}

}  // namespace
}  // namespace k470

int main(int argc, char** argv) { return k470::Main(argc, argv); }
