// k470sim: serves a virtual reader on a pseudo-terminal until SIGINT/SIGTERM.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "link/tracing_port.h"
#include "sim/image_file.h"
#include "sim/program_options.h"
#include "sim/pty_reader.h"

namespace {

using k470::SettingsImage;
using k470::sim::ImageLoad;
using k470::sim::ProgramOptions;

bool LoadImage(const std::string& path, SettingsImage& image) {
  if (path.empty()) return true;
  switch (k470::sim::LoadImageFile(path, image)) {
    case ImageLoad::kLoaded:
      std::cerr << "k470sim: image loaded from " << path << "\n";
      return true;
    case ImageLoad::kMissing:
      return true;  // created at the first save
    case ImageLoad::kUnreadable:
      break;
  }
  std::cerr << "k470sim: " << path << " is not a readable settings image\n";
  return false;
}

void SaveImages(const ProgramOptions& options, const SettingsImage& current,
                const SettingsImage& user) {
  if (!options.image_file.empty() && !k470::sim::SaveImageFile(options.image_file, current)) {
    std::cerr << "k470sim: cannot save " << options.image_file << "\n";
  }
  if (!options.user_image_file.empty() &&
      !k470::sim::SaveImageFile(options.user_image_file, user)) {
    std::cerr << "k470sim: cannot save " << options.user_image_file << "\n";
  }
}

bool MakeLink(const std::string& link, const std::string& target) {
  namespace fs = std::filesystem;
  std::error_code ec;
  // Only an old link is replaced; a real file at that path is the user's.
  if (fs::is_symlink(fs::symlink_status(link, ec))) fs::remove(link, ec);
  fs::create_symlink(target, link, ec);
  if (ec) std::cerr << "k470sim: cannot link " << link << ": " << ec.message() << "\n";
  return !ec;
}

}  // namespace

int main(int argc, char** argv) {
  ProgramOptions options;
  if (auto status = k470::sim::ParseProgramOptions(argc, argv, options, std::cout, std::cerr)) {
    return *status;
  }
  if (!LoadImage(options.image_file, options.reader.current_image) ||
      !LoadImage(options.user_image_file, options.reader.user_image)) {
    return 1;
  }

  // The signals are taken by sigwait below; the server thread inherits the mask.
  // SIGUSR1 is the server thread telling main that the reader vanished.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  k470::sim::PtyReader::Observers observers;
  if (options.verbose) {
    observers.line = [](std::string_view line) {
      std::cerr << "k470sim: < " << k470::PrintableBytes(std::string(line)) << std::endl;
    };
  }
  observers.commit = [&options](const SettingsImage& current, const SettingsImage& user) {
    if (options.verbose) std::cerr << "k470sim: download committed" << std::endl;
    SaveImages(options, current, user);
  };
  observers.vanish = [] { ::kill(::getpid(), SIGUSR1); };
  k470::sim::PtyReader reader(options.reader, std::move(observers));

  std::string error;
  if (!reader.Start(&error)) {
    std::cerr << "k470sim: " << error << "\n";
    return 1;
  }
  if (!options.link_path.empty() && !MakeLink(options.link_path, reader.device_path())) {
    reader.Stop();
    return 1;
  }
  std::cout << reader.device_path() << std::endl;

  int signal = 0;
  while (sigwait(&signals, &signal) != 0) {
  }
  if (signal == SIGUSR1) std::cerr << "k470sim: the reader vanished" << std::endl;
  reader.Stop();
  SaveImages(options, reader.current_image(), reader.user_image());
  if (!options.link_path.empty()) {
    std::error_code ec;
    std::filesystem::remove(options.link_path, ec);
  }
  return 0;
}
