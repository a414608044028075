// What the k470ctl end-to-end suites share: the real program against the
// k470sim program on a pseudo-terminal, each in a process of its own. The
// reader's side is observed through the sim's image files and its log of
// received lines.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

namespace k470::e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Exit codes as k470ctl documents them in its help.
inline constexpr int kOk = 0, kReaderError = 1, kUsageError = 2, kPortError = 3, kFileError = 4;

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Starts `argv` with stdout and stderr going to files, and stdin coming from
// the file `in` when one is named. The arguments reach the program as they
// are; no shell sees them.
inline pid_t Spawn(std::vector<std::string> argv, const std::string& out, const std::string& err,
                   const std::string& in = "") {
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
    ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
    if (!in.empty()) ::dup2(::open(in.c_str(), O_RDONLY), STDIN_FILENO);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  return pid;
}

template <typename Done>
inline bool WaitFor(Done done) {  // for ten seconds at most, which only a failing test reaches
  for (int i = 0; i < 1000 && !done(); ++i) std::this_thread::sleep_for(10ms);
  return done();
}

// 640 bytes that differ per seed and use every hex digit; bytes 638-639 hold
// the low 8 bits of the sum of bytes 0-637 and its complement when `pair` is set.
inline std::string Image(unsigned seed, bool pair) {
  std::string image(640, '\0');
  unsigned sum = 0;
  for (std::size_t i = 0; i < 638; ++i) {
    image[i] = static_cast<char>(i * 53 + seed * 29 + (i >> 7));
    sum += static_cast<unsigned char>(image[i]);
  }
  image[638] = static_cast<char>(pair ? sum & 0xFF : 0);
  image[639] = static_cast<char>(pair ? ~sum & 0xFF : 0);
  return image;
}

class K470ctlWithSim : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("k470e2e_" + std::to_string(::getpid()));
    ASSERT_TRUE(fs::create_directories(dir_)) << dir_;
    // Keeps k470ctl away from the remembered port of whoever runs the tests.
    ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    // The sim stands where udev puts a reader's stable name, which is long.
    reader_ =
        Path("dev/serial/by-id/usb-K470_UHF_RFID_Reader_K471-" +
             std::string(std::max<std::size_t>(10, 190 - dir_.string().size()), '0') + "-if00");
    fs::create_directories(fs::path(reader_).parent_path());
    ASSERT_GE(reader_.size(), 200u);
  }

  void TearDown() override {
    StopSim();
    fs::remove_all(dir_);
  }

  // Starts k470sim (stopping an earlier one) with `options`, serving `count`
  // readers, logging what it receives, and waits for their links to the ptys.
  void StartSim(std::vector<std::string> options, int count = 1) {
    StopSim();
    options.insert(options.begin(), {K470SIM_PATH, "--link", reader_, "--verbose", "--count",
                                     std::to_string(count)});
    sims_.push_back(Spawn(options, Path("sim.out"), Path("sim.err")));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(Nth(reader_, count, count)); })) << SimLog();
  }

  // What k470sim --count makes of `path` for reader k of `count`: the path
  // itself for one reader, else PATH-k (links and image files alike).
  static std::string Nth(const std::string& path, int k, int count) {
    return count == 1 ? path : path + "-" + std::to_string(k);
  }

  // Remembers `line` as the .ini file of the configuration folder.
  void WriteIni(const std::string& line) {
    fs::create_directories(dir_ / "config/K470Configuration");
    WriteFile(Path("config/K470Configuration/K470Configuration.ini"), line);
  }

  void StopSim() {
    for (const pid_t pid : sims_) {
      if (::kill(pid, SIGTERM) == 0) ::waitpid(pid, nullptr, 0);
    }
    sims_.clear();
  }

  std::string SimLog() const { return ReadFile(Path("sim.err")); }

  // Whether the sim received a line starting with `text`, CR written as \r.
  bool SimGot(const std::string& text) const {
    return WaitFor([&] { return SimLog().find("k470sim: < " + text) != std::string::npos; });
  }

  // Starts k470ctl, with --port set to the sim unless `port` is false; its
  // stdout goes to `out` (ctl.out when empty), its stderr to ctl.err, and
  // its stdin comes from `in` when that is given.
  pid_t StartCtl(std::vector<std::string> args, bool port = true, const std::string& out = "",
                 const std::string& in = "") {
    if (port) args.insert(args.begin(), {"--port", reader_});
    args.insert(args.begin(), K470CTL_PATH);
    return Spawn(args, out.empty() ? Path("ctl.out") : out, Path("ctl.err"), in);
  }

  // Waits for a k470ctl started by StartCtl and returns its exit code; out_
  // and err_ get what it printed.
  int Finish(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    out_ = ReadFile(Path("ctl.out"));
    err_ = ReadFile(Path("ctl.err"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Runs k470ctl to its end; see StartCtl and Finish.
  int Ctl(std::vector<std::string> args, bool port = true) {
    return Finish(StartCtl(std::move(args), port));
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // A reader in USB port `n` as sysfs shows it under sys/, its tty `tty`;
  // UsbRoots() points k470ctl there and at dev/.
  void UsbReader(const std::string& tty, int n) {
    const fs::path usb = dir_ / ("sys/devices/usb1/1-" + std::to_string(n));
    fs::create_directories(usb / "1.0/tty" / tty);
    WriteFile((usb / "idVendor").string(), K470_USB_VENDOR_ID "\n");
    WriteFile((usb / "idProduct").string(), "0001\n");
    fs::create_directory_symlink("../..", usb / "1.0/tty" / tty / "device");
    fs::create_directories(dir_ / "sys/class/tty");
    fs::create_directory_symlink(usb / "1.0/tty" / tty, dir_ / "sys/class/tty" / tty);
  }
  std::vector<std::string> UsbRoots(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--sysfs-root", Path("sys"), "--dev-root", Path("dev")});
    return args;
  }

  fs::path dir_;
  std::string reader_;       // the sim's link
  std::vector<pid_t> sims_;  // every k470sim running
  std::string out_, err_;
};

}  // namespace k470::e2e
