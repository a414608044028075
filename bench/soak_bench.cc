// bench_soak: many download and read-back cycles of random settings images
// against a virtual reader, to show that nothing fails and nothing grows:
// failures, the host's descriptors and resident memory, and the time a cycle
// takes.
#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "bench/reader_process.h"
#include "core/checksum.h"
#include "link/clock.h"
#include "link/posix_serial_port.h"
#include "link/progress.h"
#include "link/reader_link.h"
#include "link/settings_transfer.h"

namespace k470 {
namespace {

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = ::opendir("/proc/self/fd")) {
    while (const dirent* entry = ::readdir(dir)) count += entry->d_name[0] != '.';
    ::closedir(dir);
  }
  return count - 1;  // the directory's own
}

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

int Main(int argc, char** argv) {
  int cycles = 1000;
  if (argc == 3 && std::string_view(argv[1]) == "--cycles") cycles = std::atoi(argv[2]);
  if (cycles < 1 || (argc != 1 && argc != 3)) {
    std::fprintf(stderr, "usage: bench_soak [--cycles N]   (default 1000)\n");
    return 2;
  }

  ReaderProcess reader;
  if (!reader.Start(0)) return 1;
  PosixSerialPort port;
  ReaderLink link(port, SteadyClock());
  NullProgress progress;
  std::mt19937 random(470);

  // The first cycles settle the allocator; growth is measured from then on.
  const int settle = std::min(10, cycles);
  int failures = 0, fds_settled = 0, fds_max = 0;
  long rss_settled = 0, rss_max = 0;
  double slowest = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int cycle = 1; cycle <= cycles; ++cycle) {
    const auto cycle_start = std::chrono::steady_clock::now();
    SettingsImage image;
    for (auto& b : image.bytes()) b = static_cast<std::uint8_t>(random());
    bool ok = link.OpenReaderPort(reader.device(), LineSettings{}) &&
              DownloadImage(link, image, progress);
    port.Close();
    SettingsImage back;
    ok = ok && link.OpenReaderPort(reader.device(), LineSettings{}) &&
         ReadBackImage(link, back, progress);
    port.Close();
    StoreChecksumPair(image);
    if (!ok || back != image) {
      ++failures;
      std::fprintf(stderr, "bench_soak: cycle %d failed\n", cycle);
    }
    slowest = std::max(slowest, Seconds(std::chrono::steady_clock::now() - cycle_start));
    if (cycle == settle) {
      fds_settled = OpenDescriptors();
      rss_settled = ResidentKiB();
    }
    fds_max = std::max(fds_max, OpenDescriptors());
    rss_max = std::max(rss_max, ResidentKiB());
    // Resident memory along the way tells a leak (steady growth) from the
    // allocator settling (a few steps, then flat).
    if (cycle % 100 == 0) {
      std::fprintf(stderr, "bench_soak: %d cycles, %ld KiB resident, %d descriptors\n", cycle,
                   ResidentKiB(), OpenDescriptors());
    }
  }
  const double total = Seconds(std::chrono::steady_clock::now() - start);
  reader.Stop();

  std::printf("bench_soak: %d download and read-back cycles of random images, full pty speed\n",
              cycles);
  std::printf("failures:        %d (target 0)\n", failures);
  std::printf("descriptors:     %d after %d cycles, at most %d (target: flat)\n", fds_settled,
              settle, fds_max);
  std::printf("resident memory: %ld KiB after %d cycles, at most %ld KiB (growth %ld KiB)\n",
              rss_settled, settle, rss_max, rss_max - rss_settled);
  std::printf(
      "time per cycle:  %.3f s mean, %.3f s slowest (1 s of it the pause after a "
      "download)\n",
      total / cycles, slowest);
  return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace k470

int main(int argc, char** argv) { return k470::Main(argc, argv); }
